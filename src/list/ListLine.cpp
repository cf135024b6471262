#include "list/ListLine.h"

#include "common/Values.h"
#include "script/Statement.h"

namespace kel {

namespace {

void AppendColumn(QString& line, const QString& value, int width) {
    const qsizetype n = qMin<qsizetype>(value.size(), width);
    line.append(QStringView(value).left(n));
    line.append(QString(width - n, QLatin1Char(' ')));
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
    QString line;
    line.reserve(kListLineWidth);
    AppendColumn(line, name, kListNameWidth);
    AppendColumn(line, oid, kListOidWidth);
    AppendColumn(line, gid, kListGidWidth);
    AppendColumn(line, QString::number(slot), kListSlotWidth);
    AppendColumn(line, QString::number(figure), kListFigureWidth);
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
    QString out = line.left(kFigureStart);
    out = out.leftJustified(kFigureStart, QLatin1Char(' '));
    AppendColumn(out, QString::number(figure), kListFigureWidth);
    return out;
}

QString WithSlot(const QString& line, int slot) {
    QString out = line.leftJustified(kListLineWidth, QLatin1Char(' '));
    QString column;
    AppendColumn(column, QString::number(slot), kListSlotWidth);
    out.replace(kSlotStart, kListSlotWidth, column);
    return out;
}

}  // namespace kel
