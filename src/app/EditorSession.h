// One editing session: the editor with every subsystem wired to it — the formula engine with
// its conditions and bulk operations, spatial analysis, figure editing and the Waypoint+
// menu — so that the program, the command line and the tests all run the same operations
// by their menu names.
#pragma once

#include <memory>

#include "editor/Editor.h"
#include "formula/FormulaEngine.h"
#include "formula/Legend.h"
#include "geo/FigureEdit.h"
#include "geo/SpatialAnalysis.h"
#include "proatlas/FigureDrawing.h"
#include "editor/FigureView.h"
#include "editor/ProAtlasLink.h"
#include "editor/ValuePicker.h"
#include "posedit/PosEditor.h"
#include "waypoint/WaypointOps.h"

namespace kel {

class FormulaOperations;

class EditorSession {
public:
    // Without a display of its own in `services`, the editor draws on the session's map
    // display (which draws nothing until a map is connected).
    explicit EditorSession(EditorServices services);
    EditorSession(const EditorSession&) = delete;
    EditorSession& operator=(const EditorSession&) = delete;

    Editor& editor() { return editor_; }
    FormulaEngine& formulas() { return formulas_; }
    FormulaOperations& formulaOps() { return *formulaOps_; }
    SpatialState& spatial() { return spatial_; }
    FigureEditState& figureEdit() { return figureEdit_; }
    WaypointState& waypoint() { return waypoint_; }
    // The map the figures are drawn on, the display switches and the map link.
    MapFigureDisplay& mapDisplay() { return mapDisplay_; }
    FigureView& figureView() { return figureView_; }
    ProAtlasLink& proAtlas() { return proAtlas_; }
    // The pickers behind the parameter editor's "Edit" buttons.
    ValuePicker& valuePicker() { return valuePicker_; }
    // The group legend (its rows, open state and the Legend items).
    LegendOps& legend() { return legend_; }
    // The position editor: "EditPos" for a `pos` value box, "GetPos" for the figures the
    // spatial selections ask for.
    PosEditor& posEditor() { return posEditor_; }
    // Opens the position editor for the value box of parameter row `row` (0..15) of the
    // loaded command: the picker of a `pos` row.
    void OpenPositionEditorForSlot(int row) { posEditor_.OpenForSlot(row); }

private:
    MapFigureDisplay mapDisplay_;
    Editor editor_;
    FormulaEngine formulas_;
    FormulaOperations* formulaOps_ = nullptr;  // owned by formulas_
    SpatialState spatial_;
    FigureEditState figureEdit_;
    WaypointState waypoint_;
    FigureView figureView_;
    ProAtlasLink proAtlas_;
    PosEditor posEditor_;
    ValuePicker valuePicker_;
    LegendOps legend_;
};

}  // namespace kel
