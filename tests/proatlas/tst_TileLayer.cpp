// Raster tiles from a tile server started on 127.0.0.1: the request (path, User-Agent),
// the disk cache and its expiry, failures, and a tile drawn under the map.
#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>

#include "TestMain.h"
#include "proatlas/BaseMap.h"
#include "proatlas/MapWidget.h"
#include "proatlas/TileLayer.h"

using namespace kel;

namespace {

// Answers every GET with a 256 x 256 picture of one colour (404 for paths with "missing").
class TileServer : public QObject {
public:
    TileServer() {
        QImage img(kTileSize, kTileSize, QImage::Format_RGB32);
        img.fill(QColor(0, 200, 0));
        QBuffer buf(&png_);
        buf.open(QIODevice::WriteOnly);
        img.save(&buf, "PNG");
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = server_.nextPendingConnection()) {
                connect(s, &QTcpSocket::readyRead, this, [this, s] { Answer(s); });
                connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
            }
        });
        server_.listen(QHostAddress::LocalHost);
    }
    QString Url() const { return QStringLiteral("http://127.0.0.1:%1/{z}/{x}/{y}.png").arg(server_.serverPort()); }
    void Close() { server_.close(); }
    QStringList paths;
    QStringList agents;
    QByteArray cacheControl = "max-age=3600";

private:
    void Answer(QTcpSocket* s) {
        buffer_[s] += s->readAll();
        if (!buffer_[s].contains("\r\n\r\n")) return;
        const QList<QByteArray> lines = buffer_.take(s).split('\n');
        const QString path = QString::fromLatin1(lines.value(0).split(' ').value(1));
        paths << path;
        for (const QByteArray& l : lines)
            if (l.toLower().startsWith("user-agent:")) agents << QString::fromLatin1(l.mid(11).trimmed());
        QByteArray out;
        if (path.contains(QLatin1String("missing")) || path.startsWith(QLatin1String("/3/"))) {
            out = "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
        } else {
            out = "HTTP/1.1 200 OK\r\nContent-Type: image/png\r\nCache-Control: " + cacheControl +
                  "\r\nContent-Length: " + QByteArray::number(png_.size()) + "\r\nConnection: close\r\n\r\n" + png_;
        }
        s->write(out);
        s->disconnectFromHost();
    }
    QTcpServer server_;
    QByteArray png_;
    QHash<QTcpSocket*, QByteArray> buffer_;
};

}  // namespace

class TileLayerTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void tileNumbers_data() {
        QTest::addColumn<int>("z");
        QTest::addColumn<double>("lat");
        QTest::addColumn<double>("lon");
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::newRow("the world") << 0 << 35.0 << 139.0 << 0 << 0;
        QTest::newRow("Tokyo at 10") << 10 << 35.681 << 139.767 << 909 << 403;
        QTest::newRow("Tokyo at 16") << 16 << 35.681 << 139.767 << 58211 << 25806;
    }
    void tileNumbers() {
        QFETCH(int, z);
        QFETCH(double, lat);
        QFETCH(double, lon);
        QFETCH(int, x);
        QFETCH(int, y);
        const TileId t = TileAt(z, lat, lon);
        QCOMPARE(t.x, x);
        QCOMPARE(t.y, y);
        QVERIFY(TileLon(z, x) <= lon && lon < TileLon(z, x + 1));
        QVERIFY(TileLat(z, y) >= lat && lat > TileLat(z, y + 1));
    }

    void offUnlessAUrlIsSet() {
        TileLayer off{QString()};
        QVERIFY(!off.IsOn());
        QVERIFY(!off.Tile({1, 0, 0}));
        QCOMPARE(off.Fetched() + off.Failed(), 0);
    }

    void fetchedOnceWithTheProgramsNameThenFromTheCache() {
        TileServer server;
        QTemporaryDir cache;
        const QString url = server.Url();  // the port goes with the server
        {
            TileLayer tiles(url, cache.path());
            QSignalSpy arrived(&tiles, &TileLayer::TileArrived);
            QVERIFY(!tiles.Tile({5, 28, 12}));
            QVERIFY(!tiles.Tile({5, 28, 12}));  // asked again while on its way: one request
            QVERIFY(arrived.wait(20000));
            QCOMPARE(server.paths, QStringList{QStringLiteral("/5/28/12.png")});
            QVERIFY(server.agents.value(0).startsWith(QStringLiteral("KelEditor/")));
            QVERIFY(tiles.Tile({5, 28, 12}).has_value());
            QVERIFY(!QImage::fromData(*tiles.Tile({5, 28, 12})).isNull());
        }
        // Another run with the server gone: the disk cache answers at once.
        server.Close();
        TileLayer again(url, cache.path());
        QVERIFY(again.Tile({5, 28, 12}).has_value());
        QCOMPARE(again.Fetched(), 0);
    }

    void expiredAndUncacheableTilesAreFetchedAgain() {
        TileServer server;
        server.cacheControl = "no-store";
        QTemporaryDir cache;
        {
            TileLayer tiles(server.Url(), cache.path());
            QSignalSpy arrived(&tiles, &TileLayer::TileArrived);
            tiles.Tile({2, 1, 1});
            QVERIFY(arrived.wait(20000));
        }
        TileLayer again(server.Url(), cache.path());
        QSignalSpy arrived(&again, &TileLayer::TileArrived);
        QVERIFY(!again.Tile({2, 1, 1}));
        QVERIFY(arrived.wait(20000));
        QCOMPARE(server.paths.size(), 2);
    }

    void aMissingTileIsNotAskedForAgain() {
        TileServer server;
        QTemporaryDir cache;
        TileLayer tiles(server.Url(), cache.path());
        tiles.Tile({3, 1, 1});
        QTRY_COMPARE_WITH_TIMEOUT(tiles.Failed(), 1, 20000);
        QVERIFY(!tiles.Tile({3, 1, 1}));
        QTest::qWait(100);
        QCOMPARE(server.paths.size(), 1);
        QVERIFY(!tiles.Tile({3, 99, 0}));  // outside the zoom's tiles: never asked
        QCOMPARE(server.paths.size(), 1);
    }

    void tilesShowUnderTheMap() {
        TileServer server;
        QTemporaryDir cache;
        MapWidget map(std::make_shared<BaseMap>(QStringLiteral("/nonexistent")));
        map.resize(300, 200);
        map.SetTileUrl(server.Url(), cache.path());
        map.CenterOn(35.68, 139.76);
        map.SetLayerScale(100000);
        QImage first = map.Render(false);
        QVERIFY(qRed(first.pixel(150, 100)) > 200);  // no tile yet: the plain land colour
        QTRY_VERIFY_WITH_TIMEOUT(map.Tiles()->Fetched() >= 1 && map.Tiles()->Fetched() + map.Tiles()->Failed() >= int(server.paths.size()), 20000);
        const QImage shown = map.Render(false);
        const QRgb c = shown.pixel(150, 100);
        QVERIFY2(qGreen(c) > 150 && qRed(c) < 80, qPrintable(QString::number(c, 16)));
    }
};

KEL_TEST(TileLayerTest);
#include "tst_TileLayer.moc"
