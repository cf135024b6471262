// The map's mark: the position the user last clicked on the map, as the map hands it out,
// and the map's snapping tolerance at its current scale. The figure edits read the mark
// through this interface; the map implements it, tests use FixedMapMark.
#pragma once

#include <QString>

namespace kel {

class MapMark {
public:
    virtual ~MapMark() = default;
    // The mark's latitude and longitude in the slash form with the seconds in thousandths
    // and no decimal point ("35/30/12345" for 35 deg 30 min 12.345 sec); empty when the map
    // has no mark.
    virtual QString MarkLatitude() const = 0;
    virtual QString MarkLongitude() const = 0;
    // The distance (km) within which a figure counts as under the mark at the map's current
    // scale (the snapping tolerance times the scale factor).
    virtual double MarkerSize() const = 0;
};

// A mark read into degrees.
struct MarkPosition {
    bool valid = false;
    double lat_deg = 0;
    double lon_deg = 0;
};

// One mark text as a "KEL" coordinate: "." goes in front of the last three characters
// ("35/30/12345" -> "35/30/12.345"). A text that already holds a "." is taken as it is;
// an empty text stays empty.
QString MarkTextToKel(const QString& markText);

// Reads the mark of a map; not valid when there is no map or either text is empty.
MarkPosition ReadMark(const MapMark* map);

// A mark set by hand, for tests and for running without a map.
class FixedMapMark : public MapMark {
public:
    void Set(const QString& lat, const QString& lon) {
        lat_ = lat;
        lon_ = lon;
    }
    void SetMarkerSize(double km) { markerSize_ = km; }
    QString MarkLatitude() const override { return lat_; }
    QString MarkLongitude() const override { return lon_; }
    double MarkerSize() const override { return markerSize_; }

private:
    QString lat_;
    QString lon_;
    double markerSize_ = 0.02;  // tolerance 2 at the factor of scales from 22000 to 70000
};

}  // namespace kel
