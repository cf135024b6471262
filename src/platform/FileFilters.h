// Filter lists of the file dialogs. Callers write them in the Windows form, pairs of a
// description and its patterns separated by "|", patterns separated by ";":
//   "KEL Files (*.kel)|*.kel|All (*.*)|*.*|"
// Qt's dialogs take "Description (pattern pattern)" entries joined by ";;" and read the
// patterns from the last parenthesised group of each entry. The conversion lives here, as
// plain text logic, so that it can be tested without a dialog.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace kel {

struct FileFilter {
    QString description;     // as written, trimmed
    QStringList patterns;    // never empty
    friend bool operator==(const FileFilter&, const FileFilter&) = default;
};

// Splits a Windows filter list into its filters. A trailing "|" is allowed. A last
// description without a pattern takes the patterns in its parentheses, or "*". Empty
// pairs are skipped; a filter without a description is described by its patterns.
QList<FileFilter> ParseFileFilters(const QString& windowsFilter);

// One filter in Qt's form. The description's own trailing "(...)" is replaced by the
// patterns, so that the patterns Qt reads are the ones that were given. "*.*" becomes "*":
// on Windows it matches every file, while here it would miss names without a dot.
QString QtFilterEntry(const FileFilter& filter);

// The whole list in Qt's form: the entries, in order, for QFileDialog (join with ";;").
QStringList QtFileFilters(const QString& windowsFilter);

// The Qt entry of the 1-based `filterIndex`; the first entry when the index is out of
// range, empty when there are no filters.
QString QtSelectedFilter(const QString& windowsFilter, int filterIndex);

}  // namespace kel
