// The legend window `Form4`: fifteen rows, each the display style of one group beside its
// name — the text sample (`TextStyle` on its `TextBack`) and the point sample
// (`PointStyle`) in the text colour, the line sample (`Lines`) in the line colour, pattern
// and width, and the area sample (`Area`) with its border and fill. Controls are named by
// row (`GroupName0` .. `Area14`); unfilled rows are hidden but keep their place. The window
// stays on top of the others without taking the focus, and shows the rows of the legend it
// observes while that is open.
#pragma once

#include <QWidget>
#include <array>

#include "formula/Legend.h"

class QLabel;
class QFrame;

namespace kel {

class LegendWindow : public QWidget {
    Q_OBJECT
public:
    explicit LegendWindow(LegendOps& legend, QWidget* parent = nullptr);

    // Shows the legend's rows; shows the window while the legend is open, hides it otherwise.
    void Refresh();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    struct Row {
        QLabel* groupName = nullptr;
        QFrame* textBack = nullptr;
        QLabel* textStyle = nullptr;
        QLabel* pointStyle = nullptr;
        QWidget* lines = nullptr;
        QWidget* area = nullptr;
    };
    void ShowRow(Row& row, const LegendEntry* entry);
    void PlaceBesideParent();
    // Moves the window to `at`, or as near as it can lie wholly on its screen.
    void KeepOnScreen(QPoint at);

    LegendOps& legend_;
    std::array<Row, kLegendRows> rows_;
    bool placed_ = false;
};

}  // namespace kel
