#include "platform/QtPlatform.h"

namespace kel {

QtPlatform::QtPlatform(QWidget* dialogParent) : qtPrompts(dialogParent) {
    prompts = &qtPrompts;
    clipboard = &qtClipboard;
    urlFetcher = &httpUrlFetcher;
    launcher = &processLauncher;
    registry = &fileRegistry;
    clock = &systemClock;
    spreadsheet = &workbookFiles;
    fileRegistry.Load(FileRegistry::DefaultPath(), &registryError_);
}

}  // namespace kel
