#include "check/StatementScan.h"

#include "script/SlotTable.h"

namespace kel {

namespace {

inline bool IsScanBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }
inline bool IsScanLineBreak(QChar c) { return c == QLatin1Char('\r') || c == QLatin1Char('\n'); }

// Characters that end a parameter name.
inline bool EndsName(QChar c) {
    return IsScanBlank(c) || IsScanLineBreak(c) || c == QLatin1Char('=') || c == QLatin1Char('"') ||
           c == QLatin1Char(';');
}

// Characters that may follow a closing quote.
inline bool MayFollowValue(QChar c) {
    return IsScanBlank(c) || IsScanLineBreak(c) || c == QLatin1Char(';');
}

qsizetype SkipBlanks(QStringView text, qsizetype i) {
    while (i < text.size() && IsScanBlank(text[i])) ++i;
    return i;
}

QStringView TrimmedBlanks(QStringView text) {
    qsizetype b = 0, e = text.size();
    while (b < e && IsScanBlank(text[b])) ++b;
    while (e > b && IsScanBlank(text[e - 1])) --e;
    return text.mid(b, e - b);
}

}  // namespace

bool IsCommandWord(QStringView word) {
    return FindCommand(word) != nullptr || word == words::kDisp;
}

StatementScan ScanStatement(QStringView text) {
    StatementScan s;
    const qsizetype n = text.size();
    qsizetype lastLine = n;
    while (lastLine > 0 && !IsScanLineBreak(text[lastLine - 1])) --lastLine;
    s.readerEnded = text.mid(lastLine).contains(QLatin1Char(';'));

    qsizetype i = 0;
    while (i < n && (IsScanBlank(text[i]) || IsScanLineBreak(text[i]))) ++i;
    s.wordAt = i;
    while (i < n && !IsScanBlank(text[i]) && !IsScanLineBreak(text[i])) ++i;
    s.word = text.mid(s.wordAt, i - s.wordAt);

    bool lineStart = false;
    while (i < n) {
        const QChar c = text[i];
        if (IsScanLineBreak(c)) {
            lineStart = true;
            ++i;
            continue;
        }
        if (IsScanBlank(c)) {
            ++i;
            continue;
        }
        if (c == QLatin1Char(';')) {
            s.terminated = true;
            qsizetype e = i + 1;
            while (e < n && !IsScanLineBreak(text[e])) ++e;
            const QStringView rest = TrimmedBlanks(text.mid(i + 1, e - i - 1));
            if (!rest.isEmpty() && !rest.startsWith(u"//")) s.trailing = rest;
            break;
        }
        if (c == QLatin1Char('"')) {
            // A quoted text where a name should stand: the quote before it closed a value
            // early, or the value has no name.
            s.quoteInValueOf = s.params.empty() ? s.word : s.params.back().name;
            break;
        }
        ScannedParam p;
        qsizetype j = i;
        while (j < n && !EndsName(text[j])) ++j;
        if (j == i) ++j;  // a lone "=" stands for a name of its own
        p.name = text.mid(i, j - i);
        qsizetype k = SkipBlanks(text, j);
        const bool equals = k < n && text[k] == QLatin1Char('=');
        if (lineStart && !equals && IsCommandWord(p.name)) {
            // The statement was not ended before this line: what follows is the next
            // command's, read as part of this one.
            s.nextCommand = p.name;
            break;
        }
        lineStart = false;
        if (equals) k = SkipBlanks(text, k + 1);
        if (k < n && text[k] == QLatin1Char('"')) {
            p.hasValue = true;
            const qsizetype close = text.indexOf(QLatin1Char('"'), k + 1);
            if (close < 0) {
                p.value = text.mid(k + 1);
                s.unclosedValueOf = p.name;
                s.params.push_back(p);
                break;
            }
            p.value = text.mid(k + 1, close - k - 1);
            s.params.push_back(p);
            if (s.semicolonValueOf.isEmpty() && p.value.contains(QLatin1Char(';')))
                s.semicolonValueOf = p.name;
            i = close + 1;
            if (i < n && !MayFollowValue(text[i])) {
                s.quoteInValueOf = p.name;
                break;
            }
            continue;
        }
        if (equals) {
            qsizetype e = k;
            while (e < n && !IsScanBlank(text[e]) && !IsScanLineBreak(text[e]) &&
                   text[e] != QLatin1Char(';') && text[e] != QLatin1Char('"'))
                ++e;
            p.hasValue = true;
            p.value = text.mid(k, e - k);
            i = e;
        } else {
            i = j;
        }
        s.params.push_back(p);
    }
    return s;
}

}  // namespace kel
