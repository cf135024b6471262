#include "platform/WorkbookFiles.h"

#include <QFileInfo>
#include <QHash>

#include "platform/WorkbookArchive.h"
#include "platform/WorkbookContent.h"
#include "platform/WorkbookReaders.h"

namespace kel {

namespace {

using ErrorSlot = std::shared_ptr<QString>;

class FileRange : public SpreadsheetRange {
public:
    FileRange(std::shared_ptr<const SheetCells> cells, CellArea area)
        : cells_(std::move(cells)), area_(area) {}
    int Rows() const override { return area_.Rows(); }
    int Columns() const override { return area_.Columns(); }
    std::optional<QString> Cell(int row, int column) const override {
        if (row < 1 || row > Rows() || column < 1 || column > Columns()) return std::nullopt;
        const QString* text = cells_->Cell(area_.top + row - 1, area_.left + column - 1);
        return text ? *text : QString();
    }
    // The first column's texts are indexed on the first lookup, so that further lookups
    // in the same range cost no walk over its rows. Blank cells match nothing.
    std::optional<int> FindInFirstColumn(const QString& key) const override {
        if (!index_) {
            index_.emplace();
            cells_->ForEachInColumn(area_.top, area_.bottom, area_.left,
                                    [this](int row, const QString& text) {
                                        if (!index_->contains(text))
                                            index_->insert(text, row - area_.top + 1);
                                    });
        }
        const auto it = index_->constFind(key);
        if (it == index_->constEnd()) return std::nullopt;
        return *it;
    }

private:
    std::shared_ptr<const SheetCells> cells_;
    CellArea area_;
    mutable std::optional<QHash<QString, int>> index_;
};

class FileSheet : public SpreadsheetSheet {
public:
    FileSheet(std::shared_ptr<const WorkbookContent> book, QString name,
              std::shared_ptr<const SheetCells> cells, ErrorSlot error)
        : book_(std::move(book)), name_(std::move(name)), cells_(std::move(cells)),
          error_(std::move(error)) {}

    std::unique_ptr<SpreadsheetRange> Range(const QString& name) override {
        error_->clear();
        const ParsedReference direct = ParseAreaReference(name);
        if (direct.area) return Make(direct, QString());
        const DefinedName* defined = book_->FindName(name.trimmed(), name_);
        if (!defined) {
            *error_ = direct.error;
            return nullptr;
        }
        const ParsedReference ref = ParseAreaReference(defined->reference);
        if (!ref.area) {
            *error_ = QStringLiteral("the name \"%1\" stands for \"%2\", which is not one cell "
                                     "range")
                          .arg(defined->name, defined->reference);
            return nullptr;
        }
        return Make(ref, defined->name);
    }

private:
    std::unique_ptr<SpreadsheetRange> Make(const ParsedReference& ref, const QString& viaName) {
        if (!ref.sheet.isEmpty() && ref.sheet.compare(name_, Qt::CaseInsensitive) != 0) {
            *error_ = (viaName.isEmpty() ? QStringLiteral("the range")
                                         : QStringLiteral("the name \"%1\"").arg(viaName)) +
                      QStringLiteral(" lies on sheet \"%1\", not on \"%2\"").arg(ref.sheet, name_);
            return nullptr;
        }
        return std::make_unique<FileRange>(cells_, *ref.area);
    }

    std::shared_ptr<const WorkbookContent> book_;
    QString name_;
    std::shared_ptr<const SheetCells> cells_;
    ErrorSlot error_;
};

class FileWorkbook : public SpreadsheetWorkbook {
public:
    FileWorkbook(std::shared_ptr<WorkbookContent> book, ErrorSlot error)
        : book_(std::move(book)), error_(std::move(error)) {}

    std::unique_ptr<SpreadsheetSheet> Sheet(const QString& name) override {
        error_->clear();
        SheetEntry* sheet = book_->FindSheet(name);
        if (!sheet) {
            *error_ = QStringLiteral("the workbook has no sheet \"%1\" (its sheets: %2)")
                          .arg(name, book_->SheetNames().join(QStringLiteral(", ")));
            return nullptr;
        }
        if (!sheet->cells && sheet->error.isEmpty()) {
            // A sheet is read once, when it is first asked for, and kept with the workbook.
            WorkbookArchive archive;
            if (archive.Open(book_->path, &sheet->error))
                sheet->cells = ReadXlsxSheet(archive, *book_, *sheet, &sheet->error);
        }
        if (!sheet->cells) {
            *error_ = sheet->error;
            return nullptr;
        }
        return std::make_unique<FileSheet>(book_, sheet->name, sheet->cells, error_);
    }

private:
    std::shared_ptr<WorkbookContent> book_;
    ErrorSlot error_;
};

bool ReadWorkbook(const QString& path, qint64 inflateLimit, WorkbookContent& book,
                  QString* error) {
    const QFileInfo info(path);
    if (!info.exists()) {
        *error = QStringLiteral("the file does not exist");
        return false;
    }
    if (!info.isFile()) {
        *error = QStringLiteral("it is not a regular file");
        return false;
    }
    WorkbookArchive archive;
    if (!archive.Open(path, error)) return false;
    book.path = path;
    book.inflateBudget = inflateLimit;
    if (archive.HasPart(QStringLiteral("[Content_Types].xml"))) {
        book.format = WorkbookContent::Format::Xlsx;
        return ReadXlsxWorkbook(archive, book, error);
    }
    if (archive.HasPart(QStringLiteral("content.xml"))) {
        const QByteArray mime = archive.ReadSmallPart(QStringLiteral("mimetype"), 200);
        if (!mime.isEmpty() && !mime.startsWith("application/vnd.oasis.opendocument.spreadsheet")) {
            *error = QStringLiteral("it is an OpenDocument file of another kind (%1), not a "
                                    "spreadsheet")
                         .arg(QString::fromLatin1(mime));
            return false;
        }
        book.format = WorkbookContent::Format::Ods;
        return ReadOdsWorkbook(archive, book, error);
    }
    *error = QStringLiteral("the zip container is neither an .xlsx workbook nor an .ods "
                            "spreadsheet");
    return false;
}

}  // namespace

WorkbookFiles::WorkbookFiles()
    : lastError_(std::make_shared<QString>()), inflateLimit_(kWorkbookMaxInflatedBytes) {}

std::unique_ptr<SpreadsheetWorkbook> WorkbookFiles::OpenWorkbook(const QString& path) {
    lastError_->clear();
    auto book = std::make_shared<WorkbookContent>();
    if (!ReadWorkbook(path, inflateLimit_, *book, lastError_.get())) return nullptr;
    return std::make_unique<FileWorkbook>(std::move(book), lastError_);
}

std::unique_ptr<SpreadsheetWorkbook> WorkbookFiles::CreateWorkbook(const QString& path) {
    // A lookup must not write files as a side effect: say why the workbook is not there.
    const QFileInfo info(path);
    if (!info.exists())
        *lastError_ = QStringLiteral("the file does not exist (a lookup creates no workbook)");
    else if (!info.isFile())
        *lastError_ = QStringLiteral("it is not a regular file");
    else
        *lastError_ = QStringLiteral("the file cannot be read (permission denied or locked)");
    return nullptr;
}

}  // namespace kel
