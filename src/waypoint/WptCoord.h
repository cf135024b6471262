// Coordinates of the interchange written at the resolution of their format: the value is
// rounded to the format's step (0.1 second for "KEL", 0.01 second for "DMS") before it is
// split into degrees, minutes and seconds, so a position that lies on a whole minute is
// written as that minute and never as the minute before it with 60 seconds.
#pragma once

#include <QString>

namespace kel {

// "KEL" text (d/mm/ss.s; a negative value has a negative whole degree and positive minutes
// and seconds, as the format reads it).
QString KelCoordText(double deg);

// "DMS" text (d.mmssss; a negative value is "-" and the digits of its magnitude).
QString DmsCoordText(double deg);

}  // namespace kel
