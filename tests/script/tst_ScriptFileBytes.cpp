// Script files are cut into statements on their bytes, a piece of the file at a time, and
// each statement is decoded on its own. Whatever the bytes, that must give what decoding
// the whole file and cutting its text gives: the same statements, first lines and first
// bad line.
#include <QFile>
#include <QTemporaryDir>

#include "TestMain.h"
#include "common/TextFile.h"
#include "script/ScriptFile.h"
#include "script/Statement.h"

using namespace kel;

namespace {

void Put(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

// The file read the long way: the whole text decoded, split into lines, cut into statements.
ScriptReadResult ReadByText(const QString& path) {
    ScriptReadResult r;
    const TextReadResult text = ReadTextFile(path);
    r.ok = text.ok;
    r.firstBadLine = text.firstBadLine;
    LineSource source(text.lines);
    r.statements = ReadStatements(source, &r.statementLines);
    return r;
}

void CompareReadings(const QString& path) {
    const ScriptReadResult fast = ReadScriptFile(path);
    const ScriptReadResult slow = ReadByText(path);
    QVERIFY2(fast.ok, qPrintable(fast.error));
    QVERIFY(slow.ok);
    QCOMPARE(fast.statements.size(), slow.statements.size());
    for (qsizetype i = 0; i < slow.statements.size(); ++i)
        QVERIFY2(fast.statements[i] == slow.statements[i],
                 qPrintable(QStringLiteral("statement %1: %2 / %3")
                                .arg(i)
                                .arg(ShowRawBytes(fast.statements[i]), ShowRawBytes(slow.statements[i]))));
    QCOMPARE(fast.statementLines, slow.statementLines);
    QCOMPARE(fast.firstBadLine, slow.firstBadLine);
}

}  // namespace

class ScriptFileBytesTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sameAsDecodingFirst_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("count");  // statements
        QTest::newRow("written layout") << QByteArray(
            "//Header:Prog:\"1.0.8.0\";\r\nmapserver script ver=\"1.0\";\r\n"
            "\t\tpoint\toid=\"1\"\r\n\t\t\t\tstr=\"\x93\x8c\x8b\x9e\";\r\nmapserver end;\r\n") << 4;
        QTest::newRow("LF, CR and CR LF ends") << QByteArray("a\nb;\rc\r\nd;\n\re;") << 3;
        QTest::newRow("position list joined after commas") << QByteArray(
            "\t\tline\tpos=\"35/00/00.0,\r\n  135/00/00.0,  \r\n\t\x93\x8c,\r\n\t1\"\r\nx;\r\n") << 1;
        // A lead byte before a byte below 0x40 is no character: the byte after it keeps its
        // meaning (a ";" still ends the statement, a "," still joins, "//" still comments).
        QTest::newRow("lead byte before the semicolon")
            << QByteArray("point str=\"\x81;\"\r\nnext;\r\n") << 2;
        QTest::newRow("lead byte before a line-end comma")
            << QByteArray("line pos=\"1\x81,\r\n 2\";\r\n") << 1;
        QTest::newRow("lead byte before a comment")
            << QByteArray("point oid=\"1\"\x82\r\n  //\x82 note\r\nline;\r\n") << 3;
        QTest::newRow("lead byte before CR LF and at the end")
            << QByteArray("a\x81\r\nb;\r\nc\x9f") << 2;
        QTest::newRow("trail bytes that look like ASCII")
            << QByteArray("point str=\"\x95\x5c\x83\x40\x81\x7e\";\r\n") << 1;
        QTest::newRow("unmapped pair and user-defined character")
            << QByteArray("point str=\"\x85\x40|\xF0\x40\";\r\n") << 1;
        QTest::newRow("bad bytes first on the third line")
            << QByteArray("a;\r\n\r\n  \r\nb \xA0\xFD\xFF;\r\nc \x80;\r\n") << 3;
        QTest::newRow("bad byte on the third line of one statement")
            << QByteArray("point\r\n\toid=\"1\"\r\n\tstr=\"\x80\";\r\nline \x81;\r\n") << 2;
        QTest::newRow("bad bytes after a line ended by LF only")
            << QByteArray("point\n\toid=\"\xFD\"\r\n\tstr=\"\x80\";\r\n") << 1;
        QTest::newRow("blank lines at the end give one empty statement")
            << QByteArray("a;\r\n\r\n   \r\n\t\r\n") << 2;
        QTest::newRow("comment interrupting a statement")
            << QByteArray("point oid=\"1\"\r\n pos=\"2\"\r\n  // c\r\nline;\r\n") << 3;
        QTest::newRow("no final line end") << QByteArray("a;\r\nb\r\n  c") << 2;
        QTest::newRow("final CR") << QByteArray("a;\r\nb;\r") << 2;
        QTest::newRow("lines of blanks inside a statement")
            << QByteArray("point\r\n\t\t\r\n   \r\n oid=\"1\";") << 1;
        QTest::newRow("empty file") << QByteArray() << 0;
        QTest::newRow("only blank lines") << QByteArray("\r\n  \r\n") << 1;
    }
    void sameAsDecodingFirst() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, count);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("odd.kel"));
        Put(path, bytes);
        CompareReadings(path);
        QCOMPARE(ReadScriptFile(path).statements.size(), count);
    }

    // A file of several pieces: a CR LF cut by the first piece's end, a statement longer
    // than a piece, bad bytes and comments on the way. Read as the whole text would be read,
    // and saved back byte for byte (nothing in it is joined or dropped).
    void largeFileInPieces() {
        QByteArray bytes;
        const QByteArray block =
            "\t\tpoint\toid=\"1\"\r\n\t\t\t\tstr=\"\x93\x8c\x8b\x9e \xA0\"\r\n\t\t\t\tinfo=\"i\";\r\n"
            "// \x8b\x9e\x93\x73\r\n\t\tline\toid=\"2\";\t// a, b,\r\n";
        while (bytes.size() < (1 << 20) - 400) bytes += block;
        // One line that brings its CR to the last byte of the first piece.
        const QByteArray head = "point str=\"";
        const QByteArray tail = "\";";
        bytes += head + QByteArray((1 << 20) - 1 - bytes.size() - head.size() - tail.size(), 'x') + tail;
        QCOMPARE(bytes.size(), (1 << 20) - 1);
        bytes += "\r\n";
        // A statement of 1.5 MB: many lines without ";".
        bytes += "\t\tarea\toid=\"3\"";
        for (int i = 0; i < 30000; ++i) bytes += "\r\n\t\t\t\tinfo=\"" + QByteArray(40, char('a' + i % 26)) + "\"";
        bytes += ";\r\n";
        for (int i = 0; i < 5000; ++i) bytes += block;
        bytes += "mapserver end;\r\n";

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("large.kel"));
        Put(path, bytes);
        CompareReadings(path);

        const ScriptReadResult r = ReadScriptFile(path);
        QCOMPARE(r.firstBadLine, 2);
        const QString saved = dir.filePath(QStringLiteral("saved.kel"));
        const TextWriteResult w = WriteScriptFile(saved, r.statements);
        QVERIFY2(w.ok, qPrintable(w.error));
        QVERIFY(test::ReadBytes(saved) == bytes);
    }

    // A character that cannot be written, far into a file of several pieces: reported with
    // its line and column, and the old file stays as it was.
    void unwritableCharacterDeepInALargeFile() {
        QStringList statements;
        for (int i = 0; i < 40000; ++i)
            statements << QStringLiteral("\t\tpoint\toid=\"%1\"\r\n\t\t\t\tstr=\"x\";").arg(i);
        statements[30000] = QStringLiteral("\t\tpoint\toid=\"1\"\r\n\t\t\t\tstr=\"caf\u00e9\";");
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("keep.kel"));
        Put(path, "old\r\n");
        const TextWriteResult w = WriteScriptFile(path, statements);
        QVERIFY(!w.ok);
        QCOMPARE(w.badLine, 60002);
        QCOMPARE(w.badColumn, 13);
        QCOMPARE(w.badChar, QStringLiteral("\u00e9"));
        QCOMPARE(test::ReadBytes(path), QByteArray("old\r\n"));
    }
};

KEL_TEST(ScriptFileBytesTest);
#include "tst_ScriptFileBytes.moc"
