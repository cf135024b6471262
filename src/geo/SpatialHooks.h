// The spatial operations as the formula language reaches them (SpatialSelect,
// SpatialIndexList, Distance).
#pragma once

namespace kel {

class ListDocument;
class SpatialState;
struct FormulaHooks;

// Fills the hooks findExtreme (FindExtreme from the context figure; the current line is
// not moved), spatialSelect (SpatialSelect with the context figure: no question, no
// position editor) and figureDistance (FigureToFigureDistance). `editor` and `state` must
// outlive the hooks.
void InstallSpatialFormulaHooks(FormulaHooks& hooks, ListDocument& editor, SpatialState& state);

}  // namespace kel
