// Message box codes and the scripted prompts double.
#include "TestMain.h"

#include "platform/Prompts.h"
#include "platform/ScriptedPrompts.h"

namespace kel {

class PromptsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void DecodesButtonCodes_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<int>("defaultAnswer");
        QTest::addColumn<int>("icon");
        QTest::addColumn<int>("escape");
        using I = MessageIcon;
        QTest::newRow("0 OK") << 0 << QList<int>{1} << 1 << int(I::None) << 1;
        QTest::newRow("1 OK/Cancel") << 1 << QList<int>{1, 2} << 1 << int(I::None) << 2;
        QTest::newRow("3 Yes/No/Cancel") << 3 << QList<int>{6, 7, 2} << 6 << int(I::None) << 2;
        QTest::newRow("4 Yes/No") << 4 << QList<int>{6, 7} << 6 << int(I::None) << 0;
        QTest::newRow("17 OK/Cancel critical")
            << 16 + 1 << QList<int>{1, 2} << 1 << int(I::Critical) << 2;
        QTest::newRow("64 information") << 64 << QList<int>{1} << 1 << int(I::Information) << 1;
        QTest::newRow("292 overwrite") << 292 << QList<int>{6, 7} << 7 << int(I::Question) << 0;
        QTest::newRow("308 lose work") << 308 << QList<int>{6, 7} << 7 << int(I::Exclamation) << 0;
        QTest::newRow("515 third default") << 512 + 3 << QList<int>{6, 7, 2} << 2 << int(I::None) << 2;
        QTest::newRow("256 on a lone OK") << 256 << QList<int>{1} << 1 << int(I::None) << 1;
        QTest::newRow("unknown digit") << 9 << QList<int>{1} << 1 << int(I::None) << 1;
    }
    void DecodesButtonCodes() {
        QFETCH(int, code);
        QFETCH(QList<int>, answers);
        QFETCH(int, defaultAnswer);
        QFETCH(int, icon);
        QFETCH(int, escape);
        const MessageBoxLayout layout = DecodeMessageButtons(code);
        QCOMPARE(layout.answers, answers);
        QCOMPARE(layout.DefaultAnswer(), defaultAnswer);
        QCOMPARE(int(layout.icon), icon);
        QCOMPARE(layout.EscapeAnswer(), escape);

        // An unscripted question is answered as if Enter were pressed.
        ScriptedPrompts prompts;
        QCOMPARE(prompts.Message(QStringLiteral("?"), code, QStringLiteral("t")), defaultAnswer);
        QVERIFY(prompts.Last().unscripted);
    }

    void RecordsQuestionsAndAnswersInOrder() {
        ScriptedPrompts prompts;
        prompts.Answer(kAnswerYes).Type(QStringLiteral("oid=3")).ChoosePath(QStringLiteral("/d/a.KEL"));
        const QString lose = QStringLiteral("現在のファイルは変更されています．このまま破棄してOpenしますか？");
        QCOMPARE(prompts.Message(lose, 308, QStringLiteral("Caution")), kAnswerYes);
        const InputAnswer typed = prompts.Input(QStringLiteral("計算式を入力してください"),
                                                QStringLiteral("Input Formula"), QStringLiteral("1+1"));
        QCOMPARE(typed.text, QStringLiteral("oid=3"));
        QVERIFY(!typed.cancelled);
        const QString filter = QStringLiteral("すべてのファイル (*.*)|*.*|マップサーバスクリプトファイル (*.KEL)|*.KEL|");
        QCOMPARE(prompts.SaveFileName({QStringLiteral("Save As"), filter, 2, QStringLiteral("/d/old.KEL")}),
                 QStringLiteral("/d/a.KEL"));
        QCOMPARE(prompts.PendingAnswers(), 0);

        const QList<PromptRecord>& asked = prompts.Asked();
        QCOMPARE(asked.size(), 3);
        QCOMPARE(asked[0].kind, PromptKind::Message);
        QCOMPARE(asked[0].prompt, lose);
        QCOMPARE(asked[0].buttons, 308);
        QCOMPARE(asked[0].title, QStringLiteral("Caution"));
        QCOMPARE(asked[0].answer, QStringLiteral("6"));
        QCOMPARE(asked[1].kind, PromptKind::Input);
        QCOMPARE(asked[1].defaultText, QStringLiteral("1+1"));
        QCOMPARE(asked[2].kind, PromptKind::SaveFile);
        QCOMPARE(asked[2].filter, filter);
        QCOMPARE(asked[2].filterIndex, 2);
        QCOMPARE(asked[2].defaultText, QStringLiteral("/d/old.KEL"));
        QCOMPARE(prompts.UnscriptedCount(), 0);
        QVERIFY(prompts.Problems().isEmpty());
    }

    // A question the script did not expect leaves the scripted answer for the question it
    // was meant for. Yes scripted for an OK box cannot be the real answer: it is used up,
    // reported, and the box's own answer is given instead.
    void MismatchedScriptsAreReported() {
        ScriptedPrompts prompts;
        prompts.Type(QStringLiteral("x")).Answer(kAnswerYes).Answer(kAnswerNo);
        QCOMPARE(prompts.Input(QStringLiteral("p"), QStringLiteral("t"), QString()).text, QStringLiteral("x"));
        QVERIFY(!prompts.Last().unscripted);
        QCOMPARE(prompts.Input(QStringLiteral("p"), QStringLiteral("t"), QString()).text, QString());
        QVERIFY(prompts.Last().unscripted);
        QCOMPARE(prompts.UnscriptedCount(), 1);
        QCOMPARE(prompts.Message(QStringLiteral("KELファイルではありません"), 0, QStringLiteral("NotKel")),
                 kAnswerOk);
        QCOMPARE(prompts.Problems().size(), 1);
        QVERIFY(prompts.Problems().front().contains(QStringLiteral("NotKel")));
        QCOMPARE(prompts.Message(QStringLiteral("q"), 4, QStringLiteral("t")), kAnswerNo);
    }

    void CancelsAndConfiguredDefaults() {
        ScriptedPrompts prompts;
        prompts.CancelInput().ChoosePath(QString()).CancelColour().ChooseColour({255, 0, 7});
        InputAnswer a = prompts.Input(QStringLiteral("p"), QStringLiteral("t"), QStringLiteral("d"));
        QVERIFY(a.cancelled);
        QVERIFY(a.text.isEmpty());
        QVERIFY(prompts.OpenFileName({}).isEmpty());
        QVERIFY(prompts.Last().cancelled);
        QVERIFY(!prompts.PickColour({1, 2, 3}, QString()).has_value());
        QCOMPARE(prompts.PickColour({1, 2, 3}, QString()), std::optional<RgbColour>(RgbColour{255, 0, 7}));

        // Unscripted: input cancels, dialogs cancel, unless told otherwise.
        QVERIFY(prompts.Input(QStringLiteral("p"), QStringLiteral("t"), QStringLiteral("d")).cancelled);
        QVERIFY(prompts.SaveFileName({}).isEmpty());
        prompts.SetDefaultInput(QStringLiteral("z"));
        prompts.SetDefaultPath(QStringLiteral("/x.kel"));
        prompts.SetDefaultMessageAnswer(kAnswerYes);
        a = prompts.Input(QStringLiteral("p"), QStringLiteral("t"), QStringLiteral("d"));
        QCOMPARE(a.text, QStringLiteral("z"));
        QVERIFY(!a.cancelled);
        QCOMPARE(prompts.OpenFileName({}), QStringLiteral("/x.kel"));
        QCOMPARE(prompts.Message(QStringLiteral("q"), 308, QStringLiteral("t")), kAnswerYes);
        QCOMPARE(prompts.UnscriptedCount(), 5);
    }
};

}  // namespace kel

using kel::PromptsTest;
KEL_TEST(PromptsTest);
#include "PromptsTest.moc"
