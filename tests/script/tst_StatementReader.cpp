// Cutting a script into statements and splitting statements into command word and slots.
#include "TestMain.h"
#include "script/Statement.h"

using namespace kel;

namespace {

QStringList ReadAll(const QStringList& lines) {
    LineSource source(lines);
    QStringList out;
    while (!source.AtEnd()) out.append(ReadStatement(source));
    return out;
}

}  // namespace

class StatementReaderTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readStatements_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("statements");

        // Statement boundaries.
        QTest::newRow("one line each")
            << QStringList{"\t\tkanji\tcode=\"sjis\";", "mapserver end;"}
            << QStringList{"\t\tkanji\tcode=\"sjis\";", "mapserver end;"};
        QTest::newRow("continuation lines keep break and indentation")
            << QStringList{"\t\tpoint\toid=\"1\"", "\t\t\t\tgid=\"2\"", "\t\t\t\tstr=\"駅\";"}
            << QStringList{"\t\tpoint\toid=\"1\"\r\n\t\t\t\tgid=\"2\"\r\n\t\t\t\tstr=\"駅\";"};
        QTest::newRow("two commands on one line are one statement")
            << QStringList{"point oid=\"1\"; line oid=\"2\";"}
            << QStringList{"point oid=\"1\"; line oid=\"2\";"};
        QTest::newRow("comment after the semicolon stays")
            << QStringList{"\t\tdisp\tall ;\t// 全体", "mapserver end;"}
            << QStringList{"\t\tdisp\tall ;\t// 全体", "mapserver end;"};
        QTest::newRow("semicolon inside a value ends the statement")
            << QStringList{"point str=\"a;b\"", "gid=\"1\";"}
            << QStringList{"point str=\"a;b\"", "gid=\"1\";"};

        // Blank lines.
        QTest::newRow("blank and space-only lines are skipped")
            << QStringList{"", "   ", "point oid=\"1\"", "", "  ", "gid=\"2\";"}
            << QStringList{"point oid=\"1\"\r\ngid=\"2\";"};
        QTest::newRow("blank lines at the end give one empty statement")
            << QStringList{"mapserver end;", "", "  "} << QStringList{"mapserver end;", ""};

        // Position lists broken after a comma.
        QTest::newRow("comma continuation joined without its blanks")
            << QStringList{"\t\tline\toid=\"1\"", "\t\t\t\tpos=\"35/00/00.0,135/00/00.0,",
                           "\t\t\t\t35/01/00.0,135/01/00.0,  ", "\t36/00/00.0,136/00/00.0\"",
                           "\t\t\t\tstr=\"x\";"}
            << QStringList{"\t\tline\toid=\"1\"\r\n\t\t\t\tpos=\"35/00/00.0,135/00/00.0,"
                           "35/01/00.0,135/01/00.0,36/00/00.0,136/00/00.0\"\r\n"
                           "\t\t\t\tstr=\"x\";"};
        QTest::newRow("terminating line after a comma keeps its break")
            << QStringList{"\t\tarea\tpos=\"35/00/00.0,135/00/00.0,",
                           "\t\t\t\t35/01/00.0,135/01/00.0\";"}
            << QStringList{"\t\tarea\tpos=\"35/00/00.0,135/00/00.0,\r\n"
                           "\t\t\t\t35/01/00.0,135/01/00.0\";"};
        QTest::newRow("terminating line ending in a comma is joined")
            << QStringList{"pos=\"1,", "  2\"; // a,"} << QStringList{"pos=\"1,2\"; // a,"};
        QTest::newRow("comma then trailing tab is not a continuation")
            << QStringList{"pos=\"1,\t", "  2\"", "x;"}
            << QStringList{"pos=\"1,\t\r\n  2\"\r\nx;"};

        // Comment lines.
        QTest::newRow("comment lines are statements of their own")
            << QStringList{"//Header:Prog:\"1.0.8.0\";", "  \t// note ; with semicolon",
                           "mapserver end;"}
            << QStringList{"//Header:Prog:\"1.0.8.0\";", "  \t// note ; with semicolon",
                           "mapserver end;"};
        QTest::newRow("comment interrupting a statement loses nothing")
            << QStringList{"\t\tcircle\toid=\"4\"", "\t\t\t\tpos=\"35/02/00.0,135/44/00.0\"",
                           "   // 途中", "\t\tpoint\toid=\"5\";"}
            << QStringList{"\t\tcircle\toid=\"4\"\r\n\t\t\t\tpos=\"35/02/00.0,135/44/00.0\"",
                           "   // 途中", "\t\tpoint\toid=\"5\";"};
        QTest::newRow("unterminated statement at the end is returned")
            << QStringList{"point oid=\"1\"", "gid=\"2\""}
            << QStringList{"point oid=\"1\"\r\ngid=\"2\""};
    }
    void readStatements() {
        QFETCH(QStringList, lines);
        QFETCH(QStringList, statements);
        QCOMPARE(ReadAll(lines), statements);
    }

    void readStatementAfterOnlyBlanksIsEmpty() {
        LineSource source(QStringList{"", "   "});
        QCOMPARE(ReadStatement(source), QString());
        QVERIFY(source.AtEnd());
        QCOMPARE(ReadStatement(source), QString());
    }

    void trimBlanks_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("trimmed");
        QTest::newRow("spaces and tabs") << " \t a b \t " << "a b";
        QTest::newRow("line breaks kept") << "\t\r\nx\r\n " << "\r\nx\r\n";
        QTest::newRow("all blank") << " \t\t " << "";
    }
    void trimBlanks() {
        QFETCH(QString, text);
        QFETCH(QString, trimmed);
        QCOMPARE(TrimBlanks(text), trimmed);
    }

    void parseStatement_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QStringList>("slots");  // slots 1..n; later ones must stay "keep"

        // Figures: parameters by name, in any order, first occurrence.
        QTest::newRow("point in its written layout")
            << "\t\tpoint\toid=\"1\"\r\n\t\t\t\tgid=\"100\"\r\n\t\t\t\tpos=\"35/40/52.3,139/46/01.6\""
               "\r\n\t\t\t\tstr=\"東京駅\"\r\n\t\t\t\tstrformat=\"right\";"
            << "point"
            << QStringList{"1", "100", "35/40/52.3,139/46/01.6", "東京駅", "right", "", "", ""};
        QTest::newRow("order does not matter, unknown parameters ignored")
            << "line info=\"i\" color=\"red\" url=\"u\" urltype=\"ax_hlink\" oid=\"7\";" << "line"
            << QStringList{"7", "", "", "", "", "u", "ax_hlink", "i"};
        QTest::newRow("two commands on one line: the first wins")
            << "point oid=\"1\" str=\"a\"; line oid=\"2\" str=\"b\";" << "point"
            << QStringList{"1", "", "", "a", "", "", "", ""};
        QTest::newRow("strformat without str")
            << "point oid=\"1\" strformat=\"right\";" << "point"
            << QStringList{"1", "", "", "", "right", "", "", ""};
        QTest::newRow("circle")
            << "\t\tcircle\toid=\"9\"\r\n\t\t\t\tr=\"500M\"\r\n\t\t\t\trmax=\"2KM\"\r\n\t\t\t\tstrpos=\"top\";"
            << "circle"
            << QStringList{"9", "", "", "500M", "2KM", "", "top", "", "", "", ""};
        QTest::newRow("unclosed quote reads empty")
            << "point oid=\"1\" str=\"never closed;" << "point"
            << QStringList{"1", "", "", "", "", "", "", ""};
        QTest::newRow("word ends at a line break")
            << "point\r\noid=\"3\";" << "point"
            << QStringList{"3", "", "", "", "", "", "", ""};

        // Commands with their own rules.
        QTest::newRow("script start")
            << "mapserver script ver=\"1.2\" savable=\"no\";" << "mapserver"
            << QStringList{"1.2", "no"};
        QTest::newRow("script end") << "mapserver end;" << "mapserver"
                                    << QStringList{"end", ""};
        QTest::newRow("blank version is the end")
            << "mapserver script ver=\"  \" savable=\"yes\";" << "mapserver"
            << QStringList{"end", ""};
        QTest::newRow("message url key")
            << "\t\tmessage\tstr=\"案内\"\r\n\t\t\t\turl=\"http://a/\"\r\n\t\t\t\turltype=\"ap_scrpt\";"
            << "message" << QStringList{"案内", "http://a/", "ap_scrpt"};
        QTest::newRow("disp all keeps slot 2")
            << "disp all ;" << "disp" << QStringList{"all", "keep", ""};
        QTest::newRow("disp area and scale")
            << "\t\tdisp\tarea=\"35/00/00.0,135/00/00.0,35/01/00.0,135/01/00.0\"\r\n"
               "\t\t\t\tscale=\"25000\";"
            << "disp"
            << QStringList{"area", "35/00/00.0,135/00/00.0,35/01/00.0,135/01/00.0", "25000"};
        QTest::newRow("disp oid on the next line")
            << "\t\tdisp\r\n\t\t\t\toid=\"12\";" << "disp" << QStringList{"oid", "12", ""};
        QTest::newRow("disp with another word")
            << "disp everything scale=\"5000\";" << "disp" << QStringList{"all", "", "5000"};
        QTest::newRow("group")
            << "group gid=\"5\" textoff=\"2\" pointstyle=\"mark#13024\" gname=\"寺\";" << "group"
            << QStringList{"5", "寺", "", "", "", "", "", "", "", "mark#13024", "", "", "", "",
                           "", "2"};
        QTest::newRow("addon at the left margin")
            << "addon\ttitle=\"t\"\r\n\turl=\"http://x/\";" << "addon"
            << QStringList{"t", "", "", "http://x/"};
        QTest::newRow("init") << "\t\tinit\tfile=\"base.kel\";" << "init"
                              << QStringList{"base.kel"};

        // Comments and words without a table.
        QTest::newRow("comment")
            << "  // 東京 ; \"x\"" << "comment" << QStringList{"  // 東京 ; \"x\""};
        QTest::newRow("header line is a comment")
            << "//Header:Prog:\"1.0.8.0\" Templ:\"1.2\" Date:\"2026/12/06\";" << "comment"
            << QStringList{"//Header:Prog:\"1.0.8.0\" Templ:\"1.2\" Date:\"2026/12/06\";"};
    }
    void parseStatement() {
        QFETCH(QString, text);
        QFETCH(QString, word);
        QFETCH(QStringList, slots);
        Slots s;
        for (int k = 1; k <= kSlotCount; ++k) s[k] = QStringLiteral("keep");
        QCOMPARE(ParseStatement(text, s), word);
        QCOMPARE(CommandWord(text), word);
        for (int k = 1; k <= kSlotCount; ++k) {
            const QString want = k <= slots.size() ? slots[k - 1] : QStringLiteral("keep");
            QVERIFY2(s[k] == want, qPrintable(QStringLiteral("slot %1: %2").arg(k).arg(s[k])));
        }
    }

    void unrecognisedWordsClearAllSlots_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("word");
        QTest::newRow("unknown word") << "\t\tmarker\toid=\"1\";" << "marker";
        QTest::newRow("semicolon belongs to the word") << "end;" << "end;";
        QTest::newRow("upper case") << "POINT oid=\"1\";" << "POINT";
        QTest::newRow("empty") << "" << "";
    }
    void unrecognisedWordsClearAllSlots() {
        QFETCH(QString, text);
        QFETCH(QString, word);
        Slots s;
        for (int k = 1; k <= kSlotCount; ++k) s[k] = QStringLiteral("old");
        QCOMPARE(ParseStatement(text, s), word);
        QCOMPARE(s, Slots());
    }
};

KEL_TEST(StatementReaderTest);
#include "tst_StatementReader.moc"
