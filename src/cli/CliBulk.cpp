// kel select, search, lump, sort, attributes: the conditions and bulk operations run on an
// opened script, with preselected lines and a current line, questions answered Yes.
#include "editor/Editor.h"
#include "cli/Cli.h"
#include "cli/CliEditor.h"
#include "formula/BulkOps.h"
#include "formula/FormulaActions.h"
#include "formula/FormulaEngine.h"
#include "platform/ScriptedPrompts.h"

namespace kel::cli {

namespace {

const QString kLineOptions = QStringLiteral("[--select I,J,...] [--current N]");

struct BulkArgs {
    QStringList positional;
    QString select;
    QString current;
    QString out;
    bool down = false;
    bool figures = false;
};

// Options are recognised by their exact names only, so that a formula such as "-(oid,1)"
// stays an argument.
BulkArgs ParseBulkArgs(const QStringList& args, const QString& usage,
                       bool sortFlags, bool output) {
    BulkArgs b;
    const auto fail = [&] { throw CliError{QStringLiteral("usage: kel ") + usage, 2}; };
    for (int k = 0; k < args.size(); ++k) {
        const QString& a = args[k];
        QString* value = nullptr;
        if (a == QLatin1String("--select")) value = &b.select;
        else if (a == QLatin1String("--current")) value = &b.current;
        else if (a == QLatin1String("-o") && output) value = &b.out;
        if (value) {
            if (k + 1 >= args.size()) fail();
            *value = args[++k];
        } else if (sortFlags && a == QLatin1String("--down")) {
            b.down = true;
        } else if (sortFlags && a == QLatin1String("--figures")) {
            b.figures = true;
        } else {
            b.positional << a;
        }
    }
    RequireArgs(b.positional, 2, 2, usage);
    if (output && b.out.isEmpty())
        throw CliError{QStringLiteral("-o OUT is required (usage: kel %1)").arg(usage), 2};
    return b;
}

// The opened script with its preselected lines and current line, and the operations.
struct BulkSession {
    HeadlessEditor h;
    FormulaOperations* ops = nullptr;
    qsizetype askedBefore = 0;

    explicit BulkSession(const BulkArgs& b) {
        h.Open(b.positional[0]);
        h.SelectLines(b.select);
        h.SetCurrentLine(b.current);
        ops = &h.session.formulaOps();
        askedBefore = h.platform.scriptedPrompts.Asked().size();
    }

    // Messages (not questions) the operation showed since it started.
    QStringList Messages() const {
        QStringList out;
        const auto& asked = h.platform.scriptedPrompts.Asked();
        for (qsizetype k = askedBefore; k < asked.size(); ++k)
            if (asked[k].kind == PromptKind::Message && asked[k].buttons % 16 == kButtonsOk)
                out << asked[k].prompt;
        return out;
    }

    // Saves the list into `path`; a failure is an error. Messages of the operation are
    // reported and make the status 1 (the file is still written).
    int SaveTo(const QString& path, CliIO& io) {
        h.ThrowIfInterrupted();
        const QStringList before = Messages();
        h.editor.SetKelFileName(path);
        if (!h.editor.Save()) {
            const QStringList after = Messages();
            throw CliError{after.size() > before.size() ? after.back() : path + QStringLiteral(": not saved")};
        }
        for (const QString& m : before) io.err << "kel: " << m << '\n';
        return before.isEmpty() ? 0 : 1;
    }
};

int Select(const QStringList& args, CliIO& io) {
    const QString usage = QStringLiteral("select FILE CONDITION ") + kLineOptions;
    const BulkArgs b = ParseBulkArgs(args, usage, false, false);
    BulkSession s(b);
    s.ops->conditions.SelectByCondition(b.positional[1]);
    s.h.ThrowIfInterrupted();
    QStringList out;
    for (int i : s.h.editor.List().SelectedIndexes()) out << QString::number(i);
    io.out << out.join(QLatin1Char(',')) << '\n';
    return 0;
}

int Search(const QStringList& args, CliIO& io) {
    const QString usage = QStringLiteral("search FILE CONDITION ") + kLineOptions;
    const BulkArgs b = ParseBulkArgs(args, usage, false, false);
    BulkSession s(b);
    const QString condition = b.positional[1];
    // Condition ending with "=" would ask for the rest; on the command line it is taken as is.
    s.ops->conditions.SetLastSearchCondition(condition);
    const int found = s.ops->conditions.SearchNext();
    s.h.ThrowIfInterrupted();
    io.out << found << '\n';
    return 0;
}

int Lump(const QStringList& args, CliIO& io) {
    const QString usage = QStringLiteral("lump FILE EQUATION -o OUT ") + kLineOptions;
    const BulkArgs b = ParseBulkArgs(args, usage, false, true);
    LumpEquation equation;
    if (!ParseLumpEquation(b.positional[1], equation) || equation.name.trimmed().isEmpty())
        throw CliError{QStringLiteral("EQUATION must be NAME=FORMULA or NAME(ELEMENT)=FORMULA: ") +
                           b.positional[1],
                       2};
    BulkSession s(b);
    // No undo here, and an interrupted run writes nothing: replaced texts need not be kept.
    s.h.editor.Texts().SetKeepsReplaced(false);
    s.ops->bulk.LumpInputWithoutPrompt(b.positional[1]);
    return s.SaveTo(b.out, io);
}

int Sort(const QStringList& args, CliIO& io) {
    const QString usage = QStringLiteral("sort FILE FORMULA [--down] [--figures] -o OUT ") + kLineOptions;
    const BulkArgs b = ParseBulkArgs(args, usage, true, true);
    BulkSession s(b);
    s.ops->bulk.SortLines(b.positional[1], b.down ? -1 : 1, b.figures);
    return s.SaveTo(b.out, io);
}

int Attributes(const QStringList& args, CliIO&) {
    const QString usage = QStringLiteral("attributes FILE LIST -o OUT ") + kLineOptions;
    const BulkArgs b = ParseBulkArgs(args, usage, false, true);
    BulkSession s(b);
    s.h.platform.scriptedPrompts.SetDefaultPath(b.out);
    const bool saved = s.ops->bulk.SaveAttributes(b.positional[1]);
    s.h.ThrowIfInterrupted();
    if (!saved) {
        const QStringList m = s.Messages();
        throw CliError{m.isEmpty() ? b.out + QStringLiteral(": not written") : m.back()};
    }
    return 0;
}

}  // namespace

void AddBulkCommands(CliTable& table) {
    table.push_back({QStringLiteral("select"), QStringLiteral("FILE CONDITION ") + kLineOptions,
                     QStringLiteral("the lines selected by a condition (\"&\"/\"|\" narrow or widen --select)"),
                     Select});
    table.push_back({QStringLiteral("search"), QStringLiteral("FILE CONDITION ") + kLineOptions,
                     QStringLiteral("the next line after the current one satisfying a condition, -1 for none"),
                     Search});
    table.push_back({QStringLiteral("lump"), QStringLiteral("FILE EQUATION -o OUT ") + kLineOptions,
                     QStringLiteral("bulk input NAME=FORMULA,... on the selected (or all) lines, saved to OUT"),
                     Lump});
    table.push_back({QStringLiteral("sort"),
                     QStringLiteral("FILE FORMULA [--down] [--figures] -o OUT ") + kLineOptions,
                     QStringLiteral("the list sorted by a formula's value (stable), saved to OUT"), Sort});
    table.push_back({QStringLiteral("attributes"), QStringLiteral("FILE LIST -o OUT ") + kLineOptions,
                     QStringLiteral("one line of formula values per selected (or every) command into OUT"),
                     Attributes});
}

}  // namespace kel::cli
