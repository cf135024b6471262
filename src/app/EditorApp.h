// The program around one editing session: start-up in its fixed order (settings file,
// definition file with the command library, the removable-medium option, a cleared
// document), the command line, and shutdown with its questions and the rewritten definition
// file. QtCore only; the main window calls these and shows what they report.
#pragma once

#include <QObject>
#include <QPoint>
#include <QStringList>
#include <functional>
#include <memory>

#include "app/EditorSession.h"
#include "app/Settings.h"
#include "editor/Recovery.h"

namespace kel {

class EditorApp : public QObject {
    Q_OBJECT
public:
    explicit EditorApp(EditorServices services, QObject* parent = nullptr);
    ~EditorApp() override;

    EditorSession& session() { return session_; }
    Editor& editor() { return session_.editor(); }

    // Start-up up to the command line. `hasCommandLine`: the program was started with
    // words, so every question until the document is cleared answers Yes. Returns false
    // when the program must end (the user has been told why).
    bool StartUp(bool hasCommandLine);
    // The command line: "-n" for a new document, "PATH" or "PATH -o" to open a file. Words
    // come as the shell split them, so a path holding blanks stays one word.
    void RunCommandLine(const QStringList& words);

    // Closing the main window: asks whether to close (the unsaved-changes question when the
    // document is modified), then writes the definition file and lets go of the temporary
    // preview script, the map and the spreadsheet. False: the window stays open.
    bool Close();

    // The main window's place: set by the window (before start-up and before closing), and
    // read from the definition file at start-up (MainWindowPlaced is emitted then).
    void SetMainWindowPosition(QPoint topLeft, int height);
    QPoint MainWindowPosition() const { return mainPosition_; }
    QPoint PosEditorPosition() const { return posEditorPosition_; }
    void SetPosEditorPosition(QPoint p) { posEditorPosition_ = p; }

    QString SettingsFolderPath() const { return settingsFolder_; }
    QString IniPath() const;
    QString DefinitionFolder() const { return definitionFolder_; }
    QString DefinitionFilePath() const;
    const IniSettings& Ini() const { return ini_; }
    bool FromRemovableMedium() const { return fromMedium_; }
    // The Waypoint+ program of the settings file exists: its menu item and button show.
    bool WaypointProgramAvailable() const { return waypointAvailable_; }

    // Recovery copies of unsaved work (see editor/Recovery.h). The folder is
    // RecoveryKeeper::DefaultFolder() unless set before start-up; start-up takes the lock.
    RecoveryKeeper& Recovery() { return *recovery_; }
    void SetRecoveryFolder(const QString& folder);
    // Offers the copies that editors which did not end normally left behind (after
    // start-up, before the command line). True when one was restored.
    bool OfferRecovery();

    // Writes the definition file now (shutdown does this); false when it could not be
    // written (the user has been told).
    bool SaveDefinitionFile();

    // Connecting and releasing the map; filled by the map when it is built in.
    std::function<void()> connectMap;
    std::function<void()> releaseMap;

Q_SIGNALS:
    void MainWindowPlaced(QPoint topLeft);

private:
    bool AskForMedium(const QString& folder, const QString& prompt, const QString& title);
    bool ReadOrCreateDefinitionFile();
    bool WriteDefinition(const QString& path, const QStringList& library, QString* error);
    void LoadLibraryFromFile(const QString& path);
    void AddActions();

    EditorSession session_;
    std::unique_ptr<RecoveryKeeper> recovery_;
    QString settingsFolder_;
    IniSettings ini_;
    QString definitionFolder_;
    QString hardDiskFolder_;
    bool started_ = false;
    bool fromMedium_ = false;
    bool waypointAvailable_ = false;
    QString savedFolder_;
    QPoint mainPosition_{0, 0};
    int mainHeight_ = 0;
    QPoint posEditorPosition_{-1, -1};
};

}  // namespace kel
