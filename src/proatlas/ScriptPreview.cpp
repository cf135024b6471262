#include "proatlas/ScriptPreview.h"

#include <QHash>
#include <cmath>

#include "common/Values.h"
#include "geo/Geometry.h"
#include "geo/PosList.h"
#include "proatlas/MapContent.h"
#include "proatlas/MapView.h"
#include "script/ScriptFile.h"
#include "script/Statement.h"

namespace kel {

namespace {

constexpr double kPreviewPi = 3.14159265358979323846;
constexpr int kCirclePoints = 72;

struct GroupStyle {
    int text = RgbValue(0, 0, 0);
    int line = RgbValue(255, 0, 0);
    int area = RgbValue(0, 0, 255);
    int border = RgbValue(0, 0, 255);
    int lineStyle = 0;
    int borderStyle = 0;
    int areaFill = 2;       // hatched
    int lineWidth = 2;
    int borderWidth = 2;
};

// "line#2" -> 2; anything else 0 (solid).
int LineStyleCode(const QString& style) {
    const qsizetype hash = style.indexOf(QLatin1Char('#'));
    if (hash < 0) return 0;
    return std::clamp(int(Val(QStringView(style).mid(hash + 1))), 0, 4);
}

// "hatch#3" -> a hatched fill (codes 2 and up), "none" -> outline only, "paint"/"fill"/
// "solid" -> solid; unknown styles are hatched.
int AreaFillCode(const QString& style) {
    const QString s = style.trimmed().toLower();
    if (s.isEmpty() || s == QLatin1String("none")) return 0;
    if (s.startsWith(QLatin1String("paint")) || s.startsWith(QLatin1String("fill")) ||
        s.startsWith(QLatin1String("solid")))
        return 1;
    const qsizetype hash = s.indexOf(QLatin1Char('#'));
    return 2 + (hash < 0 ? 0 : std::abs(int(Val(QStringView(s).mid(hash + 1)))) % 6);
}

GroupStyle ReadGroup(const QString& text) {
    GroupStyle g;
    const auto v = [&](const char* name) { return GetParamValue(text, QString::fromLatin1(name)); };
    g.text = ParseRgbText(v("textrgb"), g.text);
    g.line = ParseRgbText(v("linergb"), g.line);
    g.area = ParseRgbText(v("areargb"), g.area);
    g.border = ParseRgbText(v("bodrrgb"), g.border);
    g.lineStyle = LineStyleCode(v("linestyle"));
    g.borderStyle = LineStyleCode(v("bodrstyle"));
    if (!v("areastyle").isEmpty()) g.areaFill = AreaFillCode(v("areastyle"));
    if (!v("linewidth").isEmpty()) g.lineWidth = std::clamp(int(Val(v("linewidth"))), 1, 12);
    if (!v("bodrwidth").isEmpty()) g.borderWidth = std::clamp(int(Val(v("bodrwidth"))), 1, 12);
    return g;
}

struct Shape {
    std::vector<double> lat;
    std::vector<double> lon;
    bool polygon = false;
    bool marker = false;
    double labelLat = 0;
    double labelLon = 0;
};

// The shape of a figure command; empty when its positions cannot be read.
Shape ShapeOf(const QString& word, const QString& text) {
    Shape s;
    const PosDegrees pos = ParsePosDegrees(GetParamValue(text, QStringLiteral("pos")));
    if (pos.count() == 0) return s;
    const double lat0 = pos.lat[0], lon0 = pos.lon[0];
    s.labelLat = lat0;
    s.labelLon = lon0;
    if (word == QLatin1String("point")) {
        s.lat = {lat0};
        s.lon = {lon0};
        s.marker = true;
    } else if (word == QLatin1String("line")) {
        s.lat = pos.lat;
        s.lon = pos.lon;
    } else if (word == QLatin1String("area")) {
        s.lat = pos.lat;
        s.lon = pos.lon;
        s.polygon = true;
        double la = 0, lo = 0;
        for (int i = 0; i < pos.count(); ++i) {
            la += pos.lat[size_t(i)];
            lo += pos.lon[size_t(i)];
        }
        s.labelLat = la / pos.count();
        s.labelLon = lo / pos.count();
    } else if (word == QLatin1String("circle")) {
        const double r = RadiusToDegrees(ParseRadius(GetParamValue(text, QStringLiteral("r"))));
        const double rLon = r / std::max(0.01, std::cos(lat0 * kPreviewPi / 180));
        for (int i = 0; i < kCirclePoints; ++i) {
            const double a = 2 * kPreviewPi * i / kCirclePoints;
            s.lat.push_back(lat0 + r * std::cos(a));
            s.lon.push_back(lon0 + rLon * std::sin(a));
        }
        s.polygon = true;
    } else if (word == QLatin1String("rect")) {
        double la0, lo0, la1, lo1;
        if (pos.count() >= 2) {
            la0 = lat0, lo0 = lon0, la1 = pos.lat[1], lo1 = pos.lon[1];
        } else {
            // One position: the centre of a rect of `width` x `height`.
            const double h = RadiusToDegrees(ParseRadius(GetParamValue(text, QStringLiteral("height")))) / 2;
            const double w = RadiusToDegrees(ParseRadius(GetParamValue(text, QStringLiteral("width")))) / 2 /
                             std::max(0.01, std::cos(lat0 * kPreviewPi / 180));
            if (h <= 0 && w <= 0) return s;
            la0 = lat0 - h, lo0 = lon0 - w, la1 = lat0 + h, lo1 = lon0 + w;
        }
        s.lat = {la0, la0, la1, la1};
        s.lon = {lo0, lo1, lo1, lo0};
        s.polygon = true;
        s.labelLat = (la0 + la1) / 2;
        s.labelLon = (lo0 + lo1) / 2;
    }
    return s;
}

GeoBox BoxOf(const Shape& s) {
    GeoBox b;
    for (size_t i = 0; i < s.lat.size(); ++i) b.Add(s.lat[i], s.lon[i]);
    return b;
}

}  // namespace

void ApplyPreviewView(MapView& view, const PreviewView& request) {
    switch (request.kind) {
    case PreviewView::Kind::kNone: break;
    case PreviewView::Kind::kFit:
        view.FitBox(request.box);
        // A box of one point (a single point figure) has no size: show a town around it.
        if (request.box.maxLat_deg - request.box.minLat_deg < 1e-9 &&
            request.box.maxLon_deg - request.box.minLon_deg < 1e-9)
            view.SetLayerScale(25000);
        break;
    case PreviewView::Kind::kCentre:
        view.centerLat_deg = request.lat_deg;
        view.centerLon_deg = request.lon_deg;
        break;
    }
    if (request.layerScale > 0) view.SetLayerScale(request.layerScale);
}

int ParseRgbText(const QString& text, int fallback) {
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 3) return fallback;
    int v[3];
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        v[i] = parts[i].trimmed().toInt(&ok);
        if (!ok) return fallback;
        v[i] = std::clamp(v[i], 0, 255);
    }
    return RgbValue(v[0], v[1], v[2]);
}

PreviewResult PreviewScriptFile(const QString& path, MapContent& map) {
    const ScriptReadResult file = ReadScriptFile(path);
    if (!file.ok) {
        PreviewResult r;
        r.error = file.error;
        return r;
    }
    return PreviewStatements(file.statements, map);
}

PreviewResult PreviewStatements(const QStringList& statements, MapContent& map) {
    PreviewResult r;
    r.ok = true;
    r.datum = DatumOfCommands(statements);
    QHash<QString, GroupStyle> groups;
    QHash<QString, GeoBox> byOid;
    GeoBox extent, first, last;
    QString dispText;
    for (const QString& text : statements) {
        const QString word = CommandWord(text);
        if (word == QLatin1String("group")) {
            groups.insert(GetParamValue(text, QStringLiteral("gid")), ReadGroup(text));
            continue;
        }
        if (word == QLatin1String("disp")) {
            if (dispText.isEmpty()) dispText = text;
            continue;
        }
        if (word != QLatin1String("point") && word != QLatin1String("line") &&
            word != QLatin1String("circle") && word != QLatin1String("rect") &&
            word != QLatin1String("area"))
            continue;
        const Shape s = ShapeOf(word, text);
        if (s.lat.empty()) {
            ++r.skipped;
            continue;
        }
        const GroupStyle g = groups.value(GetParamValue(text, QStringLiteral("gid")));
        ShapeStyle style;
        if (s.polygon) {
            style.lineColor = g.border;
            style.lineWidth = g.borderWidth;
            style.lineStyle = g.borderStyle;
            style.fillColor = g.area;
            style.hatchColor = g.area;
            style.fillStyle = g.areaFill;
        } else {
            style.lineColor = g.line;
            style.lineWidth = g.lineWidth;
            style.lineStyle = g.lineStyle;
            style.fillColor = g.line;
            style.marker = s.marker;
        }
        map.SetShapeStyle(style);
        std::vector<qint32> la, lo;
        for (size_t i = 0; i < s.lat.size(); ++i) {
            la.push_back(DegreesToMilliArc(s.lat[i]));
            lo.push_back(DegreesToMilliArc(s.lon[i]));
        }
        if (s.polygon) {
            la.push_back(la.front());
            lo.push_back(lo.front());
        }
        const int n = int(la.size());
        if ((s.polygon ? map.AddPolygon(la, lo, n, false) : map.AddPolyLine(la, lo, n, false)) > 0)
            ++r.figures;
        const QString str = GetParamValue(text, QStringLiteral("str"));
        if (!str.isEmpty()) {
            map.AddLabel(s.labelLat, s.labelLon, str, g.text);
            ++r.labels;
        }
        const GeoBox box = BoxOf(s);
        extent.Add(box.minLat_deg, box.minLon_deg);
        extent.Add(box.maxLat_deg, box.maxLon_deg);
        if (first.IsEmpty()) first = box;
        last = box;
        const QString oid = GetParamValue(text, QStringLiteral("oid"));
        if (!oid.isEmpty() && !byOid.contains(oid)) byOid.insert(oid, box);
    }

    // The view: what `disp` asks for, else every figure.
    r.view.kind = extent.IsEmpty() ? PreviewView::Kind::kNone : PreviewView::Kind::kFit;
    r.view.box = extent;
    if (!dispText.isEmpty()) {
        const QString mode = GetWordAfter(dispText, QStringLiteral("disp"));
        const QString value = GetParamValue(dispText, mode);
        const double scale = Val(GetParamValue(dispText, QStringLiteral("scale")));
        if (scale > 0) r.view.layerScale = scale;
        const auto fit = [&](const GeoBox& b) {
            if (b.IsEmpty()) return;
            r.view.kind = PreviewView::Kind::kFit;
            r.view.box = b;
        };
        if (mode == QLatin1String("first")) {
            fit(first);
        } else if (mode == QLatin1String("last")) {
            fit(last);
        } else if (mode == QLatin1String("oid")) {
            fit(byOid.value(value));
        } else if (mode == QLatin1String("pos") || mode == QLatin1String("area")) {
            const PosDegrees pos = ParsePosDegrees(value);
            if (pos.count() == 1) {
                r.view.kind = PreviewView::Kind::kCentre;
                r.view.lat_deg = pos.lat[0];
                r.view.lon_deg = pos.lon[0];
            } else if (pos.count() > 1) {
                GeoBox b;
                for (int i = 0; i < pos.count(); ++i) b.Add(pos.lat[size_t(i)], pos.lon[size_t(i)]);
                fit(b);
            }
        }
        // With a scale the view centres on what it would have shown whole.
        if (r.view.layerScale > 0 && r.view.kind == PreviewView::Kind::kFit) {
            r.view.kind = PreviewView::Kind::kCentre;
            r.view.lat_deg = (r.view.box.minLat_deg + r.view.box.maxLat_deg) / 2;
            r.view.lon_deg = (r.view.box.minLon_deg + r.view.box.maxLon_deg) / 2;
        }
    }
    return r;
}

}  // namespace kel
