// The group legend: rows filled from group commands, the next-row counter and its wrap,
// and the menu items of the main window.
#include "EditorFixture.h"
#include "TestMain.h"
#include "formula/Legend.h"

using namespace kel;
using namespace kel::test;

namespace {

QString Group(const QString& gid, const QString& gname = QString(),
              const QString& extra = QString()) {
    return QStringLiteral("group gid=\"%1\" gname=\"%2\" %3;").arg(gid, gname, extra);
}

const QString kPoint = QStringLiteral("point oid=\"p\" gid=\"1\" pos=\"35/00/00.0,135/00/00.0\";");

struct LegendFixture : EditorFixture {
    LegendOps legend{editor};
    LegendFixture() { InstallLegendActions(editor, legend); }
    void Run(const char* name) { QVERIFY(editor.RunAction(QString::fromLatin1(name))); }
    // The label of each filled row ("-" for an unfilled one).
    QString Rows() const {
        QStringList out;
        for (int r = 0; r < kLegendRows; ++r)
            out << (legend.Board().Row(r) ? legend.Board().Row(r)->Gname : QStringLiteral("-"));
        while (!out.isEmpty() && out.last() == QLatin1String("-")) out.removeLast();
        return out.join(',');
    }
};

QString RgbText(int rgb) {
    return QStringLiteral("%1,%2,%3").arg(rgb & 255).arg((rgb >> 8) & 255).arg((rgb >> 16) & 255);
}

}  // namespace

class LegendTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Where each SetLegend goes and what it returns as the next row.
    void rowsAndCounter_data() {
        QTest::addColumn<QList<int>>("setNos");
        QTest::addColumn<QList<int>>("rows");  // the row each call filled
        QTest::addColumn<int>("next");
        QTest::newRow("next rows") << QList<int>{-1, -1, -1} << QList<int>{0, 1, 2} << 3;
        QTest::newRow("a given row moves the counter") << QList<int>{5, -1} << QList<int>{5, 6} << 7;
        QTest::newRow("the last row wraps") << QList<int>{14, -1} << QList<int>{14, 0} << 1;
        QTest::newRow("past the last row takes the next") << QList<int>{-1, 15, 999} << QList<int>{0, 1, 2} << 3;
        // Negative rows other than -1 stay within the table.
        QTest::newRow("other negatives take the next")
            << QList<int>{-2, -15, -32768} << QList<int>{0, 1, 2} << 3;
    }
    void rowsAndCounter() {
        QFETCH(QList<int>, setNos);
        QFETCH(QList<int>, rows);
        QFETCH(int, next);
        LegendBoard board;
        int returned = -1;
        for (qsizetype k = 0; k < setNos.size(); ++k) {
            LegendEntry e;
            e.SetNo = setNos[k];
            e.Gname = QString::number(k);
            returned = board.SetLegend(e);
            QVERIFY2(board.Row(rows[k]) && board.Row(rows[k])->Gname == e.Gname, qPrintable(e.Gname));
        }
        QCOMPARE(returned, next);
        QCOMPARE(board.NextRow(), next);
    }

    // A group's entry: its gname or gid as label, colours read as the colour picker reads
    // them, empty widths 0.
    void entryOfAGroup() {
        const LegendEntry e = LegendEntryOfGroup(
            Group("3", "", "textrgb=\"300,,7\" linergb=\"-5,1,2,9\" areargb=\"12, 34 ,abc\" "
                           "linestyle=\"line#1\" linewidth=\"\" bodrwidth=\"3\" iconsize=\"16\""),
            7);
        QCOMPARE(e.SetNo, 7);
        QCOMPARE(e.Gname, QStringLiteral("3"));
        QCOMPARE(RgbText(e.Trgb), QStringLiteral("255,0,7"));
        QCOMPARE(RgbText(e.Lrgb), QStringLiteral("0,1,2"));
        QCOMPARE(RgbText(e.Argb), QStringLiteral("12,34,0"));
        QCOMPARE(e.Lstyle, QStringLiteral("line#1"));
        QCOMPARE(e.Lwidth, 0.0);
        QCOMPARE(e.Bwidth, 3.0);
        QCOMPARE(e.Psize, 16.0);
        QCOMPARE(LegendEntryOfGroup(Group("3", "Roads"), -1).Gname, QStringLiteral("Roads"));
    }

    void sampleWidths_data() {
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("drawn");
        QTest::newRow("0 draws 2") << 0.0 << 2.0;
        QTest::newRow("3 draws 4") << 3.0 << 4.0;
        QTest::newRow("negative draws 1") << -7.0 << 1.0;
        QTest::newRow("huge stays in its row") << 1e9 << kLegendMaxPenWidth;
    }
    void sampleWidths() {
        QFETCH(double, width);
        QFETCH(double, drawn);
        QCOMPARE(LegendPenWidth(width), drawn);
    }

    // Sixteen groups: rows 0 to 14, the sixteenth over row 0; other commands are passed over
    // and do not disturb the counter the "n" prompt offers.
    void allGroupsWrapAfterFifteenRows() {
        LegendFixture f;
        QStringList script{kPoint};
        for (int g = 1; g <= 16; ++g) script << Group(QString::number(g), QStringLiteral("G%1").arg(g));
        script << kPoint;
        f.Fill(script);
        f.editor.ClickLine(0);
        f.Run("MenuViewSetAllGroup");
        QVERIFY(f.legend.IsOpen());
        QCOMPARE(f.legend.LegendCaption(), QStringLiteral("Off"));
        QCOMPARE(f.Rows(), QStringLiteral("G16,G2,G3,G4,G5,G6,G7,G8,G9,G10,G11,G12,G13,G14,G15"));
        QCOMPARE(f.legend.Board().NextRow(), 1);
        QCOMPARE(f.legend.LegendRowCounter(), 1);
    }

    // "n" with answer 5 fills row 5; the next "Set Group" fills row 6.
    void givenRowThenNextRow() {
        LegendFixture f;
        f.Fill({Group("3"), Group("4", "Four"), kPoint});
        f.editor.ClickLine(0);
        f.prompts().Type(QStringLiteral(" 5 "));
        f.Run("MenuViewSetGroupN");
        const PromptRecord& asked = f.prompts().Last();
        QCOMPARE(asked.prompt, QStringLiteral("セットする凡例番号を入力してください"));
        QCOMPARE(asked.title, QStringLiteral("Legend No"));
        QCOMPARE(asked.defaultText, QStringLiteral("0"));
        f.editor.ClickLine(1);
        f.Run("MenuViewSetGroup");
        QCOMPARE(f.Rows(), QStringLiteral("-,-,-,-,-,3,Four"));
        QCOMPARE(f.legend.LegendRowCounter(), 7);

        // A cancelled prompt, and any line that is not a group, change nothing.
        f.prompts().CancelInput();
        f.Run("MenuViewSetGroupN");
        f.editor.ClickLine(2);
        f.Run("MenuViewSetGroup");
        f.Run("MenuViewSetGroupN");
        QCOMPARE(f.Rows(), QStringLiteral("-,-,-,-,-,3,Four"));
        QCOMPARE(f.prompts().Asked().size(), 2);
        QCOMPARE(f.legend.LegendRowCounter(), 7);
    }

    // The group's edits waiting in the parameter editor go into the list and the row.
    void pendingEditsAreAppliedFirst() {
        LegendFixture f;
        f.Fill({Group("3", "Old")});
        f.editor.ClickLine(0);
        f.editor.SetParValue(2, QStringLiteral("New"));
        f.Run("MenuViewSetGroup");
        QCOMPARE(f.Rows(), QStringLiteral("New"));
        QCOMPARE(f.editor.Params().kelListNValue, 0);
        QCOMPARE(f.editor.EditFg(), 1);
    }
};

KEL_TEST(LegendTest);

#include "tst_Legend.moc"
