// A spreadsheet application reached from outside: workbooks bound by file name, sheets and
// ranges by name, cells read by row and column. The formula lookup of workbook tables
// caches the objects it gets here; the application is let go at shutdown (Quit).
//
// Objects are handed out as owners: releasing one (destroying it) lets the application drop
// it. A range or sheet is released before the sheet or workbook it came from.
#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

namespace kel {

class SpreadsheetRange {
public:
    virtual ~SpreadsheetRange() = default;
    virtual int Rows() const = 0;
    virtual int Columns() const = 0;
    // The value of the cell at row, column (1-based within the range) in the application's
    // general text form; no value outside the range.
    virtual std::optional<QString> Cell(int row, int column) const = 0;
    // The first row (1-based within the range) whose first cell holds exactly `key`; none
    // when no row does. This walks the rows; a range over a large sheet answers from an
    // index instead.
    virtual std::optional<int> FindInFirstColumn(const QString& key) const;
};

class SpreadsheetSheet {
public:
    virtual ~SpreadsheetSheet() = default;
    // A range by its name ("A1:C20", "B3", or a defined name); null when there is none.
    virtual std::unique_ptr<SpreadsheetRange> Range(const QString& name) = 0;
};

class SpreadsheetWorkbook {
public:
    virtual ~SpreadsheetWorkbook() = default;
    // A worksheet by its name; null when there is none.
    virtual std::unique_ptr<SpreadsheetSheet> Sheet(const QString& name) = 0;
};

class Spreadsheet {
public:
    virtual ~Spreadsheet() = default;
    // Binds to an existing workbook file and shows it (the application visible, its first
    // window activated); null on failure.
    virtual std::unique_ptr<SpreadsheetWorkbook> OpenWorkbook(const QString& path) = 0;
    // Creates a new workbook (one sheet "Sheet1"), shows it and saves it under `path`;
    // null on failure.
    virtual std::unique_ptr<SpreadsheetWorkbook> CreateWorkbook(const QString& path) = 0;
    // Lets the application go (at shutdown).
    virtual void Quit() = 0;
    // Why the last call that came back null (OpenWorkbook, CreateWorkbook, or Sheet and
    // Range of the objects it handed out) failed; empty when nothing is known.
    virtual QString LastError() const { return QString(); }
};

// The cell reference "A1" as (row, column), 1-based; nullopt for anything else.
std::optional<std::pair<int, int>> ParseCellReference(const QString& ref);

// A spreadsheet in memory for tests: workbooks by path, sheets by name, rows of cell texts.
// Records every call so that tests can check what was bound and how often.
class MemorySpreadsheet : public Spreadsheet {
public:
    using Rows = QList<QStringList>;
    // Puts a sheet into a workbook (the workbook is created when missing).
    void SetSheet(const QString& path, const QString& sheet, const Rows& rows);
    // A defined name of a workbook's sheet: `name` stands for the cell range `ref`.
    void DefineName(const QString& path, const QString& sheet, const QString& name,
                    const QString& ref);
    bool HasWorkbook(const QString& path) const { return books_.contains(path); }

    std::unique_ptr<SpreadsheetWorkbook> OpenWorkbook(const QString& path) override;
    std::unique_ptr<SpreadsheetWorkbook> CreateWorkbook(const QString& path) override;
    void Quit() override { ++quitCount; }

    // Calls as "open PATH", "create PATH", "sheet NAME", "range NAME" in order.
    QStringList calls;
    int quitCount = 0;
    // The number of objects currently handed out and not released.
    int liveObjects = 0;

    struct Book {
        QHash<QString, Rows> sheets;
        QHash<QString, QHash<QString, QString>> names;  // sheet -> name -> reference
    };

private:
    QHash<QString, std::shared_ptr<Book>> books_;
};

}  // namespace kel
