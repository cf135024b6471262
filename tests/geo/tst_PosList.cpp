#include "TestMain.h"
#include "common/Values.h"
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

class PosListTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
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

    void otherReadings() {
        // Only the bounds reader drops carriage returns; elsewhere one ends the number.
        const QString cr = QStringLiteral("35/3\r0/00,135/30/00");
        QCOMPARE(ParsePosListBounds(cr).pos.lat, QStringList{"35.5"});
        QCOMPARE(ParsePosList(cr).lat, QStringList{"35.05"});
        auto box = [](const QString& pos) {
            const PosBounds b = ParsePosListBounds(pos);
            return QStringList{b.maxLat, b.minLat, b.maxLon, b.minLon};
        };
        QCOMPARE(box("35/00/00,135/00/00,36/30/00,134/00/00,35/30/00,134/30/00"),
                 QStringList({"36.5", "35", "135", "134"}));
        QCOMPARE(box("abc"), QStringList({"-90", "90", "-180", "180"}));
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

KEL_TEST(PosListTest);
#include "tst_PosList.moc"
