#include "common/TextFile.h"

#include <QStringDecoder>
#include <QStringEncoder>
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

QString DecodeCp932(const QByteArray& bytes, int* firstBadLine) {
    QStringDecoder decoder(kCodec);
    QString text = decoder(bytes);
    if (firstBadLine) {
        *firstBadLine = 0;
        if (decoder.hasError()) {
            // Find the first line that does not decode cleanly; only on this rare path.
            int line = 1;
            qsizetype start = 0;
            while (start <= bytes.size()) {
                qsizetype end = start;
                while (end < bytes.size() && bytes[end] != '\n' && bytes[end] != '\r') ++end;
                QStringDecoder lineDecoder(kCodec);
                (void)QString(lineDecoder(QByteArrayView(bytes.constData() + start, end - start)));
                if (lineDecoder.hasError()) {
                    *firstBadLine = line;
                    break;
                }
                if (end >= bytes.size()) break;
                if (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n') ++end;
                start = end + 1;
                ++line;
            }
            if (*firstBadLine == 0) *firstBadLine = 1;
        }
    }
    return text;
}

bool EncodeCp932(const QString& text, QByteArray* out, qsizetype* badIndex) {
    QStringEncoder encoder(kCodec);
    QByteArray bytes = encoder(text);
    if (!encoder.hasError()) {
        if (out) *out = std::move(bytes);
        return true;
    }
    // Locate the first character that cannot be held (a surrogate pair is one character).
    for (qsizetype i = 0; i < text.size(); ++i) {
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
    r.error = WriteWholeFile(path, bytes);
    r.ok = r.error.isEmpty();
    return r;
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
