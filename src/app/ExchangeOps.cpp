#include "app/ExchangeOps.h"

#include <QFile>
#include <QFileInfo>

#include "common/TextFile.h"
#include "editor/Editor.h"
#include "exchange/GeoJson.h"
#include "exchange/Gpx.h"
#include "platform/Prompts.h"
#include "waypoint/WaypointOps.h"

namespace kel {

namespace {

const QString kGpxFilter = QStringLiteral("GPXファイル (*.GPX)|*.GPX|すべてのファイル (*.*)|*.*|");
const QString kGeoJsonFilter =
    QStringLiteral("GeoJSONファイル (*.GEOJSON;*.JSON)|*.GEOJSON;*.JSON|すべてのファイル (*.*)|*.*|");
const QString kWideSpace = QString::fromUtf8("　");

struct Format {
    QString name;       // "GPX", "GeoJSON"
    QString filter;
    QString extension;  // suggested for an export of a saved script
};

const Format kGpx{QStringLiteral("GPX"), kGpxFilter, QStringLiteral(".GPX")};
const Format kGeoJson{QStringLiteral("GeoJSON"), kGeoJsonFilter, QStringLiteral(".GEOJSON")};

QString Title(const char* verb, const Format& f) {
    return QLatin1String(verb) + QLatin1Char('(') + f.name + QLatin1Char(')');
}

// The questions and the save dialog of an export; the target, or empty when cancelled.
QString AskExportTarget(Editor& editor, const Format& f) {
    const QString title = Title("Export", f);
    if (editor.List().Count() == 0) return {};
    if (editor.MsgBox2(QStringLiteral("現在編集中のファイルを%1形式で書き出します．").arg(f.name), kButtonsYesNo,
                       title) != kAnswerYes)
        return {};
    const bool modified = editor.EditFg() == 1 || editor.KelFileName().isEmpty();
    const QString source = modified ? QStringLiteral("Current File") : editor.KelFileName();
    const QString suggested = modified ? QString() : QFileInfo(source).path() + QLatin1Char('/') +
                                                         QFileInfo(source).completeBaseName() + f.extension;
    Prompts* p = editor.Services().prompts;
    const QString target = p ? p->SaveFileName({title, f.filter, 1, suggested}) : QString();
    if (target.isEmpty()) return {};
    if (editor.MsgBox2(QStringLiteral("[") + source + QStringLiteral("]") + kWideSpace + QStringLiteral("を") + kWideSpace +
                           QStringLiteral("[") + target + QStringLiteral("]") + kWideSpace +
                           QStringLiteral("にExportしてよろしいですか？"),
                       kButtonsYesNo, title) != kAnswerYes)
        return {};
    return target;
}

// The questions and the open dialog of an import; the file, or empty when cancelled.
QString AskImportSource(Editor& editor, const Format& f) {
    const QString title = Title("Import", f);
    if (editor.MsgBox2(QStringLiteral("現在編集中のファイルに%1形式ファイルを追加します．").arg(f.name), kButtonsYesNo,
                       title) != kAnswerYes)
        return {};
    Prompts* p = editor.Services().prompts;
    const QString path =
        p ? p->OpenFileName({title, f.filter, 1, QFileInfo(editor.KelFileName()).path()}) : QString();
    if (path.isEmpty()) return {};
    if (editor.MsgBox2(QStringLiteral("[") + path + QStringLiteral("]") + kWideSpace + QStringLiteral("を追加してよろしいですか？"),
                       kButtonsYesNo, title) != kAnswerYes)
        return {};
    return path;
}

bool WriteExport(Editor& editor, const QString& target, const QByteArray& bytes, const QString& title) {
    const TextWriteResult w = WriteBytesFile(target, bytes);
    editor.CaptionRoll(QStringLiteral("Off"));
    if (!w.ok)
        editor.MsgBox2(QStringLiteral("[") + target + QStringLiteral("]に書き出せませんでした．\r\n") + w.error, kButtonsOk, title);
    return w.ok;
}

}  // namespace

void ExportGpx(Editor& editor, const WaypointState& state) {
    const QString target = AskExportTarget(editor, kGpx);
    if (target.isEmpty()) return;
    editor.CaptionRoll(QStringLiteral(" > Export"));
    const GpxExport g = ConvertCommandsToGpx(editor.CommandTextsInOrder(), state.options);
    if (WriteExport(editor, target, g.gpx, Title("Export", kGpx)))
        ReportConversion(editor, g.counts, Title("Export", kGpx));
}

bool ImportGpxFile(Editor& editor, const WaypointState& state, const QString& path) {
    const QString title = Title("Import", kGpx);
    editor.CaptionRoll(QStringLiteral(" > Import"));
    const WptConversion c = ConvertGpxToKel(path, state.options, DatumOfCommands(editor.CommandTextsInOrder()));
    if (!c.ok) {
        editor.CaptionRoll(QStringLiteral("Off"));
        editor.MsgBox2(QStringLiteral("[") + path + QStringLiteral("]を追加できませんでした．\r\n") + c.error, kButtonsOk, title);
        return false;
    }
    const int before = editor.List().Count();
    if (!AppendScriptLines(editor, c.lines, path, title)) return false;
    ReportConversion(editor, c, title);
    return editor.List().Count() > before;
}

void ImportGpx(Editor& editor, const WaypointState& state) {
    const QString path = AskImportSource(editor, kGpx);
    if (!path.isEmpty()) ImportGpxFile(editor, state, path);
}

void ExportGeoJson(Editor& editor) {
    const QString target = AskExportTarget(editor, kGeoJson);
    if (target.isEmpty()) return;
    editor.CaptionRoll(QStringLiteral(" > Export"));
    QList<int> only;
    for (int i : editor.List().SelectedIndexes()) only.append(i);
    const GeoJsonResult r = ConvertCommandsToGeoJson(editor.CommandTextsInOrder(), only, GeoJsonOptions());
    if (WriteExport(editor, target, r.json, Title("Export", kGeoJson)) &&
        (r.skipped > 0 || !r.unknownDatum.isEmpty()))
        editor.MsgBox2(r.Summary() + QStringLiteral("\r\n") + r.notes.join(QStringLiteral("\r\n")), kButtonsOk,
                       Title("Export", kGeoJson));
}

bool ImportGeoJsonFile(Editor& editor, const QString& path) {
    const QString title = Title("Import", kGeoJson);
    editor.CaptionRoll(QStringLiteral(" > Import"));
    QFile f(path);
    GeoJsonResult r;
    if (!f.open(QIODevice::ReadOnly)) {
        r.ok = false;
        r.error = f.errorString();
    } else {
        r = ConvertGeoJsonToKel(f.readAll(), DatumOfCommands(editor.CommandTextsInOrder()));
    }
    if (!r.ok) {
        editor.CaptionRoll(QStringLiteral("Off"));
        editor.MsgBox2(QStringLiteral("[") + path + QStringLiteral("]を追加できませんでした．\r\n") + r.error, kButtonsOk, title);
        return false;
    }
    const int before = editor.List().Count();
    if (!AppendScriptLines(editor, r.lines, path, title)) return false;
    if (r.skipped > 0 || r.changedValues > 0)
        editor.MsgBox2(r.Summary() + QStringLiteral("\r\n") + r.notes.join(QStringLiteral("\r\n")), kButtonsOk, title);
    return editor.List().Count() > before;
}

void ImportGeoJson(Editor& editor) {
    const QString path = AskImportSource(editor, kGeoJson);
    if (!path.isEmpty()) ImportGeoJsonFile(editor, path);
}

void InstallExchangeActions(Editor& editor, WaypointState& state) {
    editor.RegisterAction(QStringLiteral("MenuFileImportGpx"), [&] { ImportGpx(editor, state); });
    editor.RegisterAction(QStringLiteral("MenuFileExportGpx"), [&] { ExportGpx(editor, state); });
    editor.RegisterAction(QStringLiteral("MenuFileImportGeoJson"), [&] { ImportGeoJson(editor); });
    editor.RegisterAction(QStringLiteral("MenuFileExportGeoJson"), [&] { ExportGeoJson(editor); });
    editor.SetExchangeImportHook([&editor, &state](const QString& kind, const QString& path) {
        if (kind == QLatin1String("GPX"))
            ImportGpxFile(editor, state, path);
        else
            ImportGeoJsonFile(editor, path);
    });
}

}  // namespace kel
