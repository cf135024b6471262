#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "TestMain.h"
#include "common/TextFile.h"
#include "exchange/GeoJson.h"
#include "geo/PosList.h"
#include "script/Statement.h"

using namespace kel;
using namespace kel::test;

namespace {

QStringList Figures() { return ReadTextFile(DataPath("exchange/figures.kel")).lines; }

// The command texts of a script file as the editor holds them.
QStringList Commands(const QStringList& lines) {
    LineSource src(lines);
    QStringList out;
    while (!src.AtEnd()) {
        const QString t = ReadStatement(src);
        if (!t.isEmpty()) out.append(t);
    }
    return out;
}

QString Golden(const QString& name, const QString& actual, bool bytes) {
    const QString path = DataPath("exchange/" + name);
    if (qEnvironmentVariableIsSet("KEL_UPDATE_GOLDEN")) {
        if (bytes) WriteBytesFile(path, actual.toUtf8());
        else WriteTextFile(path, actual.split(QStringLiteral("\r\n")));
    }
    return bytes ? QString::fromUtf8(ReadBytes(path)) : ReadTextFile(path).lines.join(QStringLiteral("\r\n"));
}

}  // namespace

class GeoJsonTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Every figure type of a script, with its group's styles, exports to the expected
    // FeatureCollection (valid JSON); a figure without a position is counted, not written.
    void exportGolden() {
        const GeoJsonResult r = ConvertCommandsToGeoJson(Commands(Figures()), {}, GeoJsonOptions());
        QCOMPARE(r.features, 6);
        QCOMPARE(r.skipped, 1);
        QJsonParseError err;
        const QJsonDocument doc = QJsonDocument::fromJson(r.json, &err);
        QCOMPARE(err.error, QJsonParseError::NoError);
        const QJsonArray features = doc.object().value("features").toArray();
        QCOMPARE(features.size(), 6);
        // RFC 7946: longitude first, WGS84 (the Tokyo position moves about 11" north-west).
        const QJsonArray first = features[0].toObject().value("geometry").toObject().value("coordinates").toArray();
        QVERIFY(first[0].toDouble() > 139.7 && first[0].toDouble() < 139.8);
        QVERIFY(first[1].toDouble() > 35.71 && first[1].toDouble() < 35.72);
        QCOMPARE(QString::fromUtf8(r.json), Golden("figures.expected.geojson", QString::fromUtf8(r.json), true));
    }

    void selectionAndCirclePolygons() {
        const QStringList commands = Commands(Figures());
        const int circle = int(commands.indexOf(QRegularExpression("^\\s*circle.*", QRegularExpression::DotMatchesEverythingOption)));
        GeoJsonOptions o;
        o.circlePolygons = true;
        o.circleSegments = 36;
        const GeoJsonResult r = ConvertCommandsToGeoJson(commands, {circle}, o);
        QCOMPARE(r.features, 1);
        const QJsonObject f = QJsonDocument::fromJson(r.json).object().value("features").toArray()[0].toObject();
        QCOMPARE(f.value("geometry").toObject().value("type").toString(), QStringLiteral("Polygon"));
        QCOMPARE(f.value("geometry").toObject().value("coordinates").toArray()[0].toArray().size(), 37);
        QCOMPARE(f.value("properties").toObject().value("radius_m").toDouble(), 1500.0);
    }

    // A FeatureCollection with Japanese names, Multi* parts, holes and malformed features
    // imports to the expected script: bad features are skipped and counted, never 0,0.
    void importGolden() {
        QFile f(DataPath("exchange/features.geojson"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const GeoJsonResult r = ConvertGeoJsonToKel(f.readAll(), Datum::Tokyo());
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(r.features, 6);
        QCOMPARE(r.skipped, 5);
        QCOMPARE(r.changedValues, 2);  // "Café ☕" and the ";" and quotes in a label
        const QString text = r.lines.join(QStringLiteral("\r\n"));
        QVERIFY(!text.contains(QStringLiteral("\"0/00/00.0")));
        QCOMPARE(text, Golden("features.expected.kel", text, false));
    }

    // Script -> GeoJSON -> script keeps every figure's type, positions and parameters.
    void roundTrip() {
        const QStringList commands = Commands(Figures());
        const GeoJsonResult out = ConvertCommandsToGeoJson(commands, {}, GeoJsonOptions());
        const GeoJsonResult back = ConvertGeoJsonToKel(out.json, Datum::Tokyo());
        QVERIFY(back.ok);
        QStringList before, after;
        for (const QString& t : commands)
            if (QStringList{"point", "line", "area", "rect", "circle"}.contains(CommandWord(t)) && t.contains("pos="))
                before.append(t);
        for (const QString& t : back.lines)
            if (QStringList{"point", "line", "area", "rect", "circle"}.contains(CommandWord(t))) after.append(t);
        QCOMPARE(after.size(), before.size());
        for (qsizetype i = 0; i < before.size(); ++i) {
            Slots a, b;
            const QString word = ParseStatement(before[i], a);
            QCOMPARE(ParseStatement(after[i], b), word);
            // A line's arrow is not a position: compare the positions themselves.
            const PosTexts pa = ParsePosList(a[3]), pb = ParsePosList(b[3]);
            QCOMPARE(pb.lat, pa.lat);
            QCOMPARE(pb.lon, pa.lon);
            a[3].clear();
            b[3].clear();
            QCOMPARE(b, a);
        }
        // The group comes back with its styles.
        QVERIFY(back.lines.join("\n").contains(QStringLiteral("gname=\"寺社\"")));
    }

    void notGeoJson_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        QTest::newRow("gpx") << QByteArray("<gpx/>") << "not a GeoJSON file: illegal value at byte 1";
        QTest::newRow("array") << QByteArray("[1,2]") << "not a GeoJSON file (no object at the top)";
        QTest::newRow("no type") << QByteArray("{\"features\": []}") << "not a GeoJSON file (no \"type\" at the top)";
    }
    void notGeoJson() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        const GeoJsonResult r = ConvertGeoJsonToKel(bytes, Datum::Tokyo());
        QVERIFY(!r.ok);
        QCOMPARE(r.error, message);
    }

    void commandLine() {
        QTemporaryDir dir;
        const QString json = dir.filePath("out.geojson"), kel = dir.filePath("out.kel");
        KelRun r = RunKel({"geojson-export", DataPath("exchange/figures.kel"), json});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out.trimmed(), QStringLiteral("6 features; 1 skipped"));
        QCOMPARE(ReadBytes(json), ReadBytes(DataPath("exchange/figures.expected.geojson")));
        r = RunKel({"geojson-export", DataPath("exchange/figures.kel"), json, "--select", "3,4"});
        QCOMPARE(r.out.trimmed(), QStringLiteral("1 feature"));  // line 3 is the group
        r = RunKel({"geojson-import", DataPath("exchange/features.geojson"), kel});
        QCOMPARE(r.status, 0);
        QVERIFY2(r.err.contains("feature 5: no geometry; skipped"), qPrintable(r.err));
        QCOMPARE(ReadBytes(kel), ReadBytes(DataPath("exchange/features.expected.kel")));
        r = RunKel({"geojson-import", DataPath("exchange/sample.gpx"), kel});
        QCOMPARE(r.status, 1);
        QCOMPARE(ReadBytes(kel), ReadBytes(DataPath("exchange/features.expected.kel")));
    }
};

KEL_TEST(GeoJsonTest);
#include "tst_GeoJson.moc"
