// Choosing the preview program, opening and closing the map, and the preview.
#include <QFile>
#include <QImage>
#include <QProcess>

#include "MapFixture.h"
#include "TestMain.h"
#include "platform/Prompts.h"

using namespace kel;
using namespace kel::test;

class ProAtlasLinkTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void previewProgram_data() {
        QTest::addColumn<QString>("iniLine4");
        QTest::addColumn<QString>("rdw30");
        QTest::addColumn<QString>("expected");
        QTest::newRow("settings line naming the product")
            << " C:\\ALPS\\Program\\patls98.exe " << "D:\\Other" << "C:\\ALPS\\Program\\patls98.exe";
        QTest::newRow("settings line naming another file: registry")
            << "C:\\ALPS\\Program\\other.exe" << "D:\\ALPS" << QDir::toNativeSeparators("D:\\ALPS/Program/patls98.exe");
        QTest::newRow("settings line naming an executable here") << "/bin/sh" << "D:\\ALPS" << "/bin/sh";
        QTest::newRow("nothing: our own map program") << "" << "" << "/opt/kel/kelmap";
    }
    void previewProgram() {
        QFETCH(QString, iniLine4);
        QFETCH(QString, rdw30);
        QFETCH(QString, expected);
        TableRegistry registry;
        if (!rdw30.isEmpty()) registry.Set(QStringLiteral("SOFTWARE\\ALPS\\Rdw30"), QStringLiteral("installpath"), rdw30);
        registry.Set(QStringLiteral("SOFTWARE\\ALPS\\Rdw40"), QStringLiteral("installpath"), QStringLiteral("E:\\New"));
        QCOMPARE(DetectPreviewProgram(iniLine4, &registry, QStringLiteral("/opt/kel")), expected);
    }

    void connectAndRelease() {
        MapFixture f(false);
        QVERIFY(f.session.proAtlas().ConnectProAtlas());
        QCOMPARE(f.map.Calls(), (QStringList{"ShowWindow", "EnableMark=1"}));
        QVERIFY(f.map.EnableMark());
        f.session.proAtlas().ReleaseProAtlas();
        QCOMPARE(f.map.Calls().last(), QStringLiteral("EnableMark=0"));
        QCOMPARE(f.closed, 1);
        // Released: nothing is drawn any more.
        QCOMPARE(f.session.mapDisplay().DrawFigureObject(QStringLiteral("NormalAll"), QStringLiteral("point"),
                                                         QStringLiteral("35/00/00,135/00/00"), 0), 0);
    }

    void noMapIsReportedAndTheEditorCarriesOn() {
        MapFixture f(false);
        f.session.proAtlas().createMap = [] { return nullptr; };
        f.platform.scriptedPrompts.Answer(kAnswerOk);
        QVERIFY(!f.session.proAtlas().ConnectProAtlas());
        QCOMPARE(f.platform.scriptedPrompts.Asked().size(), 1);
        const auto& asked = f.platform.scriptedPrompts.Asked().first();
        QCOMPARE(asked.prompt, QStringLiteral("Patls.Map.1が開けません"));
        QCOMPARE(asked.buttons, 48);
        QCOMPARE(asked.title, QStringLiteral("エラーメッセージ"));
        f.OpenFigures({QStringLiteral("point oid=\"1\" pos=\"35/00/00.0,135/00/00.0\";")});
        f.editor().RunAction(QStringLiteral("MenuViewRefreshFigure"));
        QCOMPARE(f.FigureOf(1), 0);
    }

    void previewOfAModifiedDocumentLeavesTheCopyToTheMapProgram() {
        MapFixture f;
        f.session.proAtlas().SetExecutable(QStringLiteral("/opt/kel/kelmap"));
        f.OpenFigures({QStringLiteral("point oid=\"1\" pos=\"35/00/00.0,135/00/00.0\";")});
        f.editor().SetEditFg(1);
        f.editor().RunAction(QStringLiteral("DispAll"));
        QCOMPARE(f.session.proAtlas().DispAllCaption(), QStringLiteral("Off"));
        QCOMPARE(f.session.proAtlas().MenuViewProAtlasCaption(), QStringLiteral("PreView ProAtlas(&P)[ON]"));
        const QString temp = f.dir.filePath(QStringLiteral("KelEditor.kel"));
        const auto& started = f.platform.recordingLauncher.Started();
        QCOMPARE(started.size(), 1);
        QCOMPARE(started[0].program, QStringLiteral("/opt/kel/kelmap"));
        QCOMPARE(started[0].arguments, (QStringList{QStringLiteral("--remove-after-read"), temp}));
        // Still there for the program to read; it removes the copy itself.
        QVERIFY(QFile::exists(temp));
        QCOMPARE(ReadBytes(temp).count("\r\n"), f.editor().List().Count());
        // Off again: the preview window the editor opened is asked to close.
        f.editor().RunAction(QStringLiteral("MenuViewProAtlas"));
        QCOMPARE(f.session.proAtlas().DispAllCaption(), QStringLiteral("P.Atls"));
        QCOMPARE(f.platform.recordingLauncher.Stopped(), (QList<qint64>{1001}));
    }

    void previewByAnotherProgram() {
        MapFixture f;
        f.session.proAtlas().SetExecutable(QStringLiteral("C:\\ALPS\\Program\\patls98.exe"));
        const QString saved = f.WriteScript(QStringLiteral("with blank.kel"),
                                            {QStringLiteral("point oid=\"1\" pos=\"35/00/00.0,135/00/00.0\";")});
        f.editor().SetEditFg(0);
        f.editor().DoOpenKelFile(saved);
        f.editor().RunAction(QStringLiteral("DispAll"));
        const auto& started = f.platform.recordingLauncher.Started();
        QCOMPARE(started.last().arguments, QStringList{saved});
        // "Clear": the product is shown an empty script, kept until the editor ends.
        f.editor().RunAction(QStringLiteral("DispAll"));
        const QString temp = f.dir.filePath(QStringLiteral("KelEditor.kel"));
        QCOMPARE(started.last().arguments, QStringList{temp});
        QCOMPARE(ReadBytes(temp).count("\r\n"), 3);
        QVERIFY(ReadBytes(temp).endsWith("mapserver end;\r\n"));
        f.session.proAtlas().ReleaseProAtlas();
        QVERIFY(!QFile::exists(temp));
    }

    void aPreviewThatCannotStartIsReported() {
        MapFixture f;
        f.platform.recordingLauncher.FailWith(QStringLiteral("no such program"));
        f.platform.scriptedPrompts.Answer(kAnswerOk);
        f.OpenFigures({QStringLiteral("point oid=\"1\" pos=\"35/00/00.0,135/00/00.0\";")});
        f.editor().SetEditFg(1);
        f.editor().RunAction(QStringLiteral("DispAll"));
        QCOMPARE(f.session.proAtlas().DispAllCaption(), QStringLiteral("P.Atls"));
        QVERIFY(f.platform.scriptedPrompts.Asked().last().prompt.contains(QStringLiteral("no such program")));
        QVERIFY(!QFile::exists(f.dir.filePath(QStringLiteral("KelEditor.kel"))));
    }

    void kelmapReadsTheCopyBeforeItGoes() {
        QTemporaryDir dir;
        const QString script = dir.filePath(QStringLiteral("KelEditor.kel"));
        QFile::copy(QStringLiteral(KEL_SOURCE_DIR "/examples/sample.kel"), script);
        const QString png = dir.filePath(QStringLiteral("out.png"));
        QProcess p;
        p.start(QStringLiteral(KEL_KELMAP_PATH),
                {QStringLiteral("--remove-after-read"), script, QStringLiteral("--screenshot"), png,
                 QStringLiteral("--size"), QStringLiteral("320x240")});
        QVERIFY(p.waitForFinished(120000));
        QCOMPARE(p.exitCode(), 0);
        QVERIFY(!QFile::exists(script));
        QCOMPARE(QImage(png).size(), QSize(320, 240));
    }

    void kelmapRefusesBadArguments_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::newRow("size without a height") << QStringList{"--screenshot", "x.png", "--size", "400"} << 2;
        QTest::newRow("scale out of range") << QStringList{"--screenshot", "x.png", "--scale", "0"} << 2;
        QTest::newRow("unknown option") << QStringList{"--bogus"} << 2;
        QTest::newRow("missing script") << QStringList{"/nonexistent/x.kel", "--screenshot", "x.png"} << 1;
    }
    void kelmapRefusesBadArguments() {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QTemporaryDir dir;
        QProcess p;
        p.setWorkingDirectory(dir.path());
        p.start(QStringLiteral(KEL_KELMAP_PATH), args);
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitCode(), status);
        QVERIFY(!p.readAllStandardError().isEmpty());
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("x.png"))));
    }
};

KEL_TEST(ProAtlasLinkTest);
#include "tst_ProAtlasLink.moc"
