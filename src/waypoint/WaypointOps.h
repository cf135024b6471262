// The Waypoint+ menu of the editor: export of the script, import of a Waypoint+ file into
// it (also for dropped files), the options, starting Waypoint+, and the track-log
// utilities with their questions.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

#include "waypoint/WptOptions.h"

namespace kel {

class ListDocument;
class ProgramLauncher;

struct WaypointState {
    WptOptions options;
    QString waypointProgram;             // path of the Waypoint+ program, empty when none
    ProgramLauncher* launcher = nullptr;
    // Shows a result in the formula result box (the 2DRMS of the current figure).
    void SetShowResultHook(std::function<void(const QString&)> hook) { showResult_ = std::move(hook); }
    void ShowResult(const QString& text) const {
        if (showResult_) showResult_(text);
    }

private:
    std::function<void(const QString&)> showResult_;
};

// Export(Text): the command list as a Waypoint+ file, after the questions and the dialog.
void ExportWaypoints(ListDocument& editor, WaypointState& state);
// Import(Text): asks, chooses a file and appends its conversion to the document.
void ImportWaypoints(ListDocument& editor, WaypointState& state);
// Appends the conversion of a Waypoint+ file without asking (dropped files). Returns false
// when nothing was added.
bool ImportWaypointFile(ListDocument& editor, const WaypointState& state, const QString& path);
// Appends the command texts of a converted file (`path` names it in messages) to the
// document, as Append adds a script file; false (after saying why) when they could not be
// written for it.
bool AppendScriptLines(ListDocument& editor, const QStringList& lines, const QString& path,
                       const QString& title);
// Tells the user what a conversion passed over or could not convert, when anything.
struct WptConversion;
void ReportConversion(ListDocument& editor, const WptConversion& c, const QString& title);
// Start: runs the Waypoint+ program when one is set.
void StartWaypointProgram(ListDocument& editor, WaypointState& state);

// Track-log utilities.
void TrackLog2DRMSMenu(ListDocument& editor);
void TrackLogToRouteMenu(ListDocument& editor);
void TrackLogToPaLogMenu(ListDocument& editor);
// Calc.2DRMS of CurrentFig.: the `pos` value of the loaded command.
void CurrentFigure2DRMS(ListDocument& editor, WaypointState& state);

// Registers the menu items and the import of dropped Waypoint+ files.
void InstallWaypointActions(ListDocument& editor, WaypointState& state);

}  // namespace kel
