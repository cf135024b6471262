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

// A mark read into degrees. `problem` says why a mark that the map does hold could not be
// read (empty when it was read, or when there is no mark at all).
struct MarkPosition {
    bool valid = false;
    double lat_deg = 0;
    double lon_deg = 0;
    QString problem;
};

// Whether a mark text has the map's form: degrees (a leading "-" allowed), minutes and
// seconds in thousandths, separated by "/", the seconds at least three digits and no
// decimal point ("35/30/12345", "-34/30/00000"). Blanks around it are allowed. Any other
// text (shorter seconds, a decimal point, other characters) would put the decimal point in
// the wrong place, so it is not read.
bool IsMarkText(const QString& markText);

// One mark text as a "KEL" coordinate: "." goes in front of the last three characters
// ("35/30/12345" -> "35/30/12.345"). Empty for a text that is not a mark text.
QString MarkTextToKel(const QString& markText);
// The same cut to tenths of a second, as the position editor shows a point: the first of
// the last three characters follows the "." ("35/30/12345" -> "35/30/12.3"; cut, not
// rounded). Empty for a text that is not a mark text.
QString MarkTextToKelTenths(const QString& markText);

// The message for mark texts that cannot be read.
QString MarkProblemText(const QString& latText, const QString& lonText);

// Reads the mark of a map; not valid when there is no map, either text is empty, or either
// text is not a mark text (then `problem` says so).
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
