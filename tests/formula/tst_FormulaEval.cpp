// Formulas whose result depends only on the context command: literals, parameters,
// arithmetic, text, lists, conditions; the formula counter and the usage table; the
// splitters of formulas and argument lists, and the patterns of conditions.
#include "FormulaFixture.h"
#include "TestMain.h"
#include "common/Values.h"
#include "formula/FormulaFunction.h"
#include "formula/FormulaSplit.h"
#include "formula/UsageSummary.h"

using namespace kel;
using kel::test::FormulaFixture;

namespace {
const QStringList kEvalScript = {
    QStringLiteral("point oid=\"15\" gid=\"3\" pos=\"35/39/29,139/44/28\" str=\"Tokyo\";"),
    QStringLiteral("point gid=\"3\" pos=\"35/39/29,139/44/28\";"),
    QStringLiteral("group gid=\"7\" gname=\"G\";"),
};
}  // namespace

class FormulaEvalTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void evaluate_data() {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<QString>("result");
        // Literals stand for themselves.
        QTest::newRow("unknown call") << "Foo(1)" << "Foo(1)";
        QTest::newRow("no infix") << "1+2" << "1+2";
        QTest::newRow("bracketed argument") << "Join((a,b),c)" << "a,bc";
        // Context and parameters.
        QTest::newRow("context") << "Join(Cmd,Join(Index,Null))" << "point0";
        QTest::newRow("pos(3) beyond") << "pos(3)" << "";
        QTest::newRow("element number evaluated") << "pos(+(1,1))" << "139/44/28";
        QTest::newRow("name of another command") << "gname" << "gname";
        // Arithmetic.
        QTest::newRow("divide by 0") << "/(1,0)" << "Div.By.0";
        QTest::newRow("Mod by 0") << "Mod(7,0)" << "Div.By.0";
        QTest::newRow("Mod rounds halves to even") << "Mod(7.5,2)" << "0";
        QTest::newRow("Round negative half up") << "Round(-2.5,0)" << "-2";
        QTest::newRow("And floors") << "And(6.9,3)" << "2";
        QTest::newRow("Sqr negative") << "Sqr(-1)" << "";
        // Text.
        QTest::newRow("Mid past end") << "Mid(abc,5,2)" << "c";
        QTest::newRow("Instr") << "Instr(abcabc,ca)" << "3";
        // Conditions.
        QTest::newRow("If bracketed") << "If((Cmd=point),a,b)" << "a";
        QTest::newRow("If 1 is not true") << "If(1,a,b)" << "b";
        QTest::newRow("range below") << "Cond(oid:+,15)" << "0";
        QTest::newRow("range two markers") << "Cond(oid:*,*)" << "False";
        QTest::newRow("one of several") << "Cond(oid=10,15,20)" << "-1";
        // Lists.
        QTest::newRow("ListSum expands") << "ListSum(1,2,ListPar(3,4))" << "10";
        QTest::newRow("ListSum2 does not") << "ListSum2(1,2,ListPar(3,4))" << "6";
        QTest::newRow("List unevaluated") << "List(a,+(1,2))" << "a,+(1,2)";
        QTest::newRow("ListPar evaluated") << "ListPar(a,+(1,2))" << "a,3";
    }
    void evaluate() {
        QFETCH(QString, formula);
        QFETCH(QString, result);
        FormulaFixture f(kEvalScript);
        QCOMPARE(f.Eval(0, formula), result);
    }

    // Inc and Dec share one counter that starts at the first call's n; a step of 0 is 1.
    void counter() {
        FormulaFixture f(kEvalScript);
        f.engine.SetFormulaCounter(QStringLiteral("99"));
        f.engine.EmptyFormulaCounter();
        QStringList got;
        for (const char* formula : {"Inc(10,5)", "Inc(10,0)", "Dec(1,2)", "Dec(7)"})
            got << f.Eval(0, QString::fromLatin1(formula));
        QCOMPARE(got, (QStringList{"10", "11", "9", "8"}));
    }

    // Rand: below one, at most seven decimals, and not the same value over and over.
    void randomIsBelowOneWithSevenDigits() {
        FormulaFixture f(kEvalScript);
        QSet<QString> seen;
        for (int i = 0; i < 200; ++i) seen.insert(f.Eval(0, QStringLiteral("Rand")));
        QVERIFY(seen.size() > 150);
        for (const QString& r : seen)
            QVERIFY2(Val(r) >= 0 && Val(r) < 1 &&
                         QString(r).remove(QLatin1String("0.")).size() <= 7,
                     qPrintable(r));
    }

    void everyFunctionIsDescribed() {
        const QString summary = UsageSummary(1);
        // Every function is described; all but the operators under their own call form.
        for (const FormulaFunctionDef& d : FormulaFunctions()) {
            QVERIFY2(!QString::fromUtf8(d.usage).trimmed().isEmpty(), d.name);
            const QString line = QStringLiteral("  ") + FormulaCallForm(d) + QStringLiteral(" : ");
            const bool isOperator = QStringList{"+", "-", "*", "/", "Mod", "And", "Or", "Xor",
                                                "Round", "RoundUp", "Int"}
                                        .contains(QString::fromUtf8(d.name));
            QVERIFY2(isOperator != summary.contains(line), d.name);
        }
        QVERIFY(summary.contains(QStringLiteral("  Stat(Par1,Par2) : Par1,Par2の演算子Stat\r\n"
                                                "    Stat {+,-,*,/,Mod,And,Or,Xor,Round,RoundUp,Int}")));
        QVERIFY(summary.startsWith(QStringLiteral("[入力]") + QString(58, QLatin1Char('-')) +
                                   QStringLiteral("\r\n")));
        QVERIFY(summary.contains(QString(64, QLatin1Char('-')) +
                                 QStringLiteral("\r\n注意：大文字，小文字の区別あり\r\n")));
        // Groups in their order.
        qsizetype at = 0;
        for (const char* heading : {"(－)", "(List関連)", "(計算関連)", "(実行Command関連)",
                                    "(IndexNo,IndexList関連)", "(算術関連)", "(空間計算関連)",
                                    "(条件判断関連)", "(外部参照)"}) {
            const qsizetype next = summary.indexOf(QStringLiteral("\r\n") +
                                                   QString::fromUtf8(heading) +
                                                   QStringLiteral("\r\n"), at);
            QVERIFY2(next >= at, heading);
            at = next + 1;
        }
        // The condition help.
        const QStringList lines = UsageSummary(2).split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 19);
        QCOMPARE(lines.first(), QStringLiteral("[検索条件式]") + QString(53, QLatin1Char('-')));
        QCOMPARE(lines[9], QStringLiteral("　　　　Par=10,20,30 ならば　「Par値が１０か２０か３０」"));
        QCOMPARE(lines.last(), QStringLiteral("注意：大文字，小文字の区別あり"));
        QCOMPARE(UsageSummary(3), QString());
    }

    // A formula splits into its name and the pieces of its brackets; an argument list at its
    // commas (and a range at its colon), keeping brackets.
    void split_data() {
        QTest::addColumn<bool>("arguments");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("pieces");
        QTest::newRow("name and nested arguments") << false << "Name(a,b(c))" << 2 << "Name|a,b(c)";
        QTest::newRow("text after the closing bracket") << false << "F(a)b" << 2 << "F|ab";
        QTest::newRow("unclosed bracket") << false << "F(a,(b" << 2 << "F|a,(b";
        QTest::newRow("too many closing: untrimmed") << false << "a )b" << -1 << "a ";
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

    // Patterns of conditions: a "*" at either end; a lone "*" matches nothing.
    void matchPattern() {
        QVERIFY(!MatchPattern(u"abc", u"*"));
        QVERIFY(MatchPattern(u"鴨川デルタ", u"*川*"));
        QVERIFY(!MatchPattern(u"abcd", u"*bc"));
        QVERIFY(MatchPattern(u" 10 ", u"10 "));  // blanks trimmed
        QVERIFY(!MatchPattern(u"abc", u"a*c"));  // a star inside is literal
    }
};

KEL_TEST(FormulaEvalTest);
#include "tst_FormulaEval.moc"
