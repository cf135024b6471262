#include "proatlas/MapWindow.h"

#include <QLabel>
#include <QLocale>
#include <QStatusBar>
#include <cmath>

#include "proatlas/MapWidget.h"

namespace kel {

void ConnectMapStatus(MapWidget* map, QLabel* position, QLabel* scale) {
    const auto showScale = [scale](double s) {
        scale->setText(QStringLiteral("1:") + QLocale(QLocale::English).toString(qint64(std::llround(s))));
    };
    showScale(map->LayerScale());
    QObject::connect(map, &MapWidget::ViewChanged, scale, showScale);
    QObject::connect(map, &MapWidget::PositionText, position, &QLabel::setText);
}

MapWindow::MapWindow(std::shared_ptr<BaseMap> base, QWidget* parent)
    : QMainWindow(parent), map_(new MapWidget(std::move(base), this)) {
    setObjectName(QStringLiteral("MapWindow"));
    setWindowTitle(QStringLiteral("KEL Map"));
    setCentralWidget(map_);
    position_ = new QLabel(this);
    position_->setObjectName(QStringLiteral("MapPosition"));
    scale_ = new QLabel(this);
    scale_->setObjectName(QStringLiteral("MapScale"));
    statusBar()->addWidget(position_, 1);
    statusBar()->addPermanentWidget(scale_);
    ConnectMapStatus(map_, position_, scale_);
    resize(1000, 750);
}

}  // namespace kel
