#include "script/Statement.h"

#include <QVarLengthArray>
#include <cstring>

#include "script/SlotTable.h"

namespace kel {

namespace {

constexpr QStringView kCrLf = u"\r\n";

inline bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

inline bool IsLineBreak(char16_t c) { return c == u'\r' || c == u'\n'; }

// Characters that may stand around a parameter name.
inline bool IsNameSeparator(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'=' || c == u'"' || c == u'\r' || c == u'\n';
}

// Characters that separate words for GetWordAfter.
inline bool IsWordSeparator(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'"' || c == u';' || c == u'=' || c == u'\r' ||
           c == u'\n';
}

// A comment text: "//" after leading spaces and tabs.
bool IsCommentText(QStringView text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && IsBlank(text[i].unicode())) ++i;
    return i + 1 < n && text[i] == u'/' && text[i + 1] == u'/';
}

// The command word: the first run of characters that are not space, tab, CR or LF.
QStringView WordOf(QStringView text) {
    qsizetype b = 0;
    const qsizetype n = text.size();
    while (b < n && (IsBlank(text[b].unicode()) || IsLineBreak(text[b].unicode()))) ++b;
    qsizetype e = b;
    while (e < n && !IsBlank(text[e].unicode()) && !IsLineBreak(text[e].unicode())) ++e;
    return text.mid(b, e - b);
}

// The name occurrence that ends at `nameEnd` is a parameter when "=" or a double quote
// follows it (after blanks); with `equalsRightAfter` the "=" must follow the name directly.
// On success `value` is the quoted value (empty when the quote is not closed) or, after "="
// without a quote, the bare word up to a blank, line break, ";" or double quote.
bool ValueAfterName(QStringView text, qsizetype nameEnd, bool equalsRightAfter,
                    QStringView* value) {
    const qsizetype n = text.size();
    qsizetype k = nameEnd;
    bool hadEquals = false;
    if (equalsRightAfter) {
        if (k >= n || text[k] != QLatin1Char('=')) return false;
        hadEquals = true;
        ++k;
    } else {
        while (k < n && IsBlank(text[k].unicode())) ++k;
        if (k < n && text[k] == QLatin1Char('=')) {
            hadEquals = true;
            ++k;
        }
    }
    while (k < n && IsBlank(text[k].unicode())) ++k;
    if (k < n && text[k] == QLatin1Char('"')) {
        const qsizetype close = text.indexOf(QLatin1Char('"'), k + 1);
        *value = close < 0 ? QStringView() : text.mid(k + 1, close - k - 1);
        return true;
    }
    if (!hadEquals) return false;
    qsizetype e = k;
    while (e < n) {
        const char16_t c = text[e].unicode();
        if (IsBlank(c) || IsLineBreak(c) || c == u';' || c == u'"') break;
        ++e;
    }
    *value = text.mid(k, e - k);
    return true;
}

// Calls `visit(begin, end)` for every word outside quoted values, a word being a run of
// characters bounded by name separators (or the ends of the text). Stops when `visit`
// returns true.
template <typename Visit>
void ForEachWordOutsideQuotes(QStringView text, Visit&& visit) {
    const qsizetype n = text.size();
    const QChar* d = text.data();
    bool inQuote = false;
    qsizetype i = 0;
    while (i < n) {
        const char16_t c = d[i].unicode();
        if (c == u'"') {
            inQuote = !inQuote;
            ++i;
            continue;
        }
        if (inQuote || IsNameSeparator(c)) {
            ++i;
            continue;
        }
        qsizetype e = i + 1;
        while (e < n && !IsNameSeparator(d[e].unicode())) ++e;
        if (visit(i, e)) return;
        i = e;
    }
}

// Splits a lookup key into the name and whether its "=" is part of the key ("ver=").
QStringView KeyName(QStringView key, bool* equalsRightAfter) {
    *equalsRightAfter = key.size() > 1 && key.endsWith(QLatin1Char('='));
    return *equalsRightAfter ? key.chopped(1) : key;
}

// Fills the slots of a table command, each from the first occurrence of its name that is a
// parameter; slots whose parameter is absent become empty. One pass over the text.
void FillSlots(QStringView text, const CommandDef& def, Slots& slots) {
    const int count = int(def.params.size());
    for (int i = 0; i < count; ++i) slots[i + 1] = QString();
    quint32 found = 0;
    const quint32 all = (count >= 32) ? ~0u : ((1u << count) - 1u);
    ForEachWordOutsideQuotes(text, [&](qsizetype b, qsizetype e) {
        const QStringView word = text.mid(b, e - b);
        for (int i = 0; i < count; ++i) {
            if (found & (1u << i)) continue;
            const ParamDef& p = def.params[size_t(i)];
            if (p.name.size() != word.size() || p.name != word) continue;
            QStringView value;
            if (ValueAfterName(text, e, p.keyHasEquals, &value)) {
                slots[i + 1] = value.toString();
                found |= 1u << i;
            }
            break;
        }
        return found == all;
    });
}

QString TrimSpaces(const QString& text) {
    qsizetype b = 0, e = text.size();
    while (b < e && text[b] == QLatin1Char(' ')) ++b;
    while (e > b && text[e - 1] == QLatin1Char(' ')) --e;
    return text.mid(b, e - b);
}

}  // namespace

QString TrimBlanks(const QString& text) {
    qsizetype b = 0, e = text.size();
    while (b < e && IsBlank(text[b].unicode())) ++b;
    while (e > b && IsBlank(text[e - 1].unicode())) --e;
    if (b == 0 && e == text.size()) return text;
    return text.mid(b, e - b);
}

namespace {

inline char16_t Code(QChar c) { return c.unicode(); }
inline char16_t Code(char c) { return uchar(c); }

inline bool HasSemicolon(QStringView t) { return t.contains(QLatin1Char(';')); }
inline bool HasSemicolon(QByteArrayView t) {
    return !t.isEmpty() && std::memchr(t.data(), ';', size_t(t.size())) != nullptr;
}

// One part of a statement: a line, or the part of it that is appended.
template <typename View>
struct Piece {
    View text;
    bool breakBefore;  // CR LF in front of it
    qsizetype line;    // the line it comes from (1-based)
};
template <typename View>
using Pieces = QVarLengthArray<Piece<View>, 16>;

// Reads the lines of the next statement from `source` (decoded text or code page 932
// bytes: the rules only look at spaces, tabs, "/", ";" and ",", which are the same bytes
// in both) and gathers its parts in order.
template <typename Source, typename View>
void GatherStatement(Source& source, Pieces<View>& pieces, qsizetype* firstLine) {
    bool endsWithComma = false;  // the gathered text, trailing spaces aside, ends in ","
    while (!source.AtEnd()) {
        const View line = source.ReadLineView();
        const qsizetype number = source.LineNumber();
        // s: the line without leading and trailing spaces; a line of spaces is blank.
        qsizetype sb = 0, se = line.size();
        while (sb < se && Code(line[sb]) == u' ') ++sb;
        while (se > sb && Code(line[se - 1]) == u' ') --se;
        if (sb == se) continue;
        if (firstLine && pieces.isEmpty()) *firstLine = number;
        // t: s without its leading and trailing blanks.
        qsizetype tb = sb, te = se;
        while (tb < te && IsBlank(Code(line[tb]))) ++tb;
        while (te > tb && IsBlank(Code(line[te - 1]))) --te;
        const View t = line.sliced(tb, te - tb);

        if (t.size() >= 2 && Code(t[0]) == u'/' && Code(t[1]) == u'/') {
            if (pieces.isEmpty()) {
                pieces.append(Piece<View>{line, false, number});
                return;
            }
            // The comment line interrupts an unterminated statement: the statement is
            // returned as it stands and the comment line is read again by the next call.
            source.UnreadLine();
            return;
        }
        const bool terminates = HasSemicolon(t);
        if (pieces.isEmpty()) {
            pieces.append(Piece<View>{line, false, number});
            if (terminates) return;
            endsWithComma = Code(line[se - 1]) == u',';
            continue;
        }
        // A continuation line is joined without a break when the text gathered so far ends
        // in "," (a position list broken after a comma). The terminating line keeps its break
        // whatever it ends in: a comma at its own end (in a comment after the ";", say) must
        // not glue it to the line before, and reading and saving keep a file's lines.
        if (endsWithComma && !terminates) {
            if (!t.isEmpty()) endsWithComma = Code(t[t.size() - 1]) == u',';
            pieces.append(Piece<View>{t, false, number});
        } else {
            endsWithComma = Code(line[se - 1]) == u',';
            pieces.append(Piece<View>{line, true, number});
        }
        if (terminates) return;
    }
}

template <typename View>
qsizetype JoinedSize(const Pieces<View>& pieces) {
    qsizetype size = 0;
    for (const Piece<View>& p : pieces) size += p.text.size() + (p.breakBefore ? 2 : 0);
    return size;
}

}  // namespace

QString ReadStatement(LineSource& source, qsizetype* firstLine) {
    // The lines of the statement are gathered as views and joined once at the end, so a
    // statement costs one allocation however many lines it has.
    Pieces<QStringView> pieces;
    GatherStatement(source, pieces, firstLine);
    if (firstLine && pieces.isEmpty()) *firstLine = source.LineNumber();
    if (pieces.size() == 1) return pieces[0].text.toString();
    QString text;
    text.reserve(JoinedSize(pieces));
    for (const Piece<QStringView>& p : pieces) {
        if (p.breakBefore) text.append(kCrLf);
        text.append(p.text);
    }
    return text;
}

QString ReadStatement(ByteLineSource& source, qsizetype* firstLine, qsizetype* badLine) {
    Pieces<QByteArrayView> pieces;
    GatherStatement(source, pieces, firstLine);
    if (firstLine && pieces.isEmpty()) *firstLine = source.LineNumber();
    // Decoded into a buffer on the stack first (a byte never gives more than one
    // character), so that the statement's own text is allocated once at its exact size.
    QVarLengthArray<char16_t, 2048> buffer(JoinedSize(pieces));
    char16_t* out = buffer.data();
    // Most statements are whole lines one after the other, each ended by CR LF: their
    // bytes stand in the file as they are joined, and are decoded in one go.
    qsizetype k = 0;
    const qsizetype count = pieces.size();
    while (k < count) {
        const Piece<QByteArrayView>& first = pieces[k];
        if (first.breakBefore) {
            *out++ = u'\r';
            *out++ = u'\n';
        }
        const char* const begin = first.text.data();
        const char* end = begin + first.text.size();
        qsizetype last = k;
        while (last + 1 < count) {
            const Piece<QByteArrayView>& next = pieces[last + 1];
            // All pieces lie in the source's one buffer; the test is on the distance, so
            // that nothing points past the buffer's end.
            if (!next.breakBefore || next.text.data() - end != 2 || end[0] != '\r' || end[1] != '\n')
                break;
            end = next.text.data() + next.text.size();
            ++last;
        }
        bool raw = false;
        out += DecodeCp932To(QByteArrayView(begin, end - begin), out, &raw);
        if (raw && badLine && *badLine == 0) {
            // The line of the first undecodable byte.
            for (qsizetype j = k; j <= last; ++j) {
                bool pieceRaw = false;
                QVarLengthArray<char16_t, 256> scratch(pieces[j].text.size());
                DecodeCp932To(pieces[j].text, scratch.data(), &pieceRaw);
                if (pieceRaw) {
                    *badLine = pieces[j].line;
                    break;
                }
            }
        }
        k = last + 1;
    }
    return QString(reinterpret_cast<const QChar*>(buffer.constData()), out - buffer.data());
}

QString CommandWord(const QString& text) {
    if (IsCommentText(text)) return words::kComment;
    const QStringView word = WordOf(text);
    if (const CommandDef* def = FindCommand(word)) return def->word;
    if (word == words::kDisp) return words::kDisp;
    return word.toString();
}

QString ParseStatement(const QString& text, Slots& slots) {
    if (IsCommentText(text)) {
        slots[1] = text;
        return words::kComment;
    }
    const QStringView word = WordOf(text);
    if (const CommandDef* def = FindCommand(word)) {
        FillSlots(text, *def, slots);
        if (def->layout == CommandLayout::Script && TrimSpaces(slots[1]).isEmpty()) {
            // "mapserver end;": no version.
            slots[1] = QStringLiteral("end");
            slots[2] = QString();
        }
        return def->word;
    }
    if (word == words::kDisp) {
        const QString mode = GetWordAfter(text, words::kDisp);
        if (mode == QLatin1String("all") || mode == QLatin1String("first") || mode == QLatin1String("last")) {
            slots[1] = mode;
        } else if (mode == QLatin1String("pos") || mode == QLatin1String("oid") || mode == QLatin1String("area")) {
            slots[1] = mode;
            slots[2] = GetParamValue(text, mode);
        } else {
            slots[1] = QStringLiteral("all");
            slots[2] = QString();
        }
        slots[3] = GetParamValue(text, QStringLiteral("scale"));
        return words::kDisp;
    }
    slots.Clear();
    return word.toString();
}

QString GetParamValue(const QString& text, const QString& name) {
    bool equalsRightAfter = false;
    const QStringView key = KeyName(name, &equalsRightAfter);
    if (key.isEmpty()) return QString();
    const QStringView all(text);
    QString result;
    ForEachWordOutsideQuotes(all, [&](qsizetype b, qsizetype e) {
        if (e - b != key.size() || all.mid(b, e - b) != key) return false;
        QStringView value;
        if (!ValueAfterName(all, e, equalsRightAfter, &value)) return false;
        result = value.toString();
        return true;
    });
    return result;
}

QString GetWordAfter(const QString& text, const QString& key) {
    const QStringView all(text);
    qsizetype b = 0, e = all.size();
    while (b < e && all[b] == QLatin1Char(' ')) ++b;
    while (e > b && all[e - 1] == QLatin1Char(' ')) --e;
    const QStringView t = all.mid(b, e - b);
    const qsizetype at = t.indexOf(key);
    if (at < 0) return QString();
    qsizetype i = at + key.size();
    while (i < t.size() && IsWordSeparator(t[i].unicode())) ++i;
    qsizetype j = i;
    while (j < t.size() && !IsWordSeparator(t[j].unicode())) ++j;
    return t.mid(i, j - i).toString();
}

}  // namespace kel
