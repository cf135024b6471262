// The script reader and the writer.
//
// The input is read as a script file: statements, command words, parameter values. Every
// statement the writer accepts again (built from the slots the reader found) must read back
// as exactly one statement with the same word and the same slots. An input holding the
// character U+001F is taken instead as a command word and up to sixteen slot values
// separated by it, which reaches the writer with values the reader would never produce.
#include <QRegularExpression>
#include <cstdint>

#include "FuzzSupport.h"
#include "script/ScriptFile.h"
#include "script/SlotTable.h"
#include "script/Statement.h"
#include "script/StatementWriter.h"

using namespace kel;

namespace {

QStringList ReadAll(const QString& text) {
    LineSource source(SplitLines(text));
    QStringList out;
    while (!source.AtEnd()) out.append(ReadStatement(source));
    return out;
}

// The reader may join a position list's lines after their commas: the break and the next
// line's indentation go, the blanks before the break stay. Such lists compare without any
// blanks and breaks; every other character must come back in its place.
QString WithoutBreaks(const QString& text) {
    static const QRegularExpression blanks(QStringLiteral("[ \t\r\n]+"));
    return QString(text).replace(blanks, QString());
}

QString Describe(const QString& word, const Slots& s) {
    QString out = word;
    for (int k = 1; k <= kSlotCount; ++k)
        if (!s[k].isEmpty()) out += QStringLiteral("\n  %1: [%2]").arg(k).arg(s[k]);
    return out;
}

// What the reader must give back for the slots of an ordinary command (one with a slot
// table, apart from the script start and end): each slot the command has, as written; the
// link type of a message only when it is one of the two the program knows, blanks around it
// allowed (blanks, not tabs: "ax_hlink\t" is not one of them).
Slots Expected(const QString& word, const CommandDef& def, const Slots& s) {
    Slots e;
    const int count = int(def.params.size());
    for (int k = 1; k <= count && k <= kSlotCount; ++k) {
        if (word == words::kMessage && k == 3) {
            QStringView t = s[k];
            while (t.startsWith(QLatin1Char(' '))) t = t.mid(1);
            while (t.endsWith(QLatin1Char(' '))) t.chop(1);
            if (t != QLatin1String("ax_hlink") && t != QLatin1String("ap_scrpt")) continue;
        }
        e[k] = s[k];
    }
    return e;
}

// Builds `word` from `input`; when the writer accepts it, checks that it reads back.
void CheckBuild(const QString& word, const Slots& input) {
    Slots s = input;
    const BuiltStatement built = BuildStatement(word, s);
    if (!built.ok()) {
        KEL_FUZZ_CHECK(built.text.isEmpty(), word + QStringLiteral(": refused but text given"));
        return;
    }
    // Words without a slot table of their own (comments, the header, unknown words) are
    // written by rules of their own; they are only run here.
    if (!FindCommand(word) && word != words::kDisp) return;
    const QStringList read = ReadAll(built.text);
    KEL_FUZZ_CHECK(read.size() == 1, QStringLiteral("built:\n") + built.text +
                                         QStringLiteral("\nfrom ") + Describe(word, input));
    Slots got;
    const QString gotWord = ParseStatement(read[0], got);
    KEL_FUZZ_CHECK(gotWord == word, built.text);

    const CommandDef* def = FindCommand(word);
    if (def && word != words::kMapserver) {
        const Slots want = Expected(word, *def, input);
        const int pos = ParamSlot(word, QStringLiteral("pos"));
        for (int k = 1; k <= kSlotCount; ++k) {
            const bool same = k == pos ? WithoutBreaks(got[k]) == WithoutBreaks(want[k])
                                       : got[k] == want[k];
            KEL_FUZZ_CHECK(same, QStringLiteral("slot %1 reads back as [%2]\nbuilt:\n%3\nfrom %4")
                                     .arg(k)
                                     .arg(got[k], built.text, Describe(word, input)));
        }
    }
    // What was read back is written the same way again.
    Slots again = got;
    const BuiltStatement rebuilt = BuildStatement(word, again);
    KEL_FUZZ_CHECK(rebuilt.ok(), built.text + QStringLiteral("\nrefused on rebuild: ") +
                                     rebuilt.reason);
    Slots got2;
    ParseStatement(rebuilt.text, got2);
    const int pos = ParamSlot(word, QStringLiteral("pos"));
    for (int k = 1; k <= kSlotCount; ++k) {
        const bool same = k == pos ? WithoutBreaks(got2[k]) == WithoutBreaks(got[k])
                                   : got2[k] == got[k];
        KEL_FUZZ_CHECK(same, QStringLiteral("slot %1 changes on a second write:\n%2\n%3")
                                 .arg(k)
                                 .arg(built.text, rebuilt.text));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = kel::fuzz::FileText(data, size);
    const QChar sep(0x1f);
    if (text.contains(sep)) {
        const QStringList parts = text.split(sep);
        Slots s;
        for (int k = 1; k < parts.size() && k <= kSlotCount; ++k) s[k] = parts[k];
        CheckBuild(parts[0], s);
        return 0;
    }

    // The whole-text reader and the line-list reader cut the same statements.
    LineSource fromText = LineSource::FromText(text);
    const QStringList statements = ReadStatements(fromText);
    LineSource fromLines(SplitLines(text));
    KEL_FUZZ_CHECK(ReadStatements(fromLines) == statements, text);

    for (const QString& st : statements) {
        Slots s;
        const QString word = ParseStatement(st, s);
        for (const char* name : {"pos", "str", "oid", "gid", "url", "ver"})
            GetParamValue(st, QLatin1String(name));
        GetWordAfter(st, QStringLiteral("script"));
        CheckBuild(word, s);
    }
    return 0;
}
