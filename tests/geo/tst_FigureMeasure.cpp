// Area, length and 2DRMS of figures: from their own values, and at the editor's level from
// the command they belong to or from the parameter editor's value boxes.
#include <cmath>

#include "SpatialTestUtil.h"
#include "TestMain.h"
#include "common/Values.h"
#include "geo/EditorMeasure.h"
#include "geo/FigureMeasure.h"
#include "geo/Geometry.h"
#include "geo/PosList.h"

using namespace kel;
using namespace kel::test;

namespace {

// A line northward from 35/00/00,135/00/00 in steps of one minute of latitude.
QString NorthwardLine(int positions) {
    QStringList parts;
    for (int i = 0; i < positions; ++i)
        parts << QStringLiteral("%1/%2/00,135/00/00").arg(35 + i / 60).arg(i % 60);
    return parts.join(QLatin1Char(','));
}

AreaLength Measure(const QString& pos, const QString& type) {
    return MeasureFigure(pos, type, {}, {}, {});
}

}  // namespace

class FigureMeasureTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void measureText() {
        const QString one = "35/00/00,135/00/00", deg = one + ",36/00/00,135/00/00";
        auto text = [](const QString& pos, const QString& type, const QString& r,
                       const QString& width = {}, const QString& height = {}) {
            return MeasureFigureText(pos, type, r, width, height);
        };
        QCOMPARE(text(one, "circle", "1km", "9", "9"), "3.141593 km^2  / 6.283 km");
        QCOMPARE(text(deg, "line", ""), "111.307 km");
        // A rect of one corner takes its width and height (a missing side is the other).
        QCOMPARE(text(one, "rect", "", "2km", "500m"), "1.000000 km^2  / 5.000 km");
        QCOMPARE(text(one, "rect", "", "2000"), "4.000000 km^2  / 8.000 km");
        QCOMPARE(text(deg, "rect", ""), "12389.153897 km^2  / 445.226 km");  // north-south only
        QCOMPARE(text(deg, "area", ""), "0.000000 km^2  / 111.307 km");
        QCOMPARE(text(deg, "circle2", ""), "9730.418551 km^2  / 349.680 km");
        QCOMPARE(text(one, "circle1", ""), "0.000000 km^2  / 0.000 km");
        // Nothing for other commands and texts of three characters.
        QCOMPARE(text(one, "point", "1km"), "");
        QCOMPARE(text("1,2", "circle", "1km"), "");
    }

    void shapes() {
        // pi is taken as 3.1415926.
        const AreaLength c = MeasureFigure("35/00/00,135/00/00", "circle", "1km", {}, {});
        QCOMPARE(FormatNumber(c.length_km, u"0.0000000"), QStringLiteral("6.2831852"));
        QCOMPARE(FormatNumber(c.area_km2, u"0.0000000"), QStringLiteral("3.1415926"));
        // An area's length is that of the listed sides: the closing side only when listed.
        const QString open = QStringLiteral("35/00/00,135/00/00,35/00/00,135/01/00,"
                                            "35/01/00,135/01/00,35/01/00,135/00/00");
        const AreaLength a = Measure(open, "area");
        const AreaLength closed = Measure(open + ",35/00/00,135/00/00", "area");
        const double ns = CalcDistance(35.0, 135.0, 35 + 1.0 / 60, 135.0);
        const double ew = CalcDistance(35.0, 135.0, 35.0, 135 + 1.0 / 60);
        QVERIFY(std::abs(a.area_km2 - ns * ew) < 1e-3 * ns * ew);
        QVERIFY(std::abs(closed.area_km2 - a.area_km2) < 1e-12);
        QVERIFY(std::abs(a.length_km - (ns + 2 * ew)) < 1e-3);
        QVERIFY(std::abs(closed.length_km - 2 * (ns + ew)) < 1e-3);
        // The other way round, and south and west, the area is the same.
        const AreaLength back = Measure("-35/00/00,-135/00/00,-35/01/00,-135/00/00,"
                                        "-35/01/00,-135/01/00,-35/00/00,-135/01/00", "area");
        QVERIFY(std::abs(back.area_km2 - a.area_km2) < 1e-3 * a.area_km2);
    }

    // A figure at the position limit is measured up to the limit, without overrun.
    void positionLimit() {
        const QString over = NorthwardLine(kMaxPositions + 5);
        const double minute = CalcDistance(35.0, 135.0, 35 + 1.0 / 60, 135.0);
        const AreaLength line = Measure(NorthwardLine(kMaxPositions), "line");
        QVERIFY(std::abs(line.length_km - (kMaxPositions - 1) * minute) < 1e-6);
        QCOMPARE(Measure(over, "line").length_km, line.length_km);
        QCOMPARE(Measure(over, "area").area_km2, 0.0);  // all on one meridian
        QVERIFY(std::abs(Measure(over, "rect").area_km2 - minute * minute) < 1e-9);
    }

    void circleToCircle1() {
        auto c1 = [](const QString& pos, const QString& r) {
            const QString out = CircleToCircle1(pos, r);
            // As "circle1" it measures about like the circle (the rim is rounded to 0.1").
            const double l = Measure(out, "circle1").length_km;
            return std::abs(l - MeasureFigure(pos, "circle", r, {}, {}).length_km) < 0.02
                       ? out : "measures otherwise: " + out;
        };
        QCOMPARE(c1("35/00/00,135/00/00", "1km"), "35/00/00.0,135/00/00.0,35/00/32.3,135/00/00.0");
        QCOMPARE(c1("!35/30/00,135/00/00&", "0"), "35/30/00.0,135/00/00.0,35/30/00.0,135/00/00.0");
        QCOMPARE(CircleToCircle1("", "1km"), "");
        QCOMPARE(CircleToCircle1("35/00/00", "1km"), "35/00/00");
    }

    // Four positions 0.001 degree north, south, east and west of (35, 135): the offsets are
    // arcs of 0.001 degree along the meridian and along the great circle through two points
    // of the parallel.
    void drms() {
        const double rad = 3.1415926 / 180, factor = 12754.79431;
        const double dy = factor * (0.0005 * rad) * 1000;
        const double dx = factor * std::asin(std::cos(35 * rad) * std::sin(0.0005 * rad)) * 1000;
        const double sx2 = dx * dx / 2, sy2 = dy * dy / 2;
        const QString expected = FormatNumber(2 * std::sqrt(sx2 + sy2), u"0.000") + " m (σx^2=" +
                                 FormatNumber(sx2, u"0.000") + ",σy^2=" +
                                 FormatNumber(sy2, u"0.000") + ")";
        const QString kel = "35/00/03.6,135/00/00,!34/59/56.4,135/00/00,"
                            "35/00/00,135/00/03.6&35/00/00,134/59/56.4";
        QCOMPARE(Calc2DRMS(kel, "KEL"), expected);
        QCOMPARE(Calc2DRMS("35.001,135,34.999,135,35,135.001,35,134.999", "D"), expected);
        QCOMPARE(Calc2DRMS("35/00/00,135/00/00", "KEL"),
                 QString::fromUtf8("0.000 m (σx^2=0.000,σy^2=0.000)"));
        QCOMPARE(Calc2DRMS(kel, "PAO"), "");  // not offered
        QCOMPARE(Calc2DRMS("", "KEL"), "");
    }

    // A figure is measured with its own r, width and height, never those of another command
    // or of the parameter editor: measuring the circles of a list gives each its own area.
    void eachFigureItsOwnSizes() {
        EditorFixture f;
        const QString centre = Pos({{35, 135}});
        SetCommands(f.editor,
                    {Cmd("circle", centre, "r=\"5km\""), Cmd("circle", centre, "r=\"1km\""),
                     Cmd("rect", centre, "width=\"3000\" height=\"1000\"")});
        f.editor.ClickLine(0);
        QCOMPARE(CalculateAreaLength(f.editor.CommandTextAt(1)).length_km, 2 * kPi);
        QCOMPARE(CalculateAreaLength(f.editor.CommandTextAt(2)).area_km2, 3.0);
        QCOMPARE(CalculateAreaLength(centre, "circle", f.editor.CommandTextAt(1)).area_km2, kPi);
        QCOMPARE(Calculate(centre, "circle", f.editor.CommandTextAt(1)),
                 QStringLiteral("3.141593 km^2  / 6.283 km"));
        QCOMPARE(Calculate(QString(), "circle", f.editor.CommandTextAt(1)), QString());
    }

    // The loaded command's report and the position editor take the value boxes, edits not
    // yet applied included, and only for a figure of the loaded command's type.
    void editorValues() {
        EditorFixture f;
        const QString centre = Pos({{35, 135}});
        const QString none = "0.000000 km^2  / 0.000 km", typed = "12.566370 km^2  / 12.566 km";
        SetCommands(f.editor, {Cmd("circle", centre, "r=\"5km\"")});
        QCOMPARE(CalculateOfEditor(f.editor, centre, "circle"), none);  // nothing loaded
        QCOMPARE(CalculateCurrentObject(f.editor), QString());
        f.editor.ClickLine(0);
        f.editor.SetParValue(4, "2km");  // r, not yet applied
        QCOMPARE(CalculateOfEditor(f.editor, centre, "circle"), typed);
        QCOMPARE(CalculateCurrentObject(f.editor), typed);
        QCOMPARE(CalculateOfEditor(f.editor, centre, "rect"), none);  // another type: no sizes
        QCOMPARE(f.editor.EditFg(), 0);  // nothing was applied
    }
};

KEL_TEST(FigureMeasureTest);
#include "tst_FigureMeasure.moc"
