#include "proatlas/MapView.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "geo/Coordinates.h"

namespace kel {

namespace {
constexpr double kMaxLat = 85.0;
}  // namespace

double MercatorY(double lat_deg) {
    const double phi = std::clamp(lat_deg, -kMaxLat, kMaxLat) * std::numbers::pi / 180.0;
    return std::log(std::tan(std::numbers::pi / 4 + phi / 2)) * 180.0 / std::numbers::pi;
}

double MercatorLat(double y) {
    return std::atan(std::sinh(y * std::numbers::pi / 180.0)) * 180.0 / std::numbers::pi;
}

QPointF MapView::ToScreen(double lat_deg, double lon_deg) const {
    return {size.width() / 2.0 + (lon_deg - centerLon_deg) * pxPerDeg,
            size.height() / 2.0 - (MercatorY(lat_deg) - MercatorY(centerLat_deg)) * pxPerDeg};
}

std::pair<double, double> MapView::ToGeo(QPointF p) const {
    const double lon = centerLon_deg + (p.x() - size.width() / 2.0) / pxPerDeg;
    const double y = MercatorY(centerLat_deg) - (p.y() - size.height() / 2.0) / pxPerDeg;
    return {MercatorLat(y), lon};
}

GeoBox MapView::Box() const {
    const auto [lat0, lon0] = ToGeo(QPointF(0, size.height()));
    const auto [lat1, lon1] = ToGeo(QPointF(size.width(), 0));
    GeoBox b;
    b.Add(lat0, lon0);
    b.Add(lat1, lon1);
    return b;
}

double MapView::LayerScale() const {
    const double metresPerPixel =
        kMetresPerDegree * std::cos(centerLat_deg * std::numbers::pi / 180.0) / pxPerDeg;
    return metresPerPixel / kMetresPerScreenPixel;
}

void MapView::SetLayerScale(double scale) {
    scale = std::clamp(scale, kMinLayerScale, kMaxLayerScale);
    pxPerDeg = kMetresPerDegree * std::cos(centerLat_deg * std::numbers::pi / 180.0) /
               (scale * kMetresPerScreenPixel);
}

void MapView::ZoomAbout(QPointF anchor, double factor) {
    const auto [lat, lon] = ToGeo(anchor);
    const double oldScale = LayerScale();
    const double newScale = std::clamp(oldScale / factor, kMinLayerScale, kMaxLayerScale);
    pxPerDeg *= oldScale / newScale;
    // Put (lat, lon) back under the anchor.
    centerLon_deg = lon - (anchor.x() - size.width() / 2.0) / pxPerDeg;
    const double y = MercatorY(lat) + (anchor.y() - size.height() / 2.0) / pxPerDeg;
    centerLat_deg = std::clamp(MercatorLat(y), -kMaxLat, kMaxLat);
}

void MapView::PanBy(QPointF delta) {
    centerLon_deg -= delta.x() / pxPerDeg;
    const double y = MercatorY(centerLat_deg) + delta.y() / pxPerDeg;
    centerLat_deg = std::clamp(MercatorLat(y), -kMaxLat, kMaxLat);
    if (centerLon_deg > 540) centerLon_deg -= 360;
    if (centerLon_deg < -540) centerLon_deg += 360;
}

void MapView::FitBox(const GeoBox& box, double marginPx) {
    if (box.IsEmpty()) return;
    const double y0 = MercatorY(box.minLat_deg), y1 = MercatorY(box.maxLat_deg);
    centerLon_deg = (box.minLon_deg + box.maxLon_deg) / 2;
    centerLat_deg = MercatorLat((y0 + y1) / 2);
    const double w = std::max(1.0, size.width() - 2 * marginPx);
    const double h = std::max(1.0, size.height() - 2 * marginPx);
    const double dLon = box.maxLon_deg - box.minLon_deg, dY = y1 - y0;
    if (dLon <= 0 && dY <= 0) return;
    double k = std::min(dLon > 0 ? w / dLon : 1e12, dY > 0 ? h / dY : 1e12);
    pxPerDeg = k;
    // Stay within the zoom limits.
    SetLayerScale(LayerScale());
}

QString KelPositionText(double lat_deg, double lon_deg) {
    return ConvertCoord(QString::number(lat_deg, 'f', 9), QStringLiteral("D"),
                        QStringLiteral("KEL")) +
           QLatin1Char(',') +
           ConvertCoord(QString::number(lon_deg, 'f', 9), QStringLiteral("D"),
                        QStringLiteral("KEL"));
}

}  // namespace kel
