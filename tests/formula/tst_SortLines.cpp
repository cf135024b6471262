// The sort of the list by a formula: candidates and fixed lines, numeric and text order,
// ties, one evaluation per line, the selection moving with its lines, and an edit waiting
// in the parameter editor.
#include "FormulaFixture.h"
#include "TestMain.h"
#include "platform/Prompts.h"

using namespace kel;
using kel::test::BulkFixture;
using kel::test::Lines;
using kel::test::Point;

namespace {
const QStringList kScript = {
    kel::test::kHeader,
    QStringLiteral("group gid=\"1\" gname=\"x\";"),
    Point("3", "1", "A"), Point("10", "1", "B"), QStringLiteral("disp all;"),
    Point("3", "1", "D"), Point("2", "1", "C"),
};
}  // namespace

class SortLinesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sort_data() {
        QTest::addColumn<Lines>("selected");
        QTest::addColumn<QString>("formula");
        QTest::addColumn<int>("direction");
        QTest::addColumn<bool>("figuresOnly");
        QTest::addColumn<QString>("labels");
        QTest::addColumn<Lines>("selectedAfter");
        QTest::addColumn<int>("evaluations");
        QTest::newRow("up, other commands move, group stays")
            << Lines{} << "oid" << 1 << false << "comment|group|disp|C|A|D|B" << Lines{} << 6;
        QTest::newRow("up figures, ties keep their order")
            << Lines{} << "oid" << 1 << true << "comment|group|C|A|disp|D|B" << Lines{} << 4;
        QTest::newRow("selection: unselected figures stay, states move")
            << Lines{2, 6} << "oid" << 1 << false << "comment|group|disp|B|C|D|A" << Lines{4, 6}
            << 4;
        QTest::newRow("text order") << Lines{} << "Join(a,oid)" << 1 << true
                                    << "comment|group|B|C|disp|A|D" << Lines{} << 12;
        QTest::newRow("counter gives one value per line")
            << Lines{} << "Inc(1,1)" << -1 << true << "comment|group|C|D|disp|B|A" << Lines{} << 12;
        QTest::newRow("already in order") << Lines{} << "Index" << 1 << true
                                          << "comment|group|A|B|disp|D|C" << Lines{} << 4;
    }
    void sort() {
        QFETCH(Lines, selected);
        QFETCH(QString, formula);
        QFETCH(int, direction);
        QFETCH(bool, figuresOnly);
        QFETCH(QString, labels);
        QFETCH(Lines, selectedAfter);
        QFETCH(int, evaluations);
        BulkFixture f(kScript);
        f.Select(selected);
        f.SetCurrentQuietly(3);
        const QStringList before = f.Texts();
        const qint64 evaluated = f.engine.EvaluationCount();
        f.ops.bulk.SortLines(formula, direction, figuresOnly);
        QCOMPARE(f.Labels(), labels);
        QCOMPARE(f.Selected(), selectedAfter);
        QCOMPARE(f.engine.EvaluationCount() - evaluated, qint64(evaluations));
        QCOMPARE(f.editor.EditFg(), f.Texts() == before ? 0 : 1);
        // The texts themselves are not touched, only their order.
        QStringList sortedBefore = before, sortedAfter = f.Texts();
        sortedBefore.sort();
        sortedAfter.sort();
        QCOMPARE(sortedAfter, sortedBefore);
        QCOMPARE(f.editor.List().Current(), 3);
        QCOMPARE(f.editor.Params().kelListNCaption, QStringLiteral("3"));
        QVERIFY(!f.editor.ListClickSuppressed());
        QCOMPARE(f.prompts().Asked().size(), 0);
    }

    // The parameter editor knows its entry by line number: an edit waiting there stays with
    // its command when the sort moves it, and no other command is overwritten later.
    void pendingEditMovesWithItsCommand() {
        BulkFixture f(kScript);
        f.editor.ClickLine(2);
        f.editor.SetParValue(4, QStringLiteral("A2"));
        f.ops.bulk.SortLines(QStringLiteral("oid"), 1, true);
        QCOMPARE(f.Labels(), QStringLiteral("comment|group|C|A2|disp|D|B"));
        f.editor.ClickLine(5);
        QCOMPARE(f.Labels(), QStringLiteral("comment|group|C|A2|disp|D|B"));
    }
};

KEL_TEST(SortLinesTest);
#include "tst_SortLines.moc"
