// Position arithmetic of the figure edits: positions kept with their marks and arrow through
// move, divide and Join Pos, and the edits refused rather than losing positions.
#include "TestMain.h"
#include "geo/FigureEditOps.h"
#include "geo/PosList.h"

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
        auto divide = [](const QString& pos, double node) {
            const DividedPos d = DividePos(pos, {node, 35, 139});
            return d.first.isEmpty() && d.second.isEmpty() ? d.refusal : EditRefusal::kNone;
        };
        for (double node : {1.0, 3.0, 3.5})  // first node, last node, beyond the line
            QCOMPARE(divide("35/0/0,139/0/0,35/0/0,139/0/10,35/0/10,139/0/10", node),
                     EditRefusal::kAtEnd);
        QCOMPARE(divide("", 1.5), EditRefusal::kNoPositions);
        QCOMPARE(divide(ManyPositions(kMaxPositions + 2), 2.0), EditRefusal::kOverLimit);
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
        // The next one's arrow is dropped.
        QCOMPARE(join("< 1/0/0,1/0/0", "< 2/0/0,2/0/0"), "< 1/0/0,1/0/0,2/0/0,2/0/0");
        QCOMPARE(join("1/0/0,1/0/0", ">2/0/0,2/0/0"), "1/0/0,1/0/0,2/0/0,2/0/0");
        // A "," after "&" or a trailing "," would open an empty field and pair each latitude
        // with the next position's longitude.
        QCOMPARE(join("1/0/0,1/0/0&", "2/0/0,2/0/0"), "1/0/0,1/0/0&2/0/0,2/0/0");
        QCOMPARE(join("1/0/0,1/0/0, ", "2/0/0,2/0/0"), "1/0/0,1/0/0,2/0/0,2/0/0");
    }
};

KEL_TEST(FigureEditOpsTest);
#include "tst_FigureEditOps.moc"
