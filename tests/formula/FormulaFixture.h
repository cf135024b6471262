// Editors wired to doubles with a formula engine on them (FormulaFixture), or with the
// conditions and bulk operations installed as well (BulkFixture), and helpers to lay out a
// list of commands, evaluate formulas for its lines and read the results back.
#pragma once

#include <QStringList>

#include "EditorFixture.h"
#include "formula/FormulaActions.h"
#include "formula/FormulaEngine.h"
#include "list/ListLine.h"
#include "script/Statement.h"

namespace kel::test {

using Lines = QList<int>;

inline const QString kHeader =
    QStringLiteral("//Header:Prog:\"1.0.8.0\" Templ:\"1.2\" Date:\"2026/12/06\";");
inline const QString kRule = QString(51, QLatin1Char('-'));

struct FormulaFixture : EditorFixture {
    FormulaEngine engine{editor};

    FormulaFixture() = default;
    explicit FormulaFixture(const QStringList& script) { SetScript(script); }

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

    void Select(const Lines& lines) {
        for (int i = 0; i < editor.List().Count(); ++i) editor.List().SetSelected(i, false);
        for (int i : lines) editor.List().SetSelected(i, true);
    }
    Lines Selected() const {
        Lines out;
        for (int i : editor.List().SelectedIndexes()) out << i;
        return out;
    }
    // Makes line i current without loading it into the parameter editor.
    void SetCurrentQuietly(int i) {
        editor.SetListClickSuppressed(true);
        editor.List().SetCurrent(i);
        editor.SetListClickSuppressed(false);
    }
    // The value of parameter `name` on every line, joined with "|".
    QString Values(const QString& name) const {
        QStringList out;
        for (const QString& t : Texts()) out << GetParamValue(t, name);
        return out.join(QLatin1Char('|'));
    }
};

struct BulkFixture : FormulaFixture {
    FormulaOperations& ops = InstallFormulaActions(editor, engine);

    BulkFixture() = default;
    explicit BulkFixture(const QStringList& script) { SetScript(script); }

    // A label per line: the str of a command that has one, its command word otherwise.
    QString Labels() const {
        QStringList out;
        for (const QString& t : Texts()) {
            const QString s = GetParamValue(t, QStringLiteral("str"));
            out << (s.isEmpty() ? CommandWord(t) : s);
        }
        return out.join(QLatin1Char('|'));
    }
};

// A point with an oid, gid and str.
inline QString Point(const QString& oid, const QString& gid = QStringLiteral("1"),
                     const QString& str = QString()) {
    return QStringLiteral("point oid=\"%1\" gid=\"%2\" pos=\"35/40/00.0,139/46/00.0\" str=\"%3\";")
        .arg(oid, gid, str);
}

}  // namespace kel::test
