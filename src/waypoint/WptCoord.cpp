#include "waypoint/WptCoord.h"

#include <cmath>
#include <cstdint>

#include "common/Values.h"
#include "geo/Coordinates.h"

namespace kel {

namespace {

constexpr std::int64_t kTenthsPerDegree = 36000;      // 0.1 second steps
constexpr std::int64_t kHundredthsPerDegree = 360000;  // 0.01 second steps

// Whole steps of the value (rounded as the format's picture rounds: halves away from
// zero, on the value's 15-digit decimal form), split into whole degrees (the floor) and the
// steps after them (so the minutes and seconds are never negative).
void WholeAndRest(double deg, std::int64_t stepsPerDegree, std::int64_t& whole, std::int64_t& rest) {
    const std::int64_t steps = std::int64_t(RoundHalfAway(deg * double(stepsPerDegree)));
    whole = steps / stepsPerDegree;
    rest = steps % stepsPerDegree;
    if (rest < 0) {
        rest += stepsPerDegree;
        --whole;
    }
}

// The value's degrees, minutes and seconds in whole steps.
CoordParts SplitSteps(double deg, std::int64_t stepsPerDegree) {
    std::int64_t whole = 0, rest = 0;
    WholeAndRest(deg, stepsPerDegree, whole, rest);
    const std::int64_t perMinute = stepsPerDegree / 60;
    const std::int64_t perSecond = perMinute / 60;
    CoordParts p;
    p.deg = double(whole);
    p.min = double(rest / perMinute);
    p.sec = double(rest % perMinute) / double(perSecond);
    return p;
}

}  // namespace

QString KelCoordText(double deg) {
    if (!std::isfinite(deg)) deg = 0;
    // Conversions write hundreds of thousands of these: the digits of the whole steps are
    // written directly. They are what the coordinate writer makes of the same parts (a test
    // holds the two together); values far outside the earth go the general way.
    if (std::fabs(deg) >= 1e6) return WriteCoordParts(SplitSteps(deg, kTenthsPerDegree), CoordFormat::kKEL);
    std::int64_t whole = 0, rest = 0;
    WholeAndRest(deg, kTenthsPerDegree, whole, rest);
    const int minutes = int(rest / 600), tenths = int(rest % 600);
    char buf[32];
    char* end = buf + sizeof buf;
    char* p = end;
    *--p = char('0' + tenths % 10);
    *--p = '.';
    *--p = char('0' + tenths / 10 % 10);
    *--p = char('0' + tenths / 100);
    *--p = '/';
    *--p = char('0' + minutes % 10);
    *--p = char('0' + minutes / 10);
    *--p = '/';
    std::int64_t w = whole < 0 ? -whole : whole;
    do {
        *--p = char('0' + w % 10);
        w /= 10;
    } while (w > 0);
    if (whole < 0) *--p = '-';
    return QString::fromLatin1(p, end - p);
}

QString DmsCoordText(double deg) {
    if (!std::isfinite(deg)) deg = 0;
    CoordParts p = SplitSteps(std::fabs(deg), kHundredthsPerDegree);
    if (deg < 0) p = CoordParts{-p.deg, -p.min, -p.sec};
    return WriteCoordParts(p, CoordFormat::kDMS);
}

}  // namespace kel
