// Suggestions for misspelt names: the known name closest to a word.
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace kel {

// Edit distance counting an insertion, a deletion, a changed character and two neighbours
// swapped ("strfromat" -> "strformat") as one edit each. Case matters.
int EditDistance(QStringView a, QStringView b);

// The candidate closest to `word`, or empty when none is close enough to be a likely
// misspelling: the same word in another case, or at most one edit for words of up to five
// characters and two for longer ones. Ties go to the earlier candidate.
QString NearestName(QStringView word, const QStringList& candidates);

}  // namespace kel
