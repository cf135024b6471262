// A formula fixture with the conditions and bulk operations installed, and helpers that
// read a parameter of every line.
#pragma once

#include <QStringList>

#include "FormulaFixture.h"
#include "formula/FormulaActions.h"
#include "script/Statement.h"

namespace kel::test {

struct BulkFixture : FormulaFixture {
    FormulaOperations& ops = InstallFormulaActions(editor, engine);

    // The value of parameter `name` on every line, joined with "|".
    QString Values(const QString& name) const {
        QStringList out;
        for (const QString& t : editor.CommandTextsInOrder()) out << GetParamValue(t, name);
        return out.join(QLatin1Char('|'));
    }
    // A label per line: the str of a command that has one, its command word otherwise.
    QString Labels() const {
        QStringList out;
        for (const QString& t : editor.CommandTextsInOrder()) {
            const QString s = GetParamValue(t, QStringLiteral("str"));
            out << (s.isEmpty() ? CommandWord(t) : s);
        }
        return out.join(QLatin1Char('|'));
    }
    void SetCurrentQuietly(int i) {
        editor.SetListClickSuppressed(true);
        editor.List().SetCurrent(i);
        editor.SetListClickSuppressed(false);
    }
};

}  // namespace kel::test
