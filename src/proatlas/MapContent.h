// What a map holds: the shapes added through the automation members (kept by handle, in a
// spatial index so that a view draws only what it shows), the texts placed on it and the
// mark. The built-in map's widget and the recording double both build on it; they add the
// view (scale, moving) and the window.
#pragma once

#include <QString>
#include <map>
#include <optional>
#include <unordered_map>
#include <vector>

#include "geo/FigureGeometry.h"
#include "proatlas/ProAtlas.h"

namespace kel {

struct ShapeStyle {
    int lineColor = 0;
    int lineWidth = 1;
    int fillColor = 0;
    int fillStyle = 0;
    int hatchColor = 0;
    int lineStyle = 0;     // 0 solid, 1 dashed, 2 dotted, 3 dash-dot, 4 dash-dot-dot
    bool marker = false;   // drawn as a symbol of fixed size at its first point
};

struct MapShape {
    int handle = 0;
    bool polygon = false;
    std::vector<qint32> lat_ms;
    std::vector<qint32> lon_ms;
    ShapeStyle style;
    GeoBox box;
};

struct MapText {
    int id = 0;
    double lat_deg = 0;
    double lon_deg = 0;
    QString text;
    int color = 0;  // 24-bit colour of the text
};

class MapContent : public ProAtlas {
public:
    // --- ProAtlas members that only keep state ----------------------------------------
    void SetEnableMark(bool on) override { enableMark_ = on; }
    bool EnableMark() const override { return enableMark_; }
    QString MarkLatitude() const override;
    QString MarkLongitude() const override;
    int AddTextEx(const QString& latitude, const QString& longitude, const QString& text,
                  int a, int b, int c, int d) override;
    int DeleteText(int id) override;
    void SetLineColor(int rgb) override { style_.lineColor = rgb; }
    void SetLineWidth(int width) override { style_.lineWidth = width; }
    void SetFillColor(int rgb) override { style_.fillColor = rgb; }
    void SetFillStyle(int style) override { style_.fillStyle = style; }
    void SetHatchColor(int rgb) override { style_.hatchColor = rgb; }
    int AddPolyLine(std::span<const qint32> lat_ms, std::span<const qint32> lon_ms, int count,
                    bool redraw) override;
    int AddPolygon(std::span<const qint32> lat_ms, std::span<const qint32> lon_ms, int count,
                   bool redraw) override;
    int DeletePolyLine(int handle) override { return RemoveShape(handle, false); }
    int DeletePolygon(int handle) override { return RemoveShape(handle, true); }

    // --- For the view ------------------------------------------------------------------
    // Sets the mark (when EnableMark is on; returns whether it was set).
    bool SetMark(double lat_deg, double lon_deg);
    bool HasMark() const { return mark_.has_value(); }
    double MarkLat() const { return mark_ ? mark_->first : 0; }
    double MarkLon() const { return mark_ ? mark_->second : 0; }

    const MapShape* Shape(int handle) const;
    int ShapeCount() const { return shapeCount_; }
    // The shapes whose box meets `box`, in the order they were added (later ones on top).
    std::vector<const MapShape*> ShapesIn(const GeoBox& box) const;
    // The box of every shape and text; empty when the map holds none.
    GeoBox Extent() const;

    // Sets the whole style of the shapes added next (a previewed script's group styles).
    void SetShapeStyle(const ShapeStyle& style) { style_ = style; }
    // A text with its colour (the labels of a previewed script).
    int AddLabel(double lat_deg, double lon_deg, const QString& text, int color);
    const std::map<int, MapText>& Texts() const { return texts_; }

    // Removes every shape and text (handles are not handed out again).
    void ClearContent();

protected:
    // Called after every change of what is shown; `redraw` false when the caller asked
    // not to repaint yet.
    virtual void ContentChanged(bool redraw) { Q_UNUSED(redraw); }

private:
    int AddShape(bool polygon, std::span<const qint32> lat_ms, std::span<const qint32> lon_ms,
                 int count, bool redraw);
    int RemoveShape(int handle, bool polygon);
    void IndexShape(const MapShape& s);
    void RebuildIndex();

    bool enableMark_ = false;
    std::optional<std::pair<double, double>> mark_;
    ShapeStyle style_;
    // Shapes by handle - 1; handles grow and are never reused.
    std::vector<std::optional<MapShape>> shapes_;
    int shapeCount_ = 0;
    int staleHandles_ = 0;  // removed shapes whose handles the index still lists
    // Spatial index: a grid of cells of kCellDeg degrees, each listing the handles of the
    // shapes whose box meets it; shapes spanning many cells are listed once in large_.
    std::unordered_map<qint64, std::vector<int>> cells_;
    std::vector<int> large_;
    std::map<int, MapText> texts_;
    int lastTextId_ = 0;
};

}  // namespace kel
