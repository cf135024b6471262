#include "check/ScriptCheck.h"

#include <QHash>
#include <algorithm>

#include "check/NearestName.h"
#include "check/StatementScan.h"
#include "check/ValueChecks.h"
#include "common/TextFile.h"
#include "list/ListLine.h"
#include "script/ScriptFile.h"
#include "script/SlotTable.h"
#include "script/Statement.h"

namespace kel {

namespace {

// Where bytes are not Shift-JIS: a byte carried through unchanged (see IsRawByte), or the
// substitute or replacement character a decoder may put there.
bool IsUndecoded(QChar c) { return IsRawByte(c) || c.unicode() == 0x1A || c.unicode() == 0xFFFD; }

QString Quoted(QStringView text) { return QLatin1Char('"') + text.toString() + QLatin1Char('"'); }

// A value shown in a message: cut when long, line breaks shown as blanks.
QString Shown(QStringView text) {
    constexpr qsizetype kShownLength = 40;
    QString t = text.left(kShownLength).toString();
    t.replace(QLatin1String("\r\n"), QLatin1String(" "));
    if (text.size() > kShownLength) t += QStringLiteral("...");
    return Quoted(t);
}

// Parameter names and bare words a known command accepts.
struct Vocabulary {
    QStringList names;  // parameters (name="value")
    QStringList bare;   // words standing alone
};

Vocabulary VocabularyOf(const QString& word) {
    Vocabulary v;
    if (const CommandDef* def = FindCommand(word)) {
        for (const ParamDef& p : def->params) v.names.append(p.name);
        if (def->layout == CommandLayout::Script)
            v.bare = {QStringLiteral("script"), QStringLiteral("end")};
    } else if (word == words::kDisp) {
        v.names = {QStringLiteral("pos"), QStringLiteral("oid"), QStringLiteral("area"),
                   QStringLiteral("scale")};
        v.bare = {QStringLiteral("all"), QStringLiteral("first"), QStringLiteral("last")};
    }
    return v;
}

const QStringList& CommandWords() {
    static const QStringList words = [] {
        QStringList w = {QStringLiteral("mapserver"), QStringLiteral("init"),
                         QStringLiteral("kanji"),     QStringLiteral("georef"),
                         QStringLiteral("group"),     QStringLiteral("icon"),
                         QStringLiteral("theme"),     QStringLiteral("message"),
                         QStringLiteral("point"),     QStringLiteral("line"),
                         QStringLiteral("circle"),    QStringLiteral("rect"),
                         QStringLiteral("area"),      QStringLiteral("disp"),
                         QStringLiteral("pick"),      QStringLiteral("input"),
                         QStringLiteral("addon")};
        return w;
    }();
    return words;
}

QString DidYouMean(QStringView word, const QStringList& candidates) {
    const QString near = NearestName(word, candidates);
    return near.isEmpty() ? QString() : QStringLiteral(" (did you mean %1?)").arg(Quoted(near));
}

bool IsBlankText(const QString& text) {
    for (const QChar c : text)
        if (c != QLatin1Char(' ') && c != QLatin1Char('\t') && c != QLatin1Char('\r') &&
            c != QLatin1Char('\n'))
            return false;
    return true;
}

bool IsScriptStart(const QString& word, const Slots& slots) {
    return word == words::kMapserver && slots[1] != QLatin1String("end");
}
bool IsScriptEnd(const QString& word, const Slots& slots) {
    return word == words::kMapserver && slots[1] == QLatin1String("end");
}

// File order: by line, then column; findings at one place keep the order they were found in.
bool InFileOrder(const Finding& a, const Finding& b) {
    return a.line != b.line ? a.line < b.line : a.column < b.column;
}

void InsertInOrder(std::vector<Finding>& findings, Finding f) {
    findings.insert(std::upper_bound(findings.begin(), findings.end(), f, InFileOrder),
                    std::move(f));
}

class Checker {
public:
    Checker(const QStringList& texts, const QList<int>& firstLines, const CheckOptions& options)
        : texts_(texts), options_(options) {
        lines_ = firstLines;
        if (lines_.size() < texts.size()) {
            const QList<int> saved = SavedStatementLines(texts);
            for (qsizetype i = lines_.size(); i < texts.size(); ++i) lines_.append(saved[i]);
        }
    }

    std::vector<Finding> Run() {
        const qsizetype n = texts_.size();
        kinds_.resize(size_t(n), Kind::kEmpty);
        for (qsizetype i = 0; i < n; ++i) {
            const QString& t = texts_[i];
            if (IsBlankText(t)) continue;
            kinds_[size_t(i)] = CommandWord(t) == words::kComment ? Kind::kComment : Kind::kCommand;
        }
        for (qsizetype i = 0; i < n; ++i)
            if (kinds_[size_t(i)] == Kind::kCommand) CheckCommand(int(i));
        CheckFrame();
        CheckReferences();
        std::stable_sort(findings_.begin(), findings_.end(), InFileOrder);
        return std::move(findings_);
    }

private:
    enum class Kind { kEmpty, kComment, kCommand };

    void Add(int statement, const char* rule, const QString& message) {
        const QString name = QString::fromLatin1(rule);
        if (options_.ignored.contains(name)) return;
        const CheckRule* r = FindCheckRule(name);
        Finding f;
        f.statement = statement;
        if (statement >= 0 && statement < texts_.size()) {
            f.line = lines_[statement];
            f.column = ColumnOf(texts_[statement]);
        } else {
            f.line = 1;
            f.column = 1;
        }
        f.severity = r ? r->severity : Severity::kError;
        f.rule = name;
        f.message = message;
        findings_.push_back(std::move(f));
    }

    static int ColumnOf(const QString& text) {
        int i = 0;
        while (i < text.size() && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
            ++i;
        return i + 1;
    }

    int NextNonEmpty(int i) const {
        for (int j = i + 1; j < int(kinds_.size()); ++j)
            if (kinds_[size_t(j)] != Kind::kEmpty) return j;
        return -1;
    }

    void CheckCommand(int i) {
        const QString& text = texts_[i];
        const StatementScan scan = ScanStatement(text);
        CheckEnding(i, scan);
        const QString word = scan.word.toString();
        if (!IsCommandWord(scan.word)) {
            if (tailOf_ != i)
                Add(i, "unknown-command", QStringLiteral("unknown command %1%2")
                                              .arg(Quoted(scan.word), DidYouMean(scan.word, CommandWords())));
            return;
        }
        CheckNames(i, word, scan);
        Slots slots;
        ParseStatement(text, slots);
        if (IsScriptStart(word, slots) && firstStart_ < 0) firstStart_ = i;
        if (IsScriptEnd(word, slots) && firstEnd_ < 0) firstEnd_ = i;
        CheckValues(i, word, slots, text);
    }

    // How the statement ends: not at all, in a value, or with more text on its last line.
    void CheckEnding(int i, const StatementScan& scan) {
        if (!scan.readerEnded) {
            const int next = NextNonEmpty(i);
            if (next < 0)
                Add(i, "open-statement",
                    QStringLiteral("the statement has no \";\" before the end of the file"));
            else
                Add(i, "open-statement",
                    QStringLiteral("the statement has no \";\" before the comment on line %1, "
                                   "which ends it")
                        .arg(lines_[next]));
        } else if (!scan.nextCommand.isEmpty()) {
            Add(i, "open-statement",
                QStringLiteral("the statement has no \";\" before the next command %1, which "
                               "is read as part of it")
                    .arg(Quoted(scan.nextCommand)));
        }
        if (!scan.quoteInValueOf.isEmpty())
            Add(i, "value-quote", QStringLiteral("the value of %1 holds a double quote, which "
                                                 "ends the value early")
                                      .arg(scan.quoteInValueOf.toString()));
        if (!scan.unclosedValueOf.isEmpty())
            Add(i, "value-quote", QStringLiteral("the value of %1 has no closing double quote")
                                      .arg(scan.unclosedValueOf.toString()));
        if (scan.readerEnded && !scan.terminated && scan.quoteInValueOf.isEmpty() &&
            scan.unclosedValueOf.isEmpty() && !scan.semicolonValueOf.isEmpty()) {
            Add(i, "value-semicolon",
                QStringLiteral("the \";\" in the value of %1 ends the statement there; the rest "
                               "is read as another statement")
                    .arg(scan.semicolonValueOf.toString()));
            const int next = NextNonEmpty(i);
            if (next >= 0) tailOf_ = next;
        }
        if (!scan.trailing.isEmpty()) {
            qsizetype e = 0;
            while (e < scan.trailing.size() && scan.trailing[e] != QLatin1Char(' ') &&
                   scan.trailing[e] != QLatin1Char('\t'))
                ++e;
            const bool command = IsCommandWord(scan.trailing.left(e));
            Add(i, "two-commands",
                QStringLiteral("%1 after the \";\" on the same line is not read: %2")
                    .arg(command ? QStringLiteral("a second command") : QStringLiteral("text"),
                         Shown(scan.trailing)));
        }
    }

    void CheckNames(int i, const QString& word, const StatementScan& scan) {
        const Vocabulary v = VocabularyOf(word);
        QHash<QStringView, int> seen;
        bool first = true;
        for (const ScannedParam& p : scan.params) {
            // The display mode stands alone after "disp"; its own check names a wrong one.
            const bool mode = first && word == words::kDisp && !p.hasValue;
            first = false;
            if (mode) continue;
            const bool known = v.names.contains(p.name);
            if (!known) {
                if (!p.hasValue && v.bare.contains(p.name)) continue;
                QStringList candidates = v.names;
                candidates += v.bare;
                Add(i, "unknown-param",
                    QStringLiteral("%1 is not a parameter of %2%3")
                        .arg(Quoted(p.name), word, DidYouMean(p.name, candidates)));
                continue;
            }
            if (!p.hasValue) continue;
            if (seen[p.name]++ == 1)
                Add(i, "duplicate-param",
                    QStringLiteral("%1 is given twice; only the first value is read")
                        .arg(p.name.toString()));
        }
    }

    void CheckValues(int i, const QString& word, const Slots& slots, const QString& text) {
        const ReportProblem report = [this, i](const char* rule, const QString& message) {
            Add(i, rule, message);
        };
        if (word == words::kDisp) {
            const QString mode = GetWordAfter(text, words::kDisp);
            static const QStringList kModes = {
                QStringLiteral("all"), QStringLiteral("first"), QStringLiteral("last"),
                QStringLiteral("pos"), QStringLiteral("oid"),   QStringLiteral("area")};
            if (!kModes.contains(mode))
                Add(i, "keyword", QStringLiteral("the display mode %1 is not one of %2; it is "
                                                 "read as all")
                                      .arg(Quoted(mode), kModes.join(QStringLiteral(", "))));
            if (slots[1] == QLatin1String("pos")) CheckPosValue(slots[2], report);
            return;
        }
        const CommandDef* def = FindCommand(word);
        if (!def) return;
        const bool figure = IsFigureCommand(word);
        for (int r = 0; r < int(def->params.size()); ++r) {
            const QString& name = def->params[size_t(r)].name;
            if (name == QLatin1String("pos")) continue;
            CheckParamValue(word, r, name, slots[r + 1], report);
        }
        if (!figure) {
            if (word == QLatin1String("group") && !slots[1].isEmpty())
                groups_.push_back({slots[1], i});
            return;
        }
        const int positions = CheckPosValue(slots[3], report);
        if (positions == 0) {
            Add(i, "pos-empty", QStringLiteral("the %1 has no positions and is not drawn").arg(word));
        } else if (word == QLatin1String("area") && positions < 3) {
            Add(i, "area-positions",
                QStringLiteral("an area needs three positions or more; this one has %1").arg(positions));
        } else if (word == QLatin1String("rect") && positions == 1 &&
                   (slots[4].isEmpty() || slots[5].isEmpty())) {
            Add(i, "rect-size", QStringLiteral("a rect with one position needs width and height"));
        }
        if (!slots[1].isEmpty()) oids_.push_back({slots[1], i});
        if (!slots[2].isEmpty()) gids_.push_back({slots[2], i});
    }

    // The script frame: "mapserver script" first, "mapserver end;" last, nothing after it.
    void CheckFrame() {
        int first = -1, last = -1;
        for (int j = 0; j < int(kinds_.size()); ++j) {
            if (kinds_[size_t(j)] != Kind::kCommand) continue;
            if (first < 0) first = j;
            last = j;
        }
        if (first < 0 || firstStart_ != first)
            Add(first, "no-start",
                firstStart_ < 0
                    ? QStringLiteral("the script does not begin with \"mapserver script\"")
                    : QStringLiteral("the script does not begin with \"mapserver script\"; it "
                                     "comes on line %1, after other commands")
                          .arg(lines_[firstStart_]));
        if (firstEnd_ < 0) {
            Add(last, "no-end", QStringLiteral("the script does not end with \"mapserver end;\""));
            return;
        }
        int after = 0, firstAfter = -1;
        for (int j = firstEnd_ + 1; j < int(kinds_.size()); ++j) {
            if (kinds_[size_t(j)] != Kind::kCommand) continue;
            if (firstAfter < 0) firstAfter = j;
            ++after;
        }
        if (firstAfter >= 0)
            Add(firstAfter, "after-end",
                QStringLiteral("%1 command%2 after \"mapserver end;\" on line %3 %4 not read")
                    .arg(after)
                    .arg(after > 1 ? QStringLiteral("s") : QString())
                    .arg(lines_[firstEnd_])
                    .arg(after > 1 ? QStringLiteral("are") : QStringLiteral("is")));
    }

    struct Use {
        QString value;
        int statement;
    };

    void CheckReferences() {
        QHash<QString, int> groupOf;
        for (const Use& g : groups_) groupOf.insert(g.value, g.statement);
        QHash<QString, int> firstOid;
        for (const Use& o : oids_) {
            const auto it = firstOid.constFind(o.value);
            if (it == firstOid.constEnd()) {
                firstOid.insert(o.value, o.statement);
                continue;
            }
            Add(o.statement, "duplicate-oid",
                QStringLiteral("oid %1 is also used by the figure on line %2")
                    .arg(Quoted(o.value))
                    .arg(lines_[*it]));
        }
        // One finding per undefined gid, at its first figure, with the number of figures.
        QHash<QString, int> undefinedUses;
        QList<const Use*> undefinedFirst;
        QSet<QString> used;
        for (const Use& g : gids_) {
            used.insert(g.value);
            if (groupOf.contains(g.value)) continue;
            if (undefinedUses[g.value]++ == 0) undefinedFirst.append(&g);
        }
        for (const Use* g : undefinedFirst) {
            const int count = undefinedUses.value(g->value);
            Add(g->statement, "undefined-gid",
                QStringLiteral("gid %1 is defined by no group%2")
                    .arg(Quoted(g->value),
                         count > 1 ? QStringLiteral(" (used by %1 figures)").arg(count) : QString()));
        }
        for (const Use& g : groups_)
            if (!used.contains(g.value))
                Add(g.statement, "unused-group",
                    QStringLiteral("group %1 is used by no figure").arg(Quoted(g.value)));
    }

    const QStringList& texts_;
    const CheckOptions& options_;
    QList<int> lines_;
    std::vector<Kind> kinds_;
    std::vector<Finding> findings_;
    std::vector<Use> groups_, oids_, gids_;
    int firstStart_ = -1, firstEnd_ = -1;
    int tailOf_ = -1;  // the statement that holds the rest of a statement cut in a value
};

}  // namespace

int ScriptCheckResult::Count(Severity severity) const {
    return int(std::count_if(findings.begin(), findings.end(),
                             [severity](const Finding& f) { return f.severity == severity; }));
}

QList<int> SavedStatementLines(const QStringList& texts) {
    QList<int> lines;
    lines.reserve(texts.size());
    int line = 1;
    for (const QString& t : texts) {
        lines.append(line);
        // A text of k line breaks is k + 1 lines; CR LF counts once.
        ++line;
        for (qsizetype j = 0; j < t.size(); ++j) {
            if (t[j] == QLatin1Char('\r') || t[j] == QLatin1Char('\n')) {
                ++line;
                if (t[j] == QLatin1Char('\r') && j + 1 < t.size() && t[j + 1] == QLatin1Char('\n'))
                    ++j;
            }
        }
    }
    return lines;
}

std::vector<Finding> CheckStatements(const QStringList& texts, const QList<int>& firstLines,
                                     const CheckOptions& options) {
    return Checker(texts, firstLines, options).Run();
}

std::vector<Finding> CheckDocument(const QStringList& texts, const CheckOptions& options) {
    const QList<int> lines = SavedStatementLines(texts);
    std::vector<Finding> findings = CheckStatements(texts, lines, options);
    if (options.ignored.contains(QStringLiteral("encoding"))) return findings;
    const QString all = texts.join(QLatin1String("\r\n"));
    // The first character Shift-JIS cannot hold, or the first byte carried through from a
    // file that was not Shift-JIS there (it is saved back unchanged, but is still not
    // Shift-JIS), whichever comes first.
    qsizetype bad = -1;
    if (EncodeCp932(all, nullptr, &bad)) bad = -1;
    const auto rawAt = std::find_if(all.begin(), all.end(), IsRawByte);
    const qsizetype raw = rawAt == all.end() ? -1 : qsizetype(rawAt - all.begin());
    const bool carried = raw >= 0 && (bad < 0 || raw < bad);
    if (carried) bad = raw;
    if (bad < 0) return findings;
    // The text that holds the character, and the character's line and column in it.
    int statement = 0;
    qsizetype start = 0;
    for (; statement + 1 < texts.size(); ++statement) {
        const qsizetype next = start + texts[statement].size() + 2;
        if (next > bad) break;
        start = next;
    }
    const QString& text = texts[statement];
    const qsizetype at = bad - start;
    int line = lines.value(statement, 1);
    qsizetype lineStart = 0;
    for (qsizetype j = 0; j < at; ++j) {
        if (text[j] != QLatin1Char('\r') && text[j] != QLatin1Char('\n')) continue;
        if (text[j] == QLatin1Char('\r') && j + 1 < at && text[j + 1] == QLatin1Char('\n')) ++j;
        ++line;
        lineStart = j + 1;
    }
    const bool pair = text[at].isHighSurrogate() && at + 1 < text.size();
    Finding f;
    f.line = line;
    f.column = int(at - lineStart) + 1;
    f.statement = statement;
    f.severity = Severity::kError;
    f.rule = QStringLiteral("encoding");
    f.message = carried ? QStringLiteral("bytes that are not Shift-JIS; the map program may show "
                                         "other characters or none")
                        : QStringLiteral("\"%1\" cannot be written in Shift-JIS; saving is refused")
                              .arg(text.mid(at, pair ? 2 : 1));
    InsertInOrder(findings, std::move(f));
    return findings;
}

ScriptCheckResult CheckScriptFile(const QString& path, const CheckOptions& options) {
    ScriptCheckResult r;
    const ScriptReadResult read = ReadScriptFile(path);
    r.ok = read.ok;
    r.error = read.error;
    if (!read.ok) return r;
    r.statements = int(read.statements.size());
    r.findings = CheckStatements(read.statements, read.statementLines, options);
    if (read.firstBadLine > 0 && !options.ignored.contains(QStringLiteral("encoding"))) {
        // Rare path: read the lines again to place the first bad byte in its line.
        const TextReadResult lines = ReadTextFile(path);
        int column = 1;
        if (read.firstBadLine <= lines.lines.size()) {
            const QString& line = lines.lines[read.firstBadLine - 1];
            const auto at = std::find_if(line.begin(), line.end(), IsUndecoded);
            if (at != line.end()) column = int(at - line.begin()) + 1;
        }
        Finding f;
        f.line = read.firstBadLine;
        f.column = column;
        f.severity = Severity::kError;
        f.rule = QStringLiteral("encoding");
        f.message = QStringLiteral("bytes that are not Shift-JIS; the map program may show "
                                   "other characters or none");
        // The statement that holds the line: the last one beginning at or before it.
        const auto it = std::upper_bound(read.statementLines.begin(), read.statementLines.end(),
                                         f.line);
        f.statement = int(it - read.statementLines.begin()) - 1;
        InsertInOrder(r.findings, std::move(f));
    }
    return r;
}

}  // namespace kel
