#include "TestMain.h"
#include "formula/FormulaSplit.h"

using namespace kel;

namespace {
// The pieces 1..Pieces() joined with "|".
QString Joined(const SplitTable& t) {
    QStringList out;
    for (int i = 1; i <= t.Pieces(); ++i) out << t.Piece(i);
    return out.join(QLatin1Char('|'));
}
}  // namespace

class FormulaSplitTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void splitFormula_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("pieces");
        QTest::newRow("name and nested arguments") << "Name(a,b(c))" << 2 << "Name|a,b(c)";
        QTest::newRow("empty") << "" << 0 << "";
        QTest::newRow("blanks only") << "   " << 0 << "";
        QTest::newRow("plain text trimmed") << "  abc  " << 1 << "abc";
        QTest::newRow("condition kept whole") << "Cond(oid=1*)" << 2 << "Cond|oid=1*";
        QTest::newRow("separators at depth 0") << "a=b:c,d" << 4 << "a|b|c|d";
        QTest::newRow("text after the closing bracket") << "F(a)b" << 2 << "F|ab";
        QTest::newRow("second bracket is a piece") << "F(a)(b)" << 3 << "F|a|b";
        QTest::newRow("bracketed text has no name") << "(a,b)" << 2 << "|a,b";
        QTest::newRow("pieces trimmed") << "F( x , y )" << 2 << "F|x , y";
        QTest::newRow("unclosed bracket") << "F(a,(b" << 2 << "F|a,(b";
        QTest::newRow("too many closing: untrimmed") << "a )b" << -1 << "a ";
        QTest::newRow("pos value pieces") << "35/39/29,139/44/28" << 2 << "35/39/29|139/44/28";
    }
    void splitFormula() {
        QFETCH(QString, text);
        QFETCH(int, count);
        QFETCH(QString, pieces);
        const SplitTable t = SplitFormula(text);
        QCOMPARE(t.Count(), count);
        QCOMPARE(Joined(t), pieces);
        QCOMPARE(t[0], text);
        QCOMPARE(t[t.Pieces() + 1], QString());
    }

    void splitArguments_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("pieces");
        QTest::newRow("brackets kept") << "Cond(a=1),x,y" << 3 << "Cond(a=1)|x|y";
        QTest::newRow("range") << "Par:10,20" << 3 << "Par|10|20";
        QTest::newRow("trimmed") << " a , b " << 2 << "a|b";
        QTest::newRow("empty piece") << "a,,b" << 3 << "a||b";
        QTest::newRow("trailing comma") << "a," << 2 << "a|";
        QTest::newRow("bracketed list") << "(a,b),c" << 2 << "(a,b)|c";
        QTest::newRow("too many closing") << "a),b" << -1 << "a";
        QTest::newRow("empty") << "" << 0 << "";
    }
    void splitArguments() {
        QFETCH(QString, text);
        QFETCH(int, count);
        QFETCH(QString, pieces);
        const SplitTable t = SplitArguments(text);
        QCOMPARE(t.Count(), count);
        QCOMPARE(Joined(t), pieces);
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
        QTest::newRow("prefix elsewhere") << "21" << "1*" << false;
        QTest::newRow("star alone matches nothing") << "abc" << "*" << false;
        QTest::newRow("contains") << QString::fromUtf8("鴨川デルタ") << QString::fromUtf8("*川*")
                                  << true;
        QTest::newRow("suffix") << "abc" << "*bc" << true;
        QTest::newRow("suffix fails") << "abcd" << "*bc" << false;
        QTest::newRow("identical") << "abc" << "abc" << true;
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
