// The bulk input of parameter values: right sides, element numbers, the working set and the
// selection put back, lines reading lines already changed, refused values. The sort of the
// list by a formula: candidates and fixed lines, numeric and text order, ties, one
// evaluation per line, the selection moving with its lines. Edits waiting in the parameter
// editor are kept by both.
#include "FormulaFixture.h"
#include "TestMain.h"
#include "list/ListLine.h"
#include "platform/Prompts.h"

using namespace kel;
using kel::test::BulkFixture;
using kel::test::Lines;
using kel::test::Point;

namespace {

const QStringList kLumpScript = {
    kel::test::kHeader,
    QStringLiteral("point oid=\"1\" gid=\"1\" pos=\"35/40/00.0,139/46/00.0\" str=\"a\";"),
    QStringLiteral("point oid=\"2\" gid=\"2\" pos=\"35/40/00.0,139/46/00.0,35/41/00.0\" str=\"b\";"),
    QStringLiteral("disp all;"),
    QStringLiteral("line oid=\"3\" gid=\"1\" pos=\"35/00/00.0,139/00/00.0,35/01/00.0\";"),
    QStringLiteral("point oid=\"4\" gid=\"2\" pos=\"35/40/00.0,139/46/00.0\" str=\"a)b,c\";"),
};
const QString kPos = QStringLiteral(
    "|35/40/00.0,139/46/00.0|35/40/00.0,139/46/00.0,35/41/00.0||35/00/00.0,139/00/00.0,35/01/00.0|"
    "35/40/00.0,139/46/00.0");

// Sorted: between a group and a comment, figures and a disp command.
const QStringList kSortScript = {
    kel::test::kHeader,
    QStringLiteral("group gid=\"1\" gname=\"x\";"),
    Point("3", "1", "A"), Point("10", "1", "B"), QStringLiteral("disp all;"),
    Point("3", "1", "D"), Point("2", "1", "C"),
};
}  // namespace

class LumpInputTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void lump_data() {
        QTest::addColumn<Lines>("selected");
        QTest::addColumn<QString>("equation");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("values");
        QTest::newRow("every command with the slot, colon separates")
            << Lines{} << "str=a:b" << "str" << "|a,b|a,b||a,b|a,b";
        QTest::newRow("selected lines only") << Lines{2, 4} << "oid=Inc(1,1)" << "oid"
                                             << "|1|1||2|4";
        QTest::newRow("later lines see earlier changes") << Lines{} << "oid=+(Calc(Max,oid),1)"
                                                         << "oid" << "|5|6||7|8";
        QTest::newRow("formulas see the saved selection") << Lines{1, 4} << "str=SelectedIndexList"
                                                          << "str" << "|1,4|b||1,4|a)b,c";
        QTest::newRow("selection changes do not last") << Lines{} << "str=IndexSelect((2,3),x)"
                                                       << "str" << "|x|x||x|x";
        QTest::newRow("element 0 appends") << Lines{} << "pos(0)=1,2" << "pos"
                                           << "|35/40/00.0,139/46/00.0,1,2|35/40/00.0,139/46/00.0,"
                                              "35/41/00.0,1,2||35/00/00.0,139/00/00.0,35/01/00.0,1,2|"
                                              "35/40/00.0,139/46/00.0,1,2";
        QTest::newRow("element past the last") << Lines{} << "pos(9)=x" << "pos" << kPos;
        QTest::newRow("unbalanced value kept whole") << Lines{} << "str(0)=x" << "str"
                                                     << "|a,x|b,x||x|a)b,c";
        QTest::newRow("no such parameter") << Lines{} << "foo=1" << "str" << "|a|b|||a)b,c";
        QTest::newRow("no equals sign") << Lines{} << "str" << "str" << "|a|b|||a)b,c";
    }
    void lump() {
        QFETCH(Lines, selected);
        QFETCH(QString, equation);
        QFETCH(QString, name);
        QFETCH(QString, values);
        BulkFixture f(kLumpScript);
        f.Select(selected);
        f.SetCurrentQuietly(2);
        const QStringList before = f.Texts();
        f.ops.bulk.RunLumpInput(equation, -1);
        QCOMPARE(f.Values(name), values);
        QCOMPARE(f.Selected(), selected);
        QCOMPARE(f.Texts()[0], before[0]);
        QCOMPARE(f.Texts()[3], before[3]);
        QCOMPARE(f.editor.EditFg(), f.Texts() == before ? 0 : 1);
        QCOMPARE(f.prompts().Asked().size(), 0);
        QVERIFY(!f.editor.ListClickSuppressed());
        QCOMPARE(f.editor.List().Current(), 2);
        // A run reloads the parameter editor; an equation without "=" does nothing at all.
        QCOMPARE(f.editor.Params().kelListNCaption,
                 equation.contains(QLatin1Char('=')) ? QStringLiteral("2") : QString());
    }

    // A value the writer cannot store leaves its command as it was and is reported once.
    void refusedValue() {
        BulkFixture f(kLumpScript);
        const QStringList before = f.Texts();
        f.ops.bulk.RunLumpInput(QStringLiteral("str=x\"y"), -1);
        QCOMPARE(f.Texts(), before);
        QCOMPARE(f.editor.EditFg(), 0);
        QCOMPARE(f.prompts().Asked().size(), 1);
        const PromptRecord& q = f.prompts().Last();
        QCOMPARE(q.kind, PromptKind::Message);
        QVERIFY2(q.prompt.startsWith(QStringLiteral("[str]の値は保存できません．")),
                 qPrintable(q.prompt));
        QCOMPARE(q.buttons, kButtonsOk);
        QCOMPARE(q.title, QStringLiteral("Input equation"));
    }

    // An edit waiting in the parameter editor is kept: it goes in before the run, which
    // then changes the same command.
    void pendingEditKept() {
        BulkFixture f(kLumpScript);
        f.editor.ClickLine(1);
        f.editor.SetParValue(4, QStringLiteral("typed"));
        f.ops.bulk.RunLumpInput(QStringLiteral("oid=9"), -1);
        QCOMPARE(f.Values(QStringLiteral("str")), QStringLiteral("|typed|b|||a)b,c"));
        QCOMPARE(f.Values(QStringLiteral("oid")), QStringLiteral("|9|9||9|9"));
        QCOMPARE(f.editor.Params().kelListNValue, 0);
    }

    // The text store fills up in the middle of a run: every new command text survives the
    // renumbering that makes room.
    void storeFullDuringRun() {
        BulkFixture f(kLumpScript);
        f.editor.Texts().SetCapacity(f.editor.Texts().LastTextSlot() + 2);
        f.ops.bulk.RunLumpInput(QStringLiteral("str=Join(s,oid)"), -1);
        QCOMPARE(f.Values(QStringLiteral("str")), QStringLiteral("|s1|s2||s3|s4"));
        QCOMPARE(f.Values(QStringLiteral("oid")), QStringLiteral("|1|2||3|4"));
    }

    // Without kept texts (the command line) a run gives the same commands as with them,
    // whether its formulas read their own line only (lines held aside), read other lines
    // (replaced one by one), or fill the store; the old text of each changed command is
    // let go, those of commands left as they were stay.
    void withoutKeptTexts_data() {
        QTest::addColumn<QString>("equation");
        QTest::addColumn<bool>("full");
        QTest::newRow("own line") << "str=Join(oid,gid)" << false;
        QTest::newRow("other lines") << "oid=+(Calc(Max,oid),1)" << false;
        QTest::newRow("the next line, unchanged yet") << "str=IndexRefer(+(Index,1),str)" << false;
        QTest::newRow("the line before, changed") << "str=IndexRefer(-(Index,1),str)" << false;
        QTest::newRow("refused value") << "str=x\"y" << false;
        QTest::newRow("store fills up") << "str=Join(s,oid)" << true;
    }
    void withoutKeptTexts() {
        QFETCH(QString, equation);
        QFETCH(bool, full);
        BulkFixture keep(kLumpScript), drop(kLumpScript);
        drop.editor.Texts().SetKeepsReplaced(false);
        if (full) {
            for (BulkFixture* f : {&keep, &drop})
                f->editor.Texts().SetCapacity(f->editor.Texts().LastTextSlot() + 2);
        }
        const QStringList before = drop.Texts();
        std::vector<int> slots;
        for (const QString& line : drop.editor.List().Lines()) slots.push_back(ListLineSlot(line));
        keep.ops.bulk.RunLumpInput(equation, -1);
        drop.ops.bulk.RunLumpInput(equation, -1);
        QCOMPARE(drop.Texts(), keep.Texts());
        QCOMPARE(drop.editor.EditFg(), keep.editor.EditFg());
        if (full) return;  // the renumbering hands the old numbers out again
        for (int i = 0; i < drop.editor.List().Count(); ++i) {
            const bool changed = drop.Texts()[i] != before[i];
            QCOMPARE(drop.editor.Texts().Text(slots[size_t(i)]),
                     changed ? QString() : before[i]);
        }
    }

    // The formula function runs the input on the working set without asking.
    void fromFormula() {
        BulkFixture f(kLumpScript);
        f.editor.List().SetSelected(2, true);
        QCOMPARE(f.Eval(1, QStringLiteral("LumpInput(str=Join(gid,x))")), QString());
        QCOMPARE(f.Values(QStringLiteral("str")), QStringLiteral("|a|2x|||a)b,c"));
        QCOMPARE(f.prompts().Asked().size(), 0);
    }

    // From the parameter editor (an equation ending in "=" or a blank) the box offers the
    // equation, and the answer changes the current line only; without a current line
    // nothing is asked.
    void askedFromTheParameterEditor() {
        BulkFixture f(kLumpScript);
        f.ops.bulk.RunLumpInput(QStringLiteral("oid=5 "), 2);
        QCOMPARE(f.prompts().Asked().size(), 0);
        f.SetCurrentQuietly(2);
        f.prompts().Type(QStringLiteral("oid=5")).Type(QStringLiteral("oid=8"));
        f.ops.bulk.RunLumpInput(QStringLiteral("oid=5 "), 2);
        QCOMPARE(f.prompts().Last().defaultText, QStringLiteral("oid=5"));
        QCOMPARE(f.Values(QStringLiteral("oid")), QStringLiteral("|1|5||3|4"));
        QCOMPARE(f.engine.StoredIndex(), 2);
        f.ops.bulk.RunLumpInput(QStringLiteral("oid="), -1);
        QCOMPARE(f.prompts().Last().defaultText, QStringLiteral("oid="));
        QCOMPARE(f.Values(QStringLiteral("oid")), QStringLiteral("|8|8||8|8"));
    }

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
        BulkFixture f(kSortScript);
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
        BulkFixture f(kSortScript);
        f.editor.ClickLine(2);
        f.editor.SetParValue(4, QStringLiteral("A2"));
        f.ops.bulk.SortLines(QStringLiteral("oid"), 1, true);
        QCOMPARE(f.Labels(), QStringLiteral("comment|group|C|A2|disp|D|B"));
        f.editor.ClickLine(5);
        QCOMPARE(f.Labels(), QStringLiteral("comment|group|C|A2|disp|D|B"));
    }
};

KEL_TEST(LumpInputTest);
#include "tst_LumpInput.moc"
