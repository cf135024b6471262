// GPX 1.0 / 1.1 -> Waypoint+ records -> KEL.
#include <QBuffer>
#include <QFile>
#include <QXmlStreamReader>

#include "exchange/ExchangeText.h"
#include "exchange/Gpx.h"
#include "waypoint/WptStamp.h"

namespace kel {

namespace {

class GpxReader {
public:
    GpxReader(QIODevice& in, const WptOptions& options) : xml_(&in), options_(options) {}

    WptRecords Run(QString* error) {
        if (!xml_.readNextStartElement() || xml_.name() != QLatin1String("gpx")) {
            *error = xml_.hasError()
                         ? QStringLiteral("not a GPX file: line %1: %2").arg(xml_.lineNumber()).arg(xml_.errorString())
                         : QStringLiteral("not a GPX file (no <gpx> element)");
            return {};
        }
        WptRecord datum;
        datum.type = wpt::kDatum;
        datum.field(1) = QStringLiteral("WGS84");
        out_.records.push_back(datum);
        while (xml_.readNextStartElement()) {
            if (xml_.name() == QLatin1String("wpt")) {
                Waypoint();
            } else if (xml_.name() == QLatin1String("rte")) {
                Route();
            } else if (xml_.name() == QLatin1String("trk")) {
                Track();
            } else {
                xml_.skipCurrentElement();
            }
        }
        if (xml_.hasError()) {
            ++out_.malformed;
            Note(QStringLiteral("line %1: %2; the rest of the file is not read")
                     .arg(xml_.lineNumber())
                     .arg(xml_.errorString()));
        }
        return std::move(out_);
    }

private:
    void Note(const QString& text) {
        if (out_.notes.size() < WptRecords::kMaxNotes) out_.notes.append(text);
    }

    // Text of the program's character set: what Shift-JIS cannot hold becomes "?".
    QString Text(const QString& text) {
        int replaced = 0;
        QString fitted = FitCp932(text.trimmed(), &replaced);
        if (replaced > 0) {
            ++changed_;
            Note(QStringLiteral("line %1: \"%2\": %3 characters Shift-JIS cannot hold written as \"?\"")
                     .arg(xml_.lineNumber())
                     .arg(text)
                     .arg(replaced));
        }
        return fitted;
    }

    struct Fix {
        qsizetype line = 0;
        bool ok = false;
        QString lat, lon;
        QString name, cmt, desc, number;
        QDateTime utc;
    };

    // A point element (wpt, rtept, trkpt) with the children this program holds; the
    // reader ends after the element.
    Fix ReadFix(const char* what) {
        Fix f;
        f.line = xml_.lineNumber();
        double lat = 0, lon = 0;
        const QXmlStreamAttributes a = xml_.attributes();
        f.ok = ReadDegrees(a.value(QLatin1String("lat")), 90, &lat) &&
               ReadDegrees(a.value(QLatin1String("lon")), 180, &lon);
        if (f.ok) {
            f.lat = QString::number(lat, 'f', 9);
            f.lon = QString::number(lon, 'f', 9);
        } else {
            ++out_.malformed;
            Note(QStringLiteral("line %1: %2 without a valid lat and lon (\"%3\", \"%4\") skipped")
                     .arg(f.line)
                     .arg(QLatin1String(what))
                     .arg(a.value(QLatin1String("lat")).toString(), a.value(QLatin1String("lon")).toString()));
        }
        ReadChildren(f);
        return f;
    }

    void ReadChildren(Fix& f) {
        while (xml_.readNextStartElement()) {
            const QStringView n = xml_.name();
            if (n == QLatin1String("name")) {
                f.name = Text(xml_.readElementText(QXmlStreamReader::SkipChildElements));
            } else if (n == QLatin1String("cmt")) {
                f.cmt = Text(xml_.readElementText(QXmlStreamReader::SkipChildElements));
            } else if (n == QLatin1String("desc")) {
                f.desc = Text(xml_.readElementText(QXmlStreamReader::SkipChildElements));
            } else if (n == QLatin1String("number")) {
                f.number = xml_.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
            } else if (n == QLatin1String("time")) {
                const QString t = xml_.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
                f.utc = QDateTime::fromString(t, Qt::ISODateWithMs);
                if (!f.utc.isValid()) f.utc = QDateTime::fromString(t, Qt::ISODate);
                if (f.utc.isValid() && f.utc.timeSpec() == Qt::LocalTime) f.utc.setTimeSpec(Qt::UTC);
                f.utc = f.utc.toUTC();
            } else {
                xml_.skipCurrentElement();
            }
        }
    }

    // A point's date and time at the UTC offset, as Waypoint+ writes them.
    void DateTime(const Fix& f, WptRecord& r, int dateField) const {
        if (!f.utc.isValid()) return;
        const QDateTime local = f.utc.addSecs(qint64(options_.utcOffset) * 3600);
        r.field(dateField) = WptDateText(local.date());
        r.field(dateField + 1) = WptTimeText(local.time());
    }

    WptRecord PointRecord(const QString& type, const Fix& f) const {
        WptRecord r;
        r.type = type;
        r.line = f.line;
        r.field(1) = QStringLiteral("D");
        r.field(2) = f.name;
        r.field(3) = f.lat;
        r.field(4) = f.lon;
        DateTime(f, r, 5);
        // A comment that only repeats the name (as GPSBabel writes for points without one)
        // carries nothing.
        QString comment = f.cmt.isEmpty() || f.cmt == f.name ? f.desc : f.cmt;
        if (comment == f.name) comment.clear();
        r.field(7) = comment;
        return r;
    }

    void Waypoint() {
        const Fix f = ReadFix("waypoint");
        if (!f.ok) return;
        WptRecord r = PointRecord(wpt::kWaypoint, f);
        // The time is kept in the script as a creation stamp in the comment.
        if (f.utc.isValid() && !r.comment().contains(QLatin1String("CRTD"))) {
            const QDateTime local = f.utc.addSecs(qint64(options_.utcOffset) * 3600);
            QString& c = r.field(7);
            c += (c.isEmpty() ? QString() : QStringLiteral(" ")) + MakeStamp(local.time(), local.date());
        }
        out_.records.push_back(std::move(r));
    }

    void Route() {
        WptRecord header;
        header.type = wpt::kRouteHeader;
        header.line = xml_.lineNumber();
        const size_t at = out_.records.size();
        out_.records.push_back(header);
        ++routes_;
        QString name, number;
        while (xml_.readNextStartElement()) {
            const QStringView n = xml_.name();
            if (n == QLatin1String("name")) {
                name = Text(xml_.readElementText(QXmlStreamReader::SkipChildElements));
            } else if (n == QLatin1String("number")) {
                number = xml_.readElementText(QXmlStreamReader::SkipChildElements).trimmed();
            } else if (n == QLatin1String("rtept")) {
                const Fix f = ReadFix("route point");
                if (f.ok) out_.records.push_back(PointRecord(wpt::kRoutePoint, f));
            } else {
                xml_.skipCurrentElement();
            }
        }
        out_.records[at].field(1) = number.isEmpty() ? QString::number(routes_) : number;
        out_.records[at].field(2) = name;
    }

    void Track() {
        while (xml_.readNextStartElement()) {
            if (xml_.name() != QLatin1String("trkseg")) {
                xml_.skipCurrentElement();
                continue;
            }
            bool first = true;
            while (xml_.readNextStartElement()) {
                if (xml_.name() != QLatin1String("trkpt")) {
                    xml_.skipCurrentElement();
                    continue;
                }
                const Fix f = ReadFix("track point");
                if (!f.ok) continue;
                WptRecord r;
                r.type = wpt::kTrackPoint;
                r.line = f.line;
                r.field(1) = QStringLiteral("D");
                r.field(2) = f.lat;
                r.field(3) = f.lon;
                DateTime(f, r, 4);
                r.field(6) = first ? QStringLiteral("1") : QStringLiteral("0");
                first = false;
                out_.records.push_back(std::move(r));
            }
        }
    }

    QXmlStreamReader xml_;
    const WptOptions& options_;
    WptRecords out_;
    int routes_ = 0;
    int changed_ = 0;

public:
    int Changed() const { return changed_; }
};

}  // namespace

WptRecords ReadGpxRecords(QIODevice& in, const WptOptions& options, QString* error) {
    GpxReader reader(in, options);
    return reader.Run(error);
}

WptConversion ConvertGpxToKel(const QString& path, const WptOptions& options,
                              const Datum& scriptDatum) {
    WptConversion result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.ok = false;
        result.error = path + QStringLiteral(": ") + file.errorString();
        return result;
    }
    QString error;
    GpxReader reader(file, options);
    WptRecords read = reader.Run(&error);
    if (!error.isEmpty()) {
        result.ok = false;
        result.error = path + QStringLiteral(": ") + error;
        return result;
    }
    const int changed = reader.Changed();
    result = ConvertWptRecordsToKel(std::move(read), options, scriptDatum);
    result.changedValues += changed;
    return result;
}

WptConversion ConvertKelGpx(const QString& source, const QString& target, const QString& mode,
                            const WptOptions& options) {
    WptConversion result;
    const QString m = mode.toUpper();
    if (m == QLatin1String("KEL")) {
        result = ConvertGpxToKel(source, options, Datum::Tokyo());
        if (!result.ok) return result;
        const TextWriteResult out = WriteTextFile(target, result.lines);
        if (!out.ok) {
            result.ok = false;
            result.error = target + QStringLiteral(": ") + out.error;
        }
        return result;
    }
    if (m != QLatin1String("GPX")) {
        result.ok = false;
        result.error = QStringLiteral("unknown conversion mode \"%1\" (GPX or KEL)").arg(mode);
        return result;
    }
    const TextSourceResult in = ReadTextFileSource(source);
    if (!in.ok) {
        result.ok = false;
        result.error = source + QStringLiteral(": ") + in.error;
        return result;
    }
    LineSource lines = in.source;
    GpxExport g = ConvertKelToGpx(lines, options);
    result = std::move(g.counts);
    if (in.firstBadLine > 0)
        result.notes.prepend(QStringLiteral("%1: line %2 is not valid Shift-JIS").arg(source).arg(in.firstBadLine));
    const TextWriteResult out = WriteBytesFile(target, g.gpx);
    if (!out.ok) {
        result.ok = false;
        result.error = target + QStringLiteral(": ") + out.error;
    }
    return result;
}

}  // namespace kel
