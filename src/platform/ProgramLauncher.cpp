#include "platform/ProgramLauncher.h"

#include <QProcess>

#include <csignal>
#include <sys/types.h>

namespace kel {

LaunchResult ProcessLauncher::Start(const LaunchRequest& request) {
    LaunchResult result;
    if (request.program.trimmed().isEmpty()) {
        result.error = QStringLiteral("no program to start");
        return result;
    }
    QProcess process;
    process.setProgram(request.program);
    process.setArguments(request.arguments);
    if (!request.workingFolder.isEmpty()) process.setWorkingDirectory(request.workingFolder);
    result.ok = process.startDetached(&result.processId);
    if (!result.ok) {
        result.error = QStringLiteral("cannot start %1: %2").arg(request.program, process.errorString());
    }
    return result;
}

bool ProcessLauncher::Stop(qint64 processId) {
    if (processId <= 0) return false;
    return ::kill(pid_t(processId), SIGTERM) == 0;
}

LaunchResult RecordingLauncher::Start(const LaunchRequest& request) {
    started_ << request;
    LaunchResult result;
    result.ok = error_.isEmpty();
    if (result.ok) result.processId = 1000 + started_.size();
    result.error = error_;
    return result;
}

}  // namespace kel
