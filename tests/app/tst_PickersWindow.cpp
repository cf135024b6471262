// The value pickers and the legend window in the main window, driven offscreen through
// their object names as a user drives them.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "TestMain.h"
#include "WindowFixture.h"
#include "app/LegendWindow.h"
#include "script/Statement.h"

using namespace kel;
using namespace kel::test;

namespace {

QString Group(int gid, const QString& extra = QString()) {
    // The first of two equal names counts: `extra` comes first.
    return QStringLiteral("group gid=\"%1\" gname=\"G%1\" %2 textrgb=\"0,0,0\" linergb=\"255,0,0\" "
                          "areargb=\"0,0,255\" bodrrgb=\"0,0,0\";")
        .arg(gid)
        .arg(extra);
}

const QString kCircle =
    QStringLiteral("circle oid=\"c1\" gid=\"1\" pos=\"35/00/00.0,135/00/00.0\" r=\"1KM\";");
const QString kRect = QStringLiteral(
    "rect oid=\"r1\" gid=\"1\" pos=\"35/00/00.0,135/00/00.0,35/00/10.0,135/00/10.0\";");

struct PickerWindow : WindowFixture {
    void Load(const QStringList& commands) {
        QVERIFY(editor().LoadScriptFile(WriteScript(QStringLiteral("p.kel"), commands)));
    }
    void Edit(int row) {
        auto* b = Find<QPushButton>(QStringLiteral("EditPar%1").arg(row));
        QVERIFY(b && b->isVisible());
        QTest::mouseClick(b, Qt::LeftButton);
    }
    QLineEdit* Par(int row) const { return Find<QLineEdit>(QStringLiteral("Par%1").arg(row)); }
    QComboBox* ParList() const { return Find<QComboBox>(QStringLiteral("ParList")); }
    QString Items() const {
        QStringList out;
        for (int k = 0; k < ParList()->count(); ++k) out << ParList()->itemText(k);
        return out.join(',');
    }
    QString CaptionOf(const char* button) const {
        return Find<QPushButton>(QString::fromLatin1(button))->text();
    }
};

// The pixels of a sample's middle row that have the colour `c`, as runs: "3,3,3" for three
// runs of three pixels.
QString Runs(const QImage& image, const QColor& c) {
    QStringList runs;
    int run = 0;
    const int n = image.width();
    for (int k = 0; k <= n; ++k) {
        const bool on = k < n && QColor(image.pixel(k, image.height() / 2)) == c;
        if (on) {
            ++run;
        } else if (run > 0) {
            runs << QString::number(run);
            run = 0;
        }
    }
    return runs.join(',');
}

// The most pixels of colour `c` in one column: a horizontal line's width.
int Thickness(const QImage& image, const QColor& c) {
    int most = 0;
    for (int x = 0; x < image.width(); ++x) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y) n += QColor(image.pixel(x, y)) == c;
        most = qMax(most, n);
    }
    return most;
}

}  // namespace

class PickersWindowTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The list opens exactly over the value box of its row, moves to the next row pressed,
    // takes a choice by keyboard and applies it with Enter.
    void keywordListLiesOverItsRow() {
        PickerWindow f;
        f.Load({Group(5, QStringLiteral("linestyle=\"line#2\" textstyle=\"plain\"")), kRect});
        f.ClickLine(0);
        QComboBox* list = f.ParList();
        QVERIFY(list && !list->isVisible());

        f.Edit(7);  // linestyle
        QVERIFY(list->isVisible());
        QCOMPARE(list->geometry(), f.Par(7)->geometry());
        QCOMPARE(f.Items(), QStringLiteral("line#0,line#1,line#2,line#3"));
        QCOMPARE(list->currentText(), QStringLiteral("line#2"));

        f.Edit(6);  // textstyle: the list moves there
        QVERIFY(list->isVisible());
        QCOMPARE(list->geometry(), f.Par(6)->geometry());
        QCOMPARE(f.Items(), QStringLiteral("plain,frame#1"));

        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(f.Par(6)->text(), QStringLiteral("frame#1"));
        QCOMPARE(GetParamValue(f.editor().CommandTextAt(0), "textstyle"), QStringLiteral("plain"));
        QTest::keyClick(list, Qt::Key_Return);
        QVERIFY(!list->isVisible());
        QCOMPARE(GetParamValue(f.editor().CommandTextAt(0), "textstyle"), QStringLiteral("frame#1"));

        // Pressing the same row twice opens and closes.
        f.Edit(7);
        QVERIFY(list->isVisible());
        f.Edit(7);
        QVERIFY(!list->isVisible());

        // strpos of a rect offers the four corners as well.
        f.ClickLine(1);
        f.Edit(8);
        QCOMPARE(list->count(), 9);
        QCOMPARE(list->geometry(), f.Par(8)->geometry());
    }

    // A cancelled colour dialog writes the clamped text, and the box shows the colour until
    // another entry is loaded, even while the text is typed over.
    void colourBoxKeepsItsColour() {
        PickerWindow f;
        f.Load({Group(5, QStringLiteral("linergb=\"300,,7\"")), kCircle});
        f.ClickLine(0);
        const QColor plain = f.Par(3)->palette().color(QPalette::Base);
        f.prompts().CancelColour();
        f.Edit(3);
        QCOMPARE(f.prompts().Last().kind, PromptKind::Colour);
        QCOMPARE(f.Par(3)->text(), QStringLiteral("255,0,7"));
        QCOMPARE(f.Par(3)->palette().color(QPalette::Base), QColor(255, 0, 7));
        QVERIFY(f.Find<QCheckBox>(QStringLiteral("KelListN"))->isChecked());

        f.Par(3)->selectAll();
        QTest::keyClicks(f.Par(3), QStringLiteral("1,2,3"));
        QCOMPARE(f.Par(3)->palette().color(QPalette::Base), QColor(255, 0, 7));
        f.ClickLine(1);
        QCOMPARE(GetParamValue(f.editor().CommandTextAt(0), "linergb"), QStringLiteral("1,2,3"));
        QCOMPARE(f.Par(3)->palette().color(QPalette::Base), plain);
    }

    // "Edit" on oid offers the bulk input with "oid=value" and changes only the current line.
    void bulkInputFromTheOidRow() {
        PickerWindow f;
        f.Load({kCircle, kCircle, kRect});
        f.ClickLine(1);
        f.editor().List().SetSelected(0, true);
        f.prompts().Type(QStringLiteral("oid=77"));
        f.Edit(0);
        QCOMPARE(f.prompts().Last().title, QStringLiteral("Input equation"));
        QCOMPARE(f.prompts().Last().defaultText, QStringLiteral("oid=c1"));
        QCOMPARE(GetParamValue(f.editor().CommandTextAt(0), "oid"), QStringLiteral("c1"));
        QCOMPARE(GetParamValue(f.editor().CommandTextAt(1), "oid"), QStringLiteral("77"));
        QCOMPARE(f.Par(0)->text(), QStringLiteral("77"));
        QVERIFY(f.editor().Undo());
        QCOMPARE(GetParamValue(f.editor().CommandTextAt(1), "oid"), QStringLiteral("c1"));
    }

    // Sixteen groups fill the fifteen rows and wrap; the legend stays on top without taking
    // the focus and closes back to "Lgnd".
    void legendWindowShowsTheGroups() {
        PickerWindow f;
        QStringList script;
        for (int g = 1; g <= 16; ++g) script << Group(g);
        script << Group(17, QStringLiteral("linestyle=\"line#1\" linewidth=\"3\" areastyle=\"odd\""));
        f.Load(script);
        f.ClickLine(0);
        QCOMPARE(f.CaptionOf("Legend"), QStringLiteral("Lgnd"));
        f.Action(QStringLiteral("MenuViewSetAllGroup"))->trigger();

        auto* legend = f.Find<LegendWindow>(QStringLiteral("Form4"));
        QVERIFY(legend && legend->isVisible());
        QVERIFY(legend->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(legend->testAttribute(Qt::WA_ShowWithoutActivating));
        QCOMPARE(f.CaptionOf("Legend"), QStringLiteral("Off"));
        const auto label = [legend](const char* name, int row) {
            return legend->findChild<QLabel*>(QString::fromLatin1(name) + QString::number(row));
        };
        QCOMPARE(label("GroupName", 0)->text(), QStringLiteral("G16"));
        QCOMPARE(label("GroupName", 1)->text(), QStringLiteral("G17"));
        QCOMPARE(label("GroupName", 14)->text(), QStringLiteral("G15"));
        QCOMPARE(label("TextStyle", 2)->text(), QStringLiteral("frame#0"));

        // G17 in row 1: a dotted line 4 pixels wide, an unknown area style filled solid.
        const QImage line = legend->findChild<QWidget*>(QStringLiteral("Lines1"))->grab().toImage();
        QVERIFY2(Runs(line, Qt::red).count(',') > 5, qPrintable(Runs(line, Qt::red)));
        QCOMPARE(Thickness(line, Qt::red), 4);
        const QImage solid = legend->findChild<QWidget*>(QStringLiteral("Lines2"))->grab().toImage();
        QCOMPARE(Runs(solid, Qt::red).count(','), 0);
        QCOMPARE(Thickness(solid, Qt::red), 2);
        const QImage area = legend->findChild<QWidget*>(QStringLiteral("Area1"))->grab().toImage();
        QCOMPARE(QColor(area.pixel(area.width() / 2, area.height() / 2)), QColor(Qt::blue));

        // Reset empties the rows and hides them; closing the window says "Lgnd" again.
        f.Action(QStringLiteral("MenuViewResetLegend"))->trigger();
        QVERIFY(legend->isVisible());
        QVERIFY(!label("GroupName", 0)->isVisible());
        legend->close();
        QCOMPARE(f.CaptionOf("Legend"), QStringLiteral("Lgnd"));
        QVERIFY(!f.app->session().legend().IsOpen());
        QTest::mouseClick(f.Find<QPushButton>(QStringLiteral("Legend")), Qt::LeftButton);
        QVERIFY(legend->isVisible());
        QCOMPARE(f.CaptionOf("Legend"), QStringLiteral("Off"));
        QVERIFY(!label("GroupName", 0)->isVisible());
        f.Action(QStringLiteral("MenuViewSetGroup"))->trigger();
        QCOMPARE(label("GroupName", 0)->text(), QStringLiteral("G1"));
    }
};

KEL_TEST(PickersWindowTest);

#include "tst_PickersWindow.moc"
