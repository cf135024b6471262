// kel eval: the value of a formula for one line of an opened script.
#include "editor/Editor.h"
#include "cli/Cli.h"
#include "cli/CliEditor.h"
#include "formula/FormulaEngine.h"

namespace kel::cli {

namespace {

const QString kEvalUsage =
    QStringLiteral("eval FILE N FORMULA [--select I,J,...] [--current N] [--explain]");

int Eval(const QStringList& args, CliIO& io) {
    QStringList positional;
    QString select, current;
    bool explain = false;
    for (int k = 0; k < args.size(); ++k) {
        const QString& a = args[k];
        if (a == QLatin1String("--explain")) {
            explain = true;
        } else if (a == QLatin1String("--select") || a == QLatin1String("--current")) {
            if (k + 1 >= args.size()) throw CliError{QStringLiteral("usage: kel ") + kEvalUsage, 2};
            (a == QLatin1String("--select") ? select : current) = args[++k];
        } else {
            positional << a;
        }
    }
    RequireArgs(positional, 3, 3, kEvalUsage);
    HeadlessEditor h;
    h.Open(positional[0]);
    const int n = h.LineArg(positional[1], QStringLiteral("N"));
    h.SelectLines(select);
    h.SetCurrentLine(current);
    FormulaEngine& engine = h.session.formulas();
    // Workbook lookups report no failure in their value; --explain says on stderr why one
    // yielded "".
    if (explain)
        engine.Workbook().explain = [&io](const QString& why) {
            io.err << QStringLiteral("explain: ") << why << '\n';
        };
    QString value;
    {
        LongWork work(h.editor);
        value = engine.EvaluateFormula(engine.LineContext(n), positional[2]);
    }
    h.ThrowIfInterrupted();
    io.out << value << '\n';
    return 0;
}

}  // namespace

void AddFormulaCommands(CliTable& table) {
    table.push_back({QStringLiteral("eval"),
                     QStringLiteral("FILE N FORMULA [--select I,J,...] [--current N] [--explain]"),
                     QStringLiteral("the value of a formula for line N (questions answered Yes); "
                                    "--explain tells on stderr why a workbook lookup yielded "
                                    "nothing"),
                     Eval});
}

}  // namespace kel::cli
