#include "platform/WorkbookValues.h"

#include <QDate>
#include <QRegularExpression>
#include <cmath>

#include "common/Values.h"

namespace kel {

namespace {

constexpr int kSecondsPerDay = 86400;

QString TimeText(qint64 seconds) {
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600)
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString DateText(int year, int month, int day) {
    return QStringLiteral("%1/%2/%3")
        .arg(year, 4, 10, QLatin1Char('0'))
        .arg(month, 2, 10, QLatin1Char('0'))
        .arg(day, 2, 10, QLatin1Char('0'));
}

QString DateText(const QDate& d) { return DateText(d.year(), d.month(), d.day()); }

QString DateTimeText(const QString& date, qint64 seconds) {
    return seconds == 0 ? date : date + QLatin1Char(' ') + TimeText(seconds);
}

}  // namespace

QString NumberCellText(QStringView stored) {
    bool ok = false;
    const double v = stored.trimmed().toDouble(&ok);
    return ok ? NumText(v) : stored.toString();
}

QString SerialDateText(double serial, bool date1904) {
    constexpr double kLastSerial = 2958466;  // 10000/01/01 in the 1900 system
    if (!std::isfinite(serial) || serial < 0 || serial >= kLastSerial - (date1904 ? 1462 : 0))
        return NumText(serial);
    // Whole seconds, the time of day rounded to the nearest.
    const qint64 total = qint64(std::llround(serial * kSecondsPerDay));
    const qint64 days = total / kSecondsPerDay;
    const qint64 seconds = total % kSecondsPerDay;
    if (days == 0 && !date1904) return TimeText(seconds);
    if (date1904) return DateTimeText(DateText(QDate(1904, 1, 1).addDays(days)), seconds);
    if (days == 60) return DateTimeText(DateText(1900, 2, 29), seconds);
    const QDate base = days < 60 ? QDate(1899, 12, 31) : QDate(1899, 12, 30);
    return DateTimeText(DateText(base.addDays(days)), seconds);
}

QString IsoDateText(QStringView stored) {
    static const QRegularExpression re(QStringLiteral(
        R"(^(\d{4})-(\d{2})-(\d{2})(?:T(\d{2}):(\d{2})(?::(\d{2})(\.\d+)?)?)?(?:Z|[+-]\d{2}:?\d{2})?$)"));
    const QRegularExpressionMatch m = re.match(stored.trimmed());
    if (!m.hasMatch()) return stored.toString();
    QDate date(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    if (!date.isValid()) return stored.toString();
    const double fraction = m.captured(7).isEmpty() ? 0 : m.captured(7).toDouble();
    qint64 seconds = m.captured(4).toLongLong() * 3600 + m.captured(5).toLongLong() * 60 +
                     m.captured(6).toLongLong() + std::llround(fraction);
    date = date.addDays(seconds / kSecondsPerDay);
    seconds %= kSecondsPerDay;
    return DateTimeText(DateText(date), seconds);
}

QString DurationText(QStringView stored) {
    static const QRegularExpression re(QStringLiteral(
        R"(^(-)?P(?:(\d+)D)?T(?:(\d+)H)?(?:(\d+)M)?(?:(\d+(?:\.\d+)?)S)?$)"));
    const QRegularExpressionMatch m = re.match(stored.trimmed());
    if (!m.hasMatch()) return stored.toString();
    const qint64 seconds = m.captured(2).toLongLong() * kSecondsPerDay +
                           m.captured(3).toLongLong() * 3600 + m.captured(4).toLongLong() * 60 +
                           std::llround(m.captured(5).toDouble());
    return (m.captured(1).isEmpty() ? QString() : QStringLiteral("-")) + TimeText(seconds);
}

bool IsBuiltinDateFormat(int id) {
    return (id >= 14 && id <= 22) || id == 45 || id == 47 || (id >= 27 && id <= 36) ||
           (id >= 50 && id <= 58);
}

bool IsDateFormatCode(QStringView code) {
    bool quoted = false;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code[i];
        if (quoted) {
            quoted = c != u'"';
            continue;
        }
        if (c == u'"') {
            quoted = true;
        } else if (code.mid(i).startsWith(u"general", Qt::CaseInsensitive)) {
            i += 6;
        } else if (c == u'\\' || c == u'_' || c == u'*') {
            ++i;  // the next character is shown as it stands (or fills)
        } else if (c == u'[') {
            const qsizetype end = code.indexOf(u']', i);
            if (end < 0) return false;
            const QString inside = code.mid(i + 1, end - i - 1).toString().toLower();
            // Elapsed hours, minutes or seconds: a duration, not a point in time.
            if (inside == u"h" || inside == u"hh" || inside == u"m" || inside == u"mm" ||
                inside == u"s" || inside == u"ss")
                return false;
            i = end;
        } else {
            const QChar l = c.toLower();
            if (l == u'y' || l == u'd' || l == u'm' || l == u'h' || l == u's') return true;
        }
    }
    return false;
}

QString DecodeXmlEscapes(const QString& stored) {
    if (!stored.contains(QStringLiteral("_x"))) return stored;
    static const QRegularExpression re(QStringLiteral("_x([0-9A-Fa-f]{4})_"));
    QString out;
    qsizetype last = 0;
    QRegularExpressionMatchIterator it = re.globalMatch(stored);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        out += QStringView(stored).mid(last, m.capturedStart() - last);
        out += QChar(char16_t(m.captured(1).toUShort(nullptr, 16)));
        last = m.capturedEnd();
    }
    out += QStringView(stored).mid(last);
    return out;
}

}  // namespace kel
