#include "platform/Spreadsheet.h"

namespace kel {

std::optional<std::pair<int, int>> ParseCellReference(const QString& ref) {
    const QString r = ref.trimmed().remove(QLatin1Char('$')).toUpper();
    qsizetype i = 0;
    long column = 0;
    while (i < r.size() && r[i] >= QLatin1Char('A') && r[i] <= QLatin1Char('Z') && i < 3) {
        column = column * 26 + (r[i].unicode() - 'A' + 1);
        ++i;
    }
    if (i == 0 || i == r.size()) return std::nullopt;
    bool ok = false;
    const int row = r.mid(i).toInt(&ok);
    if (!ok || row < 1 || r[i] == QLatin1Char('+') || r[i] == QLatin1Char('-'))
        return std::nullopt;
    return std::make_pair(row, int(column));
}

std::optional<int> SpreadsheetRange::FindInFirstColumn(const QString& key) const {
    for (int r = 1; r <= Rows(); ++r) {
        const std::optional<QString> first = Cell(r, 1);
        if (first && *first == key) return r;
    }
    return std::nullopt;
}

namespace {

using Book = MemorySpreadsheet::Book;

// Counts itself in the double's live objects.
struct Counted {
    explicit Counted(MemorySpreadsheet* owner) : owner_(owner) { ++owner_->liveObjects; }
    ~Counted() { --owner_->liveObjects; }
    Counted(const Counted&) = delete;
    Counted& operator=(const Counted&) = delete;
    MemorySpreadsheet* owner_;
};

class MemoryRange : public SpreadsheetRange, Counted {
public:
    MemoryRange(MemorySpreadsheet* owner, std::shared_ptr<Book> book, QString sheet, int top,
                int left, int rows, int columns)
        : Counted(owner), book_(std::move(book)), sheet_(std::move(sheet)), top_(top),
          left_(left), rows_(rows), columns_(columns) {}
    int Rows() const override { return rows_; }
    int Columns() const override { return columns_; }
    std::optional<QString> Cell(int row, int column) const override {
        if (row < 1 || row > rows_ || column < 1 || column > columns_) return std::nullopt;
        const MemorySpreadsheet::Rows& cells = book_->sheets.value(sheet_);
        const int r = top_ + row - 2, c = left_ + column - 2;
        if (r >= cells.size()) return QString();
        return cells[r].value(c);
    }

private:
    std::shared_ptr<Book> book_;
    QString sheet_;
    int top_, left_, rows_, columns_;
};

class MemorySheet : public SpreadsheetSheet, Counted {
public:
    MemorySheet(MemorySpreadsheet* owner, std::shared_ptr<Book> book, QString sheet)
        : Counted(owner), book_(std::move(book)), sheet_(std::move(sheet)) {}
    std::unique_ptr<SpreadsheetRange> Range(const QString& name) override {
        owner_->calls << QStringLiteral("range ") + name;
        QString ref = book_->names.value(sheet_).value(name, name);
        const QStringList ends = ref.split(QLatin1Char(':'));
        if (ends.size() > 2) return nullptr;
        const auto a = ParseCellReference(ends[0]);
        const auto b = ParseCellReference(ends.value(1, ends[0]));
        if (!a || !b) return nullptr;
        const int top = qMin(a->first, b->first), bottom = qMax(a->first, b->first);
        const int left = qMin(a->second, b->second), right = qMax(a->second, b->second);
        return std::make_unique<MemoryRange>(owner_, book_, sheet_, top, left, bottom - top + 1,
                                             right - left + 1);
    }

private:
    std::shared_ptr<Book> book_;
    QString sheet_;
};

class MemoryWorkbook : public SpreadsheetWorkbook, Counted {
public:
    MemoryWorkbook(MemorySpreadsheet* owner, std::shared_ptr<Book> book)
        : Counted(owner), book_(std::move(book)) {}
    std::unique_ptr<SpreadsheetSheet> Sheet(const QString& name) override {
        owner_->calls << QStringLiteral("sheet ") + name;
        if (!book_->sheets.contains(name)) return nullptr;
        return std::make_unique<MemorySheet>(owner_, book_, name);
    }

private:
    std::shared_ptr<Book> book_;
};

}  // namespace

void MemorySpreadsheet::SetSheet(const QString& path, const QString& sheet, const Rows& rows) {
    auto& book = books_[path];
    if (!book) book = std::make_shared<Book>();
    book->sheets.insert(sheet, rows);
}

void MemorySpreadsheet::DefineName(const QString& path, const QString& sheet, const QString& name,
                                   const QString& ref) {
    auto& book = books_[path];
    if (!book) book = std::make_shared<Book>();
    book->names[sheet].insert(name, ref);
}

std::unique_ptr<SpreadsheetWorkbook> MemorySpreadsheet::OpenWorkbook(const QString& path) {
    calls << QStringLiteral("open ") + path;
    const auto it = books_.constFind(path);
    if (it == books_.constEnd()) return nullptr;
    return std::make_unique<MemoryWorkbook>(this, *it);
}

std::unique_ptr<SpreadsheetWorkbook> MemorySpreadsheet::CreateWorkbook(const QString& path) {
    calls << QStringLiteral("create ") + path;
    auto book = std::make_shared<Book>();
    book->sheets.insert(QStringLiteral("Sheet1"), Rows{});
    books_.insert(path, book);
    return std::make_unique<MemoryWorkbook>(this, book);
}

}  // namespace kel
