// kel eval: the value of a formula for one line of an opened script.
#include "app/Editor.h"
#include "cli/Cli.h"
#include "cli/CliEditor.h"
#include "formula/FormulaEngine.h"

namespace kel::cli {

namespace {

const QString kEvalUsage =
    QStringLiteral("eval FILE N FORMULA [--select I,J,...] [--current N]");

// A list of line numbers "2,5,7" for --select.
QList<int> LineNumbers(const QString& text, int count) {
    QList<int> out;
    for (const QString& part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const int i = IntArg(part.trimmed(), QStringLiteral("--select"));
        if (i < 0 || i >= count)
            throw CliError{QStringLiteral("--select: no line %1 (the list has %2)").arg(i).arg(count), 2};
        out << i;
    }
    return out;
}

int Eval(const QStringList& args, CliIO& io) {
    QStringList positional;
    QString select, current;
    for (int k = 0; k < args.size(); ++k) {
        const QString& a = args[k];
        if (a == QLatin1String("--select") || a == QLatin1String("--current")) {
            if (k + 1 >= args.size()) throw CliError{QStringLiteral("usage: kel ") + kEvalUsage, 2};
            (a == QLatin1String("--select") ? select : current) = args[++k];
        } else {
            positional << a;
        }
    }
    RequireArgs(positional, 3, 3, kEvalUsage);
    HeadlessEditor h;
    h.Open(positional[0]);
    KelList& list = h.editor.List();
    const int n = IntArg(positional[1], QStringLiteral("N"));
    if (!list.IsValidIndex(n))
        throw CliError{QStringLiteral("no line %1 (the list has %2)").arg(n).arg(list.Count()), 2};
    for (int i : LineNumbers(select, list.Count())) list.SetSelected(i, true);
    if (!current.isEmpty()) {
        const int c = IntArg(current, QStringLiteral("--current"));
        if (!list.IsValidIndex(c))
            throw CliError{QStringLiteral("--current: no line %1 (the list has %2)").arg(c).arg(list.Count()), 2};
        list.SetCurrent(c);
    }
    FormulaEngine engine(h.editor);
    io.out << engine.EvaluateFormula(engine.LineContext(n), positional[2]) << '\n';
    return 0;
}

}  // namespace

void AddFormulaCommands(CliTable& table) {
    table.push_back({QStringLiteral("eval"),
                     QStringLiteral("FILE N FORMULA [--select I,J,...] [--current N]"),
                     QStringLiteral("the value of a formula for line N (questions answered Yes)"),
                     Eval});
}

}  // namespace kel::cli
