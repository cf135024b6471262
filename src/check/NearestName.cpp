#include "check/NearestName.h"

#include <algorithm>
#include <vector>

namespace kel {

int EditDistance(QStringView a, QStringView b) {
    const qsizetype n = a.size(), m = b.size();
    // Three rows of the distance table: two rows back (for swaps), the previous one, this one.
    std::vector<int> back2(size_t(m + 1)), back1(size_t(m + 1)), row(size_t(m + 1));
    for (qsizetype j = 0; j <= m; ++j) back1[size_t(j)] = int(j);
    for (qsizetype i = 1; i <= n; ++i) {
        row[0] = int(i);
        for (qsizetype j = 1; j <= m; ++j) {
            const int cost = a[i - 1] == b[j - 1] ? 0 : 1;
            int d = std::min({back1[size_t(j)] + 1, row[size_t(j - 1)] + 1,
                              back1[size_t(j - 1)] + cost});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                d = std::min(d, back2[size_t(j - 2)] + 1);
            row[size_t(j)] = d;
        }
        std::swap(back2, back1);
        std::swap(back1, row);
    }
    return back1[size_t(m)];
}

QString NearestName(QStringView word, const QStringList& candidates) {
    const int allowed = word.size() <= 5 ? 1 : 2;
    QString best;
    int bestDistance = allowed + 1;
    for (const QString& c : candidates) {
        if (c.compare(word, Qt::CaseInsensitive) == 0) return c;
        const int d = EditDistance(word, c);
        if (d < bestDistance) {
            bestDistance = d;
            best = c;
        }
    }
    return best;
}

}  // namespace kel
