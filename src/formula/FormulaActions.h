// The menu items and buttons of the conditions and the bulk operations, and the hooks
// through which the formula evaluator and the document operations reach them.
#pragma once

#include <QObject>

#include "formula/BulkOps.h"
#include "formula/Conditions.h"

namespace kel {

class ListDocument;
class FormulaEngine;

// The state of the conditions and bulk operations (their last conditions, equation, sort
// formula and attribute list) for one editor and its formula engine.
class FormulaOperations : public QObject {
    Q_OBJECT
public:
    FormulaOperations(ListDocument& editor, FormulaEngine& engine, QObject* parent = nullptr);

    ConditionOps conditions;
    BulkOps bulk;
};

// Creates the operations (owned by `engine`; once per engine) and registers with the editor:
//   MenuEditConditionalSelect, MenuEditSelectFigure, MenuEditSearch, MenuEditSearchNext,
//   KelListOid, KelListGid, KelListCmd; MenuExecLumpInput, MenuEditListSortUp,
//   MenuEditListSortDown, MenuEditListSortUpFigure, MenuEditListSortDownFigure,
//   MenuExecSetGroup, MenuExecSetAllGroup, MenuFileSaveAttribute, MenuExecCalculate,
//   MenuExecCalculateCurrent, MenuExecCalculateSelected.
// Fills the engine's hooks conditionalSelect and lumpInput and the editor's search hook
// (the search for "Cmd=disp" after loading, with the user's last condition kept).
FormulaOperations& InstallFormulaActions(ListDocument& editor, FormulaEngine& engine);

}  // namespace kel
