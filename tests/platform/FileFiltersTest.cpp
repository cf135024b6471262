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
        QTest::newRow("no trailing bar")
            << QStringLiteral("KEL Files (*.kel)|*.kel|All (*.*)|*.*")
            << QStringList{QStringLiteral("KEL Files (*.kel)"), QStringLiteral("All (*)")};
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
        QTest::newRow("empty") << QString() << QStringList{};
    }
    void ConvertsToQtForm() {
        QFETCH(QString, windows);
        QFETCH(QStringList, qt);
        QCOMPARE(QtFileFilters(windows), qt);
    }

    void SelectsByOneBasedIndex_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("selected");
        QTest::newRow("1") << 1 << QStringLiteral("All (*)");
        QTest::newRow("2") << 2 << QStringLiteral("KEL (*.KEL)");
        QTest::newRow("0 falls back") << 0 << QStringLiteral("All (*)");
        QTest::newRow("3 falls back") << 3 << QStringLiteral("All (*)");
    }
    void SelectsByOneBasedIndex() {
        QFETCH(int, index);
        QFETCH(QString, selected);
        QCOMPARE(QtSelectedFilter(QStringLiteral("All (*.*)|*.*|KEL (*.KEL)|*.KEL|"), index), selected);
        QVERIFY(QtSelectedFilter(QString(), index).isEmpty());
    }
};

}  // namespace kel

using kel::FileFiltersTest;
KEL_TEST(FileFiltersTest);
#include "FileFiltersTest.moc"
