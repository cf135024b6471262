#include "TestMain.h"
#include "app/EditorSession.h"
#include "formula/FormulaActions.h"
#include "geo/FigureDisplay.h"
#include "platform/Platform.h"
#include "script/StatementWriter.h"

using namespace kel;

namespace {
struct SessionFixture {
    PlatformDoubles platform;
    RecordingFigureDisplay figures;
    EditorSession session{MakeEditorServices(platform, &figures)};
};
}  // namespace

class SessionTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everySubsystemAnswersItsMenuItems() {
        SessionFixture f;
        const QStringList names = f.session.editor().ActionNames();
        for (const char* name :
             {"MenuFileOpen", "CmdCopy", "AddCmd", "MenuEditSearchNext", "MenuExecLumpInput",
              "MenuExecFindInterior", "MenuExecSpatialFg", "KelEditFigureMove",
              "MenuFileImportWpt", "MenuExecCalculate2DRMS"})
            QVERIFY2(names.contains(QLatin1String(name)), name);
    }

    void loadingSearchesDispWithoutLosingTheUsersCondition() {
        SessionFixture f;
        f.session.formulaOps().conditions.SetLastSearchCondition(QStringLiteral("oid=7"));
        f.session.editor().New();
        QCOMPARE(f.session.editor().List().Current(), 2);
        QCOMPARE(f.session.formulaOps().conditions.LastSearchCondition(), QStringLiteral("oid=7"));
    }

    void formulasReachTheListAndTheMeasures() {
        SessionFixture f;
        Editor& e = f.session.editor();
        e.New();
        Slots s;
        s[1] = QStringLiteral("5");
        s[3] = QStringLiteral("35/00/00.0,135/00/00.0");
        s[4] = QStringLiteral("1KM");
        e.List().Insert(2, e.NewListLine(BuildStatement(QStringLiteral("circle"), s).text, 0));
        QCOMPARE(f.session.formulas().EvaluateFormula(f.session.formulas().LineContext(2),
                                                      QStringLiteral("CmdNum(Figure)")),
                 QStringLiteral("1"));
        // The circle's own radius, whatever the parameter editor holds.
        e.ClickLine(0);
        const QString area = f.session.formulas().EvaluateFormula(
            f.session.formulas().LineContext(2), QStringLiteral("Areas"));
        QVERIFY2(area.startsWith(QStringLiteral("3.14")), qPrintable(area));
    }

    void figureResultGoesToTheResultBox() {
        SessionFixture f;
        Editor& e = f.session.editor();
        e.New();
        Slots s;
        s[3] = QStringLiteral("35/00/00.0,135/00/00.0,35/00/01.0,135/00/00.0");
        e.List().Insert(2, e.NewListLine(BuildStatement(QStringLiteral("line"), s).text, 0));
        e.ClickLine(2);
        QVERIFY(e.RunAction(QStringLiteral("MenuExecCalculate2DRMS")));
        QVERIFY(f.session.formulas().CalcResult().contains(QStringLiteral(" m (")));
    }
};

KEL_TEST(SessionTest);
#include "tst_Session.moc"
