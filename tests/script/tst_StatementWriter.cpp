// The writer's layout for every kind of command, slot lookup, setting one parameter, the new
// document, and the values it must refuse.
#include "TestMain.h"
#include "script/StatementWriter.h"

using namespace kel;

namespace {

Slots MakeSlots(const QStringList& values) {
    Slots s;
    for (int i = 0; i < values.size() && i < kSlotCount; ++i) s[i + 1] = values[i];
    return s;
}

}  // namespace

class StatementWriterTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void build_data() {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QStringList>("slots");
        QTest::addColumn<QString>("text");
        QTest::newRow("theme empty") << "theme" << QStringList{} << "\t\ttheme\tstr=\"\";";
        // Block commands: first parameter always, the others when not empty.
        QTest::newRow("point with empty oid and pos")
            << "point" << QStringList{"", "", "35/40/52.3,139/46/01.6"}
            << "\t\tpoint\toid=\"\"\r\n\t\t\t\tpos=\"35/40/52.3,139/46/01.6\";";
        QTest::newRow("point, spaces count as present")
            << "point" << QStringList{"1", " ", "", "", "", "", "", "x"}
            << "\t\tpoint\toid=\"1\"\r\n\t\t\t\tgid=\" \"\r\n\t\t\t\tinfo=\"x\";";
        QTest::newRow("semicolon on the last line is stored")
            << "point" << QStringList{"1", "", "", "", "", "", "", "a;b"}
            << "\t\tpoint\toid=\"1\"\r\n\t\t\t\tinfo=\"a;b\";";
        QTest::newRow("rect all")
            << "rect"
            << QStringList{"1", "2", "p", "w", "h", "wm", "hm", "s", "sp", "sf", "u", "ut", "i"}
            << "\t\trect\toid=\"1\"\r\n\t\t\t\tgid=\"2\"\r\n\t\t\t\tpos=\"p\"\r\n\t\t\t\twidth=\"w\""
               "\r\n\t\t\t\theight=\"h\"\r\n\t\t\t\twidthmax=\"wm\"\r\n\t\t\t\theightmax=\"hm\"\r\n"
               "\t\t\t\tstr=\"s\"\r\n\t\t\t\tstrpos=\"sp\"\r\n\t\t\t\tstrformat=\"sf\"\r\n"
               "\t\t\t\turl=\"u\"\r\n\t\t\t\turltype=\"ut\"\r\n\t\t\t\tinfo=\"i\";";
        QTest::newRow("group all")
            << "group"
            << QStringList{"g", "n", "tr", "lr", "ar", "br", "ts", "ls", "as", "ps", "bs", "is",
                           "lw", "bw", "tz", "to"}
            << "\t\tgroup\tgid=\"g\"\r\n\t\t\t\tgname=\"n\"\r\n\t\t\t\ttextrgb=\"tr\"\r\n"
               "\t\t\t\tlinergb=\"lr\"\r\n\t\t\t\tareargb=\"ar\"\r\n\t\t\t\tbodrrgb=\"br\"\r\n"
               "\t\t\t\ttextstyle=\"ts\"\r\n\t\t\t\tlinestyle=\"ls\"\r\n\t\t\t\tareastyle=\"as\"\r\n"
               "\t\t\t\tpointstyle=\"ps\"\r\n\t\t\t\tbodrstyle=\"bs\"\r\n\t\t\t\ticonsize=\"is\"\r\n"
               "\t\t\t\tlinewidth=\"lw\"\r\n\t\t\t\tbodrwidth=\"bw\"\r\n\t\t\t\ttextsize=\"tz\"\r\n"
               "\t\t\t\ttextoff=\"to\";";
        QTest::newRow("message urltype in spaces")
            << "message" << QStringList{"s", "u", " ax_hlink "}
            << "\t\tmessage\tstr=\"s\"\r\n\t\t\t\turl=\"u\"\r\n\t\t\t\turltype=\" ax_hlink \";";
        QTest::newRow("message drops another urltype")
            << "message" << QStringList{"s", "", "AX_HLINK"} << "\t\tmessage\tstr=\"s\";";
        // Blanks around the word are allowed, other white space is not.
        QTest::newRow("message drops a urltype with a tab")
            << "message" << QStringList{"s", "", "ax_hlink\t"} << "\t\tmessage\tstr=\"s\";";
        QTest::newRow("input")
            << "input" << QStringList{"point", "s", "c", "p", "m", "f", "3"}
            << "\t\tinput\ttype=\"point\"\r\n\t\t\t\tstr=\"s\"\r\n\t\t\t\tcgi=\"c\"\r\n"
               "\t\t\t\tparam=\"p\"\r\n\t\t\t\tmethod=\"m\"\r\n\t\t\t\tformat=\"f\"\r\n"
               "\t\t\t\tprecision=\"3\";";
        QTest::newRow("addon at the left margin")
            << "addon" << QStringList{"t", "a", "", "http://x/"}
            << "addon\ttitle=\"t\"\r\n\tauthor=\"a\"\r\n\turl=\"http://x/\";";
        // Script frame.
        QTest::newRow("savable no") << "mapserver" << QStringList{"1.2", " no "}
                                    << "mapserver script ver=\"1.2\" savable=\"no\";";
        QTest::newRow("savable No is yes") << "mapserver" << QStringList{"1.2", "No"}
                                           << "mapserver script ver=\"1.2\" savable=\"yes\";";
        QTest::newRow("script end") << "mapserver" << QStringList{" end ", "no"}
                                    << "mapserver end;";
        QTest::newRow("header value naming a placeholder")
            << "hedder" << QStringList{"$TEMPLVER$", "1.2", ""}
            << "//Header:Prog:\"$TEMPLVER$\" Templ:\"1.2\" Date:\"\";";
        // disp.
        QTest::newRow("disp last") << "disp" << QStringList{"last", "ignored"}
                                   << "\t\tdisp\tlast ;";
        QTest::newRow("disp pos with scale")
            << "disp" << QStringList{"pos", "35/00/00.0,135/00/00.0", "25000"}
            << "\t\tdisp\tpos=\"35/00/00.0,135/00/00.0\"\r\n\t\t\t\tscale=\"25000\";";
        QTest::newRow("disp oid") << "disp" << QStringList{"oid", "1"} << "\t\tdisp\toid=\"1\";";
        QTest::newRow("disp unknown mode") << "disp" << QStringList{"All", "x", "100"}
                                           << "\t\tdisp\tall \r\n\t\t\t\tscale=\"100\";";
        // Comments and words without templates.
        QTest::newRow("comment gets // and ;") << "comment" << QStringList{" 東京 "}
                                               << "// 東京 ;";
        QTest::newRow("comment unchanged") << "comment" << QStringList{"\t// \"q\";"}
                                           << "\t// \"q\";";
        QTest::newRow("unsupported word") << "end" << QStringList{"x"} << "// Not Suport [end]";
    }
    void build() {
        QFETCH(QString, word);
        QFETCH(QStringList, slots);
        QFETCH(QString, text);
        Slots s = MakeSlots(slots);
        const BuiltStatement b = BuildStatement(word, s);
        QVERIFY2(b.ok(), qPrintable(b.reason));
        QCOMPARE(b.text, text);
        if (word == QLatin1String("comment")) QCOMPARE(s[1], text);
        // Comment-like texts read back whole.
        Slots got;
        if (ParseStatement(b.text, got) == QLatin1String("comment")) QCOMPARE(got[1], text);
    }

    // Values that would not read back as written are refused and nothing is changed.
    void refused_data() {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QStringList>("slots");
        QTest::addColumn<int>("badSlot");
        QTest::newRow("double quote") << "point" << QStringList{"1", "", "", "say \"hi\""} << 4;
        QTest::newRow("semicolon before the last line")
            << "point" << QStringList{"1", "", "", "a;b", "", "", "", "i"} << 4;
        QTest::newRow("semicolon before a break in the last value")
            << "point" << QStringList{"1", "", "", "", "", "", "", "a;\r\nb"} << 8;
        QTest::newRow("value line beginning with //")
            << "line" << QStringList{"1", "", "35/00/00.0,135/00/00.0,\r\n  // x"} << 3;
        QTest::newRow("blank line in a value")
            << "point" << QStringList{"1", "", "", "a\r\n   \r\nb"} << 4;
        QTest::newRow("lone LF") << "point" << QStringList{"1", "", "", "a\nb"} << 4;
        QTest::newRow("comma break outside pos")
            << "point" << QStringList{"1", "", "", "東京,\r\n京都", "right"} << 4;
        QTest::newRow("disp semicolon before scale")
            << "disp" << QStringList{"oid", "1;2", "500"} << 2;
        QTest::newRow("empty version") << "mapserver" << QStringList{" ", "no"} << 1;
        QTest::newRow("comment on two lines") << "comment" << QStringList{"//a\r\n//b"} << 1;
        QTest::newRow("text before //") << "comment" << QStringList{"see // note"} << 1;
        QTest::newRow("header date with a line break")
            << "hedder" << QStringList{"1", "2", "x\r\ny"} << 3;
    }
    void refused() {
        QFETCH(QString, word);
        QFETCH(QStringList, slots);
        QFETCH(int, badSlot);
        Slots s = MakeSlots(slots);
        const Slots before = s;
        const BuiltStatement b = BuildStatement(word, s);
        QVERIFY(!b.ok());
        QCOMPARE(b.badSlot, badSlot);
        QVERIFY(!b.reason.isEmpty());
        QVERIFY(b.text.isEmpty());
        QCOMPARE(s, before);
    }

    void quoteIntoAndParamSlot() {
        QCOMPARE(QuoteInto("a=$X$ b=$X$", "$X$", "v"), QStringLiteral("a=\"v\" b=$X$"));
        QCOMPARE(QuoteInto("a=$x$", "$X$", "v"), QStringLiteral("a=$x$"));
        QCOMPARE(QuoteInto("a=1", "", "v"), QStringLiteral("a=1"));
        QCOMPARE(ParamSlot("rect", "heightmax"), 7);
        QCOMPARE(ParamSlot("group", "textoff"), 16);
        QCOMPARE(ParamSlot("point", "r"), 0);
        QCOMPARE(ParamSlot("disp", "scale"), -1);
        QCOMPARE(ParamSlot("marker", "oid"), -1);
    }

    void setParamValue() {
        const QString text = QStringLiteral(
            "  point oid=\"3\" extra=\"dropped\"\r\n pos=\"35/00/00.0,135/00/00.0\"; // c");
        BuiltStatement b = SetParamValue(text, QStringLiteral("str"), QStringLiteral("二条城"));
        QVERIFY(b.ok());
        QCOMPARE(b.text, QStringLiteral("\t\tpoint\toid=\"3\"\r\n\t\t\t\tpos=\"35/00/00.0,135/00/"
                                        "00.0\"\r\n\t\t\t\tstr=\"二条城\";"));
        b = SetParamValue(text, QStringLiteral("str"), QStringLiteral("a\"b"));
        QVERIFY(!b.ok());
        QCOMPARE(b.badSlot, 4);
        b = SetParamValue(text, QStringLiteral("r"), QStringLiteral("5"));
        QVERIFY(!b.ok());
        QCOMPARE(b.badSlot, 0);
        QVERIFY(b.text.isEmpty());
        b = SetParamValue(QStringLiteral("\t\tdisp\tall ;"), QStringLiteral("scale"),
                          QStringLiteral("5"));
        QVERIFY(!b.ok());
        QCOMPARE(b.badSlot, -1);
    }

    void newDocument() {
        const QStringList doc = NewDocumentSkeleton(QStringLiteral("2026/12/06"));
        QCOMPARE(doc, (QStringList{"//Header:Prog:\"1.0.8.0\" Templ:\"1.2\" Date:\"2026/12/06\";",
                                   "mapserver script ver=\"1.0\";", "\t\tdisp\tall ;",
                                   "mapserver end;"}));
        QCOMPARE(ShortDateText(QDate(2026, 1, 5)), QStringLiteral("2026/01/05"));
    }
};

KEL_TEST(StatementWriterTest);
#include "tst_StatementWriter.moc"
