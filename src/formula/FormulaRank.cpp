// Rank of a line among the candidate lines by a formula's value, and the candidate walk
// shared with the sort.
//
// A rank compares one value with the values of all candidates, and a bulk input asks for
// the rank of every line: quadratic in the list when done plainly. When the formula only
// depends on each line's own command (no other line, no evaluator state, no side effects),
// its values are kept per line with a sorted copy, so that a rank is a binary search; a
// line's value is computed again only after the line changed (the list tells which).
#include <algorithm>

#include "list/ListDocument.h"
#include "common/Values.h"
#include "formula/FormulaEngine.h"
#include "list/ListLine.h"

namespace kel {


namespace {

bool IsCandidate(const KelList& list, int i, bool selectedOnly, bool figuresOnly) {
    const QString word = ListLineName(list.Line(i));
    if (IsFigureCommand(word)) return !selectedOnly || list.Selected(i);
    return !figuresOnly && word != QLatin1String("group");
}

bool NumericComparison(const QString& my) {
    return Val(my) != 0 || my.contains(QLatin1Char('0'));
}

}  // namespace

int FormulaEngine::NextCandidate(int start, bool selectedOnly, bool figuresOnly) const {
    const KelList& list = editor_.List();
    const int last = list.Count() - 1;
    if (start < -1 || start >= last) return -1;
    for (int i = start + 1; i <= last; ++i)
        if (IsCandidate(list, i, selectedOnly, figuresOnly)) return i;
    return -1;
}

void FormulaEngine::ListChanged(int index) {
    if (!rankMemo_.isEmpty()) rankMemo_.clear();
    ++rankMemoGeneration_;
    if (!rankCache_) return;
    RankCache& c = *rankCache_;
    if (index < 0 || size_t(index) >= c.dirty.size()) {
        DropRankCache();
        return;
    }
    if (!c.dirty[size_t(index)]) {
        c.dirty[size_t(index)] = 1;
        c.dirtyLines.push_back(index);
    }
}

void FormulaEngine::DropRankCache() {
    rankCache_.reset();
    if (!rankMemo_.isEmpty()) rankMemo_.clear();
    ++rankMemoGeneration_;
}

bool FormulaEngine::RankFromCache(int index, const QString& formula, const QString& my, double fg,
                                  bool figuresOnly, bool selectedOnly, QString& result) {
    const KelList& list = editor_.List();
    const size_t n = size_t(list.Count());
    if (!rankCache_ || rankCache_->formula != formula || rankCache_->figuresOnly != figuresOnly ||
        rankCache_->selectedOnly != selectedOnly || rankCache_->dirty.size() != n) {
        auto c = std::make_unique<RankCache>();
        c->formula = formula;
        c->figuresOnly = figuresOnly;
        c->selectedOnly = selectedOnly;
        c->values.resize(n);
        c->counted.assign(n, 0);
        c->dirty.assign(n, 1);
        c->dirtyLines.resize(n);
        for (size_t i = 0; i < n; ++i) c->dirtyLines[i] = int(i);
        rankCache_ = std::move(c);
    }
    RankCache& c = *rankCache_;

    // Bring the changed lines up to date.
    const int impureBefore = impureCalls_;
    std::vector<int> lines;
    lines.swap(c.dirtyLines);
    const bool rebuild = lines.size() > n / 4;
    for (int i : lines) {
        const size_t k = size_t(i);
        c.dirty[k] = 0;
        if (c.counted[k] && !rebuild) {
            const double x = Val(c.values[k]);
            auto it = std::lower_bound(c.numbers.begin(), c.numbers.end(), x);
            if (it != c.numbers.end()) c.numbers.erase(it);
            if (c.textsBuilt) {
                auto t = std::lower_bound(c.texts.begin(), c.texts.end(), c.values[k]);
                if (t != c.texts.end()) c.texts.erase(t);
            }
        }
        c.counted[k] = 0;
        c.values[k].clear();
        if (!IsCandidate(list, i, selectedOnly, figuresOnly)) continue;
        // The evaluation may change the list, whose signals drop the cache: check before
        // touching it again.
        const RankCache* before = rankCache_.get();
        QString value = EvaluateFormula(LineContext(i), formula);
        if (rankCache_.get() != before || impureCalls_ != impureBefore || aborted_) {
            DropRankCache();
            return false;
        }
        c.values[k] = std::move(value);
        c.counted[k] = 1;
        if (!rebuild) {
            const double x = Val(c.values[k]);
            c.numbers.insert(std::upper_bound(c.numbers.begin(), c.numbers.end(), x), x);
            if (c.textsBuilt)
                c.texts.insert(std::upper_bound(c.texts.begin(), c.texts.end(), c.values[k]),
                               c.values[k]);
        }
    }
    if (rebuild) {
        c.numbers.clear();
        for (size_t k = 0; k < n; ++k)
            if (c.counted[k]) c.numbers.push_back(Val(c.values[k]));
        std::sort(c.numbers.begin(), c.numbers.end());
        c.texts.clear();
        c.textsBuilt = false;
    }

    qint64 rank = 1;
    const bool self = list.IsValidIndex(index) && c.counted[size_t(index)];
    if (NumericComparison(my)) {
        const double x = Val(my);
        if (fg == 1) {
            rank += c.numbers.end() - std::upper_bound(c.numbers.begin(), c.numbers.end(), x);
            if (self && Val(c.values[size_t(index)]) > x) --rank;
        } else if (fg == -1) {
            rank += std::lower_bound(c.numbers.begin(), c.numbers.end(), x) - c.numbers.begin();
            if (self && Val(c.values[size_t(index)]) < x) --rank;
        }
    } else if (fg == 1 || fg == -1) {
        if (!c.textsBuilt) {
            c.texts.clear();
            for (size_t k = 0; k < n; ++k)
                if (c.counted[k]) c.texts.push_back(c.values[k]);
            std::sort(c.texts.begin(), c.texts.end());
            c.textsBuilt = true;
        }
        if (fg == 1) {
            rank += c.texts.end() - std::upper_bound(c.texts.begin(), c.texts.end(), my);
            if (self && c.values[size_t(index)] > my) --rank;
        } else {
            rank += std::lower_bound(c.texts.begin(), c.texts.end(), my) - c.texts.begin();
            if (self && c.values[size_t(index)] < my) --rank;
        }
    }
    result = QString::number(rank);
    return true;
}

QString FormulaEngine::RankFigure(int index, const QString& formula, double fg, bool figuresOnly) {
    ListClickGuard guard(editor_);
    const KelList& list = editor_.List();
    const bool selectedOnly = list.SelectedCount() > 0;
    const QString key = QString::number(index) + QLatin1Char(' ') + QString::number(fg) +
                        QLatin1Char(figuresOnly ? 'f' : 'a') + QLatin1Char(selectedOnly ? 's' : 'l') +
                        formula;
    if (const auto kept = rankMemo_.constFind(key); kept != rankMemo_.cend()) return *kept;
    const int volatileBefore = volatileCalls_;
    const quint64 generation = rankMemoGeneration_;
    const QString result = ComputeRank(index, formula, fg, figuresOnly, selectedOnly);
    if (!aborted_ && volatileCalls_ == volatileBefore && generation == rankMemoGeneration_)
        rankMemo_.insert(key, result);
    return result;
}

QString FormulaEngine::ComputeRank(int index, const QString& formula, double fg, bool figuresOnly,
                                   bool selectedOnly) {
    const int impureBefore = impureCalls_;
    const QString my = EvaluateFormula(LineContext(index), formula);
    QString result;
    if (impureCalls_ == impureBefore && !aborted_ &&
        RankFromCache(index, formula, my, fg, figuresOnly, selectedOnly, result)) {
        editor_.CaptionRoll(QStringLiteral("Off"));
        return result;
    }
    const bool numeric = NumericComparison(my);
    const double x = Val(my);
    qint64 rank = 1;
    for (int j = NextCandidate(-1, selectedOnly, figuresOnly); j != -1;
         j = NextCandidate(j, selectedOnly, figuresOnly)) {
        if (j == index) continue;
        editor_.CaptionRoll(QString::number(index) + QLatin1Char('-') + QString::number(j));
        const QString v = EvaluateFormula(LineContext(j), formula);
        if (aborted_) break;
        const bool greater = numeric ? Val(v) > x : v > my;
        const bool less = numeric ? Val(v) < x : v < my;
        if ((fg == 1 && greater) || (fg == -1 && less)) ++rank;
    }
    editor_.CaptionRoll(QStringLiteral("Off"));
    return QString::number(rank);
}

}  // namespace kel
