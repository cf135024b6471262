// The Waypoint+ reader.
//
// The input is read as a Waypoint+ text file: imported into a script with each track-log
// step, turned into routes with travel information and into a 2DRMS figure. What an import
// gives must be a script the program reads again (every command text one statement), and
// exporting it again must not fail.
#include <cstdint>

#include "FuzzSupport.h"
#include "platform/Clock.h"
#include "script/ScriptFile.h"
#include "script/Statement.h"
#include "waypoint/KelWpt.h"
#include "waypoint/TrackLog.h"
#include "waypoint/WptOptions.h"

using namespace kel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = kel::fuzz::FileText(data, size);
    const FixedClock clock;

    WptOptions options;
    // The step is taken from the input's length so that every step kind is reached.
    static const int steps[] = {0, 1, 3, -1, -2, -3, -4};
    options.trackLogStep = steps[size % 7];
    options.rpNumbering = size % 2 ? WptOptions::kUp : WptOptions::kDown;
    LineSource wpt = LineSource::FromText(text);
    const WptConversion imported = ConvertWptToKel(wpt, options);
    if (imported.ok) {
        for (const QString& command : imported.lines) {
            LineSource again(SplitLines(command));
            const QStringList read = ReadStatements(again);
            KEL_FUZZ_CHECK(read.size() == 1 && CommandWord(read[0]) == CommandWord(command),
                           QStringLiteral("imported command does not read back:\n") + command);
        }
        ConvertCommandsToWpt(imported.lines, options, clock);
    }
    imported.Summary();

    LineSource forRoute = LineSource::FromText(text);
    ConvertTrackToRoute(forRoute);
    LineSource forDrms = LineSource::FromText(text);
    TrackLog2DRMS(forDrms);
    return 0;
}
