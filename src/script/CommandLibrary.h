// The command library: ready-made commands (templates with default values) from which
// commands are inserted into the script, and into which commands of the script are stocked.
// Each entry is one line: a three-digit number, ":", a ten-character label and the command
// text (which may hold CR LF pairs).
#pragma once

#include <QString>
#include <QStringList>

namespace kel {

constexpr int kLibraryLabelWidth = 10;
// Number of entries of the standard library written on a first start.
constexpr int kStandardLibrarySize = 28;

struct LibraryLineParts {
    QString number;
    QString label;
    QString text;
};

// Makes a library line. An empty number text is replaced by `entryCount`; the number is
// written with "000" from its numeric value; the label is padded with blanks or cut to ten.
QString MakeLibraryLine(const QString& numberText, const QString& label, const QString& text,
                        int entryCount);

// Splits a library line into its number, label and command text.
LibraryLineParts SplitLibraryLine(const QString& line);

// The 28 standard entries, numbered 0 to 27, built with the writer.
QStringList StandardLibrary();
// The line (0..27) of the standard entry with this label ("point", "pick", ...); -1 for none.
int StandardLibraryIndex(const QString& label);

// The drop-down of library entries with its counter.
class CommandLibrary {
public:
    CommandLibrary();  // holds the standard library

    const QStringList& Lines() const { return lines_; }
    int Count() const { return int(lines_.size()); }
    int Counter() const { return counter_; }
    int Shown() const { return shown_; }  // the entry the drop-down shows, -1 when none
    void SetShown(int index) { shown_ = (index >= 0 && index < Count()) ? index : -1; }

    // Stocks a command: the counter is incremented and numbers the new last entry, which
    // becomes the shown one. The label is the command word.
    void Stock(const QString& commandText);
    // Replaces all entries (loading the definition file); the counter becomes `counter`.
    void SetLines(QStringList lines, int counter);

private:
    QStringList lines_;
    int counter_ = 0;
    int shown_ = -1;
};

}  // namespace kel
