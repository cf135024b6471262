#include "platform/ProgramLauncher.h"

#include <QProcess>

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
    result.ok = process.startDetached();
    if (!result.ok) {
        result.error = QStringLiteral("cannot start %1: %2").arg(request.program, process.errorString());
    }
    return result;
}

LaunchResult RecordingLauncher::Start(const LaunchRequest& request) {
    started_ << request;
    LaunchResult result;
    result.ok = error_.isEmpty();
    result.error = error_;
    return result;
}

}  // namespace kel
