// Long formula work: nested ranks stay cheap, and a cancelled bulk operation changes nothing.
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "FormulaFixture.h"
#include "TestMain.h"
#include "common/Values.h"

using namespace kel;
using namespace kel::test;

namespace {

// `levels` Rank calls around "oid", each with fg 1.
QString NestedRank(int levels) {
    QString f = QStringLiteral("oid");
    for (int k = 0; k < levels; ++k) f = QStringLiteral("Rank(%1,1)").arg(f);
    return f;
}

QStringList Points(int n) {
    QStringList script;
    for (int i = 0; i < n; ++i) script << Point(QString::number((i * 7) % n), QStringLiteral("1"),
                                                QStringLiteral("s%1").arg(i));
    return script;
}

}  // namespace

class FormulaCancelTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Each level of nesting used to multiply the work by the number of lines: an inner
    // rank is now computed once per line while the list stays as it is.
    void nestedRankWorkIsBounded() {
        constexpr int n = 20;
        FormulaFixture f(Points(n));
        const qint64 before = f.engine.EvaluationCount();
        // Four levels, an even nesting: the reverse of the plain rank.
        QCOMPARE(Val(f.Eval(0, NestedRank(4))), n + 1 - Val(f.Eval(0, NestedRank(1))));
        QVERIFY2(f.engine.EvaluationCount() - before < 20000,
                 qPrintable(QString::number(f.engine.EvaluationCount() - before)));

        // Distinct values: two ranks by fg 1 turn the order round, so an odd nesting is the
        // plain rank and an even one its reverse; seven levels over 39 lines.
        FormulaFixture g(Points(39));
        for (int i = 0; i < 39; ++i) {
            const double plain = Val(g.Eval(i, NestedRank(1)));
            QCOMPARE(Val(g.Eval(i, NestedRank(7))), plain);
            QCOMPARE(Val(g.Eval(i, NestedRank(2))), 40 - plain);
        }
    }

    // A kept rank is forgotten when a line or the selection changes.
    void nestedRankFollowsChanges() {
        FormulaFixture f({Point("5"), Point("7"), Point("3")});
        const QString twice = NestedRank(2);
        QCOMPARE(f.Eval(0, twice), QStringLiteral("2"));
        f.editor.List().Replace(1, MakeListLine(f.editor.Texts(), Point("1"), 0));
        QCOMPARE(f.Eval(0, twice), QStringLiteral("3"));  // 5 is now the largest: rank 1 of 3
        f.Select({0, 2});
        QCOMPARE(f.Eval(0, twice), QStringLiteral("2"));  // among 5 and 3
    }

    // A bulk operation cancelled while it runs leaves the list, the selection, the current
    // line and the modified flag as they were, and writes no file.
    void cancelledOperationChangesNothing_data() {
        QTest::addColumn<QString>("operation");
        QTest::newRow("bulk input") << "lump";
        QTest::newRow("sort") << "sort";
        QTest::newRow("select by condition") << "select";
        QTest::newRow("search") << "search";
        QTest::newRow("attributes") << "attributes";
        QTest::newRow("calc") << "calc";
    }
    void cancelledOperationChangesNothing() {
        QFETCH(QString, operation);
        BulkFixture f(Points(30));
        // A rank through another line's value is walked plainly: progress at every candidate,
        // so the cancel comes while the second line is worked on.
        const QString slow = QStringLiteral("Rank(IndexRefer(Index,oid),1)");
        f.SetCurrentQuietly(2);
        const QStringList lines = f.editor.List().Lines();
        const QString texts = f.Values(QStringLiteral("str"));
        int titles = 0;
        QObject::connect(&f.editor, &Editor::TitleChanged, &f.editor, [&] {
            if (++titles == 40) f.editor.RequestCancel();
        });
        QSignalSpy work(&f.editor, &Editor::LongWorkChanged);
        QTemporaryDir dir;
        const QString attributes = dir.filePath(QStringLiteral("attr.txt"));
        if (operation == QLatin1String("lump")) {
            f.ops.bulk.LumpInputWithoutPrompt(QStringLiteral("str=") + slow);
        } else if (operation == QLatin1String("sort")) {
            f.ops.bulk.SortLines(slow, 1, false);
        } else if (operation == QLatin1String("select")) {
            f.ops.conditions.SelectByCondition(QStringLiteral("Rank(IndexRefer(Index,oid),1)=1*"));
        } else if (operation == QLatin1String("search")) {
            f.ops.conditions.SetLastSearchCondition(QStringLiteral("Rank(IndexRefer(Index,oid),1)=99"));
            QCOMPARE(f.ops.conditions.SearchNext(), -1);
        } else if (operation == QLatin1String("attributes")) {
            f.prompts().SetDefaultPath(attributes);
            QVERIFY(!f.ops.bulk.SaveAttributes(slow));
        } else {
            f.engine.InputFormula(QStringLiteral("Join(") + slow + QLatin1Char(',') + slow + QLatin1Char(')'), 2);
            QCOMPARE(f.engine.CalcResult(), QString());
        }
        QVERIFY2(titles >= 40, "the operation finished before it could be cancelled");
        QCOMPARE(f.editor.List().Lines(), lines);
        QCOMPARE(f.Values(QStringLiteral("str")), texts);
        QCOMPARE(f.Selected(), Lines{});
        QCOMPARE(f.editor.List().Current(), 2);
        QCOMPARE(f.editor.EditFg(), 0);
        QVERIFY(!QFile::exists(attributes));
        QVERIFY(!f.editor.CancelRequested());
        QVERIFY(work.size() >= 2);
        QCOMPARE(work.first().at(0).toBool(), true);
        QCOMPARE(work.last().at(0).toBool(), false);
        // The next operation runs normally.
        f.ops.bulk.LumpInputWithoutPrompt(QStringLiteral("str=oid"));
        QCOMPARE(GetParamValue(f.editor.CommandTextAt(1), QStringLiteral("str")), QStringLiteral("7"));
        QCOMPARE(f.editor.EditFg(), 1);
    }

    // One formula that walks the list inside its own walks (CmdNum within the names of
    // CmdNum) does the list's length to the power of its nesting, with no progress step of
    // its own; a 151-character formula of this kind ran for minutes. The window still gets
    // its turns, and Cancel stops it with nothing changed.
    void nestedListWalkCanBeCancelled() {
        BulkFixture f(Points(30));
        QString nested = QStringLiteral("point");
        for (int k = 0; k < 4; ++k) nested = QStringLiteral("CmdNum(point=%1)").arg(nested);
        const QStringList lines = f.editor.List().Lines();
        int calls = 0;
        f.editor.keepResponsive = [&] {
            if (++calls == 3) f.editor.RequestCancel();
        };
        f.engine.InputFormula(nested, 2);
        QCOMPARE(calls, 3);
        QCOMPARE(f.engine.CalcResult(), QString());
        QCOMPARE(f.editor.List().Lines(), lines);
        QVERIFY(!f.editor.CancelRequested());
        f.engine.InputFormula(QStringLiteral("CmdNum(point)"), 2);
        QCOMPARE(f.engine.CalcResult(), QStringLiteral("30"));
    }

    // The window stays responsive: its hook runs during long work, a few times a second.
    void longWorkKeepsWindowResponsive() {
        BulkFixture f(Points(200));
        int calls = 0;
        f.editor.keepResponsive = [&] { ++calls; };
        f.ops.bulk.LumpInputWithoutPrompt(QStringLiteral("str=Rank(IndexRefer(Index,oid),1)"));
        QVERIFY(calls >= 1);
        QCOMPARE(GetParamValue(f.editor.CommandTextAt(0), QStringLiteral("str")), QStringLiteral("200"));
    }
};

KEL_TEST(FormulaCancelTest);
#include "tst_FormulaCancel.moc"
