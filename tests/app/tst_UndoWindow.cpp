#include <QCheckBox>
#include <QMenu>
#include <QStatusBar>

#include "TestMain.h"
#include "WindowFixture.h"
#include "platform/Prompts.h"

using namespace kel;
using namespace kel::test;

class UndoWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Edit > Undo and Redo: at the head of the EditList menu, with the standard keys, the
    // step's name in the caption, and enabled only when there is something to take back.
    void undoAndRedoItems() {
        WindowFixture f;
        QAction* undo = f.Action(QStringLiteral("MenuEditUndo"));
        QAction* redo = f.Action(QStringLiteral("MenuEditRedo"));
        QVERIFY(undo && redo);
        QCOMPARE(f.Find<QMenu>(QStringLiteral("MenuEditKel"))->actions().value(0), undo);
        QCOMPARE(undo->shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
        QCOMPARE(redo->shortcuts(),
                 (QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+Shift+Z")),
                                      QKeySequence(QStringLiteral("Ctrl+Y"))}));
        QVERIFY(!undo->isEnabled());
        QVERIFY(!redo->isEnabled());

        f.editor().SetFileName(f.WriteScript(QStringLiteral("a.kel"),
                                             {QStringLiteral("comment a;"), QStringLiteral("comment b;"),
                                              QStringLiteral("comment c;")}));
        f.window->RunNamed(QStringLiteral("MenuFileOpen"));
        const QStringList opened = f.editor().List().Lines();
        f.ClickLine(0);
        f.window->RunNamed(QStringLiteral("ListDown"));
        QVERIFY(undo->isEnabled());
        QCOMPARE(undo->text(), QStringLiteral("Undo Turn Down"));
        QVERIFY(f.Find<QCheckBox>(QStringLiteral("EditFg"))->isChecked());

        undo->trigger();
        QCOMPARE(f.editor().List().Lines(), opened);
        QVERIFY(!undo->isEnabled());
        QCOMPARE(redo->text(), QStringLiteral("Redo Turn Down"));
        QVERIFY(!f.Find<QCheckBox>(QStringLiteral("EditFg"))->isChecked());
        QCOMPARE(f.List()->currentIndex().row(), 0);

        redo->trigger();
        QCOMPARE(f.editor().List().Current(), 1);
        QCOMPARE(f.List()->currentIndex().row(), 1);
        QVERIFY(!redo->isEnabled());
    }

    // A dropped step is said in the status line.
    void droppedStepIsSaid() {
        WindowFixture f;
        f.editor().History().SetLimits(1, ListHistory::kDefaultMaxBytes);
        f.editor().RunAction(QStringLiteral("MenuFileNew"));
        f.ClickLine(0);
        f.window->RunNamed(QStringLiteral("ListDown"));
        f.window->RunNamed(QStringLiteral("ListDown"));
        QVERIFY2(f.window->statusBar()->currentMessage().contains(QStringLiteral("\"Turn Down\"")),
                 qPrintable(f.window->statusBar()->currentMessage()));
    }
};

KEL_TEST(UndoWindowTest);
#include "tst_UndoWindow.moc"
