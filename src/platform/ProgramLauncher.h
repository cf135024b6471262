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
};

class ProgramLauncher {
public:
    virtual ~ProgramLauncher() = default;
    virtual LaunchResult Start(const LaunchRequest& request) = 0;
};

// Starts programs with QProcess::startDetached.
class ProcessLauncher : public ProgramLauncher {
public:
    LaunchResult Start(const LaunchRequest& request) override;
};

// A launcher double: records every request and answers with the configured result
// (success unless told otherwise).
class RecordingLauncher : public ProgramLauncher {
public:
    void FailWith(const QString& error) { error_ = error; }
    const QList<LaunchRequest>& Started() const { return started_; }

    LaunchResult Start(const LaunchRequest& request) override;

private:
    QList<LaunchRequest> started_;
    QString error_;
};

}  // namespace kel
