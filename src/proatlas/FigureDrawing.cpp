#include "proatlas/FigureDrawing.h"

#include <cmath>
#include <cstdlib>
#include <vector>

#include "geo/PosList.h"
#include "proatlas/ProAtlas.h"

namespace kel {

namespace {

// Colours of the 16-colour console palette used by the styles.
constexpr int kBlue = RgbValue(0, 0, 255);     // 9
constexpr int kGreen = RgbValue(0, 255, 0);    // 10
constexpr int kCyan = RgbValue(0, 255, 255);   // 11
constexpr int kRed = RgbValue(255, 0, 0);      // 12

struct Points {
    std::vector<qint32> lat;
    std::vector<qint32> lon;
    void Add(qint32 la, qint32 lo) {
        lat.push_back(la);
        lon.push_back(lo);
    }
    int Count() const { return int(lat.size()); }
};

// The corners of the square of half side d about (y, x), closed, with both diagonals
// when `diagonals`.
Points Square(qint64 y, qint64 x, qint64 d, bool diagonals) {
    const auto c = [](qint64 v) { return qint32(std::clamp<qint64>(v, INT32_MIN, INT32_MAX)); };
    Points p;
    p.Add(c(y - d), c(x - d));
    p.Add(c(y - d), c(x + d));
    p.Add(c(y + d), c(x + d));
    p.Add(c(y + d), c(x - d));
    p.Add(c(y - d), c(x - d));
    if (diagonals) {
        p.Add(c(y + d), c(x + d));
        p.Add(c(y + d), c(x - d));
        p.Add(c(y - d), c(x + d));
        p.Add(c(y - d), c(x - d));
    }
    return p;
}

}  // namespace

std::optional<FigureStyle> FigureStyleOf(const QString& name) {
    using C = StyleCondition;
    const QString star = QStringLiteral("*"), plus = QStringLiteral("+");
    if (name == kStyleNormal) return FigureStyle{kCyan, 4, kCyan, 1, kCyan, star, C::kSelectedViewOn};
    if (name == kStyleNormalAll) return FigureStyle{kCyan, 4, kCyan, 1, kCyan, star, C::kAlways};
    if (name == kStyleSingle) return FigureStyle{kRed, 1, kRed, 1, kRed, star, C::kCurrentFigureOn};
    if (name == kStyleSingleAll) return FigureStyle{kRed, 1, kRed, 1, kRed, star, C::kAlways};
    if (name == kStyleSnap) return FigureStyle{kBlue, 2, kBlue, 12, kBlue, plus, C::kAlways};
    if (name == kStyleSnapNode) return FigureStyle{kBlue, 3, kBlue, 0, kBlue, plus, C::kAlways};
    if (name == kStyleEdit) return FigureStyle{kGreen, 2, kGreen, 1, kGreen, plus, C::kAlways};
    if (name == kStyleDel) return FigureStyle{0, 0, 0, 0, 0, QString(), C::kAlways, true};
    return std::nullopt;
}

double ScaleFactor(double s) {
    struct Row {
        double atLeast;
        double factor;
    };
    static constexpr Row kRows[] = {
        {26000000, 10.0}, {5000000, 1.0}, {1500000, 0.5}, {535000, 0.2},
        {250000, 0.1},    {174000, 0.075}, {70000, 0.03}, {22000, 0.01},
        {12500, 0.004},   {5000, 0.002},
    };
    for (const Row& r : kRows)
        if (s >= r.atLeast) return r.factor;
    return 0.001;
}

double KmToMilliArc(double km) { return km / 6378.0 * 180.0 / 3.1415926 * 3600.0 * 1000.0; }

int DrawKel(ProAtlas* app, const FigureRecord& record, double markerSize) {
    if (!app) return 0;
    ProAtlas* map = app->Map();
    if (!map) return 0;
    const QString type = record.FigureType.toUpper();
    if (record.ObjIdNum < 0) {
        const int handle = std::abs(record.ObjIdNum);
        int answer = 0;
        if (type == QLatin1String("LINE")) {
            answer = map->DeletePolyLine(handle);
        } else if (type == QLatin1String("POINT") || type == QLatin1String("RECT") ||
                   type == QLatin1String("AREA") || type == QLatin1String("CIRCLE1") ||
                   type == QLatin1String("CIRCLE")) {
            answer = map->DeletePolygon(handle);
        } else {
            // The caller no longer knows what kind of shape the handle names: handles are
            // unique over both kinds, so one of the two removes it and the other finds
            // nothing. Leaving it would keep a figure on the map that the list forgot.
            answer = map->DeletePolygon(handle);
            if (answer != -1) answer = map->DeletePolyLine(handle);
        }
        return answer == -1 ? record.ObjIdNum : 0;
    }

    if (record.KelCmd.size() < 3) return 0;
    const PosDegrees pos = ParsePosDegrees(record.KelCmd);
    if (pos.count() == 0) return 0;
    Points pts;
    for (int i = 0; i < pos.count(); ++i)
        pts.Add(DegreesToMilliArc(pos.lat[size_t(i)]), DegreesToMilliArc(pos.lon[size_t(i)]));

    map->SetLineColor(record.MapLineColor);
    map->SetLineWidth(record.MapLineWidth);
    map->SetFillColor(record.MapFillColor);
    map->SetFillStyle(record.MapFillStyle);
    map->SetHatchColor(record.MapHatchColor);

    const auto polygon = [map](const Points& p) {
        return map->AddPolygon(p.lat, p.lon, p.Count(), true);
    };
    if (type == QLatin1String("POINT")) {
        const qint64 d = std::llround(KmToMilliArc(PointHalfSide_km(markerSize)));
        map->SetLineWidth(1);
        map->SetFillStyle(0);
        return polygon(Square(pts.lat[0], pts.lon[0], d, false));
    }
    if (type == QLatin1String("LINE")) return map->AddPolyLine(pts.lat, pts.lon, pts.Count(), true);
    if (type == QLatin1String("RECT")) {
        // A rect needs both corners; one position alone draws nothing.
        if (pts.Count() < 2) return 0;
        const qint32 x0 = pts.lat[0], y0 = pts.lon[0], x1 = pts.lat[1], y1 = pts.lon[1];
        Points r;
        r.Add(x0, y0);
        r.Add(x0, y1);
        r.Add(x1, y1);
        r.Add(x1, y0);
        r.Add(x0, y0);
        return polygon(r);
    }
    if (type == QLatin1String("AREA")) {
        pts.Add(pts.lat[0], pts.lon[0]);
        return polygon(pts);
    }
    if (type == QLatin1String("CIRCLE1")) {
        if (pts.Count() < 2) return 0;
        const qint64 r = std::llabs(qint64(pts.lat[1]) - qint64(pts.lat[0]));
        return polygon(Square(pts.lat[0], pts.lon[0], r, true));
    }
    return 0;
}

int MapFigureDisplay::DrawFigureObject(const QString& style, const QString& figureType,
                                       const QString& posText, int figure) {
    const std::optional<FigureStyle> s = FigureStyleOf(style);
    if (!s) return 0;
    if (s->condition == StyleCondition::kSelectedViewOn && !(selectedViewOn && selectedViewOn()))
        return 0;
    if (s->condition == StyleCondition::kCurrentFigureOn && !(currentFigureOn && currentFigureOn()))
        return 0;
    FigureRecord r;
    r.MapLineColor = s->lineColor;
    r.MapLineWidth = s->lineWidth;
    r.MapFillColor = s->fillColor;
    r.MapFillStyle = s->fillStyle;
    r.MapHatchColor = s->hatchColor;
    r.TextStr = s->marker;
    r.FigureType = figureType;
    r.KelCmd = posText;
    r.ObjIdNum = s->remove ? -std::abs(figure) : figure;
    if (s->remove && figure == 0) return 0;
    return DrawKel(app_, r, s->remove ? 0 : MarkerSize());
}

QString MapFigureDisplay::MarkLatitude() const { return app_ ? app_->MarkLatitude() : QString(); }
QString MapFigureDisplay::MarkLongitude() const { return app_ ? app_->MarkLongitude() : QString(); }

double MapFigureDisplay::MarkerSize() const {
    if (app_ && app_->Map()) scaleFactor_ = ScaleFactor(app_->Map()->LayerScale());
    return kPointSize * scaleFactor_;
}

}  // namespace kel
