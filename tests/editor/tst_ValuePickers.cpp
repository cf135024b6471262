// The keyword lists and colour texts of the value pickers.
#include "TestMain.h"
#include "list/ValuePickers.h"

using namespace kel;

class ValuePickersTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void keywordLists_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("items");
        QTest::newRow("text style") << "textstyle" << "group" << "plain,frame#1";
        QTest::newRow("border style as line style") << "bodrstyle" << "group"
                                                    << "line#0,line#1,line#2,line#3";
        QTest::newRow("unknown style prefix") << "fontstyle" << "group" << "";
        QTest::newRow("strpos of a point") << "strpos" << "point" << "center,top,left,right,bottom";
        QTest::newRow("strpos of a rect")
            << "strpos" << "rect"
            << "center,top,left,right,bottom,topleft,topright,bottomleft,bottomright";
        QTest::newRow("format") << "format" << "input" << "1,2";
        QTest::newRow("no list") << "oid" << "point" << "";
    }
    void keywordLists() {
        QFETCH(QString, name);
        QFETCH(QString, word);
        QFETCH(QString, items);
        QCOMPARE(ParListItems(name, word).join(','), items);
        QCOMPARE(HasKeywordList(name), name != QLatin1String("oid"));
    }

    // The lenient reading the colour picker starts from, and the strict check.
    void colours_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("picked");   // TextFromRgb(RgbFromText(text))
        QTest::addColumn<QString>("problem");  // empty when the text is a proper colour
        QTest::newRow("red") << "255,0,0" << "255,0,0" << "";
        QTest::newRow("blanks around parts") << " 12, 34 ,56 " << "12,34,56" << "";
        QTest::newRow("over 255 and missing part")
            << "300,,7" << "255,0,7" << "300 is not a whole number from 0 to 255";
        QTest::newRow("no number in a part") << "12, 34 ,abc" << "12,34,0" << "\"abc\" is not a number";
        QTest::newRow("negative") << "-5,0,0" << "0,0,0" << "-5 is not a whole number from 0 to 255";
        QTest::newRow("fraction") << "0.5,1.5,2" << "0,2,2" << "0.5 is not a whole number from 0 to 255";
        QTest::newRow("two parts") << "1,2" << "1,2,0" << "a colour is three numbers red,green,blue";
        QTest::newRow("four parts") << "1,2,3,4" << "1,2,3" << "a colour is three numbers red,green,blue";
        QTest::newRow("empty") << "" << "0,0,0" << "\"\" is not a number";
    }
    void colours() {
        QFETCH(QString, text);
        QFETCH(QString, picked);
        QFETCH(QString, problem);
        QCOMPARE(TextFromRgb(RgbFromText(text)), picked);
        QCOMPARE(ColourTextProblem(text), problem);
    }
};

KEL_TEST(ValuePickersTest);

#include "tst_ValuePickers.moc"
