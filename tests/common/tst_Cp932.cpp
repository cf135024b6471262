// The code page 932 conversion against Qt's own codec, over every byte pair and every
// character: the tables it fills as it goes must give exactly what the codec gives.
#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>

#include "TestMain.h"
#include "common/Cp932.h"

using namespace kel;

namespace {

// Qt's codec (ICU's table) swaps three ASCII control characters, an IBM host convention:
// the byte 0x1A reads as U+001C, 0x1C as U+007F and 0x7F as U+001A. Code page 932 as
// Windows (and iconv) has it keeps every ASCII byte as itself, and so does the program; the
// bytes go back unchanged either way.
QString WithWindowsControls(QString text) {
    for (QChar& c : text) {
        if (c == QChar(0x1C)) c = QChar(0x1A);
        else if (c == QChar(0x7F)) c = QChar(0x1C);
        else if (c == QChar(0x1A)) c = QChar(0x7F);
    }
    return text;
}

// The other way: the character Qt's codec reads from the byte a control character is.
QChar AsQtControl(QChar c) {
    if (c == QChar(0x1A)) return QChar(0x1C);
    if (c == QChar(0x1C)) return QChar(0x7F);
    if (c == QChar(0x7F)) return QChar(0x1A);
    return c;
}

}  // namespace

class Cp932Test : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Every lead byte with every following byte, between ASCII letters: where the codec reads
    // the bytes without error, the result is the codec's; elsewhere the line is named.
    void decodeAgreesWithCodec() {
        int mismatches = 0;
        for (int lead = 0x80; lead < 0x100; ++lead) {
            for (int trail = 0; trail < 0x100; ++trail) {
                const QByteArray bytes = QByteArray("a") + char(lead) + char(trail) + "b";
                // A new decoder each time: Qt's keeps an error once it had one.
                QStringDecoder qt("windows-31j", QStringConverter::Flag::Stateless);
                const QString expected = WithWindowsControls(qt(bytes));
                const bool valid = !qt.hasError();
                int badLine = -1;
                const QString got = DecodeCp932(bytes, &badLine);
                // Where the codec fails, the bytes it cannot read are kept as raw bytes
                // (their round trip is tested with the text files).
                const bool ok = valid ? got == expected && badLine == 0
                                      : badLine == 1 &&
                                            std::any_of(got.cbegin(), got.cend(), IsRawByte);
                if (!ok && ++mismatches <= 5)
                    qWarning("bytes %02X %02X: got %s", lead, trail, qPrintable(ShowRawBytes(got)));
            }
        }
        QCOMPARE(mismatches, 0);
    }

    // Every character of the BMP: what the codec can encode is encoded the same way, what it
    // cannot is refused at its index (after a prefix that encodes).
    void encodeAgreesWithCodec() {
        int mismatches = 0;
        for (int c = 0; c < 0x10000; ++c) {
            const QChar ch{char16_t(c)};
            if (IsRawByte(ch)) continue;
            QStringEncoder qt("windows-31j", QStringConverter::Flag::Stateless);
            const QChar asQt = AsQtControl(ch);
            const QByteArray expected = qt(QStringView(&asQt, 1));
            const bool valid = !qt.hasError() && !ch.isSurrogate();
            const QString text = QStringLiteral("ab") + ch;
            QByteArray got;
            qsizetype bad = -1;
            const bool ok = EncodeCp932(text, &got, &bad);
            const bool same = valid ? ok && got == "ab" + expected : !ok && bad == 2;
            if (!same && ++mismatches <= 5) qWarning("U+%04X", c);
        }
        QCOMPARE(mismatches, 0);
    }

    // Raw-byte characters are their bytes again, next to any other character.
    void rawBytesEncodeAsTheirBytes() {
        QString text;
        QByteArray expected;
        for (int b = 0; b < 0x100; ++b) {
            text += QChar(char16_t(kRawByteFirst + b));
            text += QString::fromUtf8("駅");
            expected += char(b);
            expected += "\x89\x77";
        }
        QByteArray got;
        QVERIFY(EncodeCp932(text, &got));
        QCOMPARE(got, expected);
        QVERIFY(FitsCp932(text));
    }

    // Long ASCII runs go through the fast path; a character that cannot be held behind them
    // is still found at its place, and nothing is put out for it.
    void longRunsAndTheFirstBadCharacter_data() {
        QTest::addColumn<int>("asciiBefore");
        for (int n : {0, 7, 8, 15, 16, 17, 1000}) QTest::newRow(qPrintable(QString::number(n))) << n;
    }
    void longRunsAndTheFirstBadCharacter() {
        QFETCH(int, asciiBefore);
        const QString ascii(asciiBefore, QLatin1Char('x'));
        const QString text = ascii + QString::fromUtf8("東\u00e9京");
        qsizetype bad = -1;
        QVERIFY(!FitsCp932(text, &bad));
        QCOMPARE(bad, qsizetype(asciiBefore + 1));
        QByteArray out = "keep";
        QVERIFY(!EncodeCp932(text, &out, &bad));
        QCOMPARE(out, QByteArray("keep"));
        QByteArray appended;
        QVERIFY(!AppendCp932(text, appended, &bad));
        QCOMPARE(appended, ascii.toLatin1() + "\x93\x8c");

        const QByteArray bytes = ascii.toLatin1() + "\x93\x8c\xA0" + ascii.toLatin1();
        int badLine = -1;
        const QString decoded = DecodeCp932(bytes, &badLine);
        QCOMPARE(decoded, ascii + QString::fromUtf8("東") + QChar(char16_t(kRawByteFirst + 0xA0)) + ascii);
        QCOMPARE(badLine, 1);
    }

    void fitReplacesWhatCannotBeHeld_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("fitted");
        QTest::addColumn<int>("replaced");
        QTest::newRow("all fits") << QString::fromUtf8("東京 tower") << QString::fromUtf8("東京 tower") << 0;
        QTest::newRow("accents") << QString::fromUtf8("café crème") << QStringLiteral("caf? cr?me") << 2;
        QTest::newRow("surrogate pair is one")
            << QString::fromUtf8("a\xF0\x9F\x98\x80" "b") << QStringLiteral("a?b") << 1;
        QTest::newRow("lone high surrogate, then a letter")
            << (QStringLiteral("a") + QChar(char16_t(0xD83D)) + QStringLiteral("b"))
            << QStringLiteral("a?b") << 1;
        QTest::newRow("raw byte kept") << (QStringLiteral("a") + QChar(char16_t(kRawByteFirst + 0x80)))
                                       << (QStringLiteral("a") + QChar(char16_t(kRawByteFirst + 0x80))) << 0;
    }
    void fitReplacesWhatCannotBeHeld() {
        QFETCH(QString, text);
        QFETCH(QString, fitted);
        QFETCH(int, replaced);
        int count = -1;
        QCOMPARE(FitCp932(text, &count), fitted);
        QCOMPARE(count, replaced);
        QVERIFY(FitsCp932(fitted));
    }
};

KEL_TEST(Cp932Test);
#include "tst_Cp932.moc"
