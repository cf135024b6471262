#include "geo/Coordinates.h"

#include <algorithm>
#include <cmath>

#include "common/Values.h"

namespace kel {

namespace {

// Splits a value in degrees as the "D" format reads it.
CoordParts SplitDegrees(double v) {
    CoordParts p;
    p.deg = IntFloor(v);
    const double m = (v - p.deg) * 60;
    p.min = IntFloor(m);
    p.sec = (m - p.min) * 60;
    return p;
}

// "DM" and "DMS" carry minutes (and seconds) as decimal digits of the value. The split is
// done on those digits rather than on the binary fraction, so that 35.3 read as "DMS" is 30
// minutes and not 29 minutes and 99.9999... seconds. The digits are those of the magnitude:
// "-35.3" is minus 35 degrees 30 minutes (all parts negative), the only reading under which
// the "DMS" text of a negative value reads back to that value.
CoordParts SplitDecimalDigits(double v, double secondsScale) {
    if (v < 0) {
        const CoordParts p = SplitDecimalDigits(-v, secondsScale);
        return CoordParts{-p.deg, -p.min, -p.sec};
    }
    CoordParts p;
    p.deg = IntFloor(v);
    double m = RoundHalfAway((v - p.deg) * 100, 9);
    if (m >= 100) {  // a fraction of .99999999999... is the next whole degree
        p.deg += 1;
        m -= 100;
    }
    p.min = IntFloor(m);
    p.sec = RoundHalfAway((m - p.min) * secondsScale, 7);
    return p;
}

// Parts split at "/": up to three fields; text after a third "/" is ignored.
CoordParts SplitSlashes(QStringView text, double secondsDivisor) {
    double values[3] = {0, 0, 0};
    qsizetype start = 0;
    for (int field = 0; field < 3; ++field) {
        const qsizetype slash = text.indexOf(QLatin1Char('/'), start);
        const qsizetype end = slash < 0 ? text.size() : slash;
        values[field] = Val(text.sliced(start, end - start));
        if (slash < 0) break;
        start = slash + 1;
    }
    return CoordParts{values[0], values[1], values[2] / secondsDivisor};
}

bool IsWhole(double v) { return std::isfinite(v) && v == std::floor(v); }

// Whether the parts can be written in the fixed layout of `format` without changing the
// value they stand for: whole degrees and minutes, minutes and seconds not negative.
bool FitsLayout(const CoordParts& p, CoordFormat format) {
    if (!IsWhole(p.deg) || !IsWhole(p.min) || p.min < 0 || p.sec < 0) return false;
    if (format != CoordFormat::kDMS) return true;
    // "DMS" has no separators after the point: minutes must be two digits and seconds four.
    return p.min < 100 && FormatNumber(p.sec * 100, u"0000").size() <= 4;
}

// The parts of a "DMS" text: the magnitude of the value (a negative value is written as "-"
// and the parts of its magnitude, as it is read).
// A magnitude in degrees as whole degrees, whole minutes and seconds to the hundredth that
// "DMS" shows, so that 1/60 is 0 degrees 01 minutes and not 0 degrees 00 minutes 60 seconds.
CoordParts SplitHundredths(double v) {
    const double total = std::round(v * 360000);  // hundredths of a second
    CoordParts p;
    p.deg = std::floor(total / 360000);
    const double rest = total - p.deg * 360000;
    p.min = std::floor(rest / 6000);
    p.sec = (rest - p.min * 6000) / 100;
    return p;
}

// The sign written is the sign of the value, so parts whose own signs differ from it
// ("-1/61/00" is +0.0167 degrees) are split again from the magnitude.
CoordParts DmsMagnitude(const CoordParts& parts, bool& negative) {
    const double v = PartsToDegrees(parts);
    negative = v < 0;
    const CoordParts m = negative ? CoordParts{-parts.deg, -parts.min, -parts.sec} : parts;
    return m.deg >= 0 && m.min >= 0 && m.sec >= 0 ? m : SplitHundredths(std::fabs(v));
}

// Whether a written number is zero in every digit ("0.000000").
bool AllZeroDigits(const QString& text) {
    return std::none_of(text.cbegin(), text.cend(),
                        [](QChar c) { return c >= QLatin1Char('1') && c <= QLatin1Char('9'); });
}

}  // namespace

CoordFormat CoordFormatOf(QStringView name) {
    if (name == u"D") return CoordFormat::kD;
    if (name == u"DM") return CoordFormat::kDM;
    if (name == u"DMS") return CoordFormat::kDMS;
    if (name == u"KEL") return CoordFormat::kKEL;
    if (name == u"PAO") return CoordFormat::kPAO;
    return CoordFormat::kUnknown;
}

CoordParts ReadCoordParts(QStringView text, CoordFormat fromFormat) {
    switch (fromFormat) {
    case CoordFormat::kD:
        return SplitDegrees(Val(text));
    case CoordFormat::kDM:
        return SplitDecimalDigits(Val(text), 60);
    case CoordFormat::kDMS:
        return SplitDecimalDigits(Val(text), 100);
    case CoordFormat::kKEL:
        return SplitSlashes(text, 1);
    case CoordFormat::kPAO:
        return SplitSlashes(text, 1000);
    case CoordFormat::kUnknown:
        break;
    }
    return CoordParts{};
}

CoordParts ReadCoordParts(const QString& text, const QString& fromFormat) {
    return ReadCoordParts(QStringView(text), CoordFormatOf(fromFormat));
}

double PartsToDegrees(const CoordParts& parts) {
    return parts.deg + parts.min / 60 + parts.sec / 3600;
}

QString WriteCoordParts(const CoordParts& parts, CoordFormat toFormat) {
    if (toFormat == CoordFormat::kD) return NumText(PartsToDegrees(parts));
    if (toFormat != CoordFormat::kKEL && toFormat != CoordFormat::kPAO &&
        toFormat != CoordFormat::kDMS)
        return QString();

    bool negative = false;
    CoordParts p = toFormat == CoordFormat::kDMS ? DmsMagnitude(parts, negative) : parts;
    if (!FitsLayout(p, toFormat)) p = SplitDegrees(PartsToDegrees(p));
    QString out = NumText(p.deg);
    switch (toFormat) {
    case CoordFormat::kDMS:
        out += QLatin1Char('.');
        out += FormatNumber(p.min, u"00");
        out += FormatNumber(p.sec * 100, u"0000");
        break;
    case CoordFormat::kKEL:
        out += QLatin1Char('/');
        out += FormatNumber(p.min, u"00");
        out += QLatin1Char('/');
        out += FormatNumber(p.sec, u"00.0");
        break;
    default:  // PAO
        out += QLatin1Char('/');
        out += FormatNumber(p.min, u"00");
        out += QLatin1Char('/');
        out += FormatNumber(p.sec * 1000, u"00000");
        break;
    }
    // A value that rounds to zero is written without a sign.
    if (negative && !AllZeroDigits(out)) out.prepend(QLatin1Char('-'));
    return out;
}

QString WriteCoordParts(const CoordParts& parts, const QString& toFormat) {
    return WriteCoordParts(parts, CoordFormatOf(toFormat));
}

QString ConvertCoord(const QString& text, const QString& fromFormat, const QString& toFormat) {
    return WriteCoordParts(ReadCoordParts(QStringView(text), CoordFormatOf(fromFormat)),
                           CoordFormatOf(toFormat));
}

double CoordToDegrees(QStringView text, CoordFormat fromFormat) {
    return Val(NumText(PartsToDegrees(ReadCoordParts(text, fromFormat))));
}

double KelToDegrees(const QString& kelText) {
    return CoordToDegrees(QStringView(kelText), CoordFormat::kKEL);
}

}  // namespace kel
