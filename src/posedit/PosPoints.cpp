#include "posedit/PosPoints.h"

#include <cmath>

#include "geo/Coordinates.h"
#include "geo/FigurePositions.h"
#include "geo/PosList.h"
#include "proatlas/FigureDrawing.h"

namespace kel {

namespace {

const QString kKel = QStringLiteral("KEL");

// A coordinate in the "KEL" form, written anew (blanks and odd spellings go).
QString Normalised(const QString& field) { return ConvertCoord(field.trimmed(), kKel, kKel); }

}  // namespace

QString PosPoint::PlainLat() const { return Bang() ? lat.mid(1) : lat; }
QString PosPoint::PlainLon() const { return Amp() ? lon.chopped(1) : lon; }

QString PosListLine(const PosPoint& p) {
    return QStringLiteral("%1(%2)%3,%4")
        .arg(p.number, 4, 10, QLatin1Char('0'))
        .arg(p.labelId, 8, 10, QLatin1Char('0'))
        .arg(p.lat, p.lon);
}

std::vector<PosPoint> PointsOfPosText(const QString& posText) {
    // Fields as the position text's reader cuts them, marks kept with their field.
    QStringList fields{QString()};
    std::vector<char> bangs{0};
    std::vector<char> amps{0};
    const auto next = [&] {
        fields << QString();
        bangs.push_back(0);
        amps.push_back(0);
    };
    for (const QChar c : posText) {
        switch (c.unicode()) {
            case u',': next(); break;
            case u'&': amps.back() = 1; next(); break;
            case u'!': bangs.back() = 1; break;
            case u'<': case u'>': case u'\n': case u'\r': break;
            default: fields.back() += c;
        }
    }
    std::vector<PosPoint> points;
    for (qsizetype k = 0; k + 1 < fields.size(); k += 2) {
        if (fields[k].trimmed().isEmpty() && fields[k + 1].trimmed().isEmpty() && k + 2 >= fields.size())
            break;
        PosPoint p;
        p.number = int(points.size()) + 1;
        p.lat = (bangs[size_t(k)] ? QStringLiteral("!") : QString()) + Normalised(fields[k]);
        p.lon = Normalised(fields[k + 1]) + (amps[size_t(k + 1)] ? QStringLiteral("&") : QString());
        points.push_back(std::move(p));
    }
    return points;
}

QString KelOfDegrees(double deg) {
    const qint64 tenths = std::llround(deg * 36000.0);
    const qint64 d = tenths >= 0 ? tenths / 36000 : -((-tenths + 35999) / 36000);
    const qint64 rest = tenths - d * 36000;
    return QStringLiteral("%1/%2/%3.%4")
        .arg(d)
        .arg(rest / 600, 2, 10, QLatin1Char('0'))
        .arg(rest % 600 / 10, 2, 10, QLatin1Char('0'))
        .arg(rest % 10);
}

bool SamePosition(const PosPoint& a, const PosPoint& b) {
    return KelToDegrees(a.PlainLat()) == KelToDegrees(b.PlainLat()) &&
           KelToDegrees(a.PlainLon()) == KelToDegrees(b.PlainLon());
}

QString BuildPosText(const QString& kind, const QString& arrow, const std::vector<PosPoint>& points) {
    size_t n = points.size();
    if (kind == QLatin1String("point") || kind == QLatin1String("circle")) {
        n = std::min<size_t>(n, 1);
    } else if (kind == QLatin1String("rect") || kind == QLatin1String("circle1") ||
               kind == QLatin1String("circle2")) {
        n = std::min<size_t>(n, 2);
    }
    std::vector<PosEntry> entries;
    entries.reserve(n + 1);
    for (size_t i = 0; i < n; ++i) {
        const PosPoint& p = points[i];
        entries.push_back({p.PlainLat(), p.PlainLon(), p.Bang(), p.Amp()});
    }
    if (kind == QLatin1String("area") && n > 0 && !SamePosition(points[0], points[n - 1]))
        entries.push_back({points[0].PlainLat(), points[0].PlainLon(), false, false});
    return WritePosList(entries, kind == QLatin1String("line") ? arrow : QString());
}

QString SplitArrow(const QString& posText, QString* rest) {
    const QString arrow = ArrowPrefix(posText);
    if (rest) *rest = posText.mid(arrow.size());
    return arrow.size() == 1 ? arrow + QLatin1Char(' ') : arrow;
}

QString NextArrow(const QString& arrow) {
    if (arrow.isEmpty()) return QStringLiteral("> ");
    if (arrow == QLatin1String("> ")) return QStringLiteral("< ");
    if (arrow == QLatin1String("< ")) return QStringLiteral("<>");
    if (arrow == QLatin1String("<>")) return QString();
    return arrow;
}

QString NextKind(const QString& kind) {
    static const QStringList kCycle{QStringLiteral("point"),   QStringLiteral("line"),
                                    QStringLiteral("rect"),    QStringLiteral("circle1"),
                                    QStringLiteral("circle2"), QStringLiteral("area")};
    const qsizetype i = kCycle.indexOf(kind);
    return i < 0 ? kCycle[0] : kCycle[(i + 1) % kCycle.size()];
}

double PlaneDistance_km(double lat1_deg, double lon1_deg, double lat2_deg, double lon2_deg) {
    const double dLat = lat1_deg - lat2_deg, dLon = lon1_deg - lon2_deg;
    return std::sqrt(dLat * dLat + dLon * dLon) * 3.1415926 / 180.0 * 6378.0;
}

double SearchTolerance_km(double layerScale) { return kSnapTolerance * ScaleFactor(layerScale); }

}  // namespace kel
