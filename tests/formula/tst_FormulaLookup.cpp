// Lookups in data files and workbooks, and their caches.
#include <QFile>

#include "FormulaFixture.h"
#include "TestMain.h"
#include "platform/Spreadsheet.h"

using namespace kel;
using kel::test::FormulaFixture;

namespace {
const QStringList kScript = {
    QStringLiteral("point oid=\"12\" gid=\"3\" str=\"Tokyo\";"),
    QStringLiteral("point oid=\"13\" gid=\"4\" str=\"Kyoto\";"),
};
}  // namespace

class FormulaLookupTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void dataFile_data() {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<QString>("result");
        QTest::newRow("key column") << "File(%1,12,1)" << "12";
        QTest::newRow("value") << "File(%1,12,2)" << QString::fromUtf8("東京");
        QTest::newRow("key from a parameter") << "File(%1,oid,3)" << "35";
        QTest::newRow("cell is a formula") << "File(%1,13,3)" << "Tokyo_3";
        QTest::newRow("grouped cell") << "File(%1,14,2)" << "a,b";
        QTest::newRow("separators") << "File(%1,15,3)" << "y";
        QTest::newRow("later line overwrites") << "File(%1,16,2)" << "new";
        QTest::newRow("later line keeps other cells") << "File(%1,16,3)" << "keep";
        QTest::newRow("row rounded") << "File(%1,12.4,2)" << QString::fromUtf8("東京");
        QTest::newRow("missing key") << "File(%1,99,2)" << "";
        QTest::newRow("missing file") << "File(%1.none,12,2)" << "";
    }
    void dataFile() {
        QFETCH(QString, formula);
        QFETCH(QString, result);
        FormulaFixture f;
        f.SetScript(kScript);
        const QString path = f.dir.filePath(QStringLiteral("data.txt"));
        QVERIFY(WriteTextFile(path, {QString::fromUtf8("12,東京,35"),
                                     QStringLiteral("13,x,Join(str,Join(_,gid))"),
                                     QStringLiteral("14,(a,b)"), QStringLiteral("15=x:y"),
                                     QStringLiteral("16,old,keep"), QStringLiteral("16,new")})
                    .ok);
        QCOMPARE(f.Eval(0, formula.arg(path)), result);
        if (formula.contains(QLatin1String("13,3"))) {
            // Evaluated in the context of the line asking.
            QCOMPARE(f.Eval(1, formula.arg(path)), QStringLiteral("Kyoto_4"));
        }
    }

    // The table is read once per name: a change on disk is seen only after another name.
    void dataFileIsCachedByName() {
        FormulaFixture f;
        f.SetScript(kScript);
        const QString a = f.dir.filePath(QStringLiteral("a.txt"));
        const QString b = f.dir.filePath(QStringLiteral("b.txt"));
        QVERIFY(WriteTextFile(a, {QStringLiteral("1,first")}).ok);
        QVERIFY(WriteTextFile(b, {QStringLiteral("1,other")}).ok);
        const QString lookA = QStringLiteral("File(") + a + QStringLiteral(",1,2)");
        QCOMPARE(f.Eval(0, lookA), QStringLiteral("first"));
        QVERIFY(WriteTextFile(a, {QStringLiteral("1,second")}).ok);
        QCOMPARE(f.Eval(0, lookA), QStringLiteral("first"));
        QCOMPARE(f.Eval(0, QStringLiteral("File(") + b + QStringLiteral(",1,2)")),
                 QStringLiteral("other"));
        QCOMPARE(f.Eval(0, lookA), QStringLiteral("second"));
        QCOMPARE(f.engine.DataFile().Name(), a);
    }

    // A range name holds ":", so it is written in brackets to stay one argument.
    void workbook_data() {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<QString>("result");
        QTest::newRow("exact match") << "Excel(%1,S1,(A1:C3),2,Tokyo)" << "35.6";
        QTest::newRow("third column") << "Excel(%1,S1,(A1:C3),3,Kyoto)" << "135.7";
        QTest::newRow("key from a parameter") << "Excel(%1,S1,(A1:C3),3,str)" << "139.7";
        QTest::newRow("no match") << "Excel(%1,S1,(A1:C3),2,Osaka)" << "";
        QTest::newRow("case matters") << "Excel(%1,S1,(A1:C3),2,tokyo)" << "";
        QTest::newRow("column beyond the range") << "Excel(%1,S1,(A1:C3),4,Tokyo)" << "";
        QTest::newRow("column 0") << "Excel(%1,S1,(A1:C3),0,Tokyo)" << "";
        QTest::newRow("range smaller than the table") << "Excel(%1,S1,(A1:C2),2,Nara)" << "";
        QTest::newRow("range inside the sheet") << "Excel(%1,S1,(B2:C3),2,35.0)" << "135.7";
        QTest::newRow("defined name") << "Excel(%1,S1,Cities,2,Kyoto)" << "35.0";
        QTest::newRow("no such sheet") << "Excel(%1,S9,(A1:C3),2,Tokyo)" << "";
        QTest::newRow("unbracketed range splits") << "Excel(%1,S1,A1:C3,2,Tokyo)" << "";
        QTest::newRow("bad range") << "Excel(%1,S1,nowhere,2,Tokyo)" << "";
    }
    void workbook() {
        QFETCH(QString, formula);
        QFETCH(QString, result);
        MemorySpreadsheet app;  // outlives the engine that holds its objects
        FormulaFixture f;
        f.SetScript(kScript);
        f.engine.SetSpreadsheet(&app);
        const QString book = f.dir.filePath(QStringLiteral("book.xls"));
        QFile(book).open(QIODevice::WriteOnly);
        app.SetSheet(book, QStringLiteral("S1"),
                     {{"Tokyo", "35.6", "139.7"}, {"Kyoto", "35.0", "135.7"}, {"Nara", "34.6", "135.8"}});
        app.DefineName(book, QStringLiteral("S1"), QStringLiteral("Cities"), QStringLiteral("A1:B3"));
        QCOMPARE(f.Eval(0, formula.arg(book)), result);
        f.engine.ReleaseSpreadsheet();
        QCOMPARE(app.liveObjects, 0);
        QCOMPARE(app.quitCount, 1);
    }

    // Workbook, sheet and range are bound once per name; a failure sticks to its names.
    void workbookCache() {
        MemorySpreadsheet app;  // outlives the engine that holds its objects
        FormulaFixture f;
        f.SetScript(kScript);
        f.engine.SetSpreadsheet(&app);
        const QString book = f.dir.filePath(QStringLiteral("book.xls"));
        QFile(book).open(QIODevice::WriteOnly);
        app.SetSheet(book, QStringLiteral("S1"), {{"Tokyo", "1"}, {"Kyoto", "2"}});
        app.SetSheet(book, QStringLiteral("S2"), {{"Tokyo", "10"}, {"Kyoto", "20"}});
        const auto look = [&](const QString& sheet, const QString& key) {
            return f.Eval(0, QStringLiteral("Excel(%1,%2,(A1:B2),2,%3)").arg(book, sheet, key));
        };
        QCOMPARE(look("S1", "Tokyo"), QStringLiteral("1"));
        QCOMPARE(look("S1", "Kyoto"), QStringLiteral("2"));
        QCOMPARE(app.calls, (QStringList{"open " + book, "sheet S1", "range A1:B2"}));
        // Another sheet with the same range name: the range is taken from the new sheet.
        QCOMPARE(look("S2", "Kyoto"), QStringLiteral("20"));
        QCOMPARE(app.calls.mid(3), (QStringList{"sheet S2", "range A1:B2"}));
        // A sheet that is missing: empty, and the same names stay empty without new calls.
        QCOMPARE(look("S3", "Tokyo"), QString());
        const qsizetype calls = app.calls.size();
        QCOMPARE(look("S3", "Tokyo"), QString());
        QCOMPARE(app.calls.size(), calls);
        QCOMPARE(look("S1", "Tokyo"), QStringLiteral("1"));
    }

    // A workbook file that does not exist is created, with Sheet1 and A1:A1 for that call.
    void missingWorkbookIsCreated() {
        MemorySpreadsheet app;  // outlives the engine that holds its objects
        FormulaFixture f;
        f.SetScript(kScript);
        f.engine.SetSpreadsheet(&app);
        const QString book = f.dir.filePath(QStringLiteral("new.xls"));
        QCOMPARE(f.Eval(0, QStringLiteral("Excel(%1,S1,(B2:C9),1,x)").arg(book)), QString());
        QCOMPARE(app.calls, (QStringList{"create " + book, "sheet Sheet1", "range A1:A1"}));
        QVERIFY(app.HasWorkbook(book));
    }

    void noSpreadsheetGivesEmpty() {
        FormulaFixture f;
        f.SetScript(kScript);
        QCOMPARE(f.Eval(0, QStringLiteral("Excel(x.xls,S1,A1:B2,2,Tokyo)")), QString());
    }
};

KEL_TEST(FormulaLookupTest);
#include "tst_FormulaLookup.moc"
