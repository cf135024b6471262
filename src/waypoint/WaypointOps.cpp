#include "waypoint/WaypointOps.h"

#include <QFileInfo>

#include "list/ListDocument.h"
#include "common/TextFile.h"
#include "geo/FigureMeasure.h"
#include "platform/Clock.h"
#include "platform/ProgramLauncher.h"
#include "platform/Prompts.h"
#include "waypoint/KelWpt.h"
#include "waypoint/TempScript.h"
#include "waypoint/TrackLog.h"

namespace kel {

namespace {

const QString kWptFilter = QStringLiteral(
    "Waypoint+(Text)ファイル (*.TXT)|*.TXT|すべてのファイル (*.*)|*.*|");
const QString kWptKelFilter = QStringLiteral(
    "Waypoint+(Text)ファイル (*.TXT)|*.TXT|マップサーバスクリプトファイル (*.KEL)|*.KEL|"
    "すべてのファイル (*.*)|*.*|");
const QString kSpace = QString::fromUtf8("　");  // the full-width blank of the questions

const Clock& ClockOf(ListDocument& editor) {
    static const SystemClock system;
    if (editor.Services().clock) return *editor.Services().clock;
    return system;
}

QString OpenDialog(ListDocument& editor, const QString& title, const QString& filter) {
    Prompts* p = editor.Services().prompts;
    return p ? p->OpenFileName({title, filter, 1, QFileInfo(editor.KelFileName()).path()})
             : QString();
}

}  // namespace

void ReportConversion(ListDocument& editor, const WptConversion& c, const QString& title) {
    if (c.skippedMalformed + c.skippedUnsupported + c.truncatedFigures + c.changedValues == 0 &&
        c.unknownDatum.isEmpty())
        return;
    editor.MsgBox2(c.Summary(), kButtonsOk, title);
}

void ExportWaypoints(ListDocument& editor, WaypointState& state) {
    if (editor.List().Count() == 0) return;
    if (editor.MsgBox2(QStringLiteral("現在編集中のファイルをWaypoint+形式（テキスト）で書き出します．"),
                       kButtonsYesNo, QStringLiteral("Export")) != kAnswerYes)
        return;
    // The list itself is converted, so a modified script needs no temporary copy.
    const bool modified = editor.EditFg() == kEditFgModified || editor.KelFileName().isEmpty();
    const QString source = modified ? QStringLiteral("Current File") : editor.KelFileName();
    const QString suggested = modified ? QString() : source.left(source.size() - 4) + QStringLiteral(".TXT");
    Prompts* p = editor.Services().prompts;
    const QString target =
        p ? p->SaveFileName({QStringLiteral("Export"), kWptFilter, 1, suggested}) : QString();
    if (target.isEmpty()) return;
    if (editor.MsgBox2(QStringLiteral("[") + source + QStringLiteral("]") + kSpace +
                           QStringLiteral("を") + kSpace + QStringLiteral("[") + target +
                           QStringLiteral("]") + kSpace + QStringLiteral("にExportしてよろしいですか？"),
                       kButtonsYesNo, QStringLiteral("Export")) != kAnswerYes)
        return;
    editor.CaptionRoll(QStringLiteral(" > Export"));
    const WptConversion c =
        ConvertCommandsToWpt(editor.CommandTextsInOrder(), state.options, ClockOf(editor));
    const TextWriteResult w = c.ok ? WriteTextFile(target, c.lines) : TextWriteResult{};
    editor.CaptionRoll(QStringLiteral("Off"));
    if (!c.ok || !w.ok) {
        editor.MsgBox2(QStringLiteral("[") + target + QStringLiteral("]に書き出せませんでした．\r\n") +
                           (c.ok ? w.error : c.error),
                       kButtonsOk, QStringLiteral("Export"));
        return;
    }
    ReportConversion(editor, c, QStringLiteral("Export"));
}

bool ImportWaypointFile(ListDocument& editor, const WaypointState& state, const QString& path) {
    editor.CaptionRoll(QStringLiteral(" > Import"));
    const TextReadResult file = ReadTextFile(path);
    if (!file.ok) {
        editor.CaptionRoll(QStringLiteral("Off"));
        editor.MsgBox2(QStringLiteral("[") + path + QStringLiteral("]を読めません．\r\n") + file.error,
                       kButtonsOk, QStringLiteral("Import"));
        return false;
    }
    LineSource source(file.lines);
    // Positions land in the datum of the script they are added to.
    const WptConversion c =
        ConvertWptToKel(source, state.options, DatumOfCommands(editor.CommandTextsInOrder()));
    const int before = editor.List().Count();
    if (!AppendScriptLines(editor, c.lines, path, QStringLiteral("Import"))) return false;
    ReportConversion(editor, c, QStringLiteral("Import"));
    return editor.List().Count() > before;
}

bool AppendScriptLines(ListDocument& editor, const QStringList& lines, const QString& path,
                       const QString& title) {
    // The lines are appended as a script file would be; the temporary file goes with
    // `temp` on every way out.
    TempScriptFile temp;
    const TextWriteResult w = WriteTextFile(temp.path(), lines);
    if (!w.ok) {
        editor.CaptionRoll(QStringLiteral("Off"));
        editor.MsgBox2(QStringLiteral("[") + path + QStringLiteral("]を追加できませんでした．\r\n") +
                           w.error,
                       kButtonsOk, title);
        return false;
    }
    {
        AutoAnswerGuard yes(editor);
        editor.SetFileName(temp.path());
        editor.Append();
    }
    editor.CaptionRoll(QStringLiteral("Off"));
    return true;
}

void ImportWaypoints(ListDocument& editor, WaypointState& state) {
    if (editor.MsgBox2(QStringLiteral("現在編集中のファイルにWaypoint+形式ファイル（テキスト）を追加します．"),
                       kButtonsYesNo, QStringLiteral("Import")) != kAnswerYes)
        return;
    const QString path = OpenDialog(editor, QStringLiteral("Import"), kWptFilter);
    if (path.isEmpty()) return;
    if (editor.MsgBox2(QStringLiteral("[") + path + QStringLiteral("]") + kSpace +
                           QStringLiteral("を追加してよろしいですか？"),
                       kButtonsYesNo, QStringLiteral("Import")) != kAnswerYes)
        return;
    ImportWaypointFile(editor, state, path);
}

void StartWaypointProgram(ListDocument& editor, WaypointState& state) {
    if (state.waypointProgram.isEmpty() || !state.launcher) return;
    LaunchRequest request;
    request.program = state.waypointProgram;
    request.window = LaunchWindow::Minimised;
    const LaunchResult r = state.launcher->Start(request);
    if (!r.ok)
        editor.MsgBox2(QStringLiteral("[") + state.waypointProgram +
                           QStringLiteral("]を起動できませんでした．\r\n") + r.error,
                       kButtonsOk, QStringLiteral("Waypoint+"));
}

void TrackLog2DRMSMenu(ListDocument& editor) {
    if (editor.MsgBox2(QStringLiteral("Waypoint+形式（テキスト）のTrackLogの2DRMSを計算します．"),
                       kButtonsOkCancel, QStringLiteral("Utility")) != kAnswerOk)
        return;
    const QString path = OpenDialog(editor, QStringLiteral("Calc.2DRMS"), kWptFilter);
    if (path.isEmpty()) return;
    const TrackDrms r = TrackLog2DRMSFile(path);
    if (!r.error.isEmpty()) {
        editor.MsgBox2(QStringLiteral("[") + path + QStringLiteral("]を読めません．\r\n") + r.error, kButtonsOk,
                       QStringLiteral("Calc.2DRMS"));
        return;
    }
    if (!r.found || r.text.isEmpty()) {
        editor.MsgBox2(QStringLiteral("TrackLog（TP）が見つかりませんでした．"), kButtonsOk,
                       QStringLiteral("Calc.2DRMS"));
        return;
    }
    QString question = QStringLiteral("指定されたファイルのTrackLogによる2DRMSは：") + r.text +
                       QStringLiteral("でした．結果をファイルに追加しますか？");
    if (editor.MsgBox2(question, kButtonsYesNo, QStringLiteral("Calc.2DRMS")) != kAnswerYes) return;
    QString error;
    if (!AppendDrmsLine(path, r.text, &error))
        editor.MsgBox2(QStringLiteral("[") + path + QStringLiteral("]に追加できませんでした．\r\n") +
                           error,
                       kButtonsOk, QStringLiteral("Calc.2DRMS"));
}

namespace {

void RunTrackConversion(ListDocument& editor, const QString& question, const QString& mode,
                        const QString& filter,
                        const std::function<QString(const QString&)>& targetOf) {
    if (editor.MsgBox2(question, kButtonsOkCancel, QStringLiteral("Utility")) != kAnswerOk) return;
    const QString source = OpenDialog(editor, QStringLiteral("Utility"), filter);
    if (source.isEmpty()) return;
    if (editor.MsgBox2(QStringLiteral("[") + source + QStringLiteral("]") + kSpace +
                           QString::fromUtf8("＞＞") + kSpace + QStringLiteral("[") +
                           targetOf(source) + QStringLiteral("]") + kSpace +
                           QStringLiteral("でよろしいですか？"),
                       kButtonsYesNo, QStringLiteral("Utility")) != kAnswerYes)
        return;
    const TrackLogResult r = ConvertTrackLog(mode, source, ClockOf(editor));
    if (!r.ok) {
        editor.MsgBox2(QStringLiteral("変換できませんでした．\r\n") + r.error, kButtonsOk,
                       QStringLiteral("Utility"));
    } else if (r.skippedMalformed > 0) {
        editor.MsgBox2(QStringLiteral("読めないレコード%1件を飛ばしました．\r\n").arg(r.skippedMalformed) +
                           r.notes.join(QStringLiteral("\r\n")),
                       kButtonsOk, QStringLiteral("Utility"));
    }
}

}  // namespace

void TrackLogToRouteMenu(ListDocument& editor) {
    RunTrackConversion(editor,
                       QStringLiteral("Waypoint+形式（テキスト）のTrackLogを情報付Routeに変換します．"),
                       QStringLiteral("WptTP"), kWptFilter, TrackRouteTarget);
}

void TrackLogToPaLogMenu(ListDocument& editor) {
    RunTrackConversion(
        editor,
        QStringLiteral("Waypoint+形式（テキスト）もしくはKelファイルのTraclLogをProAtlas用TrackLogファイルに変換します．"),
        QStringLiteral("WptPAlog"), kWptKelFilter, TrackLogTargetPattern);
}

void CurrentFigure2DRMS(ListDocument& editor, WaypointState& state) {
    QString pos;
    const ParamEditorState& p = editor.Params();
    for (const ParamRow& row : p.rows)
        if (row.visible && row.label == QLatin1String("pos")) pos = row.value;
    const QString r = Calc2DRMS(pos, QStringLiteral("KEL"));
    if (r.isEmpty()) {
        editor.MsgBox2(QStringLiteral("計算できません"), kButtonsOk, QStringLiteral("Calc.2DRMS"));
        return;
    }
    state.ShowResult(r);
}

void InstallWaypointActions(ListDocument& editor, WaypointState& state) {
    editor.RegisterAction(QStringLiteral("MenuFileImportWpt"), [&] { ImportWaypoints(editor, state); });
    editor.RegisterAction(QStringLiteral("MenuFileExportWpt"), [&] { ExportWaypoints(editor, state); });
    editor.RegisterAction(QStringLiteral("MenuFileWaypointStart"), [&] { StartWaypointProgram(editor, state); });
    editor.RegisterAction(QStringLiteral("WaypointStart"), [] {});  // "To Wpt+" has no action
    editor.RegisterAction(QStringLiteral("MenuFileUtlWptTpRt"), [&] { TrackLogToRouteMenu(editor); });
    editor.RegisterAction(QStringLiteral("MenuFileUtlWptTpLog"), [&] { TrackLogToPaLogMenu(editor); });
    editor.RegisterAction(QStringLiteral("MenuFileUtlWpt2DRMS"), [&] { TrackLog2DRMSMenu(editor); });
    editor.RegisterAction(QStringLiteral("MenuExecCalculate2DRMS"),
                          [&] { CurrentFigure2DRMS(editor, state); });
    editor.SetWaypointImportHook([&editor, &state](const QString& path, bool) {
        ImportWaypointFile(editor, state, path);
    });
}

}  // namespace kel
