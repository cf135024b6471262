// Whole scripts through the reader and back to a file, and commands through the writer and
// back through the reader.
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include "TestMain.h"
#include "common/TextFile.h"
#include "script/ScriptFile.h"
#include "script/Statement.h"
#include "script/StatementWriter.h"

using namespace kel;

namespace {

QStringList ReadAllStatements(const QStringList& lines) {
    LineSource source(lines);
    QStringList out;
    while (!source.AtEnd()) out.append(ReadStatement(source));
    return out;
}

// Each command word with a slot table, its number of slots and the slot of its position
// list (whose line breaks after commas the reader may join).
struct Kind { const char* word; int count, pos; };
constexpr Kind kKinds[] = {
    {"init", 1, 0},  {"kanji", 1, 0},  {"georef", 1, 0},    {"theme", 1, 0},  {"group", 16, 0},
    {"icon", 3, 0},  {"message", 3, 0}, {"point", 8, 3},    {"line", 8, 3},   {"circle", 11, 3},
    {"rect", 13, 3}, {"area", 7, 3},   {"pick", 4, 0},      {"input", 7, 0},  {"addon", 4, 0},
    {"disp", 3, 0},  {"mapserver", 2, 0}};

// What the reader must give back for a command built from `s`.
Slots Expected(const QString& word, int count, const Slots& s) {
    Slots e;
    if (word == QLatin1String("disp")) {
        const bool valued = QStringList{"pos", "oid", "area"}.contains(s[1]);
        e[1] = valued || QStringList{"all", "first", "last"}.contains(s[1]) ? s[1]
                                                                            : QStringLiteral("all");
        if (valued) e[2] = s[2];
        e[3] = s[3];
    } else if (word == QLatin1String("mapserver")) {
        e[1] = s[1];
        const QString sav = s[2].trimmed();
        if (!sav.isEmpty()) e[2] = sav == "no" ? QStringLiteral("no") : QStringLiteral("yes");
    } else {
        for (int k = 1; k <= count; ++k) {
            QString t = s[k];
            while (t.startsWith(' ')) t.remove(0, 1);
            while (t.endsWith(' ')) t.chop(1);
            const bool droppedUrltype = word == QLatin1String("message") && k == 3 &&
                                        t != "ax_hlink" && t != "ap_scrpt";
            if (k == 1 || (!s[k].isEmpty() && !droppedUrltype)) e[k] = s[k];
        }
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
        const QStringList statements = ReadAllStatements(in.lines);

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
        const QStringList statements = ReadAllStatements(in.lines);
        QSet<QString> words;
        for (const QString& t : statements) words.insert(CommandWord(t));
        for (const char* w : {"mapserver", "comment", "init", "kanji", "georef", "group", "icon",
                              "theme", "message", "point", "line", "circle", "rect", "area",
                              "disp", "pick", "input", "addon"})
            QVERIFY2(words.contains(QLatin1String(w)), w);

        QTemporaryDir dir;
        const QString out = dir.filePath(QStringLiteral("sample.kel"));
        QVERIFY(WriteTextFile(out, statements).ok);
        QCOMPARE(ReadAllStatements(ReadTextFile(out).lines), statements);
    }

    // Saving and reopening again and again changes nothing after the first read: no line is
    // glued to another, no parameter lost, no byte changed.
    void saveAndReopenIsStable_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        QTest::newRow("comment ending in a comma")
            << QByteArray("point oid=1\r\n pos=35/00/00.0,135/00/00.0\r\n str=A; // a,\r\n")
            << "str" << "A";
        QTest::newRow("comment comma, then oid")
            << QByteArray("point oid=\"1\"\r\n\tstr=\"x\"; //,\r\n") << "oid" << "1";
        QTest::newRow("bytes that are not Shift-JIS")
            << QByteArray("point oid=\"1\" str=\"A\xA0" "B\x80" "C\xFD" "D\";\r\n") << "oid" << "1";
    }
    void saveAndReopenIsStable() {
        QFETCH(QByteArray, file);
        QFETCH(QString, name);
        QFETCH(QString, value);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.kel"));
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(file);
        }
        const ScriptReadResult first = ReadScriptFile(path);
        QVERIFY(first.ok);
        QCOMPARE(GetParamValue(first.statements.value(0), name), value);
        for (int round = 0; round < 3; ++round) {
            QVERIFY(WriteScriptFile(path, first.statements).ok);
            QCOMPARE(test::ReadBytes(path), file);
            QCOMPARE(ReadScriptFile(path).statements, first.statements);
        }
    }

    // Every command built from a variety of values reads back to the same slots, and values
    // that cannot be stored are refused, never written.
    void builtCommandsReadBack() {
        const QStringList good = {
            "", " ", "  a  b ", "東京タワー", "京都,嵐山,嵯峨野", "[WP]道頓堀  ", "str=x url=y",
            "oid gid url", " ax_hlink ", "ax_hlink\t", "255,0,0", "a\r\nb", "一行目\r\n\t二行目",
            "x=;"};
        const QStringList goodPos = {
            "", "35/40/52.3,139/46/01.6",
            "> 35/39/31.0,139/44/43.4,\r\n35/41/06.7,139/45/10.1,\r\n35/42/53.3,139/47/48.1",
            "35/40/52.3,139/46/01.6,\r\n\t\t\t\t35/39/31.0,139/44/43.4  ,\r\n  35/41/06.7,"
            "139/45/10.1"};
        const QStringList bad = {"say \"hi\"", "a\r\n// b", "a\r\n  \r\nb", "a\nb", "a;\r\nb"};
        const QStringList modes = {"all", "first", "last", "pos", "oid", "area", "xyz"};
        QRandomGenerator rng(20261206);
        auto pick = [&rng](const QStringList& l) { return l[rng.bounded(int(l.size()))]; };
        int built = 0, refused = 0;
        for (int round = 0; round < 400; ++round) {
            for (const Kind& kind : kKinds) {
                const QString word = QLatin1String(kind.word);
                const bool disp = word == QLatin1String("disp");
                Slots s;
                if (disp) s[1] = pick(modes);
                const int pos = disp ? (s[1] == "pos" ? 2 : 0) : kind.pos;
                for (int k = disp ? 2 : 1; k <= kind.count; ++k) {
                    s[k] = rng.bounded(12) == 0 ? pick(bad) : pick(k == pos ? goodPos : good);
                    // A semicolon is stored only on the last line.
                    if (k < kind.count && s[k] == "x=;") s[k] = QStringLiteral("x=");
                }
                const QString ver = s[1].trimmed();
                if (word == QLatin1String("mapserver") && (ver.isEmpty() || ver == "end"))
                    s[1] = QStringLiteral("1.0");
                const Slots input = s;
                const Slots expected = Expected(word, kind.count, input);
                bool wroteBad = false;  // a bad value went into a written slot
                for (int k = 1; k <= kSlotCount; ++k) wroteBad |= bad.contains(expected[k]);
                const BuiltStatement b = BuildStatement(word, s);
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
                const QStringList read = ReadAllStatements(SplitLines(b.text));
                QCOMPARE(read.size(), 1);
                Slots got;
                QCOMPARE(ParseStatement(read[0], got), word);
                for (int k = 1; k <= kSlotCount; ++k) {
                    if (k == pos)
                        QCOMPARE(WithoutBreaks(got[k]), WithoutBreaks(expected[k]));
                    else
                        QCOMPARE(got[k], expected[k]);
                }
            }
        }
        QVERIFY(built > 4000);
        QVERIFY(refused > 100);
    }
};

KEL_TEST(ScriptRoundTripTest);
#include "tst_ScriptRoundTrip.moc"
