#include "geo/FigureEditOps.h"

#include <algorithm>
#include <cmath>

#include "geo/FigurePositions.h"

namespace kel {

namespace {

// Node positions closer than this to a whole number name that node.
constexpr double kNodeTolerance = 1e-9;

QString TrimRight(const QString& text) {
    qsizetype e = text.size();
    while (e > 0 && text[e - 1].isSpace()) --e;
    return text.left(e);
}

}  // namespace

bool IsNodePosition(double node) {
    return std::isfinite(node) && std::abs(node - std::round(node)) < kNodeTolerance;
}

int NodeNumber(double node) {
    return IsNodePosition(node) ? int(std::lround(node)) : 0;
}

MovedPos MovePos(const QString& posText, double dLat_deg, double dLon_deg) {
    MovedPos out;
    const FigurePositions fp = ReadFigurePositions(posText);
    if (fp.overLimit) {
        out.refusal = EditRefusal::kOverLimit;
        return out;
    }
    if (fp.pos.empty()) {
        out.refusal = EditRefusal::kNoPositions;
        return out;
    }
    std::vector<FigurePos> moved;
    moved.reserve(fp.pos.size());
    for (const FigurePos& p : fp.pos) moved.push_back(Shifted(p, dLat_deg, dLon_deg));
    out.pos = WriteFigurePositions(fp.arrow, moved);
    return out;
}

DividedPos DividePos(const QString& posText, const FigureSpot& spot) {
    DividedPos out;
    const FigurePositions fp = ReadFigurePositions(posText);
    if (fp.overLimit) {
        out.refusal = EditRefusal::kOverLimit;
        return out;
    }
    const int n = fp.count();
    if (n == 0) {
        out.refusal = EditRefusal::kNoPositions;
        return out;
    }
    const double t = spot.node;
    const bool atNode = IsNodePosition(t);
    if (!std::isfinite(t) || t <= 1 || t >= n ||
        (atNode && (NodeNumber(t) <= 1 || NodeNumber(t) >= n))) {
        out.refusal = EditRefusal::kAtEnd;
        return out;
    }
    std::vector<FigurePos> first, second;
    if (atNode) {
        const int k = NodeNumber(t);  // 2..n-1
        first.assign(fp.pos.begin(), fp.pos.begin() + k);
        second.assign(fp.pos.begin() + (k - 1), fp.pos.end());
    } else {
        const int k = int(std::floor(t));  // the spot lies between node k and node k+1
        const FigurePos cut = PositionAt(spot.lat_deg, spot.lon_deg);
        first.assign(fp.pos.begin(), fp.pos.begin() + k);
        first.push_back(cut);
        second.push_back(cut);
        second.insert(second.end(), fp.pos.begin() + k, fp.pos.end());
    }
    out.first = WriteFigurePositions(fp.arrow, first).trimmed();
    out.second = WriteFigurePositions(fp.arrow, second).trimmed();
    return out;
}

OrientedLine OrientToEnd(const QString& posText, int endNode) {
    OrientedLine out;
    FigurePositions fp = ReadFigurePositions(posText);
    out.arrow = fp.arrow;
    out.count = fp.count();
    if (fp.overLimit) {
        out.refusal = EditRefusal::kOverLimit;
        return out;
    }
    if (fp.pos.empty()) {
        out.refusal = EditRefusal::kNoPositions;
        return out;
    }
    if (endNode == 1 && fp.count() > 1) {
        std::reverse(fp.pos.begin(), fp.pos.end());
        out.arrow = SwappedArrow(fp.arrow);
        out.reversed = true;
    }
    out.pos = WriteFigurePositions(out.arrow, fp.pos);
    return out;
}

MovedPos CombinePos(const QString& firstOrientedPos, const QString& secondPosText, int secondEnd) {
    MovedPos out;
    FigurePositions first = ReadFigurePositions(firstOrientedPos);
    FigurePositions second = ReadFigurePositions(secondPosText);
    if (first.overLimit || second.overLimit || first.count() + second.count() > kMaxPositions) {
        out.refusal = EditRefusal::kOverLimit;
        return out;
    }
    if (first.pos.empty() || second.pos.empty()) {
        out.refusal = EditRefusal::kNoPositions;
        return out;
    }
    if (secondEnd != 1 && second.count() > 1) std::reverse(second.pos.begin(), second.pos.end());
    first.pos.insert(first.pos.end(), second.pos.begin(), second.pos.end());
    out.pos = WriteFigurePositions(first.arrow, first.pos);
    return out;
}

MovedPos JoinPosTexts(const QString& currentPos, const QString& nextPos) {
    MovedPos out;
    const QString head = TrimRight(currentPos);
    const QString tail = nextPos.mid(ArrowPrefix(nextPos).size());
    const bool endsInSeparator = head.endsWith(QLatin1Char(',')) || head.endsWith(QLatin1Char('&'));
    const QString joined = endsInSeparator ? head + tail : head + QLatin1Char(',') + tail;
    if (ReadFigurePositions(joined).overLimit) {
        out.refusal = EditRefusal::kOverLimit;
        return out;
    }
    out.pos = joined;
    return out;
}

}  // namespace kel
