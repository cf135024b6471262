// Changing commands of the list for the figure edits: replace a command's text, insert a
// command, tell the user why an edit cannot be made. Used by FigureEdit*.cpp only.
#pragma once

#include <QString>

#include "geo/FigureEditOps.h"

namespace kel {

class ListDocument;
struct BuiltStatement;

namespace figure_edit {

// The command text with one parameter changed; empty (and the user told) when the writer
// refuses it.
QString WithParam(ListDocument& editor, const QString& text, const QString& name, const QString& value,
                  const QString& title);

// Replaces the command of entry i by `text`: the new shape is drawn, the line takes a new
// text slot, the old shape is removed, and the document is marked modified. Returns false
// (nothing changed, the user told) when the text store has no room.
bool ReplaceCommand(ListDocument& editor, int i, const QString& text);

// Inserts a command at `index` with its shape drawn; false (nothing changed, the user told)
// when the text store has no room.
bool InsertCommand(ListDocument& editor, int index, const QString& text);

// Tells the user why an edit of the position list was refused (only a refusal at the
// position limit is worth a message; the others are silent).
void TellRefusal(ListDocument& editor, EditRefusal refusal, const QString& title);

// When the parameter editor holds an entry, loads the current entry again, so that its value
// boxes show the command as it now stands and carry its new list index.
void ReloadParamEditor(ListDocument& editor);

}  // namespace figure_edit
}  // namespace kel
