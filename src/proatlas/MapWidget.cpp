#include "proatlas/MapWidget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>

#include "proatlas/BaseMap.h"
#include "proatlas/QtMapPainter.h"

namespace kel {

namespace {
constexpr int kRenderDelay_ms = 120;  // after the last wheel step or content change
constexpr double kDragThreshold_px = 4;
// A window's paint draws figures for at most this long (see MapPaintOptions).
constexpr double kFigureBudget_ms = 500;
}  // namespace

MapWidget::MapWidget(std::shared_ptr<BaseMap> base, QWidget* parent)
    : QWidget(parent), base_(base ? std::move(base) : std::make_shared<BaseMap>()) {
    setObjectName(QStringLiteral("MapWidget"));
    setAccessibleName(QStringLiteral("Map"));
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(200, 150);
    view_.size = size();
    view_.SetLayerScale(5000000);
    renderTimer_.setSingleShot(true);
    renderTimer_.setInterval(kRenderDelay_ms);
    connect(&renderTimer_, &QTimer::timeout, this, [this] {
        cacheDirty_ = true;
        update();
    });
    connect(base_.get(), &BaseMap::LevelReady, this, [this](int) {
        cacheDirty_ = true;
        update();
    });
    SetTileUrl(TileLayer::UrlFromEnvironment());
}

void MapWidget::SetTileUrl(const QString& urlTemplate, const QString& cacheFolder) {
    tileImages_.clear();
    tiles_.reset();
    if (!urlTemplate.isEmpty()) {
        tiles_ = std::make_unique<TileLayer>(urlTemplate, cacheFolder);
        // Tiles come one by one: render once a few have.
        connect(tiles_.get(), &TileLayer::TileArrived, this, [this] {
            if (!renderTimer_.isActive()) renderTimer_.start();
        });
    }
    cacheDirty_ = true;
    update();
}

const QImage* MapWidget::TileImage(const TileId& t) {
    if (const auto it = tileImages_.constFind(t); it != tileImages_.constEnd()) return &it.value();
    const std::optional<QByteArray> bytes = tiles_ ? tiles_->Tile(t) : std::nullopt;
    if (!bytes) return nullptr;
    if (tileImages_.size() > 600) tileImages_.clear();
    // A tile that is no picture is kept as a null image and drawn as nothing.
    return &tileImages_.insert(t, QImage::fromData(*bytes)).value();
}

MapWidget::~MapWidget() = default;

void MapWidget::ShowWindow() {
    QWidget* top = window();
    top->show();
    top->raise();
    show();
}

qint64 MapWidget::hwndMain() const { return qint64(window()->winId()); }

void MapWidget::MoveTo(int, int, qint32 lat_ms, qint32 lon_ms) {
    CenterOn(MilliArcToDegrees(lat_ms), MilliArcToDegrees(lon_ms));
}

void MapWidget::SetView(const MapView& view) {
    const QSize keep = view_.size;
    view_ = view;
    view_.size = keep;
    ViewMoved(false);
}

void MapWidget::SetLayerScale(double scale) {
    view_.SetLayerScale(scale);
    ViewMoved(false);
}

void MapWidget::CenterOn(double lat_deg, double lon_deg) {
    view_.centerLat_deg = lat_deg;
    view_.centerLon_deg = lon_deg;
    ViewMoved(false);
}

void MapWidget::ZoomToContent() {
    const GeoBox box = Extent();
    if (box.IsEmpty()) return;
    view_.FitBox(box);
    ViewMoved(false);
}

void MapWidget::ViewMoved(bool renderSoon) {
    if (renderSoon) {
        renderTimer_.start();
    } else {
        cacheDirty_ = true;
    }
    update();
    Q_EMIT ViewChanged(view_.LayerScale());
}

void MapWidget::ContentChanged(bool redraw) {
    if (!redraw) return;
    // Many shapes arrive in one go ("Refresh Figures"): render once they have.
    if (!renderTimer_.isActive()) renderTimer_.start();
}

QImage MapWidget::Render(bool waitForBase) {
    QImage image(view_.size.expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    MapPaintOptions options;
    options.waitForBase = waitForBase;
    options.baseShift = baseShift_;
    if (tiles_) {
        options.tile = [this](const TileId& t) { return TileImage(t); };
        options.attribution = tiles_->Attribution();
    }
    PaintMap(p, view_, base_.get(), *this, options);
    return image;
}

void MapWidget::SetFigureDatum(const Datum& datum) {
    baseShift_ = DatumShift(Datum::Wgs84(), datum);
    cacheDirty_ = true;
    update();
}

void MapWidget::RenderCache() {
    QElapsedTimer t;
    t.start();
    const qreal dpr = devicePixelRatioF();
    QImage image(view_.size.expandedTo(QSize(1, 1)) * dpr, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(dpr);
    QPainter p(&image);
    MapPaintOptions options;
    options.baseShift = baseShift_;
    options.figureBudget_ms = kFigureBudget_ms;
    if (tiles_) {
        options.tile = [this](const TileId& t) { return TileImage(t); };
        options.attribution = tiles_->Attribution();
    }
    const MapPaintStats stats = PaintMap(p, view_, base_.get(), *this, options);
    if (stats.shapesSkipped > 0) {
        // Say what is missing, above the scale bar.
        const QString note = tr("%1 of %2 figures not drawn at this scale: zoom in")
                                 .arg(stats.shapesSkipped)
                                 .arg(stats.shapes + stats.shapesSkipped);
        const QRectF box(8, view_.size.height() - 56, p.fontMetrics().horizontalAdvance(note) + 12, 20);
        p.fillRect(box, QColor(255, 255, 255, 220));
        p.setPen(QColor(150, 30, 30));
        p.drawText(box, Qt::AlignCenter, note);
    }
    skippedShapes_ = stats.shapesSkipped;
    p.end();
    cache_ = std::move(image);
    cacheView_ = view_;
    cacheDirty_ = false;
    lastRender_ms_ = double(t.nsecsElapsed()) / 1e6;
}

void MapWidget::paintEvent(QPaintEvent*) {
    if (cacheDirty_ || cache_.isNull()) RenderCache();
    QPainter p(this);
    if (cacheView_ == view_) {
        p.drawImage(QPoint(0, 0), cache_);
        return;
    }
    // The view moved since the rendering: show the picture moved and scaled to fit (the
    // projection is linear in the view), then render anew once the view rests.
    p.fillRect(rect(), QColor(246, 243, 234));
    const double k = view_.pxPerDeg / cacheView_.pxPerDeg;
    const QPointF oldCentreNow = view_.ToScreen(cacheView_.centerLat_deg, cacheView_.centerLon_deg);
    p.translate(oldCentreNow);
    p.scale(k, k);
    p.translate(-cacheView_.size.width() / 2.0, -cacheView_.size.height() / 2.0);
    p.drawImage(QPoint(0, 0), cache_);
    if (!pressed_ && !renderTimer_.isActive()) renderTimer_.start();
}

void MapWidget::resizeEvent(QResizeEvent*) {
    view_.size = size();
    cacheDirty_ = true;
}

void MapWidget::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    pressed_ = true;
    dragged_ = false;
    pressPos_ = lastPos_ = e->position();
}

void MapWidget::mouseMoveEvent(QMouseEvent* e) {
    const auto [lat, lon] = view_.ToGeo(e->position());
    Q_EMIT PositionText(KelPositionText(lat, lon));
    if (!pressed_) return;
    if (!dragged_ && QLineF(pressPos_, e->position()).length() < kDragThreshold_px) return;
    dragged_ = true;
    view_.PanBy(e->position() - lastPos_);
    lastPos_ = e->position();
    update();
    Q_EMIT ViewChanged(view_.LayerScale());
}

void MapWidget::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton || !pressed_) return;
    pressed_ = false;
    if (dragged_) {
        ViewMoved(true);
        return;
    }
    const auto [lat, lon] = view_.ToGeo(e->position());
    if (SetMark(lat, lon)) Q_EMIT MarkSet(MarkLatitude(), MarkLongitude());
}

void MapWidget::wheelEvent(QWheelEvent* e) {
    const double steps = e->angleDelta().y() / 120.0;
    if (steps == 0) return;
    view_.ZoomAbout(e->position(), std::pow(1.25, steps));
    ViewMoved(true);
}

void MapWidget::keyPressEvent(QKeyEvent* e) {
    const QPointF centre(width() / 2.0, height() / 2.0);
    const double pan = std::max(40, std::min(width(), height()) / 4);
    switch (e->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal: view_.ZoomAbout(centre, 2.0); break;
    case Qt::Key_Minus: view_.ZoomAbout(centre, 0.5); break;
    case Qt::Key_Left: view_.PanBy(QPointF(pan, 0)); break;
    case Qt::Key_Right: view_.PanBy(QPointF(-pan, 0)); break;
    case Qt::Key_Up: view_.PanBy(QPointF(0, pan)); break;
    case Qt::Key_Down: view_.PanBy(QPointF(0, -pan)); break;
    default: QWidget::keyPressEvent(e); return;
    }
    ViewMoved(true);
}

void MapWidget::leaveEvent(QEvent*) { Q_EMIT PositionText(QString()); }

}  // namespace kel
