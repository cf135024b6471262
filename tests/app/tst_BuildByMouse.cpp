// A small script built with the mouse in the main window (offscreen, the built-in map): a
// group added and styled with the pickers, an area drawn by clicking the map, the group set
// into the legend, and the script saved.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "TestMain.h"
#include "WindowFixture.h"
#include "app/LegendWindow.h"
#include "proatlas/MapWidget.h"
#include "script/Statement.h"

using namespace kel;
using namespace kel::test;

namespace {

struct MouseWindow : WindowFixture {
    QLineEdit* Par(int row) const { return Find<QLineEdit>(QStringLiteral("Par%1").arg(row)); }
    void Press(const QString& name, QWidget* in = nullptr) {
        auto* b = (in ? in : window.get())->findChild<QPushButton*>(name);
        QVERIFY2(b && b->isVisible(), qPrintable(name));
        QTest::mouseClick(b, Qt::LeftButton, {}, b->rect().center());
    }
    // Types a value into a row's box and presses Enter, as a user edits a value.
    void Type(int row, const QString& text) {
        Par(row)->selectAll();
        QTest::keyClicks(Par(row), text);
        QTest::keyClick(Par(row), Qt::Key_Return);
    }
    int LineOf(const QString& word) {
        for (int i = 0; i < editor().List().Count(); ++i)
            if (CommandWord(editor().CommandTextAt(i)) == word) return i;
        return -1;
    }
};

}  // namespace

class BuildByMouseTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void groupAreaLegendAndSave() {
        MouseWindow f;
        auto* map = f.Find<MapWidget>(QStringLiteral("MapWidget"));
        QVERIFY(map);
        f.editor().New();
        f.window->RefreshState();

        // A group, its gid typed, its line colour picked, its area style chosen in the list.
        f.Action(QStringLiteral("KelEditFigureAddObjectDispGroup"))->trigger();
        QCOMPARE(f.editor().Params().curKelCmdCaption, QStringLiteral("group"));
        f.Type(0, QStringLiteral("7"));
        f.prompts().ChooseColour({10, 20, 30});
        f.Press(QStringLiteral("EditPar3"));
        QCOMPARE(f.Par(3)->text(), QStringLiteral("10,20,30"));
        f.Press(QStringLiteral("EditPar8"));
        auto* list = f.Find<QComboBox>(QStringLiteral("ParList"));
        QVERIFY(list->isVisible());
        list->setCurrentIndex(-1);
        QTest::keyClick(list, Qt::Key_Down);  // "fill"
        QTest::keyClick(list, Qt::Key_Return);
        const QString groupText = f.editor().CommandTextAt(f.LineOf(QStringLiteral("group")));
        QCOMPARE(GetParamValue(groupText, "linergb"), QStringLiteral("10,20,30"));
        QCOMPARE(GetParamValue(groupText, "areastyle"), QStringLiteral("fill"));

        // An area: the position editor opens on its empty pos; three clicks on the map and OK.
        f.Action(QStringLiteral("KelEditFigureAddObjectFigureArea"))->trigger();
        QWidget* form3 = f.Find<QWidget>(QStringLiteral("Form3"));
        QVERIFY(form3 && form3->isVisible());
        MapView v = map->View();
        v.centerLat_deg = 35.5;
        v.centerLon_deg = 139.75;
        v.SetLayerScale(25000);
        map->SetView(v);
        const QPoint c = map->rect().center();
        for (const QPoint& px : {c + QPoint(-60, 40), c + QPoint(70, 30), c + QPoint(0, -50)})
            QTest::mouseClick(map, Qt::LeftButton, {}, px);
        f.Press(QStringLiteral("ReturnPos"), form3);
        QVERIFY(!form3->isVisible());
        const int area = f.LineOf(QStringLiteral("area"));
        QCOMPARE(GetParamValue(f.editor().CommandTextAt(area), "pos").count(QLatin1Char(',')), 7);
        f.Type(1, QStringLiteral("7"));
        QCOMPARE(GetParamValue(f.editor().CommandTextAt(area), "gid"), QStringLiteral("7"));

        // The group into the legend: its gid as the label, its colours on the samples.
        f.ClickLine(f.LineOf(QStringLiteral("group")));
        f.Action(QStringLiteral("MenuViewSetGroup"))->trigger();
        auto* legend = f.Find<LegendWindow>(QStringLiteral("Form4"));
        QVERIFY(legend->isVisible());
        QCOMPARE(legend->findChild<QLabel*>(QStringLiteral("GroupName0"))->text(), QStringLiteral("7"));
        const QImage line = legend->findChild<QWidget*>(QStringLiteral("Lines0"))->grab().toImage();
        QCOMPARE(QColor(line.pixel(line.width() / 2, line.height() / 2)), QColor(10, 20, 30));

        // Saved: the group and the area in the writer's layout.
        const QString path = f.dir.filePath(QStringLiteral("built.kel"));
        f.prompts().ChoosePath(path);
        QVERIFY(f.editor().SaveAs());
        const QByteArray saved = ReadBytes(path);
        QVERIFY2(saved.contains("\t\tgroup\tgid=\"7\"\r\n"), saved.constData());
        QVERIFY(saved.contains("\t\t\t\tlinergb=\"10,20,30\"\r\n"));
        QVERIFY(saved.contains("\t\t\t\tareastyle=\"fill\"\r\n"));
        QVERIFY(saved.contains("\t\tarea\t"));
        QCOMPARE(f.editor().EditFg(), 0);
    }
};

KEL_TEST(BuildByMouseTest);

#include "tst_BuildByMouse.moc"
