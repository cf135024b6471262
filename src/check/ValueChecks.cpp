#include "check/ValueChecks.h"

#include <QHash>
#include <QSet>

#include "common/Values.h"
#include "geo/Coordinates.h"
#include "geo/Geometry.h"
#include "geo/PosList.h"
#include "list/ValuePickers.h"
#include "script/Catalogue.h"
#include "script/CommandLibrary.h"
#include "script/Statement.h"

namespace kel {

namespace {

constexpr double kMaxLatitude_deg = 90;
constexpr double kMaxLongitude_deg = 180;
constexpr double kMinutesPerDegree = 60;

QString QuotedValue(QStringView text) { return QLatin1Char('"') + text.toString() + QLatin1Char('"'); }

// "" or " (and 3 more)".
QString More(int count) {
    return count > 0 ? QStringLiteral(" (and %1 more)").arg(count) : QString();
}

// Keyword values the program itself writes into the commands of its standard library
// ("frame#2", "none", ...), by parameter name: a value the program writes is not a fault.
const QHash<QString, QSet<QString>>& LibraryKeywords() {
    static const QHash<QString, QSet<QString>> values = [] {
        QHash<QString, QSet<QString>> out;
        for (const QString& line : StandardLibrary()) {
            Slots slots;
            const QString word = ParseStatement(SplitLibraryLine(line).text, slots);
            const CatalogueEntry* entry = FindCatalogueEntry(word);
            if (!entry) continue;
            for (int r = 0; r < entry->labels.size(); ++r) {
                const QString& value = slots[r + 1];
                if (!value.isEmpty() && HasKeywordList(entry->labels[r]))
                    out[entry->labels[r]].insert(value);
            }
        }
        return out;
    }();
    return values;
}

bool IsSizeParam(const QString& name) {
    static const QSet<QString> kSizes = {
        QStringLiteral("r"),     QStringLiteral("rmax"),     QStringLiteral("width"),
        QStringLiteral("height"), QStringLiteral("widthmax"), QStringLiteral("heightmax")};
    return kSizes.contains(name);
}

}  // namespace

int CheckPosValue(QStringView pos, const ReportProblem& report) {
    struct Fault {
        int count = 0;
        QString first;
        void Add(const QString& message) {
            if (count++ == 0) first = message;
        }
    };
    Fault syntax, range, minSec;
    int emptyFields = 0;
    bool lastEmpty = false;
    bool truncated = false;
    const int walked = ForEachPosField(
        pos,
        [&](int field, QStringView raw) {
            const QStringView t = raw.trimmed();
            lastEmpty = t.isEmpty();
            if (lastEmpty) {
                ++emptyFields;  // judged below, once the last field is known
                return;
            }
            const int position = (field + 1) / 2;
            const bool latitude = field % 2 == 1;
            if (!IsCoordText(t, CoordFormat::kKEL)) {
                syntax.Add(QStringLiteral("%1 (position %2) is not a coordinate d/m/s")
                               .arg(QuotedValue(t))
                               .arg(position));
                return;
            }
            const CoordParts parts = ReadCoordParts(t, CoordFormat::kKEL);
            const double v = PartsToDegrees(parts);
            const double limit = latitude ? kMaxLatitude_deg : kMaxLongitude_deg;
            if (v > limit || v < -limit)
                range.Add(QStringLiteral("%1 %2 (position %3) is outside -%4 to %4")
                              .arg(latitude ? QStringLiteral("latitude") : QStringLiteral("longitude"),
                                   t.toString())
                              .arg(position)
                              .arg(NumText(limit)));
            if (parts.min < 0 || parts.min >= kMinutesPerDegree || parts.sec < 0 ||
                parts.sec >= kMinutesPerDegree)
                minSec.Add(QStringLiteral("%1 (position %2) has minutes or seconds outside 0 to "
                                          "under 60")
                               .arg(t.toString())
                               .arg(position));
        },
        &truncated);
    if (walked == 1 && lastEmpty) return 0;  // marks or blanks only: no positions
    // An empty last field is what a final "," or "&" leaves; other empty fields are faults.
    int counted = walked;
    if (walked > 1 && lastEmpty) {
        --counted;
        --emptyFields;
    }
    if (emptyFields > 0)
        report("pos-syntax", QStringLiteral("pos has %1 empty field%2 between commas")
                                 .arg(emptyFields)
                                 .arg(emptyFields > 1 ? QStringLiteral("s") : QString()));
    if (syntax.count > 0) report("pos-syntax", syntax.first + More(syntax.count - 1));
    if (counted % 2 == 1 && !truncated)
        report("pos-odd", QStringLiteral("pos has %1 fields: the last latitude has no longitude")
                              .arg(counted));
    if (range.count > 0) report("pos-range", range.first + More(range.count - 1));
    if (minSec.count > 0) report("pos-minsec", minSec.first + More(minSec.count - 1));
    if (truncated)
        report("pos-count", QStringLiteral("pos holds more than %1 positions; the map reads only "
                                           "the first %1")
                                .arg(kMaxPositions));
    return counted / 2;
}

void CheckParamValue(const QString& word, int row, const QString& name, const QString& value,
                     const ReportProblem& report) {
    if (value.isEmpty()) return;
    if (IsColourParam(name)) {
        const QString problem = ColourTextProblem(value);
        if (!problem.isEmpty())
            report("colour", QStringLiteral("%1 %2: %3").arg(name, QuotedValue(value), problem));
        return;
    }
    if (IsSizeParam(name)) {
        if (!TryParseRadius(value))
            report("size", QStringLiteral("%1 %2 is not a size (a number, with KM or M after it)")
                               .arg(name, QuotedValue(value)));
        return;
    }
    const CatalogueEntry* entry = FindCatalogueEntry(word);
    if (!entry || !entry->HasEditButton(row) || !HasKeywordList(name)) return;
    const QStringList items = ParListItems(name, word);
    if (items.isEmpty() || items.contains(value) || LibraryKeywords().value(name).contains(value)) return;
    report("keyword", QStringLiteral("%1 %2 is not one of %3")
                          .arg(name, QuotedValue(value), items.join(QStringLiteral(", "))));
}

}  // namespace kel
