#include "EditorFixture.h"
#include "TestMain.h"
#include "script/Catalogue.h"
#include "script/CommandLibrary.h"
#include "script/StatementWriter.h"

using namespace kel;
using kel::test::EditorFixture;

namespace {
const QStringList kEditorScript = {
    QStringLiteral("\t\tgroup\tgid=\"7\" gname=\"G\";"),
    QStringLiteral("\t\tpoint\toid=\"1\" gid=\"7\" pos=\"35/40/00.0,139/46/00.0\" str=\"a\";"),
    QStringLiteral("\t\tcircle\toid=\"2\" pos=\"35/00/00.0,139/00/00.0\" r=\"1KM\";"),
    QStringLiteral("// a comment"),
    QStringLiteral("\t\tfrobnicate\tx=\"1\";"),
};
}  // namespace

class EditorTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void listLineColumns_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("line");
        QTest::newRow("point") << kEditorScript[1] << "point     1       7       1     0       ";
        QTest::newRow("long oid cut") << "point oid=\"1234567890\" gid=\"x\";"
                                      << "point     12345678x       1     0       ";
        QTest::newRow("group gid only") << kEditorScript[0] << "group             7       1     0       ";
        QTest::newRow("comment name only") << kEditorScript[3] << "comment                   1     0       ";
        QTest::newRow("unknown word") << kEditorScript[4] << "frobnicate                1     0       ";
    }
    void listLineColumns() {
        QFETCH(QString, text);
        QFETCH(QString, line);
        CommandTexts texts;
        QCOMPARE(MakeListLine(texts, text, 0), line);
        const ListLineParts p = ParseListLine(texts, line);
        QCOMPARE(p.slot, 1);
        QCOMPARE(p.text, text);
    }

    void catalogueRowsAreSlots() {
        // Row r of the panel shows slot r + 1: the labels must be the slot table's names.
        for (const CatalogueEntry& e : Catalogue()) {
            if (ParamSlot(e.word, e.labels.value(0)) < 0) continue;  // disp, comment
            for (int r = 0; r < e.labels.size(); ++r)
                QCOMPARE(ParamSlot(e.word, e.labels[r]), r + 1);
        }
        QCOMPARE(FindCatalogueEntry(QStringLiteral("circle"))->labels.size(), 11);
        QVERIFY(!FindCatalogueEntry(QStringLiteral("circle"))->HasEditButton(3));
        QVERIFY(FindCatalogueEntry(QStringLiteral("circle"))->HasEditButton(5));
    }

    void loadingFillsPanel() {
        EditorFixture f;
        f.OpenScript(f.WriteScript(QStringLiteral("a.kel"), kEditorScript));
        f.editor.ClickLine(1);
        const ParamEditorState& p = f.editor.Params();
        QCOMPARE(p.curKelCmdCaption, QStringLiteral("point"));
        QCOMPARE(p.kelListNCaption, QStringLiteral("1"));
        QCOMPARE(p.rows[2].label, QStringLiteral("pos"));
        QCOMPARE(p.rows[2].value, QStringLiteral("35/40/00.0,139/46/00.0"));
        QVERIFY(p.rows[7].visible && !p.rows[8].visible);
        QVERIFY(p.dispVisible && p.calcVisible);
        QCOMPARE(f.editor.Title(), QStringLiteral("KEL Script Editor [1]point"));

        f.editor.ClickLine(0);
        QCOMPARE(f.editor.Params().rows[2].labelColour, QString());
        QVERIFY(f.editor.Params().menuSetGroupEnabled);
        f.editor.ClickLine(4);
        QCOMPARE(f.editor.Params().curKelCmdCaption, QStringLiteral("Not Suported"));
        QVERIFY(!f.editor.Params().rows[0].visible);
    }

    void applyRebuildsWithNewSlotAndFigure() {
        EditorFixture f;
        f.OpenScript(f.WriteScript(QStringLiteral("a.kel"), kEditorScript));
        f.editor.ClickLine(1);
        const int slotBefore = ListLineSlot(f.editor.List().Line(1));
        f.editor.SetParValue(4, QString::fromUtf8("東京"));
        QVERIFY(f.editor.ApplyPendingEdits());
        const QString line = f.editor.List().Line(1);
        QVERIFY(ListLineSlot(line) > slotBefore);
        QCOMPARE(f.editor.CommandTextAt(1),
                 QString::fromUtf8("\t\tpoint\toid=\"1\"\r\n\t\t\t\tgid=\"7\"\r\n\t\t\t\tpos=\"35/40/00.0,139/46/00.0\"\r\n\t\t\t\tstr=\"東京\";"));
        QCOMPARE(ListLineFigure(line), f.figures.Calls().back().result);
        QCOMPARE(f.editor.EditFg(), 1);
        QCOMPARE(f.editor.Params().kelListNValue, 0);

        // A second edit removes the figure of the first.
        const int first = ListLineFigure(line);
        f.editor.SetParValue(1, QStringLiteral("9"));
        QVERIFY(f.editor.ApplyPendingEdits());
        QVERIFY(std::find(f.figures.Shown().begin(), f.figures.Shown().end(), first) ==
                f.figures.Shown().end());

        // A non-figure command gets figure number 0.
        f.editor.ClickLine(0);
        f.editor.SetParValue(2, QStringLiteral("H"));
        QVERIFY(f.editor.ApplyPendingEdits());
        QCOMPARE(ListLineFigure(f.editor.List().Line(0)), 0);
    }

    void circleIsDrawnFromCentreAndRim() {
        EditorFixture f;
        f.OpenScript(f.WriteScript(QStringLiteral("a.kel"), kEditorScript));
        f.editor.ClickLine(2);
        f.editor.SetParValue(4, QStringLiteral("1KM"));
        QVERIFY(f.editor.ApplyPendingEdits());
        const auto& call = f.figures.Calls().back();
        QCOMPARE(call.figureType, QStringLiteral("circle1"));
        // 1 km north is 1 / 6378 * 180 / pi degrees: 32.3 seconds of arc.
        QCOMPARE(call.posText, QStringLiteral("35/00/00.0,139/00/00.0,35/00/32.3,139/00/00.0"));
    }

    void unstorableValueIsRefused() {
        EditorFixture f;
        f.OpenScript(f.WriteScript(QStringLiteral("a.kel"), kEditorScript));
        f.editor.ClickLine(1);
        const QString before = f.editor.List().Line(1);
        f.editor.SetParValue(4, QStringLiteral("say \"hi\""));
        QVERIFY(!f.editor.ApplyPendingEdits());
        QCOMPARE(f.editor.List().Line(1), before);
        QCOMPARE(f.editor.Params().kelListNValue, 1);  // the edit is still in the boxes
        QVERIFY(f.prompts().Last().prompt.startsWith(QStringLiteral("[str]")));
        // Clicking elsewhere does not lose it either: the entry stays loaded.
        f.editor.ClickLine(0);
        QCOMPARE(f.editor.List().Current(), 1);
        QCOMPARE(f.editor.Params().rows[3].value, QStringLiteral("say \"hi\""));
    }

    void clickingAnotherLineAppliesPendingEdits() {
        EditorFixture f;
        f.OpenScript(f.WriteScript(QStringLiteral("a.kel"), kEditorScript));
        f.editor.ClickLine(1);
        f.editor.SetParValue(4, QStringLiteral("edited"));
        f.editor.ClickLine(0);
        QCOMPARE(GetParamValue(f.editor.CommandTextAt(1), QStringLiteral("str")),
                 QStringLiteral("edited"));
        QCOMPARE(f.editor.Params().curKelCmdCaption, QStringLiteral("group"));

        // With clicks suppressed only the counter changes.
        f.editor.SetListClickSuppressed(true);
        f.editor.ClickLine(1);
        QCOMPARE(f.editor.Params().curKelCmdCaption, QStringLiteral("group"));
    }


    void storeIsRenumberedWhenFull() {
        EditorFixture f;
        f.OpenScript(f.WriteScript(QStringLiteral("a.kel"), kEditorScript));
        f.editor.Texts().SetCapacity(8);
        f.editor.ClickLine(1);
        for (int i = 0; i < 10; ++i) {
            f.editor.SetParValue(4, QString::number(i));
            QVERIFY(f.editor.ApplyPendingEdits());
        }
        // Every line still finds its own text after the renumbering.
        QCOMPARE(GetParamValue(f.editor.CommandTextAt(1), QStringLiteral("str")),
                 QStringLiteral("9"));
        QCOMPARE(f.editor.CommandTextAt(0), kEditorScript[0]);
        QCOMPARE(f.editor.CommandTextAt(4), kEditorScript[4]);
        QVERIFY(f.editor.Texts().LastTextSlot() <= 8);
    }

    void dialogWrappers() {
        EditorFixture f;
        f.editor.SetAutoAnswerYes(true);
        QCOMPARE(f.editor.MsgBox2(QStringLiteral("?"), 308, QStringLiteral("t")), kAnswerYes);
        QVERIFY(f.prompts().Asked().isEmpty());
        f.editor.SetAutoAnswerYes(false);

        f.prompts().Type(QStringLiteral("abc")).Type(QStringLiteral("def"));
        QCOMPARE(f.editor.InputBox2(QStringLiteral("p"), QStringLiteral("t"), QString(),
                                    QStringLiteral("[Key] usage text")),
                 QStringLiteral("abc"));
        f.editor.InputBox2(QStringLiteral("p"), QStringLiteral("t"), QString(),
                           QStringLiteral("[Key] usage text"));
        QCOMPARE(f.editor.UsageText(), QStringLiteral("\r\n\r\n[Key] usage text"));
        f.prompts().CancelInput();
        QCOMPARE(f.editor.InputBox2(QStringLiteral("p"), QStringLiteral("t"), QStringLiteral("d")),
                 QString());

        f.editor.CaptionRoll(QStringLiteral(" 12"));
        QCOMPARE(f.editor.Title(), QStringLiteral("KEL Script Editor 12"));
        f.editor.CaptionRoll(QStringLiteral("Off"));
        QCOMPARE(f.editor.Title(), QStringLiteral("KEL Script Editor"));
    }

    void libraryLines() {
        const QStringList lib = StandardLibrary();
        QCOMPARE(lib.size(), kStandardLibrarySize);
        QCOMPARE(lib[15].left(14), QStringLiteral("015:[WP]      "));
        QCOMPARE(SplitLibraryLine(lib[10]).text, QStringLiteral("//;"));
        QCOMPARE(MakeLibraryLine(QString(), QStringLiteral("averyverylonglabel"),
                                 QStringLiteral("x;"), 31),
                 QStringLiteral("031:averyveryl") + QStringLiteral("x;"));
        const LibraryLineParts group = SplitLibraryLine(lib[20]);
        QCOMPARE(group.label.trimmed(), QStringLiteral("Route"));
        QCOMPARE(GetParamValue(group.text, QStringLiteral("gid")), QStringLiteral("5132"));
        QVERIFY(group.text.contains(QStringLiteral("\r\n")));
    }

};

KEL_TEST(EditorTest);
#include "tst_Editor.moc"
