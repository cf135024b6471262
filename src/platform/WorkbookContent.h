// What a workbook file holds once it is read: its sheets as cell texts, its defined names,
// and the cell references that name ranges ("A1:C20", "$A:$C", "'My Sheet'!B3").
//
// Cells are kept as runs: one text for several columns of a row, and one row for several
// rows, as OpenDocument files repeat them. A sheet thus costs memory by what it holds, not
// by how far its cells are spread.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace kel {

// The sheet size of today's spreadsheet applications; references beyond it name no cells.
constexpr int kSheetMaxRows = 1048576;
constexpr int kSheetMaxColumns = 16384;

// Columns column .. column + count - 1 of a row all hold `text`.
struct CellRun {
    int column = 1;
    int count = 1;
    QString text;
};

class SheetCells {
public:
    // Rows row .. row + count - 1 hold `cells`. Readers add rows in ascending order; a row
    // added out of order is placed where it belongs, and of two runs that share a row the
    // one added first is kept.
    void AddRows(int row, int count, std::vector<CellRun> cells);
    // The text of a cell; null for a blank cell.
    const QString* Cell(int row, int column) const;
    // The number of runs kept (what the sheet costs).
    qint64 RunCount() const { return runCount_; }
    // Calls `visit`(row, text) in row order for every row of top..bottom whose cell in
    // `column` holds a value; a run of equal rows is visited once, at its first row inside
    // top..bottom.
    void ForEachInColumn(int top, int bottom, int column,
                         const std::function<void(int, const QString&)>& visit) const;

private:
    struct RowRun {
        int row;
        int count;
        std::vector<CellRun> cells;  // by column, not overlapping
    };
    std::vector<RowRun> rows_;  // by row, not overlapping
    qint64 runCount_ = 0;
    const RowRun* FindRow(int row) const;
};

// A rectangle of cells, 1-based and inclusive.
struct CellArea {
    int top = 1, left = 1, bottom = 1, right = 1;
    int Rows() const { return bottom - top + 1; }
    int Columns() const { return right - left + 1; }
};

// A cell reference taken apart: the sheet it names (empty when it names none) and its
// area, or why it is not a reference.
struct ParsedReference {
    QString sheet;
    std::optional<CellArea> area;
    QString error;
};

// Reads "B3", "A1:C20", "$A$1:$C$20", whole columns "A:C", whole rows "1:3", each
// optionally after "Sheet1!" or "'My Sheet'!". Corners in any order. A reference beyond
// the sheet size is refused with a reason; so is anything that is not a reference.
ParsedReference ParseAreaReference(const QString& text);

// A column's letters ("A", "AB") for its number.
QString ColumnLetters(int column);

// A name for a range; `scope` is the sheet it belongs to, empty for the whole workbook.
struct DefinedName {
    QString name;
    QString scope;
    QString reference;  // as ParseAreaReference reads it, with the sheet named
};

// A worksheet of a workbook: its name, where its cells come from, and its cells once read.
struct SheetEntry {
    QString name;
    QString part;  // the part of the container that holds its cells (.xlsx)
    std::shared_ptr<const SheetCells> cells;
    QString error;  // why its cells could not be read, once tried
};

struct WorkbookContent {
    enum class Format { Xlsx, Ods };
    Format format = Format::Xlsx;
    QString path;
    std::vector<SheetEntry> sheets;
    std::vector<DefinedName> names;
    // .xlsx: the shared string table, the cell formats that show dates, the date system.
    QString sharedStringsPart;
    std::vector<QString> sharedStrings;
    bool sharedStringsRead = false;
    std::vector<bool> dateStyles;
    bool date1904 = false;
    // Inflated bytes still allowed for the parts of this workbook.
    qint64 inflateBudget = 0;

    // A sheet by name, compared without regard to case as spreadsheet applications do;
    // null when there is none.
    SheetEntry* FindSheet(const QString& name);
    QStringList SheetNames() const;
    // The name visible from `sheet`: its own sheet's definition first, then the workbook's.
    const DefinedName* FindName(const QString& name, const QString& sheet) const;
};

}  // namespace kel
