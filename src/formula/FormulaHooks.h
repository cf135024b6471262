// What the formula evaluator needs from operations that live elsewhere: spatial analysis,
// conditional selection and bulk input. The owners of those operations fill these hooks;
// an empty hook makes its functions do nothing (a selection selects nothing, a distance or
// an index is the empty text or -1).
#pragma once

#include <QString>
#include <functional>
#include <optional>

#include "geo/Extreme.h"

namespace kel {

// The command a formula is evaluated for: its list index (a number; it may carry a
// fraction when a formula gave it), its command text and its command word.
struct FormulaContext {
    double index = 0;
    QString commandText;
    QString commandWord;
};

// The winner of a nearest/farthest search: its list index (-1 when there is none) and its
// distance in km from the reference figure.
struct ExtremeResult {
    int index = -1;
    double distance_km = 0;
};

struct FormulaHooks {
    // The nearest or farthest figure from the context figure. Candidates are
    // the other figure lines, only the selected ones when any are selected. Does not move
    // the current line.
    std::function<ExtremeResult(const FormulaContext& reference, Extreme which)> findExtreme;
    // Marks the figures inside ("FindInterior"), outside ("FindExterior") or containing
    // ("FindObject") the context figure as selected, without asking (the evaluator sets
    // AutoAnswerYes around the call).
    std::function<void(const FormulaContext& reference, const QString& operation)>
        spatialSelect;
    // Distance in km between two figures, each measured from its own command text (its own
    // pos, r, width and height). No value when they cannot be measured.
    std::function<std::optional<double>(const QString& text1, const QString& word1,
                                        const QString& text2, const QString& word2)>
        figureDistance;
    // Conditional selection with a condition (no prefix, "&" or "|" prefix), without a
    // prompt; empties the formula counter as a selection does.
    std::function<void(const QString& condition)> conditionalSelect;
    // Bulk input of a parameter value with an equation "name=formula,...", run on the
    // working set without a prompt.
    std::function<void(const QString& equation)> lumpInput;
    // Called before a function that is not pure (one that may read other lines, the
    // selection or the evaluator's state, or change them) runs. A walk over the list that
    // holds its changes back while its formulas read only their own line puts them in
    // place here, so that such a function sees the list as it would have been.
    std::function<void()> beforeImpureCall;
};

}  // namespace kel
