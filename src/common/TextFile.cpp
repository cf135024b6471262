#include "common/TextFile.h"

#include <cstring>
#include <new>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "common/Cp932.h"
#include "common/SafeFile.h"

namespace kel {

namespace {

inline bool IsLineEnd(char16_t c) { return c == u'\r' || c == u'\n'; }

// Line splitting shared by the text and the byte sources. The line that starts at `pos`
// ends before the returned index; `*next` receives the start of the line after it.
// The first CR or LF at or after `pos`, or n.
qsizetype FindLineEnd(const char16_t* d, qsizetype n, qsizetype pos) {
    while (pos < n && !IsLineEnd(d[pos])) ++pos;
    return pos;
}

qsizetype FindLineEnd(const char* d, qsizetype n, qsizetype pos) {
#if defined(__SSE2__)
    // Sixteen bytes at a time; the first CR or LF among them is found by its bit.
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    while (pos + 16 <= n) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + pos));
        const int hits = _mm_movemask_epi8(
            _mm_or_si128(_mm_cmpeq_epi8(bytes, cr), _mm_cmpeq_epi8(bytes, lf)));
        if (hits != 0) return pos + __builtin_ctz(unsigned(hits));
        pos += 16;
    }
#else
    // Eight bytes at a time while none of them is a CR or LF.
    constexpr quint64 kOnes = 0x0101010101010101ull;
    constexpr quint64 kHigh = 0x8080808080808080ull;
    while (pos + 8 <= n) {
        quint64 word;
        std::memcpy(&word, d + pos, 8);
        const quint64 cr = word ^ (kOnes * '\r');
        const quint64 lf = word ^ (kOnes * '\n');
        if ((((cr - kOnes) & ~cr) | ((lf - kOnes) & ~lf)) & kHigh) break;
        pos += 8;
    }
#endif
    while (pos < n && d[pos] != '\r' && d[pos] != '\n') ++pos;
    return pos;
}

template <typename Char>
qsizetype LineEndFrom(const Char* d, qsizetype n, qsizetype pos, qsizetype* next) {
    const qsizetype end = FindLineEnd(d, n, pos);
    *next = end;
    if (end < n) {
        *next = end + 1;
        if (d[end] == Char('\r') && *next < n && d[*next] == Char('\n')) ++*next;
    }
    return end;
}

// The start of the line read last, `pos` being the start of the line after it.
template <typename Char>
qsizetype LineStartBefore(const Char* d, qsizetype pos) {
    // Step back over the line end of the line last read (none when it was a final line
    // without one), then to the start of that line.
    qsizetype end = pos;
    if (end > 0 && IsLineEnd(char16_t(d[end - 1]))) {
        --end;
        if (d[end] == Char('\n') && end > 0 && d[end - 1] == Char('\r')) --end;
    }
    qsizetype start = end;
    while (start > 0 && !IsLineEnd(char16_t(d[start - 1]))) --start;
    return start;
}

}  // namespace

QStringList SplitLines(const QString& text) {
    QStringList lines;
    const qsizetype n = text.size();
    const QChar* d = text.constData();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = d[i].unicode();
        if (c == u'\n' || c == u'\r') {
            lines.append(text.mid(start, i - start));
            if (c == u'\r' && i + 1 < n && d[i + 1].unicode() == u'\n') ++i;
            start = i + 1;
        }
    }
    if (start < n) lines.append(text.mid(start));
    return lines;
}

TextReadResult ReadTextFile(const QString& path) {
    TextReadResult r;
    QByteArray bytes;
    if (!ReadWholeFile(path, &bytes, &r.error)) return r;
    try {
        r.lines = SplitLines(DecodeCp932(bytes, &r.firstBadLine));
    } catch (const std::bad_alloc&) {
        r.lines.clear();
        r.error = QStringLiteral("not enough memory for the text of the file");
        return r;
    }
    r.ok = true;
    return r;
}

TextSourceResult ReadTextFileSource(const QString& path) {
    TextSourceResult r;
    QByteArray bytes;
    if (!ReadWholeFile(path, &bytes, &r.error)) return r;
    try {
        r.source = LineSource::FromText(DecodeCp932(bytes, &r.firstBadLine));
    } catch (const std::bad_alloc&) {
        r.source = LineSource();
        r.error = QStringLiteral("not enough memory for the text of the file");
        return r;
    }
    r.ok = true;
    return r;
}

LineSource LineSource::FromText(QString text) {
    LineSource s;
    s.fromText_ = true;
    s.text_ = std::move(text);
    return s;
}

QStringView LineSource::ReadLineView() {
    if (AtEnd()) return {};
    ++next_;
    if (!fromText_) return lines_[next_ - 1];
    const char16_t* d = reinterpret_cast<const char16_t*>(text_.constData());
    const qsizetype start = pos_;
    const qsizetype end = LineEndFrom(d, text_.size(), start, &pos_);
    return QStringView(d + start, end - start);
}

void LineSource::UnreadLine() {
    if (next_ == 0) return;
    --next_;
    if (fromText_) pos_ = LineStartBefore(reinterpret_cast<const char16_t*>(text_.constData()), pos_);
}

QByteArrayView ByteLineSource::ReadLineView() {
    if (AtEnd()) return {};
    ++next_;
    const qsizetype start = pos_;
    const qsizetype end = LineEndFrom(bytes_.data(), bytes_.size(), start, &pos_);
    return bytes_.sliced(start, end - start);
}

void ByteLineSource::UnreadLine() {
    if (next_ == 0) return;
    --next_;
    pos_ = LineStartBefore(bytes_.data(), pos_);
}

qsizetype LineSource::LineCount() const {
    if (!fromText_) return lines_.size();
    if (count_ < 0) {
        const QChar* d = text_.constData();
        const qsizetype n = text_.size();
        qsizetype count = 0;
        for (qsizetype i = 0; i < n; ++i) {
            if (!IsLineEnd(d[i].unicode())) continue;
            ++count;
            if (d[i] == QLatin1Char('\r') && i + 1 < n && d[i + 1] == QLatin1Char('\n')) ++i;
        }
        if (n > 0 && !IsLineEnd(d[n - 1].unicode())) ++count;
        count_ = count;
    }
    return count_;
}

namespace {

// The failure of a text that holds a character code page 932 cannot hold at `bad`.
TextWriteResult Unwritable(QStringView text, qsizetype bad) {
    TextWriteResult r;
    r.badLine = LineOfCharacter(text, bad);
    qsizetype lineStart = bad;
    while (lineStart > 0 && !IsLineEnd(text[lineStart - 1].unicode())) --lineStart;
    r.badColumn = int(bad - lineStart) + 1;
    const bool pair = text[bad].isHighSurrogate() && bad + 1 < text.size() &&
                      text[bad + 1].isLowSurrogate();
    r.badChar = text.mid(bad, pair ? 2 : 1).toString();
    r.error = QStringLiteral("line %1, character %2: \"%3\" cannot be written in Shift-JIS")
                  .arg(r.badLine)
                  .arg(r.badColumn)
                  .arg(r.badChar);
    return r;
}

}  // namespace

TextWriteResult WriteTextFileRaw(const QString& path, const QString& text) {
    QByteArray bytes;
    qsizetype bad = 0;
    if (!EncodeCp932(text, &bytes, &bad)) return Unwritable(text, bad);
    return WriteBytesFile(path, bytes);
}

TextWriteResult WriteBytesFile(const QString& path, const QByteArray& bytes) {
    TextWriteResult r;
    r.error = WriteWholeFile(path, bytes);
    r.ok = r.error.isEmpty();
    return r;
}

TextWriteResult WriteTextFile(const QString& path, const QStringList& lines) {
    // Every character is checked before anything is written.
    qsizetype before = 0;  // characters of the lines before, with their CR LF
    for (qsizetype k = 0; k < lines.size(); ++k) {
        qsizetype bad = 0;
        if (!FitsCp932(lines[k], &bad))
            return Unwritable(lines.mid(0, k + 1).join(QLatin1String("\r\n")), before + bad);
        before += lines[k].size() + 2;
    }
    // The lines are encoded into the file a piece at a time: neither the whole text nor all
    // of its bytes are ever held at once.
    constexpr qsizetype kPieceBytes = 1 << 20;
    qsizetype next = 0;
    TextWriteResult r;
    r.error = WriteFileInPieces(path, [&](QByteArray& piece) {
        if (piece.capacity() < kPieceBytes) piece.reserve(kPieceBytes + 4096);
        while (next < lines.size() && piece.size() < kPieceBytes) {
            AppendCp932(lines[next], piece);
            piece.append("\r\n", 2);
            ++next;
        }
    });
    r.ok = r.error.isEmpty();
    return r;
}

}  // namespace kel
