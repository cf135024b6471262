#include "cli/Cli.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>
#include <new>

namespace kel::cli {

namespace {

CliTable BuildTable() {
    CliTable table;
    AddScriptCommands(table);
    AddGeoCommands(table);
    AddEditorCommands(table);
    AddWaypointCommands(table);
    AddExchangeCommands(table);
    AddFormulaCommands(table);
    AddSpatialCommands(table);
    AddBulkCommands(table);
    return table;
}

void PrintHelp(const CliTable& table, QTextStream& out) {
    out << "Usage: kel COMMAND [ARGS...]\n\n"
           "Batch use of the KEL script editor's core. Output is UTF-8; files are read and\n"
           "written in Shift-JIS with CR LF.\n\nCommands:\n";
    for (const CliCommand& c : table) {
        out << "  " << c.name;
        if (!c.usage.isEmpty()) out << ' ' << c.usage;
        out << "\n      " << c.summary << '\n';
    }
}

// A message as one line: the editor's messages hold CR LF between their parts, and a message
// that already names the subcommand does not name it twice.
QString OneLine(const QString& command, QString message) {
    message.replace(QLatin1String("\r\n"), QLatin1String(" "));
    message.replace(QLatin1Char('\r'), QLatin1Char(' '));
    message.replace(QLatin1Char('\n'), QLatin1Char(' '));
    message = message.trimmed();
    const QString prefix = command + QLatin1String(": ");
    while (message.startsWith(prefix)) message.remove(0, prefix.size());
    return message;
}

}  // namespace

void RequireArgs(const QStringList& args, int min, int max, const QString& usage) {
    if (args.size() < min || (max >= 0 && args.size() > max))
        throw CliError{QStringLiteral("usage: kel ") + usage, 2};
}

int IntArg(const QString& text, const QString& what) {
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok) throw CliError{what + QStringLiteral(" must be a whole number: ") + text, 2};
    return v;
}

QString JsonString(const QString& text) {
    // QJsonDocument has no top-level string form; wrap in an array and strip the brackets.
    const QByteArray json =
        QJsonDocument(QJsonArray{QJsonValue(text)}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(json.mid(1, json.size() - 2));
}

int RunCli(const QStringList& args, QTextStream& out, QTextStream& err) {
    const CliTable table = BuildTable();
    if (args.isEmpty() || args[0] == QLatin1String("--help") || args[0] == QLatin1String("-h") ||
        args[0] == QLatin1String("help")) {
        PrintHelp(table, out);
        return args.isEmpty() ? 2 : 0;
    }
    for (const CliCommand& c : table) {
        if (c.name != args[0]) continue;
        CliIO io{out, err};
        try {
            return c.run(args.mid(1), io);
        } catch (const CliError& e) {
            out.flush();
            err << "kel: " << c.name << ": " << OneLine(c.name, e.message) << '\n';
            return e.status;
        } catch (const std::bad_alloc&) {
            out.flush();
            err << "kel: " << c.name << ": not enough memory\n";
            return 1;
        }
    }
    err << "kel: unknown command \"" << args[0] << "\" (see kel --help)\n";
    return 2;
}

}  // namespace kel::cli
