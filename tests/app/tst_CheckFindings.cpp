// The findings list of "Check Script" over an open document: rows in file order, and an
// activated row makes its command current.
#include <QTreeWidget>

#include "EditorFixture.h"
#include "TestMain.h"
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
};

KEL_TEST(CheckFindingsTest);

#include "tst_CheckFindings.moc"
