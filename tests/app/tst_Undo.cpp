#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <functional>

#include "TestMain.h"
#include "app/EditorSession.h"
#include "geo/FigureDisplay.h"
#include "geo/MapMark.h"
#include "list/ListLine.h"
#include "platform/Platform.h"
#include "platform/Prompts.h"
#include "script/ScriptFile.h"
#include "script/Statement.h"

using namespace kel;

namespace {

// A script of groups, figures and other commands, long enough that bulk operations take
// their real paths (more than 16 figures with equal sort keys).
QStringList TestScript() {
    QStringList s{QStringLiteral("mapserver script ver=\"1.0\";"),
                  QStringLiteral("group gid=\"100\" gname=\"oid=1*\";"),
                  QStringLiteral("group gid=\"200\" gname=\"oid=2*\";")};
    for (int i = 0; i < 24; ++i) {
        const QString pos = QStringLiteral("35/%1/00.0,139/%2/00.0").arg(10 + i).arg(20 + i % 5);
        s << QStringLiteral("point oid=\"%1\" gid=\"%2\" pos=\"%3\" str=\"p%1\";")
                 .arg(10 + i)
                 .arg(i % 3)
                 .arg(pos);
    }
    s << QStringLiteral("line oid=\"40\" pos=\"35/00/00.0,139/00/00.0,35/00/00.0,139/00/10.0\";")
      << QStringLiteral("line oid=\"41\" pos=\"35/00/00.0,139/00/10.0,35/00/10.0,139/00/10.0\";")
      << QStringLiteral("area oid=\"42\" pos=\"35/00/00.0,139/00/00.0,35/00/30.0,139/00/00.0,"
                        "35/00/30.0,139/00/30.0\";")
      << QStringLiteral("disp all;") << QStringLiteral("mapserver end;");
    return s;
}

struct UndoFixture {
    PlatformDoubles platform;
    RecordingFigureDisplay figures;
    EditorSession session{MakeEditorServices(platform, &figures)};
    FixedMapMark mark;
    QTemporaryDir dir;

    UndoFixture() {
        session.figureEdit().map = &mark;
        Open(Write(QStringLiteral("doc.kel"), TestScript()));
    }
    Editor& e() { return session.editor(); }
    ScriptedPrompts& prompts() { return platform.scriptedPrompts; }

    QString Write(const QString& name, const QStringList& texts) {
        const QString path = dir.filePath(name);
        WriteScriptFile(path, texts);
        return path;
    }
    void Open(const QString& path) {
        e().SetEditFg(0);
        e().DoOpenKelFile(path);
    }
    void Select(std::initializer_list<int> rows, int current) {
        e().RunAction(QStringLiteral("MenuEditDeSelect"));
        for (int i : rows) e().List().SetSelected(i, true);
        e().ClickLine(current);
    }
    bool Run(const QString& action) { return e().RunAction(action); }
};

// What must come back with a step: the lines (without the figure number, which a figure
// drawn again changes), the selection, the current line and the bytes a save writes.
struct Observed {
    QStringList lines;
    std::vector<char> selected;
    int current = -1;
    QByteArray saved;
    bool operator==(const Observed&) const = default;
};

Observed Observe(UndoFixture& f, const QString& name) {
    Observed o;
    for (const QString& line : f.e().List().Lines()) o.lines << line.left(kListLineWidth - kListFigureWidth);
    o.selected = f.e().List().SelectionStates();
    o.current = f.e().List().Current();
    const QString path = f.dir.filePath(name);
    WriteScriptFile(path, f.e().CommandTextsInOrder());
    o.saved = test::ReadBytes(path);
    return o;
}

QString Describe(const Observed& o) {
    QStringList selected;
    for (size_t i = 0; i < o.selected.size(); ++i)
        if (o.selected[i]) selected << QString::number(i);
    return QStringLiteral("%1 lines, current %2, selected %3")
        .arg(o.lines.size())
        .arg(o.current)
        .arg(selected.join(QLatin1Char(',')));
}

// The map shows exactly the figures the list's lines name, each once.
QString FiguresMismatch(UndoFixture& f) {
    QList<int> inList;
    for (const QString& line : f.e().List().Lines())
        if (const int n = ListLineFigure(line); n > 0) inList << n;
    QList<int> shown(f.figures.Shown().begin(), f.figures.Shown().end());
    std::sort(inList.begin(), inList.end());
    std::sort(shown.begin(), shown.end());
    if (inList == shown) return QString();
    QStringList a, b;
    for (int n : inList) a << QString::number(n);
    for (int n : shown) b << QString::number(n);
    return QStringLiteral("list %1 / map %2").arg(a.join(','), b.join(','));
}

using Prep = std::function<void(UndoFixture&)>;

}  // namespace

Q_DECLARE_METATYPE(Prep)

class UndoTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Every operation that changes the list: applied, undone (all of the before state comes
    // back, and the modified flag of the opened file is cleared), redone (the after state
    // comes back, modified) and undone again.
    void operations_data() {
        QTest::addColumn<Prep>("prep");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("step");
        const auto row = [](const char* name, Prep prep, const char* action, const char* step) {
            QTest::newRow(name) << prep << QString::fromLatin1(action) << QString::fromLatin1(step);
        };
        row("apply an edit", [](UndoFixture& f) {
            f.Select({}, 5);
            f.e().SetParValue(1, QStringLiteral("77"));
        }, "CurKelCmd", "Edit");
        row("cut the selection", [](UndoFixture& f) { f.Select({3, 5, 9, 20}, 5); }, "CmdCut", "Cut");
        row("cut the current line", [](UndoFixture& f) { f.Select({}, 4); }, "CmdCut", "Cut");
        row("paste", [](UndoFixture& f) {
            f.Select({4, 6, 28}, 6);
            f.Run(QStringLiteral("CmdCopy"));
            f.Select({1}, 10);
        }, "CmdPaste", "Paste");
        row("paste from the clipboard", [](UndoFixture& f) {
            f.platform.memoryClipboard.SetText(QStringLiteral(
                "point oid=\"99\" pos=\"35/00/00.0,135/00/00.0\";\r\ncomment x;\r\n"));
            f.Select({2, 12}, 7);
        }, "MenuEditPasteFromClipBoard", "Paste From ClipBoard");
        row("add from the library", [](UndoFixture& f) { f.Select({8}, 5); }, "AddCmd", "Add");
        row("add a point", [](UndoFixture& f) { f.Select({}, 5); },
            "KelEditFigureAddObjectFigurePoint", "Add");
        row("move up", [](UndoFixture& f) { f.Select({4, 5, 9}, 5); }, "ListUp", "Turn Up");
        row("move down", [](UndoFixture& f) { f.Select({}, 7); }, "ListDown", "Turn Down");
        row("append", [](UndoFixture& f) {
            f.e().SetFileName(f.Write(QStringLiteral("more.kel"),
                                      {QStringLiteral("point oid=\"90\" pos=\"35/00/00.0,135/00/00.0\";"),
                                       QStringLiteral("comment appended;")}));
            f.Select({3}, 6);
        }, "MenuFileAppend", "Append");
        row("lump input over every line", [](UndoFixture& f) {
            f.Select({}, 3);
            f.prompts().Type(QStringLiteral("str=Join(oid,gid)"));
        }, "MenuExecLumpInput", "Lump Input");
        row("lump input over the selection", [](UndoFixture& f) {
            f.Select({4, 5, 6, 7, 27}, 6);
            f.prompts().Type(QStringLiteral("oid=Plus(oid,100)"));
        }, "MenuExecLumpInput", "Lump Input");
        row("sort", [](UndoFixture& f) {
            f.Select({3, 10, 11}, 10);
            f.prompts().Type(QStringLiteral("gid"));
        }, "MenuEditListSortDownFigure", "Sort List");
        row("gid by group", [](UndoFixture& f) {
            f.Select({}, 1);
            f.prompts().Answer(kAnswerYes);
        }, "MenuExecSetGroup", "Set gid by group");
        row("centre point", [](UndoFixture& f) { f.Select({27, 29}, 27); },
            "KelEditFigureCenterPoint", "Center Point");
        row("centre circle", [](UndoFixture& f) { f.Select({28}, 28); },
            "KelEditFigureCenterCircle", "Center Circle");
        row("join positions", [](UndoFixture& f) { f.Select({}, 27); }, "MenuEditPosJoin",
            "Join Pos");
        row("Waypoint+ import", [](UndoFixture& f) {
            f.Select({}, 6);
            f.prompts().ChoosePath(test::DataPath(QStringLiteral("waypoint/waypoints.txt")));
            f.prompts().SetDefaultMessageAnswer(kAnswerYes);
        }, "MenuFileImportWpt", "Waypoint+ Import");
        row("figure move on the map", [](UndoFixture& f) {
            f.Select({}, 27);
            f.Run(QStringLiteral("KelEditFigureMove"));
            f.mark.Set(QStringLiteral("35/00/00000"), QStringLiteral("139/00/10000"));
            f.Run(QStringLiteral("SnapObject"));  // picks node 2 of line 40
            f.mark.Set(QStringLiteral("35/05/00000"), QStringLiteral("139/05/00000"));
            f.prompts().Answer(kAnswerYes);
        }, "SnapObject", "Figure Move");
    }
    void operations() {
        QFETCH(Prep, prep);
        QFETCH(QString, action);
        QFETCH(QString, step);
        UndoFixture f;
        prep(f);
        // The preparation (clicks, a copy) is no step of its own.
        QVERIFY(!f.e().History().CanUndo());
        const Observed before = Observe(f, QStringLiteral("before.kel"));
        QVERIFY(f.Run(action));
        const Observed after = Observe(f, QStringLiteral("after.kel"));
        QVERIFY2(after.saved != before.saved || after.lines != before.lines,
                 "the operation changed nothing");
        QCOMPARE(f.e().History().UndoName(), step);
        QCOMPARE(f.e().EditFg(), 1);
        QVERIFY2(FiguresMismatch(f).isEmpty(), qPrintable(FiguresMismatch(f)));

        for (int round = 0; round < 2; ++round) {
            QVERIFY(f.e().Undo());
            const Observed undone = Observe(f, QStringLiteral("undone.kel"));
            QVERIFY2(undone == before, qPrintable(Describe(undone) + " / " + Describe(before)));
            QCOMPARE(f.e().EditFg(), 0);
            QVERIFY2(FiguresMismatch(f).isEmpty(), qPrintable(FiguresMismatch(f)));
            QCOMPARE(f.e().History().RedoName(), step);
            QVERIFY(f.e().Redo());
            const Observed redone = Observe(f, QStringLiteral("redone.kel"));
            QVERIFY2(redone == after, qPrintable(Describe(redone) + " / " + Describe(after)));
            QCOMPARE(f.e().EditFg(), 1);
            QVERIFY2(FiguresMismatch(f).isEmpty(), qPrintable(FiguresMismatch(f)));
        }
        // The parameter editor shows the current line's command.
        QCOMPARE(f.e().Params().kelListNCaption, QString::number(f.e().List().Current()));
    }

    void operationsThatChangeNothingLeaveNoStep() {
        UndoFixture f;
        f.Select({3, 4}, 4);
        f.prompts().CancelInput();
        for (const char* action : {"CmdCopy", "MenuEditSelectAll", "MenuEditRevSelect",
                                   "MenuExecLumpInput", "MenuEditSearchNext"})
            f.Run(QString::fromLatin1(action));
        QVERIFY(!f.e().History().CanUndo());
        QCOMPARE(f.e().History().StepCount(), 0);
    }

    // A value typed and not applied when an operation runs is applied as a step of its own:
    // undoing the operation keeps it.
    void typedEditBeforeAnOperationIsItsOwnStep() {
        UndoFixture f;
        f.Select({}, 3);
        f.Run(QStringLiteral("CmdCopy"));
        f.Select({}, 5);
        const QString original = f.e().CommandTextAt(5);
        f.e().SetParValue(1, QStringLiteral("55"));
        f.Run(QStringLiteral("CmdPaste"));
        QCOMPARE(f.e().History().StepCount(), 2);
        QCOMPARE(f.e().History().UndoName(), QStringLiteral("Paste"));
        QVERIFY(f.e().Undo());
        QCOMPARE(GetParamValue(f.e().CommandTextAt(5), QStringLiteral("oid")), QStringLiteral("55"));
        QCOMPARE(f.e().History().UndoName(), QStringLiteral("Edit"));
        QVERIFY(f.e().Undo());
        QCOMPARE(f.e().CommandTextAt(5), original);
    }

    // Undo with a typed value not applied: the value is applied and taken back, and a redo
    // brings it again; nothing typed is lost.
    void undoWithATypedValueKeepsItForRedo() {
        UndoFixture f;
        f.Select({}, 6);
        const QString original = f.e().CommandTextAt(6);
        f.e().SetParValue(1, QStringLiteral("66"));
        QVERIFY(f.e().Undo());
        QCOMPARE(f.e().CommandTextAt(6), original);
        QCOMPARE(f.e().Params().kelListNValue, 0);
        QVERIFY(f.e().Redo());
        QCOMPARE(GetParamValue(f.e().CommandTextAt(6), QStringLiteral("oid")), QStringLiteral("66"));
    }

    // A change that no operation recorded (a subsystem writing to the list directly) is kept
    // as a step of its own, never lost under an older step's state.
    void unrecordedChangeBecomesAStep() {
        UndoFixture f;
        f.Select({}, 3);
        f.Run(QStringLiteral("ListDown"));
        const QStringList afterMove = f.e().CommandTextsInOrder();
        f.e().List().Remove(10);
        QCOMPARE(f.e().History().UndoName(), ListHistory::kUnnamedStep);
        f.Run(QStringLiteral("ListDown"));
        QCOMPARE(f.e().History().StepCount(), 3);
        QVERIFY(f.e().Undo());
        QVERIFY(f.e().Undo());
        QCOMPARE(f.e().CommandTextsInOrder(), afterMove);
    }

    void modifiedFlagFollowsTheSavedState() {
        UndoFixture f;
        Editor& e = f.e();
        f.Select({}, 5);
        f.Run(QStringLiteral("ListDown"));
        f.Run(QStringLiteral("ListDown"));
        QCOMPARE(e.EditFg(), 1);
        QVERIFY(e.Save());
        QCOMPARE(e.EditFg(), 0);
        QVERIFY(e.Undo());
        QCOMPARE(e.EditFg(), 1);
        QVERIFY(e.Undo());
        QCOMPARE(e.EditFg(), 1);  // the opened state is no longer the saved one
        QVERIFY(e.Redo());
        QVERIFY(e.Redo());
        QCOMPARE(e.EditFg(), 0);
        // A new step after undoing past the saved state puts it out of reach.
        QVERIFY(e.Undo());
        f.Run(QStringLiteral("ListUp"));
        QCOMPARE(e.EditFg(), 1);
        QVERIFY(e.Undo());
        QCOMPARE(e.EditFg(), 1);
        QVERIFY(e.Undo());
        QCOMPARE(e.EditFg(), 1);
        QVERIFY(!e.Undo());
    }

    void documentOperationsStartANewHistory_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("editFg");
        QTest::newRow("new") << "MenuFileNew" << 1;
        QTest::newRow("clear") << "MenuFileClear" << 0;
        QTest::newRow("reload") << "MenuFileReLoad" << 0;
        QTest::newRow("open") << "MenuFileOpen" << 0;
    }
    void documentOperationsStartANewHistory() {
        QFETCH(QString, action);
        QFETCH(int, editFg);
        UndoFixture f;
        f.Select({}, 5);
        f.Run(QStringLiteral("CmdCut"));
        QVERIFY(f.e().History().CanUndo());
        f.e().SetFileName(f.e().KelFileName());
        f.prompts().Answer(kAnswerYes);  // discard the unsaved change
        f.Run(action);
        QVERIFY(!f.e().History().CanUndo());
        QVERIFY(!f.e().History().CanRedo());
        QVERIFY(!f.e().Undo());
        QCOMPARE(f.e().EditFg(), editFg);
        // The loaded document is the base of the new history.
        const QStringList loaded = f.e().CommandTextsInOrder();
        if (loaded.isEmpty()) return;
        f.Select({}, 1);
        f.Run(QStringLiteral("ListDown"));
        QVERIFY(f.e().Undo());
        QCOMPARE(f.e().CommandTextsInOrder(), loaded);
        QCOMPARE(f.e().EditFg(), editFg);
    }

    // The store renumbers its slots when its numbers run out; every state the history holds
    // must still read its own texts afterwards.
    void historyAcrossTextStoreCompaction() {
        UndoFixture f;
        Editor& e = f.e();
        e.Texts().SetCapacity(200);
        QList<QStringList> states{e.CommandTextsInOrder()};
        f.Select({}, 3);
        for (int k = 0; k < 8; ++k) {
            f.prompts().Type(QStringLiteral("str=Join(oid,%1)").arg(k));
            f.Run(QStringLiteral("MenuExecLumpInput"));
            states << e.CommandTextsInOrder();
        }
        QVERIFY2(e.Texts().LastTextSlot() < 200, "the store was never compacted");
        const int kept = e.History().StepCount();
        QVERIFY(kept >= 3);
        const int first = int(states.size()) - 1 - kept;
        for (int k = int(states.size()) - 2; k >= first; --k) {
            QVERIFY(e.Undo());
            QCOMPARE(e.CommandTextsInOrder(), states[k]);
        }
        QVERIFY(!e.Undo());
        for (int k = first + 1; k < states.size(); ++k) {
            QVERIFY(e.Redo());
            QCOMPARE(e.CommandTextsInOrder(), states[k]);
        }
    }

    void capDropsTheOldestStepsAndSaysSo() {
        UndoFixture f;
        Editor& e = f.e();
        QSignalSpy notices(&e.History(), &ListHistory::Notice);
        e.History().SetLimits(3, ListHistory::kDefaultMaxBytes);
        f.Select({}, 3);
        QList<QStringList> states{e.CommandTextsInOrder()};
        for (int k = 0; k < 5; ++k) {
            f.Run(QStringLiteral("ListDown"));
            states << e.CommandTextsInOrder();
        }
        QCOMPARE(e.History().StepCount(), 3);
        QCOMPARE(notices.size(), 2);
        QVERIFY(notices[0][0].toString().contains(QStringLiteral("\"Turn Down\"")));
        for (int k = 0; k < 3; ++k) QVERIFY(e.Undo());
        QCOMPARE(e.CommandTextsInOrder(), states[2]);
        QVERIFY(!e.Undo());

        // The memory cap: one lump input over the list is more than the cap allows beside
        // another, but the newest step always stays.
        e.History().SetLimits(100, 1);
        QCOMPARE(e.History().StepCount(), 1);
        f.prompts().Type(QStringLiteral("str=Join(oid,gid)"));
        f.Run(QStringLiteral("MenuExecLumpInput"));
        QCOMPARE(e.History().StepCount(), 1);
        QCOMPARE(e.History().UndoName(), QStringLiteral("Lump Input"));
        QVERIFY(notices.size() >= 4);
    }
};

KEL_TEST(UndoTest);
#include "tst_Undo.moc"
