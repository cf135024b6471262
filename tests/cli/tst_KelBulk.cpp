// kel select, search, lump, sort, attributes on the sample script.
#include <QTemporaryDir>

#include "KelRunner.h"
#include "TestMain.h"
#include "common/TextFile.h"

class KelBulkTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void query_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("out");
        QTest::newRow("select pattern") << QStringList{"select", kSample, "oid=1*"}
                                        << "14,23,24,25,26,27,28,29,30,31\n";
        QTest::newRow("select narrows preselection")
            << QStringList{"select", kSample, "&gid=100", "--select", "14,15"} << "14\n";
        QTest::newRow("select widens preselection")
            << QStringList{"select", kSample, "|oid=19", "--select", "2"} << "2,31\n";
        QTest::newRow("search from no current line") << QStringList{"search", kSample, "Cmd=disp"}
                                                     << "37\n";
        QTest::newRow("search after the current line")
            << QStringList{"search", kSample, "gid=300", "--current", "20"} << "21\n";
        QTest::newRow("search finds nothing") << QStringList{"search", kSample, "oid=999"} << "-1\n";
    }
    void query() {
        QFETCH(QStringList, args);
        QFETCH(QString, out);
        const Run r = Kel(args);
        QCOMPARE(r.err, QString());
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, out);
    }

    void lumpThenEval() {
        QTemporaryDir dir;
        const QString out = dir.filePath(QStringLiteral("out.kel"));
        Run r = Kel({"lump", kSample, "str=Join(oid,gid)", "-o", out, "--select", "14,31"});
        QCOMPARE(r.err, QString());
        QCOMPARE(r.status, 0);
        QCOMPARE(Kel({"eval", out, "14", "str"}).out, QStringLiteral("1100\n"));
        QCOMPARE(Kel({"eval", out, "31", "str"}).out, QStringLiteral("19300\n"));
        QCOMPARE(Kel({"eval", out, "15", "str"}).out, Kel({"eval", kSample, "15", "str"}).out);
    }

    // A value that cannot be stored: the file is written with those commands unchanged,
    // and the run says so.
    void lumpRefused() {
        QTemporaryDir dir;
        const QString out = dir.filePath(QStringLiteral("out.kel"));
        const Run r = Kel({"lump", kSample, "str=a\"b", "-o", out});
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains(QStringLiteral("[str]の値は保存できません")), qPrintable(r.err));
        const QString plain = dir.filePath(QStringLiteral("plain.kel"));
        QCOMPARE(Kel({"save", kSample, plain}).status, 0);
        QCOMPARE(kel::test::ReadBytes(out), kel::test::ReadBytes(plain));
    }

    void sortDownFigures() {
        QTemporaryDir dir;
        const QString out = dir.filePath(QStringLiteral("out.kel"));
        const Run r = Kel({"sort", kSample, "oid", "--down", "--figures", "-o", out});
        QCOMPARE(r.err, QString());
        QCOMPARE(r.status, 0);
        const QStringList lines = Kel({"list", out}).out.split(QLatin1Char('\n'));
        QVERIFY(lines[14].startsWith(QStringLiteral("area      19")));
        QVERIFY(lines[22].startsWith(QStringLiteral("comment")));  // other commands stay
        QVERIFY(lines[31].startsWith(QStringLiteral("point     1 ")));
    }

    void attributes() {
        QTemporaryDir dir;
        const QString out = dir.filePath(QStringLiteral("attr.txt"));
        const Run r = Kel({"attributes", kSample, "oid,gid", "-o", out, "--select", "14,15,31"});
        QCOMPARE(r.err, QString());
        QCOMPARE(r.status, 0);
        QCOMPARE(kel::test::ReadBytes(out), QByteArray("1,100\r\n2,200\r\n19,300\r\n"));
    }

    void refused_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::newRow("lump without -o") << QStringList{"lump", kSample, "str=a"} << 2;
        QTest::newRow("sort without formula") << QStringList{"sort", kSample, "-o", "x.kel"} << 2;
        QTest::newRow("bad selection") << QStringList{"select", kSample, "oid=1", "--select", "999"}
                                       << 2;
        QTest::newRow("bad current") << QStringList{"search", kSample, "oid=1", "--current", "x"} << 2;
        QTest::newRow("missing file") << QStringList{"select", "/nonexistent/a.kel", "oid=1"} << 1;
    }
    void refused() {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        const Run r = Kel(args);
        QCOMPARE(r.status, status);
        QVERIFY2(r.err.startsWith(QLatin1String("kel: ")), qPrintable(r.err));
        QCOMPARE(r.out, QString());
    }
};

KEL_TEST(KelBulkTest);
#include "tst_KelBulk.moc"
