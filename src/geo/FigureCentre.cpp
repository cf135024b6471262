#include "geo/FigureCentre.h"

#include "common/Values.h"
#include "geo/PosList.h"

namespace kel {

std::optional<CentreTexts> CenterPos(const QString& posText, const QString& figureType) {
    if (figureType == QLatin1String("point") || figureType == QLatin1String("circle")) {
        const PosTexts pos = ParsePosList(posText);
        if (pos.count() == 0) return std::nullopt;
        return CentreTexts{pos.lat[0], pos.lon[0]};
    }
    const PosDegrees pos = ParsePosDegrees(posText);
    if (pos.count() == 0) return std::nullopt;
    double lat = 0, lon = 0;
    for (int i = 0; i < pos.count(); ++i) {
        lat += pos.lat[size_t(i)];
        lon += pos.lon[size_t(i)];
    }
    return CentreTexts{NumText(lat / pos.count()), NumText(lon / pos.count())};
}

}  // namespace kel
