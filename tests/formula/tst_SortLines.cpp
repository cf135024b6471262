// The sort of the list by a formula: candidates and fixed lines, numeric and text order,
// ties, one evaluation per line, the selection moving with its lines, the prompt, and an
// edit waiting in the parameter editor.
#include "BulkFixture.h"
#include "TestMain.h"
#include "platform/Prompts.h"

using namespace kel;
using kel::test::BulkFixture;

namespace {

using Lines = QList<int>;

QString P(const char* oid, const char* str) {
    return QStringLiteral("point oid=\"%1\" gid=\"1\" pos=\"35/40/00.0,139/46/00.0\" str=\"%2\";")
        .arg(QString::fromUtf8(oid), QString::fromUtf8(str));
}

const QStringList kScript = {
    QStringLiteral("//Header:Prog:\"1.0.8.0\" Templ:\"1.2\" Date:\"2026/12/06\";"),
    QStringLiteral("group gid=\"1\" gname=\"x\";"),
    P("3", "A"), P("10", "B"), QStringLiteral("disp all;"), P("3", "D"), P("2", "C"),
};

Lines Selected(const BulkFixture& f) {
    Lines out;
    for (int i : f.editor.List().SelectedIndexes()) out << i;
    return out;
}

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
        QTest::newRow("down figures, others stay")
            << Lines{} << "oid" << -1 << true << "comment|group|B|A|disp|D|C" << Lines{} << 4;
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
        BulkFixture f;
        f.SetScript(kScript);
        for (int i : selected) f.editor.List().SetSelected(i, true);
        f.SetCurrentQuietly(3);
        const QStringList before = f.Texts();
        const qint64 evaluated = f.engine.EvaluationCount();
        f.ops.bulk.SortLines(formula, direction, figuresOnly);
        QCOMPARE(f.Labels(), labels);
        QCOMPARE(Selected(f), selectedAfter);
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

    void prompt() {
        BulkFixture f;
        f.SetScript(kScript);
        f.prompts().Type(QStringLiteral(" oid "));
        QVERIFY(f.editor.RunAction(QStringLiteral("MenuEditListSortUpFigure")));
        const PromptRecord q = f.prompts().Last();
        QCOMPARE(q.prompt, QStringLiteral("Listの並べ替えに使う式を入力してください\n") +
                               QString(51, QLatin1Char('-')));
        QCOMPARE(q.title, QStringLiteral("Sort"));
        QCOMPARE(q.defaultText, QString());
        QCOMPARE(f.Labels(), QStringLiteral("comment|group|C|A|disp|D|B"));
        QCOMPARE(f.ops.bulk.LastSortFormula(), QStringLiteral("oid"));

        f.prompts().CancelInput();
        QVERIFY(f.editor.RunAction(QStringLiteral("MenuEditListSortDown")));
        QCOMPARE(f.prompts().Last().defaultText, QStringLiteral("oid"));
        QCOMPARE(f.Labels(), QStringLiteral("comment|group|C|A|disp|D|B"));

        f.prompts().Type(QStringLiteral("oid"));
        QVERIFY(f.editor.RunAction(QStringLiteral("MenuEditListSortDown")));
        QCOMPARE(f.Labels(), QStringLiteral("B|group|A|D|C|comment|disp"));
    }

    // The parameter editor knows its entry by line number: an edit waiting there stays with
    // its command when the sort moves it, and no other command is overwritten later.
    void pendingEditMovesWithItsCommand() {
        BulkFixture f;
        f.SetScript(kScript);
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
