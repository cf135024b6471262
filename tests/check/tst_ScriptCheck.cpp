#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include "TestMain.h"
#include "check/NearestName.h"
#include "check/ScriptCheck.h"
#include "common/TextFile.h"

using namespace kel;

namespace {

const QString kStart = QStringLiteral("mapserver script ver=\"1.0\";");
const QString kEnd = QStringLiteral("mapserver end;");
const QString kPos = QStringLiteral("pos=\"35/00/00.0,135/00/00.0\"");

// A script from lines written with "\n", stored as a file would be: Shift-JIS, CR LF.
QByteArray ScriptBytes(const QString& lines) {
    QString text = lines;
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    text += QLatin1String("\r\n");
    QByteArray bytes;
    if (!EncodeCp932(text, &bytes)) qFatal("test script cannot be written in Shift-JIS");
    return bytes;
}

// The lines of a framed script: start, the body lines, end.
QString Framed(const QStringList& body) {
    return (QStringList{kStart} + body + QStringList{kEnd}).join(QLatin1Char('\n'));
}

QString Point(const QString& oid, const QString& more = QString()) {
    return QStringLiteral("point oid=\"%1\" %2%3;").arg(oid, kPos, more);
}

class Files {
public:
    QString Write(const QByteArray& bytes) {
        const QString path = dir_.filePath(QStringLiteral("s%1.kel").arg(++n_));
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            qFatal("cannot write test script");
        return path;
    }

private:
    QTemporaryDir dir_;
    int n_ = 0;
};

QStringList Texts(const std::vector<Finding>& findings) {
    QStringList out;
    for (const Finding& f : findings) out << f.Text();
    return out;
}

QStringList CheckBytes(Files& files, const QByteArray& bytes, const CheckOptions& options = {}) {
    const ScriptCheckResult r = CheckScriptFile(files.Write(bytes), options);
    if (!r.ok) return {QStringLiteral("unreadable: ") + r.error};
    return Texts(r.findings);
}

}  // namespace

class ScriptCheckTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // One small script per rule, with exactly the findings it must give.
    void rules_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QStringList>("expected");
        const QString p1 = Point(QStringLiteral("1"));
        QTest::newRow("open at the end")
            << QStringList{kStart, QStringLiteral("  point oid=\"1\" ") + kPos}.join('\n')
            << QStringList{"2:3: error: the statement has no \";\" before the end of the file "
                           "[open-statement]",
                           "2:3: error: the script does not end with \"mapserver end;\" [no-end]"};
        QTest::newRow("open before a comment")
            << Framed({QStringLiteral("point oid=\"1\" ") + kPos, QStringLiteral("  // note")})
            << QStringList{"2:1: error: the statement has no \";\" before the comment on line 3, "
                           "which ends it [open-statement]"};
        QTest::newRow("open into the next command")
            << Framed({QStringLiteral("point oid=\"1\" ") + kPos, QStringLiteral("\tline oid=\"2\" ") + kPos + ";"})
            << QStringList{"2:1: error: the statement has no \";\" before the next command "
                           "\"line\", which is read as part of it [open-statement]"};
        QTest::newRow("two commands")
            << Framed({p1 + QStringLiteral(" line oid=\"2\";")})
            << QStringList{"2:1: error: a second command after the \";\" on the same line is not "
                           "read: \"line oid=\"2\";\" [two-commands]"};
        QTest::newRow("comment after the semicolon is fine")
            << Framed({p1 + QStringLiteral("\t// line oid=\"2\";")}) << QStringList{};
        QTest::newRow("after end")
            << (Framed({p1}) + '\n' + Point("2") + '\n' + Point("3"))
            << QStringList{"4:1: warning: 2 commands after \"mapserver end;\" on line 3 are not "
                           "read [after-end]"};
        QTest::newRow("no start")
            << QStringList{QStringLiteral("// header"), p1, kEnd}.join('\n')
            << QStringList{"2:1: error: the script does not begin with \"mapserver script\" "
                           "[no-start]"};
        QTest::newRow("start after other commands")
            << QStringList{p1, kStart, kEnd}.join('\n')
            << QStringList{"1:1: error: the script does not begin with \"mapserver script\"; it "
                           "comes on line 2, after other commands [no-start]"};
        QTest::newRow("no end")
            << QStringList{kStart, p1}.join('\n')
            << QStringList{"2:1: error: the script does not end with \"mapserver end;\" [no-end]"};
        QTest::newRow("unknown command")
            << Framed({QStringLiteral("POINT oid=\"1\" ") + kPos + ";"})
            << QStringList{"2:1: error: unknown command \"POINT\" (did you mean \"point\"?) "
                           "[unknown-command]"};
        QTest::newRow("unknown command, nothing near")
            << Framed({QStringLiteral("frobnicate;")})
            << QStringList{"2:1: error: unknown command \"frobnicate;\" [unknown-command]"};
        QTest::newRow("misspelt parameter")
            << Framed({Point("1", QStringLiteral(" strfromat=\"right\""))})
            << QStringList{"2:1: warning: \"strfromat\" is not a parameter of point (did you "
                           "mean \"strformat\"?) [unknown-param]"};
        QTest::newRow("stray word")
            << Framed({QStringLiteral("point oid=\"1\" visible ") + kPos + ";"})
            << QStringList{"2:1: warning: \"visible\" is not a parameter of point [unknown-param]"};
        QTest::newRow("parameter twice")
            << Framed({Point("1", QStringLiteral(" oid=\"2\""))})
            << QStringList{"2:1: warning: oid is given twice; only the first value is read "
                           "[duplicate-param]"};
        QTest::newRow("pos not a coordinate")
            << Framed({QStringLiteral("point oid=\"1\" pos=\"35/00/00.0,135/00/x\";")})
            << QStringList{"2:1: error: \"135/00/x\" (position 1) is not a coordinate d/m/s "
                           "[pos-syntax]"};
        QTest::newRow("pos with four parts")
            << Framed({QStringLiteral("point oid=\"1\" pos=\"35/00/00/1,135/00/00.0\";")})
            << QStringList{"2:1: error: \"35/00/00/1\" (position 1) is not a coordinate d/m/s "
                           "[pos-syntax]"};
        QTest::newRow("pos with an empty field")
            << Framed({QStringLiteral("point oid=\"1\" pos=\"35/00/00.0,,35/00/00.0,1\";")})
            << QStringList{"2:1: error: pos has 1 empty field between commas [pos-syntax]"};
        QTest::newRow("pos odd")
            << Framed({QStringLiteral("line oid=\"1\" pos=\"> 35/00/00.0,135/00/00.0,36/00/00.0\";")})
            << QStringList{"2:1: error: pos has 3 fields: the last latitude has no longitude "
                           "[pos-odd]"};
        QTest::newRow("pos latitude out of range")
            << Framed({QStringLiteral("point oid=\"1\" pos=\"135/00/00.0,35/00/00.0\";")})
            << QStringList{"2:1: error: latitude 135/00/00.0 (position 1) is outside -90 to 90 "
                           "[pos-range]"};
        QTest::newRow("pos longitudes out of range")
            << Framed({QStringLiteral("line oid=\"1\" pos=\"35,-181,35,181,35,1\";")})
            << QStringList{"2:1: error: longitude -181 (position 1) is outside -180 to 180 (and "
                           "1 more) [pos-range]"};
        QTest::newRow("pos seconds of 60")
            << Framed({QStringLiteral("point oid=\"1\" pos=\"35/00/60.0,135/60/00.0\";")})
            << QStringList{"2:1: warning: 35/00/60.0 (position 1) has minutes or seconds outside "
                           "0 to under 60 (and 1 more) [pos-minsec]"};
        QTest::newRow("no positions")
            << Framed({QStringLiteral("point oid=\"1\";")})
            << QStringList{"2:1: warning: the point has no positions and is not drawn [pos-empty]"};
        QTest::newRow("rect of one position without height")
            << Framed({QStringLiteral("rect oid=\"1\" ") + kPos + QStringLiteral(" width=\"1KM\";")})
            << QStringList{"2:1: error: a rect with one position needs width and height "
                           "[rect-size]"};
        QTest::newRow("area of two positions")
            << Framed({QStringLiteral("area oid=\"1\" pos=\"35,135,36,136\";")})
            << QStringList{"2:1: error: an area needs three positions or more; this one has 2 "
                           "[area-positions]"};
        QTest::newRow("colour out of range")
            << Framed({QStringLiteral("group gid=\"1\" textrgb=\"256,0,0\";"),
                       Point("1", QStringLiteral(" gid=\"1\""))})
            << QStringList{"2:1: error: textrgb \"256,0,0\": 256 is not a whole number from 0 to "
                           "255 [colour]"};
        QTest::newRow("colour of two parts")
            << Framed({QStringLiteral("group gid=\"1\" areargb=\"0,255\";"),
                       Point("1", QStringLiteral(" gid=\"1\""))})
            << QStringList{"2:1: error: areargb \"0,255\": a colour is three numbers "
                           "red,green,blue [colour]"};
        QTest::newRow("keyword")
            << Framed({Point("1", QStringLiteral(" strformat=\"middle\""))})
            << QStringList{"2:1: warning: strformat \"middle\" is not one of right, left, center "
                           "[keyword]"};
        QTest::newRow("style")
            << Framed({QStringLiteral("group gid=\"1\" linestyle=\"dotted\";"),
                       Point("1", QStringLiteral(" gid=\"1\""))})
            << QStringList{"2:1: warning: linestyle \"dotted\" is not one of line#0, line#1, "
                           "line#2, line#3 [keyword]"};
        QTest::newRow("corner text position only for rect")
            << Framed({QStringLiteral("circle oid=\"1\" ") + kPos +
                       QStringLiteral(" r=\"1KM\" strpos=\"topleft\";")})
            << QStringList{"2:1: warning: strpos \"topleft\" is not one of center, top, left, "
                           "right, bottom [keyword]"};
        QTest::newRow("display mode")
            << Framed({QStringLiteral("disp everything;")})
            << QStringList{"2:1: warning: the display mode \"everything\" is not one of all, "
                           "first, last, pos, oid, area; it is read as all [keyword]"};
        QTest::newRow("size")
            << Framed({QStringLiteral("circle oid=\"1\" ") + kPos + QStringLiteral(" r=\"3 miles\";")})
            << QStringList{"2:1: error: r \"3 miles\" is not a size (a number, with KM or M after "
                           "it) [size]"};
        QTest::newRow("quote in a value")
            << Framed({QStringLiteral("point oid=\"1\" str=\"say \"hi\"\" ") + kPos + ";"})
            << QStringList{"2:1: error: the value of str holds a double quote, which ends the "
                           "value early [value-quote]"};
        QTest::newRow("quote not closed")
            << Framed({QStringLiteral("point oid=\"1\" ") + kPos + QStringLiteral(" str=\"abc;")})
            << QStringList{"2:1: error: the value of str has no closing double quote "
                           "[value-quote]"};
        QTest::newRow("semicolon in a value")
            << Framed({QStringLiteral("point oid=\"1\" str=\"a;b\""), QStringLiteral("\t") + kPos + ";"})
            << QStringList{"2:1: error: the \";\" in the value of str ends the statement there; "
                           "the rest is read as another statement [value-semicolon]",
                           "2:1: warning: the point has no positions and is not drawn [pos-empty]"};
        QTest::newRow("semicolon on the last line is fine")
            << Framed({Point("1", QStringLiteral(" str=\"a;b\""))}) << QStringList{};
        QTest::newRow("undefined gid")
            << Framed({Point("1", QStringLiteral(" gid=\"9\"")), Point("2", QStringLiteral(" gid=\"9\""))})
            << QStringList{"2:1: warning: gid \"9\" is defined by no group (used by 2 figures) "
                           "[undefined-gid]"};
        QTest::newRow("unused group")
            << Framed({QStringLiteral("group gid=\"7\";")})
            << QStringList{"2:1: note: group \"7\" is used by no figure [unused-group]"};
        QTest::newRow("duplicate oid")
            << Framed({p1, QStringLiteral("circle oid=\"1\" ") + kPos + QStringLiteral(" r=\"1KM\";")})
            << QStringList{"3:1: warning: oid \"1\" is also used by the figure on line 2 "
                           "[duplicate-oid]"};
    }
    void rules() {
        QFETCH(QString, script);
        QFETCH(QStringList, expected);
        Files files;
        QCOMPARE(CheckBytes(files, ScriptBytes(script)), expected);
    }

    // Bytes that are not Shift-JIS: the first bad byte's line and its column in characters.
    void encoding() {
        Files files;
        QByteArray bytes = ScriptBytes(Framed({Point("1")}));
        const QByteArray line = QByteArray("\t\tpoint oid=\"2\" str=\"\x93\x8c") + char(0x80) +
                                QByteArray("\" ") + kPos.toLatin1() + ";\r\n";
        bytes.insert(bytes.indexOf("mapserver end;"), line);
        QCOMPARE(CheckBytes(files, bytes),
                 QStringList{"3:23: error: bytes that are not Shift-JIS; the map program may show "
                             "other characters or none [encoding]"});
    }

    // The open document reports a byte carried through from a file that was not Shift-JIS
    // as the file check does, at its line and column.
    void encodingInTheDocument() {
        const QStringList texts{kStart, QStringLiteral("point oid=\"1\" str=\"a") + QChar(0xF780) +
                                             QStringLiteral("\" ") + kPos + ";",
                                kEnd};
        QCOMPARE(Texts(CheckDocument(texts)),
                 QStringList{"2:21: error: bytes that are not Shift-JIS; the map program may show "
                             "other characters or none [encoding]"});
    }

    // The example script, which uses every command, is clean.
    void cleanExample() {
        const ScriptCheckResult r =
            CheckScriptFile(QStringLiteral(KEL_SOURCE_DIR "/examples/sample.kel"));
        QVERIFY(r.ok);
        QCOMPARE(Texts(r.findings), QStringList{});
        QVERIFY(r.statements > 10);
    }

    // One script with every fault: every rule fires, in file order.
    void everyFault() {
        QStringList body = {
            QStringLiteral("point oid=\"1\" ") + kPos + QStringLiteral("; line oid=\"2\";"),
            QStringLiteral("POINT oid=\"3\";"),
            Point("4", QStringLiteral(" strfromat=\"right\" oid=\"5\"")),
            QStringLiteral("point oid=\"6\" pos=\"x,135/00/00.0,36/00/00.0\";"),
            QStringLiteral("point oid=\"7\" pos=\"95/61/00.0,135/00/00.0\";"),
            QStringLiteral("point oid=\"8\";"),
            QStringLiteral("rect oid=\"9\" ") + kPos + ";",
            QStringLiteral("area oid=\"10\" ") + kPos + ";",
            QStringLiteral("group gid=\"1\" textrgb=\"red\" linestyle=\"dotted\";"),
            QStringLiteral("circle oid=\"11\" gid=\"2\" ") + kPos + QStringLiteral(" r=\"far\";"),
            QStringLiteral("point oid=\"11\" str=\"say \"hi\"\" ") + kPos + ";",
            QStringLiteral("point oid=\"12\" str=\"a;b\""),
            QStringLiteral("    ") + kPos + ";",
            QStringLiteral("point oid=\"13\" str=\"BADBYTE\" ") + kPos,
            QStringLiteral("// the statement above is left open"),
        };
        QString positions;
        for (int i = 0; i <= 2560; ++i) positions += QStringLiteral("35/00/00.0,135/00/00.0,");
        body << QStringLiteral("line oid=\"15\" pos=\"%1\";").arg(positions);
        const QString script = QStringList{Point("0"), kStart}.join('\n') + '\n' +
                               body.join('\n') + '\n' + kEnd + '\n' + Point("16") + '\n' +
                               QStringLiteral("point oid=\"17\" ") + kPos;
        QByteArray bytes = ScriptBytes(script);
        bytes.replace(QByteArray("BADBYTE"), QByteArray(1, char(0x80)));
        Files files;
        const ScriptCheckResult r = CheckScriptFile(files.Write(bytes));
        QVERIFY(r.ok);
        QSet<QString> fired;
        int lastLine = 0;
        for (const Finding& f : r.findings) {
            fired.insert(f.rule);
            QVERIFY2(f.line >= lastLine, qPrintable(f.Text()));
            lastLine = f.line;
        }
        // Every rule but "no-end": a script has its end or not; "after-end" is the fault here.
        QSet<QString> all;
        for (const CheckRule& rule : CheckRules()) all.insert(rule.name);
        all.remove(QStringLiteral("no-end"));
        QCOMPARE(fired, all);
    }

    // Switched-off rules give nothing; the others still do.
    void ignoredRules() {
        Files files;
        CheckOptions options;
        options.ignored = {QStringLiteral("no-end"), QStringLiteral("pos-range")};
        QCOMPARE(CheckBytes(files,
                            ScriptBytes(QStringList{kStart,
                                                    QStringLiteral("point oid=\"1\" pos=\"95,1\";"),
                                                    QStringLiteral("point oid=\"1\" ") + kPos + ";"}
                                            .join('\n')),
                            options),
                 QStringList{"3:1: warning: oid \"1\" is also used by the figure on line 2 "
                             "[duplicate-oid]"});
    }

    // Command texts of an open document: lines are those saving would give, so a finding
    // after a command of several lines points where the saved file has it.
    void documentLines() {
        const QStringList texts = {kStart, QStringLiteral("\t\tpoint\toid=\"1\"\r\n\t\t\t\tpos=\"95,1\";"),
                                   QStringLiteral("// note"), QStringLiteral("point oid=\"1\" ") + kPos + ";",
                                   kEnd};
        QCOMPARE(SavedStatementLines(texts), (QList<int>{1, 2, 4, 5, 6}));
        const std::vector<Finding> f = CheckStatements(texts, {});
        QCOMPARE(Texts(f), (QStringList{
                               "2:3: error: latitude 95 (position 1) is outside -90 to 90 [pos-range]",
                               "5:1: warning: oid \"1\" is also used by the figure on line 2 "
                               "[duplicate-oid]"}));
        QCOMPARE(f[1].statement, 3);
    }

    void nearestName_data() {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("expected");
        QTest::newRow("swapped letters") << "strfromat" << "strformat";
        QTest::newRow("case") << "GID" << "gid";
        QTest::newRow("one letter missing") << "strpo" << "strpos";
        QTest::newRow("short word, two edits") << "pso1" << "";
        QTest::newRow("nothing near") << "colour" << "";
    }
    void nearestName() {
        QFETCH(QString, word);
        QFETCH(QString, expected);
        const QStringList names = {"oid", "gid", "pos", "str", "strpos", "strformat", "url", "urltype"};
        QCOMPARE(NearestName(word, names), expected);
    }
};

KEL_TEST(ScriptCheckTest);

#include "tst_ScriptCheck.moc"
