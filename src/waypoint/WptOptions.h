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
    // Track-log step: >0 marks every step-th point (and the first and last); 0 the first and
    // last; the negative codes below choose the labels and whether points are marked.
    int trackLogStep = 0;
    static constexpr int kStepStartInLabel = -1;   // no points; the start in the line's label
    static constexpr int kStepStartInInfo = -2;    // no points; the start in its info
    static constexpr int kStepEndsUnlabelled = -3; // first and last point; no label
    static constexpr int kStepUnlabelled = -4;     // no points; no label

    // The options from the texts of the window's boxes: numbers by their leading numeric
    // value, held as 16-bit integers (clamped); a numbering other than 2 is Up.
    static WptOptions FromTexts(const QString& utcOffset, const QString& originName,
                                const QString& destinationName, const QString& rpNumbering,
                                const QString& trackLogStep);
};

}  // namespace kel
