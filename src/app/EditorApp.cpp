#include "app/EditorApp.h"

#include <QCoreApplication>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "app/MenuMap.h"
#include "common/FileLength.h"
#include "common/TextFile.h"
#include "formula/FormulaEngine.h"
#include "platform/Prompts.h"
#include "script/CommandLibrary.h"

namespace kel {

namespace {

bool IsFolder(const QString& path) { return !path.isEmpty() && QFileInfo(path).isDir(); }

}  // namespace

EditorApp::EditorApp(EditorServices services, QObject* parent)
    : QObject(parent), session_(services) {
    AddActions();
    recovery_ = std::make_unique<RecoveryKeeper>(session_.editor(), RecoveryKeeper::DefaultFolder());
}

void EditorApp::SetRecoveryFolder(const QString& folder) {
    if (recovery_->Started()) return;
    recovery_ = std::make_unique<RecoveryKeeper>(session_.editor(), folder);
}

bool EditorApp::OfferRecovery() {
    if (!recovery_->Started()) return false;
    return recovery_->OfferRecovery();
}

EditorApp::~EditorApp() = default;

void EditorApp::AddActions() {
    Editor& e = session_.editor();
    // Items whose operation the editor knows by another name.
    e.RegisterAction(QStringLiteral("MenuFileReOpen"), [&e] { e.Reload(); });
    e.RegisterAction(QStringLiteral("MenuEditGetToDefalut"), [&e] { e.StockCommand(); });
    e.RegisterAction(QStringLiteral("Calc"), [this] {
        session_.formulas().InputFormula(QString(), session_.editor().List().Current());
    });
    // Items without an action of their own.
    for (const char* name : {"KelEditFigureAddObjectFigure", "MenuFileGarConnectPanel", "MenuFileGarConnectExport",
                             "MenuFileGarConnectImport"})
        e.RegisterAction(QString::fromLatin1(name), [] {});
}

QString EditorApp::IniPath() const { return QDir(settingsFolder_).filePath(kIniFileName); }

QString EditorApp::DefinitionFilePath() const {
    return QDir(definitionFolder_).filePath(kDefinitionFileName);
}

void EditorApp::SetMainWindowPosition(QPoint topLeft, int height) {
    mainPosition_ = topLeft;
    mainHeight_ = height;
}

bool EditorApp::AskForMedium(const QString& folder, const QString& prompt,
                             const QString& title) {
    // The medium may never come: the request offers Retry and Cancel rather than asking
    // for ever.
    Editor& e = session_.editor();
    while (!MediumPresent(folder)) {
        if (e.MsgBox2(prompt + QStringLiteral("\r\n(") + folder + QLatin1Char(')'),
                      kButtonsRetryCancel + kIconExclamation, title) != kAnswerRetry)
            return false;
    }
    return true;
}

bool EditorApp::StartUp(bool hasCommandLine) {
    Editor& e = session_.editor();
    e.SetBaseTitle(kMainWindowTitle);
    if (hasCommandLine) e.SetAutoAnswerYes(true);

    settingsFolder_ = SettingsFolder();
    // A folder named by the variable is meant to be used, not passed over for another.
    if (qEnvironmentVariableIsSet(kSettingsDirVariable)) QDir().mkpath(settingsFolder_);
    ini_ = ReadIniSettings(settingsFolder_);
    waypointAvailable_ = !ini_.waypointProgram.isEmpty() && FileLength(ini_.waypointProgram) > 0;
    session_.waypoint().waypointProgram = waypointAvailable_ ? ini_.waypointProgram : QString();
    // The preview program: the settings line, the registry, else our own map program.
    session_.proAtlas().SetExecutable(DetectPreviewProgram(
        ini_.mapExecutable, session_.editor().Services().registry, QCoreApplication::applicationDirPath()));

    hardDiskFolder_ = ResolveDefinitionFolder(ini_.definitionFolder, settingsFolder_);
    definitionFolder_ = hardDiskFolder_;
    fromMedium_ = false;
    if (ini_.askFloppy) {
        if (e.MsgBox2(QStringLiteral("KelEditorのDefaultFileをフロッピーディスクから読みこみますか？"),
                      kButtonsYesNo + kIconQuestion, QStringLiteral("SetupOption")) == kAnswerYes) {
            const QString medium = ResolveFloppyFolder(ini_.floppyFolder);
            const QString prompt = QStringLiteral("FDD(") + medium +
                                   QStringLiteral(")にフロッピーディスクを入れてください．");
            if (AskForMedium(medium, prompt, QStringLiteral("Please"))) {
                definitionFolder_ = medium;
                fromMedium_ = true;
            }
        }
        e.MsgBox2(fromMedium_ ? QStringLiteral("フロッピーディスクから読みこみます")
                              : QStringLiteral("ハードディスクから読みこみます"),
                  kIconQuestion, QStringLiteral("ReadDefault"));
    }
    e.SetDefinitionFolder(definitionFolder_);

    if (!ReadOrCreateDefinitionFile()) return false;
    started_ = true;

    e.Clear();
    recovery_->Start();
    if (connectMap) connectMap();
    return true;
}

bool EditorApp::ReadOrCreateDefinitionFile() {
    Editor& e = session_.editor();
    const QString path = DefinitionFilePath();
    QStringList library;
    bool write = true;
    if (FileLength(path) < 1) {
        posEditorPosition_ = mainPosition_;
        library = StandardLibrary();
    } else {
        const TextReadResult r = ReadTextFile(path);
        const DefinitionFile file = ParseDefinitionFile(r.ok ? r.lines : QStringList());
        savedFolder_ = file.folder;
        QDir::setCurrent(IsFolder(file.folder) ? file.folder : definitionFolder_);
        if (file.mainPositionKnown) {
            mainPosition_ = file.mainPosition;
            Q_EMIT MainWindowPlaced(mainPosition_);
        }
        posEditorPosition_ = file.posEditorPosition;
        if (r.ok && file.HeaderIsCurrent()) {
            write = false;
        } else {
            library = UpgradeLibrary(file);
        }
    }
    if (write) {
        if (!IsFolder(definitionFolder_) && definitionFolder_ == hardDiskFolder_ &&
            ini_.definitionFolder.compare(QLatin1String("Default"), Qt::CaseInsensitive) == 0)
            QDir().mkpath(definitionFolder_);  // the user's configuration folder, first use
        if (!IsFolder(definitionFolder_)) {
            e.MsgBox2(definitionFolder_ +
                          QStringLiteral("は，存在しないかアクセス権が無いため続行できません．終了します．"),
                      kButtonsOk, QStringLiteral("Quit"));
            return false;
        }
        QString error;
        if (!WriteDefinition(path, library, &error)) {
            // The library still works for this run; only keeping it needs the file.
            e.MsgBox2(path + QStringLiteral("を書き込めません．\r\n") + error, kButtonsOk,
                      QStringLiteral("WriteDefault"));
            e.Library().SetLines(library, int(library.size()) - 1);
            e.Library().SetShown(0);
            return true;
        }
    }
    LoadLibraryFromFile(path);
    return true;
}

bool EditorApp::WriteDefinition(const QString& path, const QStringList& library, QString* error) {
    DefinitionFile file;
    file.mapExecutable = ini_.mapExecutable;
    // The folder the user last worked in: that of the open script, else the current one.
    const QString script = session_.editor().KelFileName();
    file.folder = script.isEmpty() ? QDir::currentPath() : QFileInfo(script).absolutePath();
    file.mainPosition = mainPosition_;
    file.posEditorPosition = posEditorPosition_;
    file.library = library;
    const TextWriteResult w = WriteTextFile(path, DefinitionFileLines(file));
    if (!w.ok && error) {
        *error = w.error;
        if (w.badLine > 0)
            *error += QStringLiteral(" (line %1, \"%2\")").arg(w.badLine).arg(w.badChar);
    }
    return w.ok;
}

void EditorApp::LoadLibraryFromFile(const QString& path) {
    const TextReadResult r = ReadTextFile(path);
    const DefinitionFile file = ParseDefinitionFile(r.ok ? r.lines : QStringList());
    Editor& e = session_.editor();
    if (file.mainPositionKnown) {
        mainPosition_ = file.mainPosition;
        Q_EMIT MainWindowPlaced(mainPosition_);
    }
    posEditorPosition_ = file.posEditorPosition;
    QStringList library = file.library;
    if (library.isEmpty()) library = StandardLibrary();
    e.Library().SetLines(library, file.lastIndex >= 0 ? file.lastIndex : int(library.size()) - 1);
    e.Library().SetShown(0);
    savedFolder_ = file.folder;
    QDir::setCurrent(IsFolder(file.folder) ? file.folder : definitionFolder_);
}

void EditorApp::RunCommandLine(const QStringList& words) {
    Editor& e = session_.editor();
    if (words.isEmpty()) return;
    // The editor's own rule splits a line at blanks; words from the shell are already
    // split, and a path that holds blanks is one of them.
    const QString first = words[0];
    const QString second = words.value(1);
    if (first == QLatin1String("-n")) {
        e.New();
    } else if (second == QLatin1String("-o") || second.isEmpty()) {
        e.MsgBox2(QStringLiteral("[") + first + QStringLiteral("]をOpenします"), kButtonsOkCancel,
                  QStringLiteral("Open File"));
        e.DoOpenKelFile(QFileInfo(first).absoluteFilePath());
    }
}

bool EditorApp::SaveDefinitionFile() {
    Editor& e = session_.editor();
    QString folder = definitionFolder_;
    if (fromMedium_) {
        e.MsgBox2(QStringLiteral("起動時のフロッピーディスクをドライブ（") + definitionFolder_ +
                      QStringLiteral("）にいれてください"),
                  kIconQuestion, QStringLiteral("SaveDefault"));
        if (!AskForMedium(definitionFolder_,
                          QStringLiteral("FDD(") + definitionFolder_ +
                              QStringLiteral(")にフロッピーディスクを入れてください．"),
                          QStringLiteral("Please")))
            folder = hardDiskFolder_;  // kept on the hard disk rather than lost
    }
    if (posEditorPosition_ == QPoint(-1, -1))
        posEditorPosition_ = QPoint(mainPosition_.x(), mainPosition_.y() + mainHeight_);
    QDir().mkpath(folder);
    const QString path = QDir(folder).filePath(kDefinitionFileName);
    QString error;
    if (WriteDefinition(path, e.Library().Lines(), &error)) return true;
    e.MsgBox2(path + QStringLiteral("を書き込めません．\r\n") + error, kButtonsOk,
              QStringLiteral("SaveDefault"));
    return false;
}

bool EditorApp::Close() {
    Editor& e = session_.editor();
    const int answer =
        e.EditFg() == 1
            ? e.MsgBox2(QStringLiteral("現在のファイルは変更されています．このまま保存せずに閉じますか？"),
                        kAskLoseWork, QStringLiteral("Caution"))
            : e.MsgBox2(QStringLiteral("閉じますか？"), kAskOverwrite, QStringLiteral("EXIT"));
    if (answer != kAnswerYes) return false;
    // Before start-up has read the settings there is nothing to keep.
    if (started_ && !SaveDefinitionFile() &&
        e.MsgBox2(QStringLiteral("コマンドライブラリを保存できませんでした．このまま終了しますか？"),
                  kAskLoseWork, QStringLiteral("SaveDefault")) != kAnswerYes)
        return false;
    const QString preview = QDir(definitionFolder_).filePath(kPreviewScriptName);
    if (FileLength(preview) >= 1) QFile::remove(preview);
    if (releaseMap) releaseMap();
    session_.formulas().ReleaseSpreadsheet();
    // A normal end: the unsaved work was given up knowingly.
    recovery_->Discard();
    return true;
}

}  // namespace kel
