// kel eval: formulas evaluated for a line of a script from the command line.
#include <QProcess>

#include "TestMain.h"

namespace {

using Run = kel::test::KelRun;

Run Kel(const QStringList& args) { return kel::test::RunKel(args); }

const QString kSample = QStringLiteral(KEL_SOURCE_DIR "/examples/sample.kel");

}  // namespace

class KelEvalTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void eval_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("out");
        QTest::newRow("parameter of line N") << QStringList{"14", "Join(Cmd,oid)"} << "point1\n";
        QTest::newRow("over the list") << QStringList{"14", "CmdNum(Figure)"} << "17\n";
        QTest::newRow("preselected lines")
            << QStringList{"14", "IndexSelect((3,4),SelectedIndexList)", "--select", "7,9"}
            << "3,4,7,9\n";
        QTest::newRow("current line") << QStringList{"14", "PushIndex(PopIndex)", "--current", "6"}
                                      << "6\n";
        QTest::newRow("literal") << QStringList{"0", "abc"} << "abc\n";
    }
    void eval() {
        QFETCH(QStringList, args);
        QFETCH(QString, out);
        const Run r = Kel(QStringList{"eval", kSample} + args);
        QCOMPARE(r.err, QString());
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, out);
    }

    void refused_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("line outside the list") << QStringList{kSample, "99", "x"};
        QTest::newRow("missing formula") << QStringList{kSample, "1"};
        QTest::newRow("bad selection") << QStringList{kSample, "1", "x", "--select", "1,500"};
        QTest::newRow("bad current") << QStringList{kSample, "1", "x", "--current", "a"};
        QTest::newRow("option without value") << QStringList{kSample, "1", "x", "--select"};
    }
    void refused() {
        QFETCH(QStringList, args);
        const Run r = Kel(QStringList{"eval"} + args);
        QCOMPARE(r.status, 2);
        QVERIFY2(r.err.startsWith(QLatin1String("kel: eval: ")), qPrintable(r.err));
        QCOMPARE(r.out, QString());
    }
};

KEL_TEST(KelEvalTest);
#include "tst_KelEval.moc"
