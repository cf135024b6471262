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

struct ListFixture : EditorFixture {
    // Fills the list with the texts, drawing the figures as loading and showing would.
    void Fill(const QStringList& texts) {
        for (const QString& text : texts) {
            const int figure = editor.DrawCommandFigure(text);
            editor.List().Append(editor.NewListLine(text, figure));
        }
    }
    // Points "A", "B", ... (n of them), line i current and loaded.
    void FillPoints(int n, int current = 0) {
        QStringList texts;
        for (int i = 0; i < n; ++i) texts << Point(QString(QChar(u'A' + i)));
        Fill(texts);
        editor.ClickLine(current);
    }
    void Select(const QList<int>& rows) {
        for (int i : rows) editor.List().SetSelected(i, true);
    }
    QList<int> Selected() const {
        QList<int> out;
        for (int i : editor.List().SelectedIndexes()) out << i;
        return out;
    }
    // The oid of each entry ("" for entries without one), in list order.
    QStringList Oids() const {
        QStringList out;
        for (const QString& text : Texts()) out << GetParamValue(text, QStringLiteral("oid"));
        return out;
    }
    int SlotOf(int i) const { return ListLineSlot(editor.List().Line(i)); }
    int FigureOf(int i) const { return ListLineFigure(editor.List().Line(i)); }
    std::set<int> ShownFigures() const {
        return std::set<int>(figures.Shown().begin(), figures.Shown().end());
    }
    // The figures that the lines refer to.
    std::set<int> LineFigures() const {
        std::set<int> out;
        for (int i = 0; i < editor.List().Count(); ++i)
            if (FigureOf(i) > 0) out.insert(FigureOf(i));
        return out;
    }
};

}  // namespace kel::test
