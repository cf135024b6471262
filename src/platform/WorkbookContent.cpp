#include "platform/WorkbookContent.h"

#include <algorithm>

namespace kel {

// --- Cells ---------------------------------------------------------------------------------

void SheetCells::AddRows(int row, int count, std::vector<CellRun> cells) {
    if (cells.empty() || count < 1) return;
    std::stable_sort(cells.begin(), cells.end(),
                     [](const CellRun& a, const CellRun& b) { return a.column < b.column; });
    // Overlapping runs (a damaged file) keep the first.
    std::vector<CellRun> kept;
    kept.reserve(cells.size());
    for (CellRun& c : cells) {
        if (!kept.empty() && c.column < kept.back().column + kept.back().count) continue;
        kept.push_back(std::move(c));
    }
    const qint64 runs = qint64(kept.size());
    if (rows_.empty() || row >= rows_.back().row + rows_.back().count) {
        rows_.push_back({row, count, std::move(kept)});
        runCount_ += runs;
        return;
    }
    // Out of order: place it unless an earlier run holds that row already.
    auto at = std::lower_bound(rows_.begin(), rows_.end(), row,
                               [](const RowRun& r, int v) { return r.row + r.count <= v; });
    if (at != rows_.end() && at->row <= row) return;
    if (at != rows_.end()) count = std::min(count, at->row - row);
    rows_.insert(at, {row, count, std::move(kept)});
    runCount_ += runs;
}

const SheetCells::RowRun* SheetCells::FindRow(int row) const {
    auto at = std::upper_bound(rows_.begin(), rows_.end(), row,
                               [](int v, const RowRun& r) { return v < r.row; });
    if (at == rows_.begin()) return nullptr;
    --at;
    return row < at->row + at->count ? &*at : nullptr;
}

const QString* SheetCells::Cell(int row, int column) const {
    const RowRun* r = FindRow(row);
    if (!r) return nullptr;
    auto at = std::upper_bound(r->cells.begin(), r->cells.end(), column,
                               [](int v, const CellRun& c) { return v < c.column; });
    if (at == r->cells.begin()) return nullptr;
    --at;
    return column < at->column + at->count ? &at->text : nullptr;
}

void SheetCells::ForEachInColumn(int top, int bottom, int column,
                                 const std::function<void(int, const QString&)>& visit) const {
    auto at = std::lower_bound(rows_.begin(), rows_.end(), top,
                               [](const RowRun& r, int v) { return r.row + r.count <= v; });
    for (; at != rows_.end() && at->row <= bottom; ++at) {
        auto c = std::upper_bound(at->cells.begin(), at->cells.end(), column,
                                  [](int v, const CellRun& run) { return v < run.column; });
        if (c == at->cells.begin()) continue;
        --c;
        if (column < c->column + c->count) visit(std::max(at->row, top), c->text);
    }
}

// --- References ----------------------------------------------------------------------------

QString ColumnLetters(int column) {
    QString out;
    while (column > 0) {
        const int d = (column - 1) % 26;
        out.prepend(QChar(char16_t(u'A' + d)));
        column = (column - 1) / 26;
    }
    return out;
}

namespace {

// One end of a reference: a cell, a whole column or a whole row.
struct RefEnd {
    enum Kind { Cell, Column, Row } kind = Cell;
    qint64 row = 0, column = 0;
};

std::optional<RefEnd> ParseEnd(QStringView s) {
    qsizetype i = 0;
    if (i < s.size() && s[i] == u'$') ++i;
    qint64 column = 0;
    const qsizetype letters = i;
    while (i < s.size() && s[i].isLetter() && s[i].unicode() < 128) {
        if (i - letters >= 4) return std::nullopt;
        column = column * 26 + (s[i].toUpper().unicode() - u'A' + 1);
        ++i;
    }
    const bool hasColumn = i > letters;
    if (hasColumn && i < s.size() && s[i] == u'$') ++i;
    const qsizetype digits = i;
    qint64 row = 0;
    while (i < s.size() && s[i].isDigit() && s[i].unicode() < 128) {
        if (i - digits >= 8) return std::nullopt;
        row = row * 10 + (s[i].unicode() - u'0');
        ++i;
    }
    const bool hasRow = i > digits;
    if (i != s.size() || (!hasColumn && !hasRow)) return std::nullopt;
    RefEnd end;
    end.kind = hasColumn && hasRow ? RefEnd::Cell : hasColumn ? RefEnd::Column : RefEnd::Row;
    end.row = row;
    end.column = column;
    return end;
}

}  // namespace

ParsedReference ParseAreaReference(const QString& text) {
    ParsedReference out;
    QString ref = text.trimmed();
    // The sheet before "!": quoted ("'My ''Sheet'!"), or a plain word up to the first "!".
    QString sheet;
    bool named = false;
    if (ref.startsWith(u'\'')) {
        qsizetype i = 1;
        while (i < ref.size()) {
            if (ref[i] == u'\'') {
                if (i + 1 < ref.size() && ref[i + 1] == u'\'') {
                    sheet += u'\'';
                    i += 2;
                    continue;
                }
                break;
            }
            sheet += ref[i++];
        }
        if (i + 1 < ref.size() && ref[i + 1] == u'!') {
            named = true;
            ref = ref.mid(i + 2);
        }
    } else if (const qsizetype bang = ref.indexOf(u'!'); bang >= 0) {
        named = true;
        sheet = ref.left(bang).trimmed();
        ref = ref.mid(bang + 1);
    }
    if (named) {
        if (sheet.isEmpty()) {
            out.error = QStringLiteral("\"%1\" names no sheet before \"!\"").arg(text);
            return out;
        }
        out.sheet = sheet;
    }
    const QStringList ends = ref.split(u':');
    std::optional<RefEnd> a, b;
    if (ends.size() <= 2) {
        a = ParseEnd(ends[0]);
        b = ends.size() == 2 ? ParseEnd(ends[1]) : a;
    }
    if (!a || !b || a->kind != b->kind || (ends.size() == 1 && a->kind != RefEnd::Cell)) {
        out.error = QStringLiteral("\"%1\" is neither a cell range (like A1:C20 or A:C) nor a "
                                   "defined name")
                        .arg(text);
        return out;
    }
    if (a->kind == RefEnd::Column) a->row = 1, b->row = kSheetMaxRows;
    if (a->kind == RefEnd::Row) a->column = 1, b->column = kSheetMaxColumns;
    const qint64 top = std::min(a->row, b->row), bottom = std::max(a->row, b->row);
    const qint64 left = std::min(a->column, b->column), right = std::max(a->column, b->column);
    if (top < 1 || left < 1 || bottom > kSheetMaxRows || right > kSheetMaxColumns) {
        out.error = QStringLiteral("\"%1\" lies outside the sheet (rows 1 to %2, columns A to %3)")
                        .arg(text)
                        .arg(kSheetMaxRows)
                        .arg(ColumnLetters(kSheetMaxColumns));
        return out;
    }
    out.area = CellArea{int(top), int(left), int(bottom), int(right)};
    return out;
}

// --- Workbook ------------------------------------------------------------------------------

SheetEntry* WorkbookContent::FindSheet(const QString& name) {
    for (SheetEntry& s : sheets)
        if (s.name.compare(name, Qt::CaseInsensitive) == 0) return &s;
    return nullptr;
}

QStringList WorkbookContent::SheetNames() const {
    QStringList out;
    for (const SheetEntry& s : sheets) out << s.name;
    return out;
}

const DefinedName* WorkbookContent::FindName(const QString& name, const QString& sheet) const {
    const DefinedName* global = nullptr;
    for (const DefinedName& n : names) {
        if (n.name.compare(name, Qt::CaseInsensitive) != 0) continue;
        if (n.scope.isEmpty()) {
            if (!global) global = &n;
        } else if (n.scope.compare(sheet, Qt::CaseInsensitive) == 0) {
            return &n;
        }
    }
    return global;
}

}  // namespace kel
