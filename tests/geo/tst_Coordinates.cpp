// Coordinate formats and their conversions; `pos` values read as positions, split raw
// and held to the table of fields.
#include <QRandomGenerator>
#include <cmath>

#include "TestMain.h"
#include "common/Values.h"
#include "geo/Coordinates.h"
#include "geo/PosList.h"

using namespace kel;

namespace {

// A list of `count` positions "lat,lon" with distinct values, joined by ",".
QString ManyPositions(int count) {
    QStringList parts;
    for (int i = 0; i < count; ++i)
        parts << QStringLiteral("35/%1/00,135/00/%2").arg(i % 60).arg(i % 60);
    return parts.join(QLatin1Char(','));
}

}  // namespace

class CoordinatesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void convert_data() {
        for (const char* c : {"text", "from", "to", "expected"}) QTest::addColumn<QString>(c);
        // The forms of 35 degrees, 30 minutes, 12.34 seconds.
        QTest::newRow("KEL to D") << "35/30/12.3" << "KEL" << "D" << "35.5034166666667";
        QTest::newRow("D to KEL") << "35.5034166666667" << "D" << "KEL" << "35/30/12.3";
        QTest::newRow("D to DMS") << "35.5034277777778" << "D" << "DMS" << "35.301234";
        QTest::newRow("DMS to D") << "35.301234" << "DMS" << "D" << "35.5034277777778";
        QTest::newRow("DM to PAO") << "35.3020566666667" << "DM" << "PAO" << "35/30/12340";
        QTest::newRow("PAO rounds") << "35/30/12345" << "PAO" << "KEL" << "35/30/12.3";
        // Negative values: the floor is the degree, minutes and seconds stay positive; "DMS"
        // is sign and magnitude.
        QTest::newRow("-D to KEL") << "-35.5" << "D" << "KEL" << "-36/30/00.0";
        QTest::newRow("-DMS to KEL") << "-35.301234" << "DMS" << "KEL" << "-36/29/47.7";
        QTest::newRow("-0.25 to DMS") << "-0.25" << "D" << "DMS" << "-0.150000";
        // The sign written is the value's, whatever the signs of the parts; a value that
        // rounds to zero has none.
        QTest::newRow("negative degree, positive value") << "-1/61/00" << "KEL" << "DMS" << "0.010000";
        QTest::newRow("tiny negative to DMS") << "-1e-17" << "D" << "DMS" << "0.000000";
        QTest::newRow("negative rounding to zero") << "-1e-12" << "D" << "DMS" << "0.000000";
        QTest::newRow("positive degree, negative value") << "1/-61/00" << "KEL" << "DMS" << "-0.010000";
        // Format names are exact and upper case; "DM" is read, never written.
        QTest::newRow("lower-case target") << "35.5" << "D" << "kel" << "";
        QTest::newRow("DM target") << "35.5" << "D" << "DM" << "";
        QTest::newRow("unknown source") << "35/30/12.3" << "dms" << "KEL" << "0/00/00.0";
        // Odd KEL texts.
        QTest::newRow("empty minutes") << "35//12" << "KEL" << "KEL" << "35/00/12.0";
        QTest::newRow("empty text") << "" << "KEL" << "KEL" << "0/00/00.0";
        QTest::newRow("fourth part") << "35/30/12.3/99" << "KEL" << "D" << "35.5034166666667";
        // Seconds that round up to 60 are not carried, and still read back the same.
        QTest::newRow("no carry") << "35/29/59.96" << "KEL" << "KEL" << "35/29/60.0";
        QTest::newRow("no carry reads back") << "35/29/60.0" << "KEL" << "D" << "35.5";
        // "DMS" splits on the decimal digits: 35.3 is 30 minutes, not 29'99.99".
        QTest::newRow("DMS decimal split") << "35.3" << "DMS" << "KEL" << "35/30/00.0";
        QTest::newRow("DMS next degree") << "35.99999999999999" << "DMS" << "D" << "36";
        // Parts the layout cannot hold are re-split, never written with a changed value.
        QTest::newRow("fractional minutes") << "35/30.5/00" << "KEL" << "KEL" << "35/30/30.0";
        QTest::newRow("large seconds to DMS") << "35/30/123" << "KEL" << "DMS" << "35.320300";
        QTest::newRow("negative minutes") << "35/-30/0" << "KEL" << "KEL" << "34/30/00.0";
    }
    void convert() {
        QFETCH(QString, text);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, expected);
        QCOMPARE(ConvertCoord(text, from, to), expected);
        if (from == "KEL") QCOMPARE(KelToDegrees(text), Val(ConvertCoord(text, from, "D")));
    }

    // Any written text reads back to the value it was written from (to the precision of its
    // last digit), whatever the layout had to do.
    void writtenTextReadsBack() {
        const std::pair<QString, double> formats[] = {
            {"KEL", 0.05}, {"PAO", 0.0005}, {"DMS", 0.005}};
        QRandomGenerator rng(20240607);
        for (const auto& [format, toleranceSeconds] : formats) {
            for (int i = 0; i < 2000; ++i) {
                // Seven decimals, as positions are usually given; the range of longitudes.
                const double v = std::round((rng.generateDouble() * 360 - 180) * 1e7) / 1e7;
                const QString d = NumText(v);
                const QString written = ConvertCoord(d, QStringLiteral("D"), format);
                const double back = Val(ConvertCoord(written, format, QStringLiteral("D")));
                if (std::abs(back - v) * 3600 > toleranceSeconds + 1e-9)
                    QFAIL(qPrintable(d + " -> " + written + " -> " + NumText(back)));
            }
        }
    }

    void parse_data() {
        QTest::addColumn<QString>("pos");
        QTest::addColumn<QString>("expected");  // "D" texts: "lat;lat|lon;lon"
        QTest::newRow("two positions")
            << "35/30/00,135/30/00,36/00/00,136/00/00," << "35.5;36|135.5;136";
        QTest::newRow("& and !") << "!35/30/00,135/30/00&!36/0/0,136/0/0" << "35.5;36|135.5;136";
        QTest::newRow("arrow, blanks, line breaks") << "<> 35/30/00 ,\r\n135/30/00" << "35.5|135.5";
        QTest::newRow("lone latitude") << "35/30/00,135/30/00,36/00/00" << "35.5|135.5";
        QTest::newRow("line feed in a field") << "35/3\n0/00,135/30/00" << "35.5|135.5";
        QTest::newRow("empty fields") << "35/30/00,,," << "35.5;0|0;0";
        QTest::newRow("three characters") << "1,2" << "|";
        QTest::newRow("four characters") << "1,23" << "1|23";
    }
    void parse() {
        QFETCH(QString, pos);
        QFETCH(QString, expected);
        auto joined = [](const PosTexts& p) { return p.lat.join(';') + '|' + p.lon.join(';'); };
        const PosTexts p = ParsePosList(pos);
        QCOMPARE(joined(p), expected);
        QVERIFY(!p.truncated);
        // The bounds reader and the numeric reader see the same positions.
        QCOMPARE(joined(ParsePosListBounds(pos).pos), expected);
        const PosDegrees d = ParsePosDegrees(pos);
        QCOMPARE(d.count(), p.count());
        for (int i = 0; i < d.count(); ++i) {
            QCOMPARE(d.lat[size_t(i)], Val(p.lat[i]));
            QCOMPARE(d.lon[size_t(i)], Val(p.lon[i]));
        }
    }

    // The raw split keeps a field's marks, moves a "!" to the front and gives the count of
    // positions; past the end both fields are empty.
    void rawSplit() {
        QString lat = "old", lon = "old";
        const QString amp = QStringLiteral("35/0/0,135/0/0&36/0/0,136/0/0");
        QCOMPARE(GetPosPair(amp, 1, lat, lon), 2);
        QCOMPARE(lat + '|' + lon, "35/0/0|135/0/0&");
        QCOMPARE(GetPosPair("35/0!/0,135/0/0", 1, lat, lon), 1);
        QCOMPARE(lat + '|' + lon, "!35/0/0|135/0/0");
        int index = 3;
        GetPosPairAt(amp, index, lat, lon);
        QCOMPARE(index, 2);
        QCOMPARE(lat + '|' + lon, "|");
    }

    // The table holds 5120 fields: more is read up to the limit, flagged, never overrun.
    void limits_data() {
        QTest::addColumn<QString>("pos");
        QTest::addColumn<bool>("truncated");
        const QString full = ManyPositions(kMaxPositions);
        QTest::newRow("exactly full") << full << false;
        QTest::newRow("full, trailing blanks") << full + ", \r\n" << false;
        QTest::newRow("one latitude more") << full + ",1/0/0" << true;
        QTest::newRow("far more") << ManyPositions(3 * kMaxPositions) << true;
    }
    void limits() {
        QFETCH(QString, pos);
        QFETCH(bool, truncated);
        const PosTexts p = ParsePosList(pos);
        QCOMPARE(p.count(), kMaxPositions);
        QCOMPARE(p.lon.size(), kMaxPositions);
        QCOMPARE(p.truncated, truncated);
        // The last position kept is the 2560th of the text.
        const int last = kMaxPositions - 1;
        QCOMPARE(p.lat.last(), ConvertCoord(QStringLiteral("35/%1/00").arg(last % 60), "KEL", "D"));
        QCOMPARE(ParsePosListBounds(pos).pos.truncated, truncated);
        QCOMPARE(ParsePosDegrees(pos).count(), kMaxPositions);
        QString lat, lon;
        QCOMPARE(GetPosPair(pos, kMaxPositions, lat, lon), kMaxPositions);
        QCOMPARE(lat, QStringLiteral("35/%1/00").arg(last % 60));
        QCOMPARE(GetPosPair(pos, kMaxPositions + 1, lat, lon), kMaxPositions);
        QCOMPARE(lat, QString());
    }
};

KEL_TEST(CoordinatesTest);
#include "tst_Coordinates.moc"
