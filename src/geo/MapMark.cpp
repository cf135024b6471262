#include "geo/MapMark.h"

#include "geo/Coordinates.h"

namespace kel {

QString MarkTextToKel(const QString& markText) {
    const QString text = markText.trimmed();
    if (text.isEmpty() || text.contains(QLatin1Char('.'))) return text;
    return text.left(qMax<qsizetype>(0, text.size() - 3)) + QLatin1Char('.') + text.right(3);
}

MarkPosition ReadMark(const MapMark* map) {
    MarkPosition out;
    if (!map) return out;
    const QString lat = MarkTextToKel(map->MarkLatitude());
    const QString lon = MarkTextToKel(map->MarkLongitude());
    if (lat.isEmpty() || lon.isEmpty()) return out;
    out.valid = true;
    out.lat_deg = KelToDegrees(lat);
    out.lon_deg = KelToDegrees(lon);
    return out;
}

}  // namespace kel
