#include "script/StatementWriter.h"

#include <QVarLengthArray>
#include <algorithm>
#include <initializer_list>
#include <utility>
#include <vector>

#include "script/SlotTable.h"

namespace kel {

namespace {

constexpr QStringView kWriterCrLf = u"\r\n";
constexpr QStringView kTwoTabs = u"\t\t";
constexpr QStringView kFourTabs = u"\t\t\t\t";

inline bool IsWriterBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }

QStringView TrimSpacesView(QStringView text) {
    qsizetype b = 0, e = text.size();
    while (b < e && text[b] == QLatin1Char(' ')) ++b;
    while (e > b && text[e - 1] == QLatin1Char(' ')) --e;
    return text.mid(b, e - b);
}

QStringView TrimBlankView(QStringView text) {
    qsizetype b = 0, e = text.size();
    while (b < e && IsWriterBlank(text[b])) ++b;
    while (e > b && IsWriterBlank(text[e - 1])) --e;
    return text.mid(b, e - b);
}

void AppendQuoted(QString& out, const QString& before, const QString& value,
                  const QString& after) {
    out += before;
    out += QLatin1Char('"');
    out += value;
    out += QLatin1Char('"');
    out += after;
}

// Fills every placeholder of a whole-text template in one pass over the template, so a
// value that happens to hold another placeholder's name is not substituted again.
QString FillTemplate(const QString& templ,
                     std::initializer_list<std::pair<QStringView, const QString*>> fills) {
    std::vector<std::pair<qsizetype, std::pair<QStringView, const QString*>>> at;
    for (const auto& f : fills) {
        const qsizetype i = templ.indexOf(f.first);
        if (i >= 0) at.push_back({i, f});
    }
    std::sort(at.begin(), at.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    QString out;
    qsizetype from = 0;
    for (const auto& [pos, f] : at) {
        out += QStringView(templ).mid(from, pos - from);
        out += QLatin1Char('"');
        out += *f.second;
        out += QLatin1Char('"');
        from = pos + f.first.size();
    }
    out += QStringView(templ).mid(from);
    return out;
}

// What a built text must read back as, and the values written into it.
struct Intent {
    QString word;           // the command word the reader must find
    Slots expected;         // the slots it must find
    quint32 joinSlots = 0;  // slots holding positions: compared after the comma join
    struct Value {
        int slot;
        bool onFinalLine;   // the value ends on the text's last line (the one with ";")
    };
    QVarLengthArray<Value, kSlotCount> written;
};

// A position list broken after a comma is joined by the reader: a line that follows text
// ending in "," (trailing spaces aside) loses the line break and its leading blanks, and
// its trailing blanks unless it is the value's last line. Both sides of a comparison go
// through this, so a break the reader kept and one it joined compare equal.
QString CommaJoined(const QString& value) {
    if (!value.contains(QLatin1Char('\r'))) return value;
    QString out;
    out.reserve(value.size());
    const QStringView v(value);
    qsizetype start = 0;
    bool first = true;
    while (true) {
        const qsizetype br = v.indexOf(kWriterCrLf, start);
        const bool last = br < 0;
        const QStringView line = v.mid(start, (last ? v.size() : br) - start);
        if (first) {
            out += line;
        } else if (TrimSpacesView(out).endsWith(QLatin1Char(','))) {
            if (last) {
                qsizetype b = 0;
                while (b < line.size() && IsWriterBlank(line[b])) ++b;
                out += line.mid(b);
            } else {
                out += TrimBlankView(line);
            }
        } else {
            out += kWriterCrLf;
            out += line;
        }
        if (last) break;
        first = false;
        start = br + 2;
    }
    return out;
}

// Why a value cannot stand in a command text, or empty when it can. `onFinalLine`: the
// value's last line is the text's last line, where a ";" is harmless.
QString ValueProblem(const QString& value, bool onFinalLine) {
    const QStringView v(value);
    const qsizetype n = v.size();
    qsizetype start = 0;
    bool first = true;
    while (true) {
        qsizetype end = start;
        while (end < n && v[end] != QLatin1Char('\r') && v[end] != QLatin1Char('\n')) ++end;
        const bool lastLine = end == n;
        const QStringView line = v.mid(start, end - start);
        if (line.contains(QLatin1Char('"')))
            return QStringLiteral("a value cannot hold a double quote");
        if (!first) {
            if (!lastLine && TrimSpacesView(line).isEmpty())
                return QStringLiteral("a blank line inside a value would be dropped");
            if (TrimBlankView(line).startsWith(u"//"))
                return QStringLiteral("a line of the value beginning with // would be read as "
                                      "a comment");
        }
        if (line.contains(QLatin1Char(';')) && !(onFinalLine && lastLine))
            return QStringLiteral("a \";\" before the command's last line would end the command "
                                  "there");
        if (lastLine) return QString();
        if (v[end] != QLatin1Char('\r') || end + 1 >= n || v[end + 1] != QLatin1Char('\n'))
            return QStringLiteral("a line break inside a value must be CR LF");
        start = end + 2;
        first = false;
    }
}

// Reads the built text back as a file would be read and compares with the intent.
// Returns 0 when it reads back as intended, else the first slot that does not (1 when the
// difference is not in one slot).
int ReadBackMismatch(const QString& text, const Intent& intent) {
    LineSource source = LineSource::FromText(text);
    const QString got = ReadStatement(source);
    Slots slots;
    const QString word = ParseStatement(got, slots);
    for (int k = 1; k <= kSlotCount; ++k) {
        if (slots[k] == intent.expected[k]) continue;
        if ((intent.joinSlots & (1u << k)) &&
            CommaJoined(slots[k]) == CommaJoined(intent.expected[k]))
            continue;
        return k;
    }
    if (word != intent.word || !source.AtEnd()) return 1;
    return 0;
}

BuiltStatement Refuse(int slot, const QString& reason) {
    BuiltStatement r;
    r.badSlot = slot;
    r.reason = reason;
    return r;
}

// Checks the written values, then the whole text; returns the text or the refusal.
BuiltStatement Verified(QString text, const Intent& intent, const Slots& slots) {
    bool lineBreaks = false;
    for (const Intent::Value& w : intent.written) {
        const QString problem = ValueProblem(slots[w.slot], w.onFinalLine);
        if (!problem.isEmpty()) return Refuse(w.slot, problem);
        lineBreaks = lineBreaks || slots[w.slot].contains(QLatin1Char('\r'));
    }
    // One-line values that pass the checks above stand between their quotes on lines of
    // their own and cannot change how the text is cut or read; only values with line breaks
    // (a long position list) need the text read back.
    if (!lineBreaks) {
        BuiltStatement r;
        r.text = std::move(text);
        return r;
    }
    if (const int bad = ReadBackMismatch(text, intent))
        return Refuse(bad, QStringLiteral("the value would not read back as written"));
    BuiltStatement r;
    r.text = std::move(text);
    return r;
}

BuiltStatement BuildComment(Slots& slots) {
    QString text = slots[1];
    if (!text.contains(u"//")) text.prepend(QStringLiteral("//"));
    if (!text.endsWith(QLatin1Char(';'))) text.append(QLatin1Char(';'));
    if (text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n')))
        return Refuse(1, QStringLiteral("a comment is a single line"));
    if (!TrimBlankView(text).startsWith(u"//"))
        return Refuse(1, QStringLiteral("text before the // would be read as a command"));
    Intent intent;
    intent.word = words::kComment;
    intent.expected[1] = text;
    BuiltStatement r = Verified(text, intent, slots);
    if (r.ok()) slots[1] = r.text;
    return r;
}

BuiltStatement BuildScriptStatement(const CommandDef& def, const Slots& slots) {
    Intent intent;
    intent.word = def.word;
    const QStringView ver = TrimSpacesView(slots[1]);
    if (ver == QLatin1String("end")) {
        intent.expected[1] = QStringLiteral("end");
        return Verified(templates::kScriptEnd, intent, slots);
    }
    if (ver.isEmpty())
        return Refuse(1, QStringLiteral("an empty version would read back as the script end"));
    const QStringView savable = TrimSpacesView(slots[2]);
    QString text;
    intent.expected[1] = slots[1];
    if (savable.isEmpty()) {
        text = FillTemplate(templates::kScriptStart, {{u"$VER$", &slots[1]}});
    } else {
        intent.expected[2] = savable == QLatin1String("no") ? QStringLiteral("no")
                                                            : QStringLiteral("yes");
        text = FillTemplate(templates::kScriptStartSavable,
                            {{u"$VER$", &slots[1]}, {u"$SAVABLE$", &intent.expected[2]}});
    }
    intent.written.push_back({1, true});
    return Verified(std::move(text), intent, slots);
}

// Whether a parameter of the table is written: the first always, the others when not
// empty; a message's `urltype` only when it is one of the two accepted words.
bool IsWritten(const CommandDef& def, int slot, const QString& value) {
    if (slot == 1) return true;
    if (value.isEmpty()) return false;
    if (slot == 3 && def.word == words::kMessage) {
        const QStringView t = TrimSpacesView(value);
        return t == QLatin1String("ax_hlink") || t == QLatin1String("ap_scrpt");
    }
    return true;
}

BuiltStatement BuildTableStatement(const CommandDef& def, const Slots& slots) {
    if (def.layout == CommandLayout::Script) return BuildScriptStatement(def, slots);
    Intent intent;
    intent.word = def.word;
    const int count = int(def.params.size());
    // The exact size of the text (the store keeps it as built): the first line's indent,
    // word and tab, each parameter with its quotes, its line break and indent (none
    // before the first), and the ";".
    const qsizetype indentSize = def.layout == CommandLayout::Addon ? 1 : 4;
    qsizetype size = (def.layout == CommandLayout::Addon ? 0 : 2) + def.word.size() + 1 + 1 -
                     2 - indentSize;
    for (int k = 1; k <= count; ++k) {
        if (!IsWritten(def, k, slots[k])) continue;
        intent.expected[k] = slots[k];
        intent.written.push_back({k, false});
        if (def.params[size_t(k - 1)].name == QLatin1String("pos")) intent.joinSlots |= 1u << k;
        const ParamDef& p = def.params[size_t(k - 1)];
        size += p.before.size() + slots[k].size() + 2 + p.after.size() + 2 + indentSize;
    }
    intent.written.back().onFinalLine = true;

    QString text;
    text.reserve(size);
    if (def.layout != CommandLayout::Addon) text += kTwoTabs;
    text += def.word;
    text += QLatin1Char('\t');
    const QStringView indent = def.layout == CommandLayout::Addon ? u"\t" : kFourTabs;
    for (const Intent::Value& w : intent.written) {
        const ParamDef& p = def.params[size_t(w.slot - 1)];
        if (w.slot != 1) {
            text += kWriterCrLf;
            text += indent;
        }
        AppendQuoted(text, p.before, slots[w.slot], p.after);
    }
    if (def.layout != CommandLayout::OneLine) text += QLatin1Char(';');
    return Verified(std::move(text), intent, slots);
}

BuiltStatement BuildDisp(const Slots& slots) {
    Intent intent;
    intent.word = words::kDisp;
    const QString& mode = slots[1];
    QString text = QStringLiteral("\t\tdisp\t");
    if (mode == QLatin1String("all") || mode == QLatin1String("first") ||
        mode == QLatin1String("last")) {
        intent.expected[1] = mode;
        text += mode;
        text += QLatin1Char(' ');
    } else if (mode == QLatin1String("pos") || mode == QLatin1String("oid") ||
               mode == QLatin1String("area")) {
        const QString& templ = mode == QLatin1String("pos")   ? templates::kDispPos
                               : mode == QLatin1String("oid") ? templates::kDispOid
                                                              : templates::kDispArea;
        const QString placeholder = QLatin1Char('$') + mode.toUpper() + QLatin1Char('$');
        intent.expected[1] = mode;
        intent.expected[2] = slots[2];
        intent.written.push_back({2, slots[3].isEmpty()});
        if (mode == QLatin1String("pos")) intent.joinSlots |= 1u << 2;
        text += QuoteInto(templ, placeholder, slots[2]);
    } else {
        intent.expected[1] = QStringLiteral("all");
        text += QStringLiteral("all ");
    }
    if (!slots[3].isEmpty()) {
        intent.expected[3] = slots[3];
        intent.written.push_back({3, true});
        text += kWriterCrLf;
        text += kFourTabs;
        text += QuoteInto(templates::kDispScale, QStringLiteral("$SCALE$"), slots[3]);
    }
    text += QLatin1Char(';');
    return Verified(std::move(text), intent, slots);
}

BuiltStatement BuildHeader(const Slots& slots) {
    for (int k = 1; k <= 3; ++k) {
        if (slots[k].contains(QLatin1Char('\r')) || slots[k].contains(QLatin1Char('\n')))
            return Refuse(k, QStringLiteral("the header is a single line"));
    }
    QString text = FillTemplate(templates::kHeader, {{u"$PROGRAMVER$", &slots[1]},
                                                     {u"$TEMPLVER$", &slots[2]},
                                                     {u"$DATE$", &slots[3]}});
    Intent intent;
    intent.word = words::kComment;
    intent.expected[1] = text;
    return Verified(std::move(text), intent, slots);
}

BuiltStatement BuildUnsupported(const QString& word, const Slots& slots) {
    if (word.contains(QLatin1Char('\r')) || word.contains(QLatin1Char('\n')))
        return Refuse(0, QStringLiteral("a command word cannot hold a line break"));
    QString text = templates::kUnsupported + word + QLatin1Char(']');
    Intent intent;
    intent.word = words::kComment;
    intent.expected[1] = text;
    return Verified(std::move(text), intent, slots);
}

}  // namespace

BuiltStatement BuildStatement(const QString& word, Slots& slots) {
    if (word == words::kComment) return BuildComment(slots);
    if (const CommandDef* def = FindCommand(word)) return BuildTableStatement(*def, slots);
    if (word == words::kDisp) return BuildDisp(slots);
    if (word == words::kHeader) return BuildHeader(slots);
    return BuildUnsupported(word, slots);
}

QString QuoteInto(const QString& templ, const QString& placeholder, const QString& value) {
    if (placeholder.isEmpty()) return templ;
    const qsizetype at = templ.indexOf(placeholder);
    if (at < 0) return templ;
    QString out;
    out.reserve(templ.size() - placeholder.size() + value.size() + 2);
    out += QStringView(templ).left(at);
    out += QLatin1Char('"');
    out += value;
    out += QLatin1Char('"');
    out += QStringView(templ).mid(at + placeholder.size());
    return out;
}

int ParamSlot(const QString& word, const QString& name) {
    const CommandDef* def = FindCommand(word);
    if (!def) return -1;
    for (size_t i = 0; i < def->params.size(); ++i)
        if (def->params[i].name == name) return int(i) + 1;
    return 0;
}

BuiltStatement SetParamValue(const QString& text, const QString& name, const QString& value) {
    Slots slots;
    const QString word = ParseStatement(text, slots);
    const int slot = ParamSlot(word, name);
    if (slot < 0)
        return Refuse(-1, QStringLiteral("the command \"%1\" has no parameters to set").arg(word));
    if (slot == 0)
        return Refuse(0, QStringLiteral("the command \"%1\" has no parameter \"%2\"")
                             .arg(word, name));
    slots[slot] = value;
    return BuildStatement(word, slots);
}

QStringList NewDocumentSkeleton(const QString& date) {
    QStringList out;
    Slots header;
    header[1] = kProgramVersion;
    header[2] = kTemplateVersion;
    header[3] = date;
    out.append(BuildStatement(words::kHeader, header).text);
    Slots start;
    start[1] = QStringLiteral("1.0");
    out.append(BuildStatement(words::kMapserver, start).text);
    Slots disp;
    disp[1] = QStringLiteral("all");
    out.append(BuildStatement(words::kDisp, disp).text);
    Slots end;
    end[1] = QStringLiteral("end");
    out.append(BuildStatement(words::kMapserver, end).text);
    return out;
}

QString ShortDateText(const QDate& date) { return date.toString(QStringLiteral("yyyy/MM/dd")); }

}  // namespace kel
