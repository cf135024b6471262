#include "editor/ValuePicker.h"

#include "editor/Editor.h"
#include "list/ValuePickers.h"
#include "platform/Prompts.h"

namespace kel {

namespace {

// Parameters whose "Edit" opens the bulk input on the current line.
bool HasBulkInput(const QString& name) {
    static const QStringList kNames = {QStringLiteral("info"), QStringLiteral("url"),
                                       QStringLiteral("str"), QStringLiteral("gid"),
                                       QStringLiteral("oid")};
    return kNames.contains(name);
}

RgbColour ColourOfValue(int rgb) { return {rgb & 0xff, (rgb >> 8) & 0xff, (rgb >> 16) & 0xff}; }

int ValueOfColour(const RgbColour& c) {
    return (c.red & 0xff) | (c.green & 0xff) << 8 | (c.blue & 0xff) << 16;
}

}  // namespace

ValuePicker::ValuePicker(Editor& editor) : editor_(editor) {}

void ValuePicker::EditParClick(int row) {
    ParamEditorState& s = editor_.Params();
    if (row < 0 || row >= kSlotCount) return;
    const int slot = row + 1;
    // A keyword list open at another row closes (its choice stays in that box as an edit).
    if (s.activeParSlot != slot && s.parListVisible) HideParList();
    if (!s.Loaded()) return;
    const QString name = s.rows[size_t(row)].label;
    if (IsColourParam(name))
        PickColour(row, name);
    else if (HasKeywordList(name))
        ToggleKeywordList(row, name);
    else if (name == QLatin1String("pos"))
        OpenPositionEditor(row);
    else if (HasBulkInput(name))
        BulkInput(row, name);
}

void ValuePicker::PickColour(int row, const QString& name) {
    ParamRow& r = editor_.Params().rows[size_t(row)];
    int rgb = RgbFromText(r.value);
    if (Prompts* prompts = editor_.Services().prompts) {
        if (const auto chosen = prompts->PickColour(ColourOfValue(rgb), name))
            rgb = ValueOfColour(*chosen);
    }
    r.background = rgb;
    // Cancelled or not, the box holds the colour in the three-number form; only a changed
    // text counts as an edit.
    const QString text = TextFromRgb(rgb);
    if (text != r.value)
        editor_.SetParValue(row + 1, text);
    else
        editor_.NotifyParamsChanged();
}

void ValuePicker::ToggleKeywordList(int row, const QString& name) {
    ParamEditorState& s = editor_.Params();
    const int slot = row + 1;
    if (s.parListVisible && s.activeParSlot == slot) {
        // The second press on the same row closes the list and applies what was chosen.
        editor_.ApplyPendingEdits();
        HideParList();
        return;
    }
    s.activeParSlot = slot;
    s.parListVisible = true;
    s.parListText = s.rows[size_t(row)].value;
    s.parListItems = ParListItems(name, s.curKelCmdCaption);
    editor_.NotifyParamsChanged();
}

void ValuePicker::ParListChoose(const QString& item) {
    ParamEditorState& s = editor_.Params();
    if (!s.parListVisible || s.activeParSlot < 1 || s.activeParSlot > kSlotCount) return;
    s.parListText = item;
    editor_.SetParValue(s.activeParSlot, item);
}

void ValuePicker::ParListEnter() {
    if (!editor_.Params().parListVisible) return;
    editor_.ApplyPendingEdits();
    HideParList();
}

void ValuePicker::HideParList() {
    ParamEditorState& s = editor_.Params();
    s.parListVisible = false;
    s.activeParSlot = 0;
    s.parListItems.clear();
    s.parListText.clear();
    editor_.NotifyParamsChanged();
}

void ValuePicker::OpenPositionEditor(int row) {
    // The position editor takes the value from here and writes it back itself.
    if (positionEditor) positionEditor(row);
}

void ValuePicker::BulkInput(int row, const QString& name) {
    const KelList& list = editor_.List();
    const int current = list.Current();
    if (!list.IsValidIndex(current) || !lumpInput) return;
    // The trailing blank makes the bulk input show the equation for editing before it runs.
    const QString equation =
        name + QLatin1Char('=') + editor_.Params().rows[size_t(row)].value + QLatin1Char(' ');
    HistoryStep step(editor_.History(), QStringLiteral("Lump Input"));
    ListClickGuard guard(editor_);
    lumpInput(equation, current);
}

}  // namespace kel
