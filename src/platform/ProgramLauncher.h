// Starting other programs (the map product for the preview, the GPS program): started
// detached, so they keep running on their own; the editor does not wait for them.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace kel {

// How the started program's window should first appear. The window systems this runs on
// leave that to the program, so the real launcher passes it on only as a wish.
enum class LaunchWindow { Normal, Minimised };

struct LaunchRequest {
    QString program;          // path of the executable
    QStringList arguments;    // each passed as one argument, quoted as the system needs
    LaunchWindow window = LaunchWindow::Normal;
    QString workingFolder;    // empty: the editor's current folder
};

struct LaunchResult {
    bool ok = false;
    QString error;            // why the program could not be started
    qint64 processId = 0;     // the started program's process, when the system tells it
};

class ProgramLauncher {
public:
    virtual ~ProgramLauncher() = default;
    virtual LaunchResult Start(const LaunchRequest& request) = 0;
    // Asks a program this launcher started to end (as closing its window does); false when
    // it cannot be asked.
    virtual bool Stop(qint64 processId) = 0;
};

// Starts programs with QProcess::startDetached.
class ProcessLauncher : public ProgramLauncher {
public:
    LaunchResult Start(const LaunchRequest& request) override;
    bool Stop(qint64 processId) override;
};

// A launcher double: records every request and answers with the configured result
// (success unless told otherwise).
class RecordingLauncher : public ProgramLauncher {
public:
    void FailWith(const QString& error) { error_ = error; }
    const QList<LaunchRequest>& Started() const { return started_; }
    // Process ids asked to end; started programs get the ids 1001, 1002, ...
    const QList<qint64>& Stopped() const { return stopped_; }

    LaunchResult Start(const LaunchRequest& request) override;
    bool Stop(qint64 processId) override {
        stopped_ << processId;
        return true;
    }

private:
    QList<LaunchRequest> started_;
    QList<qint64> stopped_;
    QString error_;
};

}  // namespace kel
