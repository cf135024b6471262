#include "editor/ProAtlasLink.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "editor/Editor.h"
#include "platform/ProgramLauncher.h"
#include "platform/Prompts.h"
#include "platform/Registry.h"
#include "proatlas/FigureDrawing.h"
#include "proatlas/ProAtlas.h"
#include "script/ScriptFile.h"
#include "script/StatementWriter.h"

namespace kel {

QString DetectPreviewProgram(const QString& iniLine4, const Registry* registry,
                             const QString& programFolder) {
    const QString line = iniLine4.trimmed();
    QString normalised = line;
    normalised.replace(QLatin1Char('/'), QLatin1Char('\\'));
    if (normalised.endsWith(QLatin1String("\\patls98.exe"), Qt::CaseInsensitive)) return line;
    if (!line.isEmpty()) {
        const QFileInfo info(line);
        if (info.isFile() && info.isExecutable()) return line;
    }
    if (registry) {
        const QString folder =
            registry->ReadString(QStringLiteral("SOFTWARE\\ALPS\\Rdw30"), QStringLiteral("installpath"));
        if (!folder.isEmpty())
            return QDir::toNativeSeparators(folder + QStringLiteral("/Program/patls98.exe"));
    }
    return QDir(programFolder).filePath(QStringLiteral("kelmap"));
}

bool IsKelmap(const QString& program) {
    return QFileInfo(program).completeBaseName().compare(QLatin1String("kelmap"), Qt::CaseInsensitive) == 0;
}

ProAtlasLink::ProAtlasLink(Editor& editor, MapFigureDisplay& display, QObject* parent)
    : QObject(parent), editor_(editor), display_(display) {
    for (const char* name : {"DispAll", "MenuViewProAtlas"})
        editor_.RegisterAction(QString::fromLatin1(name), [this] { DispAllClick(); });
    editor_.RegisterAction(QStringLiteral("MenuFileOpenProAtlas"), [this] { ConnectProAtlas(); });
}

bool ProAtlasLink::ConnectProAtlas() {
    if (app_) return true;
    app_ = createMap ? createMap() : nullptr;
    if (!app_) {
        if (editor_.Services().prompts)
            editor_.Services().prompts->Message(kAutomationName + QStringLiteral("が開けません"),
                                                kIconExclamation, QStringLiteral("エラーメッセージ"));
        return false;
    }
    app_->ShowWindow();
    app_->SetEnableMark(true);
    display_.SetMap(app_);
    return true;
}

void ProAtlasLink::ReleaseProAtlas() {
    if (app_) {
        app_->SetEnableMark(false);
        ProAtlas* app = app_;
        app_ = nullptr;
        display_.SetMap(nullptr);
        if (closeMap) closeMap(app);
    }
    if (leftTemporary_) {
        QFile::remove(TemporaryScriptPath());
        leftTemporary_ = false;
    }
}

QString ProAtlasLink::TemporaryScriptPath() const {
    const QString folder = editor_.DefinitionFolder().isEmpty() ? QDir::tempPath() : editor_.DefinitionFolder();
    return QDir(folder).filePath(kTemporaryScriptName);
}

void ProAtlasLink::SetDispAll(bool on) {
    dispAllCaption_ = on ? QStringLiteral("Off") : QStringLiteral("P.Atls");
    menuViewProAtlas_ = kMenuViewProAtlasBase + (on ? QStringLiteral("[ON]") : QStringLiteral("[OFF]"));
    Q_EMIT CaptionsChanged();
}

void ProAtlasLink::DispAllClick() {
    if (dispAllCaption_ == QLatin1String("Off")) {
        ShowInProAtlas(QStringLiteral("Clear"));
        Q_EMIT RaiseEditor();
        SetDispAll(false);
        return;
    }
    if (dispAllCaption_ != QLatin1String("P.Atls")) {
        SetDispAll(false);
        return;
    }
    if (editor_.List().Count() == 0) return;
    if (editor_.EditFg() == 1 || editor_.KelFileName().isEmpty()) {
        const QString path = TemporaryScriptPath();
        const TextWriteResult w = WriteScriptFile(path, editor_.CommandTextsInOrder());
        if (!w.ok) {
            editor_.MsgBox2(QStringLiteral("プレビュー用のファイル[") + path +
                                QStringLiteral("]を書けません．") + w.error,
                            0, QStringLiteral("Preview"));
            return;
        }
        ShowInProAtlas(path, true);
    } else {
        ShowInProAtlas(editor_.KelFileName());
    }
    if (dispAllCaption_ == QLatin1String("P.Atls") && previewProcess_ < 0) {
        previewProcess_ = 0;  // the program did not start: the preview stays off
        return;
    }
    Q_EMIT RaiseEditor();
    SetDispAll(true);
}

void ProAtlasLink::RedoPreview() {
    if (dispAllCaption_ != QLatin1String("Off")) return;
    // Our map program's window of the old document closes; the product shows the new one
    // in its own window.
    if (IsKelmap(executable_) && previewProcess_ > 0 && editor_.Services().launcher)
        editor_.Services().launcher->Stop(previewProcess_);
    previewProcess_ = 0;
    dispAllCaption_ = QStringLiteral("P.Atls");
    DispAllClick();
}

void ProAtlasLink::ShowInProAtlas(const QString& pathOrClear, bool deleteAfter) {
    ProgramLauncher* launcher = editor_.Services().launcher;
    if (!launcher) return;
    const bool kelmap = IsKelmap(executable_);
    if (pathOrClear == QLatin1String("Clear")) {
        if (kelmap) {
            // Our map program shows one script per window: ending the preview closes the
            // window it opened instead of opening another, empty one.
            if (previewProcess_ > 0) launcher->Stop(previewProcess_);
            previewProcess_ = 0;
        } else {
            const QString path = TemporaryScriptPath();
            QStringList lines = NewDocumentSkeleton(ShortDateText(
                                    editor_.Services().clock ? editor_.Services().clock->Today()
                                                             : QDate::currentDate()))
                                    .mid(0, 2);
            lines << QStringLiteral("mapserver end;");
            if (WriteScriptFile(path, lines).ok) {
                LaunchRequest r{executable_, {path}, LaunchWindow::Normal, QString()};
                launcher->Start(r);
                leftTemporary_ = true;
            }
        }
        SetDispAll(false);
        return;
    }
    LaunchRequest r{executable_, {}, LaunchWindow::Normal, QString()};
    // The temporary copy may only go once the program has read it: our map program removes
    // it itself; another program's copy stays until the editor ends.
    if (deleteAfter && kelmap) r.arguments << kRemoveAfterReadOption;
    r.arguments << pathOrClear;
    const LaunchResult started = launcher->Start(r);
    if (!started.ok) {
        previewProcess_ = -1;
        editor_.MsgBox2(QStringLiteral("プレビューのプログラム[") + executable_ +
                            QStringLiteral("]を起動できません．") + started.error,
                        0, QStringLiteral("Preview"));
        if (deleteAfter) QFile::remove(pathOrClear);
        return;
    }
    previewProcess_ = started.processId > 0 ? started.processId : 0;
    if (deleteAfter && !kelmap) leftTemporary_ = true;
}

}  // namespace kel
