// Lookups in data files and workbooks, and their caches.
#include <QFile>

#include "FormulaFixture.h"
#include "TestMain.h"
#include "WorkbookWriter.h"
#include "platform/Spreadsheet.h"
#include "platform/WorkbookFiles.h"

using namespace kel;
using kel::test::FormulaFixture;

namespace {
const QStringList kLookupScript = {
    QStringLiteral("point oid=\"12\" gid=\"3\" str=\"Tokyo\";"),
    QStringLiteral("point oid=\"13\" gid=\"4\" str=\"Kyoto\";"),
};

// A fixture with an in-memory spreadsheet application, which outlives the engine that
// holds its objects.
struct BookFixture {
    MemorySpreadsheet app;
    FormulaFixture f{kLookupScript};
    QString book;
    explicit BookFixture(const char* name, bool create = true)
        : book(f.dir.filePath(QString::fromLatin1(name))) {
        f.engine.SetSpreadsheet(&app);
        if (create) QFile(book).open(QIODevice::WriteOnly);
    }
};
}  // namespace

class FormulaLookupTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void dataFile() {
        FormulaFixture f(kLookupScript);
        const QString path = f.dir.filePath(QStringLiteral("data.txt"));
        QVERIFY(WriteTextFile(path, {QString::fromUtf8("12,東京,35"),
                                     QStringLiteral("13,x,Join(str,Join(_,gid))"),
                                     QStringLiteral("14,(a,b)"), QStringLiteral("15=x:y"),
                                     QStringLiteral("16,old,keep"), QStringLiteral("16,new")})
                    .ok);
        const auto look = [&](const char* formula, int line = 0) {
            return f.Eval(line, QString::fromLatin1(formula).arg(path));
        };
        QCOMPARE(look("File(%1,12,2)"), QString::fromUtf8("東京"));
        QCOMPARE(look("File(%1,oid,3)"), QStringLiteral("35"));  // the key from a parameter
        // A cell formula is evaluated in the context of the line asking.
        QCOMPARE(look("File(%1,13,3)"), QStringLiteral("Tokyo_3"));
        QCOMPARE(look("File(%1,13,3)", 1), QStringLiteral("Kyoto_4"));
        QCOMPARE(look("File(%1,14,2)"), QStringLiteral("a,b"));  // a grouped cell
        QCOMPARE(look("File(%1,15,3)"), QStringLiteral("y"));    // "=" and ":" separate
        // A later line of the same key overwrites the cells it has, keeps the others.
        QCOMPARE(look("File(%1,16,2)"), QStringLiteral("new"));
        QCOMPARE(look("File(%1,16,3)"), QStringLiteral("keep"));
        QCOMPARE(look("File(%1.none,12,2)"), QString());
        QCOMPARE(look("Excel(%1,S1,(A1:B2),2,Tokyo)"), QString());  // no spreadsheet application
    }

    // The table is read once per name: a change on disk is seen only after another name.
    void dataFileIsCachedByName() {
        FormulaFixture f(kLookupScript);
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
    }

    // A range name holds ":", so it is written in brackets to stay one argument.
    void workbook() {
        BookFixture b("book.xls");
        b.app.SetSheet(b.book, QStringLiteral("S1"),
                       {{"Tokyo", "35.6", "139.7"}, {"Kyoto", "35.0", "135.7"},
                        {"Nara", "34.6", "135.8"}});
        b.app.DefineName(b.book, QStringLiteral("S1"), QStringLiteral("Cities"),
                         QStringLiteral("A1:B3"));
        const auto look = [&](const char* formula) {
            return b.f.Eval(0, QString::fromLatin1(formula).arg(b.book));
        };
        QCOMPARE(look("Excel(%1,S1,(A1:C3),2,Tokyo)"), QStringLiteral("35.6"));
        QCOMPARE(look("Excel(%1,S1,(A1:C3),3,str)"), QStringLiteral("139.7"));
        QCOMPARE(look("Excel(%1,S1,(A1:C3),4,Tokyo)"), QString());  // beyond the range
        QCOMPARE(look("Excel(%1,S1,(B2:C3),2,35.0)"), QStringLiteral("135.7"));
        QCOMPARE(look("Excel(%1,S1,Cities,2,Kyoto)"), QStringLiteral("35.0"));  // defined name
        QCOMPARE(look("Excel(%1,S1,A1:C3,2,Tokyo)"), QString());  // unbracketed: split
        b.f.engine.ReleaseSpreadsheet();
        QCOMPARE(b.app.liveObjects, 0);
        QCOMPARE(b.app.quitCount, 1);
    }

    // Workbook, sheet and range are bound once per name; a failure sticks to its names.
    void workbookCache() {
        BookFixture b("book.xls");
        b.app.SetSheet(b.book, QStringLiteral("S1"), {{"Tokyo", "1"}, {"Kyoto", "2"}});
        b.app.SetSheet(b.book, QStringLiteral("S2"), {{"Tokyo", "10"}, {"Kyoto", "20"}});
        const auto look = [&](const QString& sheet, const QString& key) {
            return b.f.Eval(0, QStringLiteral("Excel(%1,%2,(A1:B2),2,%3)").arg(b.book, sheet, key));
        };
        QCOMPARE(look("S1", "Tokyo"), QStringLiteral("1"));
        QCOMPARE(look("S1", "Kyoto"), QStringLiteral("2"));
        QCOMPARE(b.app.calls, (QStringList{"open " + b.book, "sheet S1", "range A1:B2"}));
        // Another sheet with the same range name: the range is taken from the new sheet.
        QCOMPARE(look("S2", "Kyoto"), QStringLiteral("20"));
        QCOMPARE(b.app.calls.mid(3), (QStringList{"sheet S2", "range A1:B2"}));
        // A sheet that is missing: empty, and the same names stay empty without new calls.
        QCOMPARE(look("S3", "Tokyo"), QString());
        const qsizetype calls = b.app.calls.size();
        QCOMPARE(look("S3", "Tokyo"), QString());
        QCOMPARE(b.app.calls.size(), calls);
        QCOMPARE(look("S1", "Tokyo"), QStringLiteral("1"));
    }

    // A workbook file that does not exist is created, with Sheet1 and A1:A1 for that call.
    void missingWorkbookIsCreated() {
        BookFixture b("new.xls", false);
        QCOMPARE(b.f.Eval(0, QStringLiteral("Excel(%1,S1,(B2:C9),1,x)").arg(b.book)), QString());
        QCOMPARE(b.app.calls, (QStringList{"create " + b.book, "sheet Sheet1", "range A1:A1"}));
        QVERIFY(b.app.HasWorkbook(b.book));
    }

    // Workbook files: a missing one is not created, and every empty lookup says why; a
    // failure kept with its names says that it was kept.
    void workbookFilesExplained() {
        FormulaFixture f(kLookupScript);
        WorkbookFiles files;
        f.engine.SetSpreadsheet(&files);
        QStringList why;
        f.engine.Workbook().explain = [&why](const QString& text) { why << text; };
        const QString book = f.dir.filePath(QStringLiteral("t.xlsx"));
        QVERIFY(test::WriteZip(book, test::XlsxParts({{QStringLiteral("S"),
                                                       {{QStringLiteral("Tokyo"), 1},
                                                        {QStringLiteral("Kyoto")}}}})));
        const auto look = [&](const QString& args) {
            return f.Eval(0, QStringLiteral("Excel(%1)").arg(args));
        };
        QCOMPARE(look(book + QStringLiteral(",S,(A1:B2),2,str")), QStringLiteral("1"));
        QCOMPARE(why, QStringList());
        QCOMPARE(look(book + QStringLiteral(",S,(A1:B2),2,Kyoto")), QString());
        QCOMPARE(look(book + QStringLiteral(",S,(A1:B2),0,Kyoto")), QString());
        const QString missing = f.dir.filePath(QStringLiteral("new.xlsx"));
        QCOMPARE(look(missing + QStringLiteral(",S,(A1:B2),2,Tokyo")), QString());
        QCOMPARE(look(missing + QStringLiteral(",S,(A1:B2),2,Tokyo")), QString());
        QVERIFY(!QFile::exists(missing));
        const QString at = QStringLiteral("Excel(%1,S,A1:B2,...): ");
        QCOMPARE(why, (QStringList{
                          at.arg(book) + "the cell in row 2, column 2 of the range is empty",
                          at.arg(book) + "column 0 lies outside the range's 2 columns",
                          at.arg(missing) + "workbook \"" + missing +
                              "\": the file does not exist (a lookup creates no workbook)",
                          at.arg(missing) + "workbook \"" + missing +
                              "\": the file does not exist (a lookup creates no workbook) (kept "
                              "for these names until another name is used)"}));
    }
};

KEL_TEST(FormulaLookupTest);
#include "tst_FormulaLookup.moc"
