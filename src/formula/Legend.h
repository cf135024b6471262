// The group legend: up to fifteen rows, each showing the display style of one `group`
// command (its colours, line, border and area patterns, widths, text and point styles)
// beside its name, and the operations of the main window that open, clear and fill it
// (the `Legend` button, "Legend(&L)", "ResetLegend(&R)" and the items under "Set Legend(&S)").
// The rows are a snapshot: editing a group afterwards changes its row only when it is set
// again.
#pragma once

#include <QObject>
#include <QString>
#include <array>
#include <optional>

namespace kel {

class ListDocument;

constexpr int kLegendRows = 15;
constexpr int kLegendLastRow = kLegendRows - 1;
// The SetNo that takes the legend's next row.
constexpr int kLegendNextRow = -1;

// One row's content, as SetLegend takes it. Colours are colour values (red + 256 * green +
// 65536 * blue), widths and sizes numbers as the group holds them.
struct LegendEntry {
    int SetNo = kLegendNextRow;  // the row to fill; kLegendNextRow = the next row
    QString Gname;               // row label
    int Trgb = 0;                // text colour (text and point samples)
    QString Tstyle;              // text style name
    int Lrgb = 0;                // line colour
    QString Lstyle;              // line style name
    double Lwidth = 0;           // line width
    int Brgb = 0;                // border colour
    QString Bstyle;              // border style name
    double Bwidth = 0;           // border width
    int Argb = 0;                // area colour
    QString Astyle;              // area style name
    QString Pstyle;              // point (icon) style name
    double Psize = 0;            // icon size (carried, not shown)
};

// Line and border patterns by style name: "line#0" solid 1, "line#1" dotted 3, "line#2"
// dashed 2, "line#3" dash-dot 4, "line#4" dash-dot-dot 5; any other name solid 1.
int LineStyleCode(const QString& name);
constexpr int kLineSolid = 1;
constexpr int kLineDashed = 2;
constexpr int kLineDotted = 3;
constexpr int kLineDashDot = 4;
constexpr int kLineDashDotDot = 5;

// Area patterns by style name: "fill" solid 0, "hatch#0" horizontal 2, "hatch#1" vertical 3,
// "hatch#2" upward diagonal 4, "hatch#3" downward diagonal 5, "hatch#4" diagonal cross 7,
// "hatch#5" cross 6; any other name solid 0.
int FillStyleCode(const QString& name);
constexpr int kFillSolid = 0;
constexpr int kFillHorizontal = 2;
constexpr int kFillVertical = 3;
constexpr int kFillUpwardDiagonal = 4;
constexpr int kFillDownwardDiagonal = 5;
constexpr int kFillCross = 6;
constexpr int kFillDiagonalCross = 7;

// The width a line or border sample is drawn with: the group's width + 1, and 2 for 0;
// kept from 1 to kLegendMaxPenWidth so that a wild width cannot swallow its row.
constexpr double kLegendMaxPenWidth = 12;
double LegendPenWidth(double width);

// The entry of a `group` command text: label `gname` (its `gid` when empty), colours from
// the rgb texts read as the colour picker reads them, empty widths and sizes 0.
LegendEntry LegendEntryOfGroup(const QString& commandText, int setNo);

// The legend window's rows and its next-row counter.
class LegendBoard {
public:
    // Every row unfilled, the next row 0 (the window as it loads).
    void Reset();
    // Fills a row and returns the next row. SetNo 0..14 is the row (and the counter follows
    // it); kLegendNextRow, any other negative number and numbers past the last row take the
    // next row. After row 14 the next row is 0 again.
    int SetLegend(const LegendEntry& entry);
    // Row i (0..14); empty when unfilled.
    const std::optional<LegendEntry>& Row(int i) const { return rows_[size_t(i)]; }
    int NextRow() const { return nextRow_; }

private:
    std::array<std::optional<LegendEntry>, kLegendRows> rows_;
    int nextRow_ = 0;
};

// The main window's legend: whether the window is open (the `Legend` caption "Off") or
// closed ("Lgnd"), its rows, and the legend row counter (0 when the window opens, then the
// row after the last one filled), which the "Set Group to Leg."n"" prompt offers.
class LegendOps : public QObject {
    Q_OBJECT
public:
    explicit LegendOps(ListDocument& editor, QObject* parent = nullptr);

    bool IsOpen() const { return open_; }
    QString LegendCaption() const;
    const LegendBoard& Board() const { return board_; }
    int LegendRowCounter() const { return rowCounter_; }

    // The `Legend` button and "Legend(&L)": closes an open legend, opens a closed one empty.
    void ToggleLegend();
    // Opens the legend, empty, unless it is open already.
    void OpenIfClosed();
    // The window was closed (by its own close button as well): its rows are gone.
    void CloseLegend();
    // "ResetLegend(&R)": the legend opens again empty.
    void ResetLegend();
    // Fills a row (setNo, or kLegendNextRow) from the group loaded in the parameter editor,
    // after applying its pending edits. Nothing without a current line or a loaded group.
    // "Set Group to Leg.(&S)" opens the legend first (OpenIfClosed); so does "Set All Group
    // to Leg.(&A)" before SetAllGroupsToLegend.
    void SetGroupToLegend(int setNo);
    // Opens the legend when closed; with an empty `n` asks for the row ("Legend No", the
    // counter as default; a cancelled or empty answer does nothing), then SetGroupToLegend.
    void SetGroupToLegendN(const QString& n);
    // Every `group` of the list, in order, into consecutive rows from the legend's next row
    // (wrapping after the last row), after applying pending edits.
    void SetAllGroupsToLegend();
    // Fills a row from line `index` when it is a `group` command and returns the next row;
    // any other line changes nothing and returns 0.
    int GroupToLegendRow(int setNo, int index);

Q_SIGNALS:
    // The rows, the open state or the caption changed.
    void Changed();

private:
    void OpenLegend();

    ListDocument& editor_;
    LegendBoard board_;
    bool open_ = false;
    int rowCounter_ = 0;
};

// Registers Legend, MenuViewLegend, MenuViewResetLegend, MenuViewSetGroup,
// MenuViewSetGroupN and MenuViewSetAllGroup with the editor.
void InstallLegendActions(ListDocument& editor, LegendOps& legend);

}  // namespace kel
