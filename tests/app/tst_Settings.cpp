#include <QComboBox>
#include <QDir>
#include <QSignalSpy>

#include "TestMain.h"
#include "WindowFixture.h"
#include "script/CommandLibrary.h"

using namespace kel;
using namespace kel::test;

namespace {

QStringList FileLines(const QString& path) { return ReadTextFile(path).lines; }

void WriteIni(const AppFixture& f, const QStringList& lines) {
    QVERIFY(WriteTextFile(f.SettingsFile(kIniFileName), lines).ok);
}

// Closes the program as a user answering Yes does.
bool CloseWithYes(AppFixture& f) {
    f.prompts().Answer(kAnswerYes);
    return f.app->Close();
}

}  // namespace

class SettingsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void iniLinesAndDefaults_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<bool>("askFloppy");
        QTest::addColumn<QString>("definitionFolder");
        QTest::addColumn<QString>("floppyFolder");
        QTest::addColumn<QString>("waypoint");
        QTest::newRow("missing") << QStringList() << false << "Default" << "Default" << "";
        QTest::newRow("short") << QStringList{"x", "2", "y"} << true << "Default" << "Default" << "";
        QTest::newRow("blank folder lines")
            << QStringList{"", "1", "", "", "  ", ""} << false << "Default" << "Default" << "";
        QTest::newRow("all seven")
            << QStringList{"", "2", "", "C:\\P\\patls98.exe", "/data/kel ", "/mnt/fd", "/opt/wpt"}
            << true << "/data/kel" << "/mnt/fd" << "/opt/wpt";
        QTest::newRow("waypoint NON") << QStringList{"", "", "", "", "", "", "non"} << false
                                      << "Default" << "Default" << "";
    }
    void iniLinesAndDefaults() {
        QFETCH(QStringList, lines);
        QFETCH(bool, askFloppy);
        QFETCH(QString, definitionFolder);
        QFETCH(QString, floppyFolder);
        QFETCH(QString, waypoint);
        const IniSettings s = IniSettings::FromLines(lines);
        QCOMPARE(s.askFloppy, askFloppy);
        QCOMPARE(s.definitionFolder, definitionFolder);
        QCOMPARE(s.floppyFolder, floppyFolder);
        QCOMPARE(s.waypointProgram, waypoint);
    }

    void firstStartWritesTheStandardLibrary() {
        WindowFixture f;
        const QStringList lines = FileLines(f.SettingsFile(kDefinitionFileName));
        QCOMPARE(lines.value(0), kDefinitionHeader);
        QCOMPARE(lines.value(5), QStringLiteral("27"));
        const DefinitionFile file = ParseDefinitionFile(lines);
        QCOMPARE(file.library, StandardLibrary());
        QCOMPARE(f.editor().Library().Count(), kStandardLibrarySize);
        auto* combo = f.Find<QComboBox>(QStringLiteral("CmdList"));
        QCOMPARE(combo->count(), kStandardLibrarySize);
        QCOMPARE(combo->currentIndex(), 0);
        // No Waypoint+ program named: its item and button stay hidden.
        QVERIFY(!f.Action(QStringLiteral("MenuFileWaypointStart"))->isVisible());
        QVERIFY(!f.Find<QWidget>(QStringLiteral("WaypointStart"))->isVisible());
    }

    // A stocked command of several lines, and one whose text has no ";" (an unknown
    // command): both come back as they were, and neither swallows the entries after it.
    void libraryEntriesSurviveARestart() {
        AppFixture f;
        QVERIFY(f.app->StartUp(false));
        const QString multi = QStringLiteral("line oid=\"1\" pos=\"35/00/00.0,135/00/00.0,\r\n"
                                             "35/01/00.0,135/01/00.0\";");
        const QString open = QStringLiteral("unknown a=1\r\nb=2");
        const QString after = QStringLiteral("point oid=\"9\";");
        f.editor().Library().Stock(multi);
        f.editor().Library().Stock(open);
        f.editor().Library().Stock(after);
        const QStringList before = f.editor().Library().Lines();
        QVERIFY(CloseWithYes(f));

        f.NewApp();
        QVERIFY(f.app->StartUp(false));
        QCOMPARE(f.editor().Library().Lines(), before);
        QCOMPARE(f.editor().Library().Counter(), before.size() - 1);
        QVERIFY(f.editor().Library().Lines().value(28).endsWith(multi));
    }

    void positionsAreSavedAndRestored() {
        AppFixture f;
        // A definition file whose position editor was never placed.
        QVERIFY(WriteTextFile(f.SettingsFile(kDefinitionFileName),
                              QStringList{kDefinitionHeader, QString(), QString(),
                                          QStringLiteral("5 5"), QStringLiteral("-1 -1"),
                                          QStringLiteral("0"), StandardLibrary().first()})
                    .ok);
        QVERIFY(f.app->StartUp(false));
        f.app->SetMainWindowPosition(QPoint(120, 80), 600);
        QVERIFY(CloseWithYes(f));
        const QStringList lines = FileLines(f.SettingsFile(kDefinitionFileName));
        QCOMPARE(lines.value(3), QStringLiteral("120 80"));
        // The position editor goes just below the main window.
        QCOMPARE(lines.value(4), QStringLiteral("120 680"));

        f.NewApp();
        QSignalSpy placed(f.app.get(), &EditorApp::MainWindowPlaced);
        QVERIFY(f.app->StartUp(false));
        QVERIFY(!placed.isEmpty());
        QCOMPARE(placed.last().first().toPoint(), QPoint(120, 80));
        QCOMPARE(f.app->PosEditorPosition(), QPoint(120, 680));
    }

    // The folder the user worked in is where the next start's dialogs begin.
    void lastFolderIsKept() {
        const QString cwd = QDir::currentPath();
        AppFixture f;
        QTemporaryDir work;
        QVERIFY(f.app->StartUp(false));
        const QString script = QDir(work.path()).filePath(QStringLiteral("a.kel"));
        QVERIFY(WriteTextFile(script, {QStringLiteral("point oid=\"1\";")}).ok);
        f.editor().DoOpenKelFile(script);
        QVERIFY(CloseWithYes(f));
        QCOMPARE(FileLines(f.SettingsFile(kDefinitionFileName)).value(2), work.path());
        f.NewApp();
        QVERIFY(f.app->StartUp(false));
        QCOMPARE(QDir::currentPath(), work.path());
        QDir::setCurrent(cwd);
    }

    // An older definition file: the new standard library plus the user's own entries.
    void olderDefinitionFileIsUpgraded() {
        AppFixture f;
        QStringList lines{QStringLiteral("[KelEditor Default Definition File(Ver1.0)]"),
                          QString(), QString(), QStringLiteral("10 10"), QStringLiteral("-1 -1"),
                          QStringLiteral("26")};
        for (int i = 0; i < 25; ++i)
            lines << MakeLibraryLine(QString::number(i), QStringLiteral("old"),
                                     QStringLiteral("comment //;"), 0);
        lines << QStringLiteral("025:mine      point oid=\"5\";")
              << QStringLiteral("026:mine2     group gid=\"7\";");
        QVERIFY(WriteTextFile(f.SettingsFile(kDefinitionFileName), lines).ok);
        QVERIFY(f.app->StartUp(false));
        const QStringList library = f.editor().Library().Lines();
        QCOMPARE(library.size(), kStandardLibrarySize + 2);
        QCOMPARE(library.mid(0, kStandardLibrarySize), StandardLibrary());
        QCOMPARE(library[28], QStringLiteral("028:mine      point oid=\"5\";"));
        QCOMPARE(library[29], QStringLiteral("029:mine2     group gid=\"7\";"));
        // The file now has the current header.
        QCOMPARE(FileLines(f.SettingsFile(kDefinitionFileName)).value(0), kDefinitionHeader);
    }

    // The removable medium may never come: the request offers Retry and Cancel, and Cancel
    // reads the definition file from the hard disk instead.
    void missingMediumCanBeGivenUp() {
        AppFixture f;
        const QString absent = f.settingsDir.filePath(QStringLiteral("no-medium"));
        WriteIni(f, {QString(), QStringLiteral("2"), QString(), QString(),
                     QStringLiteral("Default"), absent});
        f.prompts().Answer(kAnswerYes).Answer(kAnswerRetry).Answer(kAnswerCancel);
        QVERIFY(f.app->StartUp(false));
        QVERIFY(!f.app->FromRemovableMedium());
        QCOMPARE(f.app->DefinitionFolder(), QDir::cleanPath(f.settingsDir.path()));
        const QList<PromptRecord>& asked = f.prompts().Asked();
        QCOMPARE(asked.size(), 4);
        QCOMPARE(asked[1].title, QStringLiteral("Please"));
        QCOMPARE(asked[1].buttons % 16, kButtonsRetryCancel);
        QCOMPARE(asked[3].prompt, QStringLiteral("ハードディスクから読みこみます"));
        QVERIFY(QFile::exists(f.SettingsFile(kDefinitionFileName)));
    }

    void mediumThatIsThereHoldsTheDefinitionFile() {
        AppFixture f;
        QTemporaryDir medium;
        WriteIni(f, {QString(), QStringLiteral("2"), QString(), QString(),
                     QStringLiteral("Default"), medium.path()});
        f.prompts().Answer(kAnswerYes);
        QVERIFY(f.app->StartUp(false));
        QVERIFY(f.app->FromRemovableMedium());
        QVERIFY(QFile::exists(QDir(medium.path()).filePath(kDefinitionFileName)));
        QCOMPARE(f.prompts().Last().prompt, QStringLiteral("フロッピーディスクから読みこみます"));
    }

    // The medium gone by the time the program ends: Cancel keeps the library on the hard
    // disk instead of losing it or asking for ever.
    void mediumGoneAtCloseKeepsTheLibraryOnDisk() {
        AppFixture f;
        auto medium = std::make_unique<QTemporaryDir>();
        WriteIni(f, {QString(), QStringLiteral("2"), QString(), QString(),
                     QStringLiteral("Default"), medium->path()});
        f.prompts().Answer(kAnswerYes);
        QVERIFY(f.app->StartUp(false));
        QVERIFY(f.app->FromRemovableMedium());
        f.editor().Library().Stock(QStringLiteral("point oid=\"42\";"));
        medium.reset();
        f.prompts().Clear();
        f.prompts().Answer(kAnswerYes).Answer(kAnswerOk).Answer(kAnswerRetry).Answer(kAnswerCancel);
        QVERIFY(f.app->Close());
        QCOMPARE(f.prompts().Asked().size(), 4);
        QCOMPARE(f.prompts().Asked()[2].buttons % 16, kButtonsRetryCancel);
        const QStringList lines = FileLines(f.SettingsFile(kDefinitionFileName));
        QVERIFY(lines.last().endsWith(QLatin1String("point oid=\"42\";")));
    }

    // Started with a command line, start-up questions answer themselves.
    void commandLineStartAsksNothing() {
        AppFixture f;
        WriteIni(f, {QString(), QStringLiteral("2"), QString(), QString(),
                     QStringLiteral("Default"), f.settingsDir.path()});
        QVERIFY(f.app->StartUp(true));
        QVERIFY(f.prompts().Asked().isEmpty());
        QVERIFY(f.app->FromRemovableMedium());
        QVERIFY(!f.editor().AutoAnswerYes());  // cleared with the document
    }

    void settingsFolderNamedButMissingIsMade() {
        AppFixture f;
        const QString folder = f.settingsDir.filePath(QStringLiteral("new/settings"));
        SettingsFolderScope scope(folder);
        QVERIFY(f.app->StartUp(false));
        QCOMPARE(f.app->DefinitionFilePath(), QDir(folder).filePath(kDefinitionFileName));
        QVERIFY(QFile::exists(f.app->DefinitionFilePath()));
    }

    void missingDefinitionFolderEndsTheStart() {
        AppFixture f;
        const QString absent = f.settingsDir.filePath(QStringLiteral("gone/deeper"));
        WriteIni(f, {QString(), QString(), QString(), QString(), absent});
        QVERIFY(!f.app->StartUp(false));
        QCOMPARE(f.prompts().Last().title, QStringLiteral("Quit"));
        QVERIFY(f.prompts().Last().prompt.startsWith(absent));
    }

    // A definition file that cannot be written is reported, and closing then asks before
    // the library is given up.
    void unwritableDefinitionFileIsReported() {
        AppFixture f;
        QVERIFY(QDir().mkpath(f.SettingsFile(kDefinitionFileName)));  // a folder in its place
        QVERIFY(f.app->StartUp(false));
        QCOMPARE(f.prompts().Last().title, QStringLiteral("WriteDefault"));
        QCOMPARE(f.editor().Library().Count(), kStandardLibrarySize);
        f.prompts().Answer(kAnswerYes).Answer(kAnswerOk).Answer(kAnswerNo);
        QVERIFY(!f.app->Close());
        QCOMPARE(f.prompts().Last().title, QStringLiteral("SaveDefault"));
    }

    void closeRemovesThePreviewScript() {
        AppFixture f;
        QVERIFY(f.app->StartUp(false));
        const QString preview = f.SettingsFile(kPreviewScriptName);
        QVERIFY(WriteTextFile(preview, {QStringLiteral("disp all;")}).ok);
        QVERIFY(CloseWithYes(f));
        QVERIFY(!QFile::exists(preview));
    }

    void commandLineOpensPathsWithBlanks_data() {
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<bool>("opened");
        QTest::newRow("path") << QStringList{QStringLiteral("my map.kel")} << true;
        QTest::newRow("path -o") << QStringList{QStringLiteral("my map.kel"), QStringLiteral("-o")} << true;
        QTest::newRow("path other") << QStringList{QStringLiteral("my map.kel"), QStringLiteral("-x")} << false;
    }
    void commandLineOpensPathsWithBlanks() {
        QFETCH(QStringList, words);
        QFETCH(bool, opened);
        AppFixture f;
        QVERIFY(f.app->StartUp(true));
        const QString path = f.settingsDir.filePath(words[0]);
        QVERIFY(WriteTextFile(path, {QStringLiteral("point oid=\"1\";")}).ok);
        words[0] = path;
        f.app->RunCommandLine(words);
        QCOMPARE(f.editor().KelFileName() == path, opened);
        if (opened) QCOMPARE(f.editor().List().Count(), 1);
    }
};

KEL_TEST(SettingsTest);
#include "tst_Settings.moc"
