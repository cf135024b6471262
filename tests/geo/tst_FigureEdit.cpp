// Figure edits through the editor: the snap button's modes and captions, plain snap, move,
// divide, combine, Join Pos and the centre points, checked on the list, the text store,
// the questions asked and the shapes on the (recording) map; then the position arithmetic
// underneath and the edits it refuses rather than lose positions.
#include <QHash>
#include <cmath>

#include "FigureEditFixture.h"
#include "TestMain.h"
#include "geo/FigureEditOps.h"
#include "geo/PosList.h"

using namespace kel;
using kel::test::Figure;
using kel::test::FigureEditFixture;

namespace {

constexpr double kSecond = 1.0 / 3600;

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

// n positions along a parallel, one second apart, as a `pos` value.
QString ManyEditPositions(int n) {
    QStringList parts;
    for (int i = 0; i < n; ++i)
        parts << QStringLiteral("35/40/00.0,139/%1/%2.0")
                     .arg(40 + i / 60)
                     .arg(i % 60, 2, 10, QLatin1Char('0'));
    return parts.join(QLatin1Char(','));
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
            f.ClickAt("35/40/00.3 139/40/00.0");
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
        f.ClickAt("35/40/01.0 139/40/00.0");
        QCOMPARE(f.editor.List().Current(), 1);
        QCOMPARE(f.dispClicks, 5);
        f.mark.Set(QString(), QString());  // no mark on the map
        QCOMPARE(PlainSnap(f.editor, f.state, false), -1);
    }

    // A mark text without its thousandths of a second (shorter, or holding a point already)
    // would put the decimal point in the wrong place: it is refused with a message, and no
    // figure is taken from it, by a snap or by an edit's step.
    void aMarkTextThatIsNotTheMapsIsRefused_data() {
        QTest::addColumn<QString>("lat");
        QTest::addColumn<QString>("lon");
        QTest::newRow("seconds without thousandths") << "35/40/00" << "139/40/00000";
        QTest::newRow("already holding a point") << "35/40/00.000" << "139/40/00.000";
        QTest::newRow("too short") << "35" << "139/40/00000";
    }
    void aMarkTextThatIsNotTheMapsIsRefused() {
        QFETCH(QString, lat);
        QFETCH(QString, lon);
        FigureEditFixture f;
        f.Fill({Figure("point", "1", "35/40/00.0,139/40/00.0")}, 0);
        f.mark.Set(lat, lon);
        f.prompts().Clear();
        QCOMPARE(PlainSnap(f.editor, f.state, false), -1);
        QCOMPARE(f.prompts().Asked().size(), 1);
        QVERIFY(f.prompts().Last().prompt.contains(lat));
        QVERIFY(f.Run(QStringLiteral("KelEditFigureMove")));
        f.prompts().Clear();
        SnapObjectClick(f.editor, f.state, false);
        QCOMPARE(f.state.Caption(), QStringLiteral("Org"));  // nothing was picked
        QCOMPARE(f.prompts().Asked().size(), 1);
    }

    // Move, divide and combine carried out: the question; every entry's positions after the
    // edit, its other values as before (a divided line's second part takes the first's);
    // the shapes shown and the entry loaded into the parameter editor.
    void edits_data() {
        for (const char* c : {"texts", "clicks", "positions"}) QTest::addColumn<QStringList>(c);
        for (const char* c : {"current", "loaded", "shown"}) QTest::addColumn<int>(c);
        for (const char* c : {"title", "typed"}) QTest::addColumn<QString>(c);
        auto row = [](const char* name, const char* title, const QStringList& texts, int current,
                      const QStringList& clicks, const QStringList& positions, int loaded,
                      int shown, const char* typed = "") {
            QTest::newRow(name) << texts << clicks << positions << current << loaded << shown
                                << QString(title) << QString(typed);
        };
        const QString far = Figure("point", "Far", kFar);
        const QString a = "35/40/00.0 139/40/00.0", b = "35/40/00.0 139/40/10.0";  // marks at A, B
        // Picked at node B; the destination is the mark, or a node of another figure near it.
        row("move to the mark", "Move", {LineAbc(), far}, 1, {b, "35/40/30.0 139/40/40.0"},
            {"35/40/30.0,139/40/30.0,35/40/30.0,139/40/40.0,35/40/40.0,139/40/40.0", kFar}, 0, 2);
        row("move onto a node", "Move", {LineAbc(), far}, 1, {b, "35/41/00.5 139/41/00.5"},
            {"35/41/00.0,139/40/50.0,35/41/00.0,139/41/00.0,35/41/10.0,139/41/00.0", kFar}, 0, 2);
        // A value typed into the moved entry's box, not yet applied, is kept.
        row("move keeps a typed value", "Move", {LineAbc(), far}, 0,
            {a, "35/40/01.0 139/40/00.0"},
            {"35/40/01.0,139/40/00.0,35/40/01.0,139/40/10.0,35/40/11.0,139/40/10.0", kFar}, 0, 2,
            "typed");
        // The loaded point moves down with its line and stays loaded.
        const QString line = LineAbc(
            "str=\"road\" strformat=\"right\" url=\"http://x\" urltype=\"1\" info=\"i\"");
        row("divide at node B", "Divide", {line, far}, 1, {b}, {kA + "," + kB, kB + "," + kC, kFar},
            2, 3);
        row("divide on the side A-B", "Divide", {line, far}, 1, {"35/40/00.0 139/40/05.0"},
            {kA + ",35/40/00.0,139/40/05.0", "35/40/00.0,139/40/05.0," + kB + "," + kC, kFar}, 2,
            3);
        // The second figure stays in the list with its values; its shape goes.
        const QString l1 = Figure("line", "L1", "<" + kA + "," + kB, "str=\"first\"");
        const QString l2 = "35/40/30.0,139/40/00.0,35/40/30.0,139/40/10.0";
        const QString p = "35/40/30.0,139/40/00.0";
        row("combine last node to first", "Conbine", {l1, Figure("line", "L2", "> " + l2)}, 0,
            {b, "35/40/30.0 139/40/00.0"}, {"< " + kA + "," + kB + "," + l2, "> " + l2}, 0, 1);
        // Snapped at node 1 the first line is reversed and its "<" becomes ">".
        row("combine from the first node", "Conbine", {l1, Figure("line", "L2", l2)}, 0,
            {a, "35/40/30.0 139/40/00.0"}, {"> " + kB + "," + kA + "," + l2, l2}, 0, 1);
        row("combine to the last node", "Conbine", {l1, Figure("line", "L2", l2)}, 0,
            {b, "35/40/30.0 139/40/10.0"},
            {"< " + kA + "," + kB + ",35/40/30.0,139/40/10.0," + p, l2}, 0, 1);
        row("combine with a point", "Conbine", {l1, Figure("point", "P", p)}, 0,
            {b, "35/40/30.0 139/40/00.0"}, {"< " + kA + "," + kB + "," + p, p}, 0, 1);
    }
    void edits() {
        QFETCH(QStringList, texts);
        QFETCH(QStringList, clicks);
        QFETCH(QStringList, positions);
        QFETCH(int, current);
        QFETCH(int, loaded);
        QFETCH(int, shown);
        QFETCH(QString, title);
        QFETCH(QString, typed);
        const QHash<QString, QString> asked = {{"Move", "選択図形を移動しますか？"},
                                               {"Divide", "選択図形を分割しますか？"},
                                               {"Conbine", "選択図形を端点で接続しますか？"}};
        FigureEditFixture f;
        f.Fill(texts, current);
        const int oldFigure = f.FigureOf(0);
        if (!typed.isEmpty()) f.editor.SetParValue(4, typed);  // str
        f.Run("KelEditFigure" + title);
        QStringList before = f.Texts();
        if (clicks.size() == 2) {  // the first click picks the figure and highlights the node
            f.ClickAt(clicks[0]);
            before = f.Texts();
            QCOMPARE(f.state.Caption(), title == "Move" ? "Dst" : "Snp2");
            QStringList drawn;
            for (const auto& c : f.figures.Calls())
                if (c.style != kStyleDel) drawn << c.style;
            QCOMPARE(drawn.mid(drawn.size() - 2), (QStringList{"Snap", "SnapNode"}));
            QCOMPARE(f.editor.EditFg(), typed.isEmpty() ? 0 : 1);
        }
        f.prompts().Answer(kAnswerYes);
        f.ClickAt(clicks.last());
        QCOMPARE(f.prompts().Asked().size(), 1);
        QCOMPARE(f.prompts().Asked()[0].prompt, asked[title]);
        QCOMPARE(f.prompts().Asked()[0].title, title);
        QCOMPARE(f.editor.List().Count(), positions.size());
        const int added = int(positions.size() - texts.size());
        for (int i = 0; i < positions.size(); ++i) {
            if (title != "Move")
                QCOMPARE(f.PosAt(i), positions[i]);
            else  // computed positions
                QVERIFY2(SamePositions(f.PosAt(i), positions[i]), qPrintable(f.PosAt(i)));
            const QString& source = before[i <= added ? 0 : i - added];
            QCOMPARE(CommandWord(f.TextAt(i)), CommandWord(source));
            for (const char* name : {"oid", "gid", "str", "strformat", "url", "urltype", "info"})
                QCOMPARE(f.ParamAt(i, name), GetParamValue(source, name));
        }
        if (!typed.isEmpty()) QCOMPARE(f.ParamAt(current, "str"), typed);
        QCOMPARE(f.editor.EditFg(), 1);
        QCOMPARE(f.state.Caption(), "Snap");
        QCOMPARE(f.editor.List().Current(), loaded);
        QCOMPARE(f.editor.Params().kelListNCaption, QString::number(loaded));
        QCOMPARE(f.editor.Params().rows[2].value, f.PosAt(loaded));
        // The old shape and the highlights are gone; every entry with a shape shows it.
        QVERIFY(!f.Shown(oldFigure));
        int live = 0;
        for (int i = 0; i < f.editor.List().Count(); ++i)
            if (f.FigureOf(i)) live += f.Shown(f.FigureOf(i)) ? 1 : 100;
        QCOMPARE(live, shown);
        QCOMPARE(f.figures.Shown().size(), size_t(shown));
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
        f.ClickAt("35/40/00.0 139/40/10.0");
        QCOMPARE(f.Texts(), before);
        QCOMPARE(f.prompts().Asked().last().title, QStringLiteral("Limit"));
        QCOMPARE(f.figures.Shown(), std::vector<int>{f.FigureOf(0)});
    }

    // Clicks where an armed edit cannot act change nothing and leave it armed: move from
    // where no figure is; divide at a line's end or on an area; combine from a line's middle
    // node or a point, then to a middle node, an area or the kept line itself. A move
    // answered No, or whose kept figure has left the list, or interrupted by clearing the
    // document, changes nothing and ends with the highlights gone.
    void nothingChanges_data() {
        for (const char* c : {"action", "caption", "between"}) QTest::addColumn<QString>(c);
        QTest::addColumn<QStringList>("clicks");  // "lat lon" of the mark
        QTest::addColumn<int>("asked");
        auto row = [](const char* name, const char* action, const QStringList& clicks,
                      const char* caption, const char* between = "", int asked = 0) {
            QTest::newRow(name) << QString(action) << QString(caption) << QString(between)
                                << clicks << asked;
        };
        const char *move = "KelEditFigureMove", *divide = "KelEditFigureDivide",
                   *combine = "KelEditFigureConbine";
        const QString a = "35/40/00.0 139/40/00.0", nowhere = "35/40/50.0 139/40/50.0";
        const QString end = "35/40/10.0 139/40/10.0";  // C, the last node of the line
        row("move from nowhere", move, {nowhere}, "Org");
        row("move answered No", move, {a, nowhere}, "Snap", "", 1);
        row("move, kept figure cut", move, {a, nowhere}, "Snap", "CmdCut");
        row("move, document cleared", move, {a, nowhere}, "Snap", "MenuFileClear");
        row("divide at the first node", divide, {a}, "Div");
        row("divide an area", divide, {"35/41/05.0 139/41/00.0"}, "Div");
        row("combine from a middle node", combine, {"35/40/00.0 139/40/10.0"}, "Snp1");
        row("combine from a point", combine, {"35/40/00.0 139/39/50.0"}, "Snp1");
        row("combine to a middle node", combine, {end, "35/40/30.0 139/40/10.0"}, "Snp2");
        row("combine to an area", combine, {end, "35/41/00.0 139/41/00.0"}, "Snp2");
        row("combine to itself", combine, {end, a}, "Snp2");
    }
    void nothingChanges() {
        QFETCH(QString, action);
        QFETCH(QString, caption);
        QFETCH(QString, between);
        QFETCH(QStringList, clicks);
        QFETCH(int, asked);
        FigureEditFixture f;
        f.Fill({LineAbc(),
                Figure("line", "L2",
                       "35/40/30.0,139/40/00.0,35/40/30.0,139/40/10.0,35/40/30.0,139/40/20.0"),
                Figure("area", "A", kFar + ",35/41/10.0,139/41/00.0,35/41/10.0,139/41/10.0"),
                Figure("point", "P", "35/40/00.0,139/39/50.0")},
               0);
        f.Run(action);
        f.prompts().Answer(kAnswerNo);
        if (clicks.size() == 2) {
            f.ClickAt(clicks[0]);
            // The kept figure and its node are highlighted.
            QCOMPARE(f.figures.Shown().size(), size_t(f.editor.List().Count() + 2));
            if (!between.isEmpty()) f.Run(between);
        }
        const QStringList before = f.Texts();
        const int edited = f.editor.EditFg();
        f.ClickAt(clicks.last());
        QCOMPARE(f.prompts().Asked().size(), asked);
        QCOMPARE(f.Texts(), before);
        QCOMPARE(f.editor.EditFg(), edited);
        QCOMPARE(f.state.Caption(), caption);
        if (clicks.size() == 1) QVERIFY(f.figures.Calls().empty());  // nothing highlighted
        if (caption == "Snap") {  // the highlights are gone
            QCOMPARE(f.state.snapFigure, 0);
            QCOMPARE(f.figures.Shown().size(), size_t(f.editor.List().Count()));
        }
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
        const QString full = Figure("line", "Long", ManyEditPositions(kMaxPositions));
        QTest::newRow("position limit") << QStringList{full, next} << 0 << "" << 1;
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

    // Position arithmetic: marks and the arrow are kept.
    void move() {
        QCOMPARE(MovePos("35/40/59.5,139/40/00.0", kSecond, 2 * kSecond).pos,
                 QStringLiteral("35/41/00.5,139/40/02.0"));
        // Marks and the arrow are kept; a coordinate that does not move keeps its text.
        QCOMPARE(MovePos("<>!35/40/00.0,139/40/00&35/41/00.0,139/41/00", -kSecond, 0).pos,
                 QStringLiteral("<> !35/39/59.0,139/40/00&35/40/59.0,139/41/00"));
    }

    // Edits refused rather than losing positions: those beyond the table would be lost by
    // writing back only the positions read; a cut at an end would leave a one-position line.
    void refusals() {
        QCOMPARE(MovePos(ManyEditPositions(kMaxPositions + 1), kSecond, 0).refusal,
                 EditRefusal::kOverLimit);
        QVERIFY(MovePos(ManyEditPositions(kMaxPositions), kSecond, 0).ok());
        const QString half = ManyEditPositions(kMaxPositions / 2);
        QVERIFY(CombinePos(half, half, 1).ok());
        QCOMPARE(CombinePos(half, ManyEditPositions(kMaxPositions / 2 + 1), 1).refusal,
                 EditRefusal::kOverLimit);
        auto divide = [](const QString& pos, double node) {
            const DividedPos d = DividePos(pos, {node, 35, 139});
            return d.first.isEmpty() && d.second.isEmpty() ? d.refusal : EditRefusal::kNone;
        };
        QCOMPARE(divide("35/0/0,139/0/0,35/0/0,139/0/10", 2.5), EditRefusal::kAtEnd);  // beyond
        QCOMPARE(divide(ManyEditPositions(kMaxPositions + 2), 2.0), EditRefusal::kOverLimit);
    }

    void divide() {
        auto cut = [](const QString& pos, double node, double lonSeconds) {
            const DividedPos d = DividePos(pos, {node, 35, 139 + lonSeconds / 3600});
            return d.first + " | " + d.second;
        };
        const QString bc = "35/0/0,139/0/10,35/0/10,139/0/10";
        // A spot at a node ends one part and starts the other; the arrow goes to both parts
        // and marks are kept.
        QCOMPARE(cut("< !35/0/0,139/0/0&" + bc, 2, 10),
                 "< !35/0/0,139/0/0&35/0/0,139/0/10 | < " + bc);
    }

    void join() {
        auto join = [](const QString& a, const QString& b) {
            const QString j = JoinPosTexts(a, b).pos;
            const bool kept = ParsePosDegrees(j).count() ==
                              ParsePosDegrees(a).count() + ParsePosDegrees(b).count();
            return kept ? j : "positions lost: " + j;
        };
        // A "," after "&" or a trailing "," would open an empty field and pair each latitude
        // with the next position's longitude.
        QCOMPARE(join("1/0/0,1/0/0&", "2/0/0,2/0/0"), "1/0/0,1/0/0&2/0/0,2/0/0");
        QCOMPARE(join("1/0/0,1/0/0, ", "2/0/0,2/0/0"), "1/0/0,1/0/0,2/0/0,2/0/0");
    }
};

KEL_TEST(FigureEditTest);
#include "tst_FigureEdit.moc"
