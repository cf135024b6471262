// The pickers behind the parameter editor's "Edit" buttons: colours, the keyword list, the
// position editor and the bulk input.
#include "EditorFixture.h"
#include "TestMain.h"
#include "editor/ValuePicker.h"
#include "script/Statement.h"

using namespace kel;
using namespace kel::test;

namespace {

const QString kGroup = QStringLiteral(
    "group gid=\"5\" gname=\"Roads\" textrgb=\"0,0,0\" linergb=\"300,,7\" areargb=\"12, 34 ,abc\" "
    "bodrrgb=\"0,0,255\" textstyle=\"plain\" linestyle=\"line#2\" areastyle=\"fill\";");
const QString kRect = QStringLiteral(
    "rect oid=\"r1\" gid=\"5\" pos=\"35/00/00.0,135/00/00.0,35/00/10.0,135/00/10.0\" strpos=\"top\";");
const QString kCircle =
    QStringLiteral("circle oid=\"c1\" gid=\"G12\" pos=\"35/00/00.0,135/00/00.0\" r=\"1KM\";");

// Rows of the group panel.
constexpr int kLinergbRow = 3;
constexpr int kTextstyleRow = 6;
constexpr int kLinestyleRow = 7;
constexpr int kGnameRow = 1;

struct PickerFixture : EditorFixture {
    ValuePicker picker{editor};
    QStringList bulk;  // the equations and lines the bulk input was run with
    bool clicksSuppressedDuringBulk = false;

    PickerFixture() {
        Fill({kGroup, kRect, kCircle});
        editor.ClickLine(0);
        picker.lumpInput = [this](const QString& equation, int index) {
            bulk << QStringLiteral("%1@%2").arg(equation).arg(index);
            clicksSuppressedDuringBulk = editor.ListClickSuppressed();
        };
    }
    const ParamEditorState& S() const { return editor.Params(); }
    QString Value(int row) const { return S().rows[size_t(row)].value; }
};

}  // namespace

class ValuePickerTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The colour dialog starts from the box's colour read leniently and writes the three-
    // number form back, cancelled or not; only a changed text marks the entry edited.
    void colourPicker_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("choose");
        QTest::addColumn<QString>("preset");
        QTest::addColumn<QString>("written");
        QTest::addColumn<int>("edited");
        QTest::newRow("over 255 and empty part, cancelled")
            << "300,,7" << false << "255,0,7" << "255,0,7" << 1;
        QTest::newRow("blanks and no number") << "12, 34 ,abc" << false << "12,34,0" << "12,34,0" << 1;
        QTest::newRow("proper text, cancelled") << "0,0,255" << false << "0,0,255" << "0,0,255" << 0;
        QTest::newRow("chosen") << "0,0,255" << true << "0,0,255" << "10,20,30" << 1;
        // Only three parts can be held: a fourth is ignored, never written anywhere.
        QTest::newRow("fourth part") << "1,2,3,4" << false << "1,2,3" << "1,2,3" << 1;
        QTest::newRow("negative parts count 0") << "-5,7,-300" << false << "0,7,0" << "0,7,0" << 1;
        QTest::newRow("empty is black") << "" << false << "0,0,0" << "0,0,0" << 1;
    }
    void colourPicker() {
        QFETCH(QString, text);
        QFETCH(bool, choose);
        QFETCH(QString, preset);
        QFETCH(QString, written);
        QFETCH(int, edited);
        PickerFixture f;
        f.editor.SetParValue(kLinergbRow + 1, text);
        f.editor.ApplyPendingEdits();
        const QString before = f.editor.CommandTextAt(0);
        if (choose) f.prompts().ChooseColour({10, 20, 30});
        else f.prompts().CancelColour();

        f.picker.EditParClick(kLinergbRow);

        const PromptRecord& asked = f.prompts().Last();
        QCOMPARE(asked.kind, PromptKind::Colour);
        QCOMPARE(QStringLiteral("%1,%2,%3").arg(asked.colour.red).arg(asked.colour.green).arg(asked.colour.blue),
                 preset);
        QCOMPARE(f.Value(kLinergbRow), written);
        QCOMPARE(f.S().kelListNValue, edited);
        const int rgb = f.S().rows[kLinergbRow].background;
        QCOMPARE(QStringLiteral("%1,%2,%3").arg(rgb & 255).arg((rgb >> 8) & 255).arg(rgb >> 16), written);
        // Picking writes the box only; the command changes when the edit is applied.
        QCOMPARE(f.editor.CommandTextAt(0), before);
        f.editor.ApplyPendingEdits();
        QCOMPARE(GetParamValue(f.editor.CommandTextAt(0), "linergb"), written);
    }

    void colourBackgroundLastsUntilAnotherEntryIsLoaded() {
        PickerFixture f;
        f.prompts().ChooseColour({0, 128, 0});
        f.picker.EditParClick(kLinergbRow);
        QCOMPARE(f.S().rows[kLinergbRow].background, 128 << 8);
        f.editor.SetParValue(kLinergbRow + 1, QStringLiteral("1,1,1"));  // typed by hand
        QCOMPARE(f.S().rows[kLinergbRow].background, 128 << 8);
        f.editor.ClickLine(1);
        f.editor.ClickLine(0);
        for (const ParamRow& row : f.S().rows) QCOMPARE(row.background, ParamRow::kWindowBackground);
    }

    // The keyword list: the first press opens it over its row with the row's value as its
    // text, a choice is an edit, the second press applies and closes; Enter does the same.
    void keywordListTogglesAndApplies() {
        PickerFixture f;
        f.picker.EditParClick(kLinestyleRow);
        QVERIFY(f.S().parListVisible);
        QCOMPARE(f.S().activeParSlot, kLinestyleRow + 1);
        QCOMPARE(f.S().parListText, QStringLiteral("line#2"));
        QCOMPARE(f.S().parListItems.join(','), QStringLiteral("line#0,line#1,line#2,line#3"));

        f.picker.ParListChoose(QStringLiteral("line#1"));
        QCOMPARE(f.Value(kLinestyleRow), QStringLiteral("line#1"));
        QCOMPARE(f.S().kelListNValue, 1);
        QCOMPARE(GetParamValue(f.editor.CommandTextAt(0), "linestyle"), QStringLiteral("line#2"));

        f.picker.EditParClick(kLinestyleRow);
        QVERIFY(!f.S().parListVisible);
        QCOMPARE(f.S().activeParSlot, 0);
        QCOMPARE(GetParamValue(f.editor.CommandTextAt(0), "linestyle"), QStringLiteral("line#1"));
        QCOMPARE(f.editor.EditFg(), 1);

        f.picker.EditParClick(kTextstyleRow);
        f.picker.ParListChoose(QStringLiteral("frame#1"));
        f.picker.ParListEnter();
        QVERIFY(!f.S().parListVisible);
        QCOMPARE(f.S().activeParSlot, 0);
        QCOMPARE(GetParamValue(f.editor.CommandTextAt(0), "textstyle"), QStringLiteral("frame#1"));
    }

    // A press at another row closes the list there; a row with a list opens it at once.
    void keywordListMovesBetweenRows() {
        PickerFixture f;
        f.picker.EditParClick(kLinestyleRow);
        f.picker.ParListChoose(QStringLiteral("line#3"));
        f.picker.EditParClick(kTextstyleRow);
        QVERIFY(f.S().parListVisible);
        QCOMPARE(f.S().activeParSlot, kTextstyleRow + 1);
        QCOMPARE(f.S().parListItems.join(','), QStringLiteral("plain,frame#1"));
        // The choice made at the first row stays as an edit of its box.
        QCOMPARE(f.Value(kLinestyleRow), QStringLiteral("line#3"));
        QCOMPARE(f.S().kelListNValue, 1);

        // A row without a list (gname) closes it and opens nothing.
        f.picker.EditParClick(kGnameRow);
        QVERIFY(!f.S().parListVisible);
        QCOMPARE(f.S().activeParSlot, 0);
        // A choice with the list closed goes nowhere.
        f.picker.ParListChoose(QStringLiteral("plain"));
        QCOMPARE(f.Value(kTextstyleRow), QStringLiteral("plain"));
        QCOMPARE(f.Value(kGnameRow), QStringLiteral("Roads"));

        // Loading another entry closes it as well.
        f.picker.EditParClick(kLinestyleRow);
        f.editor.ClickLine(1);
        QVERIFY(!f.S().parListVisible);
        QCOMPARE(f.S().activeParSlot, 0);
    }

    // oid, gid, str, url and info open the bulk input of the current line with
    // "name=value " while list clicks are suppressed.
    void bulkInputOfTheCurrentLine() {
        PickerFixture f;
        f.editor.ClickLine(2);
        f.picker.EditParClick(1);  // gid
        QCOMPARE(f.bulk, QStringList{QStringLiteral("gid=G12 @2")});
        QVERIFY(f.clicksSuppressedDuringBulk);
        QVERIFY(!f.editor.ListClickSuppressed());
        // Rows without a picker of their own do nothing.
        f.picker.EditParClick(3);  // r
        QCOMPARE(f.bulk.size(), 1);
        QCOMPARE(f.prompts().Asked().size(), 0);
    }

    // pos goes to the position editor with its row; without one, nothing happens.
    void positionEditorGetsItsRow() {
        PickerFixture f;
        f.editor.ClickLine(1);
        f.picker.EditParClick(2);
        QList<int> rows;
        f.picker.positionEditor = [&rows](int row) { rows << row; };
        f.picker.EditParClick(2);
        QCOMPARE(rows, QList<int>{2});
        QVERIFY(f.bulk.isEmpty());
    }
};

KEL_TEST(ValuePickerTest);

#include "tst_ValuePicker.moc"
