// The built-in map: a widget that shows the base map with the figures and texts drawn on
// it through the map's automation members. Drag to pan; wheel, +/- and the arrow keys to
// zoom and pan; a click sets the mark while EnableMark is on. The position under the
// pointer is announced in the "KEL" form for a status line.
#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QImage>
#include <QTimer>
#include <QWidget>
#include <memory>

#include "geo/Datum.h"
#include "proatlas/MapContent.h"
#include "proatlas/MapView.h"
#include "proatlas/TileLayer.h"

namespace kel {

class BaseMap;

class MapWidget : public QWidget, public MapContent {
    Q_OBJECT
public:
    // `base` may be shared between maps; a widget made without one reads its own.
    explicit MapWidget(std::shared_ptr<BaseMap> base = nullptr, QWidget* parent = nullptr);
    ~MapWidget() override;

    // --- The members the widget answers itself -----------------------------------------
    void ShowWindow() override;
    qint64 hwndMain() const override;
    double LayerScale() const override { return view_.LayerScale(); }
    void MoveTo(int mode, int flags, qint32 lat_ms, qint32 lon_ms) override;

    // --- View --------------------------------------------------------------------------
    const MapView& View() const { return view_; }
    void SetView(const MapView& view);
    void SetLayerScale(double scale);
    void CenterOn(double lat_deg, double lon_deg);
    // Shows everything the map holds (keeps the view when it holds nothing).
    void ZoomToContent();
    // Milliseconds the last full repaint of the view took.
    double LastRenderMs() const { return lastRender_ms_; }
    // Figures in view the last full repaint left out for its time budget.
    int LastSkippedShapes() const { return skippedShapes_; }
    // Paints the current view into a picture of the widget's size now (the finest base map
    // included); used for pictures and by the benchmark.
    QImage Render(bool waitForBase = true);
    BaseMap* Base() const { return base_.get(); }
    // The datum of the figures shown (the script's); the base map is shifted into it.
    void SetFigureDatum(const Datum& datum);
    // Raster tiles under the base map from a {z}/{x}/{y} URL template; empty: none (the
    // start value comes from KEL_TILE_URL). `cacheFolder` empty: the user's cache folder.
    void SetTileUrl(const QString& urlTemplate, const QString& cacheFolder = QString());
    TileLayer* Tiles() const { return tiles_.get(); }

Q_SIGNALS:
    // The position under the pointer ("35/30/12.3,139/45/00.0"), empty when it leaves.
    void PositionText(const QString& text);
    // The view moved or zoomed; `layerScale` is the new scale denominator.
    void ViewChanged(double layerScale);
    void MarkSet(const QString& latitude, const QString& longitude);

protected:
    void ContentChanged(bool redraw) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void ViewMoved(bool renderSoon);
    void RenderCache();

    int skippedShapes_ = 0;
    DatumShift baseShift_;
    const QImage* TileImage(const TileId& t);
    struct TileKeyHash {
        size_t operator()(const TileId& t) const { return qHash(t); }
    };

    std::shared_ptr<BaseMap> base_;
    std::unique_ptr<TileLayer> tiles_;
    QHash<TileId, QImage> tileImages_;
    MapView view_;
    // The last full rendering and the view it shows; while the view moves, the picture is
    // moved and scaled until the next rendering replaces it.
    QImage cache_;
    MapView cacheView_;
    bool cacheDirty_ = true;
    QTimer renderTimer_;
    double lastRender_ms_ = 0;
    // Dragging.
    bool pressed_ = false;
    bool dragged_ = false;
    QPointF pressPos_;
    QPointF lastPos_;
};

}  // namespace kel
