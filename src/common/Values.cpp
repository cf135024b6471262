#include "common/Values.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace kel {

namespace {

bool IsBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r') ||
           c == QLatin1Char('\n');
}

bool IsDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

double ReadRadix(QStringView text, qsizetype i, int radix) {
    double v = 0;
    for (; i < text.size(); ++i) {
        const char c = char(text[i].toLower().toLatin1());
        int d = -1;
        if (c >= '0' && c <= '9') d = c - '0';
        if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
        if (d < 0 || d >= radix) break;
        v = v * radix + d;
    }
    return v;
}

// A finite value as its 15 (or fewer) significant decimal digits: value = 0.d1d2... is not
// used; the form is d1.d2d3... x 10^exp10.
struct Decimal {
    bool negative = false;
    std::string digits;  // no leading zeros; empty for zero
    int exp10 = 0;
};

Decimal ToDecimal(double value, int significant) {
    Decimal d;
    if (value == 0 || !std::isfinite(value)) return d;
    // std::to_chars writes exactly what printf's "%.*e" writes, much faster.
    char buf[64];
    const std::to_chars_result r = std::to_chars(buf, buf + sizeof buf - 1, value,
                                                 std::chars_format::scientific, significant - 1);
    *r.ptr = '\0';
    const char* p = buf;
    if (*p == '-') {
        d.negative = true;
        ++p;
    }
    for (; *p && *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9') d.digits.push_back(*p);
    }
    if (*p == 'e') d.exp10 = std::atoi(p + 1);
    while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
    if (d.digits.empty()) d = Decimal{};
    return d;
}

// Rounds half away from zero so that `decimals` places after the point remain.
void RoundDecimal(Decimal& d, int decimals) {
    if (d.digits.empty()) return;
    const long keep = long(d.exp10) + 1 + decimals;
    if (keep >= long(d.digits.size())) return;
    if (keep < 0) {
        d = Decimal{};
        return;
    }
    const bool up = d.digits[size_t(keep)] >= '5';
    d.digits.resize(size_t(keep));
    if (up) {
        long i = keep - 1;
        while (i >= 0 && d.digits[size_t(i)] == '9') {
            d.digits[size_t(i)] = '0';
            --i;
        }
        if (i >= 0) {
            d.digits[size_t(i)]++;
        } else {
            d.digits.insert(d.digits.begin(), '1');
            d.exp10++;
        }
    }
    while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
    if (d.digits.empty()) d = Decimal{};
}

double DecimalToDouble(const Decimal& d) {
    if (d.digits.empty()) return 0.0;
    std::string s = d.negative ? "-" : "";
    s += d.digits.substr(0, 1);
    if (d.digits.size() > 1) s += "." + d.digits.substr(1);
    s += "e" + std::to_string(d.exp10);
    return std::strtod(s.c_str(), nullptr);
}

}  // namespace

namespace {

// The leading-number rule; `end` receives the index just after the number read (the start
// of the text when there is none).
double ReadLeadingNumber(QStringView text, qsizetype* end) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    *end = 0;
    while (i < n && IsBlank(text[i])) ++i;
    if (i + 1 < n && text[i] == QLatin1Char('&')) {
        const QChar k = text[i + 1].toUpper();
        const int radix = k == QLatin1Char('H') ? 16 : (k == QLatin1Char('O') ? 8 : 0);
        if (radix == 0) return 0;
        qsizetype j = i + 2;
        while (j < n && QStringView(u"0123456789abcdef").left(radix).contains(text[j].toLower()))
            ++j;
        if (j > i + 2) *end = j;
        return ReadRadix(text, i + 2, radix);
    }
    std::string s;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        s.push_back(char(text[i].toLatin1()));
        ++i;
    }
    bool anyDigit = false;
    while (i < n && IsDigit(text[i])) {
        s.push_back(char(text[i].toLatin1()));
        anyDigit = true;
        ++i;
    }
    if (i < n && text[i] == QLatin1Char('.')) {
        s.push_back('.');
        ++i;
        while (i < n && IsDigit(text[i])) {
            s.push_back(char(text[i].toLatin1()));
            anyDigit = true;
            ++i;
        }
    }
    if (!anyDigit) return 0;
    if (i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        qsizetype j = i + 1;
        std::string e = "e";
        if (j < n && (text[j] == QLatin1Char('+') || text[j] == QLatin1Char('-'))) {
            e.push_back(char(text[j].toLatin1()));
            ++j;
        }
        if (j < n && IsDigit(text[j])) {
            while (j < n && IsDigit(text[j]) && e.size() < 8) {
                e.push_back(char(text[j].toLatin1()));
                ++j;
            }
            s += e;
            i = j;
        }
    }
    *end = i;
    const double v = std::strtod(s.c_str(), nullptr);
    return std::isfinite(v) ? v : (v > 0 ? std::numeric_limits<double>::max()
                                         : -std::numeric_limits<double>::max());
}

}  // namespace

double Val(QStringView text) {
    qsizetype end = 0;
    return ReadLeadingNumber(text, &end);
}

bool IsNumberText(QStringView text, double* value) {
    qsizetype end = 0;
    const double v = ReadLeadingNumber(text, &end);
    if (end == 0) return false;
    for (qsizetype i = end; i < text.size(); ++i)
        if (!IsBlank(text[i])) return false;
    if (value) *value = v;
    return true;
}

QString NumText(double value, int significantDigits) {
    if (std::isnan(value)) return QStringLiteral("NaN");
    if (std::isinf(value)) return value > 0 ? QStringLiteral("Inf") : QStringLiteral("-Inf");
    if (value == 0) return QStringLiteral("0");
    if (significantDigits < 1) significantDigits = 1;
    if (significantDigits > 17) significantDigits = 17;
    // As printf's "%.*G" (std::to_chars writes the same with a lower-case "e").
    char buf[64];
    const std::to_chars_result r = std::to_chars(buf, buf + sizeof buf, value,
                                                 std::chars_format::general, significantDigits);
    QString out = QString::fromLatin1(buf, r.ptr - buf);
    out.replace(QLatin1Char('e'), QLatin1Char('E'));
    return out;
}

QString FormatNumber(double value, QStringView picture) {
    const qsizetype point = picture.indexOf(QLatin1Char('.'));
    const QStringView intPic = point < 0 ? picture : picture.left(point);
    const QStringView fracPic = point < 0 ? QStringView() : picture.mid(point + 1);
    int minInt = 0;
    for (QChar c : intPic) minInt += c == QLatin1Char('0');
    int decimals = 0, minFrac = 0;
    for (qsizetype i = 0; i < fracPic.size(); ++i) {
        if (fracPic[i] == QLatin1Char('0') || fracPic[i] == QLatin1Char('#')) ++decimals;
        if (fracPic[i] == QLatin1Char('0')) minFrac = decimals;
    }
    Decimal d = std::isfinite(value) ? ToDecimal(value, 15) : Decimal{};
    RoundDecimal(d, decimals);

    // Integer digits and exactly `decimals` fraction digits of the rounded value.
    std::string intDigits, fracDigits;
    for (long pos = d.exp10; pos >= 0 && !d.digits.empty(); --pos) {
        const long idx = d.exp10 - pos;
        intDigits.push_back(idx < long(d.digits.size()) ? d.digits[size_t(idx)] : '0');
    }
    for (int k = 1; k <= decimals; ++k) {
        const long idx = long(d.exp10) + k;
        fracDigits.push_back(idx >= 0 && idx < long(d.digits.size()) ? d.digits[size_t(idx)]
                                                                       : '0');
    }
    while (int(intDigits.size()) < minInt) intDigits.insert(intDigits.begin(), '0');
    while (int(fracDigits.size()) > minFrac && !fracDigits.empty() && fracDigits.back() == '0')
        fracDigits.pop_back();

    QString out;
    if (d.negative && !d.digits.empty()) out += QLatin1Char('-');
    out += QString::fromLatin1(intDigits.c_str());
    if (point >= 0) {
        out += QLatin1Char('.');
        out += QString::fromLatin1(fracDigits.c_str());
    }
    return out;
}

QString FormatText(const QString& text, QStringView picture) {
    const bool leftToRight = picture.endsWith(QLatin1Char('!'));
    const qsizetype places = picture.count(QLatin1Char('@'));
    if (text.size() >= places) return text;
    const QString pad(places - text.size(), QLatin1Char(' '));
    return leftToRight ? text + pad : pad + text;
}

std::int64_t RoundHalfEven(double value) {
    if (std::isnan(value)) return 0;
    if (value >= 9.2e18) return std::numeric_limits<std::int64_t>::max();
    if (value <= -9.2e18) return std::numeric_limits<std::int64_t>::min();
    const double f = std::floor(value);
    const double diff = value - f;
    double r = f;
    if (diff > 0.5) {
        r = f + 1;
    } else if (diff == 0.5) {
        r = std::fmod(f, 2.0) == 0 ? f : f + 1;
    }
    return static_cast<std::int64_t>(r);
}

double RoundHalfAway(double value, int decimals) {
    if (!std::isfinite(value)) return value;
    Decimal d = ToDecimal(value, 15);
    RoundDecimal(d, decimals);
    return DecimalToDouble(d);
}

double IntFloor(double value) { return std::floor(value); }

bool IsTrueText(const QString& text) {
    return text == QLatin1String("True") || Val(text) != 0;
}

}  // namespace kel
