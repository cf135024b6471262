#include "proatlas/MapContent.h"

#include <algorithm>
#include <cmath>

#include "geo/Coordinates.h"

namespace kel {

namespace {

constexpr double kCellDeg = 0.02;         // about 2 km
constexpr qint64 kMaxCellsPerShape = 256;  // beyond this a shape goes into the large list

qint64 CellKey(qint64 row, qint64 col) { return (row << 32) ^ (col & 0xffffffff); }
qint64 CellOf(double deg) { return qint64(std::floor(deg / kCellDeg)); }

// "d/mm/sssss": degrees, minutes and the seconds in thousandths without a decimal point.
// As in the "KEL" form, the degrees are the floor of the value and the rest is counted
// upwards from them ("-34/30/00000" for -33.5), so the text reads back to the value.
QString MarkText(double deg) {
    const qint64 ms = std::llround(deg * 3600000.0);
    const qint64 d = ms >= 0 ? ms / 3600000 : -((-ms + 3599999) / 3600000);
    const qint64 rest = ms - d * 3600000;
    return QStringLiteral("%1/%2/%3")
        .arg(d)
        .arg(rest / 60000, 2, 10, QLatin1Char('0'))
        .arg(rest % 60000, 5, 10, QLatin1Char('0'));
}

// A text position: milliseconds of arc, or a slash form ("d/mm/ss.s" with a point,
// "d/mm/sssss" without).
std::optional<double> TextPositionDegrees(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty()) return std::nullopt;
    if (t.contains(QLatin1Char('/'))) {
        const CoordFormat f = t.contains(QLatin1Char('.')) ? CoordFormat::kKEL : CoordFormat::kPAO;
        return CoordToDegrees(t, f);
    }
    bool ok = false;
    const double ms = t.toDouble(&ok);
    if (!ok) return std::nullopt;
    return ms / 3600000.0;
}

}  // namespace

qint32 DegreesToMilliArc(double deg) {
    const double ms = std::round(deg * 3600000.0);
    return qint32(std::clamp(ms, -2147483648.0, 2147483647.0));
}

QString MapContent::MarkLatitude() const { return mark_ ? MarkText(mark_->first) : QString(); }
QString MapContent::MarkLongitude() const { return mark_ ? MarkText(mark_->second) : QString(); }

bool MapContent::SetMark(double lat_deg, double lon_deg) {
    if (!enableMark_) return false;
    mark_ = std::make_pair(lat_deg, lon_deg);
    ContentChanged(true);
    return true;
}

int MapContent::AddTextEx(const QString& latitude, const QString& longitude,
                          const QString& text, int, int, int, int) {
    const auto lat = TextPositionDegrees(latitude);
    const auto lon = TextPositionDegrees(longitude);
    if (!lat || !lon) return 0;
    return AddLabel(*lat, *lon, text, 0);
}

int MapContent::AddLabel(double lat_deg, double lon_deg, const QString& text, int color) {
    const int id = ++lastTextId_;
    texts_.emplace(id, MapText{id, lat_deg, lon_deg, text, color});
    ContentChanged(true);
    return id;
}

int MapContent::DeleteText(int id) {
    if (texts_.erase(id) == 0) return 0;
    ContentChanged(true);
    return -1;
}

int MapContent::AddPolyLine(std::span<const qint32> lat_ms, std::span<const qint32> lon_ms,
                            int count, bool redraw) {
    return AddShape(false, lat_ms, lon_ms, count, redraw);
}

int MapContent::AddPolygon(std::span<const qint32> lat_ms, std::span<const qint32> lon_ms,
                           int count, bool redraw) {
    return AddShape(true, lat_ms, lon_ms, count, redraw);
}

int MapContent::AddShape(bool polygon, std::span<const qint32> lat_ms,
                         std::span<const qint32> lon_ms, int count, bool redraw) {
    const size_t n = std::min({size_t(std::max(count, 0)), lat_ms.size(), lon_ms.size()});
    if (n == 0) return 0;
    MapShape s;
    s.handle = int(shapes_.size()) + 1;
    s.polygon = polygon;
    s.style = style_;
    s.lat_ms.assign(lat_ms.begin(), lat_ms.begin() + qsizetype(n));
    s.lon_ms.assign(lon_ms.begin(), lon_ms.begin() + qsizetype(n));
        for (size_t i = 0; i < n; ++i)
        s.box.Add(MilliArcToDegrees(s.lat_ms[i]), MilliArcToDegrees(s.lon_ms[i]));
    IndexShape(s);
    shapes_.push_back(std::move(s));
    ++shapeCount_;
    ContentChanged(redraw);
    return shapes_.back()->handle;
}

int MapContent::RemoveShape(int handle, bool polygon) {
    if (handle <= 0 || size_t(handle) > shapes_.size()) return 0;
    auto& slot = shapes_[size_t(handle - 1)];
    if (!slot || slot->polygon != polygon) return 0;
    // The index keeps the handle (lookups skip removed shapes): taking it out of its cells
    // one by one costs a search per cell, which made removing every figure of a large
    // script quadratic. Once removed handles outnumber the shapes left, the index is
    // built again from those.
    slot.reset();
    --shapeCount_;
    if (++staleHandles_ > std::max(shapeCount_, 1024)) RebuildIndex();
    ContentChanged(true);
    return -1;
}

void MapContent::RebuildIndex() {
    cells_.clear();
    large_.clear();
    staleHandles_ = 0;
    for (const auto& slot : shapes_)
        if (slot) IndexShape(*slot);
}

void MapContent::IndexShape(const MapShape& s) {
    const qint64 r0 = CellOf(s.box.minLat_deg), r1 = CellOf(s.box.maxLat_deg);
    const qint64 c0 = CellOf(s.box.minLon_deg), c1 = CellOf(s.box.maxLon_deg);
    if ((r1 - r0 + 1) * (c1 - c0 + 1) > kMaxCellsPerShape) {
        large_.push_back(s.handle);
        return;
    }
    for (qint64 r = r0; r <= r1; ++r)
        for (qint64 c = c0; c <= c1; ++c) cells_[CellKey(r, c)].push_back(s.handle);
}

const MapShape* MapContent::Shape(int handle) const {
    if (handle <= 0 || size_t(handle) > shapes_.size()) return nullptr;
    const auto& slot = shapes_[size_t(handle - 1)];
    return slot ? &*slot : nullptr;
}

std::vector<const MapShape*> MapContent::ShapesIn(const GeoBox& box) const {
    std::vector<const MapShape*> out;
    if (box.IsEmpty() || shapeCount_ == 0) return out;
    const qint64 r0 = CellOf(box.minLat_deg), r1 = CellOf(box.maxLat_deg);
    const qint64 c0 = CellOf(box.minLon_deg), c1 = CellOf(box.maxLon_deg);
    const double cellsInBox = double(r1 - r0 + 1) * double(c1 - c0 + 1);
    std::vector<int> handles;
    if (cellsInBox > double(cells_.size())) {
        // The view covers more cells than hold anything: walk the occupied ones.
        for (const auto& [key, list] : cells_) {
            const qint64 r = key >> 32;
            const qint64 c = qint64(qint32(key & 0xffffffff));
            if (r < r0 || r > r1 || c < c0 || c > c1) continue;
            handles.insert(handles.end(), list.begin(), list.end());
        }
    } else {
        for (qint64 r = r0; r <= r1; ++r)
            for (qint64 c = c0; c <= c1; ++c) {
                const auto it = cells_.find(CellKey(r, c));
                if (it != cells_.end())
                    handles.insert(handles.end(), it->second.begin(), it->second.end());
            }
    }
    handles.insert(handles.end(), large_.begin(), large_.end());
    std::sort(handles.begin(), handles.end());
    handles.erase(std::unique(handles.begin(), handles.end()), handles.end());
    out.reserve(handles.size());
    for (int h : handles) {
        const MapShape* s = Shape(h);
        if (s && s->box.Overlaps(box)) out.push_back(s);
    }
    return out;
}

GeoBox MapContent::Extent() const {
    GeoBox box;
    for (const auto& slot : shapes_) {
        if (!slot) continue;
        box.Add(slot->box.minLat_deg, slot->box.minLon_deg);
        box.Add(slot->box.maxLat_deg, slot->box.maxLon_deg);
    }
    for (const auto& [id, t] : texts_) box.Add(t.lat_deg, t.lon_deg);
    return box;
}

void MapContent::ClearContent() {
    for (auto& slot : shapes_) slot.reset();
    shapeCount_ = 0;
    staleHandles_ = 0;
    cells_.clear();
    large_.clear();
    texts_.clear();
    ContentChanged(true);
}

}  // namespace kel
