// kel statements / param / slots / build / save: the script reader and writer.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "cli/Cli.h"
#include "script/ScriptFile.h"
#include "script/Statement.h"
#include "script/StatementWriter.h"

namespace kel::cli {

namespace {

QStringList ReadOrFail(const QString& path) {
    ScriptReadResult r = ReadScriptFile(path);
    if (!r.ok) throw CliError{path + QStringLiteral(": ") + r.error};
    return r.statements;
}

const QString& StatementAt(const QStringList& statements, const QString& nText) {
    const int n = IntArg(nText, QStringLiteral("N"));
    if (n < 0 || n >= statements.size())
        throw CliError{QStringLiteral("statement %1 does not exist (the file has %2)")
                           .arg(n)
                           .arg(statements.size()),
                       2};
    return statements[n];
}

QString JsonLine(const QJsonObject& o) {
    return QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact));
}

int Statements(const QStringList& args, CliIO& io) {
    RequireArgs(args, 1, 1, QStringLiteral("statements FILE"));
    for (const QString& text : ReadOrFail(args[0])) {
        io.out << JsonLine({{QStringLiteral("word"), CommandWord(text)},
                            {QStringLiteral("text"), text}})
               << '\n';
    }
    return 0;
}

int Param(const QStringList& args, CliIO& io) {
    RequireArgs(args, 3, 3, QStringLiteral("param FILE N NAME"));
    const QStringList statements = ReadOrFail(args[0]);
    io.out << GetParamValue(StatementAt(statements, args[1]), args[2]) << '\n';
    return 0;
}

int SlotsCmd(const QStringList& args, CliIO& io) {
    RequireArgs(args, 2, 2, QStringLiteral("slots FILE N"));
    const QStringList statements = ReadOrFail(args[0]);
    Slots slots;
    const QString word = ParseStatement(StatementAt(statements, args[1]), slots);
    QJsonArray values;
    for (int i = 1; i <= kSlotCount; ++i) values.append(slots[i]);
    io.out << JsonLine({{QStringLiteral("word"), word}, {QStringLiteral("slots"), values}})
           << '\n';
    return 0;
}

int Build(const QStringList& args, CliIO& io) {
    RequireArgs(args, 1, 1 + kSlotCount, QStringLiteral("build WORD [SLOT1 ... SLOT16]"));
    if (args[0].trimmed().isEmpty()) throw CliError{QStringLiteral("WORD must be a command word"), 2};
    Slots slots;
    for (int i = 1; i < args.size(); ++i) slots[i] = args[i];
    const BuiltStatement built = BuildStatement(args[0], slots);
    if (!built.ok())
        throw CliError{QStringLiteral("slot %1 cannot be stored: %2").arg(built.badSlot).arg(built.reason)};
    io.out << JsonString(built.text) << '\n';
    return 0;
}

int Save(const QStringList& args, CliIO& io) {
    RequireArgs(args, 2, 2, QStringLiteral("save IN OUT"));
    const ScriptReadResult in = ReadScriptFile(args[0]);
    if (!in.ok) throw CliError{args[0] + QStringLiteral(": ") + in.error};
    if (in.firstBadLine > 0)
        io.err << "kel: save: " << args[0] << ": line " << in.firstBadLine
               << " is not valid Shift-JIS\n";
    const TextWriteResult out = WriteScriptFile(args[1], in.statements);
    if (!out.ok) throw CliError{args[1] + QStringLiteral(": ") + out.error};
    return 0;
}

}  // namespace

void AddScriptCommands(CliTable& table) {
    table.push_back({QStringLiteral("statements"), QStringLiteral("FILE"),
                     QStringLiteral("one JSON object {word, text} per statement, in file order"),
                     Statements});
    table.push_back({QStringLiteral("param"), QStringLiteral("FILE N NAME"),
                     QStringLiteral("the value of parameter NAME of statement N (0-based)"), Param});
    table.push_back({QStringLiteral("slots"), QStringLiteral("FILE N"),
                     QStringLiteral("the command word and 16 slots of statement N as JSON"),
                     SlotsCmd});
    table.push_back({QStringLiteral("build"), QStringLiteral("WORD [SLOT1 ... SLOT16]"),
                     QStringLiteral("the command text the writer makes, as a JSON string"), Build});
    table.push_back({QStringLiteral("save"), QStringLiteral("IN OUT"),
                     QStringLiteral("read IN and write every command text with CR LF to OUT"),
                     Save});
}

}  // namespace kel::cli
