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
    // Each item arms its mode and sets the others off; Snap Object sets every mode off.
    void menuItemsArmTheirModes() {
        FigureEditFixture f;
        QCOMPARE(f.state.Caption(), "Snap");
        const std::pair<QString, QString> items[] = {{"KelEditFigureMove", "Org"},
                                                     {"KelEditFigureDivide", "Div"},
                                                     {"KelEditFigureConbine", "Snp1"},
                                                     {"MenuEditSnapFind", "Snap"}};
        for (const auto& [item, caption] : items) {
            QVERIFY(f.Run(item));
            QCOMPARE(f.state.Caption(), caption);
            QCOMPARE(f.captions.last(), caption);
        }
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
        // One second of latitude (about 31 m) is beyond the marker size of 20 m.
        f.ClickAt("35/40/01.0", "139/40/00.0");
        QCOMPARE(f.editor.List().Current(), 1);
        QCOMPARE(f.dispClicks, 5);
        f.mark.Set(QString(), QString());  // no mark on the map
        QCOMPARE(PlainSnap(f.editor, f.state, false), -1);
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

    // A move answered No, or whose kept figure has left the list, or interrupted by
    // clearing the document, changes nothing and ends with the highlights gone.
    void moveAbandoned_data() {
        QTest::addColumn<QString>("between");  // action run between the two clicks
        QTest::addColumn<int>("asked");
        QTest::newRow("answered No") << "" << 1;
        QTest::newRow("kept figure cut") << "CmdCut" << 0;
        QTest::newRow("document cleared") << "MenuFileClear" << 0;
    }
    void moveAbandoned() {
        QFETCH(QString, between);
        QFETCH(int, asked);
        FigureEditFixture f;
        f.Fill({LineAbc(), Figure("point", "Far", kFar)}, 0);
        f.Run("KelEditFigureMove");
        f.ClickAt("35/40/30.0", "139/40/30.0");  // nothing under the mark: still armed
        QCOMPARE(f.state.Caption(), "Org");
        QVERIFY(f.figures.Calls().empty());
        f.ClickAt("35/40/00.0", "139/40/00.0");
        QCOMPARE(f.figures.Shown().size(), size_t(4));  // the figures, the line and its node
        if (!between.isEmpty()) f.Run(between);
        const QStringList before = f.Texts();
        const int edited = f.editor.EditFg();
        f.prompts().Answer(kAnswerNo);
        f.ClickAt("35/40/30.0", "139/40/30.0");
        QCOMPARE(f.prompts().Asked().size(), asked);
        QCOMPARE(f.Texts(), before);
        QCOMPARE(f.editor.EditFg(), edited);
        QCOMPARE(f.state.Caption(), "Snap");
        QCOMPARE(f.state.snapFigure, 0);
        QCOMPARE(f.figures.Shown().size(), size_t(f.editor.List().Count()));
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
        QTest::newRow("a point")
            << "139/40/10.0" << Figure("point", "P", "35/40/30.0,139/40/00.0") << "139/40/00.0"
            << "< " + kA + "," + kB + ",35/40/30.0,139/40/00.0";
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

    // Clicks where an armed edit cannot act change nothing and leave it armed: divide at a
    // line's end, on an area or away from figures; combine from a line's middle node or a
    // point, then to a middle node, an area or the kept line itself.
    void clicksThatCannotEdit_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QStringList>("clicks");  // "lat lon" of the mark
        QTest::addColumn<QString>("caption");
        auto row = [](const char* name, const char* action, const QStringList& clicks,
                      const char* caption) {
            QTest::newRow(name) << QString(action) << clicks << QString(caption);
        };
        const char *divide = "KelEditFigureDivide", *combine = "KelEditFigureConbine";
        const QString end = "35/40/10.0 139/40/10.0";  // C, the last node of the line
        row("divide at the first node", divide, {"35/40/00.0 139/40/00.0"}, "Div");
        row("divide an area", divide, {"35/41/05.0 139/41/00.0"}, "Div");
        row("divide where nothing is", divide, {"35/40/50.0 139/40/50.0"}, "Div");
        row("combine from a middle node", combine, {"35/40/00.0 139/40/10.0"}, "Snp1");
        row("combine from a point", combine, {"35/40/00.0 139/39/50.0"}, "Snp1");
        row("combine to a middle node", combine, {end, "35/40/30.0 139/40/10.0"}, "Snp2");
        row("combine to an area", combine, {end, "35/41/00.0 139/41/00.0"}, "Snp2");
        row("combine to itself", combine, {end, "35/40/00.0 139/40/00.0"}, "Snp2");
    }
    void clicksThatCannotEdit() {
        QFETCH(QString, action);
        QFETCH(QStringList, clicks);
        QFETCH(QString, caption);
        FigureEditFixture f;
        f.Fill({LineAbc(),
                Figure("line", "L2",
                       "35/40/30.0,139/40/00.0,35/40/30.0,139/40/10.0,35/40/30.0,139/40/20.0"),
                Figure("area", "A", kFar + ",35/41/10.0,139/41/00.0,35/41/10.0,139/41/10.0"),
                Figure("point", "P", "35/40/00.0,139/39/50.0")},
               0);
        const QStringList before = f.Texts();
        f.Run(action);
        for (const QString& click : clicks)
            f.ClickAt(click.section(' ', 0, 0), click.section(' ', 1));
        QVERIFY(f.prompts().Asked().isEmpty());
        QCOMPARE(f.Texts(), before);
        QCOMPARE(f.editor.EditFg(), 0);
        QCOMPARE(f.state.Caption(), caption);
        if (clicks.size() == 1 && caption == "Snp1") QVERIFY(f.figures.Calls().empty());
    }

    void joinPosAppendsTheNextEntry_data() {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<int>("current");
        QTest::addColumn<QString>("joined");  // empty: nothing happens
        QTest::addColumn<int>("asked");
        const QString next = Figure("line", "N", "<>35/41/00.0,139/41/00.0");
        QTest::newRow("line") << QStringList{LineAbc(), next} << 0
                              << kLineAbc + ",35/41/00.0,139/41/00.0" << 0;
        QTest::newRow("last entry") << QStringList{next, LineAbc()} << 1 << "" << 0;
        QTest::newRow("a point") << QStringList{Figure("point", "P", kA), next} << 0 << "" << 0;
        QTest::newRow("next without pos") << QStringList{LineAbc(), "disp all;"} << 0 << "" << 0;
        // Refused with a message at the position limit.
        const QStringList many(kMaxPositions, kA);
        QTest::newRow("position limit") << QStringList{Figure("line", "Long", many.join(',')), next}
                                        << 0 << "" << 1;
    }
    void joinPosAppendsTheNextEntry() {
        QFETCH(QStringList, texts);
        QFETCH(int, current);
        QFETCH(QString, joined);
        QFETCH(int, asked);
        FigureEditFixture f;
        f.Fill(texts, current);
        f.editor.SetDispCaption(QStringLiteral("ON"));
        f.Run("MenuEditPosJoin");
        if (joined.isEmpty()) {
            QCOMPARE(f.Texts(), texts);
            QCOMPARE(f.editor.EditFg(), 0);
            QCOMPARE(f.dispClicks, 0);
            QCOMPARE(f.prompts().Asked().size(), asked);
            if (asked) QVERIFY(f.prompts().Last().prompt.contains(QString::number(kMaxPositions)));
            return;
        }
        QCOMPARE(f.PosAt(current), joined);
        QCOMPARE(f.TextAt(current + 1), texts[current + 1]);
        QCOMPARE(f.editor.EditFg(), 1);
        QCOMPARE(f.dispClicks, 2);  // the shown current figure is refreshed
        QCOMPARE(f.editor.DispCaption(), QStringLiteral("ON"));
    }

    void centreFiguresAreAddedAfterTheirSources() {
        FigureEditFixture f;
        const QString square = kA + "," + kB + "," + kC + ",35/40/10.0,139/40/00.0";
        f.Fill({Figure("area", "A", square,
                       "str=\"park\" url=\"http://p\" urltype=\"1\" info=\"i\""),
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
