// The 40-column line of the command list: command name (10), oid (8), gid (8), text slot
// number (6) and figure number (8). Each column is its value followed by spaces, cut to the
// column width.
#pragma once

#include <QString>

#include "list/CommandTexts.h"

namespace kel {

constexpr int kListNameWidth = 10;
constexpr int kListOidWidth = 8;
constexpr int kListGidWidth = 8;
constexpr int kListSlotWidth = 6;
constexpr int kListFigureWidth = 8;
constexpr int kListLineWidth = 40;

struct ListLineParts {
    QString name;
    QString oid;
    QString gid;
    int slot = 0;
    int figure = 0;
    QString text;  // the command text of the slot
};

// Parses a command text for its name, oid and gid (a group: its gid only; figures: both;
// other commands: none).
void ListColumnsOf(const QString& text, QString& name, QString& oid, QString& gid);

// The line for the given columns.
QString FormatListLine(const QString& name, const QString& oid, const QString& gid, int slot,
                       int figure);

// Stores `text` in a new slot and returns its line; empty when the store has no room.
QString MakeListLine(CommandTexts& texts, const QString& text, int figure);

// Cuts a line at its columns and fetches the command text of its slot.
ListLineParts ParseListLine(const CommandTexts& texts, const QString& line);

// Single columns, without fetching the text (fast paths for loops over the list).
int ListLineSlot(const QString& line);
int ListLineFigure(const QString& line);
QString ListLineName(const QString& line);

// The same line with another figure number / slot number.
QString WithFigure(const QString& line, int figure);
QString WithSlot(const QString& line, int slot);

// Whether a command name is one of the figure commands point, line, circle, rect, area.
bool IsFigureCommand(const QString& name);

}  // namespace kel
