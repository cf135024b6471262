// kelmap: a KEL script's figures over the base map, in a window or as a picture.
#include <QApplication>
#include <QFile>
#include <QPainter>
#include <QTextStream>
#include <QTimer>
#include <cstdio>
#include <optional>

#include "geo/PosList.h"

#include "proatlas/BaseMap.h"
#include "proatlas/MapContent.h"
#include "proatlas/MapWidget.h"
#include "proatlas/MapWindow.h"
#include "editor/ProAtlasLink.h"
#include "proatlas/QtMapPainter.h"
#include "proatlas/ScriptPreview.h"

namespace {

const char kUsage[] =
    "usage: kelmap [FILE.kel] [--scale N] [--center LAT,LON] [--screenshot OUT.png [--size WxH]]\n"
    "  Shows the figures of a KEL script over the base map.\n"
    "  --scale N         start at the scale 1:N (centred where the script's view is)\n"
    "  --center LAT,LON  centre the view there (\"KEL\" form 35/40/52.3,139/46/01.6)\n"
    "  --screenshot OUT  write the view as a PNG picture instead of opening a window\n"
    "  --size WxH        size of the picture (default 1000x750)\n"
    "  --tiles URL       raster tiles under the map from a {z}/{x}/{y} URL template\n"
    "                    (default: $KEL_TILE_URL; none when unset; window only)\n"
    "  --remove-after-read  delete FILE once it has been read (a temporary copy)\n";

// A map that only holds what is drawn on it, for pictures.
class PictureMap : public kel::MapContent {
public:
    void ShowWindow() override {}
    qint64 hwndMain() const override { return 0; }
    double LayerScale() const override { return 0; }
    void MoveTo(int, int, qint32, qint32) override {}
};

struct Options {
    QString file;
    QString screenshot;
    QSize size{1000, 750};
    double scale = 0;
    std::optional<std::pair<double, double>> center;
    bool removeAfterRead = false;
    QString tiles;
};

bool ParseArgs(const QStringList& args, Options& o, QString& error) {
    for (int i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        const auto next = [&](QString& out) {
            if (i + 1 >= args.size()) {
                error = a + QStringLiteral(" needs a value");
                return false;
            }
            out = args[++i];
            return true;
        };
        QString v;
        if (a == QLatin1String("--screenshot")) {
            if (!next(o.screenshot)) return false;
        } else if (a == QLatin1String("--size")) {
            if (!next(v)) return false;
            const QStringList wh = v.split(QLatin1Char('x'));
            bool okW = false, okH = false;
            const int w = wh.value(0).toInt(&okW), h = wh.value(1).toInt(&okH);
            if (wh.size() != 2 || !okW || !okH || w < 16 || h < 16 || w > 10000 || h > 10000) {
                error = QStringLiteral("--size wants WxH between 16 and 10000, not ") + v;
                return false;
            }
            o.size = QSize(w, h);
        } else if (a == QLatin1String("--scale")) {
            if (!next(v)) return false;
            bool ok = false;
            o.scale = v.toDouble(&ok);
            if (!ok || o.scale < kel::kMinLayerScale || o.scale > kel::kMaxLayerScale) {
                error = QStringLiteral("--scale wants a denominator between %1 and %2, not %3")
                            .arg(kel::kMinLayerScale).arg(kel::kMaxLayerScale).arg(v);
                return false;
            }
        } else if (a == QLatin1String("--center")) {
            if (!next(v)) return false;
            const kel::PosDegrees pos = kel::ParsePosDegrees(v);
            if (pos.count() != 1) {
                error = QStringLiteral("--center wants one position LAT,LON, not ") + v;
                return false;
            }
            o.center = std::make_pair(pos.lat[0], pos.lon[0]);
        } else if (a == QLatin1String("--tiles")) {
            if (!next(o.tiles)) return false;
            if (!o.tiles.contains(QLatin1String("{z}")) || !o.tiles.contains(QLatin1String("{x}")) ||
                !o.tiles.contains(QLatin1String("{y}"))) {
                error = QStringLiteral("--tiles wants a URL with {z}, {x} and {y}, not ") + o.tiles;
                return false;
            }
        } else if (a == kel::kRemoveAfterReadOption) {
            o.removeAfterRead = true;
        } else if (a.startsWith(QLatin1String("--")) && a.size() > 2) {
            error = QStringLiteral("unknown option ") + a;
            return false;
        } else if (o.file.isEmpty()) {
            o.file = a;
        } else {
            error = QStringLiteral("more than one script: ") + a;
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    bool picture = false;
    for (int i = 1; i < argc; ++i) {
        const QByteArray a(argv[i]);
        if (a == "--help" || a == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (a == "--version") {
            std::printf("kelmap %s\n", KEL_VERSION);
            return 0;
        }
        if (a == "--screenshot") picture = true;
    }
    // A picture needs no display.
    if (picture && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream err(stderr);
    Options o;
    QString error;
    if (!ParseArgs(app.arguments(), o, error)) {
        err << "kelmap: " << error << "\n" << kUsage;
        return 2;
    }

    auto base = std::make_shared<kel::BaseMap>();
    if (!o.screenshot.isEmpty()) {
        PictureMap map;
        kel::PreviewResult preview;
        if (!o.file.isEmpty()) {
            preview = kel::PreviewScriptFile(o.file, map);
            if (!preview.ok) {
                err << "kelmap: " << o.file << ": " << preview.error << "\n";
                return 1;
            }
            if (o.removeAfterRead) QFile::remove(o.file);
        }
        kel::MapView view;
        view.size = o.size;
        view.SetLayerScale(5000000);
        kel::ApplyPreviewView(view, preview.view);
        if (o.center) {
            view.centerLat_deg = o.center->first;
            view.centerLon_deg = o.center->second;
        }
        if (o.scale > 0) view.SetLayerScale(o.scale);
        QImage image(o.size, QImage::Format_ARGB32_Premultiplied);
        QPainter p(&image);
        kel::MapPaintOptions options;
        options.waitForBase = true;
        options.baseShift = kel::DatumShift(kel::Datum::Wgs84(), preview.datum);
        const kel::MapPaintStats stats = kel::PaintMap(p, view, base.get(), map, options);
        p.end();
        if (!stats.baseError.isEmpty()) err << "kelmap: base map: " << stats.baseError << "\n";
        if (!image.save(o.screenshot, "PNG")) {
            err << "kelmap: cannot write " << o.screenshot << "\n";
            return 1;
        }
        return 0;
    }

    kel::MapWindow window(base);
    kel::MapWidget* map = window.Map();
    map->SetEnableMark(true);
    if (!o.tiles.isEmpty()) map->SetTileUrl(o.tiles);
    window.show();
    if (!o.file.isEmpty()) {
        const kel::PreviewResult preview = kel::PreviewScriptFile(o.file, *map);
        if (!preview.ok) {
            err << "kelmap: " << o.file << ": " << preview.error << "\n";
            return 1;
        }
        if (o.removeAfterRead) QFile::remove(o.file);
        map->SetFigureDatum(preview.datum);
        window.setWindowTitle(QStringLiteral("KEL Map - ") + o.file);
        // Once the window has its size, so that the script's view fits it.
        QTimer::singleShot(0, map, [map, request = preview.view, o] {
            kel::MapView view = map->View();
            kel::ApplyPreviewView(view, request);
            map->SetView(view);
            if (o.center) map->CenterOn(o.center->first, o.center->second);
            if (o.scale > 0) map->SetLayerScale(o.scale);
        });
    } else {
        if (o.center) map->CenterOn(o.center->first, o.center->second);
        if (o.scale > 0) map->SetLayerScale(o.scale);
    }
    return app.exec();
}
