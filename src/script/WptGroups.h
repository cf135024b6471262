// The groups of Waypoint+ data: one `group` command per kind of data (waypoints, routes, route
// points with their origin and destination, track logs, track points). An import writes them
// in front of the converted figures; the command library offers them as entries.
#pragma once

#include "script/Statement.h"

namespace kel {

struct WptGroup {
    const char* label;       // the command library's label
    const char* gname;
    const char* gid;
    const char* textrgb;
    const char* linergb;
    const char* textstyle;
    const char* pointstyle;
    const char* size;        // iconsize
    const char* width;       // linewidth and bodrwidth
};

inline constexpr WptGroup kWptGroups[] = {
    {"Wpt", "Waypoint", "5131", "0,255,0", "0,0,255", "frame#2", "mark#13024", "16", "1"},
    {"Route", "Route", "5132", "255,0,0", "255,0,0", "frame#2", "none", "32", "2"},
    {"RtPnt", "RoutePoint", "5133", "255,0,0", "0,0,255", "plain", "mark#93050", "16", "1"},
    {"RtPntOr", "RoutePointOrigin", "5133.1", "255,0,0", "0,0,255", "plain", "mark#14010", "16",
     "1"},
    {"RtPntDs", "RoutePointDestination", "5133.2", "255,0,0", "0,0,255", "plain", "mark#14131",
     "16", "1"},
    {"TrLog", "TrackLog", "5134", "0,0,255", "0,0,255", "frame#2", "none", "32", "2"},
    {"TrPnt", "TrackPoint", "5135", "0,0,255", "0,0,255", "plain", "mark#92000", "16", "1"},
};

// The slots of a group's `group` command. Area and border colours are blue, line, area and
// border styles "line#0", "hatch#3", "line#0" in all.
Slots WptGroupSlots(const WptGroup& group);

}  // namespace kel
