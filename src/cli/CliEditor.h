// An editor without windows for the subcommands that run editor operations: doubles for
// every service, questions answered Yes.
#pragma once

#include "app/Editor.h"
#include "platform/Platform.h"

namespace kel::cli {

struct HeadlessEditor {
    HeadlessEditor();
    PlatformDoubles platform;
    Editor editor;
    // Loads a script; fails with the editor's message when it cannot be read.
    void Open(const QString& path);
};

}  // namespace kel::cli
