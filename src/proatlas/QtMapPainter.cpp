#include "proatlas/QtMapPainter.h"

#include <QElapsedTimer>
#include <QFontMetrics>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "proatlas/BaseMap.h"
#include "proatlas/MapContent.h"
#include "proatlas/TileLayer.h"

namespace kel {

namespace {

QColor ColorOf(int rgb) { return QColor(RedOf(rgb), GreenOf(rgb), BlueOf(rgb)); }

const QColor kLand(246, 243, 234);
const QColor kShore(70, 95, 125);
const QColor kLake(70, 130, 200);
const QColor kRiver(120, 170, 225);
const QColor kBorder(150, 80, 150);
const QColor kGrid(120, 120, 120, 110);

void PaintBase(QPainter& p, const MapView& view, BaseMap* base, const MapPaintOptions& o,
               MapPaintStats& stats) {
    if (!base) return;
    const double degPerPx = 1.0 / view.pxPerDeg;
    const int want = BaseMap::LevelFor(degPerPx);
    const std::shared_ptr<const BaseLevelData> data = base->BestLevel(want, o.waitForBase);
    if (!data) {
        const auto coarse = base->LevelNow(0);
        if (coarse) stats.baseError = coarse->error;
        return;
    }
    if (!data->error.isEmpty()) stats.baseError = data->error;
    stats.baseLevel = int(std::lround(std::log2(20.0 / data->binSize_deg)));
    const GeoBox box = view.Box();
    const double size = data->binSize_deg;
    // Rivers of minor rank only when close in; intermittent ones and canals never.
    const int riverMax = degPerPx > 0.02 ? 1 : degPerPx > 0.002 ? 3 : 4;
    QPolygonF poly;
    for (int offset : {-360, 0, 360}) {
        for (int bin = 0; bin + 1 < int(data->binFirst.size()); ++bin) {
            const double south = data->BinSouth(bin), west = data->BinWest(bin) + offset;
            if (south > box.maxLat_deg || south + size < box.minLat_deg) continue;
            if (west > box.maxLon_deg || west + size < box.minLon_deg) continue;
            // The datum shift changes by a few metres across a bin: one shift, taken at the
            // bin's centre, serves all of its points.
            double dLat = 0, dLon = 0;
            if (!o.baseShift.IsIdentity()) {
                double lat = south + size / 2, lon = west - offset + size / 2;
                if (lon > 180) lon -= 360;
                const double lat0 = lat, lon0 = lon;
                o.baseShift.Apply(lat, lon);
                dLat = lat - lat0;
                dLon = lon - lon0;
            }
            for (quint32 k = data->binFirst[size_t(bin)]; k < data->binFirst[size_t(bin) + 1]; ++k) {
                const BaseLine& line = data->lines[k];
                if (line.kind == BaseKind::kRiver && line.level > riverMax) continue;
                if (line.kind == BaseKind::kBorder && line.level > 1 && degPerPx > 0.02) continue;
                poly.resize(qsizetype(line.count));
                for (quint32 i = 0; i < line.count; ++i)
                    poly[qsizetype(i)] = view.ToScreen(data->lat[line.first + i] + dLat,
                                                       data->lon[line.first + i] + offset + dLon);
                QPen pen;
                pen.setCosmetic(true);
                switch (line.kind) {
                case BaseKind::kShore:
                    pen.setColor(line.level == 1 || line.level == 3 ? kShore : kLake);
                    pen.setWidthF(1.2);
                    break;
                case BaseKind::kBorder:
                    pen.setColor(kBorder);
                    pen.setWidthF(line.level == 1 ? 1.2 : 0.8);
                    pen.setStyle(Qt::DashLine);
                    break;
                case BaseKind::kRiver:
                    pen.setColor(kRiver);
                    pen.setWidthF(1.0);
                    break;
                }
                p.setPen(pen);
                p.drawPolyline(poly);
                ++stats.baseLines;
            }
        }
    }
}

Qt::BrushStyle HatchOf(int fillStyle) {
    switch (fillStyle % 6) {
    case 0: return Qt::BDiagPattern;
    case 1: return Qt::FDiagPattern;
    case 2: return Qt::HorPattern;
    case 3: return Qt::VerPattern;
    case 4: return Qt::CrossPattern;
    default: return Qt::DiagCrossPattern;
    }
}

// Above this many figures in view, figures are drawn without smoothing (several times
// faster to fill, and no one tells the difference in such a crowd).
constexpr size_t kSmoothShapesMax = 2000;

void PaintShapes(QPainter& p, const MapView& view, const MapContent& content,
                 const MapPaintOptions& o, MapPaintStats& stats) {
    const GeoBox box = view.Box();
    const std::vector<const MapShape*> shapes = content.ShapesIn(box);
    const bool smooth = p.testRenderHint(QPainter::Antialiasing);
    if (shapes.size() > kSmoothShapesMax) p.setRenderHint(QPainter::Antialiasing, false);
    QElapsedTimer clock;
    clock.start();
    bool fills = true;
    QPolygonF poly;
    for (size_t k = 0; k < shapes.size(); ++k) {
        if (o.figureBudget_ms > 0 && k % 64 == 0) {
            const double spent = double(clock.nsecsElapsed()) / 1e6;
            if (spent > o.figureBudget_ms) {
                stats.shapesSkipped = int(shapes.size() - k);
                break;
            }
            fills = spent <= o.figureBudget_ms / 2;
        }
        const MapShape* s = shapes[k];
        const QColor line = ColorOf(s->style.lineColor);
        if (s->style.marker) {
            ++stats.shapes;
            const QPointF c = view.ToScreen(MilliArcToDegrees(s->lat_ms[0]), MilliArcToDegrees(s->lon_ms[0]));
            p.setPen(QPen(Qt::white, 1.5));
            p.setBrush(line);
            p.drawEllipse(c, 4.5, 4.5);
            continue;
        }
        const QPointF a = view.ToScreen(s->box.minLat_deg, s->box.minLon_deg);
        const QPointF b = view.ToScreen(s->box.maxLat_deg, s->box.maxLon_deg);
        ++stats.shapes;
        if (std::abs(b.x() - a.x()) < 1.5 && std::abs(b.y() - a.y()) < 1.5) {
            // Smaller than a pixel or two: a dot is all that can show.
            p.fillRect(QRectF((a + b) / 2 - QPointF(1, 1), QSizeF(2, 2)), line);
            continue;
        }
        poly.resize(qsizetype(s->lat_ms.size()));
        for (size_t i = 0; i < s->lat_ms.size(); ++i)
            poly[qsizetype(i)] = view.ToScreen(MilliArcToDegrees(s->lat_ms[i]), MilliArcToDegrees(s->lon_ms[i]));
        QPen pen(line);
        pen.setWidthF(std::clamp(double(s->style.lineWidth), 1.0, 12.0));
        pen.setCosmetic(true);
        pen.setJoinStyle(Qt::RoundJoin);
        static constexpr Qt::PenStyle kLineStyles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine,
                                                       Qt::DashDotLine, Qt::DashDotDotLine};
        pen.setStyle(kLineStyles[std::clamp(s->style.lineStyle, 0, 4)]);
        p.setPen(pen);
        if (!s->polygon) {
            p.setBrush(Qt::NoBrush);
            p.drawPolyline(poly);
            continue;
        }
        if (s->style.fillStyle == 0 || !fills) {
            p.setBrush(Qt::NoBrush);
        } else if (s->style.fillStyle == 1) {
            QColor fill = ColorOf(s->style.fillColor);
            fill.setAlpha(70);  // the map stays readable under a filled figure
            p.setBrush(fill);
        } else {
            p.setBrush(QBrush(ColorOf(s->style.hatchColor), HatchOf(s->style.fillStyle)));
        }
        p.drawPolygon(poly);
    }
    p.setRenderHint(QPainter::Antialiasing, smooth);
}

void PaintHaloText(QPainter& p, QPointF at, const QString& text, const QColor& color) {
    QPainterPath path;
    path.addText(at, p.font(), text);
    p.setPen(QPen(QColor(255, 255, 255, 220), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawPath(path);
}

void PaintTexts(QPainter& p, const MapView& view, const MapContent& content) {
    const GeoBox box = view.Box();
    QFont f = p.font();
    f.setPointSizeF(9);
    p.setFont(f);
    int shown = 0;
    for (const auto& [id, t] : content.Texts()) {
        if (t.lat_deg < box.minLat_deg || t.lat_deg > box.maxLat_deg || t.lon_deg < box.minLon_deg ||
            t.lon_deg > box.maxLon_deg)
            continue;
        if (++shown > 3000) break;  // beyond this labels only hide each other
        PaintHaloText(p, view.ToScreen(t.lat_deg, t.lon_deg) + QPointF(4, -4), t.text, ColorOf(t.color));
    }
}

QString GridLabel(double deg, double step) {
    // Whole degrees as "35", minutes as "35/30", seconds as "35/30/15".
    const double total_s = std::round(std::abs(deg) * 3600.0);
    const long long d = (long long)(total_s / 3600), m = (long long)(std::fmod(total_s, 3600.0) / 60),
                    s = (long long)std::fmod(total_s, 60.0);
    const QString sign = deg < 0 ? QStringLiteral("-") : QString();
    if (step >= 1) return sign + QString::number(d);
    if (step >= 1.0 / 60) return sign + QStringLiteral("%1/%2").arg(d).arg(m, 2, 10, QLatin1Char('0'));
    return sign + QStringLiteral("%1/%2/%3").arg(d).arg(m, 2, 10, QLatin1Char('0')).arg(s, 2, 10, QLatin1Char('0'));
}

void PaintGrid(QPainter& p, const MapView& view) {
    const GeoBox box = view.Box();
    const double step = GridStep_deg(view.pxPerDeg);
    QPen pen(kGrid);
    pen.setCosmetic(true);
    pen.setStyle(Qt::DotLine);
    QFont f = p.font();
    f.setPointSizeF(8);
    p.setFont(f);
    const QColor labelColor(60, 60, 60);
    const double w = view.size.width(), h = view.size.height();
    for (double lon = std::ceil(box.minLon_deg / step) * step; lon <= box.maxLon_deg; lon += step) {
        const double x = view.ToScreen(view.centerLat_deg, lon).x();
        p.setPen(pen);
        p.drawLine(QPointF(x, 0), QPointF(x, h));
        PaintHaloText(p, QPointF(x + 3, h - 4), GridLabel(lon, step), labelColor);
    }
    for (double lat = std::ceil(box.minLat_deg / step) * step; lat <= box.maxLat_deg; lat += step) {
        const double y = view.ToScreen(lat, view.centerLon_deg).y();
        p.setPen(pen);
        p.drawLine(QPointF(0, y), QPointF(w, y));
        PaintHaloText(p, QPointF(3, y - 3), GridLabel(lat, step), labelColor);
    }
}

void PaintScaleBar(QPainter& p, const MapView& view) {
    const double len_m = ScaleBarLength_m(view);
    const double metresPerPx = view.LayerScale() * kMetresPerScreenPixel;
    const double px = len_m / metresPerPx;
    const QPointF origin(16, view.size.height() - 26);
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(origin, origin + QPointF(px, 0));
    p.drawLine(origin, origin + QPointF(0, -6));
    p.drawLine(origin + QPointF(px, 0), origin + QPointF(px, -6));
    const QString len = len_m >= 1000 ? QStringLiteral("%1 km").arg(len_m / 1000)
                                      : QStringLiteral("%1 m").arg(len_m);
    QFont f = p.font();
    f.setPointSizeF(8);
    p.setFont(f);
    PaintHaloText(p, origin + QPointF(0, -9),
                  len + QStringLiteral("   1:") + QLocale(QLocale::English).toString(qint64(std::llround(view.LayerScale()))),
                  Qt::black);
}

void PaintTiles(QPainter& p, const MapView& view, const MapPaintOptions& o) {
    const int z = TileZoomFor(view.pxPerDeg);
    const GeoBox box = view.Box();
    const TileId nw = TileAt(z, box.maxLat_deg, std::max(-180.0, box.minLon_deg));
    const TileId se = TileAt(z, box.minLat_deg, std::min(179.999999, box.maxLon_deg));
    if ((se.x - nw.x + 1) * (se.y - nw.y + 1) > 400) return;  // never a flood of requests
    // Tiles are in WGS84 as the base map is: moved into the figures' datum by the shift at
    // the view's centre (it changes by metres across a view of a city).
    double dLat = 0, dLon = 0;
    if (!o.baseShift.IsIdentity()) {
        double lat = view.centerLat_deg, lon = view.centerLon_deg;
        o.baseShift.Apply(lat, lon);
        dLat = lat - view.centerLat_deg;
        dLon = lon - view.centerLon_deg;
    }
    p.save();
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    for (int y = nw.y; y <= se.y; ++y)
        for (int x = nw.x; x <= se.x; ++x) {
            const QImage* img = o.tile(TileId{z, x, y});
            if (!img || img->isNull()) continue;
            const QPointF a = view.ToScreen(TileLat(z, y) + dLat, TileLon(z, x) + dLon);
            const QPointF b = view.ToScreen(TileLat(z, y + 1) + dLat, TileLon(z, x + 1) + dLon);
            p.drawImage(QRectF(a, b), *img);
        }
    p.restore();
}

void PaintMark(QPainter& p, const MapView& view, const MapContent& content) {
    if (!content.HasMark()) return;
    const QPointF c = view.ToScreen(content.MarkLat(), content.MarkLon());
    p.setPen(QPen(QColor(220, 0, 0), 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, 6, 6);
    p.drawLine(c - QPointF(11, 0), c + QPointF(11, 0));
    p.drawLine(c - QPointF(0, 11), c + QPointF(0, 11));
}

}  // namespace

double GridStep_deg(double pxPerDeg, double minPx) {
    static constexpr double kSteps[] = {30, 10, 5, 2, 1, 30 / 60.0, 20 / 60.0, 10 / 60.0,
                                        5 / 60.0, 2 / 60.0, 1 / 60.0, 30 / 3600.0, 20 / 3600.0,
                                        10 / 3600.0, 5 / 3600.0, 2 / 3600.0, 1 / 3600.0};
    double best = kSteps[0];
    for (double s : kSteps) {
        if (s * pxPerDeg < minPx) break;
        best = s;
    }
    return best;
}

int TileZoomFor(double pxPerDeg) {
    const double z = std::log2(pxPerDeg * 360.0 / kTileSize);
    return std::clamp(int(std::lround(z)), 0, kMaxTileZoom);
}

double ScaleBarLength_m(const MapView& view, double maxPx) {
    const double metresPerPx = view.LayerScale() * kMetresPerScreenPixel;
    const double maxLen = metresPerPx * maxPx;
    double len = std::pow(10.0, std::floor(std::log10(maxLen)));
    for (double k : {5.0, 2.0, 1.0})
        if (len * k <= maxLen) return len * k;
    return len;
}

MapPaintStats PaintMap(QPainter& p, const MapView& view, BaseMap* base, const MapContent& content,
                       const MapPaintOptions& options) {
    MapPaintStats stats;
    p.fillRect(QRect(QPoint(0, 0), view.size), kLand);
    if (options.tile) PaintTiles(p, view, options);
    p.setRenderHint(QPainter::Antialiasing, true);
    PaintBase(p, view, base, options, stats);
    if (options.grid) PaintGrid(p, view);
    PaintShapes(p, view, content, options, stats);
    PaintTexts(p, view, content);
    PaintMark(p, view, content);
    if (options.scaleBar) PaintScaleBar(p, view);
    if (options.tile && !options.attribution.isEmpty()) {
        QFont f = p.font();
        f.setPointSizeF(7.5);
        p.setFont(f);
        const QFontMetricsF m(f);
        PaintHaloText(p, QPointF(view.size.width() - m.horizontalAdvance(options.attribution) - 6,
                                 view.size.height() - 6),
                      options.attribution, QColor(40, 40, 40));
    }
    return stats;
}

}  // namespace kel
