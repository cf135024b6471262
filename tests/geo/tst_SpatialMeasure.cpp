#include "SpatialTestUtil.h"
#include "TestMain.h"
#include "geo/EditorMeasure.h"
#include "geo/Geometry.h"

using namespace kel;
using namespace kel::test;

namespace {

const QString kCentre = Pos({{35, 135}});

}  // namespace

class SpatialMeasureTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void ownValues_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("text");
        QTest::newRow("circle") << Cmd("circle", kCentre, "r=\"1km\"")
                                << "3.141593 km^2  / 6.283 km";
        QTest::newRow("no position") << Cmd("circle", QString(), "r=\"1km\"") << "";
    }
    void ownValues() {
        QFETCH(QString, command);
        QFETCH(QString, text);
        const QString pos = GetParamValue(command, QStringLiteral("pos"));
        QCOMPARE(Calculate(pos, CommandWord(command), command), text);
    }

    // A figure is measured with its own r, width and height, whatever the parameter editor
    // holds: measuring the circles of a list gives each its own area.
    void eachFigureItsOwnSizes() {
        EditorFixture f;
        SetCommands(f.editor, {Cmd("circle", kCentre, "r=\"5km\""), Cmd("circle", kCentre, "r=\"1km\""),
                               Cmd("rect", kCentre, "width=\"3000\" height=\"1000\"")});
        f.editor.ClickLine(0);
        QCOMPARE(CalculateAreaLength(f.editor.CommandTextAt(1)).length_km, 2 * kPi);
        QCOMPARE(CalculateAreaLength(f.editor.CommandTextAt(2)).area_km2, 3.0);
        QCOMPARE(CalculateAreaLength(kCentre, "circle", f.editor.CommandTextAt(1)).area_km2, kPi);
    }

    // The loaded command's report and the position editor take the value boxes, edits not
    // yet applied included, and only for a figure of the loaded command's type.
    void editorValues_data() {
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("text");
        QTest::newRow("circle as loaded") << 0 << 0 << "" << "circle"
                                          << "78.539815 km^2  / 31.416 km";
        QTest::newRow("circle with an unapplied r") << 0 << 4 << "2km" << "circle"
                                                    << "12.566370 km^2  / 12.566 km";
        QTest::newRow("rect with unapplied sizes") << 1 << 5 << "500" << "rect"
                                                   << "1.500000 km^2  / 7.000 km";
        QTest::newRow("another type takes no sizes") << 0 << 0 << "" << "rect"
                                                     << "0.000000 km^2  / 0.000 km";
        QTest::newRow("a drawn circle1 needs none") << 1 << 0 << "" << "circle1"
                                                    << "0.000000 km^2  / 0.000 km";
    }
    void editorValues() {
        QFETCH(int, line);
        QFETCH(int, slot);
        QFETCH(QString, value);
        QFETCH(QString, type);
        QFETCH(QString, text);
        EditorFixture f;
        SetCommands(f.editor, {Cmd("circle", kCentre, "r=\"5km\""),
                               Cmd("rect", kCentre, "width=\"3000\" height=\"1000\"")});
        f.editor.ClickLine(line);
        if (slot > 0) f.editor.SetParValue(slot, value);
        QCOMPARE(CalculateOfEditor(f.editor, kCentre, type), text);
        if (type == CommandWord(f.editor.CommandTextAt(line)))
            QCOMPARE(CalculateCurrentObject(f.editor), text);
        // Nothing was applied.
        QCOMPARE(f.editor.EditFg(), 0);
    }

    void nothingLoaded() {
        EditorFixture f;
        SetCommands(f.editor, {Cmd("circle", kCentre, "r=\"5km\"")});
        QCOMPARE(CalculateCurrentObject(f.editor), QString());
        QCOMPARE(CalculateOfEditor(f.editor, kCentre, "circle"), "0.000000 km^2  / 0.000 km");
    }
};

KEL_TEST(SpatialMeasureTest);
#include "tst_SpatialMeasure.moc"
