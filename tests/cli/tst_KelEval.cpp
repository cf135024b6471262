// kel eval: formulas evaluated for a line of a script from the command line.
#include <QFile>
#include <QProcess>

#include "KelRunner.h"
#include "TestMain.h"

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
        // The example workbooks hold the same place table in both formats.
        for (const char* book : {"meisho.xlsx", "meisho.ods"}) {
            const QString path = QStringLiteral(KEL_SOURCE_DIR "/examples/") + QLatin1String(book);
            QTest::addRow("%s by address", book)
                << QStringList{"14", "Excel(" + path + ",Places,(A1:E18),2,oid)"}
                << QString::fromUtf8("浅草寺\n");
            QTest::addRow("%s by name, date", book)
                << QStringList{"14", "Excel(" + path + ",Places,Meisho,3,oid)"} << "1958/02/08\n";
            QTest::addRow("%s other sheet", book)
                << QStringList{"19", "Excel(" + path + QString::fromUtf8(",路線,Lines,3,oid)")}
                << "34.5\n";
        }
    }

    // A lookup that yields nothing says why with --explain, on stderr.
    void explain_data() {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<QString>("why");
        const QString book = QStringLiteral(KEL_SOURCE_DIR "/examples/meisho.xlsx");
        QTest::newRow("missing workbook")
            << "Excel(" KEL_SOURCE_DIR "/examples/none.xlsx,Places,(A1:B3),2,oid)"
            << "explain: Excel(" KEL_SOURCE_DIR "/examples/none.xlsx,Places,A1:B3,...): workbook \""
               KEL_SOURCE_DIR "/examples/none.xlsx\": the file does not exist (a lookup creates no "
               "workbook)\n";
        QTest::newRow("missing sheet")
            << "Excel(" + book + ",Nowhere,(A1:B3),2,oid)"
            << "explain: Excel(" + book + QString::fromUtf8(",Nowhere,A1:B3,...): sheet \"Nowhere\": "
               "the workbook has no sheet \"Nowhere\" (its sheets: Places, 路線)\n");
        QTest::newRow("no match")
            << "Excel(" + book + ",Places,Meisho,2,Join(x,oid))"
            << "explain: Excel(" + book + ",Places,Meisho,...): no row of the range holds \"x1\" "
               "in its first column\n";
        QTest::newRow("two lookups")
            << "Join(Excel(" + book + ",Places,Meisho,9,oid),Excel(" + book + ",Places,Meisho,2,oid))"
            << "explain: Excel(" + book + ",Places,Meisho,...): column 9 lies outside the range's 5 "
               "columns\n";
    }
    void explain() {
        QFETCH(QString, formula);
        QFETCH(QString, why);
        const Run r = Kel({"eval", kSample, "14", formula, "--explain"});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.err, why);
        QVERIFY(!QFile::exists(QStringLiteral(KEL_SOURCE_DIR "/examples/none.xlsx")));
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
