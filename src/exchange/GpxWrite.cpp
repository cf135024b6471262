// KEL -> GPX 1.1.
#include <QFile>
#include <QRegularExpression>

#include "exchange/ExchangeText.h"
#include "exchange/Gpx.h"
#include "script/Statement.h"
#include "waypoint/GpsExport.h"
#include "waypoint/WptStamp.h"

namespace kel {

namespace {

const QRegularExpression kRouteNumber(QStringLiteral("^RtNo:(\\d+) "));

class GpxSink : public GpsExportSink {
public:
    explicit GpxSink(const WptOptions& options) : options_(options) {}

    void Waypoint(const QString& name, const GpsFix& at, const QString& comment) override {
        wpt_ += "  <wpt" + LatLonAttributes(at) + ">\n";
        Element(wpt_, 4, "time", StampTime(comment));
        Element(wpt_, 4, "name", name);
        Element(wpt_, 4, "cmt", comment);
        wpt_ += "  </wpt>\n";
    }

    void Route(int number, const QString& name, const std::vector<GpsRoutePoint>& points,
               const QString& comment) override {
        rte_ += "  <rte>\n";
        Element(rte_, 4, "name", name);
        Element(rte_, 4, "cmt", comment);
        // The route number the import put in the info ("RtNo:7 RpNum:3"), else the count.
        const QRegularExpressionMatch m = kRouteNumber.match(comment);
        Element(rte_, 4, "number", m.hasMatch() ? m.captured(1) : QString::number(number));
        const QString time = StampTime(comment);
        for (const GpsRoutePoint& p : points) {
            rte_ += "    <rtept" + LatLonAttributes(p.at) + ">\n";
            Element(rte_, 6, "time", time);
            Element(rte_, 6, "name", p.name);
            rte_ += "    </rtept>\n";
        }
        rte_ += "  </rte>\n";
    }

    void Track(const QString& label, const std::vector<GpsFix>& points) override {
        trk_ += "  <trk>\n";
        Element(trk_, 4, "name", label);
        trk_ += "    <trkseg>\n";
        for (const GpsFix& p : points) trk_ += "      <trkpt" + LatLonAttributes(p) + "/>\n";
        trk_ += "    </trkseg>\n  </trk>\n";
    }

    QByteArray Document() const {
        QByteArray out =
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<gpx version=\"1.1\" creator=\"KelEditor\" xmlns=\"http://www.topografix.com/GPX/1/1\" "
            "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
            "xsi:schemaLocation=\"http://www.topografix.com/GPX/1/1 "
            "http://www.topografix.com/GPX/1/1/gpx.xsd\">\n";
        out.reserve(out.size() + wpt_.size() + rte_.size() + trk_.size() + 8);
        out += wpt_;
        out += rte_;
        out += trk_;
        out += "</gpx>\n";
        return out;
    }

private:
    static QByteArray LatLonAttributes(const GpsFix& p) {
        return " lat=\"" + DegreesText(p.lat_deg) + "\" lon=\"" + DegreesText(p.lon_deg) + "\"";
    }

    static void Element(QByteArray& out, int indent, const char* tag, const QString& text) {
        if (text.isEmpty()) return;
        out += QByteArray(indent, ' ') + '<' + tag + '>' + XmlEscaped(text) + "</" + tag + ">\n";
    }

    // The UTC time of a creation stamp in a comment, as xsd:dateTime; empty without one.
    QString StampTime(const QString& comment) const {
        if (!comment.contains(QLatin1String("CRTD"))) return QString();
        QString date, time;
        if (!ParseStamp(ExtractStamp(comment), date, time, -options_.utcOffset)) return QString();
        const QDateTime utc = ReadWptDateTime(date, time);
        return utc.isValid() ? utc.toString(Qt::ISODate) : QString();
    }

    const WptOptions& options_;
    QByteArray wpt_, rte_, trk_;
};

}  // namespace

GpxExport ConvertKelToGpx(LineSource& kel, const WptOptions& options) {
    GpxExport out;
    GpxSink sink(options);
    WalkGpsFigures(kel, Datum::Wgs84(), options, sink, out.counts);
    out.gpx = sink.Document();
    return out;
}

GpxExport ConvertCommandsToGpx(const QStringList& commandTexts, const WptOptions& options) {
    LineSource lines(SplitLines(commandTexts.join(QStringLiteral("\r\n"))));
    return ConvertKelToGpx(lines, options);
}

}  // namespace kel
