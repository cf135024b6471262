// Conditional selection and search over the command list: the condition forms, the
// selection prefixes, the wrap of the search and the two last conditions; the input boxes
// of every operation over the list.
#include "FormulaFixture.h"
#include "TestMain.h"
#include "formula/UsageSummary.h"
#include "platform/Prompts.h"

using namespace kel;
using kel::test::BulkFixture;
using kel::test::Lines;

namespace {

const QStringList kConditionsScript = {
    kel::test::kHeader,  // 0
    QStringLiteral("group gid=\"3\" gname=\"str=*駅*\";"),                                     // 1
    QStringLiteral("point oid=\"1\" gid=\"3\" pos=\"35/40/00.0,139/46/00.0\" str=\"東京駅\";"), // 2
    QStringLiteral("point oid=\"10\" gid=\"2\" pos=\"35/40/00.0,139/46/00.0\" str=\"品川\";"),  // 3
    QStringLiteral("line oid=\"123\" gid=\"3\" pos=\"35/00/00.0,139/00/00.0,35/01/00.0,139/00/00.0\";"),
    QStringLiteral("point oid=\"21\" gid=\"3\" pos=\"35/40/00.0,139/46/00.0\" str=\"駅前\";"),  // 5
    QStringLiteral("rect oid=\"5\" gid=\"1\" pos=\"35/40/00.0,139/46/00.0\" width=\"100\";"),  // 6
    QStringLiteral("rect oid=\"6\" gid=\"1\" pos=\"35/40/00.0,139/46/00.0\" width=\"50\";"),   // 7
    QStringLiteral("rect oid=\"7\" gid=\"1\" pos=\"35/40/00.0,139/46/00.0\" width=\"101\";"),  // 8
    QStringLiteral("rect oid=\"8\" gid=\"1\" pos=\"35/40/00.0,139/46/00.0\";"),                // 9
    QStringLiteral("disp all;"),                                                               // 10
};

}  // namespace

class ConditionsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void select_data() {
        QTest::addColumn<Lines>("before");
        QTest::addColumn<QString>("condition");
        QTest::addColumn<Lines>("after");
        // Among the rects: a line without a width fails a range test.
        QTest::newRow("at most") << Lines{6, 7, 8, 9} << "&width:*,100" << Lines{6, 7};
        // A name that is no parameter of the command stands for itself, and reads as 0.
        QTest::newRow("not a parameter") << Lines{} << "width:*,100"
                                         << Lines{0, 1, 2, 3, 4, 5, 6, 7, 10};
        QTest::newRow("or adds") << Lines{6} << "|gid=3" << Lines{1, 2, 4, 5, 6};
        QTest::newRow("prefix after blanks") << Lines{3, 5} << "  & gid=3" << Lines{5};
        QTest::newRow("blanks change nothing") << Lines{3} << "   " << Lines{3};
        QTest::newRow("prefix alone clears") << Lines{2, 3} << "&" << Lines{};
        QTest::newRow("no operator") << Lines{4} << "oid" << Lines{};
        QTest::newRow("formula left side") << Lines{} << "Left(str,1)=東" << Lines{2};
        QTest::newRow("counter starts again") << Lines{} << "Inc(1,1):1,3" << Lines{0, 1};
    }
    void select() {
        QFETCH(Lines, before);
        QFETCH(QString, condition);
        QFETCH(Lines, after);
        BulkFixture f(kConditionsScript);
        f.Select(before);
        f.SetCurrentQuietly(5);
        f.engine.SetFormulaCounter(QStringLiteral("40"));
        f.ops.conditions.SelectByCondition(condition);
        QCOMPARE(f.Selected(), after);
        QCOMPARE(f.editor.List().Current(), 5);
        QVERIFY(!f.editor.ListClickSuppressed());
        QCOMPARE(f.editor.EditFg(), 0);
        QCOMPARE(f.editor.Title(), f.editor.BaseTitle());
        QCOMPARE(f.prompts().Asked().size(), 0);
    }

    // "Search Next" from the line after the current one, wrapping to the top.
    void search_data() {
        QTest::addColumn<int>("current");
        QTest::addColumn<QString>("condition");
        QTest::addColumn<int>("found");
        QTest::newRow("wraps to the top") << 5 << "gid=3" << 1;
        QTest::newRow("current tested last") << 2 << "oid=1" << 2;
        QTest::newRow("no current tests line 0 last") << -1 << "Cmd=comment" << 0;
        QTest::newRow("nothing found stays") << 3 << "oid=999" << 3;
    }
    void search() {
        QFETCH(int, current);
        QFETCH(QString, condition);
        QFETCH(int, found);
        BulkFixture f(kConditionsScript);
        f.SetCurrentQuietly(current);
        f.ops.conditions.SetLastSearchCondition(condition);
        QVERIFY(f.editor.RunAction(QStringLiteral("MenuEditSearchNext")));
        QCOMPARE(f.editor.List().Current(), found);
        // The parameter editor shows the current line.
        QCOMPARE(f.editor.Params().kelListNCaption, QString::number(found));
        QVERIFY(!f.editor.ListClickSuppressed());
        QCOMPARE(f.prompts().Asked().size(), 0);
        QCOMPARE(f.ops.conditions.LastSearchCondition(), condition);
    }

    // The input boxes of the operations over the list: their texts and titles; the answer
    // is trimmed, run, and offered the next time, when a cancelled box changes nothing.
    void inputBoxes_data() {
        for (const char* c : {"action", "prompt", "title", "typed"})
            QTest::addColumn<QString>(c);
        auto row = [](const char* action, const char* prompt, const char* title,
                      const char* typed) {
            QTest::newRow(action) << QString(action) << QString::fromUtf8(prompt)
                                  << QString(title) << QString(typed);
        };
        row("MenuEditConditionalSelect", "選択の条件式を入力してください", "Conditional Select",
            "oid=1*");
        row("MenuEditSearch", "検索の条件式を入力してください", "Search", "oid=21");
        row("MenuExecLumpInput",
            "(左辺)=(右辺)を入力してください\n"
            "(左辺) セットしたいPar名（()付きでPar内値を指定可能）\n"
            "(右辺) セットする式（下記関数をカンマ区切りで）",
            "Input equation", "str=Join(x,oid)");
        row("MenuEditListSortUpFigure", "Listの並べ替えに使う式を入力してください", "Sort", "oid");
        row("MenuFileSaveAttribute",
            "各コマンドの保存する属性値の条件式をカンマ区切りで入力してください",
            "Save Attributes", "Index");
        row("InputFormula", "計算式を入力してください", "Input Formula", "+(oid,1)");
    }
    void inputBoxes() {
        QFETCH(QString, action);
        QFETCH(QString, prompt);
        QFETCH(QString, title);
        QFETCH(QString, typed);
        BulkFixture f(kConditionsScript);
        f.SetCurrentQuietly(7);
        const QString path = f.dir.filePath(QStringLiteral("attr.txt"));
        const auto run = [&] {
            if (action == QLatin1String("InputFormula")) f.engine.InputFormula(QString(), 2);
            else QVERIFY(f.editor.RunAction(action));
        };
        const auto state = [&] {
            QStringList selected;
            for (int i : f.Selected()) selected << QString::number(i);
            return QStringList{f.Texts().join(u'\n'), selected.join(u','),
                               QString::number(f.editor.List().Current()), f.engine.CalcResult(),
                               QString::fromLatin1(kel::test::ReadBytes(path))};
        };
        const QStringList before = state();
        f.prompts().Type(QStringLiteral("  ") + typed + QStringLiteral("  "));
        if (action == QLatin1String("MenuFileSaveAttribute")) f.prompts().ChoosePath(path);
        run();
        const PromptRecord q = f.prompts().Asked().first();
        QCOMPARE(q.kind, PromptKind::Input);
        QCOMPARE(q.prompt, prompt + QLatin1Char('\n') + kel::test::kRule);
        QCOMPARE(q.title, title);
        QCOMPARE(q.defaultText, QString());
        const bool condition = title == QLatin1String("Conditional Select") || title == "Search";
        QVERIFY(f.editor.UsageText().contains(UsageSummary(condition ? 2 : 1)));
        const QStringList after = state();
        QVERIFY(after != before);
        for (int k = 0; k < 2; ++k) {  // a cancelled box does not take the last answer away
            f.prompts().CancelInput();
            run();
            QCOMPARE(f.prompts().Last().defaultText, typed);
            QCOMPARE(state(), after);
        }
        QCOMPARE(f.prompts().Problems(), QStringList());
    }

    // A condition ending in "=" is offered in the box and the answer run, but only a search
    // keeps it as the last condition; "Select Figures" asks nothing.
    void conditionEndingInEquals() {
        BulkFixture f(kConditionsScript);
        ConditionOps& c = f.ops.conditions;
        c.SetLastSelectCondition(QStringLiteral("gid=2"));
        f.prompts().Type(QStringLiteral("oid=21")).Type(QStringLiteral("oid=10"));
        QVERIFY(f.editor.RunAction(QStringLiteral("KelListOid")));
        QCOMPARE(f.prompts().Last().defaultText, QStringLiteral("oid="));
        QCOMPARE(f.editor.List().Current(), 5);
        QCOMPARE(c.LastSearchCondition(), QStringLiteral("oid=21"));
        c.SelectByCondition(QStringLiteral("oid="));
        QCOMPARE(f.prompts().Last().defaultText, QStringLiteral("oid="));
        QCOMPARE(f.Selected(), Lines{3});
        QCOMPARE(c.LastSelectCondition(), QStringLiteral("gid=2"));
        QVERIFY(f.editor.RunAction(QStringLiteral("MenuEditSelectFigure")));
        QCOMPARE(f.prompts().Asked().size(), 2);
        QCOMPARE(f.Selected(), (Lines{2, 3, 4, 5, 6, 7, 8, 9}));
    }

    void emptyListAsksNothing() {
        BulkFixture f;
        for (const char* action : {"MenuEditConditionalSelect", "MenuEditSearch", "KelListGid",
                                   "MenuEditSearchNext", "MenuEditSelectFigure"})
            QVERIFY(f.editor.RunAction(QString::fromLatin1(action)));
        QCOMPARE(f.prompts().Asked().size(), 0);
        QCOMPARE(f.editor.List().Current(), -1);
    }

    // Opening a document makes its `disp` command current through the search, and the
    // user's search condition is the same afterwards.
    void dispCurrentAfterLoading() {
        BulkFixture f;
        const QString path = f.WriteScript(
            QStringLiteral("a.kel"), {QStringLiteral("mapserver script ver=\"1.0\";"),
                                      QStringLiteral("disp all;"), kel::test::Point("1"),
                                      kel::test::Point("2"), QStringLiteral("disp all;"),
                                      QStringLiteral("point oid=\"3\" gid=\"1\";"),
                                      QStringLiteral("mapserver end;")});
        f.ops.conditions.SetLastSearchCondition(QStringLiteral("oid=2"));
        f.OpenScript(path);
        QCOMPARE(f.editor.List().Count(), 7);
        QCOMPARE(f.editor.List().Current(), 1);
        QCOMPARE(f.editor.Params().kelListNCaption, QStringLiteral("1"));
        QCOMPARE(f.ops.conditions.LastSearchCondition(), QStringLiteral("oid=2"));
    }

    // The formula function runs the selection without a prompt; a condition that looks at
    // the selection sees every line decided before it.
    void fromFormula() {
        BulkFixture f(kConditionsScript);
        QCOMPARE(f.Eval(2, QStringLiteral("ConditionalSelect((oid=1*),SelectedIndexList)")),
                 QStringLiteral("2,3,4"));
        QCOMPARE(f.prompts().Asked().size(), 0);
        f.ops.conditions.SelectByCondition(
            QStringLiteral("|Cond(SelectedFg(-(Index,1))=True)=-1"));
        QCOMPARE(f.Selected(), (Lines{2, 3, 4, 5, 6, 7, 8, 9, 10}));
    }
};

KEL_TEST(ConditionsTest);
#include "tst_Conditions.moc"
