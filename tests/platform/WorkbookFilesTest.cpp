// Workbook files read directly: cell values as texts, sheets, ranges and defined names, large
// sheets, and files that are damaged, hostile or not workbooks at all.
#include <QDeadlineTimer>
#include <QFile>
#include <QTemporaryDir>
#include <sys/stat.h>

#include "TestMain.h"
#include "WorkbookWriter.h"
#include "platform/WorkbookFiles.h"

namespace kel {

using test::ZipParts;

namespace {

// A lookup as the formula function makes it: the value in `column` of the row whose first
// cell is `key`, "(none)" when no row matches, or "ERR: " and the reason.
QString Look(Spreadsheet& app, const QString& path, const QString& sheet, const QString& range,
             int column, const QString& key) {
    const auto book = app.OpenWorkbook(path);
    if (!book) return QStringLiteral("ERR: ") + app.LastError();
    const auto s = book->Sheet(sheet);
    if (!s) return QStringLiteral("ERR: ") + app.LastError();
    const auto r = s->Range(range);
    if (!r) return QStringLiteral("ERR: ") + app.LastError();
    const std::optional<int> row = r->FindInFirstColumn(key);
    if (!row) return QStringLiteral("(none)");
    return r->Cell(*row, column).value_or(QStringLiteral("(outside)"));
}

QByteArray Str(const char* key) {
    return QByteArray("<is><t>") + key + "</t></is>";
}

// One row of the raw sheet: key in A, the value cell in B given by its attributes and body.
QByteArray Row(int r, const char* key, const QByteArray& attrs, const QByteArray& body) {
    const QByteArray n = QByteArray::number(r);
    return "<row r=\"" + n + "\"><c r=\"A" + n + "\" t=\"inlineStr\">" + Str(key) +
           "</c><c r=\"B" + n + "\"" + attrs + ">" + body + "</c></row>";
}

ZipParts XlsxValueBook() {
    int r = 0;
    QByteArray rows;
    const auto add = [&](const char* key, const QByteArray& attrs, const QByteArray& body) {
        rows += Row(++r, key, attrs, body);
    };
    add("shared", " t=\"s\"", "<v>0</v>");
    add("rich", " t=\"s\"", "<v>1</v>");
    add("amp", " t=\"s\"", "<v>2</v>");
    add("one", "", "<v>1.0</v>");
    add("noise", "", "<v>0.30000000000000004</v>");
    add("big", "", "<v>1E+20</v>");
    add("neg", "", "<v>-2.5</v>");
    add("true", " t=\"b\"", "<v>1</v>");
    add("false", " t=\"b\"", "<v>0</v>");
    add("date", " s=\"1\"", "<v>45366</v>");
    add("datetime", " s=\"2\"", "<v>45366.378472222222</v>");
    add("time", " s=\"1\"", "<v>0.5</v>");
    add("leap1900", " s=\"1\"", "<v>60</v>");
    add("serial61", " s=\"1\"", "<v>61</v>");
    add("quoted d", " s=\"3\"", "<v>2.5</v>");
    add("formula", "", "<f>B4*2</f><v>2</v>");
    add("formula text", " t=\"str\"", "<f>\"a\"&amp;\"bc\"</f><v>abc</v>");
    add("error", " t=\"e\"", "<v>#N/A</v>");
    add("iso date", " t=\"d\"", "<v>2024-03-15T00:00:00</v>");
    add("escaped", " t=\"inlineStr\"", "<is><t>a_x000D_b_x005F_x0041_</t></is>");
    add("inline runs", " t=\"inlineStr\"", "<is><r><t>in</t></r><r><t>line</t></r></is>");
    add("blank", "", "");
    // Cells without references follow one another.
    rows += "<row r=\"40\"><c t=\"inlineStr\">" + Str("no ref") + "</c><c><v>7</v></c></row>";
    // Rows out of order are placed where they belong; of two with one number the first counts.
    rows += Row(50, "late", "", "<v>50</v>") + Row(45, "early", "", "<v>45</v>") +
            Row(50, "again", "", "<v>51</v>");
    return test::RawXlsxParts(
        rows, {"<t>共有</t>",
               // Phonetic guides are not part of the text.
               "<r><t>東京</t></r><r><t>駅</t></r><rPh sb=\"0\" eb=\"2\"><t>トウキョウ</t></rPh>",
               "<t>a&amp;b</t>"});
}

QByteArray OdsCell(const QByteArray& attrs, const QByteArray& body) {
    return "<table:table-cell" + attrs + ">" + body + "</table:table-cell>";
}

QByteArray OdsRow(const char* key, const QByteArray& cells, const QByteArray& rowAttrs = {}) {
    return "<table:table-row" + rowAttrs + ">" +
           OdsCell(" office:value-type=\"string\"", QByteArray("<text:p>") + key + "</text:p>") +
           cells + "</table:table-row>";
}

ZipParts OdsValueBook() {
    const QByteArray f = " office:value-type=\"float\" office:value=";
    QByteArray rows;
    rows += OdsRow("text", OdsCell(" office:value-type=\"string\"", "<text:p>東京</text:p>"));
    rows += OdsRow("one", OdsCell(f + "\"1.0\"", "<text:p>1.00</text:p>"));
    rows += OdsRow("noise", OdsCell(f + "\"0.30000000000000004\"", "<text:p>0.3</text:p>"));
    rows += OdsRow("percent", OdsCell(" office:value-type=\"percentage\" office:value=\"0.5\"",
                                      "<text:p>50%</text:p>"));
    rows += OdsRow("true", OdsCell(" office:value-type=\"boolean\" office:boolean-value=\"true\"",
                                   "<text:p>TRUE</text:p>"));
    rows += OdsRow("date", OdsCell(" office:value-type=\"date\" office:date-value=\"2024-03-15\"",
                                   "<text:p>03/15/24</text:p>"));
    rows += OdsRow("datetime",
                   OdsCell(" office:value-type=\"date\" office:date-value=\"2024-03-15T09:05:00\"",
                           "<text:p>x</text:p>"));
    rows += OdsRow("time", OdsCell(" office:value-type=\"time\" office:time-value=\"PT12H00M00S\"",
                                   "<text:p>12:00</text:p>"));
    rows += OdsRow("spaces", OdsCell(" office:value-type=\"string\"",
                                     "<text:p>a<text:s text:c=\"3\"/>b<text:tab/>c</text:p>"));
    rows += OdsRow("lines", OdsCell(" office:value-type=\"string\"",
                                    "<text:p>x</text:p><text:p>y<text:line-break/>z</text:p>"));
    rows += OdsRow("span", OdsCell(" office:value-type=\"string\"",
                                   "<text:p><text:span>a</text:span>b<text:a>c</text:a></text:p>"));
    rows += OdsRow("annotated", OdsCell(" office:value-type=\"string\"",
                                        "<office:annotation><text:p>note</text:p>"
                                        "</office:annotation><text:p>value</text:p>"));
    rows += OdsRow("error", OdsCell(f + "\"0\" calcext:value-type=\"error\" table:formula="
                                        "\"of:=1/0\"",
                                    "<text:p>#DIV/0!</text:p>"));
    rows += OdsRow("formula", OdsCell(f + "\"4\" table:formula=\"of:=2*2\"", "<text:p>4</text:p>"));
    // A blank cell, then a value repeated over three columns; then the row repeated.
    rows += OdsRow("repeated",
                   "<table:table-cell/>" +
                       OdsCell(" table:number-columns-repeated=\"3\" office:value-type=\"string\"",
                               "<text:p>r</text:p>"),
                   " table:number-rows-repeated=\"2\"");
    rows += OdsRow("blank", "<table:table-cell/>");
    return test::RawOdsParts("<table:table table:name=\"S1\">" + rows + "</table:table>");
}

// The part's bytes in a zip with one deflated part changed.
ZipParts Replace(ZipParts parts, const QString& name, const QByteArray& data) {
    for (auto& p : parts)
        if (p.first == name) p.second = data;
    return parts;
}

ZipParts Without(ZipParts parts, const QString& name) {
    parts.removeIf([&](const auto& p) { return p.first == name; });
    return parts;
}

}  // namespace

class WorkbookFilesTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString Write(const QString& name, const ZipParts& parts) {
        const QString path = dir_.filePath(name);
        QFile::remove(path);
        if (!test::WriteZip(path, parts)) return QString();
        return path;
    }

private Q_SLOTS:
    void values_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* file, const char* key, const char* expected, int column = 2) {
            QTest::addRow("%s %s", file, key)
                << QString::fromLatin1(file) << QString::fromUtf8(key) << column
                << QString::fromUtf8(expected);
        };
        row("xlsx", "shared", "共有");
        row("xlsx", "rich", "東京駅");
        row("xlsx", "amp", "a&b");
        row("xlsx", "one", "1");
        row("xlsx", "noise", "0.3");
        row("xlsx", "big", "1E+20");
        row("xlsx", "neg", "-2.5");
        row("xlsx", "true", "TRUE");
        row("xlsx", "false", "FALSE");
        row("xlsx", "date", "2024/03/15");
        row("xlsx", "datetime", "2024/03/15 9:05:00");
        row("xlsx", "time", "12:00:00");
        row("xlsx", "leap1900", "1900/02/29");
        row("xlsx", "serial61", "1900/03/01");
        row("xlsx", "quoted d", "2.5");
        row("xlsx", "formula", "2");
        row("xlsx", "formula text", "abc");
        row("xlsx", "error", "#N/A");
        row("xlsx", "iso date", "2024/03/15");
        row("xlsx", "escaped", "a\rb_x0041_");
        row("xlsx", "inline runs", "inline");
        row("xlsx", "blank", "");
        row("xlsx", "no ref", "7");
        row("xlsx", "late", "50");
        row("xlsx", "early", "45");
        row("xlsx", "again", "(none)");
        row("xlsx1904", "date", "1904/01/01");
        row("ods", "text", "東京");
        row("ods", "one", "1");
        row("ods", "noise", "0.3");
        row("ods", "percent", "0.5");
        row("ods", "true", "TRUE");
        row("ods", "date", "2024/03/15");
        row("ods", "datetime", "2024/03/15 9:05:00");
        row("ods", "time", "12:00:00");
        row("ods", "spaces", "a   b\tc");
        row("ods", "lines", "x\ny\nz");
        row("ods", "span", "abc");
        row("ods", "annotated", "value");
        row("ods", "error", "#DIV/0!");
        row("ods", "formula", "4");
        row("ods", "repeated", "r", 5);
        row("ods", "repeated", "", 2);
        row("ods", "repeated", "(outside)", 6);
        row("ods", "blank", "");
    }
    void values() {
        QFETCH(QString, file);
        QFETCH(QString, key);
        QFETCH(int, column);
        QFETCH(QString, expected);
        const QString path =
            file == u"xlsx"
                ? Write(QStringLiteral("values.xlsx"), XlsxValueBook())
            : file == u"ods"
                ? Write(QStringLiteral("values.ods"), OdsValueBook())
                : Write(QStringLiteral("values1904.xlsx"),
                        test::RawXlsxParts(Row(1, "date", " s=\"1\"", "<v>0</v>"), {},
                                           "<workbookPr date1904=\"1\"/>"));
        QVERIFY(!path.isEmpty());
        WorkbookFiles app;
        QCOMPARE(Look(app, path, QStringLiteral("S1"), QStringLiteral("A1:E100"), column, key),
                 expected);
    }

    // Sheets, ranges and defined names, the same in both formats.
    void ranges_data() {
        QTest::addColumn<QString>("sheet");
        QTest::addColumn<QString>("range");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* name, const char* sheet, const char* range, int column,
                            const char* key, const char* expected) {
            for (const char* format : {"xlsx", "ods"})
                QTest::addRow("%s %s", format, name)
                    << QString::fromUtf8(sheet) << QString::fromUtf8(range) << column
                    << QString::fromUtf8(key) << QString::fromUtf8(expected);
        };
        row("address", "Places", "A1:E18", 2, "1", "浅草寺");
        row("absolute", "Places", "$A$2:$E$18", 3, "5", "2012/05/22 6:00:00");
        row("corners reversed", "Places", "E18:A2", 5, "11", "TRUE");
        row("whole columns", "places", "A:E", 4, "6", "0.3");
        row("whole rows", "Places", "1:18", 2, "19", "嵐山");
        row("later first column", "Places", "B2:C18", 2, "皇居", "1968/10/01");
        row("header row", "Places", "A:E", 2, "oid", "名称");
        row("own sheet named", "Places", "'Places'!A1:E18", 2, "2", "東京駅");
        row("workbook name", "Places", "Meisho", 4, "17", "40");
        row("name any case", "Places", "MEISHO", 2, "3", "新宿駅");
        row("sheet name", "路線", "Lines", 2, "6", "JR山手線");
        row("no match", "Places", "A1:E18", 2, "99", "(none)");
        row("key outside range", "Places", "A2:E5", 2, "19", "(none)");
        row("missing sheet", "Nowhere", "A1", 1, "x", "ERR: the workbook has no sheet \"Nowhere\" "
                                                      "(its sheets: Places, 路線)");
        row("other sheet's name", "Places", "Lines", 2, "6",
            "ERR: \"Lines\" is neither a cell range (like A1:C20 or A:C) nor a defined name");
        row("name on another sheet", "路線", "Meisho", 2, "6",
            "ERR: the name \"Meisho\" lies on sheet \"Places\", not on \"路線\"");
        row("range on another sheet", "路線", "Places!A1:B2", 2, "6",
            "ERR: the range lies on sheet \"Places\", not on \"路線\"");
        row("beyond the columns", "Places", "A1:XFE3", 2, "1",
            "ERR: \"A1:XFE3\" lies outside the sheet (rows 1 to 1048576, columns A to XFD)");
        row("beyond the rows", "Places", "A1:B1048577", 2, "1",
            "ERR: \"A1:B1048577\" lies outside the sheet (rows 1 to 1048576, columns A to XFD)");
        row("row zero", "Places", "A0:B3", 2, "1",
            "ERR: \"A0:B3\" lies outside the sheet (rows 1 to 1048576, columns A to XFD)");
        row("not a reference", "Places", "A1:B2:C3", 2, "1",
            "ERR: \"A1:B2:C3\" is neither a cell range (like A1:C20 or A:C) nor a defined name");
    }
    void ranges() {
        QFETCH(QString, sheet);
        QFETCH(QString, range);
        QFETCH(int, column);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        const bool ods = QString::fromLatin1(QTest::currentDataTag()).startsWith(u"ods");
        const QString path =
            ods ? Write(QStringLiteral("book.ods"), test::OdsParts(test::ExampleSheets(),
                                                                   test::ExampleNames()))
                : Write(QStringLiteral("book.xlsx"), test::XlsxParts(test::ExampleSheets(),
                                                                     test::ExampleNames()));
        WorkbookFiles app;
        QCOMPARE(Look(app, path, sheet, range, column, key), expected);
    }

    // Files that are no workbook, damaged or hostile: a reason, no crash, no hang.
    void refusals_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing file") << "missing" << "the file does not exist";
        QTest::newRow("folder") << "folder" << "it is not a regular file";
        QTest::newRow("named pipe") << "fifo" << "it is not a regular file";
        QTest::newRow("unreadable") << "unreadable" << "the file cannot be read";
        QTest::newRow("text file") << "text" << "the file is not a workbook";
        QTest::newRow("old binary workbook") << "xls" << "Excel 97-2003";
        QTest::newRow("truncated zip") << "truncated" << "the zip container is damaged";
        QTest::newRow("damaged sheet data") << "damaged" << "the part xl/worksheets/sheet1.xml";
        QTest::newRow("zip bomb") << "bomb" << "refused as a possible zip bomb";
        QTest::newRow("entities") << "dtd" << "declares a document type";
        QTest::newRow("undeclared entity") << "entity" << "is not well-formed XML";
        QTest::newRow("other zip") << "zip" << "neither an .xlsx workbook nor an .ods";
        QTest::newRow("no workbook part") << "noworkbook" << "no workbook part";
        QTest::newRow("sheet part missing") << "nosheet" << "are missing from the file";
        QTest::newRow("text document") << "odt" << "not a spreadsheet";
        QTest::newRow("ods not well-formed") << "odsxml" << "content.xml is not well-formed";
    }
    void refusals() {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        const ZipParts good = test::RawXlsxParts(Row(1, "k", "", "<v>1</v>"));
        const QString sheetPart = QStringLiteral("xl/worksheets/sheet1.xml");
        QString path = dir_.filePath(kind);
        WorkbookFiles app;
        QFile::remove(path);
        if (kind == u"folder") {
            QVERIFY(QDir(dir_.path()).mkpath(kind));
        } else if (kind == u"fifo") {
            QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else if (kind == u"unreadable") {
            if (geteuid() == 0) QSKIP("permissions do not stop root");
            path = Write(kind, good);
            QVERIFY(QFile::setPermissions(path, QFileDevice::Permissions()));
        } else if (kind == u"text" || kind == u"xls") {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(kind == u"text" ? QByteArray("oid,name\n1,x\n")
                                    : QByteArray::fromHex("d0cf11e0a1b11ae1") + QByteArray(600, 0));
        } else if (kind == u"truncated" || kind == u"damaged") {
            QByteArray bytes = test::ReadBytes(Write(kind, test::RawXlsxParts(
                                                               QByteArray(Row(1, "k", "", "<v>1</v>")).repeated(200))));
            if (kind == u"truncated") {
                bytes.truncate(bytes.size() / 2);
            } else {
                // The sheet's deflated data follows its local header and name.
                const qsizetype at = bytes.indexOf(sheetPart.toLatin1()) + sheetPart.size();
                for (qsizetype i = at + 20; i < at + 60; ++i) bytes[i] = char(bytes[i] ^ 0x5a);
            }
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        } else if (kind == u"bomb") {
            app.SetInflateLimit(1 << 20);
            path = Write(kind, test::RawXlsxParts(QByteArray(2 << 20, ' ') + Row(1, "k", "", "<v>1</v>")));
        } else if (kind == u"dtd") {
            path = Write(kind, Replace(good, sheetPart,
                                       "<?xml version=\"1.0\"?><!DOCTYPE w [<!ENTITY a \"aaaaaaaa\">"
                                       "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;\">]><worksheet "
                                       "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/"
                                       "2006/main\"><sheetData>" +
                                           Row(1, "&b;", "", "<v>1</v>") +
                                           "</sheetData></worksheet>"));
        } else if (kind == u"entity") {
            path = Write(kind, Replace(good, sheetPart,
                                       "<worksheet><sheetData>" + Row(1, "&b;", "", "<v>1</v>") +
                                           "</sheetData></worksheet>"));
        } else if (kind == u"zip") {
            path = Write(kind, {{QStringLiteral("a.txt"), "a"}});
        } else if (kind == u"noworkbook") {
            path = Write(kind, {good[0], good[1]});
        } else if (kind == u"nosheet") {
            path = Write(kind, Without(good, sheetPart));
        } else if (kind == u"odt") {
            path = Write(kind, Replace(test::RawOdsParts({}), QStringLiteral("mimetype"),
                                       "application/vnd.oasis.opendocument.text"));
        } else if (kind == u"odsxml") {
            ZipParts parts = test::RawOdsParts("<table:table table:name=\"S1\">");
            path = Write(kind, parts);
        }
        QDeadlineTimer deadline(10000);
        const QString got = Look(app, path, QStringLiteral("S1"), QStringLiteral("A:B"), 2,
                                 QStringLiteral("k"));
        QVERIFY2(!deadline.hasExpired(), "the lookup took too long");
        QVERIFY2(got.startsWith(u"ERR: ") && got.contains(reason), qPrintable(got));
        // Refusing never creates anything.
        if (kind == u"missing") {
            QVERIFY(!app.CreateWorkbook(path));
            QVERIFY(app.LastError().contains(u"creates no workbook"));
            QVERIFY(!QFile::exists(path));
        }
    }

    // A large sheet is read once: later lookups, in the same or another range of it, use
    // what was read (the file may be gone) and find the first matching row from an index.
    void largeSheetReadOnce_data() {
        QTest::addColumn<bool>("ods");
        QTest::newRow("xlsx") << false;
        QTest::newRow("ods") << true;
    }
    void largeSheetReadOnce() {
        QFETCH(bool, ods);
        constexpr int kRows = 20000;
        test::SheetSpec sheet{QStringLiteral("Big"), {}};
        for (int i = 1; i <= kRows; ++i)
            sheet.rows.append({QStringLiteral("k%1").arg(i % (kRows / 2)), i});
        const QString path = Write(ods ? QStringLiteral("big.ods") : QStringLiteral("big.xlsx"),
                                   ods ? test::OdsParts({sheet}) : test::XlsxParts({sheet}));
        WorkbookFiles app;
        const auto book = app.OpenWorkbook(path);
        QVERIFY(book);
        auto s = book->Sheet(QStringLiteral("big"));
        QVERIFY(s);
        QVERIFY(QFile::remove(path));
        const auto all = s->Range(QStringLiteral("A:B"));
        QCOMPARE(all->Rows(), 1048576);
        // Keys repeat in the second half: the first row wins.
        QCOMPARE(all->FindInFirstColumn(QStringLiteral("k9999")), std::optional<int>(9999));
        QCOMPARE(all->Cell(9999, 2), std::optional<QString>(QStringLiteral("9999")));
        QCOMPARE(all->FindInFirstColumn(QStringLiteral("k0")), std::optional<int>(10000));
        QCOMPARE(all->FindInFirstColumn(QStringLiteral("k10000")), std::nullopt);
        QCOMPARE(all->FindInFirstColumn(QString()), std::nullopt);  // blank cells match nothing
        // A range starting lower sees only its own rows.
        const auto lower = s->Range(QStringLiteral("A10001:B20000"));
        QCOMPARE(lower->FindInFirstColumn(QStringLiteral("k1")), std::optional<int>(1));
        QCOMPARE(lower->Cell(1, 2), std::optional<QString>(QStringLiteral("10001")));
        s.reset();
        QVERIFY(book->Sheet(QStringLiteral("Big")));  // asked again: kept, not read again
    }

    // Names in the forms the applications write them: OpenDocument named expressions and
    // quoted sheet names, and an .xlsx name over several areas, which is no single range.
    void namesOfEveryForm_data() {
        QTest::addColumn<QString>("range");
        QTest::addColumn<QString>("expected");
        QTest::newRow("ods named expression") << "ods:Expr" << "2";
        QTest::newRow("ods quoted sheet") << "ods:Quoted" << "2";
        QTest::newRow("ods formula name") << "ods:Formula"
                                          << "ERR: the name \"Formula\" stands for \"SUM($S1.A1:.B2)\", "
                                             "which is not one cell range";
        QTest::newRow("xlsx two areas") << "xlsx:Two"
                                        << "ERR: the name \"Two\" stands for \"S1!$A$1,S1!$B$2\", "
                                           "which is not one cell range";
        QTest::newRow("xlsx sheet scope") << "xlsx:Local" << "2";
    }
    void namesOfEveryForm() {
        QFETCH(QString, range);
        QFETCH(QString, expected);
        const QByteArray odsRow = "<table:table-row>" +
                                  OdsCell(" office:value-type=\"string\"", "<text:p>k</text:p>") +
                                  OdsCell(" office:value-type=\"float\" office:value=\"2\"", "") +
                                  "</table:table-row>";
        const QString path =
            range.startsWith(u"ods")
                ? Write(QStringLiteral("names.ods"),
                        test::RawOdsParts(
                            "<table:table table:name=\"S1\">" + odsRow +
                            "</table:table><table:named-expressions><table:named-expression "
                            "table:name=\"Expr\" table:expression=\"of:=[$S1.$A$1:.$B$2]\"/>"
                            "<table:named-expression table:name=\"Formula\" "
                            "table:expression=\"of:=SUM($S1.A1:.B2)\"/><table:named-range "
                            "table:name=\"Quoted\" table:cell-range-address=\"$'S1'.$A$1:$'S1'.$B$2\"/>"
                            "</table:named-expressions>"))
                : Write(QStringLiteral("names.xlsx"),
                        test::RawXlsxParts(Row(1, "k", "", "<v>2</v>"), {},
                                           "<definedNames><definedName name=\"Two\">"
                                           "S1!$A$1,S1!$B$2</definedName><definedName "
                                           "name=\"Local\" localSheetId=\"0\">S1!$A$1:$B$1"
                                           "</definedName></definedNames>"));
        WorkbookFiles app;
        QCOMPARE(Look(app, path, QStringLiteral("S1"), range.mid(range.indexOf(u':') + 1), 2,
                      QStringLiteral("k")),
                 expected);
    }

    // The example workbooks are what the writer makes of the example table, byte for byte.
    void examplesAreGenerated() {
        const QString examples = QStringLiteral(KEL_SOURCE_DIR "/examples/");
        const QString xlsx = Write(QStringLiteral("meisho.xlsx"),
                                   test::XlsxParts(test::ExampleSheets(), test::ExampleNames()));
        const QString ods = Write(QStringLiteral("meisho.ods"),
                                  test::OdsParts(test::ExampleSheets(), test::ExampleNames()));
        QVERIFY(test::ReadBytes(xlsx) == test::ReadBytes(examples + QStringLiteral("meisho.xlsx")));
        QVERIFY(test::ReadBytes(ods) == test::ReadBytes(examples + QStringLiteral("meisho.ods")));
    }

    // Repeated rows and cells stay runs: a value over the whole sheet costs one cell.
    void repeatsFillTheSheetCheaply() {
        const QString path = Write(
            QStringLiteral("repeat.ods"),
            test::RawOdsParts("<table:table table:name=\"S1\"><table:table-row "
                              "table:number-rows-repeated=\"2000000\"><table:table-cell "
                              "table:number-columns-repeated=\"99999\" office:value-type=\"string\">"
                              "<text:p>x</text:p></table:table-cell></table:table-row>"
                              "</table:table>"));
        WorkbookFiles app;
        const auto book = app.OpenWorkbook(path);
        QVERIFY(book);
        const auto range = book->Sheet(QStringLiteral("S1"))->Range(QStringLiteral("A:XFD"));
        QCOMPARE(range->Cell(1048576, 16384), std::optional<QString>(QStringLiteral("x")));
        QCOMPARE(range->FindInFirstColumn(QStringLiteral("x")), std::optional<int>(1));
    }
};

KEL_TEST(WorkbookFilesTest);

}  // namespace kel

#include "WorkbookFilesTest.moc"
