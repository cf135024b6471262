#include "common/FileLength.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace kel {

qint64 FileLength(const QString& path) {
    if (path.isEmpty() || path.contains(QChar(0))) return kFileInvalidPath;
    const QFileInfo info(path);
    if (info.exists()) {
        if (!info.isFile()) return kFileOtherError;
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly)) return kFileOtherError;
        return info.size();
    }
    const QFileInfo parent(info.absolutePath());
    if (!parent.exists() || !parent.isDir()) return kFileFolderNotFound;
    return kFileNotFound;
}

QString CommandArg(const QString& commandLine, int n) {
    const QStringList words =
        commandLine.isEmpty() ? QStringList() : commandLine.split(QLatin1Char(' '));
    if (n == 0) return QString::number(words.size());
    if (n < 0 || n > words.size()) return QString();
    return words[n - 1];
}

}  // namespace kel
