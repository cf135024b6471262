// The formula evaluator on a small script.
//
// The input is a formula (a Shift-JIS text, as formulas are kept in files and typed into
// the same boxes); it is evaluated for one figure of a fixed script of each command kind,
// with two lines selected, in an editing session wired to test doubles (questions answered
// Yes, no spreadsheet, no map). Every input gets a fresh session: the evaluator keeps state
// (data-file table, counter, stored index) that would otherwise make a finding depend on
// the inputs before it, and the text store grows with every list change.
//
// The formula runs as the window runs a Calc: as long work that the user may cancel. A
// formula may legitimately do more work than any fuzzer can wait for (CmdNum nested in the
// names of CmdNum walks the list once per level); the user then presses Cancel, which the
// target does after a quarter of a second. What is a finding is work that does not give
// the window its turns, or does not stop when asked, or changes anything once cancelled.
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdint>

#include "FuzzSupport.h"
#include "app/EditorSession.h"
#include "editor/Editor.h"
#include "formula/FormulaEngine.h"
#include "list/ListLine.h"
#include "platform/Platform.h"

using namespace kel;

namespace {

const QStringList& Script() {
    static const QStringList texts = {
        QStringLiteral("//Header:Prog:\"1.0.8.0\" Templ:\"1.2\" Date:\"2026/12/06\";"),
        QStringLiteral("mapserver script ver=\"1.0\";"),
        QStringLiteral("\t\tgroup\tgid=\"100\"\r\n\t\t\t\tgname=\"寺社\";"),
        QStringLiteral("\t\tpoint\toid=\"1\"\r\n\t\t\t\tgid=\"100\"\r\n\t\t\t\t"
                       "pos=\"35/42/52.3,139/47/48.1\"\r\n\t\t\t\tstr=\"浅草寺\";"),
        QStringLiteral("\t\tline\toid=\"2\"\r\n\t\t\t\tgid=\"200\"\r\n\t\t\t\t"
                       "pos=\"35/40/52.3,139/46/01.6,35/39/31.0,139/44/43.4,"
                       "35/41/06.7,139/45/10.1\"\r\n\t\t\t\tstr=\"山手線\";"),
        QStringLiteral("\t\tcircle\toid=\"3\"\r\n\t\t\t\tgid=\"300\"\r\n\t\t\t\t"
                       "pos=\"35/41/00.0,139/45/00.0\"\r\n\t\t\t\tr=\"1.5km\"\r\n\t\t\t\t"
                       "str=\"円\";"),
        QStringLiteral("\t\trect\toid=\"4\"\r\n\t\t\t\tgid=\"300\"\r\n\t\t\t\t"
                       "pos=\"35/41/00.0,139/45/00.0\"\r\n\t\t\t\twidth=\"2km\"\r\n\t\t\t\t"
                       "height=\"1km\"\r\n\t\t\t\tstr=\"矩形\";"),
        QStringLiteral("\t\tarea\toid=\"5\"\r\n\t\t\t\tgid=\"300\"\r\n\t\t\t\t"
                       "pos=\"35/40/00.0,139/44/00.0,35/43/00.0,139/44/00.0,"
                       "35/43/00.0,139/48/00.0,35/40/00.0,139/48/00.0\"\r\n\t\t\t\t"
                       "str=\"範囲\";"),
        QStringLiteral("\t\tpoint\toid=\"6\"\r\n\t\t\t\tgid=\"100\"\r\n\t\t\t\t"
                       "pos=\"35/00/21.8,135/43/45.1\"\r\n\t\t\t\tstr=\"金閣寺\";"),
        QStringLiteral("\t\tdisp\tall;"),
        QStringLiteral("mapserver end;"),
    };
    return texts;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    kel::fuzz::EnsureApplication();
    // File names in a formula (data files) resolve in an empty folder of our own.
    static QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Formulas are one line of a box or of a file; very long inputs only slow the search.
    if (size > 4096) return 0;
    const QString formula = kel::fuzz::FileText(data, size);

    PlatformDoubles platform;
    platform.scriptedPrompts.SetDefaultMessageAnswer(kAnswerYes);
    EditorSession session(MakeEditorServices(platform, nullptr));
    Editor& editor = session.editor();
    editor.SetAutoAnswerYes(true);
    QStringList lines;
    for (const QString& t : Script()) lines << MakeListLine(editor.Texts(), t, 0);
    editor.List().SetLines(lines);
    editor.List().SetSelected(4, true);
    editor.List().SetSelected(6, true);

    QElapsedTimer clock;
    clock.start();
    editor.keepResponsive = [&] {
        if (clock.elapsed() > 250) editor.RequestCancel();
    };
    FormulaEngine& engine = session.formulas();
    bool cancelled = false;
    {
        LongWork work(editor);
        engine.EvaluateFormula(engine.LineContext(3), formula);
        cancelled = work.Cancelled();
    }
    // Asked to stop, it stops at once (the fuzzer's own limit is far above this).
    KEL_FUZZ_CHECK(clock.elapsed() < 5000, QStringLiteral("ran %1 ms; cancelled: %2")
                                                 .arg(clock.elapsed())
                                                 .arg(cancelled));
    if (cancelled) KEL_FUZZ_CHECK(editor.List().Lines() == lines, formula);
    return 0;
}
