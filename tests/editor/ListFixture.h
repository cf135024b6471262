// An editor with a small command list whose figures are drawn, for the list editing tests.
#pragma once

#include <set>

#include "EditorFixture.h"
#include "script/Statement.h"

namespace kel::test {

// A point command named by its oid.
inline QString Point(const QString& oid) {
    return QStringLiteral("point oid=\"%1\" gid=\"7\" pos=\"35/40/00.0,139/46/00.0\";").arg(oid);
}

// The point commands named by the letters of `oids`.
inline QStringList Points(const QString& oids) {
    QStringList out;
    for (const QChar c : oids) out << Point(c);
    return out;
}

struct ListFixture : EditorFixture {
    // Points "A", "B", ... (n of them), line `current` current and loaded.
    void FillPoints(int n, int current = 0) {
        Fill(Points(QStringLiteral("ABCDEFGH").left(n)));
        editor.ClickLine(current);
    }
    void Select(const QList<int>& rows) {
        for (int i : rows) editor.List().SetSelected(i, true);
    }
    // The oid of each entry ("" for entries without one), in list order.
    QStringList Oids() const {
        QStringList out;
        for (const QString& text : Texts()) out << GetParamValue(text, QStringLiteral("oid"));
        return out;
    }
    QString Str(int i) const { return GetParamValue(editor.CommandTextAt(i), "str"); }
    int FigureOf(int i) const { return ListLineFigure(editor.List().Line(i)); }
    // What a refused operation must leave as it was: lines, cut buffer, clipboard, the
    // edited flag and the calls on the map.
    QStringList State() {
        return editor.List().Lines() + QStringList{"|"} + editor.CutBuffer() +
               QStringList{platform.memoryClipboard.Text(), QString::number(editor.EditFg()),
                           QString::number(figures.Calls().size())};
    }
    // The title shows the loaded entry at most, no progress count left behind.
    bool NoProgressInTitle() const {
        const QString title = editor.Title(), base = editor.BaseTitle();
        return title == base || title.startsWith(base + QStringLiteral(" ["));
    }
    // Whether the map shows exactly the figures that the lines refer to.
    bool FiguresMatchLines() const {
        std::set<int> lines;
        for (int i = 0; i < editor.List().Count(); ++i)
            if (FigureOf(i) > 0) lines.insert(FigureOf(i));
        return lines == std::set<int>(figures.Shown().begin(), figures.Shown().end());
    }
};

}  // namespace kel::test
