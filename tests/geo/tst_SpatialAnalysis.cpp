#include "SpatialTestUtil.h"
#include "TestMain.h"
#include "geo/FigureSource.h"
#include "formula/FormulaHooks.h"
#include "geo/SpatialAnalysis.h"
#include "geo/SpatialHooks.h"
#include "platform/Prompts.h"

using namespace kel;
using namespace kel::test;

namespace {

const QString kRect = Pos({{35.0, 135.0}, {35.1, 135.1}});

// 0 a rect, 1 a line, 2 a point inside the rect, 3 a point outside, 4 a circle of 1 km
// around (35.2,135.2), 5 a point 0.5 km north of that circle's centre, 6 a comment. From
// the circle, 3 is 6 km away, 0 and 1 13 km, 2 20 km.
QStringList Script() {
    return {
        Cmd("rect", kRect),
        Cmd("line", Pos({{35.3, 135.3}, {35.4, 135.4}})),
        Cmd("point", Pos({{35.05, 135.05}})),
        Cmd("point", Pos({{35.25, 135.15}})),
        Cmd("circle", Pos({{35.2, 135.2}}), "r=\"1km\""),
        Cmd("point", Pos({{35.2045, 135.2}})),
        QStringLiteral("// a comment"),
    };
}

void MenuRow(const char* name, const char* action, int current, int answer,
             bool askedForCurrent, bool opened, const QList<int>& selected) {
    QTest::newRow(name) << QString(action) << current << answer << askedForCurrent << opened
                        << selected;
}

struct SpatialFixture : EditorFixture {
    ScriptedFigureSource source;
    SpatialState state{&source};
    SpatialFixture() {
        SetCommands(editor, Script());
        InstallSpatialActions(editor, state);
    }
    void MakeCurrent(int i) { editor.List().SetCurrent(i); }
};

}  // namespace

class SpatialAnalysisTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void questions() {
        QCOMPARE(SpatialQuestion(kFindInterior, "rect"),
                 QString::fromUtf8("カレント図形([rect])で空間解析を行ないます\n"
                                   "（重心がこの図形の内側にある図形を選択します）"));
        QCOMPARE(SpatialQuestion(kFindExterior, "circle"),
                 QString::fromUtf8("カレント図形([circle])で空間解析を行ないます\n"
                                   "（重心がこの図形の外側にある図形を選択します）"));
        QCOMPARE(SpatialQuestion(kFindObject, ""),
                 QString::fromUtf8("今から入力する図形で空間解析を行ないます\n"
                                   "（この図形の重心を内包する図形を選択します）\n"
                                   "[Getpos]窓のコマンド名(rect)をクリックすると図形を変更できます"));
    }

    // Menu item, current line, answer -> question asked, position editor opened, selection.
    void menuRuns_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("askedForCurrent");
        QTest::addColumn<bool>("opened");
        QTest::addColumn<QList<int>>("selected");
        MenuRow("interior of the current rect", "MenuExecFindInterior", 0, kAnswerYes, true,
                false, {0, 2});
        MenuRow("answered No", "MenuExecFindInterior", 0, kAnswerNo, true, false, {});
        MenuRow("exterior of the current circle, with its r", "MenuExecFindExterior", 4,
                kAnswerYes, true, false, {0, 1, 2, 3});
        MenuRow("container of the current point", "MenuExecFindContainer", 2, kAnswerYes, true,
                false, {0});
        MenuRow("a current line asks for a figure", "MenuExecFindInterior", 1, kAnswerYes, false,
                true, {});
        MenuRow("no current line asks for a figure", "MenuExecFindExterior", -1, kAnswerYes,
                false, true, {});
        MenuRow("no figure drawn on No", "MenuExecFindExterior", 1, kAnswerNo, false, false, {});
    }
    void menuRuns() {
        QFETCH(QString, action);
        QFETCH(int, current);
        QFETCH(int, answer);
        QFETCH(bool, askedForCurrent);
        QFETCH(bool, opened);
        QFETCH(QList<int>, selected);
        SpatialFixture f;
        f.MakeCurrent(current);
        f.prompts().Answer(answer);
        QVERIFY(f.editor.RunAction(action));
        QCOMPARE(f.prompts().Asked().size(), 1);
        const PromptRecord& q = f.prompts().Last();
        QCOMPARE(q.title, QStringLiteral("Spatial Analysis"));
        QCOMPARE(q.buttons, kButtonsYesNo);
        QCOMPARE(q.prompt.startsWith(QString::fromUtf8("カレント図形([")), askedForCurrent);
        QCOMPARE(f.source.Openings().size(), size_t(opened ? 1 : 0));
        if (opened) {
            QCOMPARE(f.source.Openings()[0].figureType, QStringLiteral("rect"));
            QCOMPARE(f.source.Openings()[0].posText, QStringLiteral(" "));
        }
        QCOMPARE(SelectedList(f.editor), selected);
        QCOMPARE(f.editor.List().Current(), current);
    }

    // The figure drawn in the position editor runs the operation that asked for it.
    void drawnFigureRunsThePendingOperation() {
        SpatialFixture f;
        f.MakeCurrent(1);
        f.prompts().Answer(kAnswerYes);
        f.editor.RunAction("MenuExecFindExterior");
        QVERIFY(f.source.Waiting());
        QCOMPARE(f.state.PendingOperation(), kFindExterior);
        QVERIFY(f.source.Confirm("circle2", Pos({{35.19, 135.2}, {35.21, 135.2}})));
        QCOMPARE(f.state.PendingOperation(), QString());
        QCOMPARE(SelectedList(f.editor), (QList<int>{0, 1, 2, 3}));
        // A circle1 handed back at once finds its containers.
        f.editor.ClearSelection();
        f.MakeCurrent(-1);
        f.source.HandBack("circle1", Pos({{35.05, 135.05}, {35.06, 135.05}}));
        f.editor.RunAction("MenuExecFindContainer");
        QCOMPARE(SelectedList(f.editor), (QList<int>{0}));
    }

    // Without a position editor nothing is drawn and nothing selected.
    void withoutFigureSource() {
        EditorFixture f;
        SpatialState state;
        SetCommands(f.editor, Script());
        f.editor.List().SetCurrent(1);
        f.prompts().Answer(kAnswerYes);
        StartSpatialAnalysis(f.editor, state, kFindInterior);
        QCOMPARE(state.PendingOperation(), QString());
        QCOMPARE(f.editor.List().SelectedCount(), 0);
    }

    void fullOverlapSwitch() {
        SpatialFixture f;
        QStringList captions;
        QObject::connect(&f.state, &SpatialState::CaptionChanged, [&](const QString& c) { captions << c; });
        QCOMPARE(f.state.FullOverlapMenuCaption(), "[OFF]Full Orverlap(&F)");
        // With the switch on, a line half inside is not interior.
        SetCommands(f.editor, {Cmd("rect", kRect),
                               Cmd("line", Pos({{35.05, 135.05}, {35.2, 135.2}}))});
        f.MakeCurrent(0);
        f.editor.SetAutoAnswerYes(true);
        f.editor.RunAction("MenuExecSpatialFg");
        QVERIFY(f.state.FullOverlap());
        f.editor.RunAction("MenuExecFindInterior");
        QCOMPARE(SelectedList(f.editor), (QList<int>{0}));
        f.editor.RunAction("MenuExecSpatialFg");
        QVERIFY(!f.state.FullOverlap());
        f.editor.RunAction("MenuExecFindInterior");
        QCOMPARE(SelectedList(f.editor), (QList<int>{0, 1}));
        QCOMPARE(captions, (QStringList{"[ON]Full Orverlap(&F)", "[OFF]Full Orverlap(&F)"}));
        QCOMPARE(f.prompts().Asked().size(), 0);
    }

    // The formula's hooks: no question, no position editor, the current line kept.
    void formulaHooks() {
        SpatialFixture f;
        FormulaHooks hooks;
        InstallSpatialFormulaHooks(hooks, f.editor, f.state);
        f.MakeCurrent(6);
        QCOMPARE(SpatialSelect(f.editor, f.state, kFindInterior, f.editor.CommandTextAt(1)),
                 std::vector<int>{});  // a line is no reference
        const FormulaContext circle{4.4, f.editor.CommandTextAt(4), "circle"};
        const ExtremeResult near = hooks.findExtreme(circle, Extreme::Nearest);
        QCOMPARE(near.index, 5);
        QCOMPARE(near.distance_km, 0.0);
        QCOMPARE(hooks.findExtreme(circle, Extreme::Farthest).index, 2);
        hooks.spatialSelect(circle, kFindInterior);
        QCOMPARE(SelectedList(f.editor), (QList<int>{4, 5}));
        const std::optional<double> d = hooks.figureDistance(
            f.editor.CommandTextAt(2), "point", f.editor.CommandTextAt(3), "point");
        QVERIFY(d && *d > 5 && *d < 30);
        QCOMPARE(f.editor.List().Current(), 6);
        QCOMPARE(f.prompts().Asked().size(), 0);
        QCOMPARE(f.source.Openings().size(), size_t(0));
    }

    void nearestAndFarthest_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("current");
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<int>("winner");
        const QString nearest = "MenuExecFindNearest", farthest = "MenuExecFindFarthest";
        QTest::newRow("nearest to the circle") << nearest << 4 << QList<int>{} << 5;
        QTest::newRow("farthest from the circle") << farthest << 4 << QList<int>{} << 2;
        QTest::newRow("nearest among the selected") << nearest << 4 << QList<int>{0, 1, 3} << 3;
        QTest::newRow("a comment finds nothing") << nearest << 6 << QList<int>{} << 6;
    }
    void nearestAndFarthest() {
        QFETCH(QString, action);
        QFETCH(int, current);
        QFETCH(QList<int>, selected);
        QFETCH(int, winner);
        SpatialFixture f;
        f.editor.ClickLine(current);
        for (int i : selected) f.editor.List().SetSelected(i, true);
        QVERIFY(f.editor.RunAction(action));
        QCOMPARE(f.editor.List().Current(), winner);
        QCOMPARE(f.editor.Params().kelListNCaption, QString::number(winner));
        QCOMPARE(SelectedList(f.editor), selected);
    }

    // From a formula the current line stays; the first of equal distances wins; a reference
    // without positions or an unknown mode finds nothing.
    void findExtremeKeepsTheCurrentLine() {
        EditorFixture f;
        SetCommands(f.editor, {Cmd("point", Pos({{35, 135}})), Cmd("point", Pos({{35, 135.01}})),
                               Cmd("point", Pos({{35, 135.01}})), Cmd("point", QString())});
        f.editor.List().SetCurrent(3);
        QCOMPARE(FindExtreme(f.editor, f.editor.CommandTextAt(0), 0, Extreme::Nearest).index, 1);
        QCOMPARE(FindExtreme(f.editor, f.editor.CommandTextAt(3), 3, Extreme::Nearest).index, -1);
        QCOMPARE(FindExtreme(f.editor, f.editor.CommandTextAt(0), 0, Extreme(3)).index, -1);
        QCOMPARE(f.editor.List().Current(), 3);
    }
};

KEL_TEST(SpatialAnalysisTest);
#include "tst_SpatialAnalysis.moc"
