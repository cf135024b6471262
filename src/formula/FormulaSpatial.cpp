// Measures and spatial analysis: Areas, Length, Distance, CenterPos, SpatialSelect and
// SpatialIndexList. Each figure is measured from its own command text.
#include "list/ListDocument.h"
#include "common/Values.h"
#include "formula/FormulaEngine.h"
#include "formula/FormulaFunction.h"
#include "geo/Coordinates.h"
#include "geo/FigureCentre.h"
#include "geo/FigureMeasure.h"
#include "list/ListLine.h"
#include "script/Statement.h"

namespace kel {

namespace {

AreaLength Measure(const FormulaContext& f) {
    const QString& t = f.commandText;
    return MeasureFigure(GetParamValue(t, QStringLiteral("pos")), f.commandWord,
                         GetParamValue(t, QStringLiteral("r")),
                         GetParamValue(t, QStringLiteral("width")),
                         GetParamValue(t, QStringLiteral("height")));
}

QString Areas(FormulaCall& c) { return NumText(Measure(c.context).area_km2); }
QString Length(FormulaCall& c) { return NumText(Measure(c.context).length_km); }

// The search a word names: "Nearest" or "Farthest"; none for anything else.
std::optional<Extreme> ExtremeOfWord(QStringView word) {
    if (word == QLatin1String("Nearest")) return Extreme::Nearest;
    if (word == QLatin1String("Farthest")) return Extreme::Farthest;
    return std::nullopt;
}

ExtremeResult FindExtreme(const FormulaCall& c, Extreme which) {
    if (!c.engine.Hooks().findExtreme) return ExtremeResult{};
    return c.engine.Hooks().findExtreme(c.context, which);
}

QString Distance(FormulaCall& c) {
    if (const auto which = ExtremeOfWord(TrimFormulaBlanks(c.Arg(1)))) {
        if (!c.engine.Hooks().findExtreme) return QString();
        return NumText(FindExtreme(c, *which).distance_km);
    }
    const KelList& list = c.editor().List();
    int lines[2];
    for (int k = 0; k < 2; ++k) {
        double n = Val(c.EvalArg(k + 1));
        if (n == 0) n = c.context.index;
        const qint64 i = RoundHalfEven(n);
        if (i < 0 || i >= list.Count()) return QString();
        lines[k] = int(i);
    }
    if (!c.engine.Hooks().figureDistance) return QString();
    const FormulaContext a = c.engine.LineContext(lines[0]);
    const FormulaContext b = c.engine.LineContext(lines[1]);
    const std::optional<double> d =
        c.engine.Hooks().figureDistance(a.commandText, a.commandWord, b.commandText, b.commandWord);
    return d ? NumText(*d) : QString();
}

QString CenterPosOfLine(FormulaCall& c) {
    const qint64 i = c.Rounded(1);
    if (i < 0 || i >= c.editor().List().Count()) return QString();
    const FormulaContext line = c.engine.LineContext(int(i));
    if (!IsFigureCommand(line.commandWord)) return QString();
    const auto centre =
        CenterPos(GetParamValue(line.commandText, QStringLiteral("pos")), line.commandWord);
    if (!centre) return QString();
    const QString d = QStringLiteral("D"), kel = QStringLiteral("KEL");
    return ConvertCoord(centre->lat, d, kel) + QLatin1Char(',') + ConvertCoord(centre->lon, d, kel);
}

// The spatial operation of a SpatialSelect word; empty for other words.
QString SpatialOperation(const QString& word) {
    if (word == QLatin1String("Interior")) return QStringLiteral("FindInterior");
    if (word == QLatin1String("Exterior")) return QStringLiteral("FindExterior");
    if (word == QLatin1String("Containor")) return QStringLiteral("FindObject");
    return QString();
}

QString SpatialSelect(FormulaCall& c) {
    FormulaEngine& e = c.engine;
    const QString operation = SpatialOperation(c.Arg(1));
    if (!operation.isEmpty()) {
        if (e.Hooks().spatialSelect && e.BeginListChange()) {
            AutoAnswerGuard yes(c.editor());
            e.Hooks().spatialSelect(c.context, operation);
        }
    } else if (const auto which = ExtremeOfWord(c.Arg(1))) {
        e.SetLineSelected(FindExtreme(c, *which).index, true);
    }
    return c.EvalArg(2);
}

QString SpatialIndexList(FormulaCall& c) {
    if (const auto which = ExtremeOfWord(c.Arg(1)))
        return QString::number(FindExtreme(c, *which).index);
    if (!SpatialOperation(c.Arg(1)).isEmpty())
        return c.Eval(QStringLiteral("SpatialSelect(") + c.Arg(1) +
                      QStringLiteral(",SelectedIndexList)"));
    return QString();
}

using G = FormulaGroup;
using A = FormulaArgs;

const FormulaFunctionDef kSpatialFunctions[] = {
    {"SpatialSelect", "Cmd,Formula", G::Command, A::First1, false,
     "カレント図形を基準に空間検索で選択してからFormulaを評価",
     "Cmd {Interior,Exterior,Containor,Nearest,Farthest}", SpatialSelect},
    {"SpatialIndexList", "Cmd", G::Index, A::First1, false,
     "カレント図形を基準にした空間検索結果のIndexNo（リスト）",
     "Cmd {Interior,Exterior,Containor,Nearest,Farthest}", SpatialIndexList},
    {"Areas", "", G::Spatial, A::None, true, "カレント図形の面積(km^2)", nullptr, Areas},
    {"Length", "", G::Spatial, A::None, true, "カレント図形の長さ(km)", nullptr, Length},
    {"Distance", "Idx1,Idx2", G::Spatial, A::None, false,
     "Idx1行とIdx2行の図形間の距離(km)（0はカレント）", "Idx1 {Nearest,Farthest}で最近・最遠図形までの距離",
     Distance},
    {"CenterPos", "Idx", G::Spatial, A::First1, false, "Idx行の図形の中心位置（緯度,経度）",
     nullptr, CenterPosOfLine},
};

}  // namespace

std::span<const FormulaFunctionDef> SpatialFormulaFunctions() { return kSpatialFunctions; }

}  // namespace kel
