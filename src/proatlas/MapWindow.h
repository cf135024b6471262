// The map in a window of its own, with the position under the pointer and the scale in
// its status line: the `kelmap` program's window. MapPanelWidget is the same map with a
// status line below it, for docking into the editor's window.
#pragma once

#include <QMainWindow>
#include <memory>

class QLabel;

namespace kel {

class BaseMap;
class MapWidget;

class MapWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MapWindow(std::shared_ptr<BaseMap> base = nullptr, QWidget* parent = nullptr);
    MapWidget* Map() const { return map_; }

private:
    MapWidget* map_ = nullptr;
    QLabel* position_ = nullptr;
    QLabel* scale_ = nullptr;
};

// Shows the map's scale and the position under the pointer in two labels.
void ConnectMapStatus(MapWidget* map, QLabel* position, QLabel* scale);

}  // namespace kel
