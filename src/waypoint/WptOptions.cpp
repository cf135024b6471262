#include "waypoint/WptOptions.h"

#include <algorithm>

#include "common/Values.h"

namespace kel {

namespace {
int Int16Of(const QString& text) {
    return int(std::clamp<std::int64_t>(RoundHalfEven(Val(text)), -32768, 32767));
}
}  // namespace

WptOptions WptOptions::FromTexts(const QString& utcOffset, const QString& originName,
                                 const QString& destinationName, const QString& rpNumbering,
                                 const QString& trackLogStep) {
    WptOptions o;
    o.utcOffset = Int16Of(utcOffset);
    o.originName = originName;
    o.destinationName = destinationName;
    o.rpNumbering = Int16Of(rpNumbering) == kDown ? kDown : kUp;
    o.trackLogStep = Int16Of(trackLogStep);
    return o;
}

}  // namespace kel
