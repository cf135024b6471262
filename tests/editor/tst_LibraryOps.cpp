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
        QTest::newRow("slot past the panel") << 1 << 16 << "line" << QList<int>{};
        QTest::newRow("k past the library") << kStandardLibrarySize << 2 << "" << QList<int>{};
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
        f.editor.SetValuePickerHook([&](int s) {
            QCOMPARE(f.editor.Params().kelListNCaption, QStringLiteral("1"));  // the new entry
            pickerSlots << s;
        });

        f.editor.AddLibraryCommand(k, slot);

        QCOMPARE(pickerSlots, picked);
        if (word.isEmpty()) {
            QCOMPARE(f.Oids(), (QStringList{"A", "B", "C"}));
            QCOMPARE(f.editor.EditFg(), 0);
            return;
        }
        QCOMPARE(f.editor.CommandTextAt(1), SplitLibraryLine(f.editor.Library().Lines()[k]).text);
        QCOMPARE(f.Oids()[2], QStringLiteral("B"));
        QCOMPARE(f.editor.List().Current(), 1);
        QCOMPARE(f.editor.Params().curKelCmdCaption, word);
        QCOMPARE(f.editor.Params().kelListNValue, 0);
        QCOMPARE(f.editor.EditFg(), 1);
        QCOMPARE(f.FigureOf(1) > 0, IsFigureCommand(word));
    }

    // Stocking takes the selected lines, else the current line, as numbered entries and
    // shows the last one; with neither nothing changes.
    void stockCommand() {
        ListFixture f;
        f.FillPoints(3);
        const CommandLibrary& library = f.editor.Library();
        const int shownBefore = library.Shown();
        f.editor.List().SetCurrent(-1);
        QVERIFY(f.editor.RunAction(QStringLiteral("GetDefaultCmd")));
        QCOMPARE(library.Count(), kStandardLibrarySize);
        QCOMPARE(library.Shown(), shownBefore);
        f.editor.List().SetCurrent(1);
        f.Select({2, 0});
        QVERIFY(f.editor.RunAction(QStringLiteral("GetDefaultCmd")));
        f.editor.ClearSelection();
        QVERIFY(f.editor.RunAction(QStringLiteral("GetDefaultCmd")));
        QStringList entries;
        for (int n = 0; n < 3; ++n)
            entries << QStringLiteral("%1:point     ").arg(kStandardLibrarySize + n, 3, 10,
                                                          QLatin1Char('0')) +
                           Point(QStringLiteral("ACB").mid(n, 1));
        QCOMPARE(library.Lines().mid(kStandardLibrarySize), entries);
        QCOMPARE(library.Shown(), kStandardLibrarySize + 2);
    }

    // Entry numbers grow past three digits; such entries are still split correctly, and
    // inserting the shown entry gives the stocked command back.
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
