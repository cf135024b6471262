#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>

#include "TestMain.h"
#include "WindowFixture.h"
#include "app/AboutDialog.h"
#include "app/KelListModel.h"
#include "app/KelListWidget.h"
#include "app/KelOptionDialog.h"
#include "app/MenuMap.h"
#include "list/ListLine.h"
#include "app/UsageWindow.h"

using namespace kel;
using namespace kel::test;

namespace {

// The menu tree as a user meets it: item, the menu that holds it ("" for the menu bar),
// caption, shortcut, and H (hidden) / D (disabled).
struct MenuRow {
    const char* name;
    const char* parent;
    const char* caption;
    const char* shortcut;
    const char* flags;
};

const MenuRow kMenu[] = {
    {"MenuFile", "", "File(&F)", "", ""},
    {"MenuFileOpen", "MenuFile", "Open(&O)", "Ctrl+O", ""},
    {"MenuFileSave", "MenuFile", "Save(&S)", "Ctrl+S", ""},
    {"MenuFileSaveAs", "MenuFile", "Save As...", "", ""},
    {"MenuFileSaveAttribute", "MenuFile", "Save Attribute", "", ""},
    {"MenuFileAppend", "MenuFile", "Append(&A)", "", ""},
    {"MenuFileReOpen", "MenuFile", "ReLoad(&R)", "", ""},
    {"MenuFileCheckScript", "MenuFile", "Check Script", "", ""},
    {"MenuFileWaypoint", "MenuFile", "Waypoint+", "", ""},
    {"MenuFileImportWpt", "MenuFileWaypoint", "Import(Text)", "", ""},
    {"MenuFileExportWpt", "MenuFileWaypoint", "Export(Text)", "", ""},
    {"MenuFileExportWptOpt", "MenuFileWaypoint", "Option", "", ""},
    {"MenuFileWaypointStart", "MenuFileWaypoint", "Start", "", ""},
    {"MenuFileUtl", "MenuFileWaypoint", "Utility", "", ""},
    {"MenuFileUtlWptTpRt", "MenuFileUtl", "Waypoint+(TrackLog)To(RouteWithInfo)", "", ""},
    {"MenuFileUtlWptTpLog", "MenuFileUtl", "TrackLog To ProAtlas.LOG", "", ""},
    {"MenuFileUtlWpt2DRMS", "MenuFileUtl", "Calc.2DRMS of TrackLog", "", ""},
    {"MenuFileGpx", "MenuFile", "GPX", "", ""},
    {"MenuFileImportGpx", "MenuFileGpx", "Import(GPX)", "", ""},
    {"MenuFileExportGpx", "MenuFileGpx", "Export(GPX)", "", ""},
    {"MenuFileGeoJson", "MenuFile", "GeoJSON", "", ""},
    {"MenuFileImportGeoJson", "MenuFileGeoJson", "Import(GeoJSON)", "", ""},
    {"MenuFileExportGeoJson", "MenuFileGeoJson", "Export(GeoJSON)", "", ""},
    {"MenuFileGarConnect", "MenuFile", "GarConnect", "", "H"},
    {"MenuFileGarConnectPanel", "MenuFileGarConnect", "Panel", "", ""},
    {"MenuFileGarConnectExport", "MenuFileGarConnect", "Export", "", ""},
    {"MenuFileGarConnectImport", "MenuFileGarConnect", "Import", "", ""},
    {"MenuFileNew", "MenuFile", "New(&N)", "", ""},
    {"MenuFileClear", "MenuFile", "Clear(&C)", "", ""},
    {"MenuFileOpenProAtlas", "MenuFile", "OpenProAtlas", "", "HD"},
    {"MenuFileAbout", "MenuFile", "About...", "", ""},
    {"MenuFileExit", "MenuFile", "Exit(&X)", "", ""},
    {"MenuEditKel", "", "EditList(&E)", "", ""},
    {"MenuEditKelCopy", "MenuEditKel", "Copy(&C)", "Ctrl+Ins", ""},
    {"MenuEditKelPaste", "MenuEditKel", "Paste(&V)", "Shift+Ins", ""},
    {"MenuEditPasteFromClipBoard", "MenuEditKel", "Paste From ClipBoard", "", ""},
    {"MenuEditKelCut", "MenuEditKel", "Cut(&X)", "", ""},
    {"KelEditAddFigure", "MenuEditKel", "Add Figure", "", ""},
    {"KelEditFigureAddObjectFigure", "KelEditAddFigure", "Figures", "", "H"},
    {"KelEditFigureAddObjectFigurePoint", "KelEditAddFigure", "point(&P)", "", ""},
    {"KelEditFigureAddObjectFigureLine", "KelEditAddFigure", "line(&L)", "", ""},
    {"KelEditFigureAddObjectFigureCircle", "KelEditAddFigure", "circle(&C)", "", ""},
    {"KelEditFigureAddObjectFigureRect", "KelEditAddFigure", "rect(&R)", "", ""},
    {"KelEditFigureAddObjectFigureArea", "KelEditAddFigure", "area(&A)", "", ""},
    {"KelEditFigureCenterPoint", "KelEditAddFigure", "Center Point", "", ""},
    {"KelEditFigureCenterCircle", "KelEditAddFigure", "Center Circle", "", ""},
    {"KelEditAddObject", "MenuEditKel", "Add Command(&A)", "", ""},
    {"KelEditFigureAddObjectDisp", "KelEditAddObject", "Displays", "", ""},
    {"KelEditFigureAddObjectDispGroup", "KelEditFigureAddObjectDisp", "group", "", ""},
    {"KelEditFigureAddObjectDispDisp", "KelEditFigureAddObjectDisp", "disp", "", ""},
    {"KelEditFigureAddObjectDispTheme", "KelEditFigureAddObjectDisp", "theme", "", ""},
    {"KelEditFigureAddObjectDispMessage", "KelEditFigureAddObjectDisp", "message", "", ""},
    {"KelEditFigureAddObjectDispIcon", "KelEditFigureAddObjectDisp", "icon", "", ""},
    {"KelEditFigureAddObjectControl", "KelEditAddObject", "Controls", "", ""},
    {"KelEditFigureAddObjectControlComment", "KelEditFigureAddObjectControl", "Comment", "", ""},
    {"KelEditFigureAddObjectControlInit", "KelEditFigureAddObjectControl", "init", "", ""},
    {"KelEditFigureAddObjectControlKanji", "KelEditFigureAddObjectControl", "kanji", "", ""},
    {"KelEditFigureAddObjectControlGeoref", "KelEditFigureAddObjectControl", "georef", "", ""},
    {"KelEditFigureAddObjectControlPick", "KelEditFigureAddObjectControl", "pick", "", ""},
    {"KelEditFigureAddObjectControlInput", "KelEditFigureAddObjectControl", "input", "", ""},
    {"KelEditFigureAddObjectControlAddon", "KelEditFigureAddObjectControl", "addon", "", ""},
    {"KelEditFigureAddObjectElse", "KelEditAddObject", "Else", "", ""},
    {"KelEditFigureAddObjectElseWP", "KelEditFigureAddObjectElse", "[WP]", "", ""},
    {"KelEditFigureAddObjectElseRT", "KelEditFigureAddObjectElse", "[RT]", "", ""},
    {"KelEditFigureAddObjectElseTr", "KelEditFigureAddObjectElse", "[TR]", "", ""},
    {"KelEditFigureAddObjectElseFilter", "KelEditFigureAddObjectElse", "FILTER", "", ""},
    {"KelEditFigureAddObjectElseGpWpt", "KelEditFigureAddObjectElse", "Group[WP]", "", ""},
    {"KelEditFigureAddObjectElseGpRoute", "KelEditFigureAddObjectElse", "Group[RT]", "", ""},
    {"KelEditFigureAddObjectElseGpRtPnt", "KelEditFigureAddObjectElse", "Group[RtPnt]", "", ""},
    {"KelEditFigureAddObjectElseGpRtPntOr", "KelEditFigureAddObjectElse", "Group[RtPntOr]", "", ""},
    {"KelEditFigureAddObjectElseGpPntDs", "KelEditFigureAddObjectElse", "Group[RtPntDs]", "", ""},
    {"KelEditFigureAddObjectElseGpTrLog", "KelEditFigureAddObjectElse", "Group[TrLog]", "", ""},
    {"KelEditFigureAddObjectElseGpTrPnt", "KelEditFigureAddObjectElse", "Group[TrPnt]", "", ""},
    {"MenuEditGetToDefalut", "MenuEditKel", "Stock to Command Lib.", "", ""},
    {"KelEditFigure", "MenuEditKel", "Modify Figure", "", ""},
    {"KelEditFigureMove", "KelEditFigure", "Move(&M)", "Ctrl+M", ""},
    {"KelEditFigureDivide", "KelEditFigure", "Divide(&D)", "Ctrl+D", ""},
    {"KelEditFigureConbine", "KelEditFigure", "Conbine(&C)", "Ctrl+B", ""},
    {"KelEditFigureBoolean", "KelEditFigure", "Boolean", "", "H"},
    {"MenuEditPosJoin", "KelEditFigure", "Join Pos(&J)", "", "H"},
    {"MenuEditSnapFind", "MenuEditKel", "Snap Object(&S)", "F1", ""},
    {"MenuEditSnapSelect", "MenuEditKel", "Snap Object&Select", "Shift+F1", ""},
    {"MenuEditListUp", "MenuEditKel", "Turn Up(&U)", "Ctrl+U", ""},
    {"MenuEditListDown", "MenuEditKel", "Turn Down(&D)", "Ctrl+W", ""},
    {"MenuEditListSort", "MenuEditKel", "Sort List(&S)", "", ""},
    {"MenuEditListSortUp", "MenuEditListSort", "Up List", "", ""},
    {"MenuEditListSortDown", "MenuEditListSort", "Down List", "", ""},
    {"MenuEditListSortUpFigure", "MenuEditListSort", "Up List(Figure)", "", ""},
    {"MenuEditListSortDownFigure", "MenuEditListSort", "Down List(Figure)", "", ""},
    {"MenuEditSearch", "MenuEditKel", "Search(&F)", "Ctrl+F", ""},
    {"MenuEditSearchNext", "MenuEditKel", "SearchNext(&N)", "F3", ""},
    {"MenuEditSelectAll", "MenuEditKel", "Select All", "", ""},
    {"MenuEditSelectFigure", "MenuEditKel", "Select Figures", "", ""},
    {"MenuEditRevSelect", "MenuEditKel", "Reverse SelectedFg", "", ""},
    {"MenuEditDeSelect", "MenuEditKel", "Clear SelectedFg", "", ""},
    {"MenuEditConditionalSelect", "MenuEditKel", "Conditional Select(&C)", "", ""},
    {"MenuExecFindObject", "MenuEditKel", "Spatial Select(&S)", "", ""},
    {"MenuExecFindInterior", "MenuExecFindObject", "Interior Object", "", ""},
    {"MenuExecFindExterior", "MenuExecFindObject", "Exterior Object", "", ""},
    {"MenuExecFindContainer", "MenuExecFindObject", "Container Object", "", ""},
    {"MenuExecFindNearest", "MenuExecFindObject", "Nearest Object", "", ""},
    {"MenuExecFindFarthest", "MenuExecFindObject", "Farthest Object", "", ""},
    {"MenuExecSpatialFg", "MenuExecFindObject", "Full Orverlap(&F)", "F2", ""},
    {"MenuExec", "", "Exec(&E)", "", ""},
    {"MenuExecLumpInput", "MenuExec", "Lump Input Par(&L)", "", ""},
    {"MenuExecLumpInputExt", "MenuExec", "Lump Input [gid]", "", ""},
    {"MenuExecSetAllGroup", "MenuExecLumpInputExt", "Set gid by All group", "", ""},
    {"MenuExecSetGroup", "MenuExecLumpInputExt", "Set gid by group", "", ""},
    {"MenuExecSaveCurCmd", "MenuExec", "SetKelList", "", "HD"},
    {"MenuExecCalculate", "MenuExec", "Calc. Area/Length", "", ""},
    {"MenuExecCalculateCurrent", "MenuExecCalculate", "Current Object", "", ""},
    {"MenuExecCalculateSelected", "MenuExecCalculate", "Selected Objects", "", ""},
    {"MenuExecCalculate2DRMS", "MenuExec", "Calc.2DRMS of CurrentFig.", "", ""},
    {"MenuView", "", "View(&V)", "", ""},
    {"MenuViewProAtlas", "MenuView", "PreView ProAtlas(&P)", "Ctrl+P", ""},
    {"MenuViewRefreshFigure", "MenuView", "Refresh Figures(&R)", "Ctrl+R", ""},
    {"MenuViewSelect", "MenuView", "Figures(&F)", "Ctrl+T", ""},
    {"MenuViewSwitch", "MenuView", "Current Figures(&D)", "Ctrl+J", ""},
    {"MenuViewFigures", "MenuView", "Move ProAtlasWindow(&M)", "", ""},
    {"MenuViewHelp", "MenuView", "UsageWindow(&U)", "", ""},
    {"MenuViewLegend", "MenuView", "Legend(&L)", "Ctrl+L", ""},
    {"MenuViewSetLegend", "MenuView", "Set Legend(&S)", "", ""},
    {"MenuViewSetGroup", "MenuViewSetLegend", "Set Group to Leg.(&S)", "Ctrl+G", ""},
    {"MenuViewSetGroupN", "MenuViewSetLegend", "Set Group to Leg.\"n\"(&N)", "", ""},
    {"MenuViewSetAllGroup", "MenuViewSetLegend", "Set All Group to Leg.(&A)", "", ""},
    {"MenuViewResetLegend", "MenuView", "ResetLegend(&R)", "", ""},
};

// The menu an action sits in ("" for the menu bar).
QString ParentMenuOf(QAction* a) {
    QObject* holder = a->menu() ? a->menu()->parent() : a->parent();
    return qobject_cast<QMenu*>(holder) ? holder->objectName() : QString();
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void menuTreeIsAsListed_data() {
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("shortcut");
        QTest::addColumn<QString>("flags");
        for (const MenuRow& r : kMenu)
            QTest::newRow(r.name) << QString::fromLatin1(r.parent) << QString::fromUtf8(r.caption)
                                  << QString::fromLatin1(r.shortcut) << QString::fromLatin1(r.flags);
    }
    void menuTreeIsAsListed() {
        QFETCH(QString, parent);
        QFETCH(QString, caption);
        QFETCH(QString, shortcut);
        QFETCH(QString, flags);
        WindowFixture f(false);  // as created, before start-up adjusts anything
        const QString name = QString::fromLatin1(QTest::currentDataTag());
        const QList<QAction*> found = f.window->findChildren<QAction*>(name);
        QCOMPARE(found.size(), 1);
        QAction* a = found.first();
        QCOMPARE(a->text(), caption);
        QCOMPARE(a->shortcut().toString(QKeySequence::PortableText), shortcut);
        QCOMPARE(!a->isVisible(), flags.contains(QLatin1Char('H')));
        // A hidden action reports itself disabled whatever it was set to.
        if (a->isVisible()) QCOMPARE(!a->isEnabled(), flags.contains(QLatin1Char('D')));
        QCOMPARE(ParentMenuOf(a), parent);
    }

    void menusHoldTheirItemsInOrder() {
        WindowFixture f(false);
        QHash<QString, QStringList> expected;
        for (const MenuRow& r : kMenu)
            expected[QString::fromLatin1(r.parent)] << QString::fromLatin1(r.name);
        for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
            const QList<QAction*> actions =
                it.key().isEmpty() ? f.window->menuBar()->actions()
                                   : f.Find<QMenu>(it.key())->actions();
            QStringList names;
            // Undo and Redo head the EditList menu besides the items of the menu map.
            static const QStringList kAdded{QStringLiteral("MenuEditUndo"), QStringLiteral("MenuEditRedo")};
            for (QAction* a : actions)
                if (!a->isSeparator() && !kAdded.contains(a->objectName())) names << a->objectName();
            QCOMPARE(names, it.value());
        }
    }

    void buttonsCarryTheirCaptions_data() {
        QTest::addColumn<QString>("caption");
        const char* rows[][2] = {
            {"OpenKelFile", "Open"}, {"NewKelFile", "New"},     {"AppendKelFile", "Appnd"},
            {"SaveKelFile", "Save"}, {"SaveAsKelFile", "SaveAs"}, {"CmdCut", "Cut"},
            {"CmdCopy", "Copy"},     {"CmdPaste", "Paste"},     {"KelListOid", "oid"},
            {"KelListGid", "gid"},   {"KelListCmd", "Cmd"},     {"ViewSelectedObject", "Select"},
            {"SnapObject", "Snap"},  {"Legend", "Lgnd"},        {"DispAll", "P.Atls"},
            {"WaypointStart", "To Wpt+"}, {"Exit", "Exit"},     {"GetDefaultCmd", "←Get"},
            {"Calc", "Calc"},        {"Disp", "Disp"},          {"EditPar0", "Edit"},
            {"EditPar15", "Edit"},   {"ListUp", ""},            {"ListDown", ""},
            {"KelListReverse", ""},  {"KelListDeselect", ""},   {"AddCmd", ""}};
        for (const auto& r : rows) QTest::newRow(r[0]) << QString::fromUtf8(r[1]);
    }
    void buttonsCarryTheirCaptions() {
        QFETCH(QString, caption);
        WindowFixture f(false);
        auto* b = f.Find<QPushButton>(QString::fromLatin1(QTest::currentDataTag()));
        QVERIFY(b);
        if (!caption.isEmpty()) QCOMPARE(b->text(), caption);
        QVERIFY(!b->accessibleName().isEmpty());
    }

    void controlsOfTheListAndEditorExist() {
        WindowFixture f(false);
        QCOMPARE(f.Find<QLabel>(QStringLiteral("KelListStr"))->text(), QStringLiteral("Refr.No"));
        QCOMPARE(f.Find<QLabel>(QStringLiteral("Label1"))->text(), QStringLiteral("List Turn"));
        for (const char* name : {"KelListSelectedNum", "CalcResult", "Par0", "Par15"})
            QVERIFY2(f.Find<QLineEdit>(QString::fromLatin1(name)), name);
        for (const char* name : {"KelS0", "KelS15", "LabelFileName"})
            QVERIFY2(f.Find<QLabel>(QString::fromLatin1(name)), name);
        QVERIFY(f.Find<QComboBox>(QStringLiteral("CmdList")));
        QVERIFY(f.Find<QWidget>(QStringLiteral("EditFg")));
        QVERIFY(f.Find<QWidget>(QStringLiteral("KelListN")));
        QCOMPARE(f.window->windowTitle(), QStringLiteral("KEL Script Editor"));
        // A fixed-pitch face for the 40 columns.
        const QFontMetrics m(f.List()->font());
        QCOMPARE(m.horizontalAdvance(QStringLiteral("i")), m.horizontalAdvance(QStringLiteral("W")));
        QCOMPARE(m.horizontalAdvance(QStringLiteral("東")), 2 * m.horizontalAdvance(QStringLiteral("W")));
    }

    // A user opens a script, clicks a line, types a value, presses Enter and saves: the file
    // is the one the command line's bulk input writes for the same edit.
    void editAndSaveMatchesTheCommandLine() {
        WindowFixture f;
        const QString path = f.WriteScript(
            QStringLiteral("edit.kel"),
            {QStringLiteral("mapserver ver=\"1.0\";"),
             QStringLiteral("point oid=\"1\" gid=\"100\" pos=\"35/00/00.0,135/00/00.0\" str=\"東京\";"),
             QStringLiteral("  point oid=\"2\"   gid=\"200\";  // kept as read"),
             QStringLiteral("disp all;"), QStringLiteral("mapserver end;")});
        const QString expected = f.dir.filePath(QStringLiteral("expected.kel"));
        const KelRun run = RunKel({QStringLiteral("lump"), path, QStringLiteral("oid=77"),
                                   QStringLiteral("--select"), QStringLiteral("1"),
                                   QStringLiteral("-o"), expected});
        QCOMPARE(run.status, 0);

        f.prompts().ChoosePath(path);
        QTest::mouseClick(f.Find<QPushButton>(QStringLiteral("OpenKelFile")), Qt::LeftButton);
        QCOMPARE(f.editor().List().Count(), 5);
        f.ClickLine(1);
        QCOMPARE(f.Find<QPushButton>(QStringLiteral("CurKelCmd"))->text(), QStringLiteral("point"));
        QCOMPARE(f.Find<QLabel>(QStringLiteral("KelS0"))->text(), QStringLiteral("oid"));
        QLineEdit* oid = f.Find<QLineEdit>(QStringLiteral("Par0"));
        QCOMPARE(oid->text(), QStringLiteral("1"));
        QVERIFY(oid->isVisible());
        oid->setFocus();
        oid->selectAll();
        QTest::keyClicks(oid, QStringLiteral("77"));
        QCOMPARE(f.editor().Params().kelListNValue, 1);
        QTest::keyClick(oid, Qt::Key_Return);
        QVERIFY(f.editor().List().Line(1).mid(10, 8).startsWith(QLatin1String("77 ")));
        QVERIFY(f.Find<QCheckBox>(QStringLiteral("EditFg"))->isChecked());
        QTest::mouseClick(f.Find<QPushButton>(QStringLiteral("SaveKelFile")), Qt::LeftButton);
        QCOMPARE(ReadBytes(path), ReadBytes(expected));
        QVERIFY(!f.Find<QCheckBox>(QStringLiteral("EditFg"))->isChecked());
    }

    // The window shows what the editor opened, with the editor's checks: a script with a
    // byte that is not Shift-JIS opens with the warning, and the list follows later edits.
    void showsTheEditorsListAndFollowsIt() {
        WindowFixture f;
        const QString path = f.dir.filePath(QStringLiteral("bad.kel"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("mapserver script ver=\"1.0\";\r\n\t\tpoint\toid=\"1\" str=\"\x81\x20\";\r\n"
                   "mapserver end;\r\n");
        file.close();
        f.prompts().Clear();
        f.editor().DoOpenKelFile(path);
        QCOMPARE(f.prompts().Asked().size(), 1);
        QVERIFY(f.prompts().Last().prompt.contains(QString::fromUtf8("2行目")));
        QAbstractItemModel* model = f.List()->model();
        QCOMPARE(model->rowCount(), 3);
        QCOMPARE(model->index(1, 0).data().toString(), f.editor().List().Line(1));
        QCOMPARE(f.window->windowTitle(), f.editor().Title());
        f.editor().List().Remove(1);
        QCOMPARE(model->rowCount(), 2);
        QCOMPARE(model->index(1, 0).data().toString(), f.editor().List().Line(1));
    }

    void clickingAnotherLineKeepsTheTypedEdit() {
        WindowFixture f;
        f.editor().New();
        f.ClickLine(0);
        const QString before = f.editor().CommandTextAt(0);
        QLineEdit* box = f.Find<QLineEdit>(QStringLiteral("Par0"));
        box->setFocus();
        QTest::keyClicks(box, QStringLiteral("X"));
        f.ClickLine(1);
        QVERIFY(f.editor().CommandTextAt(0) != before);
        QVERIFY(f.editor().CommandTextAt(0).contains(QLatin1String("X")));
        QCOMPARE(f.editor().List().Current(), 1);
    }

    // Selections made in the view and by the editor are the same selection.
    void selectionIsSharedBothWays() {
        WindowFixture f;
        f.editor().New();
        const int n = f.editor().List().Count();
        f.window->RunNamed(QStringLiteral("MenuEditSelectAll"));
        QCOMPARE(f.List()->selectionModel()->selectedRows().size(), n);
        QCOMPARE(f.Find<QLineEdit>(QStringLiteral("KelListSelectedNum"))->text(),
                 QStringLiteral("%1/%1").arg(n));
        f.ClickLine(1);  // a plain click selects only that line
        QCOMPARE(f.editor().List().SelectedCount(), 1);
        QVERIFY(f.editor().List().Selected(1));
        f.ClickLine(3, Qt::ShiftModifier);
        QCOMPARE(f.editor().List().SelectedCount(), 3);
        QTRY_COMPARE(f.Find<QLineEdit>(QStringLiteral("KelListSelectedNum"))->text(),
                     QStringLiteral("3/%1").arg(n));
        f.window->RunNamed(QStringLiteral("MenuEditRevSelect"));
        QCOMPARE(f.List()->selectionModel()->selectedRows().size(), n - 3);
        QVERIFY(!f.List()->selectionModel()->isRowSelected(2, QModelIndex()));
    }

    void listFollowsInsertionsAndRemovals() {
        WindowFixture f;
        f.editor().New();
        const int n = f.editor().List().Count();
        f.ClickLine(0);
        f.window->RunNamed(QStringLiteral("CmdCopy"));
        f.window->RunNamed(QStringLiteral("CmdPaste"));
        QCOMPARE(f.List()->model()->rowCount(), n + 1);
        f.ClickLine(0);
        f.window->RunNamed(QStringLiteral("CmdCut"));
        QCOMPARE(f.List()->model()->rowCount(), n);
        for (int i = 0; i < n; ++i)
            QCOMPARE(f.List()->model()->index(i, 0).data().toString(), f.editor().List().Line(i));
    }

    // The keys of the menu table reach their operations (search asks for its condition and
    // makes the line found current).
    void shortcutsRunTheirItems() {
        WindowFixture f;
        f.editor().New();
        QApplication::setActiveWindow(f.window.get());
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        f.prompts().Clear();
        f.prompts().Type(QStringLiteral("Cmd=mapserver"));
        QTest::keyClick(f.window.get(), Qt::Key_F, Qt::ControlModifier);
        QVERIFY2(!f.prompts().Asked().isEmpty(), "Ctrl+F asked nothing");
        QCOMPARE(f.prompts().Asked().first().kind, PromptKind::Input);
        QCOMPARE(ListLineName(f.editor().List().Line(f.editor().List().Current())),
                 QStringLiteral("mapserver"));
    }

    // Lines inserted and removed one by one in a loop (an append of a large file) reach the
    // view as one change; a few reach it at once. Either way the view ends as the list is.
    void lineByLineChangesEndInStep_data() {
        QTest::addColumn<int>("count");
        QTest::newRow("a few") << 5;
        QTest::newRow("a loop") << 3000;
    }
    void lineByLineChangesEndInStep() {
        QFETCH(int, count);
        WindowFixture f;
        f.editor().New();
        KelList& list = f.editor().List();
        const int before = list.Count();
        f.ClickLine(1);
        for (int i = 0; i < count; ++i)
            list.Insert(2, f.editor().NewListLine(QStringLiteral("point oid=\"%1\";").arg(i), 0));
        for (int i = 0; i < count / 2; ++i) list.Remove(3);
        QAbstractItemModel* model = f.List()->model();
        if (count < KelListModel::kDirectChanges)
            QCOMPARE(model->rowCount(), list.Count());
        f.window->RefreshState();
        QCOMPARE(model->rowCount(), before + count - count / 2);
        for (int i : {0, 2, 3, list.Count() - 1})
            QCOMPARE(model->index(i, 0).data().toString(), list.Line(i));
        QCOMPARE(f.List()->currentIndex().row(), list.Current());
        // A user's click now lands on the line the user sees.
        f.ClickLine(3);
        QCOMPARE(f.editor().Params().kelListNCaption, QStringLiteral("3"));
    }

    // Appending while the text store's numbers run out: every appended command keeps its
    // own text, in file order, after the current line.
    void appendThroughAStoreRenumberingKeepsEveryText() {
        WindowFixture f;
        f.editor().New();
        QStringList lines;
        for (int i = 0; i < 40; ++i) lines << QStringLiteral("point oid=\"%1\";").arg(i);
        const QString path = f.WriteScript(QStringLiteral("many.kel"), lines);
        // Edits leave used-up slots behind; the store renumbers half-way through the append.
        f.ClickLine(0);
        for (int k = 0; k < 30; ++k) {
            f.editor().SetParValue(1, QStringLiteral("//%1").arg(k));
            QVERIFY(f.editor().ApplyPendingEdits());
        }
        const QStringList before = f.editor().CommandTextsInOrder();
        f.editor().Texts().SetCapacity(f.editor().Texts().LastTextSlot() + 20);
        f.ClickLine(1);
        f.editor().SetFileName(path);
        f.window->RunNamed(QStringLiteral("MenuFileAppend"));
        const QStringList after = f.editor().CommandTextsInOrder();
        QCOMPARE(after.size(), before.size() + 40);
        QCOMPARE(after.mid(2, 40), lines);
        QCOMPARE(after.mid(0, 2), before.mid(0, 2));
        QCOMPARE(after.mid(42), before.mid(2));
        QCOMPARE(f.List()->model()->rowCount(), after.size());
    }

    void closeAsksAndNoKeepsTheWindow_data() {
        QTest::addColumn<bool>("modified");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("question");
        const QString lose = QStringLiteral("現在のファイルは変更されています．このまま保存せずに閉じますか？");
        const QString close = QStringLiteral("閉じますか？");
        QTest::newRow("modified, No") << true << kAnswerNo << lose;
        QTest::newRow("modified, Yes") << true << kAnswerYes << lose;
        QTest::newRow("unchanged, No") << false << kAnswerNo << close;
        QTest::newRow("unchanged, Yes") << false << kAnswerYes << close;
    }
    void closeAsksAndNoKeepsTheWindow() {
        QFETCH(bool, modified);
        QFETCH(int, answer);
        QFETCH(QString, question);
        WindowFixture f;
        f.editor().SetEditFg(modified ? 1 : 0);
        QFile::remove(f.SettingsFile(kDefinitionFileName));
        f.prompts().Answer(answer);
        f.window->close();
        QCOMPARE(f.prompts().Last().prompt, question);
        QCOMPARE(f.prompts().Last().buttons, modified ? kAskLoseWork : kAskOverwrite);
        QCOMPARE(f.window->isVisible(), answer != kAnswerYes);
        // Only a real close writes the definition file.
        QCOMPARE(QFile::exists(f.SettingsFile(kDefinitionFileName)), answer == kAnswerYes);
    }

    // Every item runs something: its operation, or the plain message; none is silent.
    void everyLeafItemIsWired() {
        WindowFixture f(false);
        QStringList silent;
        for (const MenuItemDef& d : MainMenuItems()) {
            QAction* a = f.Action(d.name);
            if (d.IsSeparator() || !a || a->menu()) continue;
            const bool known = f.editor().ActionNames().contains(d.name);
            const bool view = d.name == QLatin1String("MenuFileExit") ||
                              d.name == QLatin1String("MenuFileAbout") ||
                              d.name == QLatin1String("MenuViewHelp") ||
                              d.name == QLatin1String("MenuFileExportWptOpt") ||
                              d.name == QLatin1String("MenuFileCheckScript");
            if (!known && !view) silent << d.name;
        }
        // What remains are the map, preview and legend items, which say so when chosen.
        for (const QString& name : silent)
            QVERIFY2(name.startsWith(QLatin1String("MenuView")) ||
                         name == QLatin1String("MenuFileOpenProAtlas"),
                     qPrintable(name));
    }

    void progressShowsInTitleAndStatusBar() {
        WindowFixture f;
        Editor& e = f.editor();
        e.CaptionRoll(QStringLiteral(" 1500"));
        QCOMPARE(f.window->windowTitle(), QStringLiteral("KEL Script Editor 1500"));
        QVERIFY(f.Find<QProgressBar>(QStringLiteral("ProgressBar"))->isVisible());
        QVERIFY(f.Find<QLabel>(QStringLiteral("ProgressLabel"))->text().contains(QLatin1String("1500")));
        e.CaptionRoll(QStringLiteral("Off"));
        QCOMPARE(f.window->windowTitle(), QStringLiteral("KEL Script Editor"));
        QVERIFY(!f.Find<QProgressBar>(QStringLiteral("ProgressBar"))->isVisible());
        // A clicked line is not progress.
        f.editor().New();
        f.ClickLine(0);
        QVERIFY(f.window->windowTitle().endsWith(QLatin1String("[0]comment")));
        QVERIFY(!f.Find<QProgressBar>(QStringLiteral("ProgressBar"))->isVisible());
    }

    // While an operation runs (and lets the window repaint), closing waits for it.
    void closeDuringAnOperationWaits() {
        WindowFixture f;
        f.editor().CaptionRoll(QStringLiteral(" 500"));
        f.prompts().Clear();
        f.window->close();
        QVERIFY(f.window->isVisible());
        QVERIFY(f.prompts().Asked().isEmpty());
        f.editor().CaptionRoll(QStringLiteral("Off"));
    }

    // In the middle of long work only Cancel takes a click: a click on another button
    // (which would start a second operation inside the first) is held back.
    void longWorkTakesOnlyCancel() {
        WindowFixture f;
        f.editor().New();
        const QStringList before = f.editor().List().Lines();
        auto* cancel = f.Find<QPushButton>(QStringLiteral("ProgressCancel"));
        QVERIFY(!cancel->isVisible());
        f.window->ShowLongWork(true);
        QVERIFY(cancel->isVisible());
        QSignalSpy cancelled(cancel, &QPushButton::clicked);
        const auto click = [](QWidget* w) {
            const QPointF at = QRectF(w->rect()).center();
            for (QEvent::Type t : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
                QCoreApplication::postEvent(w, new QMouseEvent(t, at, w->mapToGlobal(at), Qt::LeftButton,
                                                               Qt::LeftButton, Qt::NoModifier));
        };
        click(f.Find<QPushButton>(QStringLiteral("CmdCut")));
        click(cancel);
        f.window->KeepResponsive();
        QCOMPARE(cancelled.count(), 1);
        QCOMPARE(f.editor().List().Lines(), before);
        f.window->ShowLongWork(false);
        QVERIFY(!cancel->isVisible());
        QVERIFY(!f.Find<QProgressBar>(QStringLiteral("ProgressBar"))->isVisible());
    }

    // Cancel clicked while a lump input runs over thousands of lines: nothing changes.
    void cancelStopsALumpInputAndChangesNothing() {
        WindowFixture f;
        f.editor().New();
        QStringList lines;
        for (int i = 0; i < 3000; ++i)
            lines << f.editor().NewListLine(QStringLiteral("point oid=\"%1\";").arg(i), 0);
        f.editor().List().InsertLines(2, lines);
        f.window->RefreshState();
        const QStringList before = f.editor().CommandTextsInOrder();
        auto* cancel = f.Find<QPushButton>(QStringLiteral("ProgressCancel"));
        QTimer::singleShot(0, cancel, [cancel] { cancel->click(); });
        f.prompts().SetDefaultMessageAnswer(kAnswerYes);
        f.prompts().Type(QStringLiteral("str=Join(oid,gid)"));
        f.window->RunNamed(QStringLiteral("MenuExecLumpInput"));
        QCOMPARE(f.editor().CommandTextsInOrder(), before);
        QVERIFY(!cancel->isVisible());
    }

    void usageWindowTogglesAndCollectsNotes() {
        WindowFixture f;
        QAction* item = f.Action(QStringLiteral("MenuViewHelp"));
        item->trigger();
        QVERIFY(f.window->Usage()->isVisible());
        QCOMPARE(f.window->Usage()->windowTitle(), QStringLiteral("Command Usage"));
        QCOMPARE(item->text(), kUsageWindowOn);
        f.prompts().CancelInput();
        f.editor().InputBox2(QStringLiteral("?"), QStringLiteral("t"), QString(),
                             QStringLiteral("[Note] how to"));
        auto* text = f.window->Usage()->findChild<QPlainTextEdit*>(QStringLiteral("UsageText"));
        QVERIFY(text->toPlainText().contains(QLatin1String("[Note] how to")));
        item->trigger();
        QVERIFY(!f.window->Usage()->isVisible());
        QCOMPARE(item->text(), kUsageWindowOff);
    }

    // Files and URLs dropped on the list open (or, with Shift, append) after the question.
    void droppedFilesAndUrlsOpen_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("shift");
        QTest::newRow("file") << QStringLiteral("file") << false;
        QTest::newRow("file with shift") << QStringLiteral("file") << true;
        QTest::newRow("file url as text") << QStringLiteral("text") << false;
        QTest::newRow("http url") << QStringLiteral("http") << false;
    }
    void droppedFilesAndUrlsOpen() {
        QFETCH(QString, kind);
        QFETCH(bool, shift);
        WindowFixture f;
        f.editor().New();
        f.editor().SetEditFg(0);
        const int count = shift ? f.editor().List().Count() + 2 : 2;
        const QStringList lines{QStringLiteral("point oid=\"1\";"), QStringLiteral("line oid=\"2\";")};
        const QString path = f.WriteScript(QStringLiteral("drop.kel"), lines);
        auto* mime = new QMimeData;
        if (kind == QLatin1String("file")) {
            mime->setUrls({QUrl::fromLocalFile(path)});
        } else if (kind == QLatin1String("text")) {
            mime->setText(QUrl::fromLocalFile(path).toString());
        } else {
            const QString url = QStringLiteral("http://example.org/maps/drop.kel");
            f.platform.mapUrlFetcher.SetBody(url, "point oid=\"1\";\r\nline oid=\"2\";\r\n");
            f.editor().SetDefinitionFolder(f.dir.path());
            mime->setUrls({QUrl(url)});
        }
        f.prompts().Answer(kAnswerYes);
        QWidget* viewport = f.List()->viewport();
        const QPoint at = viewport->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, mime, Qt::LeftButton,
                              shift ? Qt::ShiftModifier : Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(at, Qt::CopyAction, mime, Qt::LeftButton,
                        shift ? Qt::ShiftModifier : Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &drop);
        QCOMPARE(f.editor().List().Count(), count);
        QCOMPARE(f.List()->model()->rowCount(), count);
        QCOMPARE(f.prompts().Asked().first().title, QStringLiteral("Drag&Drop"));
        delete mime;
    }

    void optionDialogShowsAndTakesTheOptions() {
        WindowFixture f;
        WptOptions& options = f.app->session().waypoint().options;
        KelOptionDialog dialog(options);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Waypoint+<=>Kel Option"));
        auto* utc = dialog.findChild<QLineEdit*>(QStringLiteral("OptUTCOffset"));
        QCOMPARE(utc->text(), QStringLiteral("9"));
        QCOMPARE(dialog.findChild<QLineEdit*>(QStringLiteral("OptKelWptOrgName"))->text(), QStringLiteral("STR"));
        QVERIFY(dialog.findChild<QRadioButton*>(QStringLiteral("OptKelWptRPnumberingUp"))->isChecked());
        utc->setText(QStringLiteral("-5"));
        dialog.findChild<QLineEdit*>(QStringLiteral("OptWptTrackLogStep"))->setText(QStringLiteral("3"));
        dialog.findChild<QRadioButton*>(QStringLiteral("OptKelWptRPnumberingDown"))->setChecked(true);
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("OptKelWptUpdate")), Qt::LeftButton);
        QCOMPARE(options.utcOffset, -5);
        QCOMPARE(options.trackLogStep, 3);
        QCOMPARE(options.rpNumbering, int(WptOptions::kDown));
        dialog.findChild<QLineEdit*>(QStringLiteral("OptKelWptDestinationName"))->setText(QStringLiteral("END"));
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("OptKelWptOk")), Qt::LeftButton);
        QCOMPARE(options.destinationName, QStringLiteral("END"));
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    void aboutNamesVersionsAndSettings() {
        WindowFixture f;
        const QString text = AboutDialog::AboutText(*f.app);
        for (const QString& part : {QStringLiteral(KEL_VERSION), QString::fromLatin1(qVersion()),
                                    f.SettingsFile(kIniFileName), f.SettingsFile(kDefinitionFileName)})
            QVERIFY2(text.contains(part), qPrintable(part));
    }

    void offScreenPositionComesBackOnScreen_data() {
        QTest::addColumn<QPoint>("saved");
        QTest::addColumn<QPoint>("placed");
        const QPoint home = QPoint(0, 0) + QPoint(40, 40);
        QTest::newRow("on the first screen") << QPoint(100, 100) << QPoint(100, 100);
        QTest::newRow("on the second screen") << QPoint(2000, 50) << QPoint(2000, 50);
        QTest::newRow("right of both") << QPoint(5000, 100) << home;
        QTest::newRow("above") << QPoint(100, -500) << home;
        QTest::newRow("only a sliver left") << QPoint(1900 - 850, 100) << QPoint(1050, 100);
        QTest::newRow("corner past the edge") << QPoint(3830, 100) << home;
    }
    void offScreenPositionComesBackOnScreen() {
        QFETCH(QPoint, saved);
        QFETCH(QPoint, placed);
        const QList<QRect> screens{QRect(0, 0, 1920, 1080), QRect(1920, 0, 1920, 1080)};
        QCOMPARE(PlaceOnScreens(saved, QSize(900, 600), screens, screens[0]), placed);
    }

    void helpAndVersionAnswerWithoutAWindow_data() {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("expected");
        QTest::newRow("help") << QStringLiteral("--help") << QStringLiteral("Usage: keleditor");
        QTest::newRow("version") << QStringLiteral("--version") << QStringLiteral("keleditor " KEL_VERSION);
    }
    void helpAndVersionAnswerWithoutAWindow() {
        QFETCH(QString, option);
        QFETCH(QString, expected);
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("none-such"));
        p.setProcessEnvironment(env);
        p.start(QFileInfo(QStringLiteral(KEL_CLI_PATH)).dir().filePath(QStringLiteral("keleditor")),
                {option});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), 0);
        QVERIFY(QString::fromUtf8(p.readAllStandardOutput()).startsWith(expected));
    }
};

KEL_TEST(MainWindowTest);
#include "tst_MainWindow.moc"
