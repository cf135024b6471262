// Options of the Waypoint+ conversions, held in memory while the program runs and set in
// the options window ("Waypoint+<=>Kel Option").
#pragma once

#include <QString>

namespace kel {

struct WptOptions {
    enum Numbering { kUp = 1, kDown = 2 };

    int utcOffset = 9;                              // hours added to a stamp's time
    QString originName = QStringLiteral("STR");     // name of a route's first point
    QString destinationName = QStringLiteral("DST");  // name of a route's last point
    int rpNumbering = kUp;                          // route points numbered 1..n or n..1
    // Track-log step: >0 marks every step-th point; 0 the first and last; -1 none, the
    // start in the line's label; -2 none, the start in its info; -3 first and last, no
    // label; -4 none, no label.
    int trackLogStep = 0;

    // The options from the texts of the window's boxes: numbers by their leading numeric
    // value, held as 16-bit integers (clamped); a numbering other than 2 is Up.
    static WptOptions FromTexts(const QString& utcOffset, const QString& originName,
                                const QString& destinationName, const QString& rpNumbering,
                                const QString& trackLogStep);
};

}  // namespace kel
