#include "formula/FormulaSplit.h"

namespace kel {

namespace {

const QString& EmptyText() {
    static const QString empty;
    return empty;
}

bool IsFormulaBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }

// One piece as the runs of the input kept for it. Pieces are nearly always one run; only
// a dropped ")" in the middle of a piece (SplitFormula) breaks the run, and only then is a
// buffer built. The text is made once, at the end, when it is known whether to trim.
struct PieceRun {
    qsizetype runStart = -1;
    qsizetype runEnd = -1;
    QString buffer;

    // Keeps the characters [from, to) of the input.
    void Keep(const QString& input, qsizetype from, qsizetype to) {
        if (runStart < 0) {
            runStart = from;
        } else if (from != runEnd) {
            buffer += QStringView(input).mid(runStart, runEnd - runStart);
            runStart = from;
        }
        runEnd = to;
    }

    QString Text(const QString& input, bool trim) {
        if (buffer.isEmpty()) {
            if (runStart < 0) return QString();
            QStringView v = QStringView(input).mid(runStart, runEnd - runStart);
            if (trim) v = TrimFormulaBlanks(v);
            // A piece that is the whole input shares its text.
            return v.size() == input.size() ? input : v.toString();
        }
        if (runStart >= 0) buffer += QStringView(input).mid(runStart, runEnd - runStart);
        return trim ? TrimFormulaBlanks(buffer).toString() : buffer;
    }
};

}  // namespace

const QString& SplitTable::operator[](int i) const {
    if (i == 0) return whole_;
    if (i < 1 || i > kSplitLimit || i > int(pieces_.size())) return EmptyText();
    return pieces_[i - 1];
}

void SplitTable::SetPiece(int i, QString value) {
    if (i >= 1 && i <= int(pieces_.size())) pieces_[i - 1] = std::move(value);
}

QStringView TrimFormulaBlanks(QStringView text) {
    qsizetype a = 0, b = text.size();
    while (a < b && IsFormulaBlank(text[a])) ++a;
    while (b > a && IsFormulaBlank(text[b - 1])) --b;
    return text.mid(a, b - a);
}

struct SplitScanner {
    static bool IsSplitMark(char16_t c) {
        return c == u'(' || c == u')' || c == u'=' || c == u':' || c == u',';
    }

    static SplitTable Split(const QString& text, bool formula) {
        SplitTable t;
        t.whole_ = text;
        const QStringView trimmed = TrimFormulaBlanks(text);
        if (trimmed.isEmpty()) return t;
        const char16_t* s = reinterpret_cast<const char16_t*>(text.constData());
        const qsizetype end = (trimmed.data() - text.data()) + trimmed.size();
        qsizetype k = trimmed.data() - text.data();
        QVarLengthArray<PieceRun, 6> runs(1);
        PieceRun* piece = &runs.back();
        const auto nextPiece = [&] {
            runs.append(PieceRun{});
            piece = &runs.back();
        };
        int depth = 0;
        bool broken = false;
        while (k < end) {
            qsizetype j = k;
            while (j < end && !IsSplitMark(s[j])) ++j;
            if (j > k) piece->Keep(text, k, j);
            if (j == end) break;
            const char16_t c = s[j];
            if (c == u')') {
                --depth;
                if (depth < 0) {
                    broken = true;
                    break;
                }
                if (!formula || depth > 0) piece->Keep(text, j, j + 1);
            } else if (c == u'(') {
                if (formula && depth == 0) {
                    nextPiece();
                } else {
                    piece->Keep(text, j, j + 1);
                }
                ++depth;
            } else if (depth == 0) {
                nextPiece();  // "=", ":" or "," at the top level
            } else {
                piece->Keep(text, j, j + 1);
            }
            k = j + 1;
        }
        t.pieces_.reserve(runs.size());
        for (PieceRun& r : runs) t.pieces_.append(r.Text(text, !broken));
        t.count_ = broken ? -1 : int(runs.size());
        return t;
    }
};

SplitTable SplitFormula(const QString& text) { return SplitScanner::Split(text, true); }

SplitTable SplitArguments(const QString& text) { return SplitScanner::Split(text, false); }

bool MatchPattern(QStringView value, QStringView pattern) {
    const QStringView v = TrimFormulaBlanks(value);
    const QStringView p = TrimFormulaBlanks(pattern);
    const QLatin1Char star('*');
    if (p == QLatin1String("*")) return false;
    const bool head = p.startsWith(star);
    const bool tail = p.endsWith(star);
    if (head && tail) return v.contains(p.mid(1, p.size() - 2));
    if (tail) return v.startsWith(p.left(p.size() - 1));
    if (head) return v.endsWith(p.mid(1));
    return v == p;
}

}  // namespace kel
