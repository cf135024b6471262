// Figures of the command list as shapes on the map: the figure record, the display
// styles, DrawKel (one shape drawn or removed through the map's members) and
// DrawFigureObject (a style applied, then DrawKel), the marker size by map scale, and the
// map's mark and tolerance for the figure edits.
#pragma once

#include <QString>
#include <functional>
#include <optional>

#include "geo/FigureDisplay.h"
#include "geo/MapMark.h"

namespace kel {

class ProAtlas;

// Style names beside Normal and Del (geo/FigureDisplay.h).
inline const QString kStyleNormalAll = QStringLiteral("NormalAll");
inline const QString kStyleSingle = QStringLiteral("Single");
inline const QString kStyleSingleAll = QStringLiteral("SingleAll");
inline const QString kStyleSnap = QStringLiteral("Snap");
inline const QString kStyleSnapNode = QStringLiteral("SnapNode");
inline const QString kStyleEdit = QStringLiteral("Edit");

// One shape handed to the map.
struct FigureRecord {
    int MapLineColor = 0;
    int MapLineWidth = 0;
    int MapFillColor = 0;
    int MapFillStyle = 0;
    int MapHatchColor = 0;
    QString TextStr;     // "*" or "+", empty when removing
    QString FigureType;  // "point", "line", "circle1", "rect", "area" (any case)
    QString KelCmd;      // the `pos` value
    int ObjIdNum = 0;    // >= 0 draw; < 0 remove the shape numbered -ObjIdNum
};

// When a style draws.
enum class StyleCondition { kAlways, kSelectedViewOn, kCurrentFigureOn };

struct FigureStyle {
    int lineColor = 0;
    int lineWidth = 0;
    int fillColor = 0;
    int fillStyle = 0;
    int hatchColor = 0;
    QString marker;
    StyleCondition condition = StyleCondition::kAlways;
    bool remove = false;
};

// The style of a name ("Normal", "NormalAll", "Single", "SingleAll", "Snap", "SnapNode",
// "Edit", "Del"); none for any other name.
std::optional<FigureStyle> FigureStyleOf(const QString& name);

// The factor of a map scale denominator (10 at 1:26,000,000 and above ... 0.001 below
// 1:5,000).
double ScaleFactor(double layerScale);

// The point-size setting of start-up.
constexpr double kPointSize = 2;
// The snapping tolerance in screen units.
constexpr double kSnapTolerance = 2;

// Half the side of a point's square in km at a marker size: marker size x 3 / 5.
constexpr double PointHalfSide_km(double markerSize) { return markerSize * 3.0 / 5.0; }
// A distance on the earth (km) as milliseconds of arc of latitude.
double KmToMilliArc(double km);

// Draws (ObjIdNum >= 0) or removes (ObjIdNum < 0) one shape on the map and returns its
// handle: the map's handle (0 when nothing was drawn), or for a removal ObjIdNum when the
// map removed the shape and 0 otherwise. `markerSize` sizes point squares. Without a map
// nothing happens and the result is 0.
int DrawKel(ProAtlas* app, const FigureRecord& record, double markerSize);

// The map as the editor draws on it and reads its mark. The map may come and go (the map
// window is opened and closed while the editor runs); without one nothing is drawn, the
// mark is empty and the marker size is that of the last scale read.
class MapFigureDisplay : public FigureDisplay, public MapMark {
public:
    void SetMap(ProAtlas* app) { app_ = app; }
    ProAtlas* Map() const { return app_; }

    // Whether the conditional styles draw: "Normal" while the selected-figures view is on,
    // "Single" while the current-figure switch is on. Unset: never.
    std::function<bool()> selectedViewOn;
    std::function<bool()> currentFigureOn;

    // The style applied to a record, then DrawKel. For "Del", `figure` is the positive
    // handle to remove and the result its negative on success. Styles that do not draw
    // now, and unknown style names, return 0.
    int DrawFigureObject(const QString& style, const QString& figureType,
                         const QString& posText, int figure) override;

    // The map's mark; empty without a map.
    QString MarkLatitude() const override;
    QString MarkLongitude() const override;
    // ScaleTolerance: the snapping tolerance times the factor of the map's scale, in km;
    // the factor is kept as the current scale factor.
    double MarkerSize() const override;
    double ScaleTolerance() const { return MarkerSize(); }
    double CurrentScaleFactor() const { return scaleFactor_; }

private:
    ProAtlas* app_ = nullptr;
    mutable double scaleFactor_ = 0.01;
};

}  // namespace kel
