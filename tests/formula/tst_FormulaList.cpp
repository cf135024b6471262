// Formulas over the list: aggregates, line numbers, the selection, the operations run from
// a formula, Rank and the candidate walk, and the Calc operation.
#include <QSignalSpy>

#include "FormulaFixture.h"
#include "TestMain.h"
#include "common/Values.h"
#include "list/ListLine.h"
#include "script/Statement.h"
#include "script/StatementWriter.h"

using namespace kel;
using kel::test::FormulaFixture;
using kel::test::Point;

namespace {
const QStringList kScript = {
    QStringLiteral("//Header:Prog:\"1.0.8.0\" Templ:\"1.2\" Date:\"2026/12/06\";"),
    QStringLiteral("group gid=\"7\" gname=\"G\";"),
    QStringLiteral("point oid=\"5\" gid=\"7\" pos=\"35/40/00.0,139/46/00.0\" str=\"a\";"),
    QStringLiteral("line oid=\"7\" gid=\"3\" pos=\"35/00/00.0,139/00/00.0,35/01/00.0,139/00/00.0\";"),
    QStringLiteral("circle oid=\"7\" gid=\"3\" pos=\"35/00/00.0,139/00/00.0\" r=\"1KM\";"),
    QStringLiteral("area oid=\"3\" gid=\"7\" pos=\"35/00/00.0,139/00/00.0,35/01/00.0,139/00/00.0,"
                   "35/01/00.0,139/01/00.0\";"),
    QStringLiteral("// end"),
};

using Lines = QList<int>;

void SelectLines(FormulaFixture& f, const Lines& lines) {
    for (int i = 0; i < f.editor.List().Count(); ++i) f.editor.List().SetSelected(i, false);
    for (int i : lines) f.editor.List().SetSelected(i, true);
}
}  // namespace

class FormulaListTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void overLines_data() {
        QTest::addColumn<int>("line");
        QTest::addColumn<Lines>("selected");
        QTest::addColumn<QString>("formula");
        QTest::addColumn<QString>("result");
        QTest::newRow("Calc Num") << 2 << Lines{} << "Calc(Num,oid)" << "7";
        QTest::newRow("Calc Sum") << 2 << Lines{} << "Calc(Sum,oid)" << "22";
        QTest::newRow("Calc Max") << 2 << Lines{} << "Calc(Max,oid)" << "7";
        QTest::newRow("Calc Min counts empty values") << 2 << Lines{} << "Calc(Min,oid)" << "0";
        QTest::newRow("Calc each line's own index") << 2 << Lines{} << "Calc(Par,Index)"
                                                    << "0,1,2,3,4,5,6";
        QTest::newRow("Calc unknown kind") << 2 << Lines{} << "Calc(Foo,oid)" << "Calc(Foo,oid)";
        QTest::newRow("SelectedCalc Par") << 2 << Lines{2, 4} << "SelectedCalc(Par,oid)" << "5,7";
        QTest::newRow("SelectedCalc Ave") << 2 << Lines{2, 3, 5} << "SelectedCalc(Ave,oid)" << "5";
        QTest::newRow("SelectedCalc none Num") << 2 << Lines{} << "SelectedCalc(Num,oid)" << "0";
        QTest::newRow("SelectedCalc none Ave") << 2 << Lines{} << "SelectedCalc(Ave,oid)" << "0";
        QTest::newRow("SelectedCalc none Min") << 2 << Lines{} << "SelectedCalc(Min,oid)"
                                               << "9999999";
        QTest::newRow("IndexCalc in order, repeats") << 2 << Lines{} << "IndexCalc(Par,oid,(2,5,2))"
                                                     << "5,3,5";
        QTest::newRow("IndexCalc context line") << 4 << Lines{} << "IndexCalc(Sum,oid,)" << "7";
        QTest::newRow("IndexCalc leaves out other numbers")
            << 2 << Lines{} << "IndexCalc(Par,oid,(2,99,-1,5))" << "5,3";
        QTest::newRow("CmdNum All") << 2 << Lines{} << "CmdNum(All)" << "7";
        QTest::newRow("CmdNum Figure") << 2 << Lines{} << "CmdNum(Figure)" << "4";
        QTest::newRow("CmdNum names") << 2 << Lines{} << "CmdNum(point,line)" << "2";
        QTest::newRow("CmdNum pattern") << 2 << Lines{} << "CmdNum(c*)" << "3";
        QTest::newRow("SelectedIndexList") << 2 << Lines{2, 5} << "SelectedIndexList" << "2,5";
        QTest::newRow("SelectedIndexList none") << 2 << Lines{} << "SelectedIndexList" << "";
        QTest::newRow("SelectedFg true") << 2 << Lines{2} << "SelectedFg(2)" << "True";
        QTest::newRow("SelectedFg false") << 2 << Lines{2} << "SelectedFg(3)" << "False";
        QTest::newRow("IndexRefer") << 2 << Lines{} << "IndexRefer(5,oid)" << "3";
        QTest::newRow("IndexRefer keeps the number")
            << 2 << Lines{} << "IndexRefer(4.5,Join(Index,Cmd))" << "4.5circle";
        QTest::newRow("Rank among figures") << 2 << Lines{} << "Rank(oid,1)" << "3";
    }
    void overLines() {
        QFETCH(int, line);
        QFETCH(Lines, selected);
        QFETCH(QString, formula);
        QFETCH(QString, result);
        FormulaFixture f;
        f.SetScript(kScript);
        SelectLines(f, selected);
        QCOMPARE(f.Eval(line, formula), result);
        QStringList unchanged;
        for (int i : selected) unchanged << QString::number(i);
        QCOMPARE(f.SelectedList(), unchanged.join(QLatin1Char(',')));
    }

    void selection_data() {
        QTest::addColumn<Lines>("before");
        QTest::addColumn<QString>("formula");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("after");
        QTest::newRow("IndexSelect") << Lines{} << "IndexSelect((2,3),Null)" << "" << "2,3";
        QTest::newRow("IndexSelect ignores line 0 and others")
            << Lines{} << "IndexSelect((0,2,99,-1),SelectedIndexList)" << "2" << "2";
        QTest::newRow("IndexSelect rounds") << Lines{} << "IndexSelect(2.5,Null)" << "" << "2";
        QTest::newRow("IndexDeSelect") << Lines{2, 3} << "IndexDeSelect(3,SelectedIndexList)"
                                       << "2" << "2";
        QTest::newRow("ConditionalSelect unbracketed selects nothing")
            << Lines{} << "ConditionalSelect(Cmd,SelectedIndexList)" << "" << "";
        QTest::newRow("ConditionalSelect") << Lines{} << "ConditionalSelect((oid=5),SelectedIndexList)"
                                           << "2" << "2";
        QTest::newRow("SpatialSelect Nearest") << Lines{} << "SpatialSelect(Nearest,SelectedIndexList)"
                                               << "4" << "4";
        QTest::newRow("SpatialSelect Interior") << Lines{} << "SpatialSelect(Interior,Null)" << ""
                                                << "3";
        QTest::newRow("SpatialSelect other word") << Lines{} << "SpatialSelect(Sideways,Null)" << ""
                                                  << "";
        QTest::newRow("SpatialIndexList Farthest") << Lines{} << "SpatialIndexList(Farthest)" << "5"
                                                   << "";
        QTest::newRow("SpatialIndexList Containor") << Lines{} << "SpatialIndexList(Containor)"
                                                    << "5" << "5";
        QTest::newRow("SpatialIndexList other word") << Lines{} << "SpatialIndexList(Nowhere)" << ""
                                                     << "";
    }
    void selection() {
        QFETCH(Lines, before);
        QFETCH(QString, formula);
        QFETCH(QString, result);
        QFETCH(QString, after);
        FormulaFixture f;
        f.SetScript(kScript);
        SelectLines(f, before);
        QStringList calls;
        f.engine.hooks.conditionalSelect = [&](const QString& c) {
            calls << QStringLiteral("cond ") + c;
            QVERIFY(f.editor.AutoAnswerYes());
            for (int i = 0; i < f.editor.List().Count(); ++i)
                if (f.Eval(i, QStringLiteral("Cond(") + c + QLatin1Char(')')) == QLatin1String("-1"))
                    f.editor.List().SetSelected(i, true);
        };
        f.engine.hooks.findExtreme = [&](const FormulaContext& ref, int mode) {
            calls << QStringLiteral("extreme %1 %2").arg(ref.commandWord).arg(mode);
            return ExtremeResult{mode == 1 ? 4 : 5, mode == 1 ? 1.5 : 9.0};
        };
        f.engine.hooks.spatialSelect = [&](const FormulaContext& ref, const QString& op) {
            calls << QStringLiteral("spatial %1 %2").arg(ref.commandWord, op);
            QVERIFY(f.editor.AutoAnswerYes());
            f.editor.List().SetSelected(op == QLatin1String("FindInterior") ? 3 : 5, true);
        };
        QCOMPARE(f.Eval(2, formula), result);
        QCOMPARE(f.SelectedList(), after);
        QVERIFY(!f.editor.AutoAnswerYes());
        if (formula.startsWith(QLatin1String("ConditionalSelect((")))
            QCOMPARE(calls, QStringList{"cond oid=5"});
        if (formula.contains(QLatin1String("Interior")))
            QCOMPARE(calls, QStringList{"spatial point FindInterior"});
        if (formula.contains(QLatin1String("Containor")))
            QCOMPARE(calls, QStringList{"spatial point FindObject"});
        if (formula.contains(QLatin1String("Farthest")))
            QCOMPARE(calls, QStringList{"extreme point 2"});
    }

    void storedIndexAndLumpInput() {
        FormulaFixture f;
        f.SetScript(kScript);
        QCOMPARE(f.Eval(2, QStringLiteral("PopIndex")), QStringLiteral("0"));
        f.editor.List().SetCurrent(3);
        QCOMPARE(f.Eval(2, QStringLiteral("PushIndex(Join(PopIndex,Cmd))")), QStringLiteral("3point"));
        QCOMPARE(f.engine.StoredIndex(), 3);
        QStringList lumps;
        f.engine.hooks.lumpInput = [&](const QString& e) { lumps << e; };
        QCOMPARE(f.Eval(2, QStringLiteral("LumpInput(str=Join(oid,gid))")), QString());
        QCOMPARE(lumps, QStringList{"str=Join(oid,gid)"});
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
            QTest::newRow(tag + " other fg") << f.arg(0) << QStringList{"5", "7", "7", "3"}
                                             << Lines{} << QStringList{"1", "1", "1", "1"};
            QTest::newRow(tag + " texts") << f.arg(1) << QStringList{"ab", "b", "c", "b"}
                                          << Lines{} << QStringList{"4", "2", "1", "2"};
            QTest::newRow(tag + " selected only")
                << f.arg(1) << QStringList{"5", "7", "9", "3"} << Lines{2, 4}
                << QStringList{"2", "1", "1", "2"};
        }
    }
    void rank() {
        QFETCH(QString, formula);
        QFETCH(QStringList, oids);
        QFETCH(Lines, selected);
        QFETCH(QStringList, ranks);
        FormulaFixture f;
        QStringList script{QStringLiteral("group gid=\"1\";")};
        for (const QString& oid : oids) script << Point(oid);
        script << QStringLiteral("// not a candidate");
        f.SetScript(script);
        SelectLines(f, selected);
        QStringList got;
        for (int i = 1; i <= oids.size(); ++i) got << f.Eval(i, formula);
        QCOMPARE(got, ranks);
    }

    // The kept values follow changes of the list: a changed line, a changed selection, lines
    // inserted and removed.
    void rankFollowsChanges() {
        FormulaFixture f;
        f.SetScript({Point("5"), Point("7"), Point("3")});
        const QString rank = QStringLiteral("Rank(oid,1)");
        QCOMPARE(f.Eval(0, rank), QStringLiteral("2"));
        KelList& list = f.editor.List();
        list.Replace(1, MakeListLine(f.editor.Texts(), Point("1"), 0));
        QCOMPARE(f.Eval(0, rank), QStringLiteral("1"));
        list.Insert(0, MakeListLine(f.editor.Texts(), Point("9"), 0));
        QCOMPARE(f.Eval(1, rank), QStringLiteral("2"));
        list.SetSelected(1, true);
        list.SetSelected(2, true);
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
        FormulaFixture f;
        constexpr int n = 3000;
        QStringList script;
        for (int i = 0; i < n; ++i) script << Point(QString::number((i * 7919) % n));
        f.SetScript(script);
        KelList& list = f.editor.List();
        const qint64 before = f.engine.EvaluationCount();
        for (int i = 0; i < n; ++i) {
            const QString r = f.Eval(i, QStringLiteral("Rank(oid,1)"));
            const BuiltStatement b =
                SetParamValue(f.editor.CommandTextAt(i), QStringLiteral("str"), r);
            list.Replace(i, MakeListLine(f.editor.Texts(), b.text, 0));
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

    void nextCandidate_data() {
        QTest::addColumn<bool>("selectedOnly");
        QTest::addColumn<bool>("figuresOnly");
        QTest::addColumn<Lines>("walk");
        QTest::newRow("all but group") << false << false << Lines{0, 2, 3, 4, 5, 6};
        QTest::newRow("figures") << false << true << Lines{2, 3, 4, 5};
        QTest::newRow("selected figures") << true << true << Lines{3, 5};
        QTest::newRow("selected figures and other commands") << true << false << Lines{0, 3, 5, 6};
    }
    void nextCandidate() {
        QFETCH(bool, selectedOnly);
        QFETCH(bool, figuresOnly);
        QFETCH(Lines, walk);
        FormulaFixture f;
        f.SetScript(kScript);
        SelectLines(f, {1, 3, 5, 6});
        Lines got;
        for (int j = f.engine.NextCandidate(-1, selectedOnly, figuresOnly); j != -1;
             j = f.engine.NextCandidate(j, selectedOnly, figuresOnly))
            got << j;
        QCOMPARE(got, walk);
        QCOMPARE(f.engine.NextCandidate(-2, false, false), -1);
        QCOMPARE(f.engine.NextCandidate(6, false, false), -1);
    }

    void inputFormula() {
        FormulaFixture f;
        f.SetScript(kScript);
        QSignalSpy shown(&f.engine, &FormulaEngine::CalcResultChanged);
        f.engine.InputFormula(QStringLiteral("Join(oid,x)"), 2);
        QCOMPARE(f.engine.CalcResult(), QStringLiteral("5x"));
        QCOMPARE(shown.size(), 1);
        QCOMPARE(f.editor.List().Current(), 2);
        QCOMPARE(f.engine.LastFormula(), QStringLiteral("Join(oid,x)"));
        QVERIFY(!f.editor.ListClickSuppressed());

        // Asked: the last formula is the default; the answer is trimmed.
        f.prompts().Type(QStringLiteral("  +(oid,1)  "));
        f.engine.InputFormula(QString(), 5);
        const PromptRecord& asked = f.prompts().Last();
        QCOMPARE(asked.prompt, QStringLiteral("計算式を入力してください\n") + QString(51, QLatin1Char('-')));
        QCOMPARE(asked.title, QStringLiteral("Input Formula"));
        QCOMPARE(asked.defaultText, QStringLiteral("Join(oid,x)"));
        QCOMPARE(f.engine.CalcResult(), QStringLiteral("4"));
        QCOMPARE(f.engine.LastFormula(), QStringLiteral("+(oid,1)"));
        QCOMPARE(f.editor.List().Current(), 5);
        QVERIFY(f.editor.UsageText().contains(QStringLiteral("[入力]")));

        // Cancelled: nothing changes.
        f.prompts().CancelInput();
        f.engine.InputFormula(QString(), 2);
        QCOMPARE(f.engine.CalcResult(), QStringLiteral("4"));
        QCOMPARE(f.editor.List().Current(), 5);
        QCOMPARE(shown.size(), 2);
    }

    void resultBox_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("formula");
        QTest::addColumn<QString>("result");
        QTest::newRow("whole re-evaluated") << "+(1,2)" << "ResultBox" << "3";
        QTest::newRow("0 is whole") << "+(1,2)" << "ResultBox(0)" << "3";
        QTest::newRow("element") << "+(1,2),Join(oid,b)" << "ResultBox(2)" << "5b";
        QTest::newRow("element beyond") << "a,b" << "ResultBox(3)" << "";
        QTest::newRow("negative element") << "a,b" << "ResultBox(-1)" << "";
    }
    void resultBox() {
        QFETCH(QString, box);
        QFETCH(QString, formula);
        QFETCH(QString, result);
        FormulaFixture f;
        f.SetScript(kScript);
        f.engine.SetCalcResult(box);
        QCOMPARE(f.Eval(2, formula), result);
    }

    void centerPos_data() {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<QString>("result");
        QTest::newRow("point: its position") << "CenterPos(2)" << "35/40/00.0,139/46/00.0";
        QTest::newRow("circle: its centre") << "CenterPos(4)" << "35/00/00.0,139/00/00.0";
        QTest::newRow("area: mean") << "CenterPos(5)" << "35/00/40.0,139/00/20.0";
        QTest::newRow("not a figure") << "CenterPos(1)" << "";
        QTest::newRow("outside the list") << "CenterPos(7)" << "";
    }
    void centerPos() {
        QFETCH(QString, formula);
        QFETCH(QString, result);
        FormulaFixture f;
        f.SetScript(kScript);
        QCOMPARE(f.Eval(2, formula), result);
    }
};

KEL_TEST(FormulaListTest);
#include "tst_FormulaList.moc"
