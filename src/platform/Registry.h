// Read-only values of the system registry under HKEY_LOCAL_MACHINE, which tell where the
// map product is installed.
//
// This platform has no Windows registry, so the real registry is a text file of the same
// values (FileRegistry, below). Tests use TableRegistry filled in code.
#pragma once

#include <QHash>
#include <QString>

namespace kel {

class Registry {
public:
    virtual ~Registry() = default;
    // The string value `name` of `key` (for example "SOFTWARE\ALPS\Rdw30", "installpath");
    // empty when the key or the value is missing. See RegistryKey for how keys compare.
    virtual QString ReadString(const QString& key, const QString& name) const = 0;
};

// The form in which keys are compared: a leading "HKEY_LOCAL_MACHINE\" or "HKLM\" is
// dropped (every key read lives there), "/" counts as "\", "\" at either end is dropped,
// and case does not matter, as in the Windows registry.
QString RegistryKey(const QString& key);

// Values held in a table.
class TableRegistry : public Registry {
public:
    void Set(const QString& key, const QString& name, const QString& value);
    QString ReadString(const QString& key, const QString& name) const override;
    qsizetype Size() const { return values_.size(); }

private:
    QHash<QString, QString> values_;   // RegistryKey + "\n" + lower-case name -> value
};

// Values read from a text file in the form of a registry export (Shift-JIS, like every
// text file of the program):
//
//   REGEDIT4
//   ; comment
//   [HKEY_LOCAL_MACHINE\SOFTWARE\ALPS\Rdw30]
//   "installpath"="C:\\Program Files\\ALPS\\ProAtlas"
//   count=dword:0000000a
//   plain=text without quotes
//
// A quoted value unescapes "\\" and "\""; "dword:" gives the number in decimal; "@" names
// the key's default value (the empty name). Blank lines, comments (";" or "#") and lines
// outside a [key] section are ignored.
class FileRegistry : public TableRegistry {
public:
    // Reads the file. A file that does not exist is an empty registry (nothing installed)
    // and not an error; an unreadable one is.
    bool Load(const QString& path, QString* error = nullptr);

    // The file the editor uses: the path in the environment variable KEL_REGISTRY when it
    // is set, otherwise "KelEditor.reg" in the program's folder.
    static QString DefaultPath();
};

}  // namespace kel
