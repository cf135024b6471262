#include <QProcess>
#include <QTemporaryDir>

#include "KelRunner.h"
#include "TestMain.h"
#include "common/TextFile.h"

namespace {

// Lines: 0 comment, 1 rect (35,135)-(35.1,135.1), 2 point inside, 3 line half inside,
// 4 point far away, 5 circle of 1 km 0.03 degrees east of the rect, 6 area around all.
const QStringList kScript = {
    QStringLiteral("// spatial test"),
    QStringLiteral("rect oid=\"1\" pos=\"35/00/00.0,135/00/00.0,35/06/00.0,135/06/00.0\";"),
    QStringLiteral("point oid=\"2\" pos=\"35/03/00.0,135/03/00.0\";"),
    QStringLiteral("line oid=\"3\" pos=\"35/03/00.0,135/03/00.0,35/12/00.0,135/12/00.0\";"),
    QStringLiteral("point oid=\"4\" pos=\"36/00/00.0,136/00/00.0\";"),
    QStringLiteral("circle oid=\"5\" pos=\"35/03/00.0,135/07/48.0\" r=\"1km\";"),
    QStringLiteral("area oid=\"6\" pos=\"34/54/00.0,134/54/00.0,34/54/00.0,135/12/00.0,"
                   "35/12/00.0,135/12/00.0,35/12/00.0,134/54/00.0\";"),
};

}  // namespace

class KelSpatialTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        path_ = dir_.filePath(QStringLiteral("spatial.kel"));
        QVERIFY(kel::WriteTextFile(path_, kScript).ok);
    }

    void results_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("out");
        QTest::newRow("distance of a degree north")
            << QStringList{"distance", "35", "135", "36", "135"} << "111.306576163384\n";
        QTest::newRow("distance to itself") << QStringList{"distance", "35", "135", "35", "135"}
                                            << "0\n";
        QTest::newRow("measure circle") << QStringList{"measure", "circle", "35/00/00,135/00/00",
                                                       "--r", "1km"}
                                        << "3.141593 km^2  / 6.283 km\n";
        QTest::newRow("measure one-corner rect")
            << QStringList{"measure", "rect", "35/00/00,135/00/00", "--width=2km", "--height",
                           "500m"}
            << "1.000000 km^2  / 5.000 km\n";
        QTest::newRow("measure point") << QStringList{"measure", "point", "35/00/00,135/00/00"}
                                       << "\n";
        QTest::newRow("2drms") << QStringList{"2drms", "35,135,35,135", "D"}
                               << QString::fromUtf8("0.000 m (σx^2=0.000,σy^2=0.000)\n");
        QTest::newRow("interior") << QStringList{"spatial", "", "FindInterior", "1"} << "1,2,3\n";
        QTest::newRow("interior, full overlap")
            << QStringList{"spatial", "", "FindInterior", "1", "--full-overlap"} << "1,2\n";
        QTest::newRow("exterior") << QStringList{"spatial", "", "FindExterior", "1"} << "4,5,6\n";
        QTest::newRow("containers of a point")
            << QStringList{"spatial", "", "FindObject", "2"} << "1,6\n";
        QTest::newRow("selection kept") << QStringList{"spatial", "", "FindObject", "2",
                                                       "--select", "4"}
                                        << "1,4,6\n";
        // The line's end is the area's corner: the first of equal distances wins.
        QTest::newRow("nearest") << QStringList{"spatial", "", "Nearest", "4"} << "3\n";
        QTest::newRow("nearest among the selected")
            << QStringList{"spatial", "", "Nearest", "1", "--select=4,5"} << "5\n";
        QTest::newRow("farthest") << QStringList{"spatial", "", "Farthest", "2"} << "4\n";
        QTest::newRow("nothing to find") << QStringList{"spatial", "", "Farthest", "2", "--select",
                                                        "2"}
                                         << "-1\n";
    }
    void results() {
        QFETCH(QStringList, args);
        QFETCH(QString, out);
        if (args[0] == QLatin1String("spatial")) args[1] = path_;
        const Run r = Kel(args);
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QCOMPARE(r.out, out);
    }

    void failures_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::newRow("distance not a number") << QStringList{"distance", "35N", "135", "36", "135"}
                                               << 2;
        QTest::newRow("measure unknown option")
            << QStringList{"measure", "circle", "35/00/00,135/00/00", "--radius", "1"} << 2;
        QTest::newRow("2drms unknown format") << QStringList{"2drms", "35,135", "XYZ"} << 1;
        QTest::newRow("spatial unknown operation") << QStringList{"spatial", "", "Inside", "1"}
                                                   << 2;
        QTest::newRow("spatial line out of range")
            << QStringList{"spatial", "", "FindInterior", "7"} << 2;
        QTest::newRow("spatial line reference") << QStringList{"spatial", "", "FindInterior", "3"}
                                                << 1;
        QTest::newRow("spatial comment reference") << QStringList{"spatial", "", "Nearest", "0"}
                                                   << 1;
        QTest::newRow("spatial missing file")
            << QStringList{"spatial", "/nonexistent/x.kel", "FindObject", "1"} << 1;
    }
    void failures() {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        if (args[0] == QLatin1String("spatial") && args[1].isEmpty()) args[1] = path_;
        const Run r = Kel(args);
        QCOMPARE(r.status, status);
        QVERIFY2(r.err.startsWith(QLatin1String("kel: ")), qPrintable(r.err));
        QCOMPARE(r.err.count(QLatin1Char('\n')), 1);
    }

private:
    QTemporaryDir dir_;
    QString path_;
};

KEL_TEST(KelSpatialTest);
#include "tst_KelSpatial.moc"
