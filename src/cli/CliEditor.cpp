// kel list: the command list of an opened script, through the editor itself.
#include <atomic>
#include <csignal>

#include "editor/Editor.h"
#include "cli/Cli.h"
#include "cli/CliEditor.h"
#include "common/FileLength.h"
#include "common/SafeFile.h"
#include "platform/Platform.h"

namespace kel::cli {

namespace {

std::atomic<Editor*> gInterruptTarget{nullptr};
volatile std::sig_atomic_t gInterrupted = 0;

extern "C" void OnInterrupt(int) {
    gInterrupted = 1;
    if (Editor* e = gInterruptTarget.load()) e->RequestCancel();
    std::signal(SIGINT, SIG_DFL);  // a second Ctrl+C ends the program
}

}  // namespace

HeadlessEditor::HeadlessEditor()
    : session(MakeEditorServices(platform, nullptr)), editor(session.editor()) {
    session.formulas().SetSpreadsheet(&workbooks);
    // Questions are answered Yes; messages are collected and reported as errors.
    editor.SetAutoAnswerYes(false);
    platform.scriptedPrompts.SetDefaultMessageAnswer(kAnswerYes);
    gInterruptTarget.store(&editor);
    std::signal(SIGINT, OnInterrupt);
}

HeadlessEditor::~HeadlessEditor() {
    std::signal(SIGINT, SIG_DFL);
    gInterruptTarget.store(nullptr);
}

void HeadlessEditor::ThrowIfInterrupted() const {
    if (gInterrupted)
        throw CliError{QStringLiteral("cancelled (Ctrl+C): nothing was changed or written"), 130};
}

void HeadlessEditor::Open(const QString& path) {
    const QString kind = NonRegularKind(path);
    if (!kind.isEmpty()) throw CliError{path + QStringLiteral(": not a regular file (%1)").arg(kind)};
    if (FileLength(path) < 0) throw CliError{path + QStringLiteral(": file not found")};
    const qsizetype asked = platform.scriptedPrompts.Asked().size();
    if (!editor.LoadScriptFile(path)) {
        const auto& q = platform.scriptedPrompts.Asked();
        throw CliError{q.size() > asked ? q.back().prompt : path + QStringLiteral(": cannot read")};
    }
}

int HeadlessEditor::LineArg(const QString& text, const QString& what) const {
    const int i = IntArg(text.trimmed(), what);
    if (!editor.List().IsValidIndex(i))
        throw CliError{QStringLiteral("%1: no line %2 (the list has %3)")
                           .arg(what)
                           .arg(i)
                           .arg(editor.List().Count()),
                       2};
    return i;
}

void HeadlessEditor::SelectLines(const QString& list) {
    for (const QString& part : list.split(QLatin1Char(','), Qt::SkipEmptyParts))
        editor.List().SetSelected(LineArg(part, QStringLiteral("--select")), true);
}

void HeadlessEditor::SetCurrentLine(const QString& line) {
    if (!line.isEmpty()) editor.List().SetCurrent(LineArg(line, QStringLiteral("--current")));
}

namespace {

int List(const QStringList& args, CliIO& io) {
    RequireArgs(args, 1, 1, QStringLiteral("list FILE"));
    HeadlessEditor h;
    h.Open(args[0]);
    for (const QString& line : h.editor.List().Lines()) io.out << line << '\n';
    return 0;
}

}  // namespace

void AddEditorCommands(CliTable& table) {
    table.push_back({QStringLiteral("list"), QStringLiteral("FILE"),
                     QStringLiteral("the 40-column command list lines of the opened file"),
                     List});
}

}  // namespace kel::cli
