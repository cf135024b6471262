// The parameter editor as data: the current-command button, the entry-number holder, the
// sixteen rows of name label, value box and "Edit" button, and the buttons and menu items
// that depend on the loaded command. Views show this state; operations change it.
#pragma once

#include <QString>
#include <QStringList>
#include <array>

#include "script/Statement.h"

namespace kel {

struct ParamRow {
    QString label;          // KelS
    QString value;          // Par
    bool visible = false;   // label and value box shown
    bool editButton = false;  // EditPar shown
    QString labelColour;    // colour text ("r,g,b") for the colour rows of a group, else empty
    // The value box's background: a colour value (red + 256 * green + 65536 * blue) set by
    // the colour picker, or kWindowBackground. It stays until the next loading, whatever
    // is typed into the box meanwhile.
    int background = kWindowBackground;
    static constexpr int kWindowBackground = -1;
};

struct ParamEditorState {
    QString curKelCmdCaption;      // CurKelCmd: the loaded command's name
    bool curKelCmdVisible = false;
    QString kelListNCaption;       // KelListN caption: list index of the loaded entry
    int kelListNValue = 0;         // 1 while a value box was changed since loading
    bool kelListNVisible = false;
    std::array<ParamRow, kSlotCount> rows;
    bool dispVisible = false;      // the figure display button
    bool calcVisible = false;      // the formula button and its result box
    bool menuSaveCurCmdEnabled = false;
    bool menuViewSwitchEnabled = false;
    bool menuCalcEnabled = false;
    bool menuSetGroupEnabled = false;
    // The keyword picker `ParList`: shown over the value box of slot activeParSlot (1..16,
    // 0 while no keyword picker is open), with its items and, as its text, the value the
    // box held when it opened.
    bool parListVisible = false;
    int activeParSlot = 0;
    QStringList parListItems;
    QString parListText;

    bool Loaded() const { return !kelListNCaption.isEmpty() && !curKelCmdCaption.isEmpty(); }
    // Slots 1..16 from the value boxes.
    Slots ValueSlots() const;
};

// Fills the panel for a command text: resets it, shows the current-command button with the
// command word ("Not Suported" for a word the catalogue does not know), the entry number,
// the rows of the command with their values and "Edit" buttons, and the figure/group extras.
void LoadCommandIntoEditor(ParamEditorState& state, const QString& commandText, int listIndex);

// Empties the panel as before anything is loaded ("Command Name", hidden).
void ResetParamEditor(ParamEditorState& state);

}  // namespace kel
