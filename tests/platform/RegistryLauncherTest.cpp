// The registry file and the program launcher.
#include "TestMain.h"

#include "common/TextFile.h"
#include "platform/ProgramLauncher.h"
#include "platform/Registry.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

namespace kel {

class RegistryLauncherTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void ReadsRegistryFile_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        const QString rdw30 = QStringLiteral("SOFTWARE\\ALPS\\Rdw30");
        QTest::newRow("quoted, escapes") << rdw30 << "installpath" << "C:\\Program Files\\ALPS \"98\"";
        QTest::newRow("key with root, any case, slashes")
            << "HKEY_LOCAL_MACHINE/software/alps/RDW30/" << "InstallPath" << "C:\\Program Files\\ALPS \"98\"";
        QTest::newRow("HKLM root") << "HKLM\\SOFTWARE\\ALPS\\Rdw30" << "installpath"
                                   << "C:\\Program Files\\ALPS \"98\"";
        QTest::newRow("unquoted, Japanese") << "SOFTWARE\\ALPS\\Rdw40" << "installpath" << "/opt/地図";
        QTest::newRow("dword") << rdw30 << "count" << "10";
        QTest::newRow("negative dword") << rdw30 << "flags" << "-1";
        QTest::newRow("default value") << rdw30 << "" << "def";
        QTest::newRow("before any section") << "" << "stray" << "";
        QTest::newRow("commented out") << rdw30 << "old" << "";
        QTest::newRow("missing key") << "SOFTWARE\\ALPS\\Rdw50" << "installpath" << "";
    }
    void ReadsRegistryFile() {
        QFETCH(QString, key);
        QFETCH(QString, name);
        QFETCH(QString, value);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("KelEditor.reg"));
        QVERIFY(WriteTextFile(path, {
            QStringLiteral("REGEDIT4"),
            QStringLiteral("stray=1"),
            QStringLiteral("[HKEY_LOCAL_MACHINE\\SOFTWARE\\ALPS\\Rdw30]"),
            QStringLiteral("\"installpath\"=\"C:\\\\Program Files\\\\ALPS \\\"98\\\"\""),
            QStringLiteral("  count = dword:0000000a"),
            QStringLiteral("\"flags\"=dword:ffffffff"),
            QStringLiteral("@=\"def\""),
            QStringLiteral("; old=gone"),
            QString(),
            QStringLiteral("[SOFTWARE\\ALPS\\Rdw40]"),
            QStringLiteral("installpath=/opt/地図"),
        }).ok);
        FileRegistry registry;
        QVERIFY(registry.Load(path));
        QCOMPARE(registry.ReadString(key, name), value);
    }

    void MissingRegistryFileIsEmpty() {
        QTemporaryDir dir;
        FileRegistry registry;
        QString error;
        QVERIFY(registry.Load(dir.filePath(QStringLiteral("none.reg")), &error));
        QCOMPARE(registry.Size(), 0);
        QVERIFY(!registry.Load(dir.path(), &error));  // a folder cannot be read
        QVERIFY(!error.isEmpty());
    }

    // Arguments with blanks and quotes reach the program unchanged, one by one.
    void StartsDetachedWithArguments() {
        QTemporaryDir dir;
        const QString out = dir.filePath(QStringLiteral("args.txt"));
        ProcessLauncher launcher;
        const LaunchResult r = launcher.Start({QStringLiteral("/bin/sh"),
                                               {QStringLiteral("-c"),
                                                QStringLiteral("printf '%s|' \"$@\" > \"$0.tmp\" && mv \"$0.tmp\" \"$0\""),
                                                out, QStringLiteral("a b.kel"), QStringLiteral("\"q\"")},
                                               LaunchWindow::Normal, dir.path()});
        QVERIFY2(r.ok, qPrintable(r.error));
        const QDeadlineTimer deadline(5000);
        while (!QFile::exists(out) && !deadline.hasExpired()) QThread::msleep(10);
        QCOMPARE(test::ReadBytes(out), QByteArray("a b.kel|\"q\"|"));
    }

    void ReportsProgramThatCannotStart() {
        ProcessLauncher launcher;
        const LaunchResult r = launcher.Start({QStringLiteral("/nonexistent/patls98.exe"), {}, {}, {}});
        QVERIFY(!r.ok);
        QVERIFY2(r.error.contains(QStringLiteral("patls98.exe")), qPrintable(r.error));
        QVERIFY(!launcher.Start({}).ok);
    }
};

}  // namespace kel

using kel::RegistryLauncherTest;
KEL_TEST(RegistryLauncherTest);
#include "RegistryLauncherTest.moc"
