#include "geo/SpatialHooks.h"

#include "common/Values.h"
#include "formula/FormulaHooks.h"
#include "geo/SpatialAnalysis.h"

namespace kel {

void InstallSpatialFormulaHooks(FormulaHooks& hooks, ListDocument& editor, SpatialState& state) {
    ListDocument* e = &editor;
    SpatialState* s = &state;
    hooks.findExtreme = [e](const FormulaContext& reference, int mode) {
        // A context index that a formula gave a fraction names the line it rounds to.
        const ExtremeFound f =
            FindExtreme(*e, reference.commandText, int(RoundHalfEven(reference.index)), mode);
        ExtremeResult r;
        r.index = f.index;
        r.distance_km = f.distance_km;
        return r;
    };
    hooks.spatialSelect = [e, s](const FormulaContext& reference, const QString& operation) {
        SpatialSelect(*e, *s, operation, reference.commandText);
    };
    hooks.figureDistance = [](const QString& text1, const QString& word1, const QString& text2,
                              const QString& word2) {
        return FigureToFigureDistance(text1, word1, text2, word2);
    };
}

}  // namespace kel
