// Cutting a script into statements, splitting statements into command word and slots, and
// looking up one parameter.
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
        QTest::newRow("continuation keeps break and indentation")
            << QStringList{"\t\tpoint\toid=\"1\"", "\t\t\t\tgid=\"2\"", "\t\t\t\tstr=\"駅\";"}
            << QStringList{"\t\tpoint\toid=\"1\"\r\n\t\t\t\tgid=\"2\"\r\n\t\t\t\tstr=\"駅\";"};
        QTest::newRow("comment after the semicolon")
            << QStringList{"\t\tdisp\tall ;\t// 全体", "mapserver end;"}
            << QStringList{"\t\tdisp\tall ;\t// 全体", "mapserver end;"};
        QTest::newRow("semicolon inside a value")
            << QStringList{"point str=\"a;b\"", "gid=\"1\";"}
            << QStringList{"point str=\"a;b\"", "gid=\"1\";"};
        QTest::newRow("blank lines skipped")
            << QStringList{"", "   ", "point oid=\"1\"", "", "  ", "gid=\"2\";"}
            << QStringList{"point oid=\"1\"\r\ngid=\"2\";"};
        QTest::newRow("blank lines at the end")
            << QStringList{"mapserver end;", "", "  "} << QStringList{"mapserver end;", ""};
        // Position lists broken after a comma.
        QTest::newRow("comma continuation joined")
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
        QTest::newRow("terminating line ending in a comma keeps its break")
            << QStringList{"pos=\"1,", "  2\"; // a,"} << QStringList{"pos=\"1,\r\n  2\"; // a,"};
        // A comma in a comment after the ";" does not glue the line to the one before.
        QTest::newRow("comment comma after the semicolon keeps the break")
            << QStringList{"point oid=1", " pos=35/00/00.0,135/00/00.0", " str=A; // a,"}
            << QStringList{"point oid=1\r\n pos=35/00/00.0,135/00/00.0\r\n str=A; // a,"};
        QTest::newRow("comma then tab is no continuation")
            << QStringList{"pos=\"1,\t", "  2\"", "x;"}
            << QStringList{"pos=\"1,\t\r\n  2\"\r\nx;"};
        // Comment lines.
        QTest::newRow("comment lines")
            << QStringList{"//Header:Prog:\"1.0.8.0\";", "  \t// note ; with semicolon"}
            << QStringList{"//Header:Prog:\"1.0.8.0\";", "  \t// note ; with semicolon"};
        // The interrupted statement and the comment are both kept (no text is lost).
        QTest::newRow("comment interrupting a statement")
            << QStringList{"\t\tcircle\toid=\"4\"", "\t\t\t\tpos=\"35/02/00.0,135/44/00.0\"",
                           "   // 途中", "\t\tpoint\toid=\"5\";"}
            << QStringList{"\t\tcircle\toid=\"4\"\r\n\t\t\t\tpos=\"35/02/00.0,135/44/00.0\"",
                           "   // 途中", "\t\tpoint\toid=\"5\";"};
        QTest::newRow("unterminated at the end")
            << QStringList{"point oid=\"1\"", "gid=\"2\""}
            << QStringList{"point oid=\"1\"\r\ngid=\"2\""};
    }
    void readStatements() {
        QFETCH(QStringList, lines);
        QFETCH(QStringList, statements);
        QCOMPARE(ReadAll(lines), statements);
    }

    void parseStatement_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("word");
        // Slots 1..n; later ones must stay as they were. No slots: all must be cleared.
        QTest::addColumn<QStringList>("slots");
        QTest::newRow("point in its written layout")
            << "\t\tpoint\toid=\"1\"\r\n\t\t\t\tgid=\"100\"\r\n\t\t\t\tpos=\"35/40/52.3,139/46/01.6\""
               "\r\n\t\t\t\tstr=\"東京駅\"\r\n\t\t\t\tstrformat=\"right\";"
            << "point"
            << QStringList{"1", "100", "35/40/52.3,139/46/01.6", "東京駅", "right", "", "", ""};
        QTest::newRow("any order, unknown ignored")
            << "line info=\"i\" color=\"red\" url=\"u\" urltype=\"ax_hlink\" oid=\"7\";" << "line"
            << QStringList{"7", "", "", "", "", "u", "ax_hlink", "i"};
        QTest::newRow("first command wins")
            << "point oid=\"1\" str=\"a\"; line oid=\"2\" str=\"b\";" << "point"
            << QStringList{"1", "", "", "a", "", "", "", ""};
        QTest::newRow("strformat without str")
            << "point oid=\"1\" strformat=\"right\";" << "point"
            << QStringList{"1", "", "", "", "right", "", "", ""};
        QTest::newRow("circle")
            << "\t\tcircle\toid=\"9\"\r\n\t\t\t\tr=\"500M\"\r\n\t\t\t\trmax=\"2KM\"\r\n\t\t\t\tstrpos=\"top\";"
            << "circle" << QStringList{"9", "", "", "500M", "2KM", "", "top", "", "", "", ""};
        QTest::newRow("word ends at a line break")
            << "point\r\noid=\"3\";" << "point" << QStringList{"3", "", "", "", "", "", "", ""};
        QTest::newRow("group")
            << "group gid=\"5\" textoff=\"2\" pointstyle=\"mark#13024\" gname=\"寺\";" << "group"
            << QStringList{"5", "寺", "", "", "", "", "", "", "", "mark#13024", "", "", "", "",
                           "", "2"};
        // Commands with their own rules.
        QTest::newRow("script start")
            << "mapserver script ver=\"1.2\" savable=\"no\";" << "mapserver"
            << QStringList{"1.2", "no"};
        QTest::newRow("script end") << "mapserver end;" << "mapserver" << QStringList{"end", ""};
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
        QTest::newRow("comment")
            << "  // 東京 ; \"x\"" << "comment" << QStringList{"  // 東京 ; \"x\""};
        // Words without a table clear every slot.
        QTest::newRow("unknown word") << "\t\tmarker\toid=\"1\";" << "marker" << QStringList{};
        QTest::newRow("semicolon in the word") << "end;" << "end;" << QStringList{};
        QTest::newRow("upper case") << "POINT oid=\"1\";" << "POINT" << QStringList{};
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
            const QString want = k <= slots.size() ? slots[k - 1]
                                 : slots.isEmpty() ? QString()
                                                   : QStringLiteral("keep");
            QVERIFY2(s[k] == want, qPrintable(QStringLiteral("slot %1: %2").arg(k).arg(s[k])));
        }
    }

    void getParamValue_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        const QString point =
            "\t\tpoint\toid=\"12\"\r\n\t\t\t\tgid=\"100\"\r\n\t\t\t\tstr=\"  浅草 寺  \"\r\n"
            "\t\t\t\tstrformat=\"right\"\r\n\t\t\t\turltype=\"ax_hlink\";";
        QTest::newRow("plain") << point << "gid" << "100";
        QTest::newRow("value not trimmed") << point << "str" << "  浅草 寺  ";
        QTest::newRow("url not found in urltype") << point << "url" << "";
        QTest::newRow("case-sensitive") << point << "OID" << "";
        QTest::newRow("first occurrence") << "point oid=\"1\"; line oid=\"2\";" << "oid" << "1";
        QTest::newRow("value spanning lines")
            << "line pos=\"35/00/00.0,135/00/00.0,\r\n\t\t35/01/00.0,135/01/00.0\";" << "pos"
            << "35/00/00.0,135/00/00.0,\r\n\t\t35/01/00.0,135/01/00.0";
        QTest::newRow("unclosed quote") << "point oid=\"1\" str=\"open;" << "str" << "";
        QTest::newRow("no blank between") << "point oid=\"1\"gid=\"2\";" << "gid" << "2";
        QTest::newRow("blanks around =") << "point oid = \"7\";" << "oid" << "7";
        // Names inside quoted values or other words are not parameters.
        QTest::newRow("url inside str value")
            << "point oid=\"1\" str=\"see url here\" url=\"http://example.jp/\";" << "url"
            << "http://example.jp/";
        QTest::newRow("name= inside a value")
            << "point str=\"gid=&quot;9&quot; oid=\" oid=\"4\";" << "oid" << "4";
        QTest::newRow("name standing alone") << "line oid gid=\"5\" oid=\"8\";" << "oid" << "8";
        QTest::newRow("inside another word") << "point xoid=\"1\" oidx=\"2\";" << "oid" << "";
        QTest::newRow("command word area") << "\t\tarea\toid=\"1\";" << "area" << "";
        // Bare values and where a name may stand.
        QTest::newRow("bare value") << "point oid=12\r\ngid=\"3\";" << "oid" << "12";
        QTest::newRow("after a lone LF") << "point oid=\"1\"\ngid=\"2\";" << "gid" << "2";
        // Keys with their "=".
        QTest::newRow("ver= key")
            << "mapserver script ver=\"1.2\" savable=\"no\";" << "ver=" << "1.2";
        QTest::newRow("ver= needs = right after") << "mapserver script ver =\"1.2\";" << "ver="
                                                  << "";
        QTest::newRow("url= after a blank")
            << "message str=\"s\" url= \"http://b/\";" << "url=" << "http://b/";
    }
    void getParamValue() {
        QFETCH(QString, text);
        QFETCH(QString, name);
        QFETCH(QString, value);
        QCOMPARE(GetParamValue(text, name), value);
    }
};

KEL_TEST(StatementReaderTest);
#include "tst_StatementReader.moc"
