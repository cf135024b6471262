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
}

QString WorkbookCache::Lookup(Spreadsheet* app, const QString& book, QString sheet, QString range,
                              double column, const QString& key) {
    if (book != bookName_) {
        range_.reset();
        sheet_.reset();
        book_.reset();
        bookName_ = book;
        if (app) {
            if (FileLength(book) >= 0) {
                book_ = app->OpenWorkbook(book);
            } else {
                book_ = app->CreateWorkbook(book);
                sheet = QStringLiteral("Sheet1");
                range = QStringLiteral("A1:A1");
            }
        }
        sheetName_.clear();
        rangeName_.clear();
    }
    if (sheet != sheetName_) {
        // A range belongs to its sheet: a new sheet needs its range anew.
        range_.reset();
        sheet_.reset();
        sheetName_ = sheet;
        rangeName_.clear();
        if (book_) sheet_ = book_->Sheet(sheet);
    }
    if (range != rangeName_) {
        range_.reset();
        rangeName_ = range;
        if (sheet_) range_ = sheet_->Range(range);
    }
    if (!range_) return QString();
    const double col = std::trunc(column);
    if (col < 1 || col > range_->Columns()) return QString();
    for (int r = 1; r <= range_->Rows(); ++r) {
        const std::optional<QString> first = range_->Cell(r, 1);
        if (first && *first == key) return range_->Cell(r, int(col)).value_or(QString());
    }
    return QString();
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

const FormulaFunctionDef kFunctions[] = {
    {"File", "FileName,LinkID,Colm", G::External, A::First3, false,
     "データファイルでLinkIDの行のColm列の値（1列目がLinkID）",
     "FileName に : や \\ を含むときは()で囲む", File},
    {"Excel", "FileName,SheetName,RangeName,Colm,ParVal", G::External, A::First5, false,
     "ブックのシート範囲の1列目でParValに一致する行のColm列の値", nullptr, Excel},
};

}  // namespace

std::span<const FormulaFunctionDef> LookupFormulaFunctions() { return kFunctions; }

}  // namespace kel
