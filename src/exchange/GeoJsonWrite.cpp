// KEL -> GeoJSON: one Feature per figure command, one Feature per line of the file.
#include <GeographicLib/Geodesic.hpp>
#include <QHash>
#include <cmath>

#include "exchange/ExchangeText.h"
#include "exchange/GeoJson.h"
#include "geo/Geometry.h"
#include "geo/PosList.h"
#include "script/SlotTable.h"
#include "script/Statement.h"

namespace kel {

namespace {

using Ring = std::vector<std::pair<double, double>>;  // (lat, lon) in WGS84

bool IsFigureWord(const QString& word) {
    return word == QLatin1String("point") || word == QLatin1String("line") ||
           word == QLatin1String("circle") || word == QLatin1String("rect") ||
           word == QLatin1String("area");
}

// "255,0,128" -> "#ff0080"; empty when the text is not three numbers of 0..255.
QByteArray HexColour(const QString& rgb) {
    const QStringList parts = rgb.split(QLatin1Char(','));
    if (parts.size() != 3) return {};
    QByteArray out = "#";
    for (const QString& p : parts) {
        bool ok = false;
        const int v = p.trimmed().toInt(&ok);
        if (!ok || v < 0 || v > 255) return {};
        out += QByteArray::number(v, 16).rightJustified(2, '0');
    }
    return out;
}

class Writer {
public:
    Writer(const QStringList& texts, const GeoJsonOptions& options) : options_(options) {
        const Datum datum = DatumOfCommands(texts);
        shift_ = DatumShift(datum, Datum::Wgs84());
        if (!datum.known()) {
            result_.unknownDatum = datum.name;
            AddExchangeNote(result_.notes, QStringLiteral("the script's datum \"%1\" is not known; "
                                                          "positions are written unconverted")
                                               .arg(datum.name));
        }
        for (const QString& t : texts) {
            if (CommandWord(t) != QLatin1String("group")) continue;
            Slots s;
            ParseStatement(t, s);
            if (!groups_.contains(s[1])) groups_.insert(s[1], s);
        }
    }

    void Add(int index, const QString& text) {
        const QString word = CommandWord(text);
        if (!IsFigureWord(word)) return;
        const CommandDef* def = FindCommand(word);
        if (!def) return;
        Slots s;
        ParseStatement(text, s);
        QString posText;
        QByteArray props = "\"kel\":" + JsonQuoted(word);
        QString r, width, height, gid;
        for (size_t i = 0; i < def->params.size(); ++i) {
            const QString& name = def->params[i].name;
            const QString& value = s[int(i) + 1];
            if (name == QLatin1String("pos")) {
                posText = value;
                continue;
            }
            if (name == QLatin1String("r")) r = value;
            if (name == QLatin1String("width")) width = value;
            if (name == QLatin1String("height")) height = value;
            if (name == QLatin1String("gid")) gid = value;
            if (!value.isEmpty()) props += "," + JsonQuoted(name) + ":" + JsonQuoted(value);
        }
        PosDegrees pos = ParsePosDegrees(posText);
        if (pos.count() == 0) {
            ++result_.skipped;
            AddExchangeNote(result_.notes, QStringLiteral("line %1: %2 has no position; not exported").arg(index).arg(word));
            return;
        }
        if (pos.truncated)
            AddExchangeNote(result_.notes, QStringLiteral("line %1: %2 holds more than %3 positions; the rest are not exported")
                                               .arg(index).arg(word).arg(kMaxPositions));
        Ring ring;
        ring.reserve(pos.lat.size() + 1);
        for (size_t i = 0; i < pos.lat.size(); ++i) {
            double lat = pos.lat[i], lon = pos.lon[i];
            shift_.Apply(lat, lon);
            ring.emplace_back(lat, lon);
        }
        QByteArray geometry;
        const char* role = "line";  // which group colours style the figure
        if (word == QLatin1String("point")) {
            geometry = Point(ring[0]);
            role = "point";
        } else if (word == QLatin1String("line")) {
            geometry = ring.size() > 1 ? Line(ring) : Point(ring[0]);
        } else if (word == QLatin1String("area")) {
            geometry = ring.size() > 2 ? Polygon(ring) : ring.size() > 1 ? Line(ring) : Point(ring[0]);
            role = "area";
        } else if (word == QLatin1String("rect")) {
            geometry = Polygon(RectCorners(ring, width, height));
            role = "area";
        } else {  // circle
            const double r_m = ParseRadius(r) * 1000;
            props += ",\"radius_m\":" + QByteArray::number(r_m, 'g', 12);
            geometry = options_.circlePolygons && r_m > 0 ? Polygon(CircleRing(ring[0], r_m)) : Point(ring[0]);
            role = "area";
        }
        props += GroupProperties(gid, role);
        result_.json += QByteArray(result_.features == 0 ? "\n" : ",\n") +
                        "{\"type\":\"Feature\",\"geometry\":" + geometry + ",\"properties\":{" + props + "}}";
        ++result_.features;
    }

    GeoJsonResult Finish() {
        result_.json = "{\"type\":\"FeatureCollection\",\"features\":[" + result_.json + "\n]}\n";
        return std::move(result_);
    }

private:
    static QByteArray Coord(const std::pair<double, double>& p) {
        return "[" + DegreesText(p.second) + "," + DegreesText(p.first) + "]";
    }
    static QByteArray Point(const std::pair<double, double>& p) {
        return "{\"type\":\"Point\",\"coordinates\":" + Coord(p) + "}";
    }
    static QByteArray Coords(const Ring& ring) {
        QByteArray out = "[";
        for (size_t i = 0; i < ring.size(); ++i) out += (i ? "," : "") + Coord(ring[i]);
        return out + "]";
    }
    static QByteArray Line(const Ring& ring) {
        return "{\"type\":\"LineString\",\"coordinates\":" + Coords(ring) + "}";
    }
    // The outer ring, closed, counter-clockwise as RFC 7946 asks.
    static QByteArray Polygon(Ring ring) {
        double twiceArea = 0;
        for (size_t i = 0; i < ring.size(); ++i) {
            const auto& a = ring[i];
            const auto& b = ring[(i + 1) % ring.size()];
            twiceArea += a.second * b.first - b.second * a.first;
        }
        if (twiceArea < 0) std::reverse(ring.begin(), ring.end());
        if (ring.front() != ring.back()) ring.push_back(ring.front());
        return "{\"type\":\"Polygon\",\"coordinates\":[" + Coords(ring) + "]}";
    }

    // Four corners from two opposite ones, or a width x height rectangle around one.
    static Ring RectCorners(const Ring& pos, const QString& width, const QString& height) {
        if (pos.size() >= 2) {
            const auto [lat1, lon1] = pos[0];
            const auto [lat2, lon2] = pos[1];
            return {{lat1, lon1}, {lat1, lon2}, {lat2, lon2}, {lat2, lon1}};
        }
        double w_m = ParseRadius(width) * 1000, h_m = ParseRadius(height) * 1000;
        if (w_m == 0) w_m = h_m;
        if (h_m == 0) h_m = w_m;
        const GeographicLib::Geodesic& g = GeographicLib::Geodesic::WGS84();
        const auto [lat, lon] = pos[0];
        double north, south, east, west, dummy;
        g.Direct(lat, lon, 0, h_m / 2, north, dummy);
        g.Direct(lat, lon, 180, h_m / 2, south, dummy);
        g.Direct(lat, lon, 90, w_m / 2, dummy, east);
        g.Direct(lat, lon, -90, w_m / 2, dummy, west);
        return {{south, west}, {south, east}, {north, east}, {north, west}};
    }

    Ring CircleRing(const std::pair<double, double>& centre, double r_m) const {
        const GeographicLib::Geodesic& g = GeographicLib::Geodesic::WGS84();
        const int n = std::max(8, options_.circleSegments);
        Ring ring;
        for (int i = 0; i < n; ++i) {
            double lat, lon;
            g.Direct(centre.first, centre.second, -360.0 * i / n, r_m, lat, lon);
            ring.emplace_back(lat, lon);
        }
        return ring;
    }

    QByteArray GroupProperties(const QString& gid, const char* role) const {
        const auto it = groups_.constFind(gid);
        if (gid.isEmpty() || it == groups_.constEnd()) return {};
        const CommandDef* def = FindCommand(QStringLiteral("group"));
        QByteArray out;
        QHash<QString, QString> values;
        for (size_t i = 0; i < def->params.size(); ++i) {
            const QString& name = def->params[i].name;
            const QString& value = (*it)[int(i) + 1];
            if (name == QLatin1String("gid") || value.isEmpty()) continue;
            values.insert(name, value);
            out += "," + JsonQuoted(name) + ":" + JsonQuoted(value);
        }
        const bool area = qstrcmp(role, "area") == 0;
        const QByteArray stroke = HexColour(values.value(area ? QStringLiteral("bodrrgb") : QStringLiteral("linergb")));
        const QString widthText = values.value(area ? QStringLiteral("bodrwidth") : QStringLiteral("linewidth"));
        if (qstrcmp(role, "point") == 0) {
            const QByteArray colour = HexColour(values.value(QStringLiteral("textrgb")));
            if (!colour.isEmpty()) out += ",\"marker-color\":\"" + colour + "\"";
            return out;
        }
        if (!stroke.isEmpty()) out += ",\"stroke\":\"" + stroke + "\"";
        bool ok = false;
        const double w = widthText.toDouble(&ok);
        if (ok) out += ",\"stroke-width\":" + QByteArray::number(w, 'g', 12);
        if (area) {
            const QByteArray fill = HexColour(values.value(QStringLiteral("areargb")));
            if (!fill.isEmpty()) out += ",\"fill\":\"" + fill + "\"";
        }
        return out;
    }

    const GeoJsonOptions& options_;
    DatumShift shift_;
    QHash<QString, Slots> groups_;
    GeoJsonResult result_;
};

}  // namespace

GeoJsonResult ConvertCommandsToGeoJson(const QStringList& commandTexts, const QList<int>& only,
                                       const GeoJsonOptions& options) {
    Writer w(commandTexts, options);
    if (only.isEmpty()) {
        for (qsizetype i = 0; i < commandTexts.size(); ++i) w.Add(int(i), commandTexts[i]);
    } else {
        for (int i : only)
            if (i >= 0 && i < commandTexts.size()) w.Add(i, commandTexts[i]);
    }
    return w.Finish();
}

QString GeoJsonResult::Summary() const {
    if (!ok) return error;
    QString text = QStringLiteral("%1 %2").arg(features).arg(features == 1 ? QStringLiteral("feature") : QStringLiteral("features"));
    if (skipped > 0) text += QStringLiteral("; %1 skipped").arg(skipped);
    if (changedValues > 0) text += QStringLiteral("; %1 values changed to fit a script").arg(changedValues);
    if (!unknownDatum.isEmpty())
        text += QStringLiteral("; datum \"%1\" is not known: positions unconverted").arg(unknownDatum);
    return text;
}

}  // namespace kel
