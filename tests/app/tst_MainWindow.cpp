#include <QListWidget>

#include "EditorFixture.h"
#include "TestMain.h"
#include "app/MainWindow.h"

using namespace kel;
using namespace kel::test;

class MainWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The window shows what the editor opened, with the editor's checks: a script with a
    // byte that is not Shift-JIS opens with the warning, and the list follows later edits.
    void showsTheEditorsListAndFollowsIt() {
        EditorFixture f;
        MainWindow window(f.editor);
        auto* list = window.findChild<QListWidget*>(QStringLiteral("KelList"));
        QVERIFY(list);
        const QString path = f.dir.filePath(QStringLiteral("bad.kel"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("mapserver script ver=\"1.0\";\r\n\t\tpoint\toid=\"1\" str=\"\x81\x20\";\r\n"
                   "mapserver end;\r\n");
        file.close();
        f.OpenScript(path);
        QCOMPARE(f.prompts().Asked().size(), 1);
        QVERIFY(f.prompts().Last().prompt.contains(QString::fromUtf8("2行目")));
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->item(1)->text(), f.editor.List().Line(1));
        QCOMPARE(window.windowTitle(), f.editor.Title());

        f.editor.List().Remove(1);
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->item(1)->text(), f.editor.List().Line(1));
    }
};

KEL_TEST(MainWindowTest);
#include "tst_MainWindow.moc"
