#include "app/MapDockWidget.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QMainWindow>
#include <QPointer>
#include <QVBoxLayout>

#include "app/EditorApp.h"
#include "list/KelList.h"
#include "proatlas/MapWidget.h"
#include "proatlas/MapWindow.h"

namespace kel {

MapDockWidget::MapDockWidget(std::shared_ptr<BaseMap> base, QWidget* parent)
    : QDockWidget(QStringLiteral("Map"), parent) {
    setObjectName(QStringLiteral("MapDock"));
    auto* panel = new QWidget(this);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    map_ = new MapWidget(std::move(base), panel);
    auto* status = new QWidget(panel);
    auto* statusLayout = new QHBoxLayout(status);
    statusLayout->setContentsMargins(4, 0, 4, 2);
    auto* position = new QLabel(status);
    position->setObjectName(QStringLiteral("MapPosition"));
    auto* scale = new QLabel(status);
    scale->setObjectName(QStringLiteral("MapScale"));
    statusLayout->addWidget(position, 1);
    statusLayout->addWidget(scale);
    layout->addWidget(map_, 1);
    layout->addWidget(status);
    ConnectMapStatus(map_, position, scale);
    setWidget(panel);
}

void InstallMapDock(EditorApp& app, QMainWindow& window) {
    QMainWindow* host = &window;
    EditorSession& session = app.session();
    app.connectMap = [&session] { session.proAtlas().ConnectProAtlas(); };
    app.releaseMap = [&session] { session.proAtlas().ReleaseProAtlas(); };
    session.proAtlas().createMap = [host, &session]() -> ProAtlas* {
        // Without a display there is no window to put the map in.
        if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return nullptr;
        auto* dock = new MapDockWidget(nullptr, host);
        host->addDockWidget(Qt::RightDockWidgetArea, dock);
        // The base map follows the datum of the open script (its `georef` command).
        MapWidget* map = dock->Map();
        const auto datum = [map, &session] {
            map->SetFigureDatum(DatumOfCommands(session.editor().CommandTextsInOrder()));
        };
        datum();
        QObject::connect(&session.editor().List(), &KelList::ListReset, map, datum);
        dock->show();
        // A click on the map sets the mark; while the position editor is open it also runs
        // the editor's action, so that a figure is drawn by clicking its points. Otherwise
        // an armed figure edit (move, divide, combine) takes its next step at the click.
        QObject::connect(map, &MapWidget::MarkSet, &session.posEditor(), [&session] {
            if (session.posEditor().IsOpen()) {
                session.posEditor().MapClicked();
                return;
            }
            if (session.figureEdit().mode != FigureEditMode::kSnap)
                SnapObjectClick(session.editor(), session.figureEdit(), false);
        });
        return map;
    };
    session.proAtlas().closeMap = [host](ProAtlas* app) {
        for (MapDockWidget* dock : host->findChildren<MapDockWidget*>())
            if (dock->Map() == app) dock->deleteLater();
    };

    // Captions of the switches on their buttons and menu items.
    const auto captions = [host, &session] {
        const auto set = [host](const char* name, const QString& text) {
            const QString n = QString::fromLatin1(name);
            if (auto* b = host->findChild<QPushButton*>(n)) b->setText(text);
            if (auto* a = host->findChild<QAction*>(n)) a->setText(text);
        };
        set("Disp", session.editor().DispCaption());
        set("ViewSelectedObject", session.figureView().ViewSelectedCaption());
        set("MenuViewSwitch", session.figureView().MenuViewSwitchCaption());
        set("MenuViewSelect", session.figureView().MenuViewSelectCaption());
        set("DispAll", session.proAtlas().DispAllCaption());
        set("MenuViewProAtlas", session.proAtlas().MenuViewProAtlasCaption());
    };
    QObject::connect(&session.figureView(), &FigureView::CaptionsChanged, host, captions);
    // The snap button shows the figure edit's step ("Snap", "Org", "Dst", "Div", "Snp1", "Snp2").
    QObject::connect(&session.figureEdit(), &FigureEditState::CaptionChanged, host, [host](const QString& caption) {
        if (auto* b = host->findChild<QPushButton*>(QStringLiteral("SnapObject"))) b->setText(caption);
    });
    QObject::connect(&session.proAtlas(), &ProAtlasLink::CaptionsChanged, host, captions);
    QObject::connect(&session.proAtlas(), &ProAtlasLink::RaiseEditor, host, [host] {
        host->raise();
        host->activateWindow();
    });
}

}  // namespace kel
