// The position editor's window offscreen, driven through its named controls, over the main
// window with its built-in map: an area drawn by clicking the map and saved, the controls
// and menus, the roles, and the window's place kept in KelEditor.dat.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

#include "../app/WindowFixture.h"
#include "TestMain.h"
#include "posedit/PosEditor.h"
#include "posedit/PosEditorWindow.h"
#include "proatlas/MapWidget.h"

using namespace kel;
using namespace kel::test;

namespace {

// A coordinate in degrees as the position editor takes it from the map's mark: rounded to
// a millisecond of arc by the map, then cut to tenths of a second.
QString TenthsCut(double deg) {
    const qint64 ms = std::llround(deg * 3600000.0);
    const qint64 tenths = ms >= 0 ? ms / 100 : -((-ms + 99) / 100);
    const qint64 d = tenths >= 0 ? tenths / 36000 : -((-tenths + 35999) / 36000);
    const qint64 rest = tenths - d * 36000;
    return QStringLiteral("%1/%2/%3.%4")
        .arg(d)
        .arg(rest / 600, 2, 10, QLatin1Char('0'))
        .arg(rest % 600 / 10, 2, 10, QLatin1Char('0'))
        .arg(rest % 10);
}

struct PosWindowFixture : WindowFixture {
    MapWidget* Map() const { return window->findChild<MapWidget*>(QStringLiteral("MapWidget")); }
    PosEditorWindow* Form3() const { return window->findChild<PosEditorWindow*>(QStringLiteral("Form3")); }
    PosEditor& Pe() { return app->session().posEditor(); }

    template <typename T>
    T* In3(const QString& name) const {
        return Form3()->findChild<T*>(name);
    }
    void Click(const QString& name) {
        QWidget* w = In3<QWidget>(name);
        QVERIFY2(w, qPrintable(name));
        // Check boxes and option buttons take clicks on their box and caption only.
        const QPoint at = qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)
                              ? QPoint(qMin(8, w->width() / 2), w->height() / 2)
                              : w->rect().center();
        QTest::mouseClick(w, Qt::LeftButton, {}, at);
    }

    QString OpenScript(const QStringList& commands) {
        QStringList lines{QStringLiteral("mapserver script ver=\"1.0\";")};
        lines << commands << QStringLiteral("mapserver end;");
        const QString path = WriteScript(QStringLiteral("draw.kel"), lines);
        editor().SetEditFg(0);
        editor().DoOpenKelFile(path);
        window->RefreshState();
        return path;
    }

    // Presses the "Edit" button of the loaded command's `pos` row.
    void EditPos() {
        for (int r = 0; r < kSlotCount; ++r) {
            if (Find<QLabel>(QStringLiteral("KelS%1").arg(r))->text() != QLatin1String("pos")) continue;
            QPushButton* edit = Find<QPushButton>(QStringLiteral("EditPar%1").arg(r));
            QTest::mouseClick(edit, Qt::LeftButton, {}, edit->rect().center());
            return;
        }
        QFAIL("no pos row");
    }
};

}  // namespace

class PosEditorWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void anAreaDrawnByClickingTheMapIsSaved() {
        PosWindowFixture f;
        MapWidget* map = f.Map();
        QVERIFY(map);
        const QString path = f.OpenScript({QStringLiteral("area oid=\"1\" gid=\"1\" pos=\"\";")});
        f.ClickLine(1);
        f.EditPos();
        PosEditorWindow* w = f.Form3();
        QVERIFY(w && w->isVisible());
        QCOMPARE(w->windowTitle(), QStringLiteral("EditPos"));
        QVERIFY(f.In3<QRadioButton>(QStringLiteral("AddPos"))->isChecked());

        MapView v = map->View();
        v.centerLat_deg = 35.5;
        v.centerLon_deg = 139.75;
        v.SetLayerScale(25000);
        map->SetView(v);
        const QPoint centre = map->rect().center();
        const QList<QPoint> pixels{centre + QPoint(-60, 40), centre + QPoint(70, 30), centre + QPoint(0, -50)};
        QStringList expected;
        for (const QPoint& px : pixels) {
            const auto [lat, lon] = map->View().ToGeo(QPointF(px));
            expected << TenthsCut(lat) + QLatin1Char(',') + TenthsCut(lon);
            QTest::mouseClick(map, Qt::LeftButton, {}, px);
        }
        QListWidget* list = f.In3<QListWidget>(QStringLiteral("PosList"));
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->item(2)->text().mid(14), expected[2]);
        // Numbers on the map, the area drawn in green.
        QCOMPARE(int(map->Texts().size()), 3);
        QVERIFY(f.Pe().EditFigure() > 0);
        QCOMPARE(map->Shape(f.Pe().EditFigure())->style.lineColor, RgbValue(0, 255, 0));

        f.Click(QStringLiteral("ReturnPos"));
        QVERIFY(!w->isVisible());
        QVERIFY(map->Texts().empty());
        const QString pos = expected.join(QLatin1Char(',')) + QLatin1Char(',') + expected[0];
        QCOMPARE(GetParamValue(f.editor().CommandTextAt(1), QStringLiteral("pos")), pos);
        QCOMPARE(f.Find<QLineEdit>(QStringLiteral("Par1"))->text().isEmpty(), false);

        QVERIFY(f.editor().Save());
        // The edited command in the writer's layout; the others as read.
        const QByteArray want = "mapserver script ver=\"1.0\";\r\n"
                                "\t\tarea\toid=\"1\"\r\n"
                                "\t\t\t\tgid=\"1\"\r\n"
                                "\t\t\t\tpos=\"" + pos.toLatin1() + "\";\r\n"
                                "mapserver end;\r\n";
        QCOMPARE(ReadBytes(path), want);
    }

    void controlsAndMenusByName() {
        PosWindowFixture f;
        f.OpenScript({QStringLiteral("line oid=\"1\" gid=\"1\" pos=\"<>35/00/00.0,135/00/00.0,35/00/10.0,135/00/10.0\";")});
        f.ClickLine(1);
        f.EditPos();
        for (const char* name : {"PosList", "PosListStr", "CurIdo", "CurKei", "KelCmd", "ArrowStr", "Label3",
                                 "AddPos", "MovePos", "InsertPos", "SnapPos", "ReferPos", "DispNum",
                                 "DispFigureFg", "Event", "SearchPos", "DeletePos", "RefreshPos",
                                 "ReturnPos", "Cancel", "Calc", "CalcP", "CalcResult"})
            QVERIFY2(f.In3<QWidget>(QString::fromLatin1(name)), name);
        QCOMPARE(f.In3<QLabel>(QStringLiteral("ArrowStr"))->text(), QStringLiteral("<>"));
        QVERIFY(f.In3<QLabel>(QStringLiteral("ArrowStr"))->isVisible());
        QCOMPARE(f.In3<QLabel>(QStringLiteral("KelCmd"))->text(), QStringLiteral("line"));
        QCOMPARE(f.In3<QLineEdit>(QStringLiteral("CurIdo"))->text(), QStringLiteral("000/00/00.0"));
        QVERIFY(!f.In3<QLineEdit>(QStringLiteral("CalcResult"))->text().isEmpty());

        // The arrow label cycles on a click; EditPos cannot change the kind.
        f.Click(QStringLiteral("ArrowStr"));
        QCOMPARE(f.In3<QLabel>(QStringLiteral("ArrowStr"))->text(), QString());
        QVERIFY(f.In3<QAction>(QStringLiteral("MenuFileArrow"))->isEnabled());
        QVERIFY(!f.In3<QAction>(QStringLiteral("MenuFileCmd"))->isEnabled());
        QCOMPARE(f.In3<QAction>(QStringLiteral("MenuEditClickIns"))->text(), QStringLiteral("Mode[Insert](&I))"));

        // A line of the list shows its point; a mode button and the action button work.
        QListWidget* list = f.In3<QListWidget>(QStringLiteral("PosList"));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
        QCOMPARE(f.In3<QLineEdit>(QStringLiteral("CurKei"))->text(), QStringLiteral("135/00/10.0"));
        f.Click(QStringLiteral("InsertPos"));
        QCOMPARE(f.Pe().Mode(), PosMode::kInsert);
        f.Map()->SetMark(35.0 + 5 / 3600.0, 135.0 + 5 / 3600.0);
        f.Click(QStringLiteral("Event"));
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->currentRow(), 1);
        QCOMPARE(list->item(1)->text().mid(14), QStringLiteral("35/00/05.0,135/00/05.0"));
        f.Click(QStringLiteral("DeletePos"));
        QCOMPARE(list->count(), 2);
        // Menu items run the same operations.
        f.In3<QAction>(QStringLiteral("MenuEditClickSrch"))->trigger();
        QVERIFY(f.In3<QRadioButton>(QStringLiteral("SnapPos"))->isChecked());
        f.Click(QStringLiteral("DispNum"));
        QVERIFY(f.Map()->Texts().empty());
        f.Click(QStringLiteral("Cancel"));
        QVERIFY(!f.Form3()->isVisible());
        QCOMPARE(f.Map()->ShapeCount(), 0);
    }

    void getPosChangesKindByClickingIt() {
        PosWindowFixture f;
        f.OpenScript({QStringLiteral("point oid=\"1\" gid=\"1\" pos=\"35/00/30.0,135/00/30.0\";"),
                      QStringLiteral("point oid=\"2\" gid=\"1\" pos=\"35/05/00.0,135/05/00.0\";")});
        f.ClickLine(1);
        f.prompts().Answer(kAnswerYes);
        f.window->RunNamed(QStringLiteral("MenuExecFindInterior"));
        PosEditorWindow* w = f.Form3();
        QVERIFY(w->isVisible());
        QCOMPARE(w->windowTitle(), QStringLiteral("GetPos"));
        QVERIFY(!f.In3<QLabel>(QStringLiteral("ArrowStr"))->isVisible());
        f.Click(QStringLiteral("KelCmd"));
        QCOMPARE(f.In3<QLabel>(QStringLiteral("KelCmd"))->text(), QStringLiteral("circle1"));
        // circle1 from its centre and a rim point due north: three minutes of radius.
        f.Map()->SetMark(35.0, 135.0);
        f.Click(QStringLiteral("Event"));
        f.Map()->SetMark(35.05, 135.0);
        f.Click(QStringLiteral("Event"));
        f.Click(QStringLiteral("ReturnPos"));
        QVERIFY(!w->isVisible());
        const std::vector<int> sel = f.editor().List().SelectedIndexes();
        QCOMPARE(QList<int>(sel.begin(), sel.end()), QList<int>{1});
    }

    void theWindowKeepsItsPlace() {
        QPoint placed;
        {
            PosWindowFixture f;
            f.OpenScript({QStringLiteral("point oid=\"1\" gid=\"1\" pos=\"35/00/30.0,135/00/30.0\";")});
            f.ClickLine(1);
            f.EditPos();
            f.Form3()->move(137, 211);
            placed = f.Form3()->pos();
            f.Click(QStringLiteral("Cancel"));
            QCOMPARE(f.app->PosEditorPosition(), placed);
            QVERIFY(f.app->SaveDefinitionFile());
            const TextReadResult dat = ReadTextFile(f.SettingsFile(QStringLiteral("KelEditor.dat")));
            QCOMPARE(dat.lines.value(4), QStringLiteral("%1 %2").arg(placed.x()).arg(placed.y()));
            // Opened again, it goes where the definition file says.
            f.app->SetPosEditorPosition(QPoint(301, 257));
            f.EditPos();
            QCOMPARE(f.Form3()->pos(), QPoint(301, 257));
        }
    }
};

KEL_TEST(PosEditorWindowTest);

#include "tst_PosEditorWindow.moc"
