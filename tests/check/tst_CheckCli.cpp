// kel check: output lines, JSON, switched-off rules and exit status.
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "TestMain.h"

namespace {

const QString kSample = QStringLiteral(KEL_SOURCE_DIR "/examples/sample.kel");

QString WriteScript(const QTemporaryDir& dir, const QByteArray& crlfText) {
    const QString path = dir.filePath(QStringLiteral("faults.kel"));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(crlfText) != crlfText.size()) qFatal("write");
    return path;
}

// Two warnings and one error: the error goes when its rule is switched off.
const QByteArray kFaults =
    "mapserver script ver=\"1.0\";\r\n"
    "point oid=\"1\" gid=\"9\" pos=\"95/00/00.0,135/00/00.0\";\r\n"
    "point oid=\"1\" pos=\"35/00/00.0,135/00/00.0\";\r\n"
    "mapserver end;\r\n";

}  // namespace

class CheckCliTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void findings() {
        QTemporaryDir dir;
        const QString path = WriteScript(dir, kFaults);
        const kel::test::KelRun r = kel::test::RunKel({QStringLiteral("check"), path});
        QCOMPARE(r.status, 1);
        QCOMPARE(r.out, QStringLiteral(
                            "2:1: error: latitude 95/00/00.0 (position 1) is outside -90 to 90 "
                            "[pos-range]\n"
                            "2:1: warning: gid \"9\" is defined by no group [undefined-gid]\n"
                            "3:1: warning: oid \"1\" is also used by the figure on line 2 "
                            "[duplicate-oid]\n"));
        QVERIFY2(r.err.contains(QLatin1String("1 error(s), 2 warning(s)")), qPrintable(r.err));

        const kel::test::KelRun ignored = kel::test::RunKel(
            {QStringLiteral("check"), path, QStringLiteral("--ignore"), QStringLiteral("pos-range,duplicate-oid")});
        QCOMPARE(ignored.status, 0);  // warnings alone do not fail
        QCOMPARE(ignored.out.count(QLatin1Char('\n')), 1);
    }

    void json() {
        QTemporaryDir dir;
        const kel::test::KelRun r =
            kel::test::RunKel({QStringLiteral("check"), QStringLiteral("--json"), WriteScript(dir, kFaults)});
        QCOMPARE(r.status, 1);
        const QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 3);
        const QJsonObject first = QJsonDocument::fromJson(lines[0].toUtf8()).object();
        QCOMPARE(first.value("line").toInt(), 2);
        QCOMPARE(first.value("column").toInt(), 1);
        QCOMPARE(first.value("statement").toInt(), 1);
        QCOMPARE(first.value("severity").toString(), QStringLiteral("error"));
        QCOMPARE(first.value("rule").toString(), QStringLiteral("pos-range"));
        QVERIFY(first.value("message").toString().startsWith(QLatin1String("latitude 95/00/00.0")));
        QCOMPARE(r.err, QString());
    }

    void status_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::newRow("clean example") << QStringList{"check", kSample} << 0;
        QTest::newRow("rules listed") << QStringList{"check", "--rules"} << 0;
        QTest::newRow("no file") << QStringList{"check"} << 2;
        QTest::newRow("two files") << QStringList{"check", kSample, kSample} << 2;
        QTest::newRow("unknown option") << QStringList{"check", kSample, "--fix"} << 2;
        QTest::newRow("unknown rule") << QStringList{"check", kSample, "--ignore", "pos-rnage"} << 2;
        QTest::newRow("ignore without rules") << QStringList{"check", kSample, "--ignore"} << 2;
        QTest::newRow("missing file") << QStringList{"check", "/nonexistent/x.kel"} << 2;
    }
    void status() {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        const kel::test::KelRun r = kel::test::RunKel(args);
        QCOMPARE(r.status, status);
        if (status == 2) {
            QVERIFY2(r.err.startsWith(QLatin1String("kel: check: ")), qPrintable(r.err));
            QCOMPARE(r.out, QString());
        }
        if (args.contains(QLatin1String("--rules"))) QVERIFY(r.out.contains(QLatin1String("pos-range\tvalues\terror\t")));
    }
};

KEL_TEST(CheckCliTest);

#include "tst_CheckCli.moc"
