// The real message and input boxes, driven by key presses, as a user at the keyboard
// would answer them.
#include "TestMain.h"

#include "platform/QtPrompts.h"

#include <QApplication>
#include <QTimer>

namespace kel {

namespace {

// Once a modal dialog is up, types `text` into its focused field and presses `key`.
void AnswerNextDialog(Qt::Key key, const QString& text = QString()) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, key, text] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (dialog == nullptr) return;
        timer->stop();
        timer->deleteLater();
        QWidget* target = dialog->focusWidget() ? dialog->focusWidget() : dialog;
        if (!text.isNull()) {
            QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(target, text);
        }
        QTest::keyClick(target, key);
    });
    timer->start();
}

}  // namespace

class QtPromptsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void MessageBoxKeys_data() {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("answer");
        QTest::newRow("308 Enter is No") << 308 << int(Qt::Key_Return) << kAnswerNo;
        QTest::newRow("4 Enter is Yes") << 4 << int(Qt::Key_Return) << kAnswerYes;
        QTest::newRow("4 Escape is No") << 4 << int(Qt::Key_Escape) << kAnswerNo;
        QTest::newRow("3 Escape is Cancel") << 3 << int(Qt::Key_Escape) << kAnswerCancel;
        QTest::newRow("1 Enter is OK") << 1 << int(Qt::Key_Return) << kAnswerOk;
        QTest::newRow("0 Escape is OK") << 0 << int(Qt::Key_Escape) << kAnswerOk;
    }
    void MessageBoxKeys() {
        QFETCH(int, buttons);
        QFETCH(int, key);
        QFETCH(int, answer);
        QtPrompts prompts;
        AnswerNextDialog(Qt::Key(key));
        QCOMPARE(prompts.Message(QStringLiteral("閉じますか？"), buttons, QStringLiteral("EXIT")), answer);
    }

    void InputBoxTypedAndCancelled() {
        QtPrompts prompts;
        AnswerNextDialog(Qt::Key_Return, QStringLiteral("gid=2"));
        InputAnswer a = prompts.Input(QStringLiteral("p"), QStringLiteral("t"), QStringLiteral("old"));
        QCOMPARE(a.text, QStringLiteral("gid=2"));
        QVERIFY(!a.cancelled);

        AnswerNextDialog(Qt::Key_Escape, QStringLiteral("typed"));
        a = prompts.Input(QStringLiteral("p"), QStringLiteral("t"), QStringLiteral("old"));
        QVERIFY(a.cancelled);
        QVERIFY(a.text.isEmpty());
    }
};

}  // namespace kel

using kel::QtPromptsTest;
KEL_TEST(QtPromptsTest);
#include "QtPromptsTest.moc"
