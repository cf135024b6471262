// GeoJSON -> KEL: one figure command per Feature (per part of a Multi* geometry), one
// group command per gid whose features carry group styles.
#include <QDate>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <cmath>

#include "common/TextFile.h"
#include "exchange/ExchangeText.h"
#include "exchange/GeoJson.h"
#include "geo/PosList.h"
#include "script/SlotTable.h"
#include "script/Statement.h"
#include "script/StatementWriter.h"
#include "waypoint/KelWpt.h"

namespace kel {

namespace {

using Ring = std::vector<std::pair<double, double>>;  // (lat, lon)

// Properties the export derives from the group; they style web maps, not figures.
const QSet<QString> kDerived = {QStringLiteral("stroke"), QStringLiteral("stroke-width"),
                                QStringLiteral("fill"), QStringLiteral("marker-color"),
                                QStringLiteral("kel"), QStringLiteral("radius_m")};

QString ValueText(const QJsonValue& v) {
    switch (v.type()) {
    case QJsonValue::String: return v.toString();
    case QJsonValue::Double: {
        const double d = v.toDouble();
        return d == std::floor(d) && std::fabs(d) < 1e15 ? QString::number(qint64(d))
                                                         : QString::number(d, 'g', 15);
    }
    case QJsonValue::Bool: return v.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case QJsonValue::Array: return QString::fromUtf8(QJsonDocument(v.toArray()).toJson(QJsonDocument::Compact));
    case QJsonValue::Object: return QString::fromUtf8(QJsonDocument(v.toObject()).toJson(QJsonDocument::Compact));
    default: return QString();
    }
}

class Reader {
public:
    explicit Reader(const Datum& scriptDatum) : shift_(Datum::Wgs84(), scriptDatum) {}

    GeoJsonResult Run(const QByteArray& json) {
        QJsonParseError err;
        const QJsonDocument doc = QJsonDocument::fromJson(json, &err);
        if (err.error != QJsonParseError::NoError || !doc.isObject()) {
            result_.ok = false;
            result_.error = err.error != QJsonParseError::NoError
                                ? QStringLiteral("not a GeoJSON file: %1 at byte %2").arg(err.errorString()).arg(err.offset)
                                : QStringLiteral("not a GeoJSON file (no object at the top)");
            return std::move(result_);
        }
        const QJsonObject top = doc.object();
        const QString type = top.value(QLatin1String("type")).toString();
        if (type == QLatin1String("FeatureCollection")) {
            const QJsonArray features = top.value(QLatin1String("features")).toArray();
            for (qsizetype i = 0; i < features.size(); ++i) Feature(int(i), features[i].toObject());
        } else if (type == QLatin1String("Feature")) {
            Feature(0, top);
        } else if (!type.isEmpty()) {
            Geometry(0, top, {});
        } else {
            result_.ok = false;
            result_.error = QStringLiteral("not a GeoJSON file (no \"type\" at the top)");
            return std::move(result_);
        }
        Assemble();
        return std::move(result_);
    }

private:
    void Skip(int feature, const QString& why) {
        ++result_.skipped;
        AddExchangeNote(result_.notes, QStringLiteral("feature %1: %2; skipped").arg(feature).arg(why));
    }

    void Feature(int index, const QJsonObject& f) {
        const QJsonValue g = f.value(QLatin1String("geometry"));
        if (!g.isObject()) {
            Skip(index, QStringLiteral("no geometry"));
            return;
        }
        Geometry(index, g.toObject(), f.value(QLatin1String("properties")).toObject());
    }

    // One position [lon, lat(, height)] in the script's datum; false when unusable.
    bool Position(const QJsonValue& v, std::pair<double, double>& out) const {
        const QJsonArray a = v.toArray();
        if (a.size() < 2 || !a[0].isDouble() || !a[1].isDouble()) return false;
        double lon = a[0].toDouble(), lat = a[1].toDouble();
        if (!std::isfinite(lat) || !std::isfinite(lon) || std::fabs(lat) > 90 || std::fabs(lon) > 180) return false;
        shift_.Apply(lat, lon);
        out = {lat, lon};
        return true;
    }

    bool Positions(const QJsonValue& v, Ring& out) const {
        const QJsonArray a = v.toArray();
        out.clear();
        for (const QJsonValue& p : a) {
            std::pair<double, double> ll;
            if (!Position(p, ll)) return false;
            out.push_back(ll);
        }
        return !out.empty();
    }

    void Geometry(int index, const QJsonObject& g, const QJsonObject& props) {
        const QString type = g.value(QLatin1String("type")).toString();
        const QJsonValue coords = g.value(QLatin1String("coordinates"));
        const QString bad = QStringLiteral("%1 with coordinates that are not longitude, latitude pairs").arg(type);
        Ring ring;
        if (type == QLatin1String("Point")) {
            std::pair<double, double> p;
            if (!Position(coords, p)) return Skip(index, bad);
            Figure(index, QStringLiteral("point"), {p}, props);
        } else if (type == QLatin1String("LineString")) {
            if (!Positions(coords, ring)) return Skip(index, bad);
            Figure(index, QStringLiteral("line"), ring, props);
        } else if (type == QLatin1String("Polygon")) {
            const QJsonArray rings = coords.toArray();
            if (rings.isEmpty() || !Positions(rings[0], ring)) return Skip(index, bad);
            if (rings.size() > 1)
                AddExchangeNote(result_.notes, QStringLiteral("feature %1: %2 holes of a polygon not imported")
                                                   .arg(index).arg(rings.size() - 1));
            if (ring.size() > 1 && ring.front() == ring.back()) ring.pop_back();
            Figure(index, QStringLiteral("area"), ring, props);
        } else if (type.startsWith(QLatin1String("Multi")) && type.size() > 5) {
            QJsonObject part;
            part.insert(QLatin1String("type"), type.mid(5));
            for (const QJsonValue& c : coords.toArray()) {
                part.insert(QLatin1String("coordinates"), c);
                Geometry(index, part, props);
            }
        } else if (type == QLatin1String("GeometryCollection")) {
            for (const QJsonValue& part : g.value(QLatin1String("geometries")).toArray())
                Geometry(index, part.toObject(), props);
        } else {
            Skip(index, QStringLiteral("geometry type \"%1\" is not known").arg(type));
        }
    }

    void Figure(int index, QString word, Ring ring, const QJsonObject& props) {
        const QString kelWord = props.value(QLatin1String("kel")).toString();
        // The figure type the export wrote, when the geometry fits it.
        if (word == QLatin1String("point") && (kelWord == QLatin1String("circle") || props.contains(QLatin1String("radius_m"))))
            word = QStringLiteral("circle");
        if (word == QLatin1String("area") && (kelWord == QLatin1String("rect") || kelWord == QLatin1String("circle")))
            word = kelWord;
        if (word == QLatin1String("line") && kelWord == QLatin1String("area")) word = kelWord;
        if (word == QLatin1String("point") && (kelWord == QLatin1String("line") || kelWord == QLatin1String("area")))
            word = kelWord;
        const bool hasSize = props.contains(QLatin1String("width")) || props.contains(QLatin1String("height"));
        if (word == QLatin1String("rect") && ring.size() >= 3) {
            ring = hasSize ? Ring{{(ring[0].first + ring[2].first) / 2, (ring[0].second + ring[2].second) / 2}}
                           : Ring{ring[0], ring[2]};
        } else if (word == QLatin1String("circle") && ring.size() > 1) {
            double lat = 0, lon = 0;
            for (const auto& p : ring) lat += p.first, lon += p.second;
            ring = {{lat / double(ring.size()), lon / double(ring.size())}};
        }
        if (ring.size() > size_t(kMaxPositions)) {
            if (word != QLatin1String("line"))
                return Skip(index, QStringLiteral("%1 of %2 positions (a figure holds %3)").arg(word).arg(ring.size()).arg(kMaxPositions));
        }
        Slots s;
        QString info;
        QString gid;
        QString radius;
        const CommandDef* groupDef = FindCommand(QStringLiteral("group"));
        for (auto it = props.constBegin(); it != props.constEnd(); ++it) {
            const QString& key = it.key();
            const QString value = Fit(ValueText(it.value()));
            const int slot = key == QLatin1String("pos") ? 0 : ParamSlot(word, key);
            if (key == QLatin1String("radius_m")) radius = value;
            if (key == QLatin1String("gid")) gid = value;
            if (slot > 0) {
                s[slot] = value;
            } else if (key != QLatin1String("gid") && IsGroupParam(groupDef, key)) {
                groupProps_[key] = value;
            } else if (!kDerived.contains(key) && !value.isEmpty()) {
                extra_.append(key + QLatin1Char('=') + value);
            }
        }
        if (!gid.isEmpty() && !groupProps_.isEmpty() && !groups_.contains(gid)) {
            Slots g;
            g[1] = gid;
            for (size_t i = 0; i < groupDef->params.size(); ++i) {
                const auto found = groupProps_.constFind(groupDef->params[i].name);
                if (found != groupProps_.constEnd()) g[int(i) + 1] = *found;
            }
            groups_.insert(gid);
            Build(QStringLiteral("group"), g, groupLines_);
        }
        groupProps_.clear();
        if (word == QLatin1String("circle") && s[ParamSlot(word, QStringLiteral("r"))].isEmpty() && !radius.isEmpty())
            s[ParamSlot(word, QStringLiteral("r"))] = radius;
        const int infoSlot = ParamSlot(word, QStringLiteral("info"));
        if (!extra_.isEmpty()) {
            info = s[infoSlot];
            s[infoSlot] = (info.isEmpty() ? QString() : info + QStringLiteral(", ")) + extra_.join(QStringLiteral(", "));
            extra_.clear();
        }
        // Figures without an oid are numbered in file order.
        const int oidSlot = ParamSlot(word, QStringLiteral("oid"));
        if (s[oidSlot].isEmpty()) s[oidSlot] = QString::number(result_.features + 1);
        const int posSlot = ParamSlot(word, QStringLiteral("pos"));
        std::vector<double> lat, lon;
        for (const auto& p : ring) lat.push_back(p.first), lon.push_back(p.second);
        const auto pieces = SplitRanges(ring.size(), size_t(kMaxPositions));
        for (const auto& [first, last] : pieces) {
            s[posSlot] = KelPosListText(lat, lon, first, last, QString());
            if (Build(word, s, figureLines_)) ++result_.features;
        }
    }

    static bool IsGroupParam(const CommandDef* def, const QString& key) {
        for (const ParamDef& p : def->params)
            if (p.name == key) return true;
        return false;
    }

    QString Fit(const QString& text) {
        int replaced = 0;
        const QString out = FitCp932(text, &replaced);
        if (replaced > 0) {
            ++result_.changedValues;
            AddExchangeNote(result_.notes, QStringLiteral("\"%1\": characters Shift-JIS cannot hold written as \"?\"").arg(text));
        }
        return out;
    }

    // Builds a command; a value that would not read back is changed as the Waypoint+
    // import changes it, and counted.
    bool Build(const QString& word, Slots& s, QStringList& out) {
        BuiltStatement b = BuildStatement(word, s);
        for (int attempt = 0; !b.ok() && b.badSlot > 0 && attempt < kSlotCount; ++attempt) {
            QString& v = s[b.badSlot];
            const QString before = v;
            v.replace(QLatin1Char('"'), QLatin1Char('\''));
            v.replace(QLatin1Char(';'), QLatin1Char(':'));
            v.replace(QLatin1Char('\r'), QLatin1Char(' '));
            v.replace(QLatin1Char('\n'), QLatin1Char(' '));
            if (v == before) break;
            ++result_.changedValues;
            AddExchangeNote(result_.notes, QStringLiteral("%1 \"%2\": %3; written as \"%4\"").arg(word, before, b.reason, v));
            b = BuildStatement(word, s);
        }
        if (!b.ok()) {
            ++result_.skipped;
            AddExchangeNote(result_.notes, QStringLiteral("%1 not written: %2").arg(word, b.reason));
            return false;
        }
        out.append(b.text);
        return true;
    }

    void Assemble() {
        QStringList skeleton = NewDocumentSkeleton(QString());
        // hedder, start, then groups and figures, then disp and end.
        result_.lines = skeleton.mid(0, 2) + groupLines_ + figureLines_ + skeleton.mid(2);
    }

    DatumShift shift_;
    GeoJsonResult result_;
    QHash<QString, QString> groupProps_;
    QStringList extra_;
    QSet<QString> groups_;
    QStringList groupLines_, figureLines_;
};

}  // namespace

GeoJsonResult ConvertGeoJsonToKel(const QByteArray& json, const Datum& scriptDatum) {
    return Reader(scriptDatum).Run(json);
}

}  // namespace kel
