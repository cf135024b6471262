// One editing session: the editor with every subsystem wired to it — the formula engine with
// its conditions and bulk operations, spatial analysis, figure editing and the Waypoint+
// menu — so that the program, the command line and the tests all run the same operations
// by their menu names.
#pragma once

#include <memory>

#include "editor/Editor.h"
#include "formula/FormulaEngine.h"
#include "geo/FigureEdit.h"
#include "geo/SpatialAnalysis.h"
#include "waypoint/WaypointOps.h"

namespace kel {

class FormulaOperations;

class EditorSession {
public:
    explicit EditorSession(EditorServices services);
    EditorSession(const EditorSession&) = delete;
    EditorSession& operator=(const EditorSession&) = delete;

    Editor& editor() { return editor_; }
    FormulaEngine& formulas() { return formulas_; }
    FormulaOperations& formulaOps() { return *formulaOps_; }
    SpatialState& spatial() { return spatial_; }
    FigureEditState& figureEdit() { return figureEdit_; }
    WaypointState& waypoint() { return waypoint_; }

private:
    Editor editor_;
    FormulaEngine formulas_;
    FormulaOperations* formulaOps_ = nullptr;  // owned by formulas_
    SpatialState spatial_;
    FigureEditState figureEdit_;
    WaypointState waypoint_;
};

}  // namespace kel
