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
// zero, on the value's 15-digit decimal form), and its degrees, minutes and seconds with the degree taken as
// the floor (so the minutes and seconds are never negative).
CoordParts SplitSteps(double deg, std::int64_t stepsPerDegree) {
    const std::int64_t steps = std::int64_t(RoundHalfAway(deg * double(stepsPerDegree)));
    std::int64_t whole = steps / stepsPerDegree;
    std::int64_t rest = steps % stepsPerDegree;
    if (rest < 0) {
        rest += stepsPerDegree;
        --whole;
    }
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
    return WriteCoordParts(SplitSteps(deg, kTenthsPerDegree), CoordFormat::kKEL);
}

QString DmsCoordText(double deg) {
    if (!std::isfinite(deg)) deg = 0;
    CoordParts p = SplitSteps(std::fabs(deg), kHundredthsPerDegree);
    if (deg < 0) p = CoordParts{-p.deg, -p.min, -p.sec};
    return WriteCoordParts(p, CoordFormat::kDMS);
}

}  // namespace kel
