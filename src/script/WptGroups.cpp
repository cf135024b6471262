#include "script/WptGroups.h"

namespace kel {

Slots WptGroupSlots(const WptGroup& g) {
    Slots s;
    s[1] = QLatin1String(g.gid);
    s[2] = QLatin1String(g.gname);
    s[3] = QLatin1String(g.textrgb);
    s[4] = QLatin1String(g.linergb);
    s[5] = QStringLiteral("0,0,255");
    s[6] = QStringLiteral("0,0,255");
    s[7] = QLatin1String(g.textstyle);
    s[8] = QStringLiteral("line#0");
    s[9] = QStringLiteral("hatch#3");
    s[10] = QLatin1String(g.pointstyle);
    s[11] = QStringLiteral("line#0");
    s[12] = QLatin1String(g.size);
    s[13] = QLatin1String(g.width);
    s[14] = QLatin1String(g.width);
    return s;
}

}  // namespace kel
