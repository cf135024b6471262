// Raster tiles under the base map, for users with a network: pictures of a tile server in
// the {z}/{x}/{y} scheme (Web Mercator, 256 pixels), fetched with a User-Agent naming the
// program, kept in a disk cache for as long as the server allows, and never fetched twice
// at once. Off unless a URL template is set: the environment variable KEL_TILE_URL or
// kelmap's --tiles option ("https://tile.example.org/{z}/{x}/{y}.png").
#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <optional>

class QNetworkAccessManager;
class QNetworkReply;

namespace kel {

struct TileId {
    int z = 0;
    int x = 0;
    int y = 0;
    bool operator==(const TileId&) const = default;
};
size_t qHash(const TileId& t, size_t seed = 0);

// The tile of zoom z that holds a position, and the north-west corner of a tile.
TileId TileAt(int z, double lat_deg, double lon_deg);
double TileLon(int z, int x);
double TileLat(int z, int y);

inline const QString kTileUrlVariable = QStringLiteral("KEL_TILE_URL");
inline const QString kTileCacheVariable = QStringLiteral("KEL_TILE_CACHE");
constexpr int kTileSize = 256;
constexpr int kMaxTileZoom = 19;

class TileLayer : public QObject {
    Q_OBJECT
public:
    // `urlTemplate` empty: the layer is off and fetches nothing. `cacheFolder` empty: the
    // user's cache folder.
    explicit TileLayer(QString urlTemplate, QString cacheFolder = QString(), QObject* parent = nullptr);
    ~TileLayer() override;

    // The template from KEL_TILE_URL (empty when unset).
    static QString UrlFromEnvironment();
    static QString DefaultCacheFolder();
    static QString UserAgent();

    bool IsOn() const { return !urlTemplate_.isEmpty(); }
    QString UrlOf(const TileId& t) const;
    // The picture bytes of a tile when at hand (memory or disk cache); otherwise its
    // fetching starts and TileArrived follows.
    std::optional<QByteArray> Tile(const TileId& t);
    // A short credit for the corner of the map: the server's host.
    QString Attribution() const;
    int Fetched() const { return fetched_; }
    int Failed() const { return failed_; }

Q_SIGNALS:
    void TileArrived(int z, int x, int y);

private:
    QString CachePath(const TileId& t) const;
    void StartNext();
    void Finished(QNetworkReply* reply, TileId t);

    QString urlTemplate_;
    QString cacheFolder_;
    QNetworkAccessManager* net_ = nullptr;
    QHash<TileId, QByteArray> memory_;
    QSet<TileId> pending_;       // asked for, not yet answered
    QList<TileId> queue_;        // waiting for a free connection
    QSet<TileId> failedTiles_;   // not asked again in this run
    int inFlight_ = 0;
    int fetched_ = 0;
    int failed_ = 0;
};

}  // namespace kel
