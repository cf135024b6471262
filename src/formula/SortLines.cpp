// The sort of the command list by a formula ("Sort List": Up, Down, and the same for
// figures only).
//
// Each candidate's value is computed once, in list order, and the candidates are ordered by
// a stable sort: equal values keep their order, the work grows as n log n, and formulas with
// side effects or changing values (Inc, Rand) give one value per line rather than one per
// comparison.
#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

#include "list/ListDocument.h"
#include "common/Values.h"
#include "formula/BulkOps.h"
#include "formula/FormulaEngine.h"
#include "formula/ListWalk.h"

namespace kel {

void BulkOps::SortByFormula(const QString& formula, int direction, bool figuresOnly) {
    const PromptedText p =
        PromptStep(editor_, formula, lastSortFormula_, false,
                   QStringLiteral("Listの並べ替えに使う式を入力してください"),
                   QStringLiteral("Sort"), 1);
    if (p.text.isEmpty()) return;
    lastSortFormula_ = p.text;
    SortLines(p.text, direction, figuresOnly);
}

void BulkOps::SortLines(const QString& formula, int direction, bool figuresOnly) {
    KelList& list = editor_.List();
    if (list.Count() == 0) return;
    // The parameter editor's entry is known by its line number, which the sort may give to
    // another command: its edits go in first, and it is loaded again at the end.
    if (!editor_.ApplyPendingEdits()) return;
    WalkClickScope click(editor_, engine_);
    click.ClickAtEnd();
    CancellableWalk cancel(editor_, engine_);

    const bool selectedOnly = list.SelectedCount() > 0;
    std::vector<int> candidates;
    for (int c = engine_.NextCandidate(-1, selectedOnly, figuresOnly); c != -1;
         c = engine_.NextCandidate(c, selectedOnly, figuresOnly))
        candidates.push_back(c);
    if (candidates.size() < 2) return;
    const int firstFigure = engine_.NextCandidate(-1, selectedOnly, true);

    WalkProgress progress(editor_);
    const int count = list.Count();
    std::vector<QString> values(candidates.size());
    size_t modeValue = 0;  // the first figure's value decides how values compare
    for (size_t k = 0; k < candidates.size() && !cancel.Cancelled(); ++k) {
        progress.Show(candidates[k]);
        values[k] = engine_.EvaluateFormula(engine_.LineContext(candidates[k]), formula);
        if (candidates[k] == firstFigure) modeValue = k;
    }
    progress.Off();
    // A formula that changed the list's length (it cannot, but the places below depend on it)
    // leaves the order alone.
    if (list.Count() != count || cancel.Cancelled()) return;

    const QString& my = values[modeValue];
    const bool numeric = Val(my) != 0 || my.contains(QLatin1Char('0'));
    std::vector<size_t> order(candidates.size());
    std::iota(order.begin(), order.end(), size_t(0));
    const bool ascending = direction == 1;
    if (numeric) {
        std::vector<double> keys(values.size());
        for (size_t k = 0; k < values.size(); ++k) {
            const double x = Val(values[k]);
            keys[k] = std::isnan(x) ? 0 : x;
        }
        std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
            return ascending ? keys[a] < keys[b] : keys[a] > keys[b];
        });
    } else {
        std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
            return ascending ? values[a] < values[b] : values[b] < values[a];
        });
    }

    bool moved = false;
    for (size_t k = 0; k < order.size() && !moved; ++k) moved = order[k] != k;
    if (!moved) return;
    const QStringList& lines = list.Lines();
    std::vector<char> states(size_t(count), 0);
    for (int i : list.SelectedIndexes()) states[size_t(i)] = 1;
    QStringList newLines = lines;
    std::vector<char> newStates = states;
    for (size_t k = 0; k < order.size(); ++k) {
        const int to = candidates[k], from = candidates[order[k]];
        newLines[to] = lines[from];
        newStates[size_t(to)] = states[size_t(from)];
    }
    list.SetLines(std::move(newLines));
    list.SetSelection(newStates);
    editor_.SetEditFg(1);
}

}  // namespace kel
