// An editor wired to test doubles: scripted prompts, an in-memory clipboard, a map URL
// fetcher, a fixed clock and a recording map.
#pragma once

#include <QTemporaryDir>

#include "editor/Editor.h"
#include "common/TextFile.h"
#include "geo/FigureDisplay.h"
#include "list/ListLine.h"
#include "platform/Platform.h"

namespace kel::test {

struct EditorFixture {
    PlatformDoubles platform;
    RecordingFigureDisplay figures;
    Editor editor{MakeEditorServices(platform, &figures)};
    QTemporaryDir dir;

    EditorFixture() { platform.fixedClock.Set(QDateTime(QDate(2026, 12, 6), QTime(9, 30))); }

    ScriptedPrompts& prompts() { return platform.scriptedPrompts; }

    // Writes a script (lines joined with CR LF, Shift-JIS) into the temporary folder.
    QString WriteScript(const QString& name, const QStringList& lines) {
        const QString path = dir.filePath(name);
        WriteTextFile(path, lines);
        return path;
    }

    // Opens a script without questions.
    void OpenScript(const QString& path) {
        editor.SetEditFg(0);
        editor.DoOpenKelFile(path);
    }

    // Appends the command texts to the list, drawing their figures as loading and showing
    // would.
    void Fill(const QStringList& texts) {
        for (const QString& text : texts)
            editor.List().Append(editor.NewListLine(text, editor.DrawCommandFigure(text)));
    }

    QStringList Texts() const { return editor.CommandTextsInOrder(); }
    QStringList Names() const {
        QStringList names;
        for (const QString& line : editor.List().Lines()) names << ListLineName(line);
        return names;
    }
};

}  // namespace kel::test
