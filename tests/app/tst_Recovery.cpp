#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <memory>

#include "TestMain.h"
#include "app/EditorSession.h"
#include "editor/Recovery.h"
#include "platform/Platform.h"
#include "platform/Prompts.h"
#include "script/ScriptFile.h"

using namespace kel;

namespace {

QStringList Script() {
    QStringList s{QStringLiteral("mapserver script ver=\"1.0\";")};
    for (int i = 0; i < 30; ++i)
        s << QStringLiteral("point oid=\"%1\" gid=\"%2\" pos=\"35/00/00.0,139/00/00.0\" str=\"東京%1\";")
                 .arg(i)
                 .arg(i % 4);
    s << QStringLiteral("disp all;") << QStringLiteral("mapserver end;");
    return s;
}

// One editor with its recovery copies in a folder of the test's own.
struct Session {
    PlatformDoubles platform;
    EditorSession session{MakeEditorServices(platform, nullptr)};
    RecoveryKeeper keeper;

    explicit Session(const QString& folder, int quietMs = 50, int minIntervalMs = 0)
        : keeper(session.editor(), folder) {
        keeper.SetTiming({quietMs, minIntervalMs, 10 * quietMs});
        keeper.Start();
    }
    Editor& e() { return session.editor(); }
    ScriptedPrompts& prompts() { return platform.scriptedPrompts; }
    void Open(const QString& path) {
        e().SetFileName(path);
        e().RunAction(QStringLiteral("MenuFileOpen"));
    }
    void Lump(const QString& equation) {
        prompts().Type(equation);
        e().RunAction(QStringLiteral("MenuExecLumpInput"));
    }
};

QByteArray SavedBytes(const QStringList& texts, const QString& path) {
    WriteScriptFile(path, texts);
    return test::ReadBytes(path);
}

}  // namespace

class RecoveryTest : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir_;
    QString doc_;

    // What the document holds after the equation's bulk input.
    QStringList AfterLump(const QString& equation) {
        QTemporaryDir other;
        Session s(other.path());
        s.Open(doc_);
        s.Lump(equation);
        return s.e().CommandTextsInOrder();
    }

private Q_SLOTS:
    void init() {
        QVERIFY(dir_.isValid());
        doc_ = dir_.filePath(QStringLiteral("doc.kel"));
        QVERIFY(WriteScriptFile(doc_, Script()).ok);
    }

    // The copy holds exactly what a save would write, and it comes only once there is
    // unsaved work.
    void copyIsWhatASaveWrites() {
        QTemporaryDir folder;
        Session s(folder.path());
        QSignalSpy written(&s.keeper, &RecoveryKeeper::Written);
        s.Open(doc_);
        QTest::qWait(200);
        QCOMPARE(written.size(), 0);  // opened, nothing changed
        QVERIFY(!QFileInfo::exists(s.keeper.CopyPath()));
        s.Lump(QStringLiteral("str=Join(oid,gid)"));
        QTRY_COMPARE(written.size(), 1);
        QCOMPARE(test::ReadBytes(s.keeper.CopyPath()),
                 SavedBytes(s.e().CommandTextsInOrder(), folder.filePath(QStringLiteral("x.kel"))));
    }

    // Whatever ends the unsaved work takes the copy with it.
    void copyGoesWithTheUnsavedWork_data() {
        QTest::addColumn<QString>("how");
        for (const char* how : {"save", "undo to the saved state", "new", "clear", "open",
                                "normal exit"})
            QTest::newRow(how) << QString::fromLatin1(how);
    }
    void copyGoesWithTheUnsavedWork() {
        QFETCH(QString, how);
        QTemporaryDir folder;
        Session s(folder.path());
        QSignalSpy written(&s.keeper, &RecoveryKeeper::Written);
        s.Open(doc_);
        s.Lump(QStringLiteral("gid=9"));
        QTRY_COMPARE(written.size(), 1);
        QVERIFY(QFileInfo::exists(s.keeper.CopyPath()));
        s.prompts().SetDefaultMessageAnswer(kAnswerYes);
        if (how == QLatin1String("save")) {
            QVERIFY(s.e().Save());
        } else if (how == QLatin1String("undo to the saved state")) {
            QVERIFY(s.e().Undo());
        } else if (how == QLatin1String("new")) {
            s.e().RunAction(QStringLiteral("MenuFileNew"));
        } else if (how == QLatin1String("clear")) {
            s.e().RunAction(QStringLiteral("MenuFileClear"));
        } else if (how == QLatin1String("open")) {
            s.Open(doc_);
        } else {
            s.keeper.Discard();
        }
        QVERIFY(!QFileInfo::exists(s.keeper.CopyPath()));
        // And nothing brings it back while there is no new change.
        QTest::qWait(200);
        QVERIFY(!QFileInfo::exists(s.keeper.CopyPath()));
        QCOMPARE(written.size(), 1);
    }

    // A burst of changes is written once, after it, and never twice within the interval.
    void writesAreSpacedOut() {
        QTemporaryDir folder;
        Session s(folder.path(), 100, 800);
        QSignalSpy written(&s.keeper, &RecoveryKeeper::Written);
        s.Open(doc_);
        QElapsedTimer t;
        t.start();
        for (int k = 0; k < 5; ++k) s.Lump(QStringLiteral("str=%1").arg(k));
        QTRY_COMPARE(written.size(), 1);
        const qint64 first = t.elapsed();
        s.Lump(QStringLiteral("str=last"));
        QTRY_COMPARE_WITH_TIMEOUT(written.size(), 2, 5000);
        QVERIFY2(t.elapsed() - first >= 700, qPrintable(QString::number(t.elapsed() - first)));
        QCOMPARE(test::ReadBytes(s.keeper.CopyPath()),
                 SavedBytes(s.e().CommandTextsInOrder(), folder.filePath(QStringLiteral("x.kel"))));
    }

    // A copy left behind is offered to the next editor: Yes restores it (modified, under
    // the document's name), No discards it, Cancel keeps it for the next start.
    void offerLeftCopy_data() {
        QTest::addColumn<int>("answer");
        QTest::newRow("restore") << kAnswerYes;
        QTest::newRow("discard") << kAnswerNo;
        QTest::newRow("keep") << kAnswerCancel;
    }
    void offerLeftCopy() {
        QFETCH(int, answer);
        QTemporaryDir folder;
        QStringList edited;
        {
            Session gone(folder.path());
            QSignalSpy written(&gone.keeper, &RecoveryKeeper::Written);
            gone.Open(doc_);
            gone.Lump(QStringLiteral("str=Join(gid,oid)"));
            QTRY_COMPARE(written.size(), 1);
            edited = gone.e().CommandTextsInOrder();
        }  // ends without a normal exit: the copy stays
        Session next(folder.path());
        next.prompts().Answer(answer);
        QCOMPARE(next.keeper.OfferRecovery(), answer == kAnswerYes);
        QCOMPARE(next.prompts().Asked().size(), 1);
        QVERIFY(next.prompts().Asked()[0].prompt.contains(QDir::toNativeSeparators(doc_)));
        const int left = int(QDir(folder.path()).entryList({QStringLiteral("*.kel")}).size());
        if (answer == kAnswerYes) {
            QCOMPARE(next.e().CommandTextsInOrder(), edited);
            QCOMPARE(next.e().EditFg(), 1);
            QCOMPARE(next.e().KelFileName(), doc_);
            QCOMPARE(left, 1);  // now the new editor's own copy, until it saves
            QVERIFY(QFileInfo::exists(next.keeper.CopyPath()));
            QVERIFY(next.e().Save());
            QCOMPARE(test::ReadBytes(doc_), SavedBytes(edited, folder.filePath(QStringLiteral("y"))));
            QVERIFY(!QFileInfo::exists(next.keeper.CopyPath()));
        } else {
            QCOMPARE(next.e().List().Count(), 0);
            QCOMPARE(left, answer == kAnswerNo ? 0 : 1);
            Session later(folder.path());
            later.prompts().Answer(kAnswerNo);
            later.keeper.OfferRecovery();
            QCOMPARE(later.prompts().Asked().size(), answer == kAnswerNo ? 0 : 1);
        }
    }

    // A copy older than its document (saved since, by another editor) holds nothing newer.
    void copyOlderThanItsDocumentIsNotOffered() {
        QTemporaryDir folder;
        {
            Session gone(folder.path());
            QSignalSpy written(&gone.keeper, &RecoveryKeeper::Written);
            gone.Open(doc_);
            gone.Lump(QStringLiteral("gid=1"));
            QTRY_COMPARE(written.size(), 1);
        }
        QTest::qWait(20);
        QVERIFY(WriteScriptFile(doc_, Script()).ok);
        Session next(folder.path());
        QCOMPARE(next.keeper.FindOrphans().size(), 0);
        QCOMPARE(QDir(folder.path()).entryList({QStringLiteral("*.kel")}).size(), 0);
    }

    // An editor that is still running keeps its copy: another one started beside it does
    // not see it.
    void runningEditorsKeepTheirCopies() {
        QTemporaryDir folder;
        Session first(folder.path());
        QSignalSpy written(&first.keeper, &RecoveryKeeper::Written);
        first.Open(doc_);
        first.Lump(QStringLiteral("gid=2"));
        QTRY_COMPARE(written.size(), 1);
        Session second(folder.path());
        QCOMPARE(second.keeper.FindOrphans().size(), 0);
        QVERIFY(!second.keeper.OfferRecovery());
        QVERIFY(second.prompts().Asked().isEmpty());
        QVERIFY(QFileInfo::exists(first.keeper.CopyPath()));
    }

    // Real editor processes killed with SIGKILL after an unsaved edit: the next start offers
    // exactly what each had, and a running one's copy is never taken. Two of them edit the
    // same document.
    void killedEditorsLoseNothing() {
        QTemporaryDir settings;
        const QString folder = RecoveryKeeper::DefaultFolder();
        QVERIFY2(folder.startsWith(QString::fromLocal8Bit(qgetenv("XDG_DATA_HOME"))),
                 "the test must not touch the user's own data folder");
        QDir(folder).removeRecursively();
        const QString eqA = QStringLiteral("str=Join(oid,oid)");
        const QString eqB = QStringLiteral("gid=Plus(gid,100)");
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("KEL_SETTINGS_DIR"), settings.path());
        const auto start = [&](const QString& equation) {
            auto p = std::make_unique<QProcess>();
            p->setProcessEnvironment(env);
            p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
            p->start(QStringLiteral(KEL_SESSION_CHILD_PATH), {doc_, equation});
            return p;
        };
        const auto waitFor = [](QProcess& p, const char* word) {
            QByteArray out;
            QElapsedTimer t;
            t.start();
            while (!out.contains(word) && t.elapsed() < 60000 && p.state() != QProcess::NotRunning) {
                p.waitForReadyRead(500);
                out += p.readAllStandardOutput();
            }
            return QString::fromUtf8(out);
        };
        std::unique_ptr<QProcess> a = start(eqA), b = start(eqB);
        const QString outA = waitFor(*a, "written"), outB = waitFor(*b, "written");
        QVERIFY2(outA.contains(QLatin1String("edited 1")) && outA.contains(QLatin1String("written")),
                 qPrintable(outA));
        QVERIFY2(outB.contains(QLatin1String("written")), qPrintable(outB));
        // Written a few seconds after the edit: at most that much work is at risk.
        const int ms = outA.section(QLatin1String("written "), 1).section(QLatin1Char('\n'), 0, 0).toInt();
        QVERIFY2(ms >= 1500 && ms < 6000, qPrintable(outA));
        a->kill();
        QVERIFY(a->waitForFinished());

        const QString scratch = settings.filePath(QStringLiteral("expected.kel"));
        {
            Session next(folder);
            next.prompts().Answer(kAnswerYes);
            QVERIFY(next.keeper.OfferRecovery());
            QCOMPARE(next.prompts().Asked().size(), 1);  // B is still running
            QCOMPARE(SavedBytes(next.e().CommandTextsInOrder(), scratch + "1"),
                     SavedBytes(AfterLump(eqA), scratch + "2"));
            QCOMPARE(next.e().EditFg(), 1);
            QCOMPARE(next.e().KelFileName(), doc_);
            next.keeper.Discard();
        }
        b->kill();
        QVERIFY(b->waitForFinished());
        Session last(folder);
        last.prompts().Answer(kAnswerYes);
        QVERIFY(last.keeper.OfferRecovery());
        QCOMPARE(last.prompts().Asked().size(), 1);
        QCOMPARE(SavedBytes(last.e().CommandTextsInOrder(), scratch + "3"),
                 SavedBytes(AfterLump(eqB), scratch + "4"));
        last.keeper.Discard();
        QCOMPARE(QDir(folder).entryList({QStringLiteral("*.kel")}).size(), 0);
    }
};

KEL_TEST(RecoveryTest);
#include "tst_Recovery.moc"
