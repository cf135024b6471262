#include "app/Settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "common/TextFile.h"
#include "script/CommandLibrary.h"

namespace kel {

namespace {

bool IsDefault(const QString& line) {
    return line.trimmed().compare(QLatin1String("Default"), Qt::CaseInsensitive) == 0 ||
           line.trimmed().isEmpty();
}

// A line that begins a library entry: three digits and ":".
bool IsEntryStart(const QString& line) {
    return line.size() >= 4 && line[3] == QLatin1Char(':') && line[0].isDigit() &&
           line[1].isDigit() && line[2].isDigit();
}

bool EndsEntry(const QString& line) { return line.trimmed().endsWith(QLatin1Char(';')); }

}  // namespace

QString SettingsFolder() {
    const QString env = qEnvironmentVariable(kSettingsDirVariable);
    if (!env.isEmpty()) return QDir(env).absolutePath();
    return QCoreApplication::applicationDirPath();
}

IniSettings IniSettings::FromLines(const QStringList& lines) {
    IniSettings s;
    const auto line = [&lines](int n) { return n <= lines.size() ? lines[n - 1] : QString(); };
    s.askFloppy = line(2).trimmed() == QLatin1String("2");
    s.mapExecutable = line(4).trimmed();
    if (lines.size() >= 5 && !line(5).trimmed().isEmpty()) s.definitionFolder = line(5).trimmed();
    if (lines.size() >= 6 && !line(6).trimmed().isEmpty()) s.floppyFolder = line(6).trimmed();
    const QString wpt = line(7).trimmed();
    if (wpt.compare(QLatin1String("NON"), Qt::CaseInsensitive) != 0) s.waypointProgram = wpt;
    return s;
}

IniSettings ReadIniSettings(const QString& folder) {
    const QString path = QDir(folder).filePath(kIniFileName);
    if (!QFileInfo(path).isFile()) return IniSettings();
    const TextReadResult r = ReadTextFile(path);
    return r.ok ? IniSettings::FromLines(r.lines) : IniSettings();
}

QString ResolveDefinitionFolder(const QString& line, const QString& programFolder) {
    if (!IsDefault(line)) return QDir::cleanPath(line.trimmed());
    const QFileInfo info(programFolder);
    if (info.isDir() && info.isWritable()) return QDir::cleanPath(programFolder);
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
}

QString ResolveFloppyFolder(const QString& line) {
    if (!IsDefault(line)) return QDir::cleanPath(line.trimmed());
#if defined(Q_OS_WIN)
    return QStringLiteral("A:/");
#else
    return QStringLiteral("/media/floppy");
#endif
}

bool MediumPresent(const QString& folder) {
    const QFileInfo info(folder);
    return info.isDir() && info.isReadable() && info.isExecutable();
}

QString DefinitionFile::HeaderVersion() const { return header.mid(38, 3); }

bool ParsePosition(const QString& text, QPoint* out) {
    const QStringList parts = text.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts.size() < 2) return false;
    bool okX = false, okY = false;
    const double x = parts[0].toDouble(&okX);
    const double y = parts[1].toDouble(&okY);
    if (!okX || !okY) return false;
    *out = QPoint(int(x), int(y));
    return true;
}

DefinitionFile ParseDefinitionFile(const QStringList& lines) {
    DefinitionFile f;
    f.header.clear();
    qsizetype next = 0;
    const auto read = [&]() { return next < lines.size() ? lines[next++] : QString(); };
    QString first = read();
    if (first.startsWith(QLatin1Char('['))) {
        f.header = first;
        first = read();
    }
    f.mapExecutable = first;
    f.folder = read();
    f.mainPositionKnown = ParsePosition(read(), &f.mainPosition);
    if (!ParsePosition(read(), &f.posEditorPosition)) f.posEditorPosition = QPoint(-1, -1);
    bool okN = false;
    f.lastIndex = read().trimmed().toInt(&okN);
    if (!okN) f.lastIndex = -1;
    for (int i = 0; i <= f.lastIndex && next < lines.size(); ++i) {
        QString entry;
        while (next < lines.size()) {
            const QString line = lines[next];
            // A text that does not end in ";" must not swallow the entries after it.
            if (!entry.isEmpty() && IsEntryStart(line)) break;
            ++next;
            if (line.size() >= 4 && line[3] == QLatin1Char(':'))
                entry = QStringLiteral("%1").arg(i, 3, 10, QLatin1Char('0')) + line.mid(3);
            else
                entry += QStringLiteral("\r\n") + line;
            if (EndsEntry(line)) break;
        }
        f.library.append(entry);
    }
    return f;
}

QStringList DefinitionFileLines(const DefinitionFile& file) {
    QStringList out;
    out << kDefinitionHeader << file.mapExecutable << file.folder
        << QStringLiteral("%1 %2").arg(file.mainPosition.x()).arg(file.mainPosition.y())
        << QStringLiteral("%1 %2").arg(file.posEditorPosition.x()).arg(file.posEditorPosition.y())
        << QString::number(file.library.size() - 1);
    // Entries keep their CR LF pairs; the writer puts them out as they are.
    out += file.library;
    return out;
}

QStringList UpgradeLibrary(const DefinitionFile& old) {
    QStringList library = StandardLibrary();
    const QStringList standard = library;
    // A file of version 1 began with its own 25 standard entries; for other versions, an
    // entry equal to a standard one (label and text) is not the user's.
    const bool version1 = old.HeaderVersion().startsWith(QLatin1Char('1')) &&
                          !old.HeaderVersion().startsWith(QLatin1String("1.1"));
    const int skip = version1 ? 25 : 0;
    QStringList standardBodies;
    for (const QString& line : standard) standardBodies << line.mid(4);
    for (int i = skip; i < old.library.size(); ++i) {
        const QString body = old.library[i].mid(4);
        if (body.isEmpty() || (!version1 && standardBodies.contains(body))) continue;
        library << QStringLiteral("%1").arg(library.size(), 3, 10, QLatin1Char('0')) + QLatin1Char(':') + body;
    }
    return library;
}

}  // namespace kel

namespace kel {

QPoint PlaceOnScreens(QPoint topLeft, QSize size, const QList<QRect>& screens, QRect primary) {
    // The strip a user grabs to move the window must be reachable.
    const QRect titleBar(topLeft, QSize(qMax(size.width(), 1), 30));
    for (const QRect& screen : screens) {
        const QRect meet = screen.intersected(titleBar);
        if (meet.width() >= qMin(100, titleBar.width()) && meet.height() >= 10) return topLeft;
    }
    return primary.topLeft() + QPoint(40, 40);
}

}  // namespace kel
