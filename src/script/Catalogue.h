// The command catalogue: for each command the labels of the parameter panel's rows (row r
// holds slot r + 1) and which rows have an "Edit" button, and the command families of the
// "Add Command" menu.
#pragma once

#include <QString>
#include <QStringList>

namespace kel {

struct CatalogueEntry {
    QString word;
    QStringList labels;    // row labels, top to bottom
    unsigned editRows = 0;  // bit r set: row r has an "Edit" button
    bool HasEditButton(int row) const { return row >= 0 && row < 32 && (editRows >> row) & 1u; }
};

// The entry of a command word; nullptr for a word the catalogue does not know.
const CatalogueEntry* FindCatalogueEntry(const QString& word);

// Every entry, in the order of the table.
const QList<CatalogueEntry>& Catalogue();

}  // namespace kel
