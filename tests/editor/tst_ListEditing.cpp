// Copy, cut and paste of list entries, paste from the clipboard, moving lines and the
// selection operations, checked on the list, the text store, the map and the clipboard.
#include "ListFixture.h"
#include "TestMain.h"

using namespace kel;
using kel::test::ListFixture;
using kel::test::Point;
using kel::test::Points;
using L = QList<int>;

class ListEditingTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Oids are one letter each; the lines start as "ABCD..." with `count` points. A selected
    // line 0 cannot move up, so nothing moves.
    void listActions_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("current");
        QTest::addColumn<L>("selected");
        QTest::addColumn<QString>("order");
        QTest::addColumn<int>("newCurrent");
        QTest::addColumn<L>("newSelected");
        QTest::addColumn<QString>("buffered");
        const QString copy = "CmdCopy", cut = "CmdCut", up = "ListUp", down = "ListDown",
                      rev = "KelListReverse", all = "MenuEditSelectAll";
        QTest::newRow("copy line") << copy << 4 << 2 << L{} << "ABCD" << 2 << L{} << "C";
        QTest::newRow("copy sel") << copy << 4 << 0 << L{3, 1} << "ABCD" << 0 << L{1, 3} << "BD";
        QTest::newRow("copy, none") << copy << 4 << -1 << L{1} << "ABCD" << -1 << L{1} << "";
        QTest::newRow("cut line") << cut << 4 << 1 << L{} << "ACD" << 1 << L{} << "B";
        QTest::newRow("cut last") << cut << 4 << 3 << L{} << "ABC" << 2 << L{} << "D";
        QTest::newRow("cut only") << cut << 1 << 0 << L{} << "" << -1 << L{} << "A";
        QTest::newRow("cut sel") << cut << 5 << 4 << L{0, 2, 4} << "BD" << 1 << L{} << "ACE";
        QTest::newRow("up") << up << 4 << 2 << L{} << "ACBD" << 1 << L{} << "";
        QTest::newRow("up first") << up << 4 << 0 << L{} << "ABCD" << 0 << L{} << "";
        QTest::newRow("up block") << up << 4 << 2 << L{1, 2} << "BCAD" << 1 << L{0, 1} << "";
        QTest::newRow("up from 0") << up << 4 << 2 << L{0, 2} << "ABCD" << 2 << L{0, 2} << "";
        QTest::newRow("down sel") << down << 4 << 0 << L{0, 2} << "BADC" << 1 << L{1, 3} << "";
        QTest::newRow("reverse") << rev << 5 << 2 << L{1, 3} << "ABCDE" << 2 << L{0, 2, 4} << "";
        QTest::newRow("all") << all << 5 << 2 << L{1, 3} << "ABCDE" << 2 << L{0, 1, 2, 3, 4}
                             << "";
    }
    void listActions() {
        QFETCH(QString, action);
        QFETCH(int, count);
        QFETCH(int, current);
        QFETCH(L, selected);
        QFETCH(QString, order);
        QFETCH(int, newCurrent);
        QFETCH(L, newSelected);
        QFETCH(QString, buffered);
        // Copy and the selection operations leave the list and the document alone, and may
        // run inside an operation that suppresses list clicks itself: it stays suppressed.
        const bool changes = action == "CmdCut" || action.startsWith("List");
        ListFixture f;
        f.FillPoints(count, qMax(current, 0));
        f.editor.List().SetCurrent(current);
        f.Select(selected);
        QHash<QString, QString> lineOf;
        for (int i = 0; i < count; ++i) lineOf.insert(f.Oids()[i], f.editor.List().Line(i));
        f.editor.SetEditFg(0);
        f.editor.SetListClickSuppressed(!changes);
        f.platform.memoryClipboard.SetText(QStringLiteral("before"));
        if (changes) f.editor.SetParValue(4, QStringLiteral("typed"));  // dropped, not stored

        QVERIFY(f.editor.RunAction(action));

        QCOMPARE(f.Oids().join(QString()), order);
        // Lines stay whole, with their slots and figures.
        for (int i = 0; i < order.size(); ++i)
            QCOMPARE(f.editor.List().Line(i), lineOf.value(order[i]));
        QCOMPARE(f.editor.List().Current(), newCurrent);
        const std::vector<int> sel = f.editor.List().SelectedIndexes();
        QCOMPARE(L(sel.begin(), sel.end()), newSelected);
        QCOMPARE(f.editor.CutBuffer(), Points(buffered));
        QCOMPARE(f.platform.memoryClipboard.Text(),
                 buffered.isEmpty() ? QStringLiteral("before") : Points(buffered).join("\r\n"));
        QVERIFY(f.FiguresMatchLines());
        QCOMPARE(f.editor.EditFg(), changes ? 1 : 0);
        QCOMPARE(f.editor.ListClickSuppressed(), !changes);
        QVERIFY(f.NoProgressInTitle());
        QVERIFY(!f.Texts().join("").contains("typed"));
        if (changes && newCurrent >= 0) {
            QCOMPARE(f.editor.Params().kelListNCaption, QString::number(newCurrent));
            QCOMPARE(f.editor.SelectedNumText(),
                     QStringLiteral("%1/%2").arg(newSelected.size()).arg(order.size()));
        } else if (changes) {
            // Nothing is loaded: typing and Enter must not reach the list.
            QVERIFY(!f.editor.Params().Loaded());
            f.editor.SetParValue(1, QStringLiteral("X"));
            f.editor.ApplyPendingEdits();
            QCOMPARE(f.editor.List().Count(), 0);
        }
    }

    // Pasted lines are entries of their own (new slots and figures, so editing one copy
    // leaves the others alone), inserted in front of the current line. The buffer holds
    // texts, so what was copied comes back even after the slots were handed out again to
    // another document.
    void pasteMakesEntriesOfTheirOwn() {
        ListFixture f;
        f.FillPoints(4);
        f.Select({1, 2});
        f.editor.Copy();
        f.editor.ClearSelection();
        f.editor.ClickLine(3);
        f.editor.SetEditFg(0);
        QVERIFY(f.editor.RunAction(QStringLiteral("CmdPaste")));
        QCOMPARE(f.Oids(), (QStringList{"A", "B", "C", "B", "C", "D"}));
        QCOMPARE(f.editor.List().Current(), 5);  // the same line, still loaded
        QCOMPARE(f.editor.Params().kelListNCaption, QStringLiteral("5"));
        QCOMPARE(f.editor.EditFg(), 1);
        f.editor.Paste();
        std::set<int> slots, figures;
        for (int i = 0; i < 8; ++i) {
            slots.insert(ListLineSlot(f.editor.List().Line(i)));
            figures.insert(f.FigureOf(i));
        }
        QCOMPARE(int(slots.size()), 8);
        QCOMPARE(int(figures.size()), 8);
        QVERIFY(f.FiguresMatchLines());

        const QStringList other{"theme str=\"x\";", "theme str=\"y\";"};
        QVERIFY(f.editor.LoadScriptFile(f.WriteScript("other.kel", other)));
        f.editor.Paste();
        QCOMPARE(f.Oids(), (QStringList{"B", "C", "", ""}));
        QCOMPARE(f.editor.CommandTextAt(0), Point("B"));
        // Into a list emptied by a cut.
        f.editor.SelectAll();
        f.editor.Cut();
        QCOMPARE(f.editor.List().Current(), -1);
        f.editor.Paste();
        QCOMPARE(f.Oids(), (QStringList{"B", "C", "", ""}));
        QCOMPARE(f.editor.List().Current(), 0);
        QCOMPARE(f.editor.Params().kelListNCaption, QStringLiteral("0"));
    }

    void pasteFromClipboard_data() {
        QTest::addColumn<int>("lines");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("two commands and a fragment")
            << 3 << Point("X") + "\r\n" + Point("Y") + "\r\npoint oid=\"Z\"" << Points("XY");
        QTest::newRow("line breaks inside a command are dropped")
            << 3 << QStringLiteral("theme\r\n str=\"a\";// note;")
            << QStringList{"theme str=\"a\";", "// note;"};
        QTest::newRow("into an empty list") << 0 << Point("X") << Points("X");
        QTest::newRow("no command") << 3 << QStringLiteral("point oid=\"Z\"") << QStringList{};
    }
    void pasteFromClipboard() {
        QFETCH(int, lines);
        QFETCH(QString, clipboard);
        QFETCH(QStringList, texts);
        ListFixture f;
        f.FillPoints(lines, 1);
        QStringList expected = f.Texts();
        f.platform.memoryClipboard.SetText(clipboard);
        f.editor.SetEditFg(0);

        QVERIFY(f.editor.RunAction(QStringLiteral("MenuEditPasteFromClipBoard")));

        const int at = lines > 0 ? 1 : 0;
        for (int k = 0; k < texts.size(); ++k) expected.insert(at + k, texts[k]);
        QCOMPARE(f.Texts(), expected);
        for (int k = 0; k < f.editor.List().Count(); ++k)
            QCOMPARE(f.FigureOf(k) > 0, IsFigureCommand(CommandWord(f.Texts()[k])));
        QVERIFY(f.FiguresMatchLines());
        QCOMPARE(f.editor.EditFg(), texts.isEmpty() ? 0 : 1);
        QCOMPARE(f.editor.List().Current(), lines > 0 ? 1 + int(texts.size()) : 0);
        QVERIFY(!f.editor.ListClickSuppressed());
        QVERIFY(f.NoProgressInTitle());
    }

    // Refused operations say why and change nothing: nothing is buffered, cut or pasted that
    // the text store could not hold, and an edit that cannot be stored stops an insertion
    // and keeps its entry loaded.
    void refusedOperations_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("capacity");  // 0: the store is not full, the edit is bad
        QTest::addColumn<QString>("title");
        QTest::newRow("paste, store full") << "CmdPaste" << 5 << "Paste";
        QTest::newRow("clipboard, store full") << "MenuEditPasteFromClipBoard" << 5 << "Paste";
        QTest::newRow("copy, over the store") << "CmdCopy" << 1 << "Copy";
        QTest::newRow("cut, over the store") << "CmdCut" << 1 << "Cut";
        QTest::newRow("paste, bad edit") << "CmdPaste" << 0 << "";
        QTest::newRow("clipboard, bad edit") << "MenuEditPasteFromClipBoard" << 0 << "";
        QTest::newRow("add, bad edit") << "AddCmd" << 0 << "";
    }
    void refusedOperations() {
        QFETCH(QString, action);
        QFETCH(int, capacity);
        QFETCH(QString, title);
        ListFixture f;
        f.FillPoints(4, 2);
        f.Select({0, 1});
        f.editor.Copy();
        f.platform.memoryClipboard.SetText(Point("X") + Point("Y"));
        if (capacity > 0)
            f.editor.Texts().SetCapacity(capacity);
        else
            f.editor.SetParValue(4, QStringLiteral("say \"hi\""));
        const QStringList before = f.State();

        QVERIFY(f.editor.RunAction(action));

        QCOMPARE(f.prompts().Asked().size(), 1);
        QCOMPARE(f.State(), before);
        if (capacity > 0) {
            QCOMPARE(f.prompts().Last().title, title);
            QVERIFY(f.prompts().Last().prompt.contains(QString::number(capacity)));
            return;
        }
        QCOMPARE(f.editor.Params().kelListNCaption, QStringLiteral("2"));
        QCOMPARE(f.editor.Params().kelListNValue, 1);  // still edited
        // An edit that can be stored goes into its entry before lines are inserted in front
        // of it; after a paste that entry is still the one loaded.
        f.editor.SetParValue(4, QStringLiteral("first"));
        QVERIFY(f.editor.RunAction(action));
        const int c = action == "AddCmd" ? 3 : 4;
        QCOMPARE(f.Oids()[c], QStringLiteral("C"));
        QCOMPARE(f.Str(c), QStringLiteral("first"));
        if (action == "AddCmd") return;  // the new entry is loaded
        f.editor.SetParValue(4, QStringLiteral("second"));
        QVERIFY(f.editor.ApplyPendingEdits());
        QCOMPARE(f.Str(c), QStringLiteral("second"));
        QCOMPARE(f.Str(2), QString());
    }

    // Room for a whole block is made before it is inserted, so no line keeps a stale slot.
    void pasteFillsTheStoreAfterRenumbering() {
        ListFixture f;
        f.FillPoints(4, 1);
        f.editor.SetParValue(4, QStringLiteral("s"));  // takes slot 5
        QVERIFY(f.editor.ApplyPendingEdits());
        f.Select({2, 3});
        f.editor.Copy();
        f.editor.Texts().SetCapacity(6);
        f.editor.Paste();
        QVERIFY(f.prompts().Asked().isEmpty());
        QCOMPARE(f.Oids(), (QStringList{"A", "C", "D", "B", "C", "D"}));
        QCOMPARE(f.Str(3), QStringLiteral("s"));
    }

    void operationsOnAnEmptyListDoNothing() {
        ListFixture f;
        f.editor.SetEditFg(0);
        const QStringList before = f.State();
        for (const char* action :
             {"CmdCopy", "CmdCut", "CmdPaste", "ListUp", "ListDown", "KelListReverse",
              "MenuEditSelectAll", "KelEditFigureAddObjectFigurePoint"})
            QVERIFY(f.editor.RunAction(QString::fromLatin1(action)));
        QCOMPARE(f.State(), before);
        QVERIFY(f.prompts().Asked().isEmpty());
    }
};

KEL_TEST(ListEditingTest);
#include "tst_ListEditing.moc"
