// The map docked in the editor's window. InstallMapDock gives the session's map link a
// way to make the map (a dock on the right of `window`, which the user may float or close)
// and to close it; ConnectProAtlas then opens it and ReleaseProAtlas closes it.
#pragma once

#include <QDockWidget>
#include <memory>

class QMainWindow;

namespace kel {

class BaseMap;
class EditorSession;
class MapWidget;

class MapDockWidget : public QDockWidget {
    Q_OBJECT
public:
    explicit MapDockWidget(std::shared_ptr<BaseMap> base = nullptr, QWidget* parent = nullptr);
    MapWidget* Map() const { return map_; }

private:
    MapWidget* map_ = nullptr;
};

// Sets the session's createMap and closeMap so that the map is a dock of `window`.
void InstallMapDock(EditorSession& session, QMainWindow& window);

}  // namespace kel
