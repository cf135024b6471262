#include <QDir>
#include <QFile>

#include "EditorFixture.h"
#include "TestMain.h"
#include "WptTestUtil.h"
#include "waypoint/WaypointOps.h"

using namespace kel;
using namespace kel::test;

namespace {

struct WptFixture : EditorFixture {
    WaypointState state;
    QString result;
    WptFixture() {
        state.launcher = &platform.recordingLauncher;
        state.SetShowResultHook([this](const QString& r) { result = r; });
        InstallWaypointActions(editor, state);
    }
    qsizetype CountWithStr(const char* prefix) const {
        return Texts().filter(QStringLiteral("str=\"") + QLatin1String(prefix)).size();
    }
};

QString Data(const char* name) { return DataPath(QStringLiteral("waypoint/") + QLatin1String(name)); }

}  // namespace

class WaypointOpsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void importAppendsAfterQuestions() {
        WptFixture f;
        f.editor.New();
        f.prompts().Answer(kAnswerYes).ChoosePath(Data("waypoints.txt")).Answer(kAnswerYes);
        QVERIFY(f.editor.RunAction(QStringLiteral("MenuFileImportWpt")));
        QCOMPARE(f.prompts().Asked()[0].prompt,
                 QString::fromUtf8("現在編集中のファイルにWaypoint+形式ファイル（テキスト）を追加します．"));
        QCOMPARE(f.prompts().Asked()[0].title, QStringLiteral("Import"));
        QCOMPARE(f.prompts().Asked()[2].prompt,
                 QStringLiteral("[") + Data("waypoints.txt") + QString::fromUtf8("]　を追加してよろしいですか？"));
        QVERIFY(f.CountWithStr("[WP]") >= 3);
        QCOMPARE(f.editor.EditFg(), 1);
        // The frame of the new document stays one: no second mapserver or disp.
        QCOMPARE(f.Names().count(QStringLiteral("mapserver")), 2);
        QCOMPARE(f.Names().count(QStringLiteral("disp")), 1);
        QCOMPARE(f.editor.Title(), QStringLiteral("KEL Script Editor"));
        QVERIFY(!f.editor.AutoAnswerYes());
    }

    void malformedRecordsAreReportedNotImported() {
        WptFixture f;
        f.editor.New();
        QVERIFY(ImportWaypointFile(f.editor, f.state, Data("faulty.txt")));
        QCOMPARE(f.prompts().Last().title, QStringLiteral("Import"));
        for (const QString& t : f.Texts())
            QVERIFY2(!GetParamValue(t, QStringLiteral("pos")).startsWith(QLatin1String("0/00/00.0")), qPrintable(t));
    }

    void droppedWaypointFileOpensAsNewDocument() {
        WptFixture f;
        f.prompts().Answer(kAnswerYes);
        f.editor.DropFiles({Data("tracks.txt")}, false);
        QCOMPARE(f.prompts().Last().prompt,
                 QString::fromUtf8("Drag&DropしたWaypoint+(Text)ファイルを新しく開きます．よろしいですか？"));
        QVERIFY(f.CountWithStr("[TR]") >= 1);
        QVERIFY(f.editor.KelFileName().isEmpty());
    }

    void exportWritesFileAndRoundTrips() {
        WptFixture f;
        f.OpenScript(Data("sample.kel"));
        const QString target = f.dir.filePath(QStringLiteral("out.txt"));
        f.prompts().Answer(kAnswerYes).ChoosePath(target).Answer(kAnswerYes);
        QVERIFY(f.editor.RunAction(QStringLiteral("MenuFileExportWpt")));
        QCOMPARE(f.prompts().Asked()[1].kind, PromptKind::SaveFile);
        QCOMPARE(f.prompts().Asked()[1].defaultText,
                 Data("sample.kel").chopped(4) + QStringLiteral(".TXT"));
        QCOMPARE(f.prompts().Asked()[2].prompt,
                 QStringLiteral("[") + Data("sample.kel") + QString::fromUtf8("]　を　[") + target +
                     QString::fromUtf8("]　にExportしてよろしいですか？"));
        QVERIFY(QFile::exists(target));
        // Points with a position are exported; the area and the point without one are not.
        QCOMPARE(int(ReadBytes(target).count("\r\nWP,")), 5);
    }

    // An empty list exports nothing and asks nothing; a "No" or a cancelled dialog leaves
    // the script and the folder as they were.
    void declinedOperationsChangeNothing() {
        WptFixture f;
        ExportWaypoints(f.editor, f.state);
        QVERIFY(f.prompts().Asked().isEmpty());
        f.editor.New();
        const QStringList before = f.editor.List().Lines();
        f.prompts().Answer(kAnswerNo);
        ImportWaypoints(f.editor, f.state);
        f.prompts().Answer(kAnswerYes).ChoosePath(QString());
        ImportWaypoints(f.editor, f.state);
        f.prompts().Answer(kAnswerYes).ChoosePath(QString());
        ExportWaypoints(f.editor, f.state);
        QCOMPARE(f.prompts().Last().kind, PromptKind::SaveFile);
        QVERIFY(f.prompts().Last().defaultText.isEmpty());
        QCOMPARE(f.editor.List().Lines(), before);
        QCOMPARE(QDir(f.dir.path()).entryList(QDir::Files).size(), 0);
    }

    void currentFigure2DRMS() {
        WptFixture f;
        f.OpenScript(f.WriteScript(
            QStringLiteral("a.kel"),
            {QStringLiteral("\t\tline\toid=\"1\" pos=\"35/00/00.0,139/00/00.0,35/00/01.0,139/00/00.0\";"),
             QStringLiteral("\t\ttheme\tstr=\"t\";")}));
        f.editor.ClickLine(0);
        QVERIFY(f.editor.RunAction(QStringLiteral("MenuExecCalculate2DRMS")));
        QVERIFY2(f.result.contains(QStringLiteral(" m (")), qPrintable(f.result));
        f.editor.ClickLine(1);
        f.result.clear();
        CurrentFigure2DRMS(f.editor, f.state);
        QVERIFY(f.result.isEmpty());
        QCOMPARE(f.prompts().Last().prompt, QString::fromUtf8("計算できません"));
    }

    void trackLogUtilities() {
        WptFixture f;
        const QString path = CopyData(f.dir.path(), QStringLiteral("tracks.txt"));
        f.prompts().Answer(kAnswerOk).ChoosePath(path).Answer(kAnswerYes);
        TrackLog2DRMSMenu(f.editor);
        QVERIFY(f.prompts().Last().prompt.startsWith(
            QString::fromUtf8("指定されたファイルのTrackLogによる2DRMSは：")));
        QVERIFY(ReadBytes(path).contains("\r\n# "));

        f.prompts().Answer(kAnswerOk).ChoosePath(Data("waypoints.txt"));
        TrackLog2DRMSMenu(f.editor);
        QCOMPARE(f.prompts().Last().prompt, QString::fromUtf8("TrackLog（TP）が見つかりませんでした．"));

        f.prompts().Answer(kAnswerOk).ChoosePath(path).Answer(kAnswerYes);
        TrackLogToRouteMenu(f.editor);
        const QString info = f.dir.filePath(QStringLiteral("tracks(Info).TXT"));
        QVERIFY(QFile::exists(info));
        QCOMPARE(f.prompts().Last().prompt,
                 "[" + path + QString::fromUtf8("]　＞＞　[") + info + QString::fromUtf8("]　でよろしいですか？"));
    }

    void startRunsConfiguredProgram() {
        WptFixture f;
        StartWaypointProgram(f.editor, f.state);
        QVERIFY(f.platform.recordingLauncher.Started().isEmpty());
        f.state.waypointProgram = QStringLiteral("/opt/wpt/waypoint");
        QVERIFY(f.editor.RunAction(QStringLiteral("MenuFileWaypointStart")));
        QCOMPARE(f.platform.recordingLauncher.Started().size(), 1);
    }
};

KEL_TEST(WaypointOpsTest);
#include "tst_WaypointOps.moc"
