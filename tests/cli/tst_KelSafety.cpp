// Data safety of the command line: every writer on a full disk and on targets that are not
// regular files, reading things that are not files, messages on one line.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "SmallDisk.h"
#include "TestMain.h"

#include <sys/stat.h>

namespace {

using Run = kel::test::KelRun;
using kel::test::SmallDisk;

Run Kel(const QStringList& args) { return kel::test::RunKel(args); }

const QString kSample = QStringLiteral(KEL_SOURCE_DIR "/examples/sample.kel");
QString Data(const char* name) { return kel::test::DataPath(QString::fromLatin1(name)); }

void Put(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

}  // namespace

class KelSafetyTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Each writer, its output already there, the disk then filled: status 1, the system's
    // reason with the path on one line, the old output byte for byte. "IN" is a copy of the
    // input on the small disk (for the writers that write beside their input), "OUT" the
    // output file.
    void fullDiskKeepsOutput_data() {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("output");
        QTest::newRow("save") << kSample << QStringList{"save", "IN", "OUT"} << "out.kel";
        QTest::newRow("lump") << kSample << QStringList{"lump", "IN", "str=Join(oid,gid)", "-o", "OUT"}
                              << "out.kel";
        QTest::newRow("sort") << kSample << QStringList{"sort", "IN", "oid", "--down", "-o", "OUT"}
                              << "out.kel";
        QTest::newRow("attributes") << kSample
                                    << QStringList{"attributes", "IN", "oid,gid", "-o", "OUT"}
                                    << "attr.txt";
        QTest::newRow("wpt-export")
            << Data("waypoint/sample.kel")
            << QStringList{"wpt-export", "IN", "OUT", "--now", "2000-06-21T12:00:00"} << "out.txt";
        QTest::newRow("wpt-import") << Data("waypoint/tracks.txt")
                                    << QStringList{"wpt-import", "IN", "OUT"} << "out.kel";
        QTest::newRow("track-route") << Data("waypoint/tracks.txt") << QStringList{"track-route", "IN"}
                                     << "in(Info).TXT";
        QTest::newRow("track-log") << Data("waypoint/tracks.txt")
                                   << QStringList{"track-log", "IN", "--now", "2000-06-21T12:00:00"}
                                   << "in-1.LOG";
        QTest::newRow("track-2drms append") << Data("waypoint/tracks.txt")
                                            << QStringList{"track-2drms", "IN", "--append"}
                                            << "in.txt";
    }
    void fullDiskKeepsOutput() {
        QFETCH(QString, input);
        QFETCH(QStringList, args);
        QFETCH(QString, output);
        SmallDisk disk(256 * 1024);
        KEL_REQUIRE_SMALL_DISK(disk);
        const QString in = disk.Path(QStringLiteral("in.") + QFileInfo(input).suffix());
        QVERIFY(QFile::copy(input, in));
        const QString out = disk.Path(output);
        const QByteArray old = QFile::exists(out) ? kel::test::ReadBytes(out) : "old output\r\n";
        if (!QFile::exists(out)) Put(out, old);
        args.replaceInStrings(QStringLiteral("IN"), in);
        args.replaceInStrings(QStringLiteral("OUT"), out);
        QVERIFY(disk.Fill(0));
        const Run r = Kel(args);
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains(QLatin1String("No space left on device")), qPrintable(r.err));
        QVERIFY2(r.err.contains(output), qPrintable(r.err));
        QCOMPARE(r.err.count(QLatin1Char('\n')), 1);
        QVERIFY2(!r.err.contains(QLatin1Char('\r')), qPrintable(r.err));
        QCOMPARE(kel::test::ReadBytes(out), old);
    }

    // The same save with room enough succeeds: the refusal above is the disk's.
    void saveWithRoomSucceeds() {
        SmallDisk disk(256 * 1024);
        KEL_REQUIRE_SMALL_DISK(disk);
        QTemporaryDir dir;
        const QString reference = dir.filePath(QStringLiteral("out.kel"));
        QCOMPARE(Kel({QStringLiteral("save"), kSample, reference}).status, 0);
        const QString out = disk.Path(QStringLiteral("out.kel"));
        QVERIFY(disk.Fill(64 * 1024));
        const Run r = Kel({QStringLiteral("save"), kSample, out});
        QCOMPARE(r.status, 0);
        QCOMPARE(kel::test::ReadBytes(out), kel::test::ReadBytes(reference));
    }

    // Things that are not regular files are neither read nor replaced.
    void notRegularFiles_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::newRow("save onto a fifo") << QStringList{"save", kSample, "@FIFO"}
                                          << "@FIFO: not a regular file (a FIFO)";
        QTest::newRow("save onto a folder") << QStringList{"save", kSample, "@DIR"}
                                            << "@DIR: not a regular file (a folder)";
        QTest::newRow("save from /dev/zero") << QStringList{"save", "/dev/zero", "@DIR/x.kel"}
                                             << "/dev/zero: not a regular file (a character device)";
        QTest::newRow("statements of /dev/zero")
            << QStringList{"statements", "/dev/zero"} << "/dev/zero: not a regular file (a character device)";
        QTest::newRow("wpt-import of /dev/zero")
            << QStringList{"wpt-import", "/dev/zero", "@DIR/x.kel"} << "not a regular file (a character device)";
        QTest::newRow("list of a folder") << QStringList{"list", "@DIR"} << "@DIR: not a regular file (a folder)";
        QTest::newRow("list of a fifo") << QStringList{"list", "@FIFO"} << "@FIFO: not a regular file (a FIFO)";
        QTest::newRow("list of /dev/zero")
            << QStringList{"list", "/dev/zero"} << "/dev/zero: not a regular file (a character device)";
        QTest::newRow("list of a missing file") << QStringList{"list", "@DIR/none.kel"}
                                                << "@DIR/none.kel: file not found";
    }
    void notRegularFiles() {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString fifo = dir.filePath(QStringLiteral("fifo"));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
        const QString folder = dir.filePath(QStringLiteral("dir"));
        QVERIFY(QDir().mkdir(folder));
        message.replace(QStringLiteral("@FIFO"), fifo);
        message.replace(QStringLiteral("@DIR"), folder);
        args.replaceInStrings(QStringLiteral("@FIFO"), fifo);
        args.replaceInStrings(QStringLiteral("@DIR"), folder);
        const Run r = Kel(args);
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QCOMPARE(r.err.count(QLatin1Char('\n')), 1);
        QVERIFY(QFileInfo(fifo).exists() && !QFileInfo(fifo).isFile());
        QVERIFY(QFileInfo(folder).isDir());
        QCOMPARE(QDir(folder).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden),
                 QStringList());
    }

    // A usage message names the subcommand once.
    void missingOutputNamesCommandOnce() {
        const Run r = Kel({QStringLiteral("lump"), kSample, QStringLiteral("str=1")});
        QCOMPARE(r.status, 2);
        QCOMPARE(r.err.count(QStringLiteral("lump:")), 1);
        QVERIFY2(r.err.contains(QLatin1String("-o OUT is required")), qPrintable(r.err));
    }
};

KEL_TEST(KelSafetyTest);
#include "tst_KelSafety.moc"
