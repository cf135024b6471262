// Windows filter lists turned into Qt's form.
#include "TestMain.h"

#include "platform/FileFilters.h"

namespace kel {

class FileFiltersTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void ConvertsToQtForm_data() {
        QTest::addColumn<QString>("windows");
        QTest::addColumn<QStringList>("qt");
        QTest::newRow("editor's list, trailing bar")
            << QStringLiteral("すべてのファイル (*.*)|*.*|マップサーバスクリプトファイル (*.KEL)|*.KEL|")
            << QStringList{QStringLiteral("すべてのファイル (*)"),
                           QStringLiteral("マップサーバスクリプトファイル (*.KEL)")};
        // Qt reads the patterns from the parentheses, so the given patterns must be there.
        QTest::newRow("patterns differ from the description")
            << QStringLiteral("Scripts (*.kel)|*.kel;*.KEL; *.txt|")
            << QStringList{QStringLiteral("Scripts (*.kel *.KEL *.txt)")};
        QTest::newRow("description without parentheses")
            << QStringLiteral("Waypoint+ text|*.TXT")
            << QStringList{QStringLiteral("Waypoint+ text (*.TXT)")};
        QTest::newRow("no description")
            << QStringLiteral("|*.log") << QStringList{QStringLiteral("*.log (*.log)")};
        QTest::newRow("last description without pattern")
            << QStringLiteral("KEL (*.kel)|*.kel|Logs (*.LOG)")
            << QStringList{QStringLiteral("KEL (*.kel)"), QStringLiteral("Logs (*.LOG)")};
        QTest::newRow("lone description") << QStringLiteral("Anything")
                                          << QStringList{QStringLiteral("Anything (*)")};
        QTest::newRow("empty pairs skipped") << QStringLiteral("||A|*.a||")
                                             << QStringList{QStringLiteral("A (*.a)")};
    }
    void ConvertsToQtForm() {
        QFETCH(QString, windows);
        QFETCH(QStringList, qt);
        QCOMPARE(QtFileFilters(windows), qt);
    }

    void SelectsByOneBasedIndex() {
        const QString filter = QStringLiteral("All (*.*)|*.*|KEL (*.KEL)|*.KEL|");
        QCOMPARE(QtSelectedFilter(filter, 2), QStringLiteral("KEL (*.KEL)"));
        QCOMPARE(QtSelectedFilter(filter, 0), QStringLiteral("All (*)"));
        QCOMPARE(QtSelectedFilter(filter, 3), QStringLiteral("All (*)"));
        QVERIFY(QtSelectedFilter(QString(), 1).isEmpty());
    }
};

}  // namespace kel

using kel::FileFiltersTest;
KEL_TEST(FileFiltersTest);
#include "FileFiltersTest.moc"
