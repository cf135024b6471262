#include "common/Cp932.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <atomic>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kel {

namespace {

constexpr const char* kCodec = "windows-31j";

// Table entries: 0 while the codec has not been asked yet, kNone when the bytes or the
// character have no counterpart. Neither is ever a real result: no byte pair decodes to
// U+0000 or U+FFFF, and no character other than U+0000 encodes to the byte 0 (ASCII never
// reaches the tables).
constexpr char16_t kNotAsked = 0;
constexpr char16_t kNone = 0xFFFF;

// Decoding: the bytes 0x80..0xFF standing alone, and lead byte (0x80..0xFF) + trail byte.
std::atomic<char16_t> gSingleByte[128];
std::atomic<char16_t> gBytePair[128 * 256];
// Encoding: per UTF-16 unit, the byte (below 0x100) or the pair (lead << 8 | trail).
std::atomic<char16_t> gEncoded[65536];

// The character Qt's codec makes of one byte or one pair, or kNone.
Q_NEVER_INLINE char16_t AskDecoder(const char* bytes, qsizetype size) {
    QStringDecoder decoder(kCodec, QStringConverter::Flag::Stateless);
    const QString one = decoder(QByteArrayView(bytes, size));
    if (decoder.hasError() || one.size() != 1) return kNone;
    const char16_t c = one[0].unicode();
    if (c == QChar::ReplacementCharacter || c == kNotAsked || c == kNone || IsRawByte(QChar(c)))
        return kNone;
    return c;
}

inline char16_t SingleByteChar(uchar b) {
    std::atomic<char16_t>& entry = gSingleByte[b - 0x80];
    char16_t c = entry.load(std::memory_order_relaxed);
    if (c == kNotAsked) {
        const char byte = char(b);
        c = AskDecoder(&byte, 1);
        entry.store(c, std::memory_order_relaxed);
    }
    return c;
}

inline char16_t PairChar(uchar lead, uchar trail) {
    std::atomic<char16_t>& entry = gBytePair[(lead - 0x80) * 256 + trail];
    char16_t c = entry.load(std::memory_order_relaxed);
    if (c == kNotAsked) {
        const char pair[2] = {char(lead), char(trail)};
        c = AskDecoder(pair, 2);
        entry.store(c, std::memory_order_relaxed);
    }
    return c;
}

// The bytes Qt's codec makes of one character, as EncodedOf gives them.
Q_NEVER_INLINE char16_t AskEncoder(char16_t c) {
    if (QChar::isSurrogate(c)) return kNone;
    QStringEncoder encoder(kCodec, QStringConverter::Flag::Stateless);
    const QByteArray bytes = encoder(QStringView(&c, 1));
    if (encoder.hasError()) return kNone;
    if (bytes.size() == 1 && bytes[0] != 0) return uchar(bytes[0]);
    if (bytes.size() == 2 && uchar(bytes[0]) >= 0x80)
        return char16_t(uchar(bytes[0]) << 8 | uchar(bytes[1]));
    return kNone;
}

// The bytes of one character other than ASCII (lead << 8 | trail, or a single byte), or
// kNone. Surrogates have no form: code page 932 holds nothing beyond the BMP.
inline char16_t EncodedOf(char16_t c) {
    std::atomic<char16_t>& entry = gEncoded[c];
    char16_t code = entry.load(std::memory_order_relaxed);
    if (code == kNotAsked) {
        code = AskEncoder(c);
        entry.store(code, std::memory_order_relaxed);
    }
    return code;
}


// The length of the run of ASCII bytes at the start of p[0..n), copied to `out` as
// characters on the way.
inline qsizetype WidenAscii(const uchar* p, qsizetype n, char16_t* out) {
    qsizetype i = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    while (i + 16 <= n) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        if (_mm_movemask_epi8(bytes) != 0) break;
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_unpacklo_epi8(bytes, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i + 8), _mm_unpackhi_epi8(bytes, zero));
        i += 16;
    }
#endif
    while (i < n && p[i] < 0x80) {
        out[i] = p[i];
        ++i;
    }
    return i;
}

// The length of the run of ASCII characters at the start of d[0..n); with `out`, they are
// written there as bytes on the way.
inline qsizetype NarrowAscii(const char16_t* d, qsizetype n, uchar* out) {
    qsizetype i = 0;
#if defined(__SSE2__)
    const __m128i high = _mm_set1_epi16(short(0xFF80));
    const __m128i zero = _mm_setzero_si128();
    while (i + 8 <= n) {
        const __m128i chars = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + i));
        if (_mm_movemask_epi8(_mm_cmpeq_epi16(_mm_and_si128(chars, high), zero)) != 0xFFFF) break;
        if (out) _mm_storel_epi64(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(chars, chars));
        i += 8;
    }
#endif
    while (i < n && d[i] < 0x80) {
        if (out) out[i] = uchar(d[i]);
        ++i;
    }
    return i;
}

}  // namespace

int LineOfCharacter(QStringView text, qsizetype index) {
    int line = 1;
    for (qsizetype i = 0; i < index && i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\n')) {
            ++line;
        } else if (c == QLatin1Char('\r')) {
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) ++i;
            ++line;
        }
    }
    return line;
}

qsizetype DecodeCp932To(QByteArrayView bytes, char16_t* out, bool* sawRawByte) {
    const uchar* p = reinterpret_cast<const uchar*>(bytes.data());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    char16_t* o = out;
    while (i < n) {
        const qsizetype ascii = WidenAscii(p + i, n - i, o);
        i += ascii;
        o += ascii;
        if (i >= n) break;
        const uchar b = p[i];
        char16_t c = kNone;
        qsizetype used = 1;
        if (IsCp932LeadByte(b)) {
            // A trail byte is 0x40 or above; below that the lead byte stands alone (and is
            // not a character), and the next byte is read for itself.
            if (i + 1 < n && p[i + 1] >= 0x40) {
                c = PairChar(b, p[i + 1]);
                used = 2;
            }
        } else {
            c = SingleByteChar(b);
        }
        if (c == kNone) {
            c = char16_t(kRawByteFirst + b);
            used = 1;
            *sawRawByte = true;
        }
        *o++ = c;
        i += used;
    }
    return o - out;
}

QString DecodeCp932(QByteArrayView bytes, int* firstBadLine) {
    QString text(bytes.size(), Qt::Uninitialized);
    bool raw = false;
    const qsizetype size =
        DecodeCp932To(bytes, reinterpret_cast<char16_t*>(text.data()), &raw);
    // Much Japanese text leaves much room unused: give it back.
    if (size < bytes.size() - bytes.size() / 4) text = QString(text.constData(), size);
    else text.resize(size);
    if (firstBadLine) {
        *firstBadLine = 0;
        if (raw) {
            const QChar* first = std::find_if(text.cbegin(), text.cend(), IsRawByte);
            *firstBadLine = LineOfCharacter(text, first - text.cbegin());
        }
    }
    return text;
}

bool AppendCp932(QStringView text, QByteArray& out, qsizetype* badIndex) {
    const qsizetype start = out.size();
    // Room for the worst case (two bytes a character); what is not used is given back below
    // and, being untouched, costs no memory meanwhile.
    out.resize(start + 2 * text.size());
    uchar* o = reinterpret_cast<uchar*>(out.data()) + start;
    const char16_t* d = reinterpret_cast<const char16_t*>(text.data());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const qsizetype ascii = NarrowAscii(d + i, n - i, o);
        i += ascii;
        o += ascii;
        if (i >= n) break;
        const char16_t c = d[i];
        if (c >= kRawByteFirst && c <= kRawByteLast) {
            *o++ = uchar(c - kRawByteFirst);
            continue;
        }
        const char16_t code = EncodedOf(c);
        if (code == kNone) {
            out.resize(o - reinterpret_cast<uchar*>(out.data()));
            if (badIndex) *badIndex = i;
            return false;
        }
        if (code >= 0x100) *o++ = uchar(code >> 8);
        *o++ = uchar(code);
    }
    out.resize(o - reinterpret_cast<uchar*>(out.data()));
    return true;
}

bool FitsCp932(QStringView text, qsizetype* badIndex) {
    const char16_t* d = reinterpret_cast<const char16_t*>(text.data());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        i += NarrowAscii(d + i, n - i, nullptr);
        if (i >= n) break;
        const char16_t c = d[i];
        if ((c >= kRawByteFirst && c <= kRawByteLast) || EncodedOf(c) != kNone) continue;
        if (badIndex) *badIndex = i;
        return false;
    }
    return true;
}

bool EncodeCp932(QStringView text, QByteArray* out, qsizetype* badIndex) {
    QByteArray bytes;
    if (!AppendCp932(text, bytes, badIndex)) return false;
    if (out) *out = std::move(bytes);
    return true;
}

QString ShowRawBytes(const QString& text) {
    if (std::none_of(text.cbegin(), text.cend(), IsRawByte)) return text;
    QString out;
    out.reserve(text.size() + 8);
    for (const QChar c : text) {
        if (IsRawByte(c))
            out += QStringLiteral("\\x") +
                   QString::number(c.unicode() - kRawByteFirst, 16).toUpper().rightJustified(2, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}

QString FitCp932(const QString& text, int* replaced) {
    int count = 0;
    QString out;
    const qsizetype n = text.size();
    qsizetype kept = 0;  // text[0..kept) is in `out` already (or unchanged when out is empty)
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80 || IsRawByte(QChar(c)) || EncodedOf(c) != kNone) continue;
        if (count == 0) out.reserve(n);
        out.append(QStringView(text).mid(kept, i - kept));
        out.append(QLatin1Char('?'));
        ++count;
        if (QChar::isHighSurrogate(c) && i + 1 < n && text[i + 1].isLowSurrogate()) ++i;
        kept = i + 1;
    }
    if (replaced) *replaced = count;
    if (count == 0) return text;
    out.append(QStringView(text).mid(kept));
    return out;
}

}  // namespace kel
