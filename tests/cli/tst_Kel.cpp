#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include "KelRunner.h"
#include "TestMain.h"

class KelCommandLineTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void helpListsCommands() {
        const Run r = Kel({QStringLiteral("--help")});
        QCOMPARE(r.status, 0);
        for (const char* c : {"statements", "param", "slots", "build", "save", "coord", "pos", "list"})
            QVERIFY2(r.out.contains(QLatin1String("  ") + QLatin1String(c)), c);
    }

    void failures_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::newRow("no command") << QStringList{} << 2;
        QTest::newRow("unknown") << QStringList{"frobnicate"} << 2;
        QTest::newRow("missing args") << QStringList{"param", "x.kel"} << 2;
        QTest::newRow("bad number") << QStringList{"slots", kSample, "two"} << 2;
        QTest::newRow("statement out of range") << QStringList{"slots", kSample, "99999"} << 2;
        QTest::newRow("unreadable file") << QStringList{"statements", "/nonexistent/x.kel"} << 1;
        QTest::newRow("unstorable value") << QStringList{"build", "point", "a\"b"} << 1;
    }
    void failures() {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        const Run r = Kel(args);
        QCOMPARE(r.status, status);
        if (!args.isEmpty()) {
            QVERIFY2(r.err.startsWith(QLatin1String("kel: ")), qPrintable(r.err));
            QCOMPARE(r.err.count(QLatin1Char('\n')), 1);
        }
    }

    void statementsAreJsonLines() {
        const Run r = Kel({QStringLiteral("statements"), kSample});
        QCOMPARE(r.status, 0);
        const QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QVERIFY(lines.size() > 10);
        bool sawJapanese = false;
        for (const QString& line : lines) {
            const QJsonObject o = QJsonDocument::fromJson(line.toUtf8()).object();
            QVERIFY2(o.contains(QStringLiteral("word")) && o.contains(QStringLiteral("text")),
                     qPrintable(line));
            sawJapanese |= o.value(QStringLiteral("text")).toString().contains(QChar(0x6771));  // 東
        }
        QVERIFY(sawJapanese);
    }

    void paramSlotsAndBuildAgree() {
        const Run built = Kel({QStringLiteral("build"), QStringLiteral("circle"), QStringLiteral("7"),
                               QString(), QStringLiteral("35/00/00.0,139/00/00.0"),
                               QStringLiteral("500M")});
        QCOMPARE(built.status, 0);
        const QString text =
            QJsonDocument::fromJson("[" + built.out.toUtf8() + "]").array().at(0).toString();
        QCOMPARE(text, QStringLiteral("\t\tcircle\toid=\"7\"\r\n\t\t\t\tpos=\"35/00/00.0,139/00/00.0\"\r\n\t\t\t\tr=\"500M\";"));

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("c.kel"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(text.toUtf8() + "\r\n");
        f.close();
        QCOMPARE(Kel({QStringLiteral("param"), path, QStringLiteral("0"), QStringLiteral("r")}).out,
                 QStringLiteral("500M\n"));
        const QJsonObject slots = QJsonDocument::fromJson(
                                      Kel({QStringLiteral("slots"), path, QStringLiteral("0")}).out.toUtf8())
                                      .object();
        QCOMPARE(slots.value(QStringLiteral("word")).toString(), QStringLiteral("circle"));
        QCOMPARE(slots.value(QStringLiteral("slots")).toArray().size(), 16);
        QCOMPARE(slots.value(QStringLiteral("slots")).toArray().at(3).toString(), QStringLiteral("500M"));
    }

    void saveKeepsBytes() {
        QTemporaryDir dir;
        const QString out = dir.filePath(QStringLiteral("out.kel"));
        const QString golden = kel::test::DataPath(QStringLiteral("script/kyoto.kel"));
        const QString expected = kel::test::DataPath(QStringLiteral("script/kyoto.saved.kel"));
        QCOMPARE(Kel({QStringLiteral("save"), golden, out}).status, 0);
        QCOMPARE(kel::test::ReadBytes(out), kel::test::ReadBytes(expected));
        // A saved script is a fixed point: saving it again changes nothing.
        const QString again = dir.filePath(QStringLiteral("again.kel"));
        QCOMPARE(Kel({QStringLiteral("save"), kSample, out}).status, 0);
        QCOMPARE(Kel({QStringLiteral("save"), out, again}).status, 0);
        QCOMPARE(kel::test::ReadBytes(again), kel::test::ReadBytes(out));
    }

    void coordinatesAndPositions() {
        QCOMPARE(Kel({QStringLiteral("coord"), QStringLiteral("35/30/12.3"), QStringLiteral("KEL"),
                      QStringLiteral("D")})
                     .out,
                 QStringLiteral("35.5034166666667\n"));
        QCOMPARE(Kel({QStringLiteral("pos"), QStringLiteral("<>35/30/00.0,139/45/00.0&35/31/00.0,139/46/00.0")}).out,
                 QStringLiteral("35.5,139.75\n35.5166666666667,139.766666666667\n"));
    }

    void listShowsColumns() {
        const Run r = Kel({QStringLiteral("list"), kSample});
        QCOMPARE(r.status, 0);
        const QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QVERIFY(!lines.isEmpty());
        for (int i = 0; i < lines.size(); ++i) {
            QCOMPARE(lines[i].size(), 40);
            QCOMPARE(lines[i].mid(26, 6).trimmed().toInt(), i + 1);
        }
    }
};

KEL_TEST(KelCommandLineTest);
#include "tst_Kel.moc"
