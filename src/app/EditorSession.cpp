#include "app/EditorSession.h"

#include <QCoreApplication>

#include "app/ExchangeOps.h"
#include "formula/FormulaActions.h"
#include "geo/SpatialHooks.h"

namespace kel {

namespace {

EditorServices WithMapDisplay(EditorServices services, MapFigureDisplay* display) {
    if (!services.figures) services.figures = display;
    return services;
}

}  // namespace

EditorSession::EditorSession(EditorServices services)
    : editor_(WithMapDisplay(services, &mapDisplay_)),
      formulas_(editor_),
      figureView_(editor_, mapDisplay_),
      proAtlas_(editor_, mapDisplay_) {
    formulas_.SetSpreadsheet(services.spreadsheet);
    formulaOps_ = &InstallFormulaActions(editor_, formulas_);
    InstallSpatialActions(editor_, spatial_);
    FormulaHooks hooks = formulas_.Hooks();
    InstallSpatialFormulaHooks(hooks, editor_, spatial_);
    formulas_.SetHooks(std::move(hooks));
    proAtlas_.SetExecutable(DetectPreviewProgram(QString(), services.registry,
                                                 QCoreApplication::applicationDirPath()));
    figureEdit_.map = &mapDisplay_;
    figureEdit_.SetDispClickHook([this] { figureView_.DoDispClick(); });
    InstallFigureEditActions(editor_, figureEdit_);
    waypoint_.SetShowResultHook([this](const QString& text) { formulas_.SetCalcResult(text); });
    InstallWaypointActions(editor_, waypoint_);
    InstallExchangeActions(editor_, waypoint_);
    // A cleared or newly loaded document starts the spatial switch afresh.
    QObject::connect(&editor_.List(), &KelList::ListReset, &editor_,
                     [this] { spatial_.Reinitialise(); });
    // A newly loaded document: the map moves to its figures and a preview that is on shows
    // the new document.
    editor_.SetDocumentChangedHook([this] {
        figureView_.MoveToFigures();
        proAtlas_.RedoPreview();
    });
}

}  // namespace kel
