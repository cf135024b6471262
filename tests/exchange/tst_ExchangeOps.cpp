#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "EditorFixture.h"
#include "TestMain.h"
#include "app/ExchangeOps.h"
#include "script/Statement.h"
#include "waypoint/KelWpt.h"
#include "waypoint/WaypointOps.h"

using namespace kel;
using namespace kel::test;

namespace {

struct ExchangeFixture : EditorFixture {
    WaypointState state;
    ExchangeFixture() {
        InstallWaypointActions(editor, state);
        InstallExchangeActions(editor, state);
    }
    QStringList Positions(const char* mark) const {
        QStringList out;
        for (const QString& t : Texts())
            if (GetParamValue(t, QStringLiteral("str")).startsWith(QLatin1String(mark)))
                out.append(GetParamValue(t, QStringLiteral("pos")));
        return out;
    }
    // A script of the given datum to import into.
    void OpenWithDatum(const QString& system) {
        QStringList lines{QStringLiteral("mapserver script ver=\"1.0\";")};
        if (!system.isEmpty()) lines.append(QStringLiteral("georef system=\"%1\";").arg(system));
        lines.append(QStringLiteral("mapserver end;"));
        OpenScript(WriteScript(QStringLiteral("base.kel"), lines));
    }
};

// The origin of the Japanese datum (published in both datums) as a Waypoint+ record.
const QString kOriginWgs84 = QStringLiteral("WP,D,ORIGIN,35.6580992,139.7413544,,,");

}  // namespace

class ExchangeOpsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // GPX and Waypoint+ files land in the datum of the script they are added to: a WGS84
    // file is shifted into a Tokyo script and taken as it stands into a WGS84 one; a file in
    // an unknown datum is imported unconverted and the user is told its name.
    void importLandsInTheScriptsDatum_data() {
        QTest::addColumn<QString>("system");
        QTest::addColumn<QString>("datumLine");
        QTest::addColumn<QString>("pos");
        QTest::addColumn<QString>("message");
        // Published Tokyo coordinates of the origin: 35°39'17.5148", 139°44'40.5020".
        QTest::newRow("wgs84 file, tokyo script")
            << "" << "Datum,WGS 84,WGS 84,0,0,0,0,0" << "35/39/17.5,139/44/40.5" << "";
        QTest::newRow("wgs84 file, wgs84 script")
            << "wgs84" << "Datum,WGS 84,WGS 84,0,0,0,0,0" << "35/39/29.2,139/44/28.9" << "";
        QTest::newRow("tokyo file, tokyo script")
            << "tokyo" << "Datum,Tokyo mean ,Bessel 1841,739.845,0.10037483,-128,481,664"
            << "35/39/29.2,139/44/28.9" << "";
        QTest::newRow("unknown datum")
            << "" << "Datum,Old Hawaiian ,Clarke 1866,-69.4,-0.37264639,61,-285,-181"
            << "35/39/29.2,139/44/28.9"
            << "converted 1 waypoint; datum \"Old Hawaiian\" is not known: positions taken unconverted";
    }
    void importLandsInTheScriptsDatum() {
        QFETCH(QString, system);
        QFETCH(QString, datumLine);
        QFETCH(QString, pos);
        QFETCH(QString, message);
        ExchangeFixture f;
        f.OpenWithDatum(system);
        const QString path = f.WriteScript(QStringLiteral("in.txt"), {datumLine, kOriginWgs84});
        const int asked = int(f.prompts().Asked().size());
        QVERIFY(ImportWaypointFile(f.editor, f.state, path));
        QCOMPARE(f.Positions("[WP]"), QStringList{pos});
        QCOMPARE(f.prompts().Asked().size() > asked ? f.prompts().Last().prompt : QString(), message);
    }

    // The GPX menu items ask, choose the file and append it; the GeoJSON export writes the
    // selected figures only.
    void menuItems() {
        ExchangeFixture f;
        f.OpenWithDatum(QStringLiteral("wgs84"));
        f.prompts().Answer(kAnswerYes).ChoosePath(DataPath("exchange/gpx10.gpx")).Answer(kAnswerYes);
        QVERIFY(f.editor.RunAction(QStringLiteral("MenuFileImportGpx")));
        QCOMPARE(f.prompts().Asked()[0].prompt, QString::fromUtf8("現在編集中のファイルにGPX形式ファイルを追加します．"));
        QCOMPARE(f.prompts().Asked()[0].title, QStringLiteral("Import(GPX)"));
        QCOMPARE(f.Positions("[WP]"), QStringList{"35/40/52.4,139/46/01.7"});
        QCOMPARE(f.Positions("[TR]").size(), 1);
        QCOMPARE(f.editor.EditFg(), 1);

        const QString gpx = f.dir.filePath(QStringLiteral("out.gpx"));
        f.prompts().Answer(kAnswerYes).ChoosePath(gpx).Answer(kAnswerYes);
        QVERIFY(f.editor.RunAction(QStringLiteral("MenuFileExportGpx")));
        QVERIFY(ReadBytes(gpx).contains("<wpt lat=\"35.681222\" lon=\"139.767139\">"));

        const QString json = f.dir.filePath(QStringLiteral("out.geojson"));
        const QStringList texts = f.Texts();
        int waypoint = -1;
        for (qsizetype i = 0; i < texts.size(); ++i)
            if (GetParamValue(texts[i], QStringLiteral("str")).startsWith(QLatin1String("[WP]"))) waypoint = int(i);
        f.editor.List().SetSelected(waypoint, true);
        f.prompts().Answer(kAnswerYes).ChoosePath(json).Answer(kAnswerYes);
        QVERIFY(f.editor.RunAction(QStringLiteral("MenuFileExportGeoJson")));
        const QJsonArray features = QJsonDocument::fromJson(ReadBytes(json)).object().value("features").toArray();
        QCOMPARE(features.size(), 1);
        QCOMPARE(features[0].toObject().value("properties").toObject().value("str").toString(), QStringLiteral("[WP]TOKYO "));
    }

    // A dropped GPX or GeoJSON file is added as its menu item adds it: with Shift to the
    // document, without Shift to a new one; a "No" leaves the document alone.
    void droppedFiles() {
        ExchangeFixture f;
        f.OpenWithDatum(QStringLiteral("wgs84"));
        const int base = int(f.Texts().size());
        f.prompts().Answer(kAnswerNo);
        f.editor.DropFiles({DataPath("exchange/gpx10.gpx")}, true);
        QCOMPARE(int(f.Texts().size()), base);
        QCOMPARE(f.prompts().Last().prompt,
                 QString::fromUtf8("Drag&DropしたGPXファイルをAppendします．よろしいですか？"));

        f.prompts().Answer(kAnswerYes);
        f.editor.DropFiles({DataPath("exchange/gpx10.gpx")}, true);
        QCOMPARE(f.Positions("[WP]"), QStringList{"35/40/52.4,139/46/01.7"});
        QVERIFY(f.Texts().size() > base);

        f.prompts().Answer(kAnswerYes).Answer(kAnswerYes);
        f.editor.DropFiles({DataPath("exchange/features.geojson")}, false);
        bool asked = false;
        for (const auto& q : f.prompts().Asked())
            asked = asked || q.prompt.contains(QString::fromUtf8("Drag&DropしたGeoJSONファイルを新しく開きます．"));
        QVERIFY(asked);
        QVERIFY(f.Positions("[WP]").isEmpty());  // the GPX waypoint went with the old document
        bool station = false;
        for (const QString& t : f.Texts())
            station = station || GetParamValue(t, QStringLiteral("str")) == QString::fromUtf8("東京駅");
        QVERIFY(station);
    }

    void cancelledOrFailedImportChangesNothing() {
        ExchangeFixture f;
        f.OpenWithDatum(QString());
        const QStringList before = f.Texts();
        f.prompts().Answer(kAnswerNo);
        QVERIFY(f.editor.RunAction(QStringLiteral("MenuFileImportGeoJson")));
        QVERIFY(!ImportGeoJsonFile(f.editor, DataPath("exchange/sample.gpx")));
        QVERIFY(f.prompts().Last().prompt.contains(QStringLiteral("not a GeoJSON file")));
        QVERIFY(!ImportGpxFile(f.editor, f.state, DataPath("exchange/features.geojson")));
        QVERIFY(f.prompts().Last().prompt.contains(QStringLiteral("not a GPX file")));
        QCOMPARE(f.Texts(), before);
        QCOMPARE(f.editor.EditFg(), 0);
    }
};

KEL_TEST(ExchangeOpsTest);
#include "tst_ExchangeOps.moc"
