// The centre of a figure, as spatial analysis and the formula function CenterPos use it.
#pragma once

#include <QString>
#include <optional>

namespace kel {

// Latitude and longitude as "D" texts.
struct CentreTexts {
    QString lat;
    QString lon;
};

// CenterPos: for `point` and `circle` the first position of `posText`; for every other
// figure type the mean latitude and mean longitude of its positions. No value when the
// `pos` value holds no position.
std::optional<CentreTexts> CenterPos(const QString& posText, const QString& figureType);

}  // namespace kel
