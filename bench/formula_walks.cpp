// Formula walks over a large list, as the selection, the bulk input and Rank run them:
//   formula_walks [N]
// 1. select: "Cond(oid=1*)" for every line of N figures;
// 2. lump: "str=Join(oid,gid)" for every line (evaluate, set the parameter, replace the line);
// 3. rank: "str=Rank(oid,1)" for every line of min(N, 10000) figures.
// Prints the time of each walk.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

#include "editor/Editor.h"
#include "formula/FormulaEngine.h"
#include "list/ListLine.h"
#include "platform/Platform.h"
#include "script/StatementWriter.h"

using namespace kel;

namespace {

void SetList(Editor& editor, int n) {
    QStringList lines;
    lines.reserve(n);
    for (int i = 0; i < n; ++i) {
        const QString text =
            QStringLiteral("\t\tpoint\toid=\"%1\"\r\n\t\t\t\tgid=\"%2\"\r\n\t\t\t\tpos=\"35/40/00.0,"
                           "139/46/00.0\"\r\n\t\t\t\tstr=\"p%1\";")
                .arg((i * 7919) % n)
                .arg(i % 97);
        lines << MakeListLine(editor.Texts(), text, 0);
    }
    editor.List().SetLines(lines);
}

// The per-line step of a bulk input: evaluate, store the value in `str`, replace the line.
void Lump(Editor& editor, FormulaEngine& engine, const QString& formula) {
    KelList& list = editor.List();
    for (int i = 0; i < list.Count(); ++i) {
        const QString v = engine.EvaluateFormula(engine.LineContext(i), formula);
        const BuiltStatement b = SetParamValue(editor.CommandTextAt(i), QStringLiteral("str"), v);
        list.Replace(i, MakeListLine(editor.Texts(), b.text, 0));
    }
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int n = argc > 1 ? std::atoi(argv[1]) : 100000;
    PlatformDoubles platform;
    Editor editor(MakeEditorServices(platform, nullptr));
    FormulaEngine engine(editor);
    SetList(editor, n);

    QElapsedTimer t;
    t.start();
    int selected = 0;
    for (int i = 0; i < n; ++i) {
        const bool on = engine.EvaluateFormula(engine.LineContext(i), QStringLiteral("Cond(oid=1*)")) ==
                        QLatin1String("-1");
        editor.List().SetSelected(i, on);
        selected += on;
    }
    std::printf("select oid=1*      %7d lines  %8.3f s  (%d selected)\n", n, t.elapsed() / 1000.0,
                selected);
    for (int i = 0; i < n; ++i) editor.List().SetSelected(i, false);

    t.restart();
    Lump(editor, engine, QStringLiteral("Join(oid,gid)"));
    std::printf("lump str=Join(oid,gid) %5d lines  %8.3f s\n", n, t.elapsed() / 1000.0);

    const int m = std::min(n, 10000);
    SetList(editor, m);
    t.restart();
    Lump(editor, engine, QStringLiteral("Rank(oid,1)"));
    std::printf("lump str=Rank(oid,1)  %6d lines  %8.3f s\n", m, t.elapsed() / 1000.0);
    return 0;
}
