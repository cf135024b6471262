#include "waypoint/WptRecord.h"

#include <QFile>
#include <QStringList>
#include <cmath>

#include "common/Values.h"
#include "geo/Coordinates.h"

namespace kel {

namespace {

bool IsRecordBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }

QString TrimRecordRight(const QString& s) {
    qsizetype end = s.size();
    while (end > 0 && IsRecordBlank(s[end - 1])) --end;
    return s.left(end);
}

// Reads a quoted field starting at the opening quote `i`; leaves `i` after the closing
// quote (or at the end of the text when it is not closed).
QString ReadQuoted(const QString& line, qsizetype& i) {
    QString field;
    const qsizetype n = line.size();
    ++i;
    while (i < n) {
        if (line[i] == QLatin1Char('"')) {
            if (i + 1 < n && line[i + 1] == QLatin1Char('"')) {
                field += QLatin1Char('"');
                i += 2;
                continue;
            }
            ++i;
            break;
        }
        field += line[i++];
    }
    return field;
}

// The last field of a record: the rest of the line, unquoted when it is one quoted field.
QString LastField(const QString& rest) {
    const QString text = TrimRecordRight(rest);
    if (text.startsWith(QLatin1Char('"'))) {
        qsizetype i = 0;
        const QString unquoted = ReadQuoted(text, i);
        if (i >= text.size()) return unquoted;
    }
    return text;
}

const QStringList& KnownFormats() {
    static const QStringList formats{QStringLiteral("D"), QStringLiteral("DM"),
                                     QStringLiteral("DMS"), QStringLiteral("KEL"),
                                     QStringLiteral("PAO")};
    return formats;
}

WptRecord Malformed(qsizetype line, const QString& type, const QString& why) {
    WptRecord r;
    r.malformed = true;
    r.line = line;
    r.field(1) = QStringLiteral("line %1: %2 record %3").arg(line).arg(type, why);
    return r;
}

// Checks and normalises the format and position fields of WP, RP and TP records.
bool CheckPosition(WptRecord& r, QString* why) {
    QString& format = r.field(1);
    format = format.toUpper();
    if (!KnownFormats().contains(format)) {
        *why = QStringLiteral("has the unknown coordinate format \"%1\"").arg(format);
        return false;
    }
    if (!IsWptCoordinate(r.lat(), format, 90)) {
        *why = QStringLiteral("has a latitude \"%1\" that is not a %2 coordinate")
                   .arg(r.lat(), format);
        return false;
    }
    if (!IsWptCoordinate(r.lon(), format, 180)) {
        *why = QStringLiteral("has a longitude \"%1\" that is not a %2 coordinate")
                   .arg(r.lon(), format);
        return false;
    }
    return true;
}

WptRecord ParseWptLine(const QString& line, qsizetype lineNo) {
    const QStringList head = SplitWptFields(line, 2);
    const QString typeRead = head.value(0);
    const QString upper = typeRead.toUpper();
    WptRecord r;
    r.line = lineNo;

    int fieldCount = 0;  // fields after the type
    int required = 0;
    if (upper == QLatin1String("DATUM")) {
        r.type = wpt::kDatum;
        const qsizetype comma = line.indexOf(QLatin1Char(','));
        r.field(1) = comma < 0 ? QString() : line.mid(comma + 1);
        return r;
    } else if (upper == wpt::kWaypoint || upper == wpt::kRoutePoint) {
        fieldCount = 7;
        required = 4;  // format, name, latitude, longitude
    } else if (upper == wpt::kRouteHeader) {
        fieldCount = 2;
        required = 1;
    } else if (upper == wpt::kTrackPoint) {
        fieldCount = 6;
        required = 3;  // format, latitude, longitude
    } else {
        r.field(1) = QStringLiteral("command [") + typeRead + QStringLiteral("] is not suppoted");
        return r;
    }

    const QStringList f = SplitWptFields(line, fieldCount + 1);
    if (f.size() - 1 < required)
        return Malformed(lineNo, upper,
                         QStringLiteral("has %1 fields where %2 are needed")
                             .arg(f.size() - 1)
                             .arg(required));
    r.type = upper;
    for (int i = 1; i < f.size() && i <= fieldCount; ++i) r.field(i) = f[i];
    if (upper == wpt::kRouteHeader) return r;
    QString why;
    if (!CheckPosition(r, &why)) return Malformed(lineNo, upper, why);
    return r;
}

// One field as written: quoted where it would not read back otherwise.
QString Field(const QString& raw, bool trailingBlanksMatter) {
    QString text = raw;
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    // Blanks around a field are dropped on reading; they are kept by quotes where they
    // matter (a field of blanks alone reads as empty either way).
    const bool blanksAround = !text.trimmed().isEmpty() &&
                              (IsRecordBlank(text.front()) || (trailingBlanksMatter && IsRecordBlank(text.back())));
    const bool quote =
        text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"')) || blanksAround;
    if (!quote) return text;
    text.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

}  // namespace

bool WptRecord::StartsTrack() const { return Val(newTrackFlag()) == 1; }

QStringList SplitWptFields(const QString& line, int maxFields) {
    QStringList out;
    const qsizetype n = line.size();
    qsizetype i = 0;
    while (true) {
        while (i < n && IsRecordBlank(line[i])) ++i;
        if (maxFields > 0 && out.size() == maxFields - 1) {
            out.append(LastField(line.mid(i)));
            break;
        }
        if (i < n && line[i] == QLatin1Char('"')) {
            out.append(ReadQuoted(line, i));
            while (i < n && line[i] != QLatin1Char(',')) ++i;
        } else {
            const qsizetype start = i;
            while (i < n && line[i] != QLatin1Char(',')) ++i;
            out.append(TrimRecordRight(line.mid(start, i - start)));
        }
        if (i >= n) break;
        ++i;  // the comma
    }
    return out;
}

WptRecord ReadWptRecord(LineSource& file) {
    while (!file.AtEnd()) {
        const QString line = file.ReadLine();
        const QString t = line.trimmed();
        if (t.isEmpty() || t.startsWith(QLatin1Char('#'))) continue;
        return ParseWptLine(line, file.LineNumber());
    }
    WptRecord eof;
    eof.type = wpt::kEof;
    return eof;
}

QString FormatWptRecord(const QString& type, const std::array<QString, 7>& f) {
    const QString c = QStringLiteral(",");
    const QString cs = QStringLiteral(", ");
    if (type == wpt::kDatum) return type + c + f[0];
    if (type == wpt::kWaypoint || type == wpt::kRoutePoint)
        return type + c + Field(f[0], false) + c + Field(f[1], false) + cs + Field(f[2], false) +
               cs + Field(f[3], false) + c + Field(f[4], false) + c + Field(f[5], false) + c +
               Field(f[6], true);
    if (type == wpt::kRouteHeader) return type + c + Field(f[0], false) + c + Field(f[1], false);
    if (type == wpt::kTrackPoint)
        return type + c + Field(f[0], false) + cs + Field(f[1], false) + cs +
               Field(f[2], false) + c + Field(f[3], false) + c + Field(f[4], false) + c +
               Field(f[5], false);
    return f[0];
}

QString FormatWptRecord(const WptRecord& record) {
    return FormatWptRecord(record.type, record.fields);
}

bool IsWptCoordinate(const QString& text, const QString& format, double limitDeg) {
    const CoordFormat f = CoordFormatOf(format);
    if (f == CoordFormat::kUnknown) return false;
    // Shape: an optional sign and a decimal number; "KEL" and "PAO" up to three of them
    // joined by "/".
    const bool slashed = f == CoordFormat::kKEL || f == CoordFormat::kPAO;
    const QStringView t = QStringView(text).trimmed();
    int parts = 1;
    bool digit = false, point = false, signAllowed = true;
    for (QChar c : t) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            digit = true;
        } else if (c == QLatin1Char('.') && !point) {
            point = true;
        } else if ((c == QLatin1Char('+') || c == QLatin1Char('-')) && signAllowed) {
        } else if (c == QLatin1Char('/') && slashed && digit && parts < 3) {
            ++parts;
            digit = point = false;
            signAllowed = true;
            continue;
        } else {
            return false;
        }
        signAllowed = false;
    }
    if (!digit) return false;
    const double deg = PartsToDegrees(ReadCoordParts(t, f));
    return std::isfinite(deg) && std::fabs(deg) <= limitDeg;
}

QString DetectDropKind(const QString& fileName) {
    const QString name = fileName.trimmed();
    const QString ext = name.right(3).toUpper();
    if (ext == QLatin1String("KEL")) return QStringLiteral("KEL");
    if (name.endsWith(QLatin1String(".gpx"), Qt::CaseInsensitive)) return QStringLiteral("GPX");
    if (name.endsWith(QLatin1String(".geojson"), Qt::CaseInsensitive) ||
        name.endsWith(QLatin1String(".json"), Qt::CaseInsensitive))
        return QStringLiteral("GEOJSON");
    if (ext != QLatin1String("TXT")) return QString();
    QFile f(name);
    if (!f.open(QIODevice::ReadOnly)) return QString();
    // The first record is near the start; a bounded read keeps a large drop cheap.
    const QStringList lines = SplitLines(DecodeCp932(f.read(64 * 1024)));
    for (const QString& line : lines) {
        if (line.trimmed().isEmpty()) continue;
        const QString first = SplitWptFields(line, 2).value(0).toUpper();
        static const QStringList kinds{QStringLiteral("DATUM"), QStringLiteral("TP"),
                                       QStringLiteral("RN"), QStringLiteral("RP"),
                                       QStringLiteral("WP")};
        return kinds.contains(first) ? QStringLiteral("WPT") : QString();
    }
    return QString();
}

}  // namespace kel
