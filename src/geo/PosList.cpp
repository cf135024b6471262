#include "geo/PosList.h"

#include <algorithm>

#include "common/Values.h"

namespace kel {

namespace {

// A `pos` value of this many characters or fewer holds no positions.
constexpr qsizetype kMinPosTextLength = 3;

bool IsPosBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r') ||
           c == QLatin1Char('\n');
}

// Characters the converting readers leave out of a field: the marks "!", "<", ">", line
// feeds and, for the bounds reader, carriage returns.
bool IsDropped(QChar c, bool dropCr) {
    return c == QLatin1Char('!') || c == QLatin1Char('<') || c == QLatin1Char('>') ||
           c == QLatin1Char('\n') || (dropCr && c == QLatin1Char('\r'));
}

// Walks the fields of a `pos` value as the converting readers see them and hands each
// finished field (numbered from 1, dropped characters removed, "&" not included) to
// `onField`. A field holding dropped characters only at its start is handed over as a view
// into the text; one with marks inside is copied into `scratch`, which is reused. Fields
// beyond kMaxPosFields are not read; `truncated` is set when any of them holds more than
// blanks. Returns the number of fields read.
template <class OnField>
int WalkFields(QStringView text, bool dropCr, QString& scratch, bool& truncated,
               OnField&& onField) {
    int k = 1;
    qsizetype start = 0;
    bool copied = false;  // the field has dropped characters after its first content
    auto finish = [&](qsizetype end) {
        if (!copied) {
            onField(k, text.sliced(start, end - start));
            return;
        }
        scratch.resize(0);
        for (qsizetype j = start; j < end; ++j)
            if (!IsDropped(text[j], dropCr)) scratch.append(text[j]);
        onField(k, QStringView(scratch));
    };
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (k > kMaxPosFields) {
            if (!IsPosBlank(c) && !IsDropped(c, dropCr)) {
                truncated = true;
                break;
            }
            continue;
        }
        if (c == QLatin1Char(',') || c == QLatin1Char('&')) {
            finish(i);
            ++k;
            start = i + 1;
            copied = false;
        } else if (IsDropped(c, dropCr)) {
            if (i == start)
                start = i + 1;
            else
                copied = true;
        }
    }
    if (k <= kMaxPosFields) {
        finish(n);
        return k;
    }
    return kMaxPosFields;
}

// Reads the positions of a `pos` value. Each coordinate is converted to its "D" text and, when
// `values` is set, to the number that text reads as.
struct PositionSink {
    QStringList* latText = nullptr;
    QStringList* lonText = nullptr;
    std::vector<double>* latValue = nullptr;
    std::vector<double>* lonValue = nullptr;
};

bool ReadPositions(QStringView text, bool dropCr, CoordFormat format, const PositionSink& sink) {
    bool truncated = false;
    if (text.size() <= kMinPosTextLength) return truncated;

    // Room for the positions the separators promise, capped at the table size.
    const qsizetype separators = text.count(QLatin1Char(',')) + text.count(QLatin1Char('&'));
    const qsizetype expected = std::min<qsizetype>((separators + 1) / 2, kMaxPositions);
    if (sink.latText) sink.latText->reserve(expected);
    if (sink.lonText) sink.lonText->reserve(expected);
    if (sink.latValue) sink.latValue->reserve(size_t(expected));
    if (sink.lonValue) sink.lonValue->reserve(size_t(expected));

    QString scratch;
    QString pendingLat;
    WalkFields(text, dropCr, scratch, truncated, [&](int field, QStringView raw) {
        QString d = NumText(PartsToDegrees(ReadCoordParts(raw.trimmed(), format)));
        if (field % 2 == 1) {
            pendingLat = std::move(d);
            return;
        }
        if (sink.latValue) sink.latValue->push_back(Val(pendingLat));
        if (sink.lonValue) sink.lonValue->push_back(Val(d));
        if (sink.latText) sink.latText->append(std::move(pendingLat));
        if (sink.lonText) sink.lonText->append(std::move(d));
        pendingLat = QString();
    });
    return truncated;
}

}  // namespace

PosTexts ParsePosList(const QString& posText) {
    PosTexts out;
    out.truncated =
        ReadPositions(posText, false, CoordFormat::kKEL, {&out.lat, &out.lon, nullptr, nullptr});
    return out;
}

PosDegrees ParsePosDegrees(QStringView posText, CoordFormat fromFormat) {
    PosDegrees out;
    out.truncated =
        ReadPositions(posText, false, fromFormat, {nullptr, nullptr, &out.lat, &out.lon});
    return out;
}

int ForEachPosField(QStringView posText, const std::function<void(int, QStringView)>& onField,
                    bool* truncated) {
    bool cut = false;
    int count = 0;
    if (posText.size() > kMinPosTextLength) {
        QString scratch;
        count = WalkFields(posText, false, scratch, cut, [&](int field, QStringView raw) {
            onField(field, raw);
        });
    }
    if (truncated) *truncated = cut;
    return count;
}

PosBounds ParsePosListBounds(const QString& posText) {
    PosBounds out;
    std::vector<double> lat, lon;
    out.pos.truncated = ReadPositions(posText, true, CoordFormat::kKEL,
                                      {&out.pos.lat, &out.pos.lon, &lat, &lon});
    double maxLat = -90, minLat = 90, maxLon = -180, minLon = 180;
    for (size_t i = 0; i < lat.size(); ++i) {
        const qsizetype j = qsizetype(i);
        if (lat[i] > maxLat) maxLat = lat[i], out.maxLat = out.pos.lat[j];
        if (lat[i] < minLat) minLat = lat[i], out.minLat = out.pos.lat[j];
        if (lon[i] > maxLon) maxLon = lon[i], out.maxLon = out.pos.lon[j];
        if (lon[i] < minLon) minLon = lon[i], out.minLon = out.pos.lon[j];
    }
    return out;
}

int GetPosPair(const QString& posText, int index, QString& lat, QString& lon) {
    if (posText.isEmpty()) return 0;
    // Only the two wanted fields are built; the others are counted.
    const bool exists = index >= 1 && index <= kMaxPositions;
    const int latField = exists ? 2 * index - 1 : -1;
    const int lonField = exists ? 2 * index : -1;
    QString fields[2];
    int bangs[2] = {0, 0};
    int k = 1;
    for (const QChar c : posText) {
        if (k > kMaxPosFields) break;
        const int slot = k == latField ? 0 : (k == lonField ? 1 : -1);
        if (c == QLatin1Char(',')) {
            ++k;
        } else if (c == QLatin1Char('&')) {
            if (slot >= 0) fields[slot].append(c);
            ++k;
        } else if (c == QLatin1Char('!')) {
            if (slot >= 0) ++bangs[slot];  // a "!" goes to the front of its field
        } else if (c != QLatin1Char('\n')) {
            if (slot >= 0) fields[slot].append(c);
        }
    }
    const int count = std::min(k, kMaxPosFields) / 2;
    if (index >= 1 && index <= count) {
        lat = QString(bangs[0], QLatin1Char('!')) + fields[0];
        lon = QString(bangs[1], QLatin1Char('!')) + fields[1];
    } else {
        lat.clear();
        lon.clear();
    }
    return count;
}

void GetPosPairAt(const QString& posText, int& indexInOut, QString& lat, QString& lon) {
    indexInOut = GetPosPair(posText, indexInOut, lat, lon);
}

QString WritePosList(const std::vector<PosEntry>& positions, const QString& arrow) {
    QString out = arrow;
    for (size_t i = 0; i < positions.size(); ++i) {
        const PosEntry& p = positions[i];
        if (i > 0 && !positions[i - 1].amp) out += QLatin1Char(',');
        if (p.bang) out += QLatin1Char('!');
        out += p.lat;
        out += QLatin1Char(',');
        out += p.lon;
        if (p.amp) out += QLatin1Char('&');
    }
    return out;
}

}  // namespace kel
