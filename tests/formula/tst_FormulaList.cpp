// Formulas over the list: aggregates, line numbers, the selection, the operations run from
// a formula, Rank and its kept values, and the formula input.
#include <QSignalSpy>

#include "FormulaFixture.h"
#include "TestMain.h"
#include "common/Values.h"
#include "script/StatementWriter.h"

using namespace kel;
using kel::test::FormulaFixture;
using kel::test::Lines;
using kel::test::Point;

namespace {
const QStringList kListScript = {
    kel::test::kHeader,
    QStringLiteral("group gid=\"7\" gname=\"G\";"),
    QStringLiteral("point oid=\"5\" gid=\"7\" pos=\"35/40/00.0,139/46/00.0\" str=\"a\";"),
    QStringLiteral("line oid=\"7\" gid=\"3\" pos=\"35/00/00.0,139/00/00.0,35/01/00.0,139/00/00.0\";"),
    QStringLiteral("circle oid=\"7\" gid=\"3\" pos=\"35/00/00.0,139/00/00.0\" r=\"1KM\";"),
    QStringLiteral("area oid=\"3\" gid=\"7\" pos=\"35/00/00.0,139/00/00.0,35/01/00.0,139/00/00.0,"
                   "35/01/00.0,139/01/00.0\";"),
    QStringLiteral("// end"),
};
}  // namespace

class FormulaListTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void overLines_data() {
        QTest::addColumn<Lines>("selected");
        QTest::addColumn<QString>("formula");
        QTest::addColumn<QString>("result");
        QTest::newRow("Calc Min counts empty values") << Lines{} << "Calc(Min,oid)" << "0";
        QTest::newRow("Calc each line's own index") << Lines{} << "Calc(Par,Index)"
                                                    << "0,1,2,3,4,5,6";
        QTest::newRow("Calc unknown kind") << Lines{} << "Calc(Foo,oid)" << "Calc(Foo,oid)";
        QTest::newRow("SelectedCalc Ave") << Lines{2, 3, 5} << "SelectedCalc(Ave,oid)" << "5";
        QTest::newRow("SelectedCalc none Ave") << Lines{} << "SelectedCalc(Ave,oid)" << "0";
        QTest::newRow("IndexCalc context line") << Lines{} << "IndexCalc(Sum,oid,)" << "5";
        QTest::newRow("IndexCalc leaves out other numbers")
            << Lines{} << "IndexCalc(Par,oid,(2,99,-1,5))" << "5,3";
        QTest::newRow("CmdNum Figure") << Lines{} << "CmdNum(Figure)" << "4";
        QTest::newRow("CmdNum names, pattern") << Lines{} << "CmdNum(point,c*)" << "4";
        QTest::newRow("SelectedIndexList") << Lines{2, 5} << "SelectedIndexList" << "2,5";
        QTest::newRow("SelectedFg") << Lines{2} << "Join(SelectedFg(2),SelectedFg(3))"
                                    << "TrueFalse";
        QTest::newRow("IndexRefer keeps the number")
            << Lines{} << "IndexRefer(4.5,Join(Index,Cmd))" << "4.5circle";
        QTest::newRow("CenterPos of an area: mean") << Lines{} << "CenterPos(5)"
                                                    << "35/00/40.0,139/00/20.0";
        QTest::newRow("CenterPos not a figure") << Lines{} << "CenterPos(1)" << "";
    }
    // Evaluated on line 2; the selection stays as it was.
    void overLines() {
        QFETCH(Lines, selected);
        QFETCH(QString, formula);
        QFETCH(QString, result);
        FormulaFixture f(kListScript);
        f.Select(selected);
        QCOMPARE(f.Eval(2, formula), result);
        QCOMPARE(f.Selected(), selected);
    }

    // The selection functions and the operations they run (recorded by the hooks, which see
    // the answers to questions given). ConditionalSelect and LumpInput run for real in the
    // tests of those operations.
    void selection_data() {
        QTest::addColumn<Lines>("before");
        QTest::addColumn<QString>("formula");
        QTest::addColumn<QString>("result");
        QTest::addColumn<Lines>("after");
        QTest::addColumn<QString>("calls");
        QTest::newRow("IndexSelect ignores line 0 and others, rounds")
            << Lines{} << "IndexSelect((0,2.5,99,-1),SelectedIndexList)" << "2" << Lines{2} << "";
        QTest::newRow("IndexDeSelect") << Lines{2, 3} << "IndexDeSelect(3,SelectedIndexList)"
                                       << "2" << Lines{2} << "";
        QTest::newRow("PushIndex, PopIndex")
            << Lines{} << "Join(PopIndex,PushIndex(Join(PopIndex,Cmd)))" << "03point" << Lines{} << "";
        QTest::newRow("ConditionalSelect unbracketed selects nothing")
            << Lines{} << "ConditionalSelect(Cmd,SelectedIndexList)" << "" << Lines{} << "";
        QTest::newRow("SpatialSelect Nearest")
            << Lines{} << "SpatialSelect(Nearest,SelectedIndexList)" << "4" << Lines{4}
            << "extreme point 1";
        QTest::newRow("SpatialSelect Interior") << Lines{} << "SpatialSelect(Interior,Null)" << ""
                                                << Lines{3} << "spatial point FindInterior";
        QTest::newRow("SpatialSelect other word") << Lines{} << "SpatialSelect(Sideways,Null)" << ""
                                                  << Lines{} << "";
        QTest::newRow("SpatialIndexList Containor") << Lines{} << "SpatialIndexList(Containor)"
                                                    << "5" << Lines{5}
                                                    << "spatial point FindObject";
    }
    void selection() {
        QFETCH(Lines, before);
        QFETCH(QString, formula);
        QFETCH(QString, result);
        QFETCH(Lines, after);
        QFETCH(QString, calls);
        FormulaFixture f(kListScript);
        f.Select(before);
        f.editor.List().SetCurrent(3);
        QStringList seen;
        FormulaHooks hooks = f.engine.Hooks();
        hooks.conditionalSelect = [&](const QString& c) { seen << QStringLiteral("cond ") + c; };
        hooks.findExtreme = [&](const FormulaContext& ref, Extreme which) {
            const int mode = int(which);  // 1 nearest, 2 farthest
            seen << QStringLiteral("extreme %1 %2").arg(ref.commandWord).arg(mode);
            return ExtremeResult{mode == 1 ? 4 : 5, mode == 1 ? 1.5 : 9.0};
        };
        hooks.spatialSelect = [&](const FormulaContext& ref, const QString& op) {
            seen << QStringLiteral("spatial %1 %2").arg(ref.commandWord, op);
            QVERIFY(f.editor.AutoAnswerYes());
            f.editor.List().SetSelected(op == QLatin1String("FindInterior") ? 3 : 5, true);
        };
        f.engine.SetHooks(std::move(hooks));
        QCOMPARE(f.Eval(2, formula), result);
        QCOMPARE(f.Selected(), after);
        QVERIFY(!f.editor.AutoAnswerYes());
        QCOMPARE(seen.join(QLatin1Char('|')), calls);
    }

    void rank_data() {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<QStringList>("oids");
        QTest::addColumn<Lines>("selected");
        QTest::addColumn<QStringList>("ranks");
        // The per-line values are kept for "oid"; "IndexRefer(Index,oid)" reads another line
        // and is walked plainly: both must agree.
        for (const char* formula : {"Rank(oid,%1)", "Rank(IndexRefer(Index,oid),%1)"}) {
            const QString f = QString::fromLatin1(formula);
            const QByteArray tag = QByteArray(formula).left(12);
            QTest::newRow(tag + " descending ties") << f.arg(1) << QStringList{"5", "7", "7", "3"}
                                                    << Lines{} << QStringList{"3", "1", "1", "4"};
            QTest::newRow(tag + " ascending ties") << f.arg(-1) << QStringList{"5", "7", "7", "3"}
                                                   << Lines{} << QStringList{"2", "3", "3", "1"};
            QTest::newRow(tag + " texts") << f.arg(1) << QStringList{"ab", "b", "c", "b"}
                                          << Lines{} << QStringList{"4", "2", "1", "2"};
            QTest::newRow(tag + " selected only")
                << f.arg(1) << QStringList{"5", "7", "9", "3"} << Lines{2, 4}
                << QStringList{"2", "1", "1", "2"};
        }
    }
    // Candidates are the figures between a group and a comment.
    void rank() {
        QFETCH(QString, formula);
        QFETCH(QStringList, oids);
        QFETCH(Lines, selected);
        QFETCH(QStringList, ranks);
        QStringList script{QStringLiteral("group gid=\"1\";")};
        for (const QString& oid : oids) script << Point(oid);
        FormulaFixture f(script << QStringLiteral("// not a candidate"));
        f.Select(selected);
        QStringList got;
        for (int i = 1; i <= oids.size(); ++i) got << f.Eval(i, formula);
        QCOMPARE(got, ranks);
    }

    // The kept values follow changes of the list: a changed line, a changed selection, lines
    // inserted, removed and swapped.
    void rankFollowsChanges() {
        FormulaFixture f({Point("5"), Point("7"), Point("3")});
        const QString rank = QStringLiteral("Rank(oid,1)");
        QCOMPARE(f.Eval(0, rank), QStringLiteral("2"));
        KelList& list = f.editor.List();
        list.Replace(1, MakeListLine(f.editor.Texts(), Point("1"), 0));
        QCOMPARE(f.Eval(0, rank), QStringLiteral("1"));
        list.Insert(0, MakeListLine(f.editor.Texts(), Point("9"), 0));
        QCOMPARE(f.Eval(1, rank), QStringLiteral("2"));
        f.Select({1, 2});
        QCOMPARE(f.Eval(1, rank), QStringLiteral("1"));
        list.SetSelected(0, true);
        QCOMPARE(f.Eval(1, rank), QStringLiteral("2"));
        list.Remove(0);
        QCOMPARE(f.Eval(0, rank), QStringLiteral("1"));
        list.SwapLines(0, 1);
        QCOMPARE(f.Eval(0, rank), QStringLiteral("2"));
    }

    // A rank for every line of a large list, each line rewritten after its rank as a bulk
    // input does: the work must grow with the list, not with its square.
    void rankOverLargeListIsLinear() {
        constexpr int n = 3000;
        QStringList script;
        for (int i = 0; i < n; ++i) script << Point(QString::number((i * 7919) % n));
        FormulaFixture f(script);
        const qint64 before = f.engine.EvaluationCount();
        for (int i = 0; i < n; ++i) {
            const QString r = f.Eval(i, QStringLiteral("Rank(oid,1)"));
            const BuiltStatement b =
                SetParamValue(f.editor.CommandTextAt(i), QStringLiteral("str"), r);
            f.editor.List().Replace(i, MakeListLine(f.editor.Texts(), b.text, 0));
        }
        QVERIFY2(f.engine.EvaluationCount() - before < qint64(20) * n,
                 qPrintable(QString::number(f.engine.EvaluationCount() - before)));
        // oid k has rank n - k.
        for (int i : {0, 1, 1234, n - 1}) {
            const QString text = f.editor.CommandTextAt(i);
            QCOMPARE(Val(GetParamValue(text, QStringLiteral("str"))),
                     n - Val(GetParamValue(text, QStringLiteral("oid"))));
        }
    }

    // A formula given runs at once on its line, which becomes current; the result is shown.
    void inputFormula() {
        FormulaFixture f(kListScript);
        QSignalSpy shown(&f.engine, &FormulaEngine::CalcResultChanged);
        f.engine.InputFormula(QStringLiteral("Join(oid,x)"), 2);
        QCOMPARE(f.engine.CalcResult(), QStringLiteral("5x"));
        QCOMPARE(f.editor.List().Current(), 2);
        QVERIFY(!f.editor.ListClickSuppressed());
        QCOMPARE(shown.size(), 1);
    }
};

KEL_TEST(FormulaListTest);
#include "tst_FormulaList.moc"
