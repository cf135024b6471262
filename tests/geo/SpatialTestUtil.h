// Building figure commands and small command lists for the spatial tests.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <initializer_list>
#include <utility>

#include "EditorFixture.h"
#include "common/Values.h"
#include "geo/Coordinates.h"

namespace kel::test {

using Deg = std::pair<double, double>;  // latitude, longitude in degrees

// A `pos` value of positions given in degrees, written in "KEL" form.
inline QString Pos(std::initializer_list<Deg> positions) {
    QStringList parts;
    for (const Deg& p : positions)
        parts << ConvertCoord(NumText(p.first), QStringLiteral("D"), QStringLiteral("KEL")) +
                     QLatin1Char(',') +
                     ConvertCoord(NumText(p.second), QStringLiteral("D"), QStringLiteral("KEL"));
    return parts.join(QLatin1Char(','));
}

// A figure command text: word, oid, pos and further parameters ("r=\"1km\"").
inline QString Cmd(const QString& word, const QString& pos, const QString& extra = QString()) {
    return word + QStringLiteral(" oid=\"1\" gid=\"1\" pos=\"") + pos + QLatin1Char('"') +
           (extra.isEmpty() ? QString() : QLatin1Char(' ') + extra) + QLatin1Char(';');
}

// Fills the editor's list with the command texts (nothing drawn).
inline void SetCommands(Editor& editor, const QStringList& texts) {
    editor.List().Clear();
    for (const QString& t : texts) editor.List().Append(editor.NewListLine(t, 0));
}

inline QList<int> ToList(const std::vector<int>& v) { return QList<int>(v.begin(), v.end()); }
inline QList<int> SelectedList(const Editor& editor) {
    return ToList(editor.List().SelectedIndexes());
}

}  // namespace kel::test
