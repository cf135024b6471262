// Cell values of workbook files as the texts a lookup returns: numbers in the general number
// text ("1", "0.3", "1E+20"), dates as "yyyy/MM/dd", "yyyy/MM/dd H:mm:ss" or "H:mm:ss"
// (the date alone when it has no time of day, the time alone when it has no date),
// booleans as "TRUE" and "FALSE".
#pragma once

#include <QString>
#include <QStringView>

namespace kel {

// A number stored in a file ("1.0", "0.30000000000000004", "1e3") in the general number
// text; a text that is no number is returned as it stands.
QString NumberCellText(QStringView stored);

// A date serial number (days since the workbook's epoch, the time of day as the fraction)
// as a date text; the general number text when the serial is no date (negative, or after
// 9999/12/31). In the 1900 date system serial 60 is the 29th of February 1900 that
// spreadsheet applications count, and later serials are one day ahead of the calendar; in
// the 1904 system serial 0 is 1904/01/01.
QString SerialDateText(double serial, bool date1904);

// A date or date and time in ISO 8601 ("2024-03-15", "2024-03-15T09:05:00.5") as a date
// text; the stored text itself when it does not read as one.
QString IsoDateText(QStringView stored);

// A duration in ISO 8601 ("PT09H05M00S", "PT33H00M00S") as "H:mm:ss" with all its hours;
// the stored text itself when it does not read as one.
QString DurationText(QStringView stored);

// Whether a number format shows dates or times: the built-in formats of those kinds
// (including the Japanese date formats 27 to 36 and 50 to 58) or a format code with day,
// month, year, hour or second fields outside quotes and brackets. Elapsed-time formats
// ("[h]:mm") show durations and count as numbers.
bool IsBuiltinDateFormat(int id);
bool IsDateFormatCode(QStringView code);

// Office Open XML escapes characters XML cannot hold as "_xHHHH_" ("_x000D_" for a carriage
// return, "_x005F_" for a "_" that would start one); this undoes them.
QString DecodeXmlEscapes(const QString& stored);

}  // namespace kel
