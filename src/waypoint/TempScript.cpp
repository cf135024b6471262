#include "waypoint/TempScript.h"

#include <QDir>

namespace kel {

TempScriptFile::TempScriptFile()
    : dir_(QDir::tempPath() + QStringLiteral("/kel-wpt-XXXXXX")) {
    if (dir_.isValid()) path_ = dir_.filePath(QStringLiteral("Temp.kel"));
}

}  // namespace kel
