// Drawing figures on the map. Every place that shows or removes a figure of the command
// list calls DrawFigureObject; the map implementation turns the figure into a shape and
// hands back its number, by which the shape is removed again.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace kel {

// Display styles of DrawFigureObject.
inline const QString kStyleNormal = QStringLiteral("Normal");
inline const QString kStyleDel = QStringLiteral("Del");

class FigureDisplay {
public:
    virtual ~FigureDisplay() = default;
    // Draws a figure ("point", "line", "circle1", "rect", "area", ...) from a position text
    // in `style` and returns its figure number (> 0), or 0 when nothing was drawn. With the
    // style "Del", removes the figure numbered `figure` and returns its negative number.
    virtual int DrawFigureObject(const QString& style, const QString& figureType,
                                 const QString& posText, int figure) = 0;
};

// Records every call and hands out increasing figure numbers; for tests, and for running
// without a map.
class RecordingFigureDisplay : public FigureDisplay {
public:
    struct Call {
        QString style;
        QString figureType;
        QString posText;
        int figure = 0;
        int result = 0;
    };

    int DrawFigureObject(const QString& style, const QString& figureType,
                         const QString& posText, int figure) override {
        Call c{style, figureType, posText, figure, 0};
        if (style == kStyleDel) {
            c.result = -figure;
            for (int i = 0; i < int(shown_.size()); ++i) {
                if (shown_[size_t(i)] == figure) {
                    shown_.erase(shown_.begin() + i);
                    break;
                }
            }
        } else {
            c.result = ++lastFigure_;
            shown_.push_back(c.result);
        }
        calls_.push_back(c);
        return c.result;
    }

    const std::vector<Call>& Calls() const { return calls_; }
    // Numbers of the figures drawn and not yet removed.
    const std::vector<int>& Shown() const { return shown_; }
    void ClearCalls() { calls_.clear(); }

private:
    std::vector<Call> calls_;
    std::vector<int> shown_;
    int lastFigure_ = 0;
};

}  // namespace kel
