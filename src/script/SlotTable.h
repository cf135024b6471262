// The per-command slot table: for every command word that has parameter slots, its
// parameter names in slot order, the key the reader looks each one up with, and the
// template the writer fills. The reader (ParseStatement), the writer (BuildStatement) and
// the slot lookup (ParamSlot) all take their parameters from here, so they cannot drift
// apart.
#pragma once

#include <QString>
#include <QStringView>
#include <vector>

namespace kel {

// How the writer lays out a command of the table.
enum class CommandLayout {
    Script,   // mapserver: whole-text templates (script start or end)
    OneLine,  // init, kanji, georef, theme: two tabs, word, tab, template carrying the ";"
    Block,    // two tabs, word, tab, first parameter; further ones on lines of four tabs
    Addon,    // left margin, word, tab, first parameter; further ones on lines of one tab
};

struct ParamDef {
    QString name;        // parameter name, e.g. "oid"
    bool keyHasEquals;   // looked up with the key name + "=" (the "=" right after the name)
    QString templ;       // writer template, e.g. "oid=$OID$"
    QString placeholder; // the placeholder in the template, e.g. "$OID$"
    QString before;      // the template before the placeholder ("oid=")
    QString after;       // the template after it ("" or ";")
};

struct CommandDef {
    QString word;
    CommandLayout layout;
    std::vector<ParamDef> params;  // params[i] is slot i + 1
};

// The table entry of a command word (exact, case-sensitive), or nullptr for words without a
// slot table (comment, disp, the header and unrecognised words).
const CommandDef* FindCommand(QStringView word);

// Words and templates of the commands with their own writing rules.
namespace words {
inline const QString kComment = QStringLiteral("comment");
inline const QString kMapserver = QStringLiteral("mapserver");
inline const QString kDisp = QStringLiteral("disp");
inline const QString kHeader = QStringLiteral("hedder");
inline const QString kMessage = QStringLiteral("message");
}  // namespace words

namespace templates {
inline const QString kHeader =
    QStringLiteral("//Header:Prog:$PROGRAMVER$ Templ:$TEMPLVER$ Date:$DATE$;");
inline const QString kScriptStart = QStringLiteral("mapserver script ver=$VER$;");
inline const QString kScriptStartSavable =
    QStringLiteral("mapserver script ver=$VER$ savable=$SAVABLE$;");
inline const QString kScriptEnd = QStringLiteral("mapserver end;");
inline const QString kDispPos = QStringLiteral("pos=$POS$");
inline const QString kDispOid = QStringLiteral("oid=$OID$");
inline const QString kDispArea = QStringLiteral("area=$AREA$");
inline const QString kDispScale = QStringLiteral("scale=$SCALE$");
inline const QString kUnsupported = QStringLiteral("// Not Suport [");
}  // namespace templates

}  // namespace kel
