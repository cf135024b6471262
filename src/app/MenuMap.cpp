#include "app/MenuMap.h"

namespace kel {

namespace {

struct Row {
    int depth;
    const char* name;
    const char* caption;
    const char* shortcut;
    int flags;  // 1 hidden, 2 disabled
};

constexpr int kHidden = 1;
constexpr int kDisabled = 2;

// Separators are rows without a name. Captions are UTF-8.
const Row kMenuRows[] = {
    {0, "MenuFile", "File(&F)", "", 0},
    {1, "MenuFileOpen", "Open(&O)", "Ctrl+O", 0},
    {1, "MenuFileSave", "Save(&S)", "Ctrl+S", 0},
    {1, "MenuFileSaveAs", "Save As...", "", 0},
    {1, "MenuFileSaveAttribute", "Save Attribute", "", 0},
    {1, "MenuFileAppend", "Append(&A)", "", 0},
    {1, "MenuFileReOpen", "ReLoad(&R)", "", 0},
    {1, "", "", "", 0},
    {1, "MenuFileWaypoint", "Waypoint+", "", 0},
    {2, "MenuFileImportWpt", "Import(Text)", "", 0},
    {2, "MenuFileExportWpt", "Export(Text)", "", 0},
    {2, "MenuFileExportWptOpt", "Option", "", 0},
    {2, "MenuFileWaypointStart", "Start", "", 0},
    {2, "MenuFileUtl", "Utility", "", 0},
    {3, "MenuFileUtlWptTpRt", "Waypoint+(TrackLog)To(RouteWithInfo)", "", 0},
    {3, "MenuFileUtlWptTpLog", "TrackLog To ProAtlas.LOG", "", 0},
    {3, "MenuFileUtlWpt2DRMS", "Calc.2DRMS of TrackLog", "", 0},
    {1, "MenuFileGpx", "GPX", "", 0},
    {2, "MenuFileImportGpx", "Import(GPX)", "", 0},
    {2, "MenuFileExportGpx", "Export(GPX)", "", 0},
    {1, "MenuFileGeoJson", "GeoJSON", "", 0},
    {2, "MenuFileImportGeoJson", "Import(GeoJSON)", "", 0},
    {2, "MenuFileExportGeoJson", "Export(GeoJSON)", "", 0},
    {1, "MenuFileGarConnect", "GarConnect", "", kHidden},
    {2, "MenuFileGarConnectPanel", "Panel", "", 0},
    {2, "MenuFileGarConnectExport", "Export", "", 0},
    {2, "MenuFileGarConnectImport", "Import", "", 0},
    {1, "", "", "", 0},
    {1, "MenuFileNew", "New(&N)", "", 0},
    {1, "MenuFileClear", "Clear(&C)", "", 0},
    {1, "MenuFileOpenProAtlas", "OpenProAtlas", "", kHidden | kDisabled},
    {1, "", "", "", 0},
    {1, "MenuFileAbout", "About...", "", 0},
    {1, "", "", "", 0},
    {1, "MenuFileExit", "Exit(&X)", "", 0},

    {0, "MenuEditKel", "EditList(&E)", "", 0},
    {1, "MenuEditKelCopy", "Copy(&C)", "Ctrl+Ins", 0},
    {1, "MenuEditKelPaste", "Paste(&V)", "Shift+Ins", 0},
    {1, "MenuEditPasteFromClipBoard", "Paste From ClipBoard", "", 0},
    {1, "MenuEditKelCut", "Cut(&X)", "", 0},
    {1, "", "", "", 0},
    {1, "KelEditAddFigure", "Add Figure", "", 0},
    {2, "KelEditFigureAddObjectFigure", "Figures", "", kHidden},
    {2, "KelEditFigureAddObjectFigurePoint", "point(&P)", "", 0},
    {2, "KelEditFigureAddObjectFigureLine", "line(&L)", "", 0},
    {2, "KelEditFigureAddObjectFigureCircle", "circle(&C)", "", 0},
    {2, "KelEditFigureAddObjectFigureRect", "rect(&R)", "", 0},
    {2, "KelEditFigureAddObjectFigureArea", "area(&A)", "", 0},
    {2, "", "", "", 0},
    {2, "KelEditFigureCenterPoint", "Center Point", "", 0},
    {2, "KelEditFigureCenterCircle", "Center Circle", "", 0},
    {1, "", "", "", 0},
    {1, "KelEditAddObject", "Add Command(&A)", "", 0},
    {2, "KelEditFigureAddObjectDisp", "Displays", "", 0},
    {3, "KelEditFigureAddObjectDispGroup", "group", "", 0},
    {3, "KelEditFigureAddObjectDispDisp", "disp", "", 0},
    {3, "KelEditFigureAddObjectDispTheme", "theme", "", 0},
    {3, "KelEditFigureAddObjectDispMessage", "message", "", 0},
    {3, "KelEditFigureAddObjectDispIcon", "icon", "", 0},
    {2, "KelEditFigureAddObjectControl", "Controls", "", 0},
    {3, "KelEditFigureAddObjectControlComment", "Comment", "", 0},
    {3, "KelEditFigureAddObjectControlInit", "init", "", 0},
    {3, "KelEditFigureAddObjectControlKanji", "kanji", "", 0},
    {3, "KelEditFigureAddObjectControlGeoref", "georef", "", 0},
    {3, "KelEditFigureAddObjectControlPick", "pick", "", 0},
    {3, "KelEditFigureAddObjectControlInput", "input", "", 0},
    {3, "KelEditFigureAddObjectControlAddon", "addon", "", 0},
    {2, "KelEditFigureAddObjectElse", "Else", "", 0},
    {3, "KelEditFigureAddObjectElseWP", "[WP]", "", 0},
    {3, "KelEditFigureAddObjectElseRT", "[RT]", "", 0},
    {3, "KelEditFigureAddObjectElseTr", "[TR]", "", 0},
    {3, "KelEditFigureAddObjectElseFilter", "FILTER", "", 0},
    {3, "KelEditFigureAddObjectElseGpWpt", "Group[WP]", "", 0},
    {3, "KelEditFigureAddObjectElseGpRoute", "Group[RT]", "", 0},
    {3, "KelEditFigureAddObjectElseGpRtPnt", "Group[RtPnt]", "", 0},
    {3, "KelEditFigureAddObjectElseGpRtPntOr", "Group[RtPntOr]", "", 0},
    {3, "KelEditFigureAddObjectElseGpPntDs", "Group[RtPntDs]", "", 0},
    {3, "KelEditFigureAddObjectElseGpTrLog", "Group[TrLog]", "", 0},
    {3, "KelEditFigureAddObjectElseGpTrPnt", "Group[TrPnt]", "", 0},
    {1, "MenuEditGetToDefalut", "Stock to Command Lib.", "", 0},
    {1, "", "", "", 0},
    {1, "KelEditFigure", "Modify Figure", "", 0},
    {2, "KelEditFigureMove", "Move(&M)", "Ctrl+M", 0},
    {2, "KelEditFigureDivide", "Divide(&D)", "Ctrl+D", 0},
    {2, "KelEditFigureConbine", "Conbine(&C)", "Ctrl+B", 0},
    {2, "KelEditFigureBoolean", "Boolean", "", kHidden},
    {2, "MenuEditPosJoin", "Join Pos(&J)", "", kHidden},
    {1, "", "", "", 0},
    {1, "MenuEditSnapFind", "Snap Object(&S)", "F1", 0},
    {1, "MenuEditSnapSelect", "Snap Object&Select", "Shift+F1", 0},
    {1, "", "", "", 0},
    {1, "MenuEditListUp", "Turn Up(&U)", "Ctrl+U", 0},
    {1, "MenuEditListDown", "Turn Down(&D)", "Ctrl+W", 0},
    {1, "MenuEditListSort", "Sort List(&S)", "", 0},
    {2, "MenuEditListSortUp", "Up List", "", 0},
    {2, "MenuEditListSortDown", "Down List", "", 0},
    {2, "", "", "", 0},
    {2, "MenuEditListSortUpFigure", "Up List(Figure)", "", 0},
    {2, "MenuEditListSortDownFigure", "Down List(Figure)", "", 0},
    {1, "", "", "", 0},
    {1, "MenuEditSearch", "Search(&F)", "Ctrl+F", 0},
    {1, "MenuEditSearchNext", "SearchNext(&N)", "F3", 0},
    {1, "", "", "", 0},
    {1, "MenuEditSelectAll", "Select All", "", 0},
    {1, "MenuEditSelectFigure", "Select Figures", "", 0},
    {1, "MenuEditRevSelect", "Reverse SelectedFg", "", 0},
    {1, "MenuEditDeSelect", "Clear SelectedFg", "", 0},
    {1, "", "", "", 0},
    {1, "MenuEditConditionalSelect", "Conditional Select(&C)", "", 0},
    {1, "MenuExecFindObject", "Spatial Select(&S)", "", 0},
    {2, "MenuExecFindInterior", "Interior Object", "", 0},
    {2, "MenuExecFindExterior", "Exterior Object", "", 0},
    {2, "MenuExecFindContainer", "Container Object", "", 0},
    {2, "", "", "", 0},
    {2, "MenuExecFindNearest", "Nearest Object", "", 0},
    {2, "MenuExecFindFarthest", "Farthest Object", "", 0},
    {2, "", "", "", 0},
    {2, "MenuExecSpatialFg", "Full Orverlap(&F)", "F2", 0},

    {0, "MenuExec", "Exec(&E)", "", 0},
    {1, "MenuExecLumpInput", "Lump Input Par(&L)", "", 0},
    {1, "MenuExecLumpInputExt", "Lump Input [gid]", "", 0},
    {2, "MenuExecSetAllGroup", "Set gid by All group", "", 0},
    {2, "MenuExecSetGroup", "Set gid by group", "", 0},
    {1, "", "", "", 0},
    {1, "MenuExecSaveCurCmd", "SetKelList", "", kHidden | kDisabled},
    {1, "MenuExecCalculate", "Calc. Area/Length", "", 0},
    {2, "MenuExecCalculateCurrent", "Current Object", "", 0},
    {2, "MenuExecCalculateSelected", "Selected Objects", "", 0},
    {1, "MenuExecCalculate2DRMS", "Calc.2DRMS of CurrentFig.", "", 0},

    {0, "MenuView", "View(&V)", "", 0},
    {1, "MenuViewProAtlas", "PreView ProAtlas(&P)", "Ctrl+P", 0},
    {1, "MenuViewRefreshFigure", "Refresh Figures(&R)", "Ctrl+R", 0},
    {1, "MenuViewSelect", "Figures(&F)", "Ctrl+T", 0},
    {1, "MenuViewSwitch", "Current Figures(&D)", "Ctrl+J", 0},
    {1, "MenuViewFigures", "Move ProAtlasWindow(&M)", "", 0},
    {1, "", "", "", 0},
    {1, "MenuViewHelp", "UsageWindow(&U)", "", 0},
    {1, "", "", "", 0},
    {1, "MenuViewLegend", "Legend(&L)", "Ctrl+L", 0},
    {1, "MenuViewSetLegend", "Set Legend(&S)", "", 0},
    {2, "MenuViewSetGroup", "Set Group to Leg.(&S)", "Ctrl+G", 0},
    {2, "MenuViewSetGroupN", "Set Group to Leg.\"n\"(&N)", "", 0},
    {2, "MenuViewSetAllGroup", "Set All Group to Leg.(&A)", "", 0},
    {1, "MenuViewResetLegend", "ResetLegend(&R)", "", 0},
};

const ButtonDef kButtons[] = {
    {QStringLiteral("OpenKelFile"), QStringLiteral("Open")},
    {QStringLiteral("NewKelFile"), QStringLiteral("New")},
    {QStringLiteral("AppendKelFile"), QStringLiteral("Appnd")},
    {QStringLiteral("SaveKelFile"), QStringLiteral("Save")},
    {QStringLiteral("SaveAsKelFile"), QStringLiteral("SaveAs")},
    {QStringLiteral("CmdCut"), QStringLiteral("Cut")},
    {QStringLiteral("CmdCopy"), QStringLiteral("Copy")},
    {QStringLiteral("CmdPaste"), QStringLiteral("Paste")},
    {QStringLiteral("ListUp"), QStringLiteral("↑")},
    {QStringLiteral("ListDown"), QStringLiteral("↓")},
    {QStringLiteral("KelListReverse"), QStringLiteral("Rev")},
    {QStringLiteral("KelListDeselect"), QStringLiteral("Clr")},
    {QStringLiteral("KelListOid"), QStringLiteral("oid")},
    {QStringLiteral("KelListGid"), QStringLiteral("gid")},
    {QStringLiteral("KelListCmd"), QStringLiteral("Cmd")},
    {QStringLiteral("ViewSelectedObject"), QStringLiteral("Select")},
    {QStringLiteral("SnapObject"), QStringLiteral("Snap")},
    {QStringLiteral("Legend"), QStringLiteral("Lgnd")},
    {QStringLiteral("DispAll"), QStringLiteral("P.Atls")},
    {QStringLiteral("WaypointStart"), QStringLiteral("To Wpt+")},
    {QStringLiteral("Exit"), QStringLiteral("Exit")},
};

}  // namespace

const QList<MenuItemDef>& MainMenuItems() {
    static const QList<MenuItemDef> items = [] {
        QList<MenuItemDef> out;
        for (const Row& r : kMenuRows) {
            MenuItemDef d;
            d.depth = r.depth;
            d.name = QString::fromLatin1(r.name);
            d.caption = QString::fromUtf8(r.caption);
            d.shortcut = QString::fromLatin1(r.shortcut);
            d.hidden = (r.flags & kHidden) != 0;
            d.disabled = (r.flags & kDisabled) != 0;
            out.append(d);
        }
        return out;
    }();
    return items;
}

const QList<ButtonDef>& MainButtons() {
    static const QList<ButtonDef> buttons(std::begin(kButtons), std::end(kButtons));
    return buttons;
}

}  // namespace kel
