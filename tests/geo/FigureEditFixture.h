// An editor with figure edits installed, a map mark set by hand and a small list of figures.
#pragma once

#include <algorithm>

#include "EditorFixture.h"
#include "geo/Coordinates.h"
#include "geo/FigureEdit.h"
#include "geo/MapMark.h"
#include "platform/Prompts.h"
#include "script/Statement.h"

namespace kel::test {

// A figure command with an oid and a `pos` value, in the one-line form a script may hold.
inline QString Figure(const QString& word, const QString& oid, const QString& pos,
                      const QString& more = QString()) {
    return QStringLiteral("%1 oid=\"%2\" gid=\"7\" pos=\"%3\"%4;")
        .arg(word, oid, pos, more.isEmpty() ? QString() : QStringLiteral(" ") + more);
}

struct FigureEditFixture : EditorFixture {
    FixedMapMark mark;
    FigureEditState state;
    QStringList captions;  // every caption the snap button was given
    int dispClicks = 0;

    FigureEditFixture() {
        state.map = &mark;
        QObject::connect(&state, &FigureEditState::CaptionChanged,
                         [this](const QString& c) { captions << c; });
        state.SetDispClickHook([this] {
            ++dispClicks;
            editor.SetDispCaption(editor.DispCaption() == QLatin1String("ON")
                                      ? QStringLiteral("OFF")
                                      : QStringLiteral("ON"));
        });
        InstallFigureEditActions(editor, state);
    }

    // Fills the list with the texts, drawing their figures as loading and showing would.
    void Fill(const QStringList& texts, int current = -1) {
        EditorFixture::Fill(texts);
        if (current >= 0) editor.ClickLine(current);
        editor.SetEditFg(0);
        figures.ClearCalls();
    }

    bool Run(const QString& action) { return editor.RunAction(action); }

    // A click on the snap button with the map's mark at "lat lon", given in "KEL" form and
    // handed out as the map hands it out.
    void ClickAt(const QString& at) {
        mark.Set(ConvertCoord(at.section(' ', 0, 0), QStringLiteral("KEL"), QStringLiteral("PAO")),
                 ConvertCoord(at.section(' ', 1), QStringLiteral("KEL"), QStringLiteral("PAO")));
        SnapObjectClick(editor, state, false);
    }

    QString TextAt(int i) const { return editor.CommandTextAt(i); }
    QString ParamAt(int i, const QString& name) const { return GetParamValue(TextAt(i), name); }
    QString PosAt(int i) const { return ParamAt(i, QStringLiteral("pos")); }
    int FigureOf(int i) const { return ListLineFigure(editor.List().Line(i)); }
    bool Shown(int figure) const { return std::ranges::count(figures.Shown(), figure) > 0; }
};

}  // namespace kel::test
