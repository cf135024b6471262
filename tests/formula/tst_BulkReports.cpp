// Group ids from `group` commands, the attribute export and the area and length reports.
#include <QFile>

#include "FormulaFixture.h"
#include "TestMain.h"
#include "common/TextFile.h"
#include "formula/FormulaEngine.h"
#include "geo/EditorMeasure.h"
#include "geo/FigureMeasure.h"
#include "geo/Geometry.h"
#include "platform/Prompts.h"

using namespace kel;
using kel::test::BulkFixture;
using kel::test::Lines;

namespace {

const QStringList kGroups = {
    kel::test::kHeader,
    QStringLiteral("group gid=\"7\" gname=\"str=*駅*\";"),
    QStringLiteral("point oid=\"1\" gid=\"1\" pos=\"35/40/00.0,139/46/00.0\" str=\"東京駅\";"),
    QStringLiteral("point oid=\"2\" gid=\"2\" pos=\"35/40/00.0,139/46/00.0\" str=\"品川\";"),
    QStringLiteral("group gid=\"G123456789\" gname=\"oid=2\";"),
    QStringLiteral("line oid=\"3\" gid=\"3\" pos=\"35/00/00.0,139/00/00.0,35/01/00.0,139/00/00.0\" "
                   "str=\"駅前\";"),
    QStringLiteral("group gid=\"9\";"),
    QStringLiteral("disp all;"),
};
const QString kGidsBefore = QStringLiteral("|7|1|2|G123456789|3|9|");

QByteArray Cp932(const QString& text) {
    QByteArray out;
    EncodeCp932(text, &out);
    return out;
}

}  // namespace

class BulkReportsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The question (title "OK...?") or the message telling what is missing ("Please...").
    void gidByGroup_data() {
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("gids");
        QTest::addColumn<QString>("lastPrompt");
        const QString ask = QStringLiteral("gnameパラメータの検索条件文字列を満たすオブジェクトに[%1]をセットします");
        QTest::newRow("objects matching gname") << 1 << kAnswerYes << "|7|7|2|G123456789|7|9|"
                                                << ask.arg("7");
        QTest::newRow("declined") << 1 << kAnswerNo << kGidsBefore << ask.arg("7");
        QTest::newRow("whole gid, longer than its list column")
            << 4 << kAnswerYes << "|7|1|G123456789|G123456789|3|9|" << ask.arg("G123456789");
        QTest::newRow("current line is no group")
            << 2 << 0 << kGidsBefore
            << "リスト内のgroupコマンドをカレントにして下さい\ngnameパラメータに検索条件文字列をセットしてください";
        QTest::newRow("group without gname")
            << 6 << kAnswerYes << kGidsBefore
            << "groupコマンドの[gname]パラメータに検索条件文字列をセットしてください";
    }
    void gidByGroup() {
        QFETCH(int, current);
        QFETCH(int, answer);
        QFETCH(QString, gids);
        QFETCH(QString, lastPrompt);
        BulkFixture f(kGroups);
        f.editor.ClickLine(current);
        if (answer) f.prompts().Answer(answer);
        QVERIFY(f.editor.RunAction(QStringLiteral("MenuExecSetGroup")));
        QCOMPARE(f.Values(QStringLiteral("gid")), gids);
        const PromptRecord& q = f.prompts().Last();
        const bool question = lastPrompt.startsWith(QLatin1String("gname"));
        QCOMPARE(q.kind, PromptKind::Message);
        QCOMPARE(q.prompt, lastPrompt);
        QCOMPARE(q.title, question ? QStringLiteral("OK...?") : QStringLiteral("Please..."));
        QCOMPARE(q.buttons, question ? kButtonsYesNo : kButtonsOk);
        QCOMPARE(f.prompts().Problems(), QStringList());
        QCOMPARE(f.editor.EditFg(), gids == kGidsBefore ? 0 : 1);
    }

    void gidByAllGroups() {
        BulkFixture f(kGroups);
        f.editor.ClickLine(5);
        f.prompts().Answer(kAnswerYes).Answer(kAnswerYes).Answer(kAnswerYes);
        QVERIFY(f.editor.RunAction(QStringLiteral("MenuExecSetAllGroup")));
        // One question per group in list order; the group without gname is told so.
        QCOMPARE(f.prompts().Asked().size(), 4);
        QCOMPARE(f.Values(QStringLiteral("gid")), QStringLiteral("|7|7|G123456789|G123456789|7|9|"));
        QCOMPARE(f.editor.List().Current(), 5);
        QCOMPARE(f.editor.Params().kelListNCaption, QStringLiteral("5"));
    }

    // A gid is stored as written, even one that reads as a list or names a function.
    void gidTakenAsWritten() {
        for (const QString& gid : {QStringLiteral("A,B"), QStringLiteral("Index")}) {
            BulkFixture f({QStringLiteral("group gid=\"%1\" gname=\"oid=2\";").arg(gid),
                           kGroups[2], kGroups[3]});
            f.editor.ClickLine(0);
            f.prompts().Answer(kAnswerYes);
            f.ops.bulk.SetGidByGroup();
            QCOMPARE(f.Values(QStringLiteral("gid")), gid + QStringLiteral("|1|") + gid);
        }
    }

    void saveAttributes_data() {
        QTest::addColumn<Lines>("selected");
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("existing");  // null: no file there before
        QTest::addColumn<int>("overwrite");     // answer to the overwrite question, 0: none
        QTest::addColumn<bool>("written");
        QTest::addColumn<QString>("content");
        QTest::newRow("formulas on selected lines") << Lines{2, 3} << "oid,Left(str,2)" << QString()
                                                    << 0 << true << "1,東京\r\n2,品川\r\n";
        QTest::newRow("overwrite accepted") << Lines{3} << "oid" << "old" << kAnswerYes << true
                                            << "2\r\n";
        QTest::newRow("overwrite declined") << Lines{3} << "oid" << "old" << kAnswerNo << false
                                            << "old";
        QTest::newRow("empty file needs no question") << Lines{3} << "oid" << "" << 0 << true
                                                      << "2\r\n";
        QTest::newRow("character Shift-JIS cannot hold") << Lines{2} << "Join(str,😀)" << "old"
                                                         << kAnswerYes << false << "old";
    }
    void saveAttributes() {
        QFETCH(Lines, selected);
        QFETCH(QString, list);
        QFETCH(QString, existing);
        QFETCH(int, overwrite);
        QFETCH(bool, written);
        QFETCH(QString, content);
        BulkFixture f(kGroups);
        f.Select(selected);
        const QString path = f.dir.filePath(QStringLiteral("attr.txt"));
        if (!existing.isNull()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(existing.toLatin1());
        }
        f.prompts().ChoosePath(path);
        if (overwrite) f.prompts().Answer(overwrite);
        QCOMPARE(f.ops.bulk.SaveAttributes(list), written);
        QCOMPARE(kel::test::ReadBytes(path), Cp932(content));
        const auto& asked = f.prompts().Asked();
        QCOMPARE(asked.first().kind, PromptKind::SaveFile);
        QCOMPARE(asked.first().title, QStringLiteral("Save Attributes"));
        if (overwrite) {
            QCOMPARE(asked[1].prompt, QStringLiteral("[") + path + QStringLiteral("]は存在します．上書きしますか？"));
            QCOMPARE(asked[1].buttons, kAskOverwrite);
            QCOMPARE(asked[1].title, QStringLiteral("上書き保存"));
        }
        QCOMPARE(f.prompts().Problems(), QStringList());
        // A write that failed for its content is reported.
        if (!written && overwrite == kAnswerYes)
            QVERIFY(asked.last().prompt.contains(QStringLiteral("保存できませんでした")));
        QCOMPARE(f.editor.EditFg(), 0);
    }

    // Without a selection every command is written; a cancelled file dialog writes nothing.
    void saveAttributesOfEveryCommand() {
        BulkFixture f(kGroups);
        const QString path = f.dir.filePath(QStringLiteral("all.txt"));
        const QByteArray all("0\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n");
        f.prompts().ChoosePath(path);
        QVERIFY(f.ops.bulk.SaveAttributes(QStringLiteral("Index")));
        QCOMPARE(kel::test::ReadBytes(path), all);
        f.prompts().Type(QStringLiteral("oid")).ChoosePath(QString());
        QVERIFY(!f.ops.bulk.SaveAttributes(QString()));
        QCOMPARE(kel::test::ReadBytes(path), all);
    }

    // "Selected Objects" measures every figure with its own sizes, whatever command the
    // parameter editor holds; a line adds length only, a point nothing.
    void selectedObjects() {
        BulkFixture f;
        const QString pos = QStringLiteral("35/40/00.0,139/46/00.0");
        const QString linePos = QStringLiteral("35/00/00.0,139/00/00.0,35/03/00.0,139/00/00.0");
        f.SetScript({QStringLiteral("circle oid=\"1\" gid=\"1\" pos=\"%1\" r=\"1KM\";").arg(pos),
                     QStringLiteral("circle oid=\"2\" gid=\"1\" pos=\"%1\" r=\"2KM\";").arg(pos),
                     QStringLiteral("line oid=\"3\" gid=\"1\" pos=\"%1\";").arg(linePos),
                     QStringLiteral("point oid=\"4\" gid=\"1\" pos=\"%1\";").arg(pos),
                     QStringLiteral("circle oid=\"5\" gid=\"1\" pos=\"%1\" r=\"10KM\";").arg(pos),
                     QStringLiteral("disp all;")});
        for (int i : {0, 1, 2, 3, 5}) f.editor.List().SetSelected(i, true);
        f.editor.ClickLine(4);
        QVERIFY(f.editor.RunAction(QStringLiteral("MenuExecCalculateSelected")));
        const AreaLength c1 = MeasureFigure(pos, QStringLiteral("circle"), QStringLiteral("1KM"), {}, {});
        const AreaLength c2 = MeasureFigure(pos, QStringLiteral("circle"), QStringLiteral("2KM"), {}, {});
        const AreaLength l = MeasureFigure(linePos, QStringLiteral("line"), {}, {}, {});
        QVERIFY(l.length_km > 5 && l.area_km2 == 0);
        QCOMPARE(f.engine.CalcResult(), FormatAreaLength(c1.area_km2 + c2.area_km2,
                                                         c1.length_km + c2.length_km + l.length_km));
        QVERIFY(!f.editor.ListClickSuppressed());

        // "Current Object": the loaded command with its value boxes.
        QVERIFY(f.editor.RunAction(QStringLiteral("MenuExecCalculateCurrent")));
        QCOMPARE(f.engine.CalcResult(), CalculateCurrentObject(f.editor));
        QVERIFY(f.engine.CalcResult().contains(QStringLiteral("km^2")));
    }
};

KEL_TEST(BulkReportsTest);
#include "tst_BulkReports.moc"
