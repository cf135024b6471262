// A line source over a whole text reads the same lines as one over the split lines.
#include <QTemporaryDir>

#include "TestMain.h"
#include "common/TextFile.h"

using namespace kel;

class LineSourceTextTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sameLinesAsSplit_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("crlf") << "a\r\nb\r\n";
        QTest::newRow("mixed ends") << "a\r\nb\nc\rd";
        QTest::newRow("blank lines") << "a\r\n\r\n\r\nb\r\n";
        QTest::newRow("cr cr lf") << "a\r\r\nb";
        QTest::newRow("lf cr") << "a\n\rb\n";
        QTest::newRow("empty") << "";
        QTest::newRow("only an end") << "\r\n";
        QTest::newRow("leading ends") << "\n\r\nx";
        QTest::newRow("no final end") << "東京\r\n京都";
    }
    void sameLinesAsSplit() {
        QFETCH(QString, text);
        const QStringList expected = SplitLines(text);
        LineSource source = LineSource::FromText(text);
        QCOMPARE(source.LineCount(), expected.size());
        QStringList read;
        while (!source.AtEnd()) read << source.ReadLine();
        QCOMPARE(read, expected);
        QCOMPARE(source.LineNumber(), expected.size());

        // Stepping back line by line to the start reads every line again, last first.
        QStringList back;
        while (source.LineNumber() > 0) {
            source.UnreadLine();
            back.prepend(source.ReadLine());
            source.UnreadLine();
        }
        QCOMPARE(back, expected);
        source.UnreadLine();  // at the start: nothing happens
        QCOMPARE(source.LineNumber(), 0);
        QCOMPARE(source.ReadLine(), expected.value(0));
    }

    void readFileAsSource() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.kel"));
        QVERIFY(WriteTextFile(path, {QString::fromUtf8("point str=\"東京\";"), QString()}).ok);
        TextSourceResult r = ReadTextFileSource(path);
        QVERIFY(r.ok);
        QCOMPARE(r.firstBadLine, 0);
        QCOMPARE(r.source.ReadLineView(), QString::fromUtf8("point str=\"東京\";"));
        QCOMPARE(r.source.ReadLine(), QString());
        QVERIFY(r.source.AtEnd());
        QVERIFY(!ReadTextFileSource(dir.filePath(QStringLiteral("missing.kel"))).ok);
    }
};

KEL_TEST(LineSourceTextTest);
#include "tst_LineSourceText.moc"
