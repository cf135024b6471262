// The `kel` command line: batch use of the core. Each subsystem adds its subcommands to the
// table through its Add*Commands function (one file per subsystem under src/cli/).
#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>
#include <functional>
#include <vector>

namespace kel::cli {

// Where a subcommand writes: `out` for results (UTF-8), `err` for the one-line message of a
// failure.
struct CliIO {
    QTextStream& out;
    QTextStream& err;
};

// Thrown by a subcommand for bad arguments or unreadable files; main prints "kel: " and the
// message on stderr and exits with status 2 (usage) or 1 (other failures).
struct CliError {
    QString message;
    int status = 1;
};

struct CliCommand {
    QString name;
    QString usage;    // arguments, e.g. "FILE N NAME"
    QString summary;  // one line for --help
    std::function<int(const QStringList& args, CliIO& io)> run;  // args after the name
};

using CliTable = std::vector<CliCommand>;

void AddScriptCommands(CliTable& table);    // statements, param, slots, build, save
void AddGeoCommands(CliTable& table);       // coord, pos
void AddEditorCommands(CliTable& table);    // list
void AddWaypointCommands(CliTable& table);  // wpt-export, wpt-import, track-route, track-log, track-2drms
void AddExchangeCommands(CliTable& table);  // geojson-export, geojson-import
void AddFormulaCommands(CliTable& table);   // eval
void AddSpatialCommands(CliTable& table);   // distance, measure, spatial, 2drms
void AddBulkCommands(CliTable& table);      // select, search, lump, sort, attributes

// Runs the command line (arguments after the program name). Returns the exit status.
int RunCli(const QStringList& args, QTextStream& out, QTextStream& err);

// Helpers shared by the subcommands.
// Fails with a usage error unless `args` has between min and max entries.
void RequireArgs(const QStringList& args, int min, int max, const QString& usage);
// Reads an integer argument or fails with a usage error naming `what`.
int IntArg(const QString& text, const QString& what);
// JSON string literal of a text.
QString JsonString(const QString& text);

}  // namespace kel::cli
