// Times the spatial operations over a script as the editor holds it: FindInterior,
// FindExterior and FindObject relative to a rect, Nearest and Farthest from a figure, and
// the nearest-position search. Prints the best and the median of several runs.
//   spatial_bench FILE.kel [RUNS]
#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "editor/Editor.h"
#include "geo/NearestPos.h"
#include "geo/SpatialSelect.h"

using namespace kel;

namespace {

void Time(const char* name, int runs, const std::function<QString()>& op) {
    std::vector<double> ms;
    QString result;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        result = op();
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%-34s best %9.1f ms  median %9.1f ms  (%s)\n", name, ms.front(),
                ms[ms.size() / 2], qPrintable(result));
}

QString Count(const std::vector<int>& v) { return QString::number(v.size()) + " lines"; }

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: spatial_bench FILE.kel [RUNS]\n");
        return 2;
    }
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    Editor editor{EditorServices{}};
    QElapsedTimer load;
    load.start();
    if (!editor.LoadScriptFile(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "spatial_bench: cannot read %s\n", argv[1]);
        return 1;
    }
    std::printf("%d lines loaded in %.1f ms\n", editor.List().Count(),
                double(load.nsecsElapsed()) / 1e6);

    const QString rect = QStringLiteral("35/20/00.0,139/25/00.0,35/30/00.0,139/35/00.0");
    int figure = -1;  // the first figure line: the reference of Nearest and Farthest
    for (int i = 0; i < editor.List().Count() && figure < 0; ++i)
        if (!GeoFigureOfCommand(editor.CommandTextAt(i)).lat_deg.empty()) figure = i;
    const QString reference = editor.CommandTextAt(figure);

    Time("FindInterior (rect)", runs, [&] {
        return Count(FindSpatial(editor, kFindInterior, rect, "rect", QString(), false));
    });
    Time("FindInterior (rect, full overlap)", runs, [&] {
        return Count(FindSpatial(editor, kFindInterior, rect, "rect", QString(), true));
    });
    Time("FindExterior (rect)", runs, [&] {
        return Count(FindSpatial(editor, kFindExterior, rect, "rect", QString(), false));
    });
    Time("FindObject (point)", runs, [&] {
        return Count(FindSpatial(editor, kFindObject, "35/25/00.0,139/30/00.0", "point",
                                 QString(), false));
    });
    Time("Nearest", runs, [&] {
        const ExtremeFound f = FindExtreme(editor, reference, figure, Extreme::Nearest);
        return QStringLiteral("line %1 at %2 km").arg(f.index).arg(f.distance_km);
    });
    Time("Farthest", runs, [&] {
        const ExtremeFound f = FindExtreme(editor, reference, figure, Extreme::Farthest);
        return QStringLiteral("line %1 at %2 km").arg(f.index).arg(f.distance_km);
    });
    Time("GetNearestPos (search 1 km)", runs, [&] {
        const NearestPos n = GetNearestPos(editor, {35.5, 139.5, 1.0, 0, -1, false});
        return NearestPosText(n);
    });
    return 0;
}
