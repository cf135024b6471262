// An editing session without windows for the subcommands that run editor operations:
// doubles for every service but workbooks (read from their files), questions answered Yes, and the line options shared by those
// subcommands (--select I,J,... and --current N).
#pragma once

#include "app/EditorSession.h"
#include "platform/Platform.h"
#include "platform/WorkbookFiles.h"

namespace kel::cli {

struct HeadlessEditor {
    // While the session lives, Ctrl+C (SIGINT) cancels the running operation, which then
    // puts back what it changed; a second Ctrl+C ends the program at once.
    HeadlessEditor();
    ~HeadlessEditor();
    HeadlessEditor(const HeadlessEditor&) = delete;
    HeadlessEditor& operator=(const HeadlessEditor&) = delete;
    PlatformDoubles platform;
    WorkbookFiles workbooks;
    EditorSession session;
    Editor& editor;

    // Loads a script; fails with the editor's message when it cannot be read.
    void Open(const QString& path);
    // A line number of the opened list; fails with a usage error naming `what` otherwise.
    int LineArg(const QString& text, const QString& what) const;
    // Marks the lines "I,J,..." selected (--select) and makes a line current (--current);
    // empty texts do nothing.
    void SelectLines(const QString& list);
    void SetCurrentLine(const QString& line);
    // Fails with status 130 when Ctrl+C cancelled the operation (nothing is then written).
    void ThrowIfInterrupted() const;
};

}  // namespace kel::cli
