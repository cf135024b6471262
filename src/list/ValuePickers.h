// What the value pickers of the parameter editor offer: the keyword lists of the `ParList`
// drop-down, and the colour texts of the colour rows ("r,g,b", each 0 to 255).
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace kel {

// Whether a parameter's picker is a keyword list: names ending in "style" and the
// enumerated parameters `strpos`, `strformat`, `savable`, `urltype`, `method`, `type`,
// `format`.
bool HasKeywordList(const QString& name);

// The items `ParList` offers for a parameter, in order. Styles are chosen by the part of the
// name before "style" (a prefix other than text, line, area, point, bodr gets no items);
// `strpos` of a `rect` (`commandWord`) also offers the four corners. Empty for a name
// without a keyword list.
QStringList ParListItems(const QString& name, const QString& commandWord);

// Whether a parameter holds a colour text: its name ends in "rgb".
bool IsColourParam(const QString& name);

// The colour value (red + 256 * green + 65536 * blue) of a colour text, leniently: parts
// split at ",", an empty or missing part is 0, each part's leading number is taken, values
// over 255 count 255 and negative ones 0, each rounded to a whole number; text after a
// third "," is ignored. An empty text is black (0).
int RgbFromText(const QString& text);

// The colour text of a colour value: red "," green "," blue in decimal.
QString TextFromRgb(int rgb);

// Why a colour text is not three whole numbers 0 to 255 separated by ",", or empty when it
// is (blanks around the parts are allowed).
QString ColourTextProblem(QStringView text);

}  // namespace kel
