// The position editor on the recording map: what a figure's `pos` becomes after a round
// through the editor (area rings, arrows, "&" joins), the modes, reading the mark, the
// search tolerance by scale, snapping, the labels and figure on the map, the command the
// position goes back to, and reference figures drawn for the spatial selections.
#include "PosEditorFixture.h"
#include "TestMain.h"
#include "geo/Geometry.h"
#include "geo/SpatialSelect.h"
#include "platform/Prompts.h"
#include "proatlas/FigureDrawing.h"

using namespace kel;
using namespace kel::test;

namespace {

// Four corners of a square of one minute.
const QString A = QStringLiteral("35/00/00.0,135/00/00.0");
const QString B = QStringLiteral("35/00/00.0,135/01/00.0");
const QString C = QStringLiteral("35/01/00.0,135/01/00.0");
const QString D = QStringLiteral("35/01/00.0,135/00/00.0");

QString Cmd(const QString& word, const QString& pos) {
    return QStringLiteral("%1 oid=\"1\" gid=\"1\" pos=\"%2\";").arg(word, pos);
}

// "35/00/00.0,135/01/00.0" as the "lat lon" a click takes.
QString At(const QString& pos) { return QString(pos).replace(QLatin1Char(','), QLatin1Char(' ')); }

// km north as degrees, as the search measures distance.
double KmAsDeg(double km) { return km / (3.1415926 / 180.0 * 6378.0); }

}  // namespace

class PosEditorTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void roundTripThroughTheEditor_data() {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("pos");
        QTest::addColumn<int>("arrowClicks");
        QTest::addColumn<int>("listed");
        QTest::addColumn<QString>("back");
        const QString c = QStringLiteral(",");
        QTest::newRow("area repeating its first point") << "area" << A + c + B + c + C + c + D + c + A << 0 << 4
                                                        << A + c + B + c + C + c + D + c + A;
        QTest::newRow("area not repeating it") << "area" << A + c + B + c + C + c + D << 0 << 4
                                               << A + c + B + c + C + c + D + c + A;
        QTest::newRow("area drops an arrow") << "area" << "> " + A + c + B + c + C << 0 << 3
                                             << A + c + B + c + C + c + A;
        QTest::newRow("area closed after an & point") << "area" << A + c + B + c + C + "&" << 0 << 3
                                                      << A + c + B + c + C + "&" + A;
        QTest::newRow("line keeps <>") << "line" << "<>" + A + c + B << 0 << 2 << "<>" + A + c + B;
        QTest::newRow("line keeps >< however often clicked") << "line" << "><" + A + c + B << 5 << 2
                                                             << "><" + A + c + B;
        QTest::newRow("one arrow click") << "line" << A + c + B << 1 << 2 << "> " + A + c + B;
        QTest::newRow("three arrow clicks") << "line" << A + c + B << 3 << 2 << "<>" + A + c + B;
        QTest::newRow("four clicks come round") << "line" << A + c + B << 4 << 2 << A + c + B;
        QTest::newRow("single > arrow") << "line" << ">" + A + c + B << 0 << 2 << "> " + A + c + B;
        QTest::newRow("& joins a line") << "line" << A + "&" + B + c + C << 0 << 3 << A + "&" + B + c + C;
        QTest::newRow("& joins a rect") << "rect" << A + "&" + C << 0 << 2 << A + "&" + C;
        QTest::newRow("! kept") << "line" << "!" + A + c + B << 0 << 2 << "!" + A + c + B;
        QTest::newRow("point") << "point" << A << 0 << 1 << A;
    }
    void roundTripThroughTheEditor() {
        QFETCH(QString, word);
        QFETCH(QString, pos);
        QFETCH(int, arrowClicks);
        QFETCH(int, listed);
        QFETCH(QString, back);
        PosEditorFixture f;
        f.Open({Cmd(word, pos)});
        f.EditPos(1);
        PosEditor& pe = f.pe();
        QVERIFY(pe.IsOpen());
        QCOMPARE(pe.Title(), QStringLiteral("EditPos"));
        QCOMPARE(int(pe.Points().size()), listed);
        QCOMPARE(int(f.map.Texts().size()), listed);  // one number label per point
        for (int k = 0; k < arrowClicks; ++k) QVERIFY(pe.RunAction(QStringLiteral("ArrowStr")));
        QVERIFY(pe.RunAction(QStringLiteral("ReturnPos")));
        QVERIFY(!pe.IsOpen());
        QCOMPARE(f.PosOf(1), back);
        QCOMPARE(f.editor().EditFg(), 1);
        // Nothing of the editor stays on the map.
        QVERIFY(f.map.Texts().empty());
        QCOMPARE(f.map.ShapeCount(), 0);
    }

    void aPointHasOnePosition() {
        PosEditorFixture f;
        f.Open({Cmd(QStringLiteral("point"), QString())});
        f.EditPos(1);
        PosEditor& pe = f.pe();
        QCOMPARE(pe.Mode(), PosMode::kAdd);  // no position yet
        f.ClickAt(At(A));
        QCOMPARE(pe.Mode(), PosMode::kMove);
        f.ClickAt(At(C));  // moves the point rather than adding a second
        QCOMPARE(pe.PosListLines(), QStringList{QStringLiteral("0001(00000002)") + C});
        QVERIFY(pe.Ok());
        QCOMPARE(f.PosOf(1), C);
        // Opened again with its position, a point is moved, not added to.
        f.EditPos(1);
        QCOMPARE(pe.Mode(), PosMode::kMove);
    }

    void insertAtLineZeroGoesFirst() {
        PosEditorFixture f;
        f.Open({Cmd(QStringLiteral("line"), A + QStringLiteral(",") + B)});
        f.EditPos(1);
        PosEditor& pe = f.pe();
        pe.ClickLine(0);
        QVERIFY(pe.RunAction(QStringLiteral("InsertPos")));
        f.ClickAt(At(C));
        QCOMPARE(pe.Selected(), 0);
        // The new point takes the next number; the others keep theirs until Refresh.
        QCOMPARE(pe.Points()[0].number, 3);
        QCOMPARE(pe.Points()[1].number, 1);
        QVERIFY(pe.RunAction(QStringLiteral("RefreshPos")));
        QCOMPARE(pe.Points()[0].number, 1);
        QCOMPARE(pe.RefreshCaption(), QStringLiteral("Refresh"));
        QVERIFY(pe.Ok());
        QCOMPARE(f.PosOf(1), C + QStringLiteral(",") + A + QStringLiteral(",") + B);
    }

    void moveKeepsThePointsMarks() {
        PosEditorFixture f;
        f.Open({Cmd(QStringLiteral("line"), QStringLiteral("!") + A + QStringLiteral("&") + B)});
        f.EditPos(1);
        PosEditor& pe = f.pe();
        pe.SetMode(PosMode::kMove);
        pe.ClickLine(0);
        f.ClickAt(At(C));
        QVERIFY(pe.Ok());
        QCOMPARE(f.PosOf(1), QStringLiteral("!") + C + QStringLiteral("&") + B);
    }

    void deletingTheLastPointGoesBackToAdd() {
        PosEditorFixture f;
        f.Open({Cmd(QStringLiteral("point"), A)});
        f.EditPos(1);
        PosEditor& pe = f.pe();
        QCOMPARE(pe.Mode(), PosMode::kMove);
        QVERIFY(pe.RunAction(QStringLiteral("DeletePos")));
        QVERIFY(pe.Points().empty());
        QCOMPARE(pe.Mode(), PosMode::kAdd);
        QVERIFY(f.map.Texts().empty());
        // OK without points says so and keeps the window and the command.
        f.prompts().Clear();
        QVERIFY(!pe.Ok());
        QVERIFY(pe.IsOpen());
        QCOMPARE(f.prompts().Last().prompt, QStringLiteral("座標データがありません．入力してください．"));
        QCOMPARE(f.prompts().Last().title, QStringLiteral("Caution"));
        QCOMPARE(f.prompts().Last().buttons, kButtonsOk + kIconExclamation);
        QCOMPARE(f.PosOf(1), A);
    }

    void theMarkIsReadOrRefused_data() {
        QTest::addColumn<QString>("latText");
        QTest::addColumn<QString>("lonText");
        QTest::addColumn<QString>("ido");  // empty: refused
        QTest::addColumn<QString>("kei");
        QTest::newRow("thousandths cut to tenths, not rounded")
            << "35/30/12399" << "139/45/00050" << "35/30/12.3" << "139/45/00.0";
        QTest::newRow("12.345 seconds") << "35/30/12345" << "139/45/59999" << "35/30/12.3" << "139/45/59.9";
        QTest::newRow("south and west") << "-34/30/00000" << "-59/59/30000" << "-34/30/00.0" << "-59/59/30.0";
        QTest::newRow("seconds without thousandths") << "35/30/12" << "139/45/00000" << "" << "";
        QTest::newRow("already holding a point") << "35/30/12.345" << "139/45/00.000" << "" << "";
        QTest::newRow("longitude too short") << "35/30/12345" << "139" << "" << "";
        QTest::newRow("not a coordinate") << "35/30/1x345" << "139/45/00000" << "" << "";
        QTest::newRow("no mark yet") << "" << "" << "" << "";
    }
    void theMarkIsReadOrRefused() {
        QFETCH(QString, latText);
        QFETCH(QString, lonText);
        QFETCH(QString, ido);
        QFETCH(QString, kei);
        PosEditorFixture f;
        f.Open({Cmd(QStringLiteral("line"), QString())});
        f.EditPos(1);
        f.map.markTexts = std::make_pair(latText, lonText);
        f.prompts().Clear();
        f.pe().Action();
        if (ido.isEmpty()) {
            QVERIFY(f.pe().Points().empty());
            QCOMPARE(f.pe().CurIdo(), QStringLiteral("000/00/00.0"));
            QCOMPARE(f.prompts().Asked().size(), 1);
            QCOMPARE(f.prompts().Last().title, QStringLiteral("Caution"));
            if (!latText.isEmpty()) QVERIFY(f.prompts().Last().prompt.contains(latText));
        } else {
            QCOMPARE(f.pe().CurIdo(), ido);
            QCOMPARE(f.pe().CurKei(), kei);
            QCOMPARE(f.pe().PosListLines().value(0).mid(14), ido + QLatin1Char(',') + kei);
            QVERIFY(f.prompts().Asked().isEmpty());
        }
    }

    void aTypedPositionIsTakenOnEnter_data() {
        QTest::addColumn<QString>("lat");
        QTest::addColumn<QString>("lon");
        QTest::addColumn<QString>("added");  // empty: refused
        QTest::newRow("KEL form") << " 35/00/10.0" << "135/00/20.0 " << "35/00/10.0,135/00/20.0";
        QTest::newRow("written anew") << "35/0/10.04" << "135/00/20" << "35/00/10.0,135/00/20.0";
        QTest::newRow("not a coordinate") << "35/00/1x" << "135/00/20.0" << "";
        QTest::newRow("four parts") << "35/00/10/5" << "135/00/20.0" << "";
        QTest::newRow("empty") << "" << "135/00/20.0" << "";
    }
    void aTypedPositionIsTakenOnEnter() {
        QFETCH(QString, lat);
        QFETCH(QString, lon);
        QFETCH(QString, added);
        PosEditorFixture f;
        f.Open({Cmd(QStringLiteral("line"), A)});
        f.EditPos(1);
        f.pe().SetMode(PosMode::kAdd);
        f.pe().SetCurIdo(lat);
        f.pe().SetCurKei(lon);
        f.prompts().Clear();
        QCOMPARE(f.pe().EnterTyped(), !added.isEmpty());
        QCOMPARE(int(f.pe().Points().size()), added.isEmpty() ? 1 : 2);
        QCOMPARE(f.prompts().Asked().size(), added.isEmpty() ? 1 : 0);
        if (!added.isEmpty()) {
            QVERIFY(f.pe().Ok());
            QCOMPARE(f.PosOf(1), A + QStringLiteral(",") + added);
        }
    }

    void searchFindsPointsWithinTheScalesTolerance_data() {
        QTest::addColumn<double>("scale");
        QTest::addColumn<double>("northKm");
        QTest::addColumn<int>("found");
        // Tolerance 2 x factor: 2 km at 1:5,000,000, 20 m at 1:25,000.
        QTest::newRow("15 km at 1:5,000,000") << 5000000.0 << 15.0 << -1;
        QTest::newRow("1.5 km at 1:5,000,000") << 5000000.0 << 1.5 << 0;
        QTest::newRow("2.5 km at 1:5,000,000") << 5000000.0 << 2.5 << -1;
        QTest::newRow("15 m at 1:25,000") << 25000.0 << 0.015 << 0;
        QTest::newRow("30 m at 1:25,000") << 25000.0 << 0.030 << -1;
        QTest::newRow("1.5 km at 1:30,000,000") << 30000000.0 << 1.5 << 0;
    }
    void searchFindsPointsWithinTheScalesTolerance() {
        QFETCH(double, scale);
        QFETCH(double, northKm);
        QFETCH(int, found);
        PosEditorFixture f;
        f.map.SetLayerScale(scale);
        f.Open({Cmd(QStringLiteral("line"), A + QStringLiteral(",") + QStringLiteral("36/00/00.0,136/00/00.0"))});
        f.EditPos(1);
        PosEditor& pe = f.pe();
        pe.ClickLine(1);
        f.map.SetMark(35 + KmAsDeg(northKm), 135);
        QVERIFY(pe.RunAction(QStringLiteral("SearchPos")));
        QCOMPARE(pe.Selected(), found);
        QCOMPARE(pe.Mode(), found >= 0 ? PosMode::kMove : PosMode::kSearch);
        QCOMPARE(int(pe.Points().size()), 2);  // a search never adds
    }

    void clickingALineEndsSearchMode() {
        PosEditorFixture f;
        f.Open({Cmd(QStringLiteral("line"), A + QStringLiteral(",") + B)});
        f.EditPos(1);
        PosEditor& pe = f.pe();
        pe.SetMode(PosMode::kSearch);
        pe.ClickLine(1);
        QCOMPARE(pe.Mode(), PosMode::kNone);
        QCOMPARE(pe.CurKei(), QStringLiteral("135/01/00.0"));
        // With no mode the action only reads the mark.
        f.ClickAt(At(C));
        QCOMPARE(int(pe.Points().size()), 2);
        QCOMPARE(pe.CurIdo(), QStringLiteral("35/01/00.0"));
    }

    void snapTakesTheNearestPointOfAnotherFigure_data() {
        QTest::addColumn<QString>("near");
        QTest::addColumn<QString>("added");
        // At 1:25,000 a figure within 100 m counts. The edited figure's own old points do not.
        QTest::newRow("onto the other figure's point") << "35/02/00.2 135/02/00.3" << "35/02/00.0,135/02/00.0";
        QTest::newRow("not onto the figure being edited") << "35/00/00.2 135/00/00.3" << "35/00/00.2,135/00/00.3";
        QTest::newRow("nothing near") << "35/03/00.0 135/03/00.0" << "35/03/00.0,135/03/00.0";
    }
    void snapTakesTheNearestPointOfAnotherFigure() {
        QFETCH(QString, near);
        QFETCH(QString, added);
        PosEditorFixture f;
        f.Open({Cmd(QStringLiteral("line"), A + QStringLiteral(",") + B),
                Cmd(QStringLiteral("point"), QStringLiteral("35/02/00.0,135/02/00.0"))});
        f.EditPos(1);
        PosEditor& pe = f.pe();
        QVERIFY(pe.RunAction(QStringLiteral("ReferPos")));
        QVERIFY(pe.ReferPos());
        f.ClickAt(near);
        QVERIFY(pe.Ok());
        QCOMPARE(f.PosOf(1), A + QStringLiteral(",") + B + QStringLiteral(",") + added);
    }

    void theMapShowsNumbersFigureAndMark() {
        PosEditorFixture f;
        f.Open({Cmd(QStringLiteral("area"), A + QStringLiteral(",") + B + QStringLiteral(",") + C)});
        f.EditPos(1);
        PosEditor& pe = f.pe();
        QStringList labels;
        for (const auto& [id, t] : f.map.Texts()) labels << t.text;
        QCOMPARE(labels, (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}));
        QCOMPARE(f.map.Texts().begin()->second.lat_deg, 35.0);
        // The figure in the "Edit" style: green, closed.
        const MapShape* edit = f.map.Shape(pe.EditFigure());
        QVERIFY(edit);
        QVERIFY(edit->polygon);
        QCOMPARE(edit->style.lineColor, RgbValue(0, 255, 0));
        // The area's ring is closed by its position text, and once more by the drawing.
        QCOMPARE(int(edit->lat_ms.size()), 5);
        // A new point: a fourth label, the figure drawn anew with it.
        const int before = pe.EditFigure();
        f.ClickAt(At(D));
        QCOMPARE(int(f.map.Texts().size()), 4);
        QVERIFY(!f.map.Shape(before));
        QCOMPARE(int(f.map.Shape(pe.EditFigure())->lat_ms.size()), 6);
        QVERIFY(pe.CalcResult().endsWith(QStringLiteral(" km")));
        // Without numbers, a clicked point is marked on the map instead.
        QVERIFY(pe.RunAction(QStringLiteral("DispNum")));
        QVERIFY(f.map.Texts().empty());
        pe.ClickLine(1);
        const MapShape* mark = f.map.Shape(pe.MarkFigure());
        QVERIFY(mark);
        QCOMPARE(mark->style.lineColor, RgbValue(0, 0, 255));
        // Figure switch off: the figure goes; on: it comes back.
        QVERIFY(pe.RunAction(QStringLiteral("DispFigureFg")));
        QCOMPARE(pe.EditFigure(), 0);
        QCOMPARE(f.map.ShapeCount(), 0);
        QVERIFY(pe.RunAction(QStringLiteral("DispFigureFg")));
        QVERIFY(pe.EditFigure() > 0);
        // Numbers on again: Refresh draws them.
        QVERIFY(pe.RunAction(QStringLiteral("DispNum")));
        QCOMPARE(int(f.map.Texts().size()), 4);
        pe.Cancel();
        QVERIFY(f.map.Texts().empty());
        QCOMPARE(f.map.ShapeCount(), 0);
        QCOMPARE(f.PosOf(1), A + QStringLiteral(",") + B + QStringLiteral(",") + C);  // Cancel keeps it
    }

    void partialLengthsAlongALine() {
        PosEditorFixture f;
        const QString far = QStringLiteral("35/00/00.0,135/03/00.0");
        f.Open({Cmd(QStringLiteral("line"), A + QStringLiteral(",") + B + QStringLiteral(",") + far)});
        f.EditPos(1);
        PosEditor& pe = f.pe();
        const double ab = CalcDistance(35, 135, 35, 135 + 1 / 60.0);
        const double bc = CalcDistance(35, 135 + 1 / 60.0, 35, 135.05);
        const auto km = [](double v) { return FormatMeasure(0, v, MeasureText::Length); };
        pe.ClickLine(2);
        QVERIFY(pe.RunAction(QStringLiteral("CalcP")));
        QCOMPARE(pe.CalcResult(), km(ab + bc) + " (Diff :  " + km(ab + bc) + " )");
        pe.ClickLine(1);
        QVERIFY(pe.RunAction(QStringLiteral("CalcP")));
        QCOMPARE(pe.CalcResult(), km(ab) + " (Diff : -" + km(bc) + " )");
        QVERIFY(pe.RunAction(QStringLiteral("Calc")));
        QCOMPARE(pe.CalcResult(), km(ab + bc));
    }

    // The window stays open while the list changes; OK writes into the command it was
    // opened for, wherever that went, and into no other.
    void okGoesBackToTheCommandItWasOpenedFor_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<int>("edited");  // the line the edited command ends on
        QTest::newRow("another command loaded") << "load" << 2;
        QTest::newRow("a copy pasted above it") << "paste" << 3;
        QTest::newRow("moved up") << "up" << 1;
        QTest::newRow("the line above moved down") << "down" << 1;
        QTest::newRow("another edit undone") << "undo" << 2;
    }
    void okGoesBackToTheCommandItWasOpenedFor() {
        QFETCH(QString, change);
        QFETCH(int, edited);
        PosEditorFixture f;
        const QString point = Cmd(QStringLiteral("point"), C);
        f.Open({point, Cmd(QStringLiteral("line"), A + QStringLiteral(",") + B)});
        f.EditPos(2);
        f.ClickAt(At(D));
        Editor& e = f.editor();
        if (change == QLatin1String("load")) {
            e.ClickLine(1);
        } else if (change == QLatin1String("paste")) {
            e.ClickLine(1);
            e.Copy();
            e.Paste();
        } else if (change == QLatin1String("up")) {
            e.ClickLine(2);
            e.MoveUp();
        } else if (change == QLatin1String("down")) {
            e.ClickLine(1);
            e.MoveDown();
        } else if (change == QLatin1String("undo")) {
            e.ClickLine(1);
            e.SetParValue(1, QStringLiteral("9"));
            QVERIFY(e.ApplyPendingEdits());
            QVERIFY(e.Undo());
        }
        QVERIFY(f.pe().Ok());
        QCOMPARE(f.PosOf(edited), A + QStringLiteral(",") + B + QStringLiteral(",") + D);
        for (int i = 1; i < e.List().Count() - 1; ++i)
            if (i != edited) QCOMPARE(e.CommandTextAt(i), point);
    }

    void addingAFigureFromTheMenuOpensTheEditor() {
        PosEditorFixture f;
        f.Open({Cmd(QStringLiteral("point"), C)});
        f.editor().ClickLine(1);
        QVERIFY(f.editor().RunAction(QStringLiteral("KelEditFigureAddObjectFigureArea")));
        PosEditor& pe = f.pe();
        QVERIFY(pe.IsOpen());
        QCOMPARE(pe.KelCmd(), QStringLiteral("area"));
        QCOMPARE(pe.Mode(), PosMode::kAdd);
        for (const QString& at : {A, B, C}) f.ClickAt(At(at));
        QVERIFY(pe.Ok());
        const int added = f.editor().List().Current();
        QCOMPARE(f.PosOf(added), A + QStringLiteral(",") + B + QStringLiteral(",") + C + QStringLiteral(",") + A);
        // The position is one step of its own: undone, the new area has none again.
        QVERIFY(f.editor().Undo());
        QVERIFY(f.PosOf(added).isEmpty());
    }

    void okRefusesWhenTheCommandIsGone() {
        PosEditorFixture f;
        f.Open({Cmd(QStringLiteral("line"), A + QStringLiteral(",") + B), Cmd(QStringLiteral("point"), C)});
        f.EditPos(1);
        f.ClickAt(At(D));
        f.editor().List().Remove(1);
        f.prompts().Clear();
        QVERIFY(!f.pe().Ok());
        QVERIFY(f.pe().IsOpen());
        QCOMPARE(f.prompts().Last().title, QStringLiteral("Caution"));
        QCOMPARE(f.PosOf(1), C);
    }

    // Each selection of "Spatial Select" with a reference figure drawn in "GetPos". Lines:
    // 1 a point inside the drawn rect, 2 a point far outside, 3 a line from the first point
    // outwards, 4 a large area around everything near the rect (its outline stays outside).
    void referenceFigureForSpatialSelection_data() {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("kindClicks");
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<bool>("fullOverlap");
        QTest::addColumn<QList<int>>("selected");
        const QString interior = QStringLiteral("MenuExecFindInterior");
        const QStringList rect{QStringLiteral("35/00/00.0 135/00/00.0"), QStringLiteral("35/01/00.0 135/01/00.0")};
        QTest::newRow("interior, rect") << interior << 1 << 0 << rect << false << QList<int>{1, 3};
        QTest::newRow("interior, full overlap") << interior << 1 << 0 << rect << true << QList<int>{1};
        // rect -> circle1 -> circle2 -> area: a triangle holding the first point.
        QTest::newRow("interior, area") << interior << 1 << 3
                                        << QStringList{QStringLiteral("35/00/00.0 135/00/00.0"),
                                                       QStringLiteral("35/02/00.0 135/00/00.0"),
                                                       QStringLiteral("35/00/00.0 135/02/00.0")}
                                        << true << QList<int>{1};
        // rect -> circle1 -> circle2: two ends of a diameter about the first point; the
        // circle is drawn while it is entered.
        QTest::newRow("interior, circle2") << interior << 1 << 2
                                           << QStringList{QStringLiteral("35/00/00.0 135/00/00.0"),
                                                          QStringLiteral("35/01/00.0 135/01/00.0")}
                                           << false << QList<int>{1, 3};
        QTest::newRow("exterior") << "MenuExecFindExterior" << 1 << 0 << rect << false << QList<int>{2, 4};
        // Any figure can be the container's reference: from the header line one is drawn.
        QTest::newRow("container") << "MenuExecFindContainer" << 0 << 0 << rect << false << QList<int>{4};
    }
    void referenceFigureForSpatialSelection() {
        QFETCH(QString, menu);
        QFETCH(int, current);
        QFETCH(int, kindClicks);
        QFETCH(QStringList, clicks);
        QFETCH(bool, fullOverlap);
        QFETCH(QList<int>, selected);
        PosEditorFixture f;
        f.Open({Cmd(QStringLiteral("point"), QStringLiteral("35/00/30.0,135/00/30.0")),
                Cmd(QStringLiteral("point"), QStringLiteral("35/05/00.0,135/05/00.0")),
                Cmd(QStringLiteral("line"), QStringLiteral("35/00/30.0,135/00/30.0,35/05/00.0,135/05/00.0")),
                Cmd(QStringLiteral("area"), QStringLiteral("34/59/00.0,134/59/00.0,34/59/00.0,135/10/00.0,"
                                                           "35/10/00.0,135/10/00.0,35/10/00.0,134/59/00.0"))});
        f.session.spatial().SetFullOverlap(fullOverlap);
        f.editor().ClickLine(current);  // not a reference for the selection: one is drawn
        f.prompts().Answer(kAnswerYes);
        QVERIFY(f.editor().RunAction(menu));
        PosEditor& pe = f.pe();
        QVERIFY(pe.IsOpen());
        QCOMPARE(pe.Title(), QStringLiteral("GetPos"));
        QCOMPARE(pe.KelCmd(), QStringLiteral("rect"));
        QCOMPARE(pe.Mode(), PosMode::kAdd);
        QVERIFY(pe.MenuFileCmdEnabled());
        QVERIFY(!pe.MenuFileArrowEnabled());
        for (int k = 0; k < kindClicks; ++k) QVERIFY(pe.RunAction(QStringLiteral("MenuFileCmd")));
        for (const QString& at : clicks) f.ClickAt(at);
        QVERIFY(pe.EditFigure() > 0);
        QVERIFY(pe.Ok());
        QVERIFY(!pe.IsOpen());
        const std::vector<int> got = f.editor().List().SelectedIndexes();
        QCOMPARE(QList<int>(got.begin(), got.end()), selected);
        // The results are drawn on the map, nothing else is left there.
        QCOMPARE(f.session.figureView().ViewSelectedCaption(), QStringLiteral("Off"));
        QCOMPARE(f.map.ShapeCount(), int(selected.size()));
        for (int i : selected) QVERIFY(f.map.Shape(ListLineFigure(f.editor().List().Line(i))));
    }

    void kindAndArrowBelongToTheirRoles() {
        PosEditorFixture f;
        f.Open({Cmd(QStringLiteral("line"), A + QStringLiteral(",") + B)});
        f.EditPos(1);
        PosEditor& pe = f.pe();
        QVERIFY(pe.RunAction(QStringLiteral("KelCmd")));
        QCOMPARE(pe.KelCmd(), QStringLiteral("line"));  // EditPos keeps the command's kind
        pe.Cancel();
        pe.OpenGetPos(QStringLiteral("line"), QStringLiteral("> ") + A, nullptr);
        QCOMPARE(pe.ArrowStr(), QString());
        QVERIFY(!pe.ArrowVisible());
        QVERIFY(pe.RunAction(QStringLiteral("MenuFileArrow")));
        QCOMPARE(pe.ArrowStr(), QString());
        QStringList kinds;
        for (int k = 0; k < 6; ++k) {
            QVERIFY(pe.RunAction(QStringLiteral("KelCmd")));
            kinds << pe.KelCmd();
        }
        QCOMPARE(kinds, (QStringList{"rect", "circle1", "circle2", "area", "point", "line"}));
    }

    void reopeningAsksBeforeDroppingEnteredPoints() {
        PosEditorFixture f;
        f.Open({Cmd(QStringLiteral("line"), A), Cmd(QStringLiteral("point"), C)});
        f.EditPos(1);
        f.ClickAt(At(B));
        f.prompts().Answer(kAnswerNo);
        f.EditPos(2);
        QCOMPARE(f.pe().KelCmd(), QStringLiteral("line"));
        QCOMPARE(int(f.pe().Points().size()), 2);
        f.prompts().Answer(kAnswerYes);
        f.EditPos(2);
        QCOMPARE(f.pe().KelCmd(), QStringLiteral("point"));
        QCOMPARE(int(f.map.Texts().size()), 1);  // the first opening's labels are gone
    }
};

KEL_TEST(PosEditorTest);

#include "tst_PosEditor.moc"
