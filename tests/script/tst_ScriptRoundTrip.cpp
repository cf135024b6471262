// Whole scripts through the reader and back to a file, and commands through the writer and
// back through the reader.
#include <QRandomGenerator>
#include <QTemporaryDir>

#include "TestMain.h"
#include "common/TextFile.h"
#include "script/ScriptFile.h"
#include "script/Statement.h"
#include "script/StatementWriter.h"

using namespace kel;

namespace {

QStringList ReadAll(LineSource& source) {
    QStringList out;
    while (!source.AtEnd()) out.append(ReadStatement(source));
    return out;
}

// Number of slots each command with a slot table writes.
int SlotCount(const QString& word) {
    static const QHash<QString, int> counts = {
        {"init", 1},  {"kanji", 1},  {"georef", 1}, {"theme", 1}, {"group", 16},
        {"icon", 3},  {"message", 3}, {"point", 8},  {"line", 8},  {"circle", 11},
        {"rect", 13}, {"area", 7},   {"pick", 4},   {"input", 7}, {"addon", 4}};
    return counts.value(word, 0);
}

// Slot of `pos` in the figure commands (its line breaks after commas may be joined).
int PosSlot(const QString& word) {
    static const QStringList figures = {"point", "line", "circle", "rect", "area"};
    return figures.contains(word) ? 3 : 0;
}

// What the reader must give back for a command built from `s`.
Slots ExpectedSlots(const QString& word, const Slots& s) {
    Slots e;
    if (word == QLatin1String("disp")) {
        const QString m = s[1];
        const bool valued = m == "pos" || m == "oid" || m == "area";
        e[1] = (valued || m == "all" || m == "first" || m == "last") ? m : QStringLiteral("all");
        if (valued) e[2] = s[2];
        e[3] = s[3];
        return e;
    }
    if (word == QLatin1String("mapserver")) {
        e[1] = s[1];
        const QString sav = s[2].trimmed();
        if (!sav.isEmpty()) e[2] = sav == "no" ? QStringLiteral("no") : QStringLiteral("yes");
        return e;
    }
    for (int k = 1; k <= SlotCount(word); ++k) {
        if (k > 1 && s[k].isEmpty()) continue;
        if (word == QLatin1String("message") && k == 3 && s[k].trimmed() != "ax_hlink" &&
            s[k].trimmed() != "ap_scrpt")
            continue;
        e[k] = s[k];
    }
    return e;
}

// Position lists compare without the line breaks (and the blanks at them) that the reader
// may join away.
QString WithoutBreaks(QString pos) {
    static const QRegularExpression breaks(QStringLiteral("[ \t]*\r\n[ \t]*"));
    return pos.replace(breaks, QString());
}

}  // namespace

class ScriptRoundTripTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A script read and saved comes back byte for byte, apart from the blank lines and the
    // joined position lists.
    void goldenReadAndSave() {
        const TextReadResult in = ReadTextFile(test::DataPath("script/kyoto.kel"));
        QVERIFY(in.ok);
        QCOMPARE(in.firstBadLine, 0);
        LineSource source(in.lines);
        const QStringList statements = ReadAll(source);

        QTemporaryDir dir;
        const QString out = dir.filePath(QStringLiteral("saved.kel"));
        QVERIFY(WriteTextFile(out, statements).ok);
        const QByteArray expected = test::ReadBytes(test::DataPath("script/kyoto.saved.kel"));
        QVERIFY(!expected.isEmpty());
        QCOMPARE(test::ReadBytes(out), expected);
        // The whole-file reader (a line source over the decoded text) cuts the same way.
        QCOMPARE(ReadScriptFile(test::DataPath("script/kyoto.kel")).statements, statements);

        // The statement cut short by the comment line is kept whole and still parses.
        QStringList words;
        for (const QString& t : statements) words << CommandWord(t);
        QCOMPARE(words, (QStringList{"comment", "mapserver", "kanji", "group", "point", "line",
                                     "area", "circle", "comment", "circle", "point", "marker",
                                     "disp", "mapserver"}));
        QCOMPARE(GetParamValue(statements[7], "pos"), QStringLiteral("35/02/21.8,135/43/45.1"));
        QCOMPARE(GetParamValue(statements[5], "pos"),
                 QStringLiteral("34/59/41.6,135/47/06.0,34/59/30.0,135/46/50.0,"
                                "34/59/08.9,135/45/31.7"));
        QCOMPARE(GetParamValue(statements[3], "gname"), QString::fromUtf8("寺社①"));
    }

    // The example script uses every command word and reads back unchanged after a save.
    void sampleScript() {
        const TextReadResult in =
            ReadTextFile(QStringLiteral(KEL_SOURCE_DIR "/examples/sample.kel"));
        QVERIFY(in.ok);
        QCOMPARE(in.firstBadLine, 0);
        LineSource source(in.lines);
        const QStringList statements = ReadAll(source);
        QSet<QString> words;
        for (const QString& t : statements) words.insert(CommandWord(t));
        for (const char* w : {"mapserver", "comment", "init", "kanji", "georef", "group", "icon",
                              "theme", "message", "point", "line", "circle", "rect", "area",
                              "disp", "pick", "input", "addon"})
            QVERIFY2(words.contains(QLatin1String(w)), w);

        QTemporaryDir dir;
        const QString out = dir.filePath(QStringLiteral("sample.kel"));
        QVERIFY(WriteTextFile(out, statements).ok);
        const TextReadResult again = ReadTextFile(out);
        LineSource source2(again.lines);
        QCOMPARE(ReadAll(source2), statements);
    }

    // Every command built from a variety of values reads back to the same slots, and values
    // that cannot be stored are refused, never written.
    void builtCommandsReadBack() {
        const QStringList good = {
            "", " ", "  a  b ", "東京タワー", "京都,嵐山,嵯峨野", "[WP]道頓堀  ",
            "str=x url=y", "oid gid url", " ax_hlink ", "255,0,0", "a\r\nb", "一行目\r\n\t二行目", "x=;"};
        const QStringList goodPos = {
            "", "35/40/52.3,139/46/01.6",
            "> 35/39/31.0,139/44/43.4,\r\n35/41/06.7,139/45/10.1,\r\n35/42/53.3,139/47/48.1",
            "35/40/52.3,139/46/01.6,\r\n\t\t\t\t35/39/31.0,139/44/43.4  ,\r\n  35/41/06.7,"
            "139/45/10.1"};
        const QStringList bad = {"say \"hi\"", "a\r\n// b", "a\r\n  \r\nb", "a\nb", "a;\r\nb"};
        const QStringList words = {"init",   "kanji", "georef", "theme", "group", "icon",
                                   "message", "point", "line",   "circle", "rect", "area",
                                   "pick",   "input", "addon",  "disp",  "mapserver"};
        const QStringList modes = {"all", "first", "last", "pos", "oid", "area", "xyz"};
        QRandomGenerator rng(20261206);
        int built = 0, refused = 0;
        for (int round = 0; round < 400; ++round) {
            for (const QString& word : words) {
                Slots s;
                const int count = word == "disp" ? 3 : word == "mapserver" ? 2 : SlotCount(word);
                if (word == "disp") s[1] = modes[rng.bounded(int(modes.size()))];
                const bool dispPos = word == "disp" && s[1] == "pos";
                for (int k = word == "disp" ? 2 : 1; k <= count; ++k) {
                    const bool isPos = k == PosSlot(word) || (dispPos && k == 2);
                    const QStringList& pool = isPos ? goodPos : good;
                    s[k] = pool[rng.bounded(int(pool.size()))];
                    if (rng.bounded(12) == 0) {
                        s[k] = bad[rng.bounded(int(bad.size()))];
                    }
                }
                if (word == "mapserver" && s[1].trimmed().isEmpty()) s[1] = QStringLiteral("1.0");
                if (word == "mapserver" && s[1].trimmed() == "end") s[1] = QStringLiteral("2");
                // A semicolon is stored only on the last line; keep it out of other slots.
                for (int k = 1; k < count; ++k)
                    if (s[k] == "x=;") s[k] = QStringLiteral("x=");
                const Slots input = s;
                const Slots expected = ExpectedSlots(word, input);
                const BuiltStatement b = BuildStatement(word, s);
                // Did a bad value go into a written slot?
                bool wroteBad = false;
                for (int k = 1; k <= kSlotCount; ++k)
                    if (bad.contains(expected[k])) wroteBad = true;
                if (!b.ok()) {
                    ++refused;
                        QVERIFY2(wroteBad, qPrintable(word + ": " + b.reason));
                    QVERIFY(b.text.isEmpty());
                    QVERIFY(bad.contains(input[b.badSlot]));
                    continue;
                }
                ++built;
                QVERIFY2(!wroteBad, qPrintable(word + ": " + b.text));
                QVERIFY(!b.text.endsWith(QLatin1String("\r\n")));
                LineSource source(SplitLines(b.text));
                const QStringList read = ReadAll(source);
                QCOMPARE(read.size(), 1);
                Slots got;
                QCOMPARE(ParseStatement(read[0], got), word);
                for (int k = 1; k <= kSlotCount; ++k) {
                    const bool isPos = k == PosSlot(word) || (dispPos && k == 2);
                    if (isPos)
                        QCOMPARE(WithoutBreaks(got[k]), WithoutBreaks(expected[k]));
                    else
                        QCOMPARE(got[k], expected[k]);
                }
            }
        }
        QVERIFY(built > 4000);
        QVERIFY(refused > 100);
    }

    void commentsAndHeaderReadBack() {
        for (const QString& text : {QStringLiteral("東京の地図"), QStringLiteral("// a \"q\" ;"),
                                    QStringLiteral("\t//x"), QString()}) {
            Slots s;
            s[1] = text;
            const BuiltStatement b = BuildStatement(QStringLiteral("comment"), s);
            QVERIFY(b.ok());
            Slots got;
            QCOMPARE(ParseStatement(b.text, got), QStringLiteral("comment"));
            QCOMPARE(got[1], b.text);
        }
        const QString header = NewDocumentSkeleton(QStringLiteral("2026/12/06")).first();
        Slots got;
        QCOMPARE(ParseStatement(header, got), QStringLiteral("comment"));
        QCOMPARE(got[1], header);
    }
};

KEL_TEST(ScriptRoundTripTest);
#include "tst_ScriptRoundTrip.moc"
