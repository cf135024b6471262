// Looking up one parameter of a command text, and the word after a key.
#include "TestMain.h"
#include "script/Statement.h"

using namespace kel;

class ParamValueTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void getParamValue_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");

        const QString point =
            "\t\tpoint\toid=\"12\"\r\n\t\t\t\tgid=\"100\"\r\n\t\t\t\tstr=\"  浅草 寺  \"\r\n"
            "\t\t\t\tstrformat=\"right\"\r\n\t\t\t\turltype=\"ax_hlink\";";
        QTest::newRow("plain") << point << "gid" << "100";
        QTest::newRow("value not trimmed") << point << "str" << "  浅草 寺  ";
        QTest::newRow("str not found in strformat") << "point strformat=\"right\";" << "str"
                                                    << "";
        QTest::newRow("url not found in urltype") << point << "url" << "";
        QTest::newRow("missing") << point << "info" << "";
        QTest::newRow("case-sensitive") << point << "OID" << "";
        QTest::newRow("first occurrence wins")
            << "point oid=\"1\"; line oid=\"2\";" << "oid" << "1";
        QTest::newRow("value spanning lines")
            << "line pos=\"35/00/00.0,135/00/00.0,\r\n\t\t35/01/00.0,135/01/00.0\";" << "pos"
            << "35/00/00.0,135/00/00.0,\r\n\t\t35/01/00.0,135/01/00.0";
        QTest::newRow("unclosed quote") << "point oid=\"1\" str=\"open;" << "str" << "";
        QTest::newRow("empty value") << "point oid=\"\" gid=\"3\";" << "oid" << "";
        QTest::newRow("no blank between parameters")
            << "point oid=\"1\"gid=\"2\";" << "gid" << "2";
        QTest::newRow("blanks around the equals sign")
            << "point oid = \"7\";" << "oid" << "7";

        // Names inside quoted values are not parameters.
        QTest::newRow("url word inside str value")
            << "point oid=\"1\" str=\"see url here\" url=\"http://example.jp/\";" << "url"
            << "http://example.jp/";
        QTest::newRow("name= inside another value")
            << "point str=\"gid=&quot;9&quot; oid=\" oid=\"4\";" << "oid" << "4";
        QTest::newRow("only inside a value")
            << "point str=\"oid=5\";" << "oid" << "";
        QTest::newRow("name standing alone is not a parameter")
            << "line oid gid=\"5\" oid=\"8\";" << "oid" << "8";

        // Values without quotes read as their bare word.
        QTest::newRow("bare value") << "point oid=12 gid=\"3\";" << "oid" << "12";
        QTest::newRow("quoted value after a bare one")
            << "point oid=12 gid=\"3\";" << "gid" << "3";
        QTest::newRow("bare value ends at semicolon") << "point oid=12;" << "oid" << "12";
        QTest::newRow("bare value ends at line break")
            << "point oid=12\r\ngid=\"3\";" << "oid" << "12";
        QTest::newRow("equals sign with nothing after it") << "point oid= ;" << "oid" << "";

        // Where a name may stand.
        QTest::newRow("after CR LF on an unindented line")
            << "\t\tpoint\toid=\"1\"\r\ngid=\"2\";" << "gid" << "2";
        QTest::newRow("after a lone LF") << "point oid=\"1\"\ngid=\"2\";" << "gid" << "2";
        QTest::newRow("at the start of the text") << "oid=\"1\";" << "oid" << "1";
        QTest::newRow("not inside another word") << "point xoid=\"1\" oidx=\"2\";" << "oid"
                                                 << "";
        QTest::newRow("area command word is not its area parameter")
            << "\t\tarea\toid=\"1\";" << "area" << "";

        // Keys with their "=".
        QTest::newRow("ver= key")
            << "mapserver script ver=\"1.2\" savable=\"no\";" << "ver=" << "1.2";
        QTest::newRow("ver= key needs the = right after the name")
            << "mapserver script ver =\"1.2\";" << "ver=" << "";
        QTest::newRow("url= key in a message")
            << "\t\tmessage\tstr=\"url in the text\"\r\n\t\t\t\turl=\"http://a/\";" << "url="
            << "http://a/";
        QTest::newRow("url= key after a blank")
            << "message str=\"s\" url= \"http://b/\";" << "url=" << "http://b/";
    }
    void getParamValue() {
        QFETCH(QString, text);
        QFETCH(QString, name);
        QFETCH(QString, value);
        QCOMPARE(GetParamValue(text, name), value);
    }

    void getWordAfter_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("word");
        QTest::newRow("disp all") << "\t\tdisp\tall ;" << "disp" << "all";
        QTest::newRow("stops at equals") << "\t\tdisp\tpos=\"35/00/00.0\";" << "disp" << "pos";
        QTest::newRow("skips quotes and equals") << "gid=\" 100\";" << "gid" << "100";
        QTest::newRow("word on the next line") << "disp\r\n\tarea=\"x\";" << "disp" << "area";
        QTest::newRow("first occurrence of the key") << "a=1 a=2" << "a" << "1";
        QTest::newRow("key missing") << "disp all;" << "scale" << "";
        QTest::newRow("nothing after the key") << "disp ;" << "disp" << "";
    }
    void getWordAfter() {
        QFETCH(QString, text);
        QFETCH(QString, key);
        QFETCH(QString, word);
        QCOMPARE(GetWordAfter(text, key), word);
    }
};

KEL_TEST(ParamValueTest);
#include "tst_ParamValue.moc"
