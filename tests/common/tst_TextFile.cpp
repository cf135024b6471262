#include <QDir>
#include <QStringDecoder>
#include <algorithm>
#include <QFile>
#include <QTemporaryDir>

#include "TestMain.h"
#include "common/FileLength.h"
#include "common/TextFile.h"

using namespace kel;

namespace {
void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
}  // namespace

class TextFileTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void splitLines_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("crlf") << "a\r\nb\r\n" << QStringList{"a", "b"};
        QTest::newRow("lf") << "a\nb\n" << QStringList{"a", "b"};
        QTest::newRow("cr") << "a\rb\r" << QStringList{"a", "b"};
        QTest::newRow("mixed") << "a\r\nb\nc\rd" << QStringList{"a", "b", "c", "d"};
        QTest::newRow("no final end") << "a\r\nb" << QStringList{"a", "b"};
        QTest::newRow("blank lines kept") << "a\r\n\r\n\r\nb\r\n" << QStringList{"a", "", "", "b"};
        QTest::newRow("cr cr lf is two ends") << "a\r\r\nb" << QStringList{"a", "", "b"};
        QTest::newRow("empty") << "" << QStringList{};
        QTest::newRow("only end") << "\r\n" << QStringList{""};
    }
    void splitLines() {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QCOMPARE(SplitLines(text), lines);
    }

    void shiftJisRoundTrip() {
        // "東京タワー" and the wave dash / full-width forms that code page 932 maps specially.
        const QString text = QString::fromUtf8("point str=\"東京タワー～＼①\";");
        QByteArray bytes;
        QVERIFY(EncodeCp932(text, &bytes));
        QVERIFY(bytes.contains("\x93\x8c\x8b\x9e"));  // 東京
        int bad = -1;
        QCOMPARE(DecodeCp932(bytes, &bad), text);
        QCOMPARE(bad, 0);
    }

    void invalidBytesNameTheLine() {
        QByteArray bytes = "line one\r\nline two\r\nbad \x81\x20 here\r\nline four\r\n";
        int bad = 0;
        DecodeCp932(bytes, &bad);
        QCOMPARE(bad, 3);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("bad.kel"));
        WriteBytes(path, bytes);
        const TextReadResult r = ReadTextFile(path);
        QVERIFY(r.ok);
        QCOMPARE(r.firstBadLine, 3);
        QCOMPARE(r.lines.size(), 4);
    }

    // Bytes that are not Shift-JIS come back byte for byte, whatever they are and wherever
    // they stand; the characters around them decode as usual.
    void undecodableBytesRoundTrip_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("badLine");
        QTest::addColumn<int>("rawCount");
        QTest::newRow("A0 80 FD between letters")
            << QByteArray("point oid=\"1\" str=\"A\xA0" "B\x80" "C\xFD" "D\";\r\n") << 1 << 3;
        QTest::newRow("lead byte with a blank as trail")
            << QByteArray("a\r\nbad \x81\x20 here\r\n") << 2 << 1;
        QTest::newRow("lead byte at the line end")
            << QByteArray("x\r\ny\r\nz\x81\r\n\x93\x8c\r\n") << 3 << 1;
        QTest::newRow("lead byte at the file end") << QByteArray("abc\x9f") << 1 << 1;
        QTest::newRow("bad bytes before kanji")
            << QByteArray("\xFF\xFE\x93\x8c\x8b\x9e\xA0") << 1 << 3;
        QTest::newRow("lone CR and LF kept") << QByteArray("a\rb\x80\nc\r\n") << 2 << 1;
        QTest::newRow("user-defined character is valid") << QByteArray("\xF0\x40\r\n") << 0 << 0;
    }
    void undecodableBytesRoundTrip() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, badLine);
        QFETCH(int, rawCount);
        int bad = -1;
        const QString text = DecodeCp932(bytes, &bad);
        QCOMPARE(bad, badLine);
        QCOMPARE(std::count_if(text.cbegin(), text.cend(), IsRawByte), rawCount);
        QVERIFY(!text.contains(QChar::ReplacementCharacter));
        QByteArray back;
        QVERIFY(EncodeCp932(text, &back));
        QCOMPARE(back, bytes);
        // Through the files the same, line by line.
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("raw.kel"));
        WriteBytes(path, bytes);
        const TextReadResult r = ReadTextFile(path);
        QVERIFY(r.ok);
        QCOMPARE(r.firstBadLine, badLine);
        QVERIFY(WriteTextFileRaw(path, r.lines.join(QLatin1String("\r\n"))).ok);
        QByteArray expected = bytes;
        expected.replace("\r\n", "\n").replace('\r', '\n').replace("\n", "\r\n");
        if (expected.endsWith("\r\n")) expected.chop(2);
        QCOMPARE(test::ReadBytes(path), expected);
    }

    // The raw-byte characters are never the result of decoding valid Shift-JIS, so a file
    // never gains or loses a byte through them.
    void noValidCharacterDecodesIntoRawRange() {
        QStringDecoder decoder("windows-31j");
        for (int lead = 0; lead < 256; ++lead) {
            QByteArray pair(2, char(lead));
            for (int trail = 0; trail < 256; ++trail) {
                pair[1] = char(trail);
                decoder.resetState();
                const QString t = decoder(pair);
                QVERIFY2(std::none_of(t.cbegin(), t.cend(), IsRawByte),
                         qPrintable(QString::number(lead * 256 + trail, 16)));
            }
        }
    }

    void rawBytesShownVisibly() {
        const QString text = DecodeCp932("A\xA0" "B\x80" "C\xFD" "D");
        QCOMPARE(ShowRawBytes(text), QStringLiteral("A\\xA0B\\x80C\\xFDD"));
        QCOMPARE(ShowRawBytes(QStringLiteral("plain")), QStringLiteral("plain"));
    }

    void writeIsCrLfAndShiftJis() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("out.kel"));
        const TextWriteResult w =
            WriteTextFile(path, {QString::fromUtf8("東京"), QStringLiteral("a\r\n\tb"), QString()});
        QVERIFY2(w.ok, qPrintable(w.error));
        QCOMPARE(test::ReadBytes(path), QByteArray("\x93\x8c\x8b\x9e\r\na\r\n\tb\r\n\r\n"));
    }

    void unencodableCharacterWritesNothing() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("keep.kel"));
        WriteBytes(path, "old contents\r\n");
        // U+00E9 (é) and an emoji have no code page 932 form.
        const TextWriteResult w = WriteTextFile(
            path, {QStringLiteral("fine"), QString::fromUtf8("ok caf\u00e9"), QStringLiteral("x")});
        QVERIFY(!w.ok);
        QCOMPARE(w.badLine, 2);
        QCOMPARE(w.badColumn, 7);
        QCOMPARE(w.badChar, QString::fromUtf8("\u00e9"));
        QCOMPARE(test::ReadBytes(path), QByteArray("old contents\r\n"));

        const TextWriteResult emoji =
            WriteTextFile(path, {QString::fromUtf8("a\xF0\x9F\x98\x80")});
        QVERIFY(!emoji.ok);
        QCOMPARE(emoji.badColumn, 2);
        QCOMPARE(emoji.badChar.size(), 2);  // the whole surrogate pair
        QCOMPARE(test::ReadBytes(path), QByteArray("old contents\r\n"));
    }

    void failedWriteIsReported() {
        QTemporaryDir dir;
        // The target is a folder: the write cannot replace it.
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub.kel")));
        const TextWriteResult w = WriteTextFile(dir.filePath(QStringLiteral("sub.kel")), {"a"});
        QVERIFY(!w.ok);
        QVERIFY(!w.error.isEmpty());
        const TextWriteResult missing =
            WriteTextFile(dir.filePath(QStringLiteral("no/such/folder/x.kel")), {"a"});
        QVERIFY(!missing.ok);
    }

    void lineSource() {
        LineSource s({QStringLiteral("a"), QStringLiteral("b")});
        QCOMPARE(s.ReadLine(), QStringLiteral("a"));
        s.UnreadLine();
        QCOMPARE(s.ReadLine(), QStringLiteral("a"));
        QCOMPARE(s.ReadLine(), QStringLiteral("b"));
        QVERIFY(s.AtEnd());
        QCOMPARE(s.ReadLine(), QString());
    }

    void fileLength() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("f.txt"));
        WriteBytes(path, "12345");
        QCOMPARE(FileLength(path), qint64(5));
        QCOMPARE(FileLength(dir.filePath(QStringLiteral("missing.txt"))), qint64(-3));
        QCOMPARE(FileLength(dir.filePath(QStringLiteral("nofolder/missing.txt"))), qint64(-1));
        QCOMPARE(FileLength(QString()), qint64(-2));
        QCOMPARE(FileLength(dir.path()), qint64(-9999));
    }

    void commandArg_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("expected");
        QTest::newRow("count") << "a.kel -o" << 0 << "2";
        QTest::newRow("first") << "a.kel -o" << 1 << "a.kel";
        QTest::newRow("second") << "a.kel -o" << 2 << "-o";
        QTest::newRow("beyond") << "a.kel" << 2 << "";
        QTest::newRow("empty line") << "" << 0 << "0";
        QTest::newRow("double blank") << "a  b" << 0 << "3";
    }
    void commandArg() {
        QFETCH(QString, line);
        QFETCH(int, n);
        QFETCH(QString, expected);
        QCOMPARE(CommandArg(line, n), expected);
    }
};

KEL_TEST(TextFileTest);
#include "tst_TextFile.moc"
