// The splitters of formulas and argument lists, and the patterns of conditions.
#include "TestMain.h"
#include "formula/FormulaSplit.h"

using namespace kel;

class FormulaSplitTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A formula splits into its name and the pieces of its brackets; an argument list at its
    // commas (and a range at its colon), keeping brackets.
    void split_data() {
        QTest::addColumn<bool>("arguments");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("pieces");
        QTest::newRow("name and nested arguments") << false << "Name(a,b(c))" << 2 << "Name|a,b(c)";
        QTest::newRow("plain text trimmed") << false << "  abc  " << 1 << "abc";
        QTest::newRow("separators at depth 0") << false << "a=b:c,d" << 4 << "a|b|c|d";
        QTest::newRow("text after the closing bracket") << false << "F(a)b" << 2 << "F|ab";
        QTest::newRow("second bracket is a piece") << false << "F(a)(b)" << 3 << "F|a|b";
        QTest::newRow("bracketed text has no name") << false << "(a,b)" << 2 << "|a,b";
        QTest::newRow("pieces trimmed") << false << "F( x , y )" << 2 << "F|x , y";
        QTest::newRow("unclosed bracket") << false << "F(a,(b" << 2 << "F|a,(b";
        QTest::newRow("too many closing: untrimmed") << false << "a )b" << -1 << "a ";
        QTest::newRow("args: brackets kept") << true << "Cond(a=1),x,y" << 3 << "Cond(a=1)|x|y";
        QTest::newRow("args: range") << true << "Par:10,20" << 3 << "Par|10|20";
        QTest::newRow("args: empty piece") << true << "a,,b" << 3 << "a||b";
        QTest::newRow("args: too many closing") << true << "a),b" << -1 << "a";
    }
    void split() {
        QFETCH(bool, arguments);
        QFETCH(QString, text);
        QFETCH(int, count);
        QFETCH(QString, pieces);
        const SplitTable t = arguments ? SplitArguments(text) : SplitFormula(text);
        QCOMPARE(t.Count(), count);
        QStringList got;
        for (int i = 1; i <= t.Pieces(); ++i) got << t.Piece(i);
        QCOMPARE(got.join(QLatin1Char('|')), pieces);
        if (!arguments) QCOMPARE(t[0], text);
        QCOMPARE(t[t.Pieces() + 1], QString());
    }

    // A list longer than the element limit is split whole (nothing is lost for walks over
    // every piece), but element numbers beyond the limit do not exist.
    void longListKeepsEveryPiece() {
        QStringList parts;
        for (int i = 1; i <= 3000; ++i) parts << QString::number(i);
        const SplitTable t = SplitArguments(parts.join(QLatin1Char(',')));
        QCOMPARE(t.Count(), 3000);
        QCOMPARE(t[kSplitLimit], QString::number(kSplitLimit));
        QCOMPARE(t[kSplitLimit + 1], QString());
        QCOMPARE(t[-1], QString());
        QCOMPARE(t.Piece(3000), QStringLiteral("3000"));
    }

    void matchPattern_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<bool>("match");
        QTest::newRow("prefix") << "123" << "1*" << true;
        QTest::newRow("star alone matches nothing") << "abc" << "*" << false;
        QTest::newRow("contains") << QString::fromUtf8("鴨川デルタ") << QString::fromUtf8("*川*")
                                  << true;
        QTest::newRow("suffix fails") << "abcd" << "*bc" << false;
        QTest::newRow("case matters") << "abc" << "ABC" << false;
        QTest::newRow("blanks trimmed") << " 10 " << "10 " << true;
        QTest::newRow("star inside is literal") << "abc" << "a*c" << false;
    }
    void matchPattern() {
        QFETCH(QString, value);
        QFETCH(QString, pattern);
        QFETCH(bool, match);
        QCOMPARE(MatchPattern(value, pattern), match);
    }
};

KEL_TEST(FormulaSplitTest);
#include "tst_FormulaSplit.moc"
