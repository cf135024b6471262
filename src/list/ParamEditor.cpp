#include "list/ParamEditor.h"

#include "list/ListLine.h"
#include "script/Catalogue.h"

namespace kel {

Slots ParamEditorState::ValueSlots() const {
    Slots s;
    for (int i = 0; i < kSlotCount; ++i) s[i + 1] = rows[size_t(i)].value;
    return s;
}

void ResetParamEditor(ParamEditorState& state) {
    for (ParamRow& row : state.rows) row = ParamRow{};
    state.parListVisible = false;
    state.activeParSlot = 0;
    state.parListItems.clear();
    state.parListText.clear();
    state.curKelCmdCaption = QStringLiteral("Command Name");
    state.curKelCmdVisible = false;
    state.dispVisible = false;
    state.calcVisible = false;
    state.menuSaveCurCmdEnabled = false;
    state.menuViewSwitchEnabled = false;
    state.menuCalcEnabled = false;
    state.menuSetGroupEnabled = false;
}

void LoadCommandIntoEditor(ParamEditorState& state, const QString& commandText, int listIndex) {
    ResetParamEditor(state);
    state.curKelCmdVisible = true;
    state.menuSaveCurCmdEnabled = true;
    state.kelListNVisible = true;
    state.kelListNCaption = QString::number(listIndex);
    state.kelListNValue = 0;

    Slots slots;
    const QString word = ParseStatement(commandText, slots);
    state.curKelCmdCaption = word;
    const CatalogueEntry* entry = FindCatalogueEntry(word);
    if (!entry) {
        state.curKelCmdCaption = QStringLiteral("Not Suported");
        return;
    }
    for (int r = 0; r < entry->labels.size() && r < kSlotCount; ++r) {
        ParamRow& row = state.rows[size_t(r)];
        row.visible = true;
        row.label = entry->labels[r];
        row.value = slots[r + 1];
        row.editButton = entry->HasEditButton(r);
    }
    if (IsFigureCommand(word)) {
        state.dispVisible = true;
        state.calcVisible = true;
        state.menuViewSwitchEnabled = true;
        state.menuCalcEnabled = true;
    } else if (word == QLatin1String("group")) {
        state.dispVisible = true;
        state.menuViewSwitchEnabled = true;
        state.menuSetGroupEnabled = true;
        for (int r = 2; r <= 5; ++r) state.rows[size_t(r)].labelColour = state.rows[size_t(r)].value;
    }
}

}  // namespace kel
