// The program's two settings files: KelEditor.ini (read only, the setup options) and
// KelEditor.dat (the default definition file: map executable, last folder, window
// positions and the command library; read at start, rewritten at exit).
#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

namespace kel {

// When set, both settings files are read and written in this folder instead of the
// program's folder (tests and portable setups use it).
inline constexpr char kSettingsDirVariable[] = "KEL_SETTINGS_DIR";

inline const QString kIniFileName = QStringLiteral("KelEditor.ini");
inline const QString kDefinitionFileName = QStringLiteral("KelEditor.dat");
inline const QString kDefinitionHeader =
    QStringLiteral("[KelEditor Default Definition File(Ver1.1)]");
// The temporary script the map preview writes beside the definition file.
inline const QString kPreviewScriptName = QStringLiteral("KelEditor.kel");

// The folder the settings files live in: the variable above when set, else the program's
// folder.
QString SettingsFolder();

// KelEditor.ini, line by line. A missing file or missing lines give the defaults.
struct IniSettings {
    bool askFloppy = false;                     // line 2 is "2"
    QString mapExecutable;                      // line 4, trimmed
    QString definitionFolder = QStringLiteral("Default");  // line 5
    QString floppyFolder = QStringLiteral("Default");      // line 6
    QString waypointProgram;                    // line 7, empty when absent or "NON"

    static IniSettings FromLines(const QStringList& lines);
};

// Reads KelEditor.ini from `folder`; defaults when it is missing or unreadable.
IniSettings ReadIniSettings(const QString& folder);

// "Default" for the definition folder: the program's folder when it is writable, else the
// user's configuration folder.
QString ResolveDefinitionFolder(const QString& line, const QString& programFolder);
// "Default" for the removable medium: the platform's usual mount point for it.
QString ResolveFloppyFolder(const QString& line);
// The removable medium is there: its folder exists and can be listed.
bool MediumPresent(const QString& folder);

// The content of KelEditor.dat.
struct DefinitionFile {
    QString header = kDefinitionHeader;  // as read; the current header when written
    QString mapExecutable;
    QString folder;                      // the current folder at the time of writing
    QPoint mainPosition;                 // main window left, top
    bool mainPositionKnown = false;
    QPoint posEditorPosition{-1, -1};    // position editor x, y; (-1, -1): not placed yet
    int lastIndex = -1;                  // N as written in the file
    QStringList library;                 // the library lines, numbered 0..N

    bool HeaderIsCurrent() const { return header == kDefinitionHeader; }
    // The version in the header (the three characters at position 39), e.g. "1.1".
    QString HeaderVersion() const;
};

// Parses the lines of a definition file. An entry whose text holds CR LF pairs spans
// several lines and ends with the first line whose trimmed text ends in ";".
DefinitionFile ParseDefinitionFile(const QStringList& lines);
// The lines to write (header, map executable, folder, positions, N, entries).
QStringList DefinitionFileLines(const DefinitionFile& file);

// The library after upgrading a file with another header: the standard library followed by
// the user's own entries of the old file (those after its standard entries), renumbered.
QStringList UpgradeLibrary(const DefinitionFile& old);

// Parses "left top" (blank separated); false when the text holds no two numbers.
bool ParsePosition(const QString& text, QPoint* out);

}  // namespace kel

namespace kel {

// Where a window saved at `topLeft` goes: there when its title bar (the top strip of
// `size`) meets one of `screens`, else near the top left of `primary`.
QPoint PlaceOnScreens(QPoint topLeft, QSize size, const QList<QRect>& screens, QRect primary);

}  // namespace kel
