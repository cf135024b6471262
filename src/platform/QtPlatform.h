// The real platform services, owned in one object: Qt dialogs and clipboard, network
// fetching, detached program start, the registry file, the system clock and workbook files
// read directly.
#pragma once

#include "platform/HttpUrlFetcher.h"
#include "platform/Platform.h"
#include "platform/QtClipboard.h"
#include "platform/QtPrompts.h"
#include "platform/WorkbookFiles.h"

namespace kel {

class QtPlatform : public Platform {
public:
    // Dialogs are modal to `dialogParent`. The registry file (FileRegistry::DefaultPath)
    // is read here; RegistryError() tells when it could not be.
    explicit QtPlatform(QWidget* dialogParent = nullptr);
    QtPlatform(const QtPlatform&) = delete;
    QtPlatform& operator=(const QtPlatform&) = delete;

    const QString& RegistryError() const { return registryError_; }

    QtPrompts qtPrompts;
    QtClipboard qtClipboard;
    HttpUrlFetcher httpUrlFetcher;
    ProcessLauncher processLauncher;
    FileRegistry fileRegistry;
    SystemClock systemClock;
    WorkbookFiles workbookFiles;

private:
    QString registryError_;
};

}  // namespace kel
