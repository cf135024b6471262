#include "geo/SpatialSelect.h"

#include "list/ListDocument.h"
#include "common/Values.h"
#include "geo/FigureCentre.h"
#include "geo/Geometry.h"
#include "list/ListLine.h"
#include "script/Statement.h"

namespace kel {

namespace {

// A reference `pos` shorter than this runs nothing.
constexpr qsizetype kMinReferencePosLength = 3;
// Starting values of the nearest and farthest searches.
constexpr double kNearestStart_km = 999999;
constexpr double kFarthestStart_km = -999999;

// Whether a figure lies inside the reference region by its nodes and sides.
bool LiesInside(const GeoFigure& f, const GeoFigure& ref, bool fullOverlap) {
    const int n = f.NodeCount();
    if (n == 0 || !f.box.Overlaps(ref.box)) return false;
    if (fullOverlap) {
        for (int i = 0; i < n; ++i)
            if (!FigureContains(ref, f.lat_deg[size_t(i)], f.lon_deg[size_t(i)])) return false;
        return true;
    }
    for (int i = 0; i < n; ++i)
        if (FigureContains(ref, f.lat_deg[size_t(i)], f.lon_deg[size_t(i)])) return true;
    for (int k = 0; k < f.SideCount(); ++k)
        if (SideMeetsOutline(ref, f.Node(k), f.SideEnd(k))) return true;
    return false;
}

}  // namespace

bool IsSpatialOperation(const QString& operation) {
    return operation == kFindInterior || operation == kFindExterior || operation == kFindObject;
}

bool FigureInside(const QString& latText, const QString& lonText, const QString& figureType,
                  const QString& posText, const QString& rText) {
    return FigureContains(GeoFigureOfShape(figureType, posText, rText), Val(latText),
                          Val(lonText));
}

std::vector<int> FindSpatial(ListDocument& editor, const QString& operation, const QString& posText,
                             const QString& figureType, const QString& rText, bool fullOverlap) {
    std::vector<int> found;
    if (!IsSpatialOperation(operation) || posText.size() < kMinReferencePosLength) return found;

    const bool container = operation == kFindObject;
    const bool interior = operation == kFindInterior;
    GeoFigure ref;
    double centreLat = 0, centreLon = 0;
    if (container) {
        // A circle1 lists its centre first, as a circle does.
        const std::optional<CentreTexts> c = CenterPos(
            posText, figureType == QLatin1String("circle1") ? QStringLiteral("circle") : figureType);
        if (!c) return found;
        centreLat = Val(c->lat);
        centreLon = Val(c->lon);
    } else {
        ref = GeoFigureOfShape(figureType, posText, rText);
        if (ref.NodeCount() == 0) return found;
    }

    const KelList& list = editor.List();
    const int count = list.Count();
    for (int i = 0; i < count; ++i) {
        editor.RollProgress(i);
        if (!IsFigureCommand(ListLineName(list.Line(i)))) continue;
        const GeoFigure f = GeoFigureOfCommand(editor.CommandTextAt(i));
        const bool hit = container ? FigureContains(f, centreLat, centreLon)
                                   : LiesInside(f, ref, fullOverlap) == interior;
        if (hit) found.push_back(i);
    }
    editor.CaptionRoll(QStringLiteral("Off"));
    return found;
}

std::vector<int> ReturnGetObject(ListDocument& editor, const QString& operation,
                                 const QString& posText, const QString& figureType,
                                 bool fullOverlap, const QString& rText) {
    const std::vector<int> found =
        FindSpatial(editor, operation, posText, figureType, rText, fullOverlap);
    for (int i : found) editor.List().SetSelected(i, true);
    return found;
}

std::optional<double> FigureToFigureDistance(const QString& text1, const QString& word1,
                                             const QString& text2, const QString& word2) {
    auto figure = [](const QString& text, const QString& word) {
        return GeoFigureOfShape(word, GetParamValue(text, QStringLiteral("pos")),
                                GetParamValue(text, QStringLiteral("r")));
    };
    const double d = FigureDistance_km(figure(text1, word1), figure(text2, word2));
    if (d < 0) return std::nullopt;
    return d;
}

ExtremeFound FindExtreme(ListDocument& editor, const QString& referenceText, int referenceIndex,
                         int mode) {
    ExtremeFound best;
    if (mode != 1 && mode != 2) return best;
    const GeoFigure ref = GeoFigureOfCommand(referenceText);
    if (ref.NodeCount() == 0) return best;
    const bool nearest = mode == 1;
    double bestDistance = nearest ? kNearestStart_km : kFarthestStart_km;

    const KelList& list = editor.List();
    const bool selectedOnly = list.SelectedCount() > 0;
    const int count = list.Count();
    for (int i = 0; i < count; ++i) {
        editor.RollProgress(i);
        if (i == referenceIndex || (selectedOnly && !list.Selected(i))) continue;
        if (!IsFigureCommand(ListLineName(list.Line(i)))) continue;
        const GeoFigure f = GeoFigureOfCommand(editor.CommandTextAt(i));
        if (f.NodeCount() == 0) continue;
        // Nearest: a figure that cannot come nearer than the best one is not measured. The
        // bound takes both radii off the node boxes, so it never exceeds the distance.
        if (nearest && BoxDistanceLowerBound_km(ref.nodeBox, f.nodeBox) - ref.r_km - f.r_km >
                           bestDistance * (1 + 1e-9))
            continue;
        const double d = FigureDistance_km(ref, f);
        if (d < 0) continue;
        if (nearest ? d < bestDistance : d > bestDistance) {
            bestDistance = d;
            best = {i, d};
        }
    }
    editor.CaptionRoll(QStringLiteral("Off"));
    return best;
}

}  // namespace kel
