#include "common/FileLength.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace kel {

qint64 FileLength(const QString& path) {
    if (path.isEmpty() || path.contains(QChar(0))) return -2;
    const QFileInfo info(path);
    if (info.exists()) {
        if (!info.isFile()) return -9999;
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly)) return -9999;
        return info.size();
    }
    const QFileInfo parent(info.absolutePath());
    if (!parent.exists() || !parent.isDir()) return -1;
    return -3;
}

QString CommandArg(const QString& commandLine, int n) {
    const QStringList words =
        commandLine.isEmpty() ? QStringList() : commandLine.split(QLatin1Char(' '));
    if (n == 0) return QString::number(words.size());
    if (n < 0 || n > words.size()) return QString();
    return words[n - 1];
}

}  // namespace kel
