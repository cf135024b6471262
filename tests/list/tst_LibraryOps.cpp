// Inserting library commands into the list (Add menus, the AddCmd button) and stocking
// commands of the list into the library.
#include "ListFixture.h"
#include "TestMain.h"
#include "script/CommandLibrary.h"

using namespace kel;
using kel::test::ListFixture;
using kel::test::Point;

class LibraryOpsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void addLibraryCommand_data() {
        QTest::addColumn<int>("k");
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("word");  // empty: nothing is inserted
        QTest::addColumn<QList<int>>("picked");
        QTest::newRow("point opens the pos picker") << 0 << 2 << "point" << QList<int>{2};
        QTest::newRow("group, no picker") << 5 << -1 << "group" << QList<int>{};
        QTest::newRow("input, last standard entry") << 27 << -1 << "input" << QList<int>{};
        QTest::newRow("slot past the panel") << 1 << 16 << "line" << QList<int>{};
        QTest::newRow("negative k") << -1 << 2 << QString() << QList<int>{};
        QTest::newRow("k past the library")
            << kStandardLibrarySize << 2 << QString() << QList<int>{};
    }
    void addLibraryCommand() {
        QFETCH(int, k);
        QFETCH(int, slot);
        QFETCH(QString, word);
        QFETCH(QList<int>, picked);
        ListFixture f;
        f.FillPoints(3, 1);
        f.editor.SetEditFg(0);
        QList<int> pickerSlots;
        f.editor.valuePickerHook = [&](Editor& e, int s) {
            QCOMPARE(e.Params().kelListNCaption, QStringLiteral("1"));  // the new entry
            pickerSlots << s;
        };

        f.editor.AddLibraryCommand(k, slot);

        QCOMPARE(pickerSlots, picked);
        if (word.isEmpty()) {
            QCOMPARE(f.Oids(), (QStringList{"A", "B", "C"}));
            QCOMPARE(f.editor.EditFg(), 0);
            return;
        }
        QCOMPARE(f.editor.List().Count(), 4);
        QCOMPARE(f.editor.CommandTextAt(1), SplitLibraryLine(f.editor.Library().Lines()[k]).text);
        QCOMPARE(f.editor.CommandTextAt(2), Point("B"));
        QCOMPARE(f.editor.List().Current(), 1);
        QCOMPARE(f.editor.Params().curKelCmdCaption, word);
        QCOMPARE(f.editor.EditFg(), 1);
        QCOMPARE(f.FigureOf(1) > 0, IsFigureCommand(word));
    }

    void addCmdAtTheTopCommitsTheEditFirst() {
        ListFixture f;
        f.FillPoints(3, 0);
        f.editor.SetParValue(4, QStringLiteral("kept"));
        f.editor.Library().SetShown(7);  // theme
        f.editor.RunAction(QStringLiteral("AddCmd"));
        QCOMPARE(CommandWord(f.editor.CommandTextAt(0)), QStringLiteral("theme"));
        QCOMPARE(GetParamValue(f.editor.CommandTextAt(1), "str"), QStringLiteral("kept"));
        QCOMPARE(f.editor.List().Current(), 0);
        QCOMPARE(f.editor.Params().curKelCmdCaption, QStringLiteral("theme"));
        QCOMPARE(f.editor.Params().kelListNValue, 0);
    }

    void stockCommand_data() {
        QTest::addColumn<int>("current");
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<QStringList>("stocked");
        QTest::newRow("selected lines") << 1 << QList<int>{2, 0} << QStringList{"A", "C"};
        QTest::newRow("current line") << 1 << QList<int>{} << QStringList{"B"};
        QTest::newRow("nothing current") << -1 << QList<int>{} << QStringList{};
    }
    void stockCommand() {
        QFETCH(int, current);
        QFETCH(QList<int>, selected);
        QFETCH(QStringList, stocked);
        ListFixture f;
        f.FillPoints(3);
        f.editor.List().SetCurrent(current);
        f.Select(selected);
        const CommandLibrary& library = f.editor.Library();
        const int shownBefore = library.Shown();

        QVERIFY(f.editor.RunAction(QStringLiteral("GetDefaultCmd")));

        QCOMPARE(library.Count(), kStandardLibrarySize + int(stocked.size()));
        QCOMPARE(library.Shown(), stocked.isEmpty() ? shownBefore : library.Count() - 1);
        for (int n = 0; n < stocked.size(); ++n) {
            const int number = kStandardLibrarySize + n;
            QCOMPARE(library.Lines()[number],
                     QStringLiteral("%1:point     ").arg(number, 3, 10, QLatin1Char('0')) +
                         Point(stocked[n]));
        }
        if (stocked.isEmpty()) return;
        // Inserting the shown entry gives the stocked command back.
        f.editor.ClickLine(0);
        f.editor.AddCmd();
        QCOMPARE(f.editor.CommandTextAt(0), Point(stocked.last()));
    }

    // Entry numbers grow past three digits; such entries are still split correctly.
    void stockedEntriesPastNumber999InsertTheirText() {
        ListFixture f;
        const QString twoLines = QStringLiteral("point\toid=\"M\"\r\n\t\t\t\tstr=\"a:b\";");
        f.Fill({twoLines});
        f.editor.ClickLine(0);
        f.editor.Library().SetLines(StandardLibrary(), 998);
        f.editor.StockCommand();
        f.editor.StockCommand();
        QVERIFY(f.editor.Library().Lines().last().startsWith(QStringLiteral("1000:point     ")));
        f.editor.AddCmd();
        QCOMPARE(f.editor.CommandTextAt(0), twoLines);
        QCOMPARE(f.editor.CommandTextAt(1), twoLines);
    }
};

KEL_TEST(LibraryOpsTest);
#include "tst_LibraryOps.moc"
