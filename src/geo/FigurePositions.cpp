#include "geo/FigurePositions.h"

#include "common/Values.h"
#include "geo/Coordinates.h"

namespace kel {

namespace {

// A `pos` value of this many characters or fewer holds no positions.
constexpr qsizetype kMinFigurePosLength = 3;

bool IsArrowChar(QChar c) {
    return c == QLatin1Char('<') || c == QLatin1Char('>');
}

QString DegreesToKel(double value_deg) {
    return WriteCoordParts(ReadCoordParts(NumText(value_deg), CoordFormat::kD), CoordFormat::kKEL);
}

}  // namespace

QString ArrowPrefix(const QString& posText) {
    if (posText.isEmpty() || !IsArrowChar(posText[0])) return QString();
    if (posText.size() >= 2) {
        const QChar second = posText[1];
        if (second == QLatin1Char(' ') || (IsArrowChar(second) && second != posText[0]))
            return posText.left(2);
    }
    return posText.left(1);
}

QString SwappedArrow(const QString& arrow) {
    const QString mark = arrow.trimmed();
    if (mark == QLatin1String("<"))
        return QString(arrow).replace(QLatin1Char('<'), QLatin1Char('>'));
    if (mark == QLatin1String(">"))
        return QString(arrow).replace(QLatin1Char('>'), QLatin1Char('<'));
    return arrow;
}

FigurePositions ReadFigurePositions(const QString& posText) {
    FigurePositions out;
    out.arrow = ArrowPrefix(posText);
    if (posText.size() <= kMinFigurePosLength) return out;

    // Fields as the reader cuts them: "," and "&" end a field ("&" marks it), "!" marks it.
    struct Field {
        QString text;
        bool bang = false;
        bool amp = false;
    };
    std::vector<Field> fields(1);
    for (qsizetype i = out.arrow.size(); i < posText.size(); ++i) {
        const QChar c = posText[i];
        if (c == QLatin1Char(',')) {
            fields.emplace_back();
        } else if (c == QLatin1Char('&')) {
            fields.back().amp = true;
            fields.emplace_back();
        } else if (c == QLatin1Char('!')) {
            fields.back().bang = true;
        } else if (!IsArrowChar(c) && c != QLatin1Char('\n') && c != QLatin1Char('\r')) {
            fields.back().text.append(c);
        }
    }
    int count = int(fields.size() / 2);
    if (count > kMaxPositions) {
        out.overLimit = true;
        count = kMaxPositions;
    }
    out.pos.reserve(size_t(count));
    for (int j = 0; j < count; ++j) {
        const Field& la = fields[size_t(2 * j)];
        const Field& lo = fields[size_t(2 * j + 1)];
        FigurePos p;
        p.lat = la.text.trimmed();
        p.lon = lo.text.trimmed();
        p.lat_deg = KelToDegrees(p.lat);
        p.lon_deg = KelToDegrees(p.lon);
        p.bang = la.bang || lo.bang;
        // An "&" that ends the latitude field stands where a "," would; it is no mark of the
        // position and reads the same as ",".
        p.amp = lo.amp;
        out.pos.push_back(std::move(p));
    }
    return out;
}

FigurePos PositionAt(double lat_deg, double lon_deg) {
    FigurePos p;
    p.lat = DegreesToKel(lat_deg);
    p.lon = DegreesToKel(lon_deg);
    p.lat_deg = KelToDegrees(p.lat);
    p.lon_deg = KelToDegrees(p.lon);
    return p;
}

FigurePos Shifted(const FigurePos& p, double dLat_deg, double dLon_deg) {
    FigurePos out = PositionAt(p.lat_deg + dLat_deg, p.lon_deg + dLon_deg);
    // A coordinate that does not move keeps its text (and the precision it was written in).
    if (dLat_deg == 0) out.lat = p.lat, out.lat_deg = p.lat_deg;
    if (dLon_deg == 0) out.lon = p.lon, out.lon_deg = p.lon_deg;
    out.bang = p.bang;
    out.amp = p.amp;
    return out;
}

QString WriteFigurePositions(const QString& arrow, const std::vector<FigurePos>& positions) {
    std::vector<PosEntry> entries;
    entries.reserve(positions.size());
    for (const FigurePos& p : positions) entries.push_back({p.lat, p.lon, p.bang, p.amp});
    const QString mark = arrow.trimmed();
    return WritePosList(entries, mark.isEmpty() ? QString() : mark + QLatin1Char(' '));
}

}  // namespace kel
