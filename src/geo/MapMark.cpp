#include "geo/MapMark.h"

#include <QRegularExpression>

#include "geo/Coordinates.h"

namespace kel {

bool IsMarkText(const QString& markText) {
    static const QRegularExpression kForm(QStringLiteral("^-?[0-9]+/[0-9]+/[0-9]{3,}$"));
    return kForm.match(markText.trimmed()).hasMatch();
}

QString MarkTextToKel(const QString& markText) {
    if (!IsMarkText(markText)) return QString();
    const QString text = markText.trimmed();
    return text.left(text.size() - 3) + QLatin1Char('.') + text.right(3);
}

QString MarkTextToKelTenths(const QString& markText) {
    if (!IsMarkText(markText)) return QString();
    const QString text = markText.trimmed();
    return text.left(text.size() - 3) + QLatin1Char('.') + text.at(text.size() - 3);
}

QString MarkProblemText(const QString& latText, const QString& lonText) {
    return QStringLiteral("マークの位置[") + latText + QLatin1Char(',') + lonText +
           QStringLiteral("]を読めません．地図をクリックしてマークを付け直してください．");
}

MarkPosition ReadMark(const MapMark* map) {
    MarkPosition out;
    if (!map) return out;
    const QString latText = map->MarkLatitude();
    const QString lonText = map->MarkLongitude();
    if (latText.trimmed().isEmpty() || lonText.trimmed().isEmpty()) return out;
    const QString lat = MarkTextToKel(latText);
    const QString lon = MarkTextToKel(lonText);
    if (lat.isEmpty() || lon.isEmpty()) {
        out.problem = MarkProblemText(latText, lonText);
        return out;
    }
    out.valid = true;
    out.lat_deg = KelToDegrees(lat);
    out.lon_deg = KelToDegrees(lon);
    return out;
}

}  // namespace kel
