// The findings list of "Check Script" over an open document: rows in file order, and an
// activated row makes its command current.
#include <QDockWidget>
#include <QTreeWidget>

#include "EditorFixture.h"
#include "TestMain.h"
#include "WindowFixture.h"
#include "app/CheckFindingsWidget.h"
#include "check/ScriptCheck.h"

using namespace kel;

class CheckFindingsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void activatingMakesCurrent() {
        test::EditorFixture fx;
        fx.OpenScript(fx.WriteScript(
            QStringLiteral("f.kel"),
            {QStringLiteral("mapserver script ver=\"1.0\";"),
             QStringLiteral("\t\tpoint\toid=\"1\""),
             QStringLiteral("\t\t\t\tpos=\"35/00/00.0,135/00/00.0\";"),
             QStringLiteral("point oid=\"2\" pos=\"95/00/00.0,135/00/00.0\";"),
             QStringLiteral("point oid=\"3\" pos=\"35/00/00.0,135/00/00.0\" strfromat=\"left\";"),
             QStringLiteral("mapserver end;")}));
        QCOMPARE(fx.editor.List().Count(), 5);

        CheckFindingsWidget view;
        QObject::connect(&view, &CheckFindingsWidget::FindingActivated, &fx.editor,
                         &Editor::ClickLine);
        view.SetFindings(CheckStatements(fx.Texts(), {}));
        QCOMPARE(view.RowCount(), 2);
        QCOMPARE(view.RowText(0), QStringLiteral("4:1: error: latitude 95/00/00.0 (position 1) "
                                                 "is outside -90 to 90 [pos-range]"));
        QVERIFY(view.RowText(1).startsWith(QLatin1String("5:1: warning: \"strfromat\"")));
        QCOMPARE(view.SummaryText(), QStringLiteral("1 error(s), 1 warning(s), 0 note(s)"));

        auto* tree = view.findChild<QTreeWidget*>(QStringLiteral("CheckFindingList"));
        QVERIFY(tree);
        view.show();
        for (int row : {1, 0}) {
            tree->setCurrentItem(tree->topLevelItem(row));
            QTest::keyClick(tree, Qt::Key_Return);
            QCOMPARE(fx.editor.List().Current(), row == 0 ? 2 : 3);
        }

        view.SetFindings({});
        QCOMPARE(view.RowCount(), 0);
        QCOMPARE(view.SummaryText(), QStringLiteral("No findings"));
    }

    // File > Check Script checks the document as it stands in the list (an edit not yet
    // saved counts), shows the dock, and a finding's row makes its command current.
    void menuItemShowsTheDock() {
        test::WindowFixture f;
        f.editor().DoOpenKelFile(f.WriteScript(
            QStringLiteral("w.kel"),
            {QStringLiteral("mapserver script ver=\"1.0\";"),
             QStringLiteral("point oid=\"1\" pos=\"35/00/00.0,135/00/00.0\";"),
             QStringLiteral("point oid=\"2\" pos=\"35/00/00.0,135/00/00.0\";"),
             QStringLiteral("mapserver end;")}));
        QDockWidget* dock = f.window->CheckDock();
        QVERIFY(dock && !dock->isVisible());
        f.window->RunNamed(QStringLiteral("MenuFileCheckScript"));
        QVERIFY(dock->isVisible());
        auto* view = dock->findChild<CheckFindingsWidget*>(QStringLiteral("CheckFindings"));
        QVERIFY(view);
        QCOMPARE(view->RowCount(), 0);

        // An unsaved edit: the second point now repeats the first one's oid, and holds a
        // character a save in Shift-JIS cannot hold.
        f.editor().ClickLine(2);
        f.editor().SetParValue(1, QStringLiteral("1"));
        f.editor().SetParValue(4, QString::fromUtf8("\xF0\x9F\x97\xBC"));
        QVERIFY(f.editor().ApplyPendingEdits());
        f.editor().ClickLine(0);
        f.Action(QStringLiteral("MenuFileCheckScript"))->trigger();
        QCOMPARE(view->RowCount(), 2);
        QVERIFY2(view->RowText(0).startsWith(QLatin1String("3:3: warning: oid \"1\" is also used")),
                 qPrintable(view->RowText(0)));
        QVERIFY2(view->RowText(1).contains(QLatin1String("[encoding]")), qPrintable(view->RowText(1)));
        auto* tree = view->findChild<QTreeWidget*>(QStringLiteral("CheckFindingList"));
        tree->setCurrentItem(tree->topLevelItem(0));
        QTest::keyClick(tree, Qt::Key_Return);
        QCOMPARE(f.editor().List().Current(), 2);

        // Opening another script clears findings that no longer belong to the list.
        f.editor().SetEditFg(0);
        f.editor().New();
        QCOMPARE(view->RowCount(), 0);
    }
};

KEL_TEST(CheckFindingsTest);

#include "tst_CheckFindings.moc"
