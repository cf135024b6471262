// kel check: the script checker on a file.
#include "check/ScriptCheck.h"
#include "cli/Cli.h"

namespace kel::cli {

namespace {

const QString kUsage = QStringLiteral("check FILE [--json] [--ignore RULE,...]");

QString FindingJson(const Finding& f) {
    return QStringLiteral(
               "{\"line\":%1,\"column\":%2,\"statement\":%3,\"severity\":%4,\"rule\":%5,"
               "\"message\":%6}")
        .arg(f.line)
        .arg(f.column)
        .arg(f.statement)
        .arg(JsonString(SeverityText(f.severity)), JsonString(f.rule), JsonString(f.message));
}

int Check(const QStringList& args, CliIO& io) {
    QString path;
    bool json = false;
    CheckOptions options;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--json")) {
            json = true;
        } else if (a == QLatin1String("--ignore")) {
            if (++i >= args.size()) throw CliError{QStringLiteral("usage: kel ") + kUsage, 2};
            for (const QString& rule : args[i].split(QLatin1Char(','), Qt::SkipEmptyParts)) {
                const QString name = rule.trimmed();
                if (!FindCheckRule(name))
                    throw CliError{QStringLiteral("unknown rule \"%1\" (kel check --rules lists "
                                                  "them)")
                                       .arg(name),
                                   2};
                options.ignored.insert(name);
            }
        } else if (a == QLatin1String("--rules")) {
            for (const CheckRule& r : CheckRules())
                io.out << r.name << '\t' << r.group << '\t' << SeverityText(r.severity) << '\t'
                       << r.summary << '\n';
            return 0;
        } else if (a.startsWith(QLatin1String("--")) || !path.isEmpty()) {
            throw CliError{QStringLiteral("usage: kel ") + kUsage, 2};
        } else {
            path = a;
        }
    }
    if (path.isEmpty()) throw CliError{QStringLiteral("usage: kel ") + kUsage, 2};
    const ScriptCheckResult r = CheckScriptFile(path, options);
    if (!r.ok) throw CliError{path + QStringLiteral(": ") + r.error, 2};
    for (const Finding& f : r.findings) io.out << (json ? FindingJson(f) : f.Text()) << '\n';
    const int errors = r.Count(Severity::kError);
    if (!json) {
        io.out.flush();
        io.err << path << ": " << errors << " error(s), " << r.Count(Severity::kWarning)
               << " warning(s), " << r.Count(Severity::kNote) << " note(s) in " << r.statements
               << " statements\n";
    }
    return errors > 0 ? 1 : 0;
}

}  // namespace

void AddCheckCommands(CliTable& table) {
    table.push_back({QStringLiteral("check"), kUsage.mid(6),
                     QStringLiteral("finds faults in a script: one line per finding "
                                    "\"LINE:COLUMN: severity: message [rule]\" (--json: one JSON "
                                    "object each); status 1 when there are errors; --rules lists "
                                    "the rules"),
                     Check});
}

}  // namespace kel::cli
