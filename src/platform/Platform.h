// The platform services the editor needs, in one bundle: built once with the real
// services by the program (QtPlatform, in the GUI library) or with doubles by a test
// (Platform::Doubles()), and handed to the editor as a whole.
#pragma once

#include "platform/Clipboard.h"
#include "platform/Clock.h"
#include "platform/ProgramLauncher.h"
#include "platform/Prompts.h"
#include "platform/Registry.h"
#include "platform/ScriptedPrompts.h"
#include "platform/Spreadsheet.h"
#include "platform/UrlFetcher.h"

namespace kel {

class PlatformDoubles;

// Pointers to one service of each kind. The bundle does not own them; whoever built it
// keeps them alive for as long as the bundle is used.
struct Platform {
    Prompts* prompts = nullptr;
    Clipboard* clipboard = nullptr;
    UrlFetcher* urlFetcher = nullptr;
    ProgramLauncher* launcher = nullptr;
    Registry* registry = nullptr;
    Clock* clock = nullptr;
    Spreadsheet* spreadsheet = nullptr;

    bool IsComplete() const {
        return prompts && clipboard && urlFetcher && launcher && registry && clock &&
               spreadsheet;
    }

    // A bundle that owns one double of each service, e.g.
    //   auto platform = Platform::Doubles();
    //   platform.scriptedPrompts.Answer(kAnswerYes);
    //   Editor editor(platform);
    static PlatformDoubles Doubles();
};

// Owns the doubles it points to; it can be neither copied nor moved (the pointers point
// into it), but a copy of its Platform part may be handed on while it lives.
class PlatformDoubles : public Platform {
public:
    PlatformDoubles() {
        prompts = &scriptedPrompts;
        clipboard = &memoryClipboard;
        urlFetcher = &mapUrlFetcher;
        launcher = &recordingLauncher;
        registry = &tableRegistry;
        clock = &fixedClock;
        spreadsheet = &memorySpreadsheet;
    }
    PlatformDoubles(const PlatformDoubles&) = delete;
    PlatformDoubles& operator=(const PlatformDoubles&) = delete;

    ScriptedPrompts scriptedPrompts;
    MemoryClipboard memoryClipboard;
    MapUrlFetcher mapUrlFetcher;
    RecordingLauncher recordingLauncher;
    TableRegistry tableRegistry;
    FixedClock fixedClock;
    MemorySpreadsheet memorySpreadsheet;
};

inline PlatformDoubles Platform::Doubles() { return PlatformDoubles(); }

}  // namespace kel
