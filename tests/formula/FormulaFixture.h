// An editor wired to doubles with a formula engine on it, and helpers to lay out a list of
// commands and evaluate formulas for its lines.
#pragma once

#include <QStringList>

#include "EditorFixture.h"
#include "formula/FormulaEngine.h"
#include "list/ListLine.h"

namespace kel::test {

struct FormulaFixture : EditorFixture {
    FormulaEngine engine{editor};

    // Replaces the list by one line per command text.
    void SetScript(const QStringList& texts) {
        QStringList lines;
        for (const QString& t : texts) lines << MakeListLine(editor.Texts(), t, 0);
        editor.List().SetLines(lines);
    }

    // Evaluates a formula in the context of line i.
    QString Eval(int i, const QString& formula) {
        return engine.EvaluateFormula(engine.LineContext(i), formula);
    }

    void Select(std::initializer_list<int> lines) {
        for (int i = 0; i < editor.List().Count(); ++i) editor.List().SetSelected(i, false);
        for (int i : lines) editor.List().SetSelected(i, true);
    }

    QString SelectedList() const {
        QStringList out;
        for (int i : editor.List().SelectedIndexes()) out << QString::number(i);
        return out.join(QLatin1Char(','));
    }
};

// A point with an oid, gid and str.
inline QString Point(const QString& oid, const QString& gid = QStringLiteral("1"),
                     const QString& str = QString()) {
    return QStringLiteral("point oid=\"%1\" gid=\"%2\" pos=\"35/40/00.0,139/46/00.0\" str=\"%3\";")
        .arg(oid, gid, str);
}

}  // namespace kel::test
