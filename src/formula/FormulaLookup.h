// The two external tables a formula can look values up in: comma-separated data files
// (`File`) and spreadsheet workbooks (`Excel`). Both are loaded or bound once per name and
// kept until another name is used.
#pragma once

#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <vector>

namespace kel {

class Spreadsheet;
class SpreadsheetWorkbook;
class SpreadsheetSheet;
class SpreadsheetRange;

// Rows 0..kDataFileLastRow and columns 0..kDataFileLastColumn of the data-file table.
constexpr int kDataFileLastRow = 10240;
constexpr int kDataFileLastColumn = 16;

// The cells of the loaded data file. Each line is split at its top-level ",", "=" and ":"
// (parentheses group); its first piece, rounded, is the row, and piece j goes to column j.
// Lines whose row lies outside the table, and pieces beyond column 16, are ignored. Cell
// [0][0] holds the line read last.
class DataFileTable {
public:
    const QString& Name() const { return name_; }
    int LineCount() const { return lineCount_; }
    // Empties the table and reads `path` into it (nothing when the file is missing, empty
    // or unreadable); the name becomes `path` either way.
    void Load(const QString& path);
    // The cell at row, column; empty outside the table.
    const QString& Cell(qint64 row, qint64 column) const;

private:
    using Row = std::array<QString, kDataFileLastColumn + 1>;
    QString name_;
    int lineCount_ = 0;
    std::vector<Row> rows_;  // grows to the largest row used
};

// The workbook, sheet and range last used by `Excel`, cached by their names. The names are
// cached before the objects are obtained, so a failed bind makes every later lookup with
// the same names empty until another name is used.
class WorkbookCache {
public:
    WorkbookCache();
    ~WorkbookCache();
    WorkbookCache(const WorkbookCache&) = delete;
    WorkbookCache& operator=(const WorkbookCache&) = delete;

    // The value in column `column` of the first row of the range whose first cell is exactly
    // `key`; empty when anything fails or nothing matches.
    QString Lookup(Spreadsheet* app, const QString& book, QString sheet, QString range,
                   double column, const QString& key);
    // Releases range, sheet and workbook and forgets their names.
    void Release();
    // Why the last lookup yielded "" (empty when it found a value). A lookup reports no
    // failure by design; this is for a user who debugs a formula.
    const QString& Explanation() const { return explanation_; }
    // Called with the explanation of every lookup that yields "" (for `kel eval --explain`).
    std::function<void(const QString&)> explain;

    const QString& BookName() const { return bookName_; }
    const QString& SheetName() const { return sheetName_; }
    const QString& RangeName() const { return rangeName_; }

private:
    QString bookName_, sheetName_, rangeName_;
    // Why binding the cached workbook, sheet or range failed, kept with their names.
    QString bookError_, sheetError_, rangeError_;
    QString explanation_;
    std::unique_ptr<SpreadsheetWorkbook> book_;
    std::unique_ptr<SpreadsheetSheet> sheet_;
    std::unique_ptr<SpreadsheetRange> range_;
};

}  // namespace kel
