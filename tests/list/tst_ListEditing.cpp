// Copy, cut and paste of list entries, paste from the clipboard, moving lines and the
// selection operations, checked on the list, the text store, the map and the clipboard.
#include "ListFixture.h"
#include "TestMain.h"

using namespace kel;
using kel::test::ListFixture;
using kel::test::Point;

class ListEditingTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void copyBuffersTextsWithoutChangingTheList_data() {
        QTest::addColumn<int>("current");
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<QStringList>("buffered");
        QTest::newRow("current line") << 2 << QList<int>{} << QStringList{"C"};
        QTest::newRow("selection in list order") << 0 << QList<int>{3, 1} << QStringList{"B", "D"};
        QTest::newRow("selection without current line") << -1 << QList<int>{1} << QStringList{};
    }
    void copyBuffersTextsWithoutChangingTheList() {
        QFETCH(int, current);
        QFETCH(QList<int>, selected);
        QFETCH(QStringList, buffered);
        ListFixture f;
        f.FillPoints(4);
        f.editor.List().SetCurrent(current);
        f.Select(selected);
        f.editor.SetEditFg(0);
        f.platform.memoryClipboard.SetText(QStringLiteral("before"));
        const QStringList lines = f.editor.List().Lines();
        f.figures.ClearCalls();

        f.editor.RunAction(QStringLiteral("CmdCopy"));

        QStringList expected;
        for (const QString& oid : buffered) expected << Point(oid);
        QCOMPARE(f.editor.CutBuffer(), expected);
        QCOMPARE(f.platform.memoryClipboard.Text(),
                 expected.isEmpty() ? QStringLiteral("before") : expected.join("\r\n"));
        QCOMPARE(f.editor.List().Lines(), lines);
        QCOMPARE(f.editor.List().Current(), current);
        QCOMPARE(f.editor.EditFg(), 0);
        QVERIFY(f.figures.Calls().empty());
    }

    void cutRemovesLinesAndTheirFigures_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("current");
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<QStringList>("remaining");
        QTest::addColumn<int>("newCurrent");
        QTest::addColumn<QStringList>("buffered");
        QTest::newRow("middle line")
            << 4 << 1 << QList<int>{} << QStringList{"A", "C", "D"} << 1 << QStringList{"B"};
        QTest::newRow("last line: new last becomes current")
            << 4 << 3 << QList<int>{} << QStringList{"A", "B", "C"} << 2 << QStringList{"D"};
        QTest::newRow("only line")
            << 1 << 0 << QList<int>{} << QStringList{} << -1 << QStringList{"A"};
        QTest::newRow("selection") << 5 << 4 << QList<int>{0, 2, 4} << QStringList{"B", "D"} << 1
                                   << QStringList{"A", "C", "E"};
    }
    void cutRemovesLinesAndTheirFigures() {
        QFETCH(int, count);
        QFETCH(int, current);
        QFETCH(QList<int>, selected);
        QFETCH(QStringList, remaining);
        QFETCH(int, newCurrent);
        QFETCH(QStringList, buffered);
        ListFixture f;
        f.FillPoints(count, current);
        f.Select(selected);
        f.editor.SetEditFg(0);
        f.editor.SetParValue(4, QStringLiteral("typed"));  // dropped with the cut

        f.editor.RunAction(QStringLiteral("CmdCut"));

        QCOMPARE(f.Oids(), remaining);
        QCOMPARE(f.editor.List().Current(), newCurrent);
        QStringList expected;
        for (const QString& oid : buffered) expected << Point(oid);
        QCOMPARE(f.editor.CutBuffer(), expected);
        QCOMPARE(f.platform.memoryClipboard.Text(), expected.join("\r\n"));
        QCOMPARE(f.ShownFigures(), f.LineFigures());
        QCOMPARE(f.editor.SelectedNumText(), QStringLiteral("0/%1").arg(remaining.size()));
        QCOMPARE(f.editor.EditFg(), 1);
        QVERIFY(!f.editor.ListClickSuppressed());
        QVERIFY(!f.Texts().join("").contains("typed"));
        if (newCurrent < 0) {
            // Nothing is loaded: typing and Enter must not reach the list.
            QVERIFY(!f.editor.Params().Loaded());
            f.editor.SetParValue(1, QStringLiteral("X"));
            f.editor.ApplyPendingEdits();
            QCOMPARE(f.editor.List().Count(), 0);
        } else {
            QCOMPARE(f.editor.Params().kelListNCaption, QString::number(newCurrent));
        }
    }

    void pasteInsertsCopiesInFrontOfTheCurrentLine() {
        ListFixture f;
        f.FillPoints(8);
        f.Select({1, 2, 3});
        f.editor.Copy();
        f.editor.ClearSelection();
        f.editor.ClickLine(5);
        const QList<int> copiedFigures{f.FigureOf(1), f.FigureOf(2), f.FigureOf(3)};
        f.editor.SetEditFg(0);

        f.editor.RunAction(QStringLiteral("CmdPaste"));

        QCOMPARE(f.Oids(), (QStringList{"A", "B", "C", "D", "E", "B", "C", "D", "F", "G", "H"}));
        // The line that was current stays current and is loaded.
        QCOMPARE(f.editor.List().Current(), 8);
        QCOMPARE(f.editor.Params().kelListNCaption, QStringLiteral("8"));
        QCOMPARE(f.editor.EditFg(), 1);
        for (int i = 5; i <= 7; ++i) {
            QVERIFY(f.FigureOf(i) > 0);
            QVERIFY(!copiedFigures.contains(f.FigureOf(i)));
        }
        QCOMPARE(f.ShownFigures(), f.LineFigures());

        // A second paste gives copies of their own: new slots, new figures.
        f.editor.Paste();
        QCOMPARE(f.editor.List().Count(), 14);
        std::set<int> slots, figures;
        for (int i = 0; i < 14; ++i) {
            slots.insert(f.SlotOf(i));
            figures.insert(f.FigureOf(i));
        }
        QCOMPARE(int(slots.size()), 14);
        QCOMPARE(int(figures.size()), 14);
        // Editing one copy leaves the other alone.
        f.editor.ClickLine(5);
        f.editor.SetParValue(4, QStringLiteral("edited"));
        QVERIFY(f.editor.ApplyPendingEdits());
        QCOMPARE(GetParamValue(f.editor.CommandTextAt(5), "str"), QStringLiteral("edited"));
        QCOMPARE(f.editor.CommandTextAt(8), Point("B"));
    }

    void pasteIntoEmptyListAndAfterClearing() {
        ListFixture f;
        f.FillPoints(2);
        f.editor.SelectAll();
        f.editor.Copy();
        // Another document: its texts take the slot numbers the copied lines had.
        const QString path = f.WriteScript("other.kel", {"theme str=\"x\";", "theme str=\"y\";"});
        QVERIFY(f.editor.LoadScriptFile(path));
        f.editor.Paste();
        QCOMPARE(f.Oids(), (QStringList{"A", "B", "", ""}));
        QCOMPARE(f.editor.CommandTextAt(0), Point("A"));

        f.editor.SelectAll();
        f.editor.Cut();
        QCOMPARE(f.editor.List().Current(), -1);
        f.editor.Paste();
        QCOMPARE(f.Oids(), (QStringList{"A", "B", "", ""}));
        QCOMPARE(f.editor.List().Current(), 0);
        QCOMPARE(f.editor.Params().kelListNCaption, QStringLiteral("0"));
    }

    // Edits typed into the loaded entry go into that entry, not into a line pasted in front.
    void pasteKeepsPendingEditsWithTheirEntry_data() {
        QTest::addColumn<bool>("fromClipboard");
        QTest::newRow("buffer") << false;
        QTest::newRow("clipboard") << true;
    }
    void pasteKeepsPendingEditsWithTheirEntry() {
        QFETCH(bool, fromClipboard);
        ListFixture f;
        f.FillPoints(4, 2);
        f.editor.Copy();
        f.platform.memoryClipboard.SetText(Point("X") + "\r\n" + Point("Y"));
        f.editor.SetParValue(4, QStringLiteral("first"));
        if (fromClipboard)
            f.editor.PasteFromClipboard();
        else
            f.editor.Paste();
        const int old = fromClipboard ? 4 : 3;
        QCOMPARE(GetParamValue(f.editor.CommandTextAt(old), "oid"), QStringLiteral("C"));
        QCOMPARE(GetParamValue(f.editor.CommandTextAt(old), "str"), QStringLiteral("first"));
        // The entry still loaded in the editor is the same entry.
        f.editor.SetParValue(4, QStringLiteral("second"));
        QVERIFY(f.editor.ApplyPendingEdits());
        QCOMPARE(GetParamValue(f.editor.CommandTextAt(old), "str"), QStringLiteral("second"));
        QCOMPARE(GetParamValue(f.editor.CommandTextAt(2), "str"), QString());
    }

    // An edit that cannot be stored keeps its entry loaded; nothing is inserted in front of it.
    void unstorableEditStopsInsertion_data() {
        QTest::addColumn<QString>("action");
        QTest::newRow("paste") << QStringLiteral("CmdPaste");
        QTest::newRow("paste from clipboard") << QStringLiteral("MenuEditPasteFromClipBoard");
        QTest::newRow("add from library") << QStringLiteral("AddCmd");
    }
    void unstorableEditStopsInsertion() {
        QFETCH(QString, action);
        ListFixture f;
        f.FillPoints(3, 1);
        f.editor.Copy();
        f.platform.memoryClipboard.SetText(Point("X"));
        const QStringList lines = f.editor.List().Lines();
        f.editor.SetParValue(4, QStringLiteral("say \"hi\""));
        QVERIFY(f.editor.RunAction(action));
        QCOMPARE(f.prompts().Asked().size(), 1);  // why the edit was refused
        QCOMPARE(f.editor.List().Lines(), lines);
        QCOMPARE(f.editor.Params().kelListNCaption, QStringLiteral("1"));
        QCOMPARE(f.editor.Params().kelListNValue, 1);
    }

    void pasteFromClipboard_data() {
        QTest::addColumn<int>("lines");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<int>("drawn");
        QTest::newRow("two commands and a fragment")
            << 3 << Point("X") + "\r\n" + Point("Y") + "\r\npoint oid=\"Z\""
            << QStringList{Point("X"), Point("Y")} << 2;
        QTest::newRow("line breaks inside a command are dropped")
            << 3 << QStringLiteral("theme\r\n str=\"a\";// note;")
            << QStringList{"theme str=\"a\";", "// note;"} << 0;
        QTest::newRow("into an empty list") << 0 << Point("X") << QStringList{Point("X")} << 1;
        QTest::newRow("no command") << 3 << QStringLiteral("point oid=\"Z\"") << QStringList{} << 0;
    }
    void pasteFromClipboard() {
        QFETCH(int, lines);
        QFETCH(QString, clipboard);
        QFETCH(QStringList, texts);
        QFETCH(int, drawn);
        ListFixture f;
        f.FillPoints(lines, 1);
        const QStringList before = f.Texts();
        f.platform.memoryClipboard.SetText(clipboard);
        f.editor.SetEditFg(0);
        f.figures.ClearCalls();

        f.editor.RunAction(QStringLiteral("MenuEditPasteFromClipBoard"));

        QStringList expected = before;
        const int at = lines > 0 ? 1 : 0;
        for (int k = 0; k < texts.size(); ++k) expected.insert(at + k, texts[k]);
        QCOMPARE(f.Texts(), expected);
        QCOMPARE(int(f.figures.Calls().size()), drawn);
        for (int k = 0; k < texts.size(); ++k)
            QCOMPARE(f.FigureOf(at + k) > 0, IsFigureCommand(CommandWord(texts[k])));
        QCOMPARE(f.editor.EditFg(), texts.isEmpty() ? 0 : 1);
        QCOMPARE(f.editor.List().Current(), lines > 0 ? 1 + int(texts.size()) : 0);
        QVERIFY(!f.editor.ListClickSuppressed());
        if (!texts.isEmpty()) QCOMPARE(f.editor.Title(), f.editor.BaseTitle());
    }

    // Nothing is buffered, cut or pasted that the text store could not hold.
    void refusesPastTheStoreCapacity_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("capacity");
        QTest::addColumn<QString>("title");
        QTest::newRow("paste") << QStringLiteral("CmdPaste") << 5 << QStringLiteral("Paste");
        QTest::newRow("paste from clipboard")
            << QStringLiteral("MenuEditPasteFromClipBoard") << 5 << QStringLiteral("Paste");
        QTest::newRow("copy") << QStringLiteral("CmdCopy") << 1 << QStringLiteral("Copy");
        QTest::newRow("cut") << QStringLiteral("CmdCut") << 1 << QStringLiteral("Cut");
    }
    void refusesPastTheStoreCapacity() {
        QFETCH(QString, action);
        QFETCH(int, capacity);
        QFETCH(QString, title);
        ListFixture f;
        f.FillPoints(4);
        f.Select({0, 1});
        f.editor.Copy();
        f.platform.memoryClipboard.SetText(Point("X") + Point("Y"));
        f.editor.Texts().SetCapacity(capacity);
        f.editor.SetEditFg(0);
        f.figures.ClearCalls();
        const QStringList lines = f.editor.List().Lines();
        const QStringList buffer = f.editor.CutBuffer();

        QVERIFY(f.editor.RunAction(action));

        QCOMPARE(f.prompts().Asked().size(), 1);
        QCOMPARE(f.prompts().Last().title, title);
        QVERIFY(f.prompts().Last().prompt.contains(QString::number(capacity)));
        QCOMPARE(f.editor.List().Lines(), lines);
        QCOMPARE(f.editor.CutBuffer(), buffer);
        QCOMPARE(f.platform.memoryClipboard.Text(), Point("X") + Point("Y"));
        QVERIFY(f.figures.Calls().empty());
        QCOMPARE(f.editor.EditFg(), 0);
    }

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
        QCOMPARE(GetParamValue(f.editor.CommandTextAt(3), "str"), QStringLiteral("s"));
    }

    void moveLines_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("current");
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<QStringList>("order");
        QTest::addColumn<int>("newCurrent");
        QTest::addColumn<QList<int>>("newSelected");
        const QString up = QStringLiteral("ListUp"), down = QStringLiteral("ListDown");
        QTest::newRow("up: current line")
            << up << 2 << QList<int>{} << QStringList{"A", "C", "B", "D"} << 1 << QList<int>{};
        QTest::newRow("up: first line stays")
            << up << 0 << QList<int>{} << QStringList{"A", "B", "C", "D"} << 0 << QList<int>{};
        QTest::newRow("down: last line stays")
            << down << 3 << QList<int>{} << QStringList{"A", "B", "C", "D"} << 3 << QList<int>{};
        QTest::newRow("up: block of selected lines")
            << up << 2 << QList<int>{1, 2} << QStringList{"B", "C", "A", "D"} << 1
            << QList<int>{0, 1};
        QTest::newRow("up: line 0 selected, nothing moves")
            << up << 2 << QList<int>{0, 2} << QStringList{"A", "B", "C", "D"} << 2
            << QList<int>{0, 2};
        QTest::newRow("down: scattered selection")
            << down << 0 << QList<int>{0, 2} << QStringList{"B", "A", "D", "C"} << 1
            << QList<int>{1, 3};
        QTest::newRow("down: last line selected, nothing moves")
            << down << 0 << QList<int>{1, 3} << QStringList{"A", "B", "C", "D"} << 0
            << QList<int>{1, 3};
    }
    void moveLines() {
        QFETCH(QString, action);
        QFETCH(int, current);
        QFETCH(QList<int>, selected);
        QFETCH(QStringList, order);
        QFETCH(int, newCurrent);
        QFETCH(QList<int>, newSelected);
        ListFixture f;
        f.FillPoints(4, current);
        f.Select(selected);
        QHash<QString, QString> lineOf;
        for (int i = 0; i < 4; ++i) lineOf.insert(f.Oids()[i], f.editor.List().Line(i));
        f.editor.SetEditFg(0);
        f.editor.SetParValue(4, QStringLiteral("dropped"));

        QVERIFY(f.editor.RunAction(action));

        QCOMPARE(f.Oids(), order);
        // Lines move whole, with their slots and figures.
        for (int i = 0; i < order.size(); ++i)
            QCOMPARE(f.editor.List().Line(i), lineOf.value(order[i]));
        QCOMPARE(f.editor.List().Current(), newCurrent);
        QCOMPARE(f.Selected(), newSelected);
        QCOMPARE(f.editor.Params().kelListNCaption, QString::number(newCurrent));
        QCOMPARE(f.editor.EditFg(), 1);
        QVERIFY(!f.Texts().join("").contains("dropped"));
        QVERIFY(!f.editor.ListClickSuppressed());
    }

    void selectionOperations_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QList<int>>("newSelected");
        QTest::newRow("reverse") << QStringLiteral("KelListReverse") << QList<int>{0, 2, 4};
        QTest::newRow("clear") << QStringLiteral("KelListDeselect") << QList<int>{};
        QTest::newRow("all") << QStringLiteral("MenuEditSelectAll") << QList<int>{0, 1, 2, 3, 4};
    }
    void selectionOperations() {
        QFETCH(QString, action);
        QFETCH(QList<int>, newSelected);
        ListFixture f;
        f.FillPoints(5, 2);
        f.Select({1, 3});
        const QStringList lines = f.editor.List().Lines();
        f.editor.SetEditFg(0);
        // Run inside an operation that suppresses list clicks itself: it stays suppressed.
        f.editor.SetListClickSuppressed(true);

        QVERIFY(f.editor.RunAction(action));

        QCOMPARE(f.Selected(), newSelected);
        QCOMPARE(f.editor.List().Current(), 2);
        QCOMPARE(f.editor.List().Lines(), lines);
        QCOMPARE(f.editor.EditFg(), 0);
        QVERIFY(f.editor.ListClickSuppressed());
        QCOMPARE(f.editor.Title(), f.editor.BaseTitle());
    }

    void operationsOnAnEmptyListDoNothing() {
        ListFixture f;
        f.editor.SetEditFg(0);
        for (const char* action :
             {"CmdCopy", "CmdCut", "CmdPaste", "ListUp", "ListDown", "KelListReverse",
              "MenuEditSelectAll", "KelEditFigureAddObjectFigurePoint"})
            QVERIFY(f.editor.RunAction(QString::fromLatin1(action)));
        QCOMPARE(f.editor.List().Count(), 0);
        QCOMPARE(f.editor.EditFg(), 0);
        QVERIFY(f.editor.CutBuffer().isEmpty());
        QVERIFY(f.figures.Calls().empty());
        QVERIFY(f.prompts().Asked().isEmpty());
    }
};

KEL_TEST(ListEditingTest);
#include "tst_ListEditing.moc"
