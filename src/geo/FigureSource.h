// Where the user draws a figure for an operation that needs one: the position editor in its
// "GetPos" form. The operation hands over what the window shows first and a handback that the
// window calls when the user confirms a figure.
#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <vector>

namespace kel {

class FigureSource {
public:
    using Handback = std::function<void(const QString& figureType, const QString& posText)>;
    virtual ~FigureSource() = default;
    // Opens the window showing the figure type and the position text as given (the caller
    // has prepared both). `handback` is called with the confirmed figure's type and `pos`
    // value, once; it is not called when the user closes the window without a figure.
    virtual void OpenGetPos(const QString& figureType, const QString& posText,
                            Handback handback) = 0;
};

// For tests and for running without windows: records every opening and hands back the
// scripted figure at once, or keeps the handback for Confirm() when none is scripted.
class ScriptedFigureSource : public FigureSource {
public:
    struct Opened {
        QString figureType;
        QString posText;
    };

    // The figure the next opening hands back at once.
    void HandBack(const QString& figureType, const QString& posText) {
        scripted_ = Opened{figureType, posText};
    }
    // Confirms the figure of the last opening that is still waiting; false when none waits.
    bool Confirm(const QString& figureType, const QString& posText) {
        if (!waiting_) return false;
        Handback h = std::move(waiting_);
        waiting_ = nullptr;
        h(figureType, posText);
        return true;
    }
    bool Waiting() const { return bool(waiting_); }
    const std::vector<Opened>& Openings() const { return openings_; }

    void OpenGetPos(const QString& figureType, const QString& posText,
                    Handback handback) override {
        openings_.push_back({figureType, posText});
        if (scripted_) {
            const Opened figure = *scripted_;
            scripted_.reset();
            handback(figure.figureType, figure.posText);
        } else {
            waiting_ = std::move(handback);
        }
    }

private:
    std::vector<Opened> openings_;
    std::optional<Opened> scripted_;
    Handback waiting_;
};

}  // namespace kel
