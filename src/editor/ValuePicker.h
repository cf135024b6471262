// The value pickers behind the "Edit" buttons of the parameter editor. The button of a row
// opens the picker its parameter name calls for: the colour dialog for colour texts, the
// keyword drop-down `ParList` for styles and enumerated values, the position editor for
// `pos`, and the bulk input of one line for `oid`, `gid`, `str`, `url` and `info`. Pickers
// only write the value box (the edit is applied the usual way), except the keyword list's
// Enter and its closing click, which apply, and the bulk input, which changes the command.
#pragma once

#include <QString>
#include <functional>

namespace kel {

class Editor;

class ValuePicker {
public:
    explicit ValuePicker(Editor& editor);
    ValuePicker(const ValuePicker&) = delete;
    ValuePicker& operator=(const ValuePicker&) = delete;

    // The bulk input with a prepared equation ("gid=G12 ") on line `index`: "Lump Input
    // Par" with its prompt, changing only that line.
    std::function<void(const QString& equation, int index)> lumpInput;
    // Opens the position editor on the `pos` value of a row (0..15) of the loaded command.
    std::function<void(int row)> positionEditor;

    // The "Edit" button of row 0..15 (`EditPar`). A keyword list open at another row closes
    // first.
    void EditParClick(int row);
    // `ParList`: an item chosen goes into the value box of the list's row as an edit; Enter
    // applies the edits and closes the list.
    void ParListChoose(const QString& item);
    void ParListEnter();

private:
    void PickColour(int row, const QString& name);
    void ToggleKeywordList(int row, const QString& name);
    void OpenPositionEditor(int row);
    void BulkInput(int row, const QString& name);
    void HideParList();

    Editor& editor_;
};

}  // namespace kel
