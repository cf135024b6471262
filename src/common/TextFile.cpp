#include "common/TextFile.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <new>

#include "common/SafeFile.h"

namespace kel {

namespace {
constexpr const char* kCodec = "windows-31j";

int LineOfIndex(const QString& text, qsizetype index) {
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
}  // namespace

namespace {

inline bool IsLeadByte(uchar b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// Decodes one line that holds bytes that are not Shift-JIS, character by character: a
// character that decodes is kept, a byte that does not is kept as a raw-byte character and
// decoding goes on with the next byte (which may start a valid character itself).
void DecodeBadLine(QByteArrayView line, QString& out) {
    const qsizetype n = line.size();
    qsizetype i = 0;
    while (i < n) {
        const uchar b = uchar(line[i]);
        if (b < 0x80) {
            out.append(QChar(b));
            ++i;
            continue;
        }
        const qsizetype len = IsLeadByte(b) && i + 1 < n ? 2 : 1;
        // A fresh decoder each time: an error must not carry over to the next character.
        QStringDecoder decoder(kCodec, QStringConverter::Flag::Stateless);
        const QString one = decoder(line.sliced(i, len));
        if (!decoder.hasError() && one.size() == 1 && one[0] != QChar::ReplacementCharacter &&
            !IsRawByte(one[0])) {
            out.append(one);
            i += len;
        } else {
            out.append(QChar(char16_t(kRawByteFirst + b)));
            ++i;
        }
    }
}

}  // namespace

QString DecodeCp932(const QByteArray& bytes, int* firstBadLine) {
    QStringDecoder decoder(kCodec, QStringConverter::Flag::Stateless);
    QString text = decoder(bytes);
    if (firstBadLine) *firstBadLine = 0;
    if (!decoder.hasError()) return text;
    // Rare path: decode line by line, the lines with bad bytes character by character.
    text.clear();
    text.reserve(bytes.size());
    int line = 1;
    qsizetype start = 0;
    const qsizetype n = bytes.size();
    while (start <= n) {
        qsizetype end = start;
        while (end < n && bytes[end] != '\n' && bytes[end] != '\r') ++end;
        const QByteArrayView content(bytes.constData() + start, end - start);
        QStringDecoder lineDecoder(kCodec, QStringConverter::Flag::Stateless);
        const QString decoded = lineDecoder(content);
        if (!lineDecoder.hasError()) {
            text.append(decoded);
        } else {
            if (firstBadLine && *firstBadLine == 0) *firstBadLine = line;
            DecodeBadLine(content, text);
        }
        if (end >= n) break;
        text.append(QChar(uchar(bytes[end])));
        if (bytes[end] == '\r' && end + 1 < n && bytes[end + 1] == '\n') {
            ++end;
            text.append(QLatin1Char('\n'));
        }
        start = end + 1;
        ++line;
    }
    if (firstBadLine && *firstBadLine == 0) *firstBadLine = 1;
    return text;
}

namespace {

// Encodes text that holds no raw-byte character; false when a character cannot be held.
bool EncodePlain(QStringView text, QByteArray& out) {
    QStringEncoder encoder(kCodec);
    out.append(encoder(text));
    return !encoder.hasError();
}

}  // namespace

bool EncodeCp932(const QString& text, QByteArray* out, qsizetype* badIndex) {
    QByteArray bytes;
    bool ok = true;
    const qsizetype firstRaw = std::find_if(text.cbegin(), text.cend(), IsRawByte) - text.cbegin();
    if (firstRaw == text.size()) {
        ok = EncodePlain(text, bytes);
    } else {
        bytes.reserve(text.size());
        qsizetype start = 0;
        for (qsizetype i = firstRaw; i <= text.size() && ok; ++i) {
            if (i < text.size() && !IsRawByte(text[i])) continue;
            if (i > start) ok = EncodePlain(QStringView(text).mid(start, i - start), bytes);
            if (i < text.size()) bytes.append(char(text[i].unicode() - kRawByteFirst));
            start = i + 1;
        }
    }
    if (ok) {
        if (out) *out = std::move(bytes);
        return true;
    }
    // Locate the first character that cannot be held (a surrogate pair is one character).
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (IsRawByte(text[i])) continue;
        qsizetype len = 1;
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            len = 2;
        QStringEncoder one(kCodec);
        (void)QByteArray(one(QStringView(text).mid(i, len)));
        if (one.hasError()) {
            if (badIndex) *badIndex = i;
            return false;
        }
        i += len - 1;
    }
    if (badIndex) *badIndex = 0;
    return false;
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

namespace {
inline bool IsLineEnd(QChar c) { return c == QLatin1Char('\r') || c == QLatin1Char('\n'); }
}  // namespace

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
    const QChar* d = text_.constData();
    const qsizetype n = text_.size();
    const qsizetype start = pos_;
    qsizetype end = start;
    while (end < n && !IsLineEnd(d[end])) ++end;
    pos_ = end;
    if (end < n) {
        pos_ = end + 1;
        if (d[end] == QLatin1Char('\r') && pos_ < n && d[pos_] == QLatin1Char('\n')) ++pos_;
    }
    return QStringView(d + start, end - start);
}

void LineSource::UnreadLine() {
    if (next_ == 0) return;
    --next_;
    if (!fromText_) return;
    const QChar* d = text_.constData();
    // Step back over the line end of the line last read (none when it was a final line
    // without one), then to the start of that line.
    qsizetype end = pos_;
    if (end > 0 && IsLineEnd(d[end - 1])) {
        --end;
        if (d[end] == QLatin1Char('\n') && end > 0 && d[end - 1] == QLatin1Char('\r')) --end;
    }
    qsizetype start = end;
    while (start > 0 && !IsLineEnd(d[start - 1])) --start;
    pos_ = start;
}

qsizetype LineSource::LineCount() const {
    if (!fromText_) return lines_.size();
    if (count_ < 0) {
        const QChar* d = text_.constData();
        const qsizetype n = text_.size();
        qsizetype count = 0;
        for (qsizetype i = 0; i < n; ++i) {
            if (!IsLineEnd(d[i])) continue;
            ++count;
            if (d[i] == QLatin1Char('\r') && i + 1 < n && d[i + 1] == QLatin1Char('\n')) ++i;
        }
        if (n > 0 && !IsLineEnd(d[n - 1])) ++count;
        count_ = count;
    }
    return count_;
}

TextWriteResult WriteTextFileRaw(const QString& path, const QString& text) {
    TextWriteResult r;
    QByteArray bytes;
    qsizetype bad = 0;
    if (!EncodeCp932(text, &bytes, &bad)) {
        r.badLine = LineOfIndex(text, bad);
        qsizetype lineStart = bad;
        while (lineStart > 0 && text[lineStart - 1] != QLatin1Char('\n') &&
               text[lineStart - 1] != QLatin1Char('\r'))
            --lineStart;
        r.badColumn = int(bad - lineStart) + 1;
        const bool pair = text[bad].isHighSurrogate() && bad + 1 < text.size();
        r.badChar = text.mid(bad, pair ? 2 : 1);
        r.error = QStringLiteral("line %1, character %2: \"%3\" cannot be written in Shift-JIS")
                      .arg(r.badLine)
                      .arg(r.badColumn)
                      .arg(r.badChar);
        return r;
    }
    return WriteBytesFile(path, bytes);
}

TextWriteResult WriteBytesFile(const QString& path, const QByteArray& bytes) {
    TextWriteResult r;
    r.error = WriteWholeFile(path, bytes);
    r.ok = r.error.isEmpty();
    return r;
}

QString FitCp932(const QString& text, int* replaced) {
    int count = 0;
    bool ascii = true;
    for (QChar c : text)
        if (c.unicode() >= 0x80) ascii = false;
    QString out = text;
    qsizetype bad = 0;
    QByteArray scratch;
    while (!ascii && !EncodeCp932(out, &scratch, &bad) && bad < out.size()) {
        const bool pair = out[bad].isHighSurrogate() && bad + 1 < out.size();
        out.replace(bad, pair ? 2 : 1, QStringLiteral("?"));
        ++count;
    }
    if (replaced) *replaced = count;
    return out;
}

TextWriteResult WriteTextFile(const QString& path, const QStringList& lines) {
    qsizetype total = 0;
    for (const QString& l : lines) total += l.size() + 2;
    QString text;
    text.reserve(total);
    for (const QString& l : lines) {
        text += l;
        text += QLatin1String("\r\n");
    }
    return WriteTextFileRaw(path, text);
}

}  // namespace kel
