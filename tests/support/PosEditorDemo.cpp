// Drives the editor as a person drawing an area would, for the README's picture of the
// position editor (scripts/screenshot-posedit.sh): opens a small script of Tokyo figures,
// opens the position editor for a new area's `pos`, clicks four points on the map one
// after another and leaves both windows on the screen.
// With --getpos it runs "Interior Object" from a point instead: the editor opens as
// "GetPos" and a rect is drawn with two clicks; --getpos-ok also confirms it, so that the
// figures inside are selected and shown.
//   kel_posedit_demo FOLDER [--getpos | --getpos-ok]
// FOLDER receives the script and the settings files.
#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QMouseEvent>
#include <QTimer>

#include "app/EditorApp.h"
#include "app/MainWindow.h"
#include "common/TextFile.h"
#include "platform/QtPlatform.h"
#include "posedit/PosEditorWindow.h"
#include "proatlas/MapWidget.h"

using namespace kel;

namespace {

void ClickMap(MapWidget* map, QPointF at) {
    const QPointF global = map->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, {});
    QApplication::sendEvent(map, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, {});
    QApplication::sendEvent(map, &release);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath();
    const bool getPosOk = argc > 2 && QByteArray(argv[2]) == "--getpos-ok";
    const bool getPos = getPosOk || (argc > 2 && QByteArray(argv[2]) == "--getpos");
    qputenv("KEL_SETTINGS_DIR", folder.toLocal8Bit());

    const QString script = QDir(folder).filePath(QStringLiteral("tokyo.kel"));
    WriteTextFile(script, {
        QStringLiteral("mapserver script ver=\"1.0\";"),
        QStringLiteral("group gid=\"100\" gname=\"寺社\" linergb=\"255,0,0\" areargb=\"0,0,255\";"),
        QStringLiteral("point oid=\"1\" gid=\"100\" pos=\"35/42/53.3,139/47/48.1\" str=\"浅草寺\";"),
        QStringLiteral("point oid=\"2\" gid=\"100\" pos=\"35/40/52.3,139/46/01.6\" str=\"皇居\";"),
        QStringLiteral("line oid=\"3\" gid=\"100\" pos=\"> 35/40/52.3,139/46/01.6,35/42/53.3,139/47/48.1\" str=\"散歩道\";"),
        QStringLiteral("area oid=\"4\" gid=\"100\" pos=\"\" str=\"新しい区域\";"),
        QStringLiteral("mapserver end;"),
    });

    QtPlatform platform;
    EditorApp editorApp(MakeEditorServices(platform, nullptr));
    MainWindow window(editorApp);
    platform.qtPrompts.SetParent(&window);
    editorApp.StartUp(false);
    window.AfterStartUp();
    window.move(0, 0);
    window.resize(1480, 900);
    window.show();
    if (auto* dock = window.findChild<QDockWidget*>(QStringLiteral("MapDock")))
        window.resizeDocks({dock}, {620}, Qt::Horizontal);
    Editor& editor = editorApp.editor();
    editor.LoadScriptFile(script);
    // The script's other figures for orientation.
    if (!getPos) editor.RunAction(QStringLiteral("ViewSelectedObject"));
    window.RefreshState();

    MapWidget* map = window.findChild<MapWidget*>(QStringLiteral("MapWidget"));
    PosEditorWindow* form3 = window.findChild<PosEditorWindow*>(QStringLiteral("Form3"));
    if (!map || !form3) return 1;
    QTimer::singleShot(500, &window, [&] {
        editorApp.SetPosEditorPosition(QPoint(1500, 30));
        if (getPos) {
            // A point cannot be the reference of "Interior Object": one is drawn instead
            // (the question answered Yes).
            editor.ClickLine(2);
            editor.SetAutoAnswerYes(true);
            window.RunNamed(QStringLiteral("MenuExecFindInterior"));
            editor.SetAutoAnswerYes(false);
        } else {
            editor.ClickLine(5);
            for (int r = 0; r < kSlotCount; ++r)
                if (editor.Params().rows[size_t(r)].label == QLatin1String("pos"))
                    editorApp.session().OpenPositionEditorForSlot(r);
        }
        window.RefreshState();
        MapView v = map->View();
        v.centerLat_deg = 35.695;
        v.centerLon_deg = 139.78;
        v.SetLayerScale(50000);
        map->SetView(v);
    });
    // Four clicks around the middle of the map, one every half second (for GetPos the two
    // corners of a rect, then OK).
    const QList<QPointF> offsets = getPos ? QList<QPointF>{{-200, 170}, {40, -40}}
                                          : QList<QPointF>{{-170, 90}, {120, 130}, {190, -80}, {-60, -150}};
    for (int k = 0; k < offsets.size(); ++k) {
        QTimer::singleShot(1000 + 500 * k, &window, [&, k] {
            ClickMap(map, QPointF(map->width() / 2.0, map->height() / 2.0) + offsets[k]);
        });
    }
    if (getPosOk) {
        QTimer::singleShot(1000 + 500 * int(offsets.size()), &window, [&] {
            editorApp.session().posEditor().Ok();
            window.RefreshState();
        });
    }
    return app.exec();
}
