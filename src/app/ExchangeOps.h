// The GPX and GeoJSON items of the editor's File menu, beside "Waypoint+": export of the
// script (GeoJSON: of the selected lines, or every line when none is selected) and import
// of a file appended to it, with positions shifted between the file's WGS84 and the
// script's datum. They take the Waypoint+ options (UTC offset, route-point names, step).
#pragma once

#include <QString>

namespace kel {

class Editor;
struct WaypointState;

void ExportGpx(Editor& editor, const WaypointState& state);
void ImportGpx(Editor& editor, const WaypointState& state);
bool ImportGpxFile(Editor& editor, const WaypointState& state, const QString& path);
void ExportGeoJson(Editor& editor);
void ImportGeoJson(Editor& editor);
bool ImportGeoJsonFile(Editor& editor, const QString& path);

// Registers MenuFileImportGpx, MenuFileExportGpx, MenuFileImportGeoJson and
// MenuFileExportGeoJson.
void InstallExchangeActions(Editor& editor, WaypointState& state);

}  // namespace kel
