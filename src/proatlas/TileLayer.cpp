#include "proatlas/TileLayer.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUrl>
#include <cmath>
#include <numbers>

namespace kel {

namespace {

constexpr int kMaxInFlight = 4;
constexpr int kMaxMemoryTiles = 512;
// How long a cached tile is used when the server said nothing: a week.
constexpr qint64 kDefaultMaxAge_s = 7 * 24 * 3600;

// Seconds a response may be kept: Cache-Control max-age, no-store/no-cache as 0.
qint64 MaxAgeOf(const QNetworkReply* reply) {
    const QString cc = QString::fromLatin1(reply->rawHeader("Cache-Control")).toLower();
    if (cc.contains(QLatin1String("no-store")) || cc.contains(QLatin1String("no-cache"))) return 0;
    static const QRegularExpression maxAge(QStringLiteral("max-age=(\\d+)"));
    const QRegularExpressionMatch m = maxAge.match(cc);
    if (m.hasMatch()) return m.captured(1).toLongLong();
    return kDefaultMaxAge_s;
}

}  // namespace

size_t qHash(const TileId& t, size_t seed) {
    return ::qHash(qint64(t.z) << 48 ^ qint64(t.x) << 24 ^ t.y, seed);
}

TileId TileAt(int z, double lat_deg, double lon_deg) {
    const double n = std::ldexp(1.0, z);
    const double phi = std::clamp(lat_deg, -85.0511, 85.0511) * std::numbers::pi / 180;
    const int x = int(std::floor((lon_deg + 180) / 360 * n));
    const int y = int(
        std::floor((1 - std::log(std::tan(phi) + 1 / std::cos(phi)) / std::numbers::pi) / 2 * n));
    return {z, x, std::clamp(y, 0, int(n) - 1)};
}

double TileLon(int z, int x) {
    return x / std::ldexp(1.0, z) * 360 - 180;
}

double TileLat(int z, int y) {
    return std::atan(std::sinh(std::numbers::pi * (1 - 2 * y / std::ldexp(1.0, z)))) * 180 /
           std::numbers::pi;
}

TileLayer::TileLayer(QString urlTemplate, QString cacheFolder, QObject* parent)
    : QObject(parent),
      urlTemplate_(std::move(urlTemplate)),
      cacheFolder_(cacheFolder.isEmpty() ? DefaultCacheFolder() : std::move(cacheFolder)) {}

TileLayer::~TileLayer() = default;

QString TileLayer::UrlFromEnvironment() {
    return qEnvironmentVariable("KEL_TILE_URL").trimmed();
}

QString TileLayer::DefaultCacheFolder() {
    const QString env = qEnvironmentVariable("KEL_TILE_CACHE");
    if (!env.isEmpty()) return env;
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation))
        .filePath(QStringLiteral("KelEditor/tiles"));
}

QString TileLayer::UserAgent() {
    return QStringLiteral("KelEditor/%1 (kelmap; built-in map of the KEL script editor)")
        .arg(QStringLiteral(KEL_VERSION));
}

QString TileLayer::UrlOf(const TileId& t) const {
    QString url = urlTemplate_;
    url.replace(QLatin1String("{z}"), QString::number(t.z));
    url.replace(QLatin1String("{x}"), QString::number(t.x));
    url.replace(QLatin1String("{y}"), QString::number(t.y));
    return url;
}

QString TileLayer::Attribution() const {
    const QString host = QUrl(urlTemplate_).host();
    return host.isEmpty() ? QString() : QStringLiteral("Tiles: ") + host;
}

QString TileLayer::CachePath(const TileId& t) const {
    // One folder per server, so that two templates never share pictures.
    // (A digest of the template, so that the folder stays the same across program versions.)
    const QString server = QString::fromLatin1(
        QCryptographicHash::hash(urlTemplate_.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
    return QDir(cacheFolder_)
        .filePath(QStringLiteral("%1/%2/%3/%4.tile").arg(server).arg(t.z).arg(t.x).arg(t.y));
}

std::optional<QByteArray> TileLayer::Tile(const TileId& t) {
    if (!IsOn() || t.z < 0 || t.z > kMaxTileZoom) return std::nullopt;
    const int n = 1 << t.z;
    if (t.x < 0 || t.x >= n || t.y < 0 || t.y >= n) return std::nullopt;
    if (const auto it = memory_.constFind(t); it != memory_.constEnd()) return it.value();
    if (pending_.contains(t) || failedTiles_.contains(t)) return std::nullopt;
    // The disk cache, while the tile is fresh: its file's time is when it expires.
    const QString path = CachePath(t);
    const QFileInfo info(path);
    if (info.exists() && info.lastModified() > QDateTime::currentDateTimeUtc()) {
        QFile f(path);
        if (f.open(QIODevice::ReadOnly)) {
            const QByteArray bytes = f.readAll();
            if (memory_.size() >= kMaxMemoryTiles) memory_.clear();
            memory_.insert(t, bytes);
            return bytes;
        }
    }
    pending_.insert(t);
    queue_.append(t);
    StartNext();
    return std::nullopt;
}

void TileLayer::StartNext() {
    if (!net_) net_ = new QNetworkAccessManager(this);
    while (inFlight_ < kMaxInFlight && !queue_.isEmpty()) {
        const TileId t = queue_.takeLast();  // the latest asked for is most likely in view
        QNetworkRequest request{QUrl(UrlOf(t))};
        request.setHeader(QNetworkRequest::UserAgentHeader, UserAgent());
        request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                             QNetworkRequest::NoLessSafeRedirectPolicy);
        request.setTransferTimeout(20000);
        QNetworkReply* reply = net_->get(request);
        ++inFlight_;
        connect(reply, &QNetworkReply::finished, this, [this, reply, t] { Finished(reply, t); });
    }
}

void TileLayer::Finished(QNetworkReply* reply, TileId t) {
    reply->deleteLater();
    --inFlight_;
    pending_.remove(t);
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QByteArray bytes =
        reply->error() == QNetworkReply::NoError ? reply->readAll() : QByteArray();
    if (status != 200 || bytes.isEmpty()) {
        ++failed_;
        failedTiles_.insert(t);
        StartNext();
        return;
    }
    ++fetched_;
    if (memory_.size() >= kMaxMemoryTiles) memory_.clear();
    memory_.insert(t, bytes);
    const qint64 maxAge = MaxAgeOf(reply);
    if (maxAge > 0) {
        const QString path = CachePath(t);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QSaveFile f(path);
        if (f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.commit()) {
            QFile written(path);
            if (written.open(QIODevice::ReadWrite))
                written.setFileTime(QDateTime::currentDateTimeUtc().addSecs(maxAge),
                                    QFileDevice::FileModificationTime);
        }
    }
    Q_EMIT TileArrived(t.z, t.x, t.y);
    StartNext();
}

}  // namespace kel
