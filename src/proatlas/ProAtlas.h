// The map's automation members: everything the editor calls on the map application and its
// map object, with the product's own names. The built-in map (MapWidget) implements it;
// tests use RecordingProAtlas. One object answers for both the application and the map:
// Map() hands out the object that holds the map members.
//
// Coordinates are 32-bit integers in milliseconds of arc (degrees x 3,600,000). Colours
// are 24-bit values in the order red + green x 256 + blue x 65536.
#pragma once

#include <QString>
#include <QtGlobal>
#include <span>

namespace kel {

class ProAtlas {
public:
    virtual ~ProAtlas() = default;

    // --- Application ---------------------------------------------------------------------
    // The object that holds the map members.
    virtual ProAtlas* Map() { return this; }
    // Makes the map's window visible.
    virtual void ShowWindow() = 0;
    // While on, a click on the map sets the mark.
    virtual void SetEnableMark(bool on) = 0;
    virtual bool EnableMark() const = 0;
    // An id of the map's main window (0 when it has none).
    virtual qint64 hwndMain() const = 0;
    // The mark as "d/mm/sssss" (seconds in thousandths, no decimal point; degrees as the
    // floor of the value, as in the "KEL" form); empty when no mark has been set.
    virtual QString MarkLatitude() const = 0;
    virtual QString MarkLongitude() const = 0;
    // Places a text at a position (latitude and longitude in milliseconds of arc, or as
    // "d/mm/ss.s" / "d/mm/sssss" texts) and returns its id (> 0), 0 when the position
    // cannot be read. The four numbers are the product's placement flags.
    virtual int AddTextEx(const QString& latitude, const QString& longitude,
                          const QString& text, int a, int b, int c, int d) = 0;
    // Removes a text; -1 (true) when it was there, 0 otherwise.
    virtual int DeleteText(int id) = 0;

    // --- Map ---------------------------------------------------------------------------
    // The scale denominator of the current view (25000 for 1:25,000).
    virtual double LayerScale() const = 0;
    // The style of the shapes added next.
    virtual void SetLineColor(int rgb) = 0;
    virtual void SetLineWidth(int width) = 0;
    virtual void SetFillColor(int rgb) = 0;
    // 0 outline only, 1 solid fill, other codes hatched fills.
    virtual void SetFillStyle(int style) = 0;
    virtual void SetHatchColor(int rgb) = 0;
    // Adds a polyline or a polygon of `count` points (at most the size of the arrays) and
    // returns its handle (> 0); 0 when nothing was added. `redraw` asks for a repaint.
    virtual int AddPolyLine(std::span<const qint32> lat_ms, std::span<const qint32> lon_ms,
                            int count, bool redraw) = 0;
    virtual int AddPolygon(std::span<const qint32> lat_ms, std::span<const qint32> lon_ms,
                           int count, bool redraw) = 0;
    // Remove the shape of a handle: -1 (true) when it was removed, 0 otherwise.
    virtual int DeletePolyLine(int handle) = 0;
    virtual int DeletePolygon(int handle) = 0;
    // Centres the view on a position; `mode` and `flags` are the product's and ignored here.
    virtual void MoveTo(int mode, int flags, qint32 lat_ms, qint32 lon_ms) = 0;
};

// Milliseconds of arc of a value in degrees, rounded to the nearest.
qint32 DegreesToMilliArc(double deg);
constexpr double MilliArcToDegrees(qint32 ms) { return double(ms) / 3600000.0; }

// The 24-bit colour value of red, green and blue (0..255 each).
constexpr int RgbValue(int r, int g, int b) { return (r & 255) | (g & 255) << 8 | (b & 255) << 16; }
constexpr int RedOf(int rgb) { return rgb & 255; }
constexpr int GreenOf(int rgb) { return (rgb >> 8) & 255; }
constexpr int BlueOf(int rgb) { return (rgb >> 16) & 255; }

}  // namespace kel
