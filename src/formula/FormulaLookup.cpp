// External lookups: the data-file table of `File` and the workbook cache of `Excel`.
#include "formula/FormulaLookup.h"

#include <cmath>

#include "common/FileLength.h"
#include "common/TextFile.h"
#include "common/Values.h"
#include "formula/FormulaEngine.h"
#include "formula/FormulaFunction.h"
#include "formula/FormulaSplit.h"
#include "platform/Spreadsheet.h"

namespace kel {

// --- Data files ----------------------------------------------------------------------------

void DataFileTable::Load(const QString& path) {
    name_ = path;
    lineCount_ = 0;
    rows_.clear();
    if (FileLength(path) <= 0) return;
    const TextReadResult file = ReadTextFile(path);
    if (!file.ok) return;
    rows_.resize(1);
    for (const QString& line : file.lines) {
        rows_[0][0] = line;
        ++lineCount_;
        const SplitTable cells = SplitArguments(line);
        if (cells.Count() < 1) continue;
        const qint64 row = RoundHalfEven(Val(cells[1]));
        // Rows outside the table and cells beyond its last column are ignored.
        if (row < 0 || row > kDataFileLastRow) continue;
        if (size_t(row) >= rows_.size()) rows_.resize(size_t(row) + 1);
        const int last = qMin(cells.Count(), kDataFileLastColumn);
        for (int j = 1; j <= last; ++j) rows_[size_t(row)][size_t(j)] = cells[j];
    }
}

const QString& DataFileTable::Cell(qint64 row, qint64 column) const {
    static const QString empty;
    if (row < 0 || size_t(row) >= rows_.size() || column < 0 || column > kDataFileLastColumn)
        return empty;
    return rows_[size_t(row)][size_t(column)];
}

// --- Workbooks -----------------------------------------------------------------------------

WorkbookCache::WorkbookCache() = default;
WorkbookCache::~WorkbookCache() { Release(); }

void WorkbookCache::Release() {
    range_.reset();
    sheet_.reset();
    book_.reset();
    bookName_.clear();
    sheetName_.clear();
    rangeName_.clear();
    bookError_.clear();
    sheetError_.clear();
    rangeError_.clear();
    explanation_.clear();
}

QString WorkbookCache::Lookup(Spreadsheet* app, const QString& book, QString sheet, QString range,
                              double column, const QString& key) {
    // The reason a bound object is missing, from the application when it says.
    const auto failure = [app](const QString& fallback) {
        const QString why = app ? app->LastError() : QString();
        return why.isEmpty() ? fallback : why;
    };
    const QString what = QStringLiteral("Excel(%1,%2,%3,...)").arg(book, sheet, range);
    // Which names changed in this call; a failure under an unchanged name is a kept one.
    bool bookBound = false, sheetBound = false, rangeBound = false;
    if (book != bookName_) {
        bookBound = true;
        range_.reset();
        sheet_.reset();
        book_.reset();
        bookName_ = book;
        bookError_.clear();
        if (!app) {
            bookError_ = QStringLiteral("no spreadsheet is available");
        } else if (FileLength(book) >= 0) {
            book_ = app->OpenWorkbook(book);
            if (!book_) bookError_ = failure(QStringLiteral("it cannot be opened"));
        } else {
            book_ = app->CreateWorkbook(book);
            if (!book_) bookError_ = failure(QStringLiteral("it cannot be created"));
            sheet = QStringLiteral("Sheet1");
            range = QStringLiteral("A1:A1");
        }
        sheetName_.clear();
        rangeName_.clear();
    }
    if (sheet != sheetName_) {
        sheetBound = true;
        // A range belongs to its sheet: a new sheet needs its range anew.
        range_.reset();
        sheet_.reset();
        sheetName_ = sheet;
        rangeName_.clear();
        sheetError_.clear();
        if (book_) {
            sheet_ = book_->Sheet(sheet);
            if (!sheet_) sheetError_ = failure(QStringLiteral("there is no such sheet"));
        }
    }
    if (range != rangeName_) {
        rangeBound = true;
        range_.reset();
        rangeName_ = range;
        rangeError_.clear();
        if (sheet_) {
            range_ = sheet_->Range(range);
            if (!range_) rangeError_ = failure(QStringLiteral("there is no such range"));
        }
    }
    const auto fail = [&](const QString& why) {
        explanation_ = what + QStringLiteral(": ") + why;
        if (explain) explain(explanation_);
        return QString();
    };
    // A failed bind is kept with its names: say so when it was not tried again.
    const auto kept = [](bool bound) {
        return bound ? QString()
                     : QStringLiteral(" (kept for these names until another name is used)");
    };
    if (!book_)
        return fail(QStringLiteral("workbook \"%1\": %2%3")
                        .arg(bookName_, bookError_, kept(bookBound)));
    if (!sheet_)
        return fail(QStringLiteral("sheet \"%1\": %2%3")
                        .arg(sheetName_, sheetError_, kept(sheetBound)));
    if (!range_)
        return fail(QStringLiteral("range \"%1\": %2%3")
                        .arg(rangeName_, rangeError_, kept(rangeBound)));
    const double col = std::trunc(column);
    if (!(col >= 1 && col <= range_->Columns()))
        return fail(QStringLiteral("column %1 lies outside the range's %2 columns")
                        .arg(NumText(column))
                        .arg(range_->Columns()));
    const std::optional<int> row = range_->FindInFirstColumn(key);
    if (!row)
        return fail(QStringLiteral("no row of the range holds \"%1\" in its first column").arg(key));
    const QString value = range_->Cell(*row, int(col)).value_or(QString());
    explanation_.clear();
    if (value.isEmpty())
        fail(QStringLiteral("the cell in row %1, column %2 of the range is empty")
                 .arg(*row)
                 .arg(int(col)));
    return value;
}

namespace {

QString File(FormulaCall& c) {
    DataFileTable& table = c.engine.DataFile();
    if (c.Arg(1) != table.Name()) table.Load(c.Arg(1));
    return c.Eval(table.Cell(c.Rounded(2), c.Rounded(3)));
}

QString Excel(FormulaCall& c) {
    if (c.engine.Aborted()) return QString();
    return c.engine.Workbook().Lookup(c.engine.spreadsheet(), c.Arg(1), c.Arg(2), c.Arg(3),
                                      c.Num(4), c.Arg(5));
}

using G = FormulaGroup;
using A = FormulaArgs;

const FormulaFunctionDef kLookupFunctions[] = {
    {"File", "FileName,LinkID,Colm", G::External, A::First3, false,
     "データファイルでLinkIDの行のColm列の値（1列目がLinkID）",
     "FileName に : や \\ を含むときは()で囲む", File},
    {"Excel", "FileName,SheetName,RangeName,Colm,ParVal", G::External, A::First5, false,
     "ブックのシート範囲の1列目でParValに一致する行のColm列の値", nullptr, Excel},
};

}  // namespace

std::span<const FormulaFunctionDef> LookupFormulaFunctions() { return kLookupFunctions; }

}  // namespace kel
