#include "platform/Registry.h"

#include "common/FileLength.h"
#include "common/TextFile.h"
#include "common/Values.h"

#include <QCoreApplication>
#include <QDir>

namespace kel {

namespace {

QString TableKey(const QString& key, const QString& name) {
    return RegistryKey(key) + QLatin1Char('\n') + name.trimmed().toLower();
}

// A quoted text without its quotes and escapes; `rest` gets what follows the closing quote.
QString Unquote(const QString& text, QString* rest) {
    QString out;
    qsizetype i = 1;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\\') && i + 1 < text.size()) {
            out += text[++i];
        } else if (c == QLatin1Char('"')) {
            break;
        } else {
            out += c;
        }
    }
    *rest = text.mid(i + 1);
    return out;
}

}  // namespace

QString RegistryKey(const QString& key) {
    QString k = key.trimmed();
    k.replace(QLatin1Char('/'), QLatin1Char('\\'));
    for (const QLatin1String root : {QLatin1String("HKEY_LOCAL_MACHINE"), QLatin1String("HKLM")}) {
        if (k.compare(root, Qt::CaseInsensitive) == 0) k.clear();
        if (k.startsWith(root + QLatin1Char('\\'), Qt::CaseInsensitive)) k = k.mid(root.size() + 1);
    }
    while (k.startsWith(QLatin1Char('\\'))) k.remove(0, 1);
    while (k.endsWith(QLatin1Char('\\'))) k.chop(1);
    return k.toLower();
}

void TableRegistry::Set(const QString& key, const QString& name, const QString& value) {
    values_.insert(TableKey(key, name), value);
}

QString TableRegistry::ReadString(const QString& key, const QString& name) const {
    return values_.value(TableKey(key, name));
}

bool FileRegistry::Load(const QString& path, QString* error) {
    const qint64 length = FileLength(path);
    if (FileIsMissing(length)) return true;
    const TextReadResult read = ReadTextFile(path);
    if (!read.ok) {
        if (error) *error = read.error;
        return false;
    }
    QString section;
    bool inSection = false;
    for (const QString& raw : read.lines) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')) || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            section = line.mid(1, line.size() - 2);
            inSection = true;
            continue;
        }
        if (!inSection) continue;
        QString name, rest;
        if (line.startsWith(QLatin1Char('"'))) {
            name = Unquote(line, &rest);
        } else {
            const qsizetype eq = line.indexOf(QLatin1Char('='));
            if (eq < 0) continue;
            name = line.left(eq).trimmed();
            rest = line.mid(eq);
        }
        rest = rest.trimmed();
        if (!rest.startsWith(QLatin1Char('='))) continue;
        if (name == QLatin1String("@")) name.clear();
        QString value = rest.mid(1).trimmed();
        if (value.startsWith(QLatin1Char('"'))) {
            QString after;
            value = Unquote(value, &after);
        } else if (value.startsWith(QLatin1String("dword:"), Qt::CaseInsensitive)) {
            bool ok = false;
            const quint32 n = value.mid(6).trimmed().toUInt(&ok, 16);
            if (!ok) continue;
            value = NumText(static_cast<qint32>(n));
        }
        Set(section, name, value);
    }
    return true;
}

QString FileRegistry::DefaultPath() {
    const QString fromEnvironment = qEnvironmentVariable("KEL_REGISTRY");
    if (!fromEnvironment.isEmpty()) return fromEnvironment;
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("KelEditor.reg"));
}

}  // namespace kel
