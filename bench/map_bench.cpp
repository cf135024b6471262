// The built-in map's speed: painting a full window of base map at several scales, "Refresh
// Figures" on a script of many figures (the script of gen_script), the first paint with all
// of them shown, and frames per second while the view is dragged.
//   map_bench FILE.kel [WxH]
#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/EditorSession.h"
#include "platform/Platform.h"
#include "proatlas/BaseMap.h"
#include "proatlas/MapWidget.h"

using namespace kel;

namespace {

double Ms(const QElapsedTimer& t) { return double(t.nsecsElapsed()) / 1e6; }

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void Place(MapWidget& map, double lat, double lon, double scale) {
    MapView v = map.View();
    v.centerLat_deg = lat;
    v.centerLon_deg = lon;
    v.SetLayerScale(scale);
    map.SetView(v);
}

// Median of full paints of the view (base map of the scale read beforehand).
double PaintMs(MapWidget& map, int runs) {
    map.Render(true);  // reads the level if needed
    std::vector<double> t;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer e;
        e.start();
        map.Render(true);
        t.push_back(Ms(e));
    }
    return Median(t);
}

// Frames per second while dragging: the mouse is pressed on the map and moved a few
// pixels per frame, each frame painted as the window paints it during a drag (the last
// rendering moved); the full rendering follows when the view rests, as measured above.
double DragFps(MapWidget& map, int frames) {
    const auto send = [&map](QEvent::Type type, QPointF at, Qt::MouseButtons buttons) {
        QMouseEvent e(type, at, map.mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(&map, &e);
    };
    QPointF at(map.width() / 2.0, map.height() / 2.0);
    send(QEvent::MouseButtonPress, at, Qt::LeftButton);
    QElapsedTimer e;
    e.start();
    for (int i = 0; i < frames; ++i) {
        at += QPointF(6, 3);
        send(QEvent::MouseMove, at, Qt::LeftButton);
        map.grab();  // paints through the widget's own paint event, offscreen too
    }
    const double fps = frames / (Ms(e) / 1000.0);
    send(QEvent::MouseButtonRelease, at, Qt::NoButton);
    return fps;
}

}  // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);  // lines as they come, also into a file
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: map_bench FILE.kel [WxH]\n");
        return 2;
    }
    QSize size(1280, 800);
    if (argc > 2) {
        const QStringList wh = QString::fromLatin1(argv[2]).split(QLatin1Char('x'));
        size = QSize(wh.value(0).toInt(), wh.value(1).toInt());
    }

    // Reading the base map.
    for (int level = 0; level < kBaseLevels; ++level) {
        QElapsedTimer e;
        e.start();
        const auto data = ReadBaseLevel(GshhgFolder(), level);
        std::printf("read base level %c: %8zu points  %7.1f ms%s\n", kBaseLevelLetters[level],
                    data->lat.size(), Ms(e), data->error.isEmpty() ? "" : "  (incomplete)");
    }

    MapWidget map;
    map.resize(size);
    map.show();
    struct At {
        const char* name;
        double lat, lon, scale;
    };
    const At places[] = {{"Japan 1:10,000,000", 37.0, 137.5, 10000000},
                         {"Kanto 1:1,000,000", 35.6, 139.8, 1000000},
                         {"Tokyo Bay 1:100,000", 35.55, 139.85, 100000},
                         {"city 1:5,000", 35.62, 139.78, 5000}};
    std::printf("\nbase map, full %dx%d window, median of 5 paints:\n", size.width(), size.height());
    for (const At& a : places) {
        Place(map, a.lat, a.lon, a.scale);
        std::printf("  %-22s %7.1f ms\n", a.name, PaintMs(map, 5));
    }

    // The script's figures through the editor, as "Refresh Figures" shows them.
    PlatformDoubles platform;
    EditorSession session(MakeEditorServices(platform, nullptr));
    session.proAtlas().createMap = [&map]() -> ProAtlas* { return &map; };
    session.proAtlas().ConnectProAtlas();
    QElapsedTimer e;
    e.start();
    if (!session.editor().LoadScriptFile(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "map_bench: cannot read %s\n", argv[1]);
        return 1;
    }
    std::printf("\nopen %d commands: %.0f ms\n", session.editor().List().Count(), Ms(e));
    e.restart();
    session.editor().RunAction(QStringLiteral("MenuViewRefreshFigure"));
    std::printf("Refresh Figures: %d shapes drawn in %.0f ms\n", map.ShapeCount(), Ms(e));
    for (const At& a : {places[1], places[2], places[3]}) {
        Place(map, a.lat, a.lon, a.scale);
        e.restart();
        map.grab();
        const double first = Ms(e);
        std::printf("  %-22s first paint %7.1f ms, full rendering %7.1f ms, drag %6.0f frames/s\n",
                    a.name, first, map.LastRenderMs(), DragFps(map, 60));
    }
    e.restart();
    session.editor().RunAction(QStringLiteral("MenuViewSelect"));
    std::printf("view off (every shape removed): %.0f ms, %d shapes left\n", Ms(e), map.ShapeCount());
    return 0;
}
