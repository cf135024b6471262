// The map docked in the editor's window. InstallMapDock gives the session's map link a
// way to make the map (a dock on the right of `window`, which the user may float or close)
// and to close it, and lets start-up connect it and shutdown release it: ConnectProAtlas
// then opens the dock and ReleaseProAtlas closes it. It also keeps the captions of the
// display buttons and menu items in step with the switches.
#pragma once

#include <QDockWidget>
#include <memory>

class QMainWindow;

namespace kel {

class BaseMap;
class EditorApp;
class MapWidget;

class MapDockWidget : public QDockWidget {
    Q_OBJECT
public:
    explicit MapDockWidget(std::shared_ptr<BaseMap> base = nullptr, QWidget* parent = nullptr);
    MapWidget* Map() const { return map_; }

private:
    MapWidget* map_ = nullptr;
};

// Sets the session's createMap and closeMap so that the map is a dock of `window`, and the
// program's connectMap and releaseMap to ConnectProAtlas and ReleaseProAtlas.
void InstallMapDock(EditorApp& app, QMainWindow& window);

}  // namespace kel
