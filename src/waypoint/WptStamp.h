// The creation stamp a GPS receiver puts in a waypoint comment: "CRTD hh:mm dd-MMM-yy",
// for example "CRTD 10:22 21-JUN-00". Exported waypoints and route points take their date
// and time from it; track logs of a script are dated through it.
#pragma once

#include <QDate>
#include <QString>
#include <QTime>

namespace kel {

// Length of a stamp: "CRTD 10:22 21-JUN-00".
constexpr int kStampLength = 20;

// The 20 characters from "CRTD" on when the text holds "CRTD"; otherwise empty.
QString ExtractStamp(const QString& text);

// "CRTD ", the first five characters of the time "hh:mm:ss", a blank, and the date as
// "dd-MMM-yy" in upper case with the English month abbreviation.
QString MakeStamp(const QTime& time, const QDate& date);

// The date ("mm/dd/yyyy") and time ("hh:mm:ss") of a stamp, moved by `utcOffsetHours`
// (added: a stamp read at offset 9 is nine hours later, at -9 nine hours earlier). A
// two-digit year below 50 is 20yy, otherwise 19yy; an unknown month is January. Returns
// false, leaving the outputs unchanged, when the stamp holds no valid date and time.
bool ParseStamp(const QString& stamp, QString& dateOut, QString& timeOut, int utcOffsetHours);

// Date and time texts of the Waypoint+ file.
QString WptDateText(const QDate& date);  // "mm/dd/yyyy"
QString WptTimeText(const QTime& time);  // "hh:mm:ss"

}  // namespace kel
