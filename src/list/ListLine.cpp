#include "list/ListLine.h"

#include <algorithm>

#include "common/Values.h"
#include "script/Statement.h"

namespace kel {

namespace {

// Writes `value` cut or padded with spaces to `width` characters at `out`.
QChar* PutColumn(QChar* out, QStringView value, int width) {
    const qsizetype n = qMin<qsizetype>(value.size(), width);
    std::copy(value.begin(), value.begin() + n, out);
    std::fill(out + n, out + width, QLatin1Char(' '));
    return out + width;
}

// The decimal digits of a slot or figure number (no allocation).
QStringView NumberText(int value, char16_t (&buffer)[12]) {
    char16_t* end = buffer + 12;
    char16_t* p = end;
    const bool negative = value < 0;
    unsigned v = negative ? 0u - unsigned(value) : unsigned(value);
    do {
        *--p = char16_t(u'0' + v % 10);
        v /= 10;
    } while (v != 0);
    if (negative) *--p = u'-';
    return QStringView(p, end - p);
}

QString Column(const QString& line, int start, int width) {
    return line.mid(start, width).trimmed();
}

constexpr int kOidStart = kListNameWidth;
constexpr int kGidStart = kOidStart + kListOidWidth;
constexpr int kSlotStart = kGidStart + kListGidWidth;
constexpr int kFigureStart = kSlotStart + kListSlotWidth;

}  // namespace

bool IsFigureCommand(const QString& name) {
    return name == QLatin1String("point") || name == QLatin1String("line") ||
           name == QLatin1String("circle") || name == QLatin1String("rect") ||
           name == QLatin1String("area");
}

void ListColumnsOf(const QString& text, QString& name, QString& oid, QString& gid) {
    name = CommandWord(text);
    oid.clear();
    gid.clear();
    if (IsFigureCommand(name)) {
        oid = GetParamValue(text, QStringLiteral("oid"));
        gid = GetParamValue(text, QStringLiteral("gid"));
    } else if (name == QLatin1String("group")) {
        gid = GetParamValue(text, QStringLiteral("gid"));
    }
}

QString FormatListLine(const QString& name, const QString& oid, const QString& gid, int slot,
                       int figure) {
    // Written in place at its exact size: the list holds one such line per command.
    QString line(kListLineWidth, Qt::Uninitialized);
    QChar* out = line.data();
    char16_t digits[12];
    out = PutColumn(out, name, kListNameWidth);
    out = PutColumn(out, oid, kListOidWidth);
    out = PutColumn(out, gid, kListGidWidth);
    out = PutColumn(out, NumberText(slot, digits), kListSlotWidth);
    PutColumn(out, NumberText(figure, digits), kListFigureWidth);
    return line;
}

QString MakeListLine(CommandTexts& texts, const QString& text, int figure) {
    QString name, oid, gid;
    ListColumnsOf(text, name, oid, gid);
    const int slot = texts.Store(text);
    if (slot == 0) return QString();
    return FormatListLine(name, oid, gid, slot, figure);
}

int ListLineSlot(const QString& line) {
    return int(Val(QStringView(line).mid(kSlotStart, kListSlotWidth)));
}

int ListLineFigure(const QString& line) {
    return int(Val(QStringView(line).mid(kFigureStart, kListFigureWidth)));
}

QString ListLineName(const QString& line) { return Column(line, 0, kListNameWidth); }

ListLineParts ParseListLine(const CommandTexts& texts, const QString& line) {
    ListLineParts p;
    p.name = ListLineName(line);
    p.oid = Column(line, kOidStart, kListOidWidth);
    p.gid = Column(line, kGidStart, kListGidWidth);
    p.slot = ListLineSlot(line);
    p.figure = ListLineFigure(line);
    p.text = texts.Text(p.slot);
    return p;
}

QString WithFigure(const QString& line, int figure) {
    QString out(kListLineWidth, Qt::Uninitialized);
    char16_t digits[12];
    QChar* o = PutColumn(out.data(), QStringView(line).left(kFigureStart), kFigureStart);
    PutColumn(o, NumberText(figure, digits), kListFigureWidth);
    return out;
}

QString WithSlot(const QString& line, int slot) {
    QString out = line.leftJustified(kListLineWidth, QLatin1Char(' '));
    char16_t digits[12];
    PutColumn(out.data() + kSlotStart, NumberText(slot, digits), kListSlotWidth);
    return out;
}

}  // namespace kel
