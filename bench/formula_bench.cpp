// The conditions and bulk operations over a generated script, through the editor as the
// menu items run them:
//   formula_bench BIG.kel SMALL.kel
// 1. condition select "oid=1*" over BIG;
// 2. lump input "str=Join(oid,gid)" over BIG;
// 3. sort by "oid" (Up List) over BIG;
// 4. lump input "str=Rank(oid,1)" over SMALL.
// Prints the time of each, with a check of the result.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

#include "editor/Editor.h"
#include "formula/FormulaActions.h"
#include "formula/FormulaEngine.h"
#include "platform/Platform.h"
#include "script/Statement.h"
#include "script/StatementWriter.h"

using namespace kel;

namespace {

struct Session {
    PlatformDoubles platform;
    Editor editor{MakeEditorServices(platform, nullptr)};
    FormulaEngine engine{editor};
    FormulaOperations& ops = InstallFormulaActions(editor, engine);

    bool Load(const char* path) {
        if (editor.LoadScriptFile(QString::fromLocal8Bit(path))) return true;
        std::fprintf(stderr, "formula_bench: cannot read %s\n", path);
        return false;
    }
};

void Report(const char* what, int lines, const QElapsedTimer& t, const QString& check) {
    std::printf("%-26s %7d lines  %8.3f s   %s\n", what, lines, t.nsecsElapsed() / 1e9,
                qPrintable(check));
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: formula_bench BIG.kel SMALL.kel\n");
        return 2;
    }
    Session big;
    if (!big.Load(argv[1])) return 1;
    const int n = big.editor.List().Count();
    QElapsedTimer t;

    t.start();
    big.ops.conditions.SelectByCondition(QStringLiteral("oid=1*"));
    Report("select oid=1*", n, t,
           QStringLiteral("%1 selected").arg(big.editor.List().SelectedCount()));
    big.editor.List().SetSelection({});

    // For reference: the evaluation alone, and parsing and rebuilding every command alone.
    t.restart();
    int chars = 0;
    for (int i = 0; i < n; ++i)
        chars += int(big.engine.EvaluateFormula(big.engine.LineContext(i), QStringLiteral("Join(oid,gid)")).size());
    Report("  (evaluate Join alone)", n, t, QStringLiteral("%1 characters").arg(chars));
    t.restart();
    int built = 0;
    for (int i = 0; i < n; ++i) {
        Slots slots;
        const QString word = ParseStatement(big.editor.CommandTextAt(i), slots);
        built += BuildStatement(word, slots).ok();
    }
    Report("  (parse and rebuild alone)", n, t, QStringLiteral("%1 rebuilt").arg(built));

    t.restart();
    big.ops.bulk.RunLumpInput(QStringLiteral("str=Join(oid,gid)"), -1);
    Report("lump str=Join(oid,gid)", n, t,
           QStringLiteral("line 10 str=") +
               GetParamValue(big.editor.CommandTextAt(10), QStringLiteral("str")));

    t.restart();
    big.ops.bulk.SortLines(QStringLiteral("oid"), 1, false);
    Report("sort by oid", n, t,
           QStringLiteral("line 10 oid=") +
               GetParamValue(big.editor.CommandTextAt(10), QStringLiteral("oid")));

    Session small;
    if (!small.Load(argv[2])) return 1;
    const int m = small.editor.List().Count();
    t.restart();
    small.ops.bulk.RunLumpInput(QStringLiteral("str=Rank(oid,1)"), -1);
    Report("lump str=Rank(oid,1)", m, t,
           QStringLiteral("line 10 str=") +
               GetParamValue(small.editor.CommandTextAt(10), QStringLiteral("str")));
    return 0;
}
