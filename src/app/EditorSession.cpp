#include "app/EditorSession.h"

#include "app/ExchangeOps.h"
#include "formula/FormulaActions.h"
#include "geo/SpatialHooks.h"

namespace kel {

EditorSession::EditorSession(EditorServices services)
    : editor_(services), formulas_(editor_) {
    formulas_.SetSpreadsheet(services.spreadsheet);
    formulaOps_ = &InstallFormulaActions(editor_, formulas_);
    InstallSpatialActions(editor_, spatial_);
    InstallSpatialFormulaHooks(formulas_.hooks, editor_, spatial_);
    InstallFigureEditActions(editor_, figureEdit_);
    waypoint_.showResult = [this](const QString& text) { formulas_.SetCalcResult(text); };
    InstallWaypointActions(editor_, waypoint_);
    InstallExchangeActions(editor_, waypoint_);
    // A cleared or newly loaded document starts the spatial switch afresh.
    QObject::connect(&editor_.List(), &KelList::ListReset, &editor_,
                     [this] { spatial_.Reinitialise(); });
}

}  // namespace kel
