// Formulas that would overflow the stack, figures measured with the wrong values, and
// numbers outside their tables.
#include "FormulaFixture.h"
#include "TestMain.h"
#include "common/Values.h"
#include "geo/Geometry.h"
#include "list/ListLine.h"

using namespace kel;
using kel::test::FormulaFixture;
using kel::test::Lines;
using kel::test::Point;

namespace {
const QStringList kFaultsScript = {
    QStringLiteral("group gid=\"7\";"),
    QStringLiteral("circle oid=\"1\" pos=\"35/00/00.0,139/00/00.0\" r=\"1KM\";"),
    QStringLiteral("circle oid=\"2\" pos=\"35/10/00.0,139/00/00.0\" r=\"2KM\";"),
    QStringLiteral("rect oid=\"3\" pos=\"35/20/00.0,139/00/00.0\" width=\"2000\" height=\"1000\";"),
    QStringLiteral("line oid=\"4\" pos=\"35/00/00.0,139/00/00.0,35/00/00.0,139/01/00.0\";"),
};

// n nested calls of "+(1, ...)" around "1": the value is n + 1.
QString Nested(int n) {
    return QStringLiteral("+(1,").repeated(n) + QLatin1Char('1') + QString(n, QLatin1Char(')'));
}
}  // namespace

class FormulaFaultsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Nesting is bounded, whether written out or reached through the result box; below the
    // bound formulas evaluate normally.
    void depthIsBounded_data() {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("result");
        QTest::newRow("150 levels evaluate") << Nested(150) << "" << "151";
        QTest::newRow("20000 levels") << Nested(20000) << "" << kFormulaTooDeep;
        QTest::newRow("deep bracketed text is only text")
            << QString(5000, QLatin1Char('(')) + QStringLiteral("x") + QString(5000, QLatin1Char(')'))
            << "" << QString(4999, QLatin1Char('(')) + QStringLiteral("x") + QString(4999, QLatin1Char(')'));
        QTest::newRow("result box re-evaluated") << "ResultBox(0)" << "+(1,2)" << "3";
        QTest::newRow("result box element") << "ResultBox(2)" << "+(1,2),Join(oid,b)" << "1b";
        QTest::newRow("result box reaching itself") << "ResultBox" << "ResultBox" << kFormulaTooDeep;
        QTest::newRow("result box through an element")
            << "ResultBox(2)" << "a,Join(x,ResultBox(2))" << kFormulaTooDeep;
    }
    void depthIsBounded() {
        QFETCH(QString, formula);
        QFETCH(QString, box);
        QFETCH(QString, result);
        FormulaFixture f(kFaultsScript);
        f.engine.SetCalcResult(box);
        QCOMPARE(f.Eval(1, formula), result);
        QCOMPARE(f.engine.Depth(), 0);
        // The engine works normally afterwards.
        QCOMPARE(f.Eval(1, QStringLiteral("+(1,1)")), QStringLiteral("2"));
    }

    // What an evaluation changed before it was cut short is put back: selection, lines,
    // modified flag, counter and stored index.
    void cutShortEvaluationChangesNothing() {
        FormulaFixture f(kFaultsScript);
        KelList& list = f.editor.List();
        list.SetSelected(3, true);
        list.SetCurrent(2);
        const QStringList lines = list.Lines();
        {
            FormulaHooks hooks = f.engine.Hooks();
            hooks.lumpInput = [&](const QString&) {
                list.Replace(4, MakeListLine(f.editor.Texts(), Point(QStringLiteral("99")), 0));
                f.editor.SetEditFg(1);
            };
            f.engine.SetHooks(std::move(hooks));
        }
        f.engine.SetCalcResult(QStringLiteral(
            "IndexSelect(2,IndexDeSelect(3,Join(Inc(5),PushIndex(Join(LumpInput(x),ResultBox)))))"));
        QCOMPARE(f.Eval(1, QStringLiteral("ResultBox")), kFormulaTooDeep);
        QCOMPARE(list.Lines(), lines);
        QCOMPARE(f.Selected(), Lines{3});
        QCOMPARE(f.editor.EditFg(), 0);
        QCOMPARE(f.engine.FormulaCounter(), QString());
        QCOMPARE(f.engine.StoredIndex(), 0);
        QCOMPARE(list.Current(), 2);
        // The same changes stand when the evaluation completes.
        f.engine.SetCalcResult(QStringLiteral("x"));
        QCOMPARE(f.Eval(1, QStringLiteral("IndexSelect(2,Join(Inc(5),PushIndex(ResultBox)))")),
                 QStringLiteral("5x"));
        QCOMPARE(f.Selected(), (Lines{2, 3}));
        QCOMPARE(f.engine.StoredIndex(), 2);
    }

    // A selection run by an operation is put back as well, together with single changes
    // made before and after it.
    void cutShortSelectionIsPutBack() {
        FormulaFixture f(kFaultsScript);
        KelList& list = f.editor.List();
        list.SetSelected(1, true);
        {
            FormulaHooks hooks = f.engine.Hooks();
            hooks.conditionalSelect = [&](const QString&) {
                for (int i = 0; i < list.Count(); ++i) list.SetSelected(i, i % 2 == 0);
            };
            f.engine.SetHooks(std::move(hooks));
        }
        const QString formula =
            QStringLiteral("IndexSelect(3,IndexDeSelect(1,ConditionalSelect((x),IndexSelect(1,") +
            Nested(300) + QStringLiteral("))))");
        QCOMPARE(f.Eval(1, formula), kFormulaTooDeep);
        QCOMPARE(f.Selected(), Lines{1});
        QCOMPARE(f.Eval(1, QStringLiteral("IndexSelect(3,ConditionalSelect((x),SelectedIndexList))")),
                 QStringLiteral("0,2,4"));
    }

    // Each figure is measured with its own r, width and height, whatever command the
    // parameter editor holds.
    void ownMeasures() {
        FormulaFixture f(kFaultsScript);
        f.editor.ClickLine(1);  // the 1 km circle is loaded in the parameter editor
        QCOMPARE(f.Eval(2, QStringLiteral("Areas")), NumText(kPi * 4));  // the 2 km circle
        QCOMPARE(f.Eval(3, QStringLiteral("Length")), QStringLiteral("6"));  // a one-corner rect
        QCOMPARE(f.Eval(1, QStringLiteral("IndexRefer(2,Areas)")), NumText(kPi * 4));
    }

    void distanceTakesEachFigure() {
        FormulaFixture f(kFaultsScript);
        QStringList seen;
        FormulaHooks hooks;
        hooks.figureDistance = [&](const QString& t1, const QString& w1, const QString& t2,
                                            const QString& w2) -> std::optional<double> {
            seen << w1 + QLatin1Char(' ') + GetParamValue(t1, QStringLiteral("r")) + QLatin1Char('/') +
                        w2 + QLatin1Char(' ') + GetParamValue(t2, QStringLiteral("r"));
            return 12.5;
        };
        hooks.findExtreme = [](const FormulaContext&, Extreme which) {
            return ExtremeResult{3, which == Extreme::Nearest ? 0.25 : 40.0};
        };
        f.engine.SetHooks(std::move(hooks));
        f.editor.ClickLine(3);
        QCOMPARE(f.Eval(2, QStringLiteral("Distance(1,2)")), QStringLiteral("12.5"));
        QCOMPARE(f.Eval(2, QStringLiteral("Distance(0,1)")), QStringLiteral("12.5"));
        QCOMPARE(seen, (QStringList{"circle 1KM/circle 2KM", "circle 2KM/circle 1KM"}));
        QCOMPARE(f.Eval(2, QStringLiteral("Distance(Nearest)")), QStringLiteral("0.25"));
        QCOMPARE(f.Eval(2, QStringLiteral("Distance(Farthest)")), QStringLiteral("40"));
        QCOMPARE(f.editor.List().Current(), 3);
    }

    void outsideTables_data() {
        QTest::addColumn<QString>("formula");
        QTest::newRow("SelectedFg beyond") << "SelectedFg(99)";
        QTest::newRow("IndexRefer negative") << "IndexRefer(-1,oid)";
        QTest::newRow("CenterPos beyond") << "CenterPos(99)";
        QTest::newRow("Distance beyond") << "Distance(1,99)";
        QTest::newRow("element beyond the limit") << "pos(1025)";
        QTest::newRow("ResultBox beyond the limit") << "ResultBox(5000)";
        QTest::newRow("IndexDeSelect beyond") << "IndexDeSelect((-5,99),Null)";
    }
    void outsideTables() {
        QFETCH(QString, formula);
        FormulaFixture f(kFaultsScript);
        {
            FormulaHooks hooks = f.engine.Hooks();
            hooks.figureDistance = [](const QString&, const QString&, const QString&,
                                               const QString&) { return std::optional<double>(1.0); };
            f.engine.SetHooks(std::move(hooks));
        }
        f.engine.SetCalcResult(QStringLiteral("a,b"));
        f.editor.List().SetSelected(2, true);
        const QStringList lines = f.editor.List().Lines();
        QCOMPARE(f.Eval(1, formula), QString());
        QCOMPARE(f.editor.List().Lines(), lines);
        QCOMPARE(f.Selected(), Lines{2});
    }

    // Rows outside 0..10240 and cells beyond column 16 are ignored, never written past the
    // table; a cell that looks itself up is cut short.
    void dataFileLimits() {
        FormulaFixture f(kFaultsScript);
        QStringList wide{QStringLiteral("2")};
        for (int c = 2; c <= 40; ++c) wide << QStringLiteral("c%1").arg(c);
        const QString path = f.dir.filePath(QStringLiteral("limits.txt"));
        QVERIFY(WriteTextFile(path, {QStringLiteral("1,a,b"), QStringLiteral("20000,x,y"),
                                     QStringLiteral("-3,z"), wide.join(QLatin1Char(',')),
                                     QStringLiteral("10240,last"),
                                     QStringLiteral("3,File(") + path + QStringLiteral(",3,2)"),
                                     QStringLiteral("1e9,huge")})
                    .ok);
        const auto file = [&](const char* rowCol) {
            return f.Eval(1, QStringLiteral("File(") + path + QLatin1Char(',') +
                                 QString::fromLatin1(rowCol) + QLatin1Char(')'));
        };
        QCOMPARE(file("1,2"), QStringLiteral("a"));
        QCOMPARE(file("2,16"), QStringLiteral("c16"));
        QCOMPARE(file("2,17"), QString());
        QCOMPARE(file("10240,2"), QStringLiteral("last"));
        QCOMPARE(file("20000,2"), QString());
        QCOMPARE(f.engine.DataFile().LineCount(), 7);
        QCOMPARE(file("3,2"), kFormulaTooDeep);
        QCOMPARE(file("0,0"), QStringLiteral("1e9,huge"));
    }
};

KEL_TEST(FormulaFaultsTest);
#include "tst_FormulaFaults.moc"
