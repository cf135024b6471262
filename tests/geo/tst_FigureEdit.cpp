// Figure edits through the editor: the snap button's modes and captions, plain snap, move,
// divide, combine, Join Pos and the centre figures, checked on the list, the text store,
// the questions asked and the shapes on the (recording) map.
#include <cmath>

#include "FigureEditFixture.h"
#include "TestMain.h"
#include "geo/PosList.h"

using namespace kel;
using kel::test::Figure;
using kel::test::FigureEditFixture;

namespace {

// A line A-B-C: A and B on one parallel 10" apart, C 10" north of B.
const QString kA = QStringLiteral("35/40/00.0,139/40/00.0");
const QString kB = QStringLiteral("35/40/00.0,139/40/10.0");
const QString kC = QStringLiteral("35/40/10.0,139/40/10.0");
const QString kLineAbc = kA + QLatin1Char(',') + kB + QLatin1Char(',') + kC;
// A point well away from the line.
const QString kFar = QStringLiteral("35/41/00.0,139/41/00.0");

QString LineAbc(const QString& more = QStringLiteral("str=\"road\" info=\"i\"")) {
    return Figure(QStringLiteral("line"), QStringLiteral("L"), kLineAbc, more);
}

// Whether two `pos` values hold the same positions (within 0.01 second of arc): computed
// positions are written by the coordinate writer, which may give 35/40/60.0 for 35/41/00.0.
bool SamePositions(const QString& actual, const QString& expected) {
    const PosDegrees a = ParsePosDegrees(actual), e = ParsePosDegrees(expected);
    if (a.count() != e.count()) return false;
    for (size_t i = 0; i < a.lat.size(); ++i)
        if (std::abs(a.lat[i] - e.lat[i]) > 0.01 / 3600 ||
            std::abs(a.lon[i] - e.lon[i]) > 0.01 / 3600)
            return false;
    return true;
}

// The one question asked, and its window title.
void CheckAsked(FigureEditFixture& f, const QString& prompt, const QString& title) {
    QCOMPARE(f.prompts().Asked().size(), 1);
    QCOMPARE(f.prompts().Asked()[0].prompt, prompt);
    QCOMPARE(f.prompts().Asked()[0].title, title);
}

}  // namespace

class FigureEditTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void menuItemsArmTheirModes_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("caption");
        QTest::newRow("move") << "KelEditFigureMove" << "Org";
        QTest::newRow("divide") << "KelEditFigureDivide" << "Div";
        QTest::newRow("combine") << "KelEditFigureConbine" << "Snp1";
    }
    void menuItemsArmTheirModes() {
        QFETCH(QString, item);
        QFETCH(QString, caption);
        FigureEditFixture f;
        QCOMPARE(f.state.Caption(), QStringLiteral("Snap"));
        // Another mode armed first is set off.
        QVERIFY(f.Run("KelEditFigureMove") && f.Run("KelEditFigureConbine") && f.Run(item));
        QCOMPARE(f.state.Caption(), caption);
        QCOMPARE(f.captions.last(), caption);
        QVERIFY(f.Run("MenuEditSnapFind"));
        QCOMPARE(f.state.Caption(), QStringLiteral("Snap"));
        QCOMPARE(f.captions.last(), QStringLiteral("Snap"));
    }

    void plainSnapWalksOnFromTheCurrentEntry() {
        FigureEditFixture f;
        f.Fill({"// sights", Figure("point", "P1", kA), Figure("point", "Far", kFar),
                Figure("circle", "C1", kA, "r=\"100m\""), "disp all;"},
               0);
        // Two figures under the mark: each click makes the next one current, round the end.
        QList<int> found;
        for (int k = 0; k < 3; ++k) {
            f.ClickAt("35/40/00.3", "139/40/00.0");
            found << f.editor.List().Current();
            QCOMPARE(f.editor.Params().kelListNCaption.toInt(), found.last());
        }
        QCOMPARE(found, (QList<int>{1, 3, 1}));
        QCOMPARE(f.editor.List().SelectedCount(), 0);
        // The current-figure display was switched on once and then run off and on.
        QCOMPARE(f.dispClicks, 5);
        QCOMPARE(f.editor.DispCaption(), QStringLiteral("ON"));
        QCOMPARE(f.state.Caption(), QStringLiteral("Snap"));
    }

    void snapSelectSelectsAndEndsAnArmedEdit() {
        FigureEditFixture f;
        f.Fill({Figure("point", "P1", kFar), Figure("point", "P2", kA)}, 0);
        f.Run("KelEditFigureMove");
        f.MarkAt("35/40/00.0", "139/40/00.0");
        f.Run("MenuEditSnapSelect");
        QCOMPARE(f.state.Caption(), QStringLiteral("Snap"));
        QCOMPARE(f.editor.List().Current(), 1);
        QCOMPARE(f.editor.List().SelectedIndexes(), std::vector<int>{1});
    }

    void plainSnapFindsNothingAwayFromFigures() {
        FigureEditFixture f;
        f.Fill({Figure("point", "P1", kFar), LineAbc()}, 0);
        // One second of latitude (about 31 m) is beyond the marker size of 20 m.
        f.ClickAt("35/40/01.0", "139/40/05.0");
        QCOMPARE(f.editor.List().Current(), 0);
        QCOMPARE(f.dispClicks, 0);
        f.mark.Set(QString(), QString());  // no mark on the map
        QCOMPARE(PlainSnap(f.editor, f.state, false), -1);
        f.ClickAt("35/40/00.3", "139/40/05.0");  // on the line's side
        QCOMPARE(f.editor.List().Current(), 1);
    }

    void moveShiftsTheFigureFromOriginToDestination_data() {
        QTest::addColumn<QString>("dstLat");
        QTest::addColumn<QString>("dstLon");
        QTest::addColumn<QString>("moved");
        // Picked at node B; the destination is the mark, 30" north and east of B.
        QTest::newRow("to the mark") << "35/40/30.0" << "139/40/40.0"
                                     << "35/40/30.0,139/40/30.0,35/40/30.0,139/40/40.0,"
                                        "35/40/40.0,139/40/40.0";
        // A mark near the far point snaps the destination onto it.
        QTest::newRow("onto another figure's node") << "35/41/00.5" << "139/41/00.5"
                                                    << "35/41/00.0,139/40/50.0,35/41/00.0,"
                                                       "139/41/00.0,35/41/10.0,139/41/00.0";
    }
    void moveShiftsTheFigureFromOriginToDestination() {
        QFETCH(QString, dstLat);
        QFETCH(QString, dstLon);
        QFETCH(QString, moved);
        FigureEditFixture f;
        f.Fill({LineAbc(), Figure("point", "Far", kFar)}, 1);
        const int oldFigure = f.FigureOf(0);
        f.Run("KelEditFigureMove");
        f.ClickAt("35/40/00.0", "139/40/10.0");
        QCOMPARE(f.state.Caption(), QStringLiteral("Dst"));
        QStringList drawn;
        for (const auto& c : f.figures.Calls())
            if (c.style != kStyleDel) drawn << c.style;
        QCOMPARE(drawn, (QStringList{"Snap", "SnapNode"}));
        QCOMPARE(f.editor.EditFg(), 0);

        f.prompts().Answer(kAnswerYes);
        f.ClickAt(dstLat, dstLon);
        CheckAsked(f, QStringLiteral("選択図形を移動しますか？"), QStringLiteral("Move"));
        QVERIFY2(SamePositions(f.PosAt(0), moved), qPrintable(f.PosAt(0)));
        QCOMPARE(f.ParamAt(0, "str"), QStringLiteral("road"));
        QCOMPARE(f.editor.EditFg(), 1);
        QCOMPARE(f.editor.List().Current(), 0);
        QCOMPARE(f.state.Caption(), QStringLiteral("Snap"));
        // The old shape and the highlights are gone; the moved line and the point are shown.
        QVERIFY(!f.Shown(oldFigure));
        QVERIFY(f.Shown(f.FigureOf(0)));
        QCOMPARE(f.figures.Shown().size(), size_t(2));
    }

    void moveAnsweredNoOrWithoutAFigureChangesNothing() {
        FigureEditFixture f;
        f.Fill({LineAbc(), Figure("point", "Far", kFar)}, 1);
        const QStringList before = f.Texts();
        f.Run("KelEditFigureMove");
        f.ClickAt("35/40/30.0", "139/40/30.0");  // nothing under the mark: still armed
        QCOMPARE(f.state.Caption(), QStringLiteral("Org"));
        QVERIFY(f.figures.Calls().empty());
        f.ClickAt("35/40/00.0", "139/40/00.0");
        QCOMPARE(f.state.Caption(), QStringLiteral("Dst"));
        f.prompts().Answer(kAnswerNo);
        f.ClickAt("35/40/30.0", "139/40/30.0");
        QCOMPARE(f.Texts(), before);
        QCOMPARE(f.editor.EditFg(), 0);
        QCOMPARE(f.state.Caption(), QStringLiteral("Snap"));
        QCOMPARE(f.figures.Shown().size(), size_t(2));  // highlights removed
    }

    void moveKeepsEditsTypedIntoTheValueBoxes() {
        FigureEditFixture f;
        f.Fill({LineAbc()}, 0);
        f.editor.SetParValue(4, QStringLiteral("typed"));  // str, not yet applied
        f.Run("KelEditFigureMove");
        f.ClickAt("35/40/00.0", "139/40/00.0");
        f.prompts().Answer(kAnswerYes);
        f.ClickAt("35/40/01.0", "139/40/00.0");
        QCOMPARE(f.ParamAt(0, "str"), QStringLiteral("typed"));
        QVERIFY(f.PosAt(0).startsWith(QStringLiteral("35/40/01.0,139/40/00.0,")));
        QCOMPARE(f.editor.Params().rows[3].value, QStringLiteral("typed"));
        QCOMPARE(f.editor.Params().rows[2].value, f.PosAt(0));
    }

    void secondStepIsDroppedWhenTheKeptFigureWasRemoved() {
        FigureEditFixture f;
        f.Fill({LineAbc(), Figure("point", "Far", kFar)}, 0);
        f.Run("KelEditFigureMove");
        f.ClickAt("35/40/00.0", "139/40/00.0");
        f.Run("CmdCut");  // the line leaves the list
        const QStringList before = f.Texts();
        f.ClickAt("35/40/30.0", "139/40/30.0");
        QVERIFY(f.prompts().Asked().isEmpty());
        QCOMPARE(f.Texts(), before);
        QCOMPARE(f.state.Caption(), QStringLiteral("Snap"));
    }

    void clearingTheDocumentResetsModesAndHighlights() {
        FigureEditFixture f;
        f.Fill({LineAbc()}, 0);
        f.Run("KelEditFigureMove");
        f.ClickAt("35/40/00.0", "139/40/00.0");
        QCOMPARE(f.figures.Shown().size(), size_t(3));
        f.Run("MenuFileClear");
        QCOMPARE(f.state.Caption(), QStringLiteral("Snap"));
        QVERIFY(f.figures.Shown().empty());
        QCOMPARE(f.state.snapFigure, 0);
    }

    void divideCutsTheLineInTwo_data() {
        QTest::addColumn<QString>("markLon");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::newRow("at node B: both lines share it")
            << "139/40/10.0" << kA + "," + kB << kB + "," + kC;
        QTest::newRow("on the side A-B") << "139/40/05.0" << kA + ",35/40/00.0,139/40/05.0"
                                         << "35/40/00.0,139/40/05.0," + kB + "," + kC;
    }
    void divideCutsTheLineInTwo() {
        QFETCH(QString, markLon);
        QFETCH(QString, first);
        QFETCH(QString, second);
        FigureEditFixture f;
        f.Fill({LineAbc("str=\"road\" strformat=\"right\" url=\"http://x\" urltype=\"1\" "
                        "info=\"i\""),
                Figure("point", "Far", kFar)},
               1);
        const int oldFigure = f.FigureOf(0);
        f.Run("KelEditFigureDivide");
        f.prompts().Answer(kAnswerYes);
        f.ClickAt("35/40/00.0", markLon);
        QCOMPARE(f.prompts().Asked().size(), 1);
        QCOMPARE(f.prompts().Asked()[0].prompt, QStringLiteral("選択図形を分割しますか？"));
        QCOMPARE(f.editor.List().Count(), 3);
        QCOMPARE(f.PosAt(0), first);
        QCOMPARE(f.PosAt(1), second);
        QCOMPARE(CommandWord(f.TextAt(1)), QStringLiteral("line"));
        for (const char* name : {"oid", "gid", "str", "strformat", "url", "urltype", "info"})
            QCOMPARE(f.ParamAt(1, name), f.ParamAt(0, name));
        QCOMPARE(f.ParamAt(1, "url"), QStringLiteral("http://x"));
        QCOMPARE(f.ParamAt(2, "oid"), QStringLiteral("Far"));
        QVERIFY(!f.Shown(oldFigure));
        QVERIFY(f.Shown(f.FigureOf(0)) && f.Shown(f.FigureOf(1)) && f.Shown(f.FigureOf(2)));
        QCOMPARE(f.figures.Shown().size(), size_t(3));
        QCOMPARE(f.editor.EditFg(), 1);
        QCOMPARE(f.state.Caption(), QStringLiteral("Snap"));
        // The current entry (the point) moved down with its line and is still the one loaded.
        QCOMPARE(f.editor.List().Current(), 2);
        QCOMPARE(f.editor.Params().kelListNCaption, QStringLiteral("2"));
    }

    void divideDoesNothingWhereItCannotCut_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("markLat");
        QTest::addColumn<QString>("markLon");
        QTest::newRow("first node") << LineAbc() << "35/40/00.0" << "139/40/00.0";
        QTest::newRow("an area") << Figure("area", "A", kLineAbc) << "35/40/00.0" << "139/40/05.0";
        QTest::newRow("nothing near") << LineAbc() << "35/40/30.0" << "139/40/30.0";
    }
    void divideDoesNothingWhereItCannotCut() {
        QFETCH(QString, text);
        QFETCH(QString, markLat);
        QFETCH(QString, markLon);
        FigureEditFixture f;
        f.Fill({text}, 0);
        f.Run("KelEditFigureDivide");
        f.ClickAt(markLat, markLon);
        QVERIFY(f.prompts().Asked().isEmpty());
        QCOMPARE(f.Texts(), QStringList{text});
        QCOMPARE(f.editor.EditFg(), 0);
        QCOMPARE(f.state.Caption(), QStringLiteral("Div"));  // still armed
    }

    void divideLeavesTheListAsItWasWhenTheStoreIsFull() {
        FigureEditFixture f;
        f.Fill({LineAbc()}, 0);
        // Room for one more text: the second part fits, the first no longer does.
        f.editor.Texts().SetCapacity(f.editor.Texts().LastTextSlot() + 1);
        const QStringList before = f.Texts();
        f.Run("KelEditFigureDivide");
        f.prompts().Answer(kAnswerYes);
        f.prompts().SetDefaultMessageAnswer(kAnswerOk);
        f.ClickAt("35/40/00.0", "139/40/10.0");
        QCOMPARE(f.Texts(), before);
        QCOMPARE(f.prompts().Asked().last().title, QStringLiteral("Limit"));
        QCOMPARE(f.figures.Shown(), std::vector<int>{f.FigureOf(0)});
    }

    void combineJoinsTwoLinesAtTheirEnds_data() {
        QTest::addColumn<QString>("firstLon");  // mark on the first line's end
        QTest::addColumn<QString>("second");    // the second figure
        QTest::addColumn<QString>("secondLon");  // mark on its end, at 35/40/30.0
        QTest::addColumn<QString>("joined");
        const QString l2 = "35/40/30.0,139/40/00.0,35/40/30.0,139/40/10.0";
        QTest::newRow("last node, then first node")
            << "139/40/10.0" << Figure("line", "L2", "> " + l2) << "139/40/00.0"
            << "< " + kA + "," + kB + "," + l2;
        // Snapped at node 1 the first line is reversed and its "<" becomes ">".
        QTest::newRow("first reversed") << "139/40/00.0" << Figure("line", "L2", l2)
                                        << "139/40/00.0" << "> " + kB + "," + kA + "," + l2;
        QTest::newRow("second taken backwards")
            << "139/40/10.0" << Figure("line", "L2", l2) << "139/40/10.0"
            << "< " + kA + "," + kB + ",35/40/30.0,139/40/10.0,35/40/30.0,139/40/00.0";
        QTest::newRow("a point") << "139/40/10.0" << Figure("point", "P", "35/40/30.0,139/40/00.0")
                                 << "139/40/00.0" << "< " + kA + "," + kB + ",35/40/30.0,139/40/00.0";
    }
    void combineJoinsTwoLinesAtTheirEnds() {
        QFETCH(QString, firstLon);
        QFETCH(QString, second);
        QFETCH(QString, secondLon);
        QFETCH(QString, joined);
        FigureEditFixture f;
        f.Fill({Figure("line", "L1", "<" + kA + "," + kB, "str=\"first\" info=\"one\""), second},
               0);
        const int secondFigure = f.FigureOf(1);
        f.Run("KelEditFigureConbine");
        f.ClickAt("35/40/00.0", firstLon);
        QCOMPARE(f.state.Caption(), QStringLiteral("Snp2"));
        f.prompts().Answer(kAnswerYes);
        f.ClickAt("35/40/30.0", secondLon);
        CheckAsked(f, QStringLiteral("選択図形を端点で接続しますか？"), QStringLiteral("Conbine"));
        QCOMPARE(f.PosAt(0), joined);
        QCOMPARE(f.ParamAt(0, "oid"), QStringLiteral("L1"));
        QCOMPARE(f.ParamAt(0, "info"), QStringLiteral("one"));
        // The second entry stays in the list with its values; its shape is gone.
        QCOMPARE(f.editor.List().Count(), 2);
        QCOMPARE(f.TextAt(1), second);
        QCOMPARE(f.FigureOf(1), 0);
        QVERIFY(!f.Shown(secondFigure));
        QCOMPARE(f.figures.Shown(), std::vector<int>{f.FigureOf(0)});
        QCOMPARE(f.editor.EditFg(), 1);
        QCOMPARE(f.state.Caption(), QStringLiteral("Snap"));
    }

    // The first step takes a line's end only; the second a line's end or a point, not the
    // kept line itself.
    void combineWaitsForAFigureSnappedAtAnEnd_data() {
        QTest::addColumn<QString>("lat1");
        QTest::addColumn<QString>("lon1");
        QTest::addColumn<QString>("lat2");  // empty: no second click
        QTest::addColumn<QString>("lon2");
        QTest::newRow("first at a middle node") << "35/40/30.0" << "139/40/10.0" << "" << "";
        QTest::newRow("a point first") << "35/40/00.0" << "139/39/50.0" << "" << "";
        QTest::newRow("middle node") << "35/40/00.0" << "139/40/10.0" << "35/40/30.0"
                                     << "139/40/10.0";
        QTest::newRow("an area's node") << "35/40/00.0" << "139/40/10.0" << "35/41/00.0"
                                        << "139/41/00.0";
        QTest::newRow("the first line itself") << "35/40/00.0" << "139/40/10.0" << "35/40/00.0"
                                               << "139/40/00.0";
    }
    void combineWaitsForAFigureSnappedAtAnEnd() {
        QFETCH(QString, lat1);
        QFETCH(QString, lon1);
        QFETCH(QString, lat2);
        QFETCH(QString, lon2);
        FigureEditFixture f;
        f.Fill({Figure("line", "L1", kA + "," + kB),
                Figure("line", "L2",
                       "35/40/30.0,139/40/00.0,35/40/30.0,139/40/10.0,35/40/30.0,139/40/20.0"),
                Figure("area", "A", kFar + ",35/41/10.0,139/41/00.0,35/41/10.0,139/41/10.0"),
                Figure("point", "P", "35/40/00.0,139/39/50.0")},
               0);
        const QStringList before = f.Texts();
        f.Run("KelEditFigureConbine");
        f.ClickAt(lat1, lon1);
        if (lat2.isEmpty()) {
            QCOMPARE(f.state.Caption(), QStringLiteral("Snp1"));
            QVERIFY(f.figures.Calls().empty());
            return;
        }
        f.ClickAt(lat2, lon2);
        QVERIFY(f.prompts().Asked().isEmpty());
        QCOMPARE(f.Texts(), before);
        QCOMPARE(f.state.Caption(), QStringLiteral("Snp2"));
    }

    void joinPosAppendsTheNextEntry_data() {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<int>("current");
        QTest::addColumn<QString>("joined");  // empty: nothing happens
        const QString next = Figure("line", "N", "<>35/41/00.0,139/41/00.0");
        QTest::newRow("line") << QStringList{LineAbc(), next} << 0
                              << kLineAbc + ",35/41/00.0,139/41/00.0";
        QTest::newRow("last entry") << QStringList{next, LineAbc()} << 1 << "";
        QTest::newRow("a point") << QStringList{Figure("point", "P", kA), next} << 0 << "";
        QTest::newRow("next without pos") << QStringList{LineAbc(), "disp all;"} << 0 << "";
    }
    void joinPosAppendsTheNextEntry() {
        QFETCH(QStringList, texts);
        QFETCH(int, current);
        QFETCH(QString, joined);
        FigureEditFixture f;
        f.Fill(texts, current);
        f.editor.SetDispCaption(QStringLiteral("ON"));
        f.Run("MenuEditPosJoin");
        if (joined.isEmpty()) {
            QCOMPARE(f.Texts(), texts);
            QCOMPARE(f.editor.EditFg(), 0);
            QCOMPARE(f.dispClicks, 0);
            return;
        }
        QCOMPARE(f.PosAt(current), joined);
        QCOMPARE(f.TextAt(current + 1), texts[current + 1]);
        QCOMPARE(f.editor.EditFg(), 1);
        QCOMPARE(f.dispClicks, 2);  // the shown current figure is refreshed
        QCOMPARE(f.editor.DispCaption(), QStringLiteral("ON"));
    }

    void joinPosStopsAtThePositionLimit() {
        FigureEditFixture f;
        QStringList many;
        for (int i = 0; i < kMaxPositions; ++i) many << kA;
        const QStringList texts{Figure("line", "Long", many.join(QLatin1Char(','))),
                                Figure("line", "N", kFar)};
        f.Fill(texts, 0);
        f.Run("MenuEditPosJoin");
        QCOMPARE(f.Texts(), texts);
        QCOMPARE(f.editor.EditFg(), 0);
        QCOMPARE(f.prompts().Asked().size(), 1);
        QVERIFY(f.prompts().Asked()[0].prompt.contains(QString::number(kMaxPositions)));
    }

    void centreFiguresAreAddedAfterTheirSources() {
        FigureEditFixture f;
        const QString square = kA + "," + kB + "," + kC + ",35/40/10.0,139/40/00.0";
        f.Fill({Figure("area", "A", square, "str=\"park\" url=\"http://p\" urltype=\"1\" info=\"i\""),
                "disp all;", Figure("circle", "C", kFar, "r=\"1km\" str=\"s\"")},
               1);
        for (int i : {0, 1, 2}) f.editor.List().SetSelected(i, true);
        f.Run("KelEditFigureCenterPoint");
        QCOMPARE(f.editor.List().Count(), 5);
        QCOMPARE(CommandWord(f.TextAt(1)), QStringLiteral("point"));
        QCOMPARE(f.PosAt(1), QStringLiteral("35/40/05.0,139/40/05.0"));
        for (const char* name : {"oid", "gid", "str", "url", "urltype", "info"})
            QCOMPARE(f.ParamAt(1, name), f.ParamAt(0, name));
        QCOMPARE(CommandWord(f.TextAt(4)), QStringLiteral("point"));
        QVERIFY(SamePositions(f.PosAt(4), kFar));  // a circle's centre is its position
        QVERIFY(f.Shown(f.FigureOf(1)) && f.Shown(f.FigureOf(4)));
        // The figures are deselected, the disp command is not a figure and stays selected.
        QCOMPARE(f.editor.List().SelectedIndexes(), std::vector<int>{2});
        QCOMPARE(f.editor.EditFg(), 1);
        // The disp command moved down and is still the one loaded, under its new number.
        QCOMPARE(f.editor.List().Current(), 2);
        QCOMPARE(f.editor.Params().kelListNCaption, QStringLiteral("2"));
    }

    void centreCircleOfTheCurrentEntry() {
        FigureEditFixture f;
        f.Fill({Figure("circle", "C", kFar, "r=\"1km\" rmax=\"5km\" strpos=\"top\" str=\"s\"")}, 0);
        f.Run("KelEditFigureCenterCircle");
        QCOMPARE(f.editor.List().Count(), 2);
        QCOMPARE(CommandWord(f.TextAt(1)), QStringLiteral("circle"));
        QVERIFY(SamePositions(f.PosAt(1), kFar));
        for (const char* name : {"oid", "gid", "r", "rmax", "strpos"})
            QCOMPARE(f.ParamAt(1, name), f.ParamAt(0, name));
        QCOMPARE(f.ParamAt(1, "str"), QString());
        // The circle is drawn as its circle1 form.
        QCOMPARE(f.figures.Calls().back().figureType, QStringLiteral("circle1"));
    }
};

KEL_TEST(FigureEditTest);
#include "tst_FigureEdit.moc"
