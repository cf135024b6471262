// Data safety of the command line: every writer on a full disk and on targets that are not
// regular files, reading things that are not files, messages on one line.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "SmallDisk.h"
#include "KelRunner.h"
#include "TestMain.h"

#include <csignal>
#include <sys/stat.h>

namespace {

using kel::test::SmallDisk;

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

    // Bad input is an error (status 2, one line), never a silent result.
    void badInputIsRefused_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown target format") << QStringList{"coord", "35/00/00", "KEL", "XYZ"}
                                               << "unknown format XYZ";
        QTest::newRow("unknown source format") << QStringList{"coord", "35/00/00", "kel", "D"}
                                               << "unknown format kel";
        QTest::newRow("DM is read only") << QStringList{"coord", "35.5", "D", "DM"} << "unknown format DM";
        QTest::newRow("unknown figure type")
            << QStringList{"measure", "hexagon", "35/00/00,135/00/00"} << "unknown figure type hexagon";
        QTest::newRow("radius text") << QStringList{"measure", "circle", "35/00/00,135/00/00", "--r", "abc"}
                                     << "--r must be a size";
        QTest::newRow("width text")
            << QStringList{"measure", "rect", "35/00/00,135/00/00", "--width", "1x", "--height", "2"}
            << "--width must be a size";
        QTest::newRow("distance NaN") << QStringList{"distance", "1e308", "1e308", "-1e308", "-1e308"}
                                      << "no distance";
        QTest::newRow("equation without =") << QStringList{"lump", kSample, "garbage", "-o", "@DIR/o.kel"}
                                            << "EQUATION must be NAME=FORMULA";
        QTest::newRow("equation without name") << QStringList{"lump", kSample, "=1", "-o", "@DIR/o.kel"}
                                               << "EQUATION must be NAME=FORMULA";
        QTest::newRow("empty command word") << QStringList{"build", ""} << "WORD must be a command word";
    }
    void badInputIsRefused() {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        QTemporaryDir dir;
        args.replaceInStrings(QStringLiteral("@DIR"), dir.path());
        const Run r = Kel(args);
        QCOMPARE(r.status, 2);
        QCOMPARE(r.out, QString());
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QCOMPARE(r.err.count(QLatin1Char('\n')), 1);
        QVERIFY(QDir(dir.path()).isEmpty());
    }

    // Sizes with units still measure; the sign of DMS is the value's.
    void goodInputStillWorks_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("out");
        QTest::newRow("radius in km")
            << QStringList{"measure", "circle", "35/00/00,135/00/00", "--r", "1km"}
            << "3.141593 km^2  / 6.283 km\n";
        QTest::newRow("positive value, negative degree")
            << QStringList{"coord", "-1/61/00", "KEL", "DMS"} << "0.010000\n";
        QTest::newRow("point measures nothing")
            << QStringList{"measure", "point", "35/00/00,135/00/00"} << "\n";
        QTest::newRow("tiny negative") << QStringList{"coord", "-1e-17", "D", "DMS"} << "0.000000\n";
    }
    void goodInputStillWorks() {
        QFETCH(QStringList, args);
        QFETCH(QString, out);
        const Run r = Kel(args);
        QCOMPARE(r.err, QString());
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, out);
    }

    // Bytes that are not Shift-JIS are saved as they were read, with the warning.
    void saveKeepsUndecodableBytes() {
        QTemporaryDir dir;
        const QString in = dir.filePath(QStringLiteral("in.kel"));
        const QByteArray bytes = "point oid=\"1\" str=\"A\xA0" "B\x80" "C\xFD" "D\";\r\nmapserver end;\r\n";
        Put(in, bytes);
        const QString out = dir.filePath(QStringLiteral("out.kel"));
        const Run r = Kel({QStringLiteral("save"), in, out});
        QCOMPARE(r.status, 0);
        QVERIFY2(r.err.contains(QLatin1String("line 1 is not valid Shift-JIS")), qPrintable(r.err));
        QCOMPARE(kel::test::ReadBytes(out), bytes);
        // Shown visibly in the list.
        const Run list = Kel({QStringLiteral("statements"), in});
        QVERIFY2(list.out.contains(QLatin1String("\\uf7a0")) || list.out.contains(QChar(0xF7A0)),
                 qPrintable(list.out));
    }

    // A file that is not Waypoint+ at all: a few of its lines, the count, status 1 and no
    // script written.
    void wptImportOfBinaryFile() {
        QTemporaryDir dir;
        const QString in = dir.filePath(QStringLiteral("binary.txt"));
        QByteArray bytes;
        for (int i = 0; i < 5000; ++i) bytes += QByteArray::number(i * 7919) + QByteArray("\x01\x02\xff\x00garbage\n", 12);
        Put(in, bytes);
        const QString out = dir.filePath(QStringLiteral("out.kel"));
        const Run r = Kel({QStringLiteral("wpt-import"), in, out});
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.count(QLatin1Char('\n')) <= 7, qPrintable(r.err.left(2000)));
        QVERIFY2(r.err.contains(QLatin1String("not a Waypoint+ file")), qPrintable(r.err));
        QVERIFY2(r.err.contains(QLatin1String("more")), qPrintable(r.err));
        QVERIFY(!QFile::exists(out));
    }

    // Ctrl+C cancels a long bulk input: status 130, nothing written.
    void interruptCancelsBulkInput() {
        QTemporaryDir dir;
        const QString in = dir.filePath(QStringLiteral("big.kel"));
        QByteArray script;
        for (int i = 0; i < 3000; ++i)
            script += "point oid=\"" + QByteArray::number((i * 7919) % 3000) +
                      "\" pos=\"35/00/00.0,135/00/00.0\";\r\n";
        Put(in, script);
        const QString out = dir.filePath(QStringLiteral("out.kel"));
        QProcess p;
        p.start(QStringLiteral(KEL_CLI_PATH),
                {QStringLiteral("lump"), in, QStringLiteral("str=Rank(IndexRefer(Index,oid),1)"),
                 QStringLiteral("-o"), out});
        QVERIFY(p.waitForStarted());
        QTest::qWait(1500);
        QVERIFY2(p.state() == QProcess::Running, "the bulk input ended before it was interrupted");
        ::kill(pid_t(p.processId()), SIGINT);
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 130);
        QVERIFY(QString::fromUtf8(p.readAllStandardError()).contains(QLatin1String("cancelled")));
        QVERIFY(!QFile::exists(out));
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
