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
      proAtlas_(editor_, mapDisplay_),
      posEditor_(editor_, mapDisplay_),
      valuePicker_(editor_),
      legend_(editor_) {
    formulas_.SetSpreadsheet(services.spreadsheet);
    formulaOps_ = &InstallFormulaActions(editor_, formulas_);
    InstallSpatialActions(editor_, spatial_);
    // Figures for the spatial selections are drawn in the position editor ("GetPos").
    spatial_.SetSource(&posEditor_);
    posEditor_.mapExecutable = [this] { return proAtlas_.Executable(); };
    // The results of a spatial selection are shown on the map as the selected figures (the
    // view run anew when it is on, so that it shows this selection).
    QObject::connect(&spatial_, &SpatialState::ResultsMarked, &editor_,
                     [this](const std::vector<int>& found) {
                         if (found.empty()) return;
                         if (figureView_.ViewSelectedCaption() == QLatin1String("Off"))
                             figureView_.ViewSelectedObjectClick();
                         figureView_.ViewSelectedObjectClick();
                     });
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
    valuePicker_.lumpInput = [this](const QString& equation, int index) {
        formulaOps_->bulk.RunLumpInput(equation, index);
    };
    // The "Edit" buttons, and a figure just added from the library (its `pos` row), open
    // the picker of their row; a `pos` row opens the position editor for that value.
    valuePicker_.positionEditor = [this](int row) { OpenPositionEditorForSlot(row); };
    editor_.SetValuePickerHook([this](int row) { valuePicker_.EditParClick(row); });
    InstallLegendActions(editor_, legend_);
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
