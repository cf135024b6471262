// Position arithmetic of the figure edits: the map mark, reading and writing positions with
// their marks, move, divide, orienting and combining lines, and Join Pos.
#include "TestMain.h"
#include "geo/Coordinates.h"
#include "geo/FigureEditOps.h"
#include "geo/FigurePositions.h"
#include "geo/MapMark.h"

using namespace kel;

namespace {

constexpr double kSecond = 1.0 / 3600;

// n positions along a parallel, one second apart, as a `pos` value.
QString ManyPositions(int n) {
    QStringList parts;
    for (int i = 0; i < n; ++i)
        parts << QStringLiteral("35/40/00.0,139/%1/%2.0")
                     .arg(40 + i / 60)
                     .arg(i % 60, 2, 10, QLatin1Char('0'));
    return parts.join(QLatin1Char(','));
}

}  // namespace

class FigureEditOpsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void mark() {
        QCOMPARE(MarkTextToKel(" 35/30/12345 "), QStringLiteral("35/30/12.345"));
        QCOMPARE(MarkTextToKel("35/30/12.345"), QStringLiteral("35/30/12.345"));
        QCOMPARE(MarkTextToKel(""), QString());
        FixedMapMark map;
        QVERIFY(!ReadMark(nullptr).valid);
        QVERIFY(!ReadMark(&map).valid);  // no mark yet
        map.Set(QStringLiteral("35/30/12345"), QStringLiteral("139/45/00500"));
        const MarkPosition m = ReadMark(&map);
        QVERIFY(m.valid);
        QCOMPARE(m.lat_deg, 35 + 30.0 / 60 + 12.345 / 3600);
        QCOMPARE(m.lon_deg, 139 + 45.0 / 60 + 0.5 / 3600);
    }

    void arrowPrefixes_data() {
        QTest::addColumn<QString>("pos");
        QTest::addColumn<QString>("arrow");
        QTest::addColumn<QString>("swapped");
        QTest::newRow("none") << "35/0/0,135/0/0" << "" << "";
        QTest::newRow("< blank") << "< 35/0/0,135/0/0" << "< " << "> ";
        QTest::newRow("<>") << "<>35/0/0,135/0/0" << "<>" << "<>";
        QTest::newRow("single >") << ">35/0/0,135/0/0" << ">" << "<";
    }
    void arrowPrefixes() {
        QFETCH(QString, pos);
        QFETCH(QString, arrow);
        QFETCH(QString, swapped);
        QCOMPARE(ArrowPrefix(pos), arrow);
        QCOMPARE(SwappedArrow(arrow), swapped);
    }

    void positionsKeepTheirTextsAndMarks_data() {
        QTest::addColumn<QString>("pos");
        QTest::addColumn<QString>("written");
        QTest::addColumn<int>("count");
        QTest::newRow("decimals kept") << "35/40/00.123,139/40/00.456"
                                       << "35/40/00.123,139/40/00.456" << 1;
        QTest::newRow("marks") << "!35/0/0,135/0/0&36/0/0,136/0/0,!37/0/0,137/0/0&"
                               << "!35/0/0,135/0/0&36/0/0,136/0/0,!37/0/0,137/0/0&" << 3;
        QTest::newRow("arrow, blanks, line feeds") << "<> 35/0/0, 135/0/0,\n36/0/0,136/0/0"
                                                   << "<> 35/0/0,135/0/0,36/0/0,136/0/0" << 2;
        QTest::newRow("lone latitude") << "35/0/0,135/0/0,36/0/0" << "35/0/0,135/0/0" << 1;
        QTest::newRow("three characters") << "1,2" << "" << 0;
    }
    void positionsKeepTheirTextsAndMarks() {
        QFETCH(QString, pos);
        QFETCH(QString, written);
        QFETCH(int, count);
        const FigurePositions fp = ReadFigurePositions(pos);
        QCOMPARE(fp.count(), count);
        QCOMPARE(WriteFigurePositions(fp.arrow, fp.pos), written);
        // The values are those every other reader of positions sees.
        const PosDegrees d = ParsePosDegrees(pos);
        QCOMPARE(d.count(), count);
        for (int i = 0; i < count; ++i) {
            QCOMPARE(fp.pos[size_t(i)].lat_deg, d.lat[size_t(i)]);
            QCOMPARE(fp.pos[size_t(i)].lon_deg, d.lon[size_t(i)]);
        }
    }

    void move() {
        QCOMPARE(MovePos("35/40/59.5,139/40/00.0", kSecond, 2 * kSecond).pos,
                 QStringLiteral("35/41/00.5,139/40/02.0"));
        // Marks and the arrow are kept; a coordinate that does not move keeps its text.
        QCOMPARE(MovePos("<>!35/40/00.0,139/40/00&35/41/00.0,139/41/00", -kSecond, 0).pos,
                 QStringLiteral("<> !35/39/59.0,139/40/00&35/40/59.0,139/41/00"));
    }

    // Edits refused rather than losing positions: those beyond the table would be lost by
    // writing back only the positions read.
    void refusals() {
        QCOMPARE(MovePos(QString(), 1, 1).refusal, EditRefusal::kNoPositions);
        QCOMPARE(MovePos(ManyPositions(kMaxPositions + 1), kSecond, 0).refusal,
                 EditRefusal::kOverLimit);
        QVERIFY(MovePos(ManyPositions(kMaxPositions), kSecond, 0).ok());
        const QString half = ManyPositions(kMaxPositions / 2);
        QVERIFY(CombinePos(half, half, 1).ok());
        QCOMPARE(CombinePos(half, ManyPositions(kMaxPositions / 2 + 1), 1).refusal,
                 EditRefusal::kOverLimit);
        QVERIFY(JoinPosTexts(ManyPositions(kMaxPositions - 1), ManyPositions(1)).ok());
        QCOMPARE(JoinPosTexts(ManyPositions(kMaxPositions), ManyPositions(1)).refusal,
                 EditRefusal::kOverLimit);
    }

    void divideCutsALine_data() {
        QTest::addColumn<QString>("pos");
        QTest::addColumn<double>("node");
        QTest::addColumn<QString>("spotLon");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        const QString abc = "35/0/0,139/0/0,35/0/0,139/0/10,35/0/10,139/0/10";
        QTest::newRow("at a node: both parts share it")
            << abc << 2.0 << "139/0/10" << "35/0/0,139/0/0,35/0/0,139/0/10"
            << "35/0/0,139/0/10,35/0/10,139/0/10";
        QTest::newRow("on a side: the spot ends one part and starts the other")
            << abc << 1.5 << "139/0/5" << "35/0/0,139/0/0,35/00/00.0,139/00/05.0"
            << "35/00/00.0,139/00/05.0,35/0/0,139/0/10,35/0/10,139/0/10";
        QTest::newRow("arrow in both parts, marks kept")
            << "< !35/0/0,139/0/0&35/0/0,139/0/10,35/0/10,139/0/10" << 2.0 << "139/0/10"
            << "< !35/0/0,139/0/0&35/0/0,139/0/10" << "< 35/0/0,139/0/10,35/0/10,139/0/10";
    }
    void divideCutsALine() {
        QFETCH(QString, pos);
        QFETCH(double, node);
        QFETCH(QString, spotLon);
        QFETCH(QString, first);
        QFETCH(QString, second);
        const DividedPos d = DividePos(pos, {node, 35, KelToDegrees(spotLon)});
        QVERIFY(d.ok());
        QCOMPARE(d.first, first);
        QCOMPARE(d.second, second);
    }

    void divideRefusesACutThatLeavesOnePosition_data() {
        QTest::addColumn<QString>("pos");
        QTest::addColumn<double>("node");
        QTest::addColumn<int>("refusal");
        const QString abc = "35/0/0,139/0/0,35/0/0,139/0/10,35/0/10,139/0/10";
        QTest::newRow("first node") << abc << 1.0 << int(EditRefusal::kAtEnd);
        QTest::newRow("last node") << abc << 3.0 << int(EditRefusal::kAtEnd);
        QTest::newRow("beyond the line") << abc << 3.5 << int(EditRefusal::kAtEnd);
        QTest::newRow("empty pos") << "" << 1.5 << int(EditRefusal::kNoPositions);
        QTest::newRow("over the limit")
            << ManyPositions(kMaxPositions + 2) << 2.0 << int(EditRefusal::kOverLimit);
    }
    void divideRefusesACutThatLeavesOnePosition() {
        QFETCH(QString, pos);
        QFETCH(double, node);
        QFETCH(int, refusal);
        const DividedPos d = DividePos(pos, {node, 35, 139});
        QCOMPARE(int(d.refusal), refusal);
        QVERIFY(d.first.isEmpty() && d.second.isEmpty());
    }

    void orientingPutsTheSnappedEndLast_data() {
        QTest::addColumn<QString>("pos");
        QTest::addColumn<int>("end");
        QTest::addColumn<QString>("oriented");
        const QString ab = "1/0/0,2/0/0,3/0/0,4/0/0", ba = "3/0/0,4/0/0,1/0/0,2/0/0";
        QTest::newRow("last end: unchanged") << "< " + ab << 2 << "< " + ab;
        QTest::newRow("first end: reversed, arrow turned") << "< " + ab << 1 << "> " + ba;
        QTest::newRow("both-way arrow kept") << "<>" + ab << 1 << "<> " + ba;
        QTest::newRow("one position") << "<1/0/0,2/0/0" << 1 << "< 1/0/0,2/0/0";
    }
    void orientingPutsTheSnappedEndLast() {
        QFETCH(QString, pos);
        QFETCH(int, end);
        QFETCH(QString, oriented);
        const OrientedLine o = OrientToEnd(pos, end);
        QVERIFY(o.ok());
        QCOMPARE(o.pos, oriented);
    }

    void joinAppendsTheNextPositions_data() {
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("next");
        QTest::addColumn<QString>("joined");
        QTest::newRow("next's arrow dropped") << "< 1/0/0,1/0/0" << "< 2/0/0,2/0/0"
                                              << "< 1/0/0,1/0/0,2/0/0,2/0/0";
        QTest::newRow("single arrow dropped") << "1/0/0,1/0/0" << ">2/0/0,2/0/0"
                                              << "1/0/0,1/0/0,2/0/0,2/0/0";
        // A "," after these would open an empty field and pair each latitude with the next
        // position's longitude.
        QTest::newRow("current ends with &") << "1/0/0,1/0/0&" << "2/0/0,2/0/0"
                                             << "1/0/0,1/0/0&2/0/0,2/0/0";
        QTest::newRow("current ends with , and blanks") << "1/0/0,1/0/0, " << "2/0/0,2/0/0"
                                                        << "1/0/0,1/0/0,2/0/0,2/0/0";
    }
    void joinAppendsTheNextPositions() {
        QFETCH(QString, current);
        QFETCH(QString, next);
        QFETCH(QString, joined);
        const MovedPos j = JoinPosTexts(current, next);
        QVERIFY(j.ok());
        QCOMPARE(j.pos, joined);
        QCOMPARE(ParsePosDegrees(j.pos).count(),
                 ParsePosDegrees(current).count() + ParsePosDegrees(next).count());
    }
};

KEL_TEST(FigureEditOpsTest);
#include "tst_FigureEditOps.moc"
