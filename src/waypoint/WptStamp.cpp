#include "waypoint/WptStamp.h"

#include <QDateTime>

#include "common/Values.h"

namespace kel {

namespace {

// English month abbreviations, three letters each. Older files spell April and July
// "APL" and "JLY"; those are read as well.
const QString kMonths = QStringLiteral("JANFEBMARAPRMAYJUNJULAUGSEPOCTNOVDEC");

int MonthNumber(const QString& abbr) {
    const QString m = abbr.toUpper();
    for (int i = 0; i < 12; ++i)
        if (kMonths.mid(i * 3, 3) == m) return i + 1;
    if (m == QLatin1String("APL")) return 4;
    if (m == QLatin1String("JLY")) return 7;
    return 1;
}

QString TwoDigits(int v) { return FormatNumber(v, u"00"); }

}  // namespace

QString ExtractStamp(const QString& text) {
    const qsizetype at = text.indexOf(QLatin1String("CRTD"));
    return at < 0 ? QString() : text.mid(at, kStampLength);
}

QString MakeStamp(const QTime& time, const QDate& date) {
    const QString day = TwoDigits(date.day()) + QLatin1Char('-') +
                        kMonths.mid((date.month() - 1) * 3, 3) + QLatin1Char('-') +
                        TwoDigits(date.year() % 100);
    return QStringLiteral("CRTD ") + WptTimeText(time).left(5) + QLatin1Char(' ') + day;
}

bool ParseStamp(const QString& stamp, QString& dateOut, QString& timeOut, int utcOffsetHours) {
    // "CRTD 10:22 21-JUN-00": time at 6, day at 12, month at 15, year at 19 (1-based).
    const QTime time = QTime::fromString(stamp.mid(5, 5).trimmed() + QStringLiteral(":00"),
                                         QStringLiteral("h:mm:ss"));
    const int day = int(Val(stamp.mid(11, 2)));
    const int month = MonthNumber(stamp.mid(14, 3));
    const int yy = int(Val(stamp.mid(18, 2)));
    const QDate date(yy < 50 ? 2000 + yy : 1900 + yy, month, day);
    if (!time.isValid() || !date.isValid() || stamp.mid(18, 2).trimmed().isEmpty()) return false;
    const QDateTime shifted =
        QDateTime(date, time, Qt::UTC).addSecs(qint64(utcOffsetHours) * 3600);
    dateOut = WptDateText(shifted.date());
    timeOut = WptTimeText(shifted.time());
    return true;
}

// Track logs hold a date and a time per point: both are written digit by digit rather
// than through the locale's date formatting. An invalid date or time is empty, as Qt's
// formatting gives it.
QString WptDateText(const QDate& date) {
    if (!date.isValid() || date.year() < 0 || date.year() > 9999) return date.toString(QStringLiteral("MM/dd/yyyy"));
    const int y = date.year(), m = date.month(), d = date.day();
    const char text[10] = {char('0' + m / 10), char('0' + m % 10), '/', char('0' + d / 10), char('0' + d % 10), '/',
                           char('0' + y / 1000), char('0' + y / 100 % 10), char('0' + y / 10 % 10), char('0' + y % 10)};
    return QString::fromLatin1(text, 10);
}

QString WptTimeText(const QTime& time) {
    if (!time.isValid()) return QString();
    const int h = time.hour(), m = time.minute(), s = time.second();
    const char text[8] = {char('0' + h / 10), char('0' + h % 10), ':', char('0' + m / 10),
                          char('0' + m % 10), ':', char('0' + s / 10), char('0' + s % 10)};
    return QString::fromLatin1(text, 8);
}

}  // namespace kel
