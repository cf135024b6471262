#include "platform/QtPrompts.h"

#include "platform/FileFilters.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QHash>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace kel {

namespace {

QMessageBox::StandardButton ButtonOf(int answer) {
    switch (answer) {
    case kAnswerOk: return QMessageBox::Ok;
    case kAnswerCancel: return QMessageBox::Cancel;
    case kAnswerAbort: return QMessageBox::Abort;
    case kAnswerRetry: return QMessageBox::Retry;
    case kAnswerIgnore: return QMessageBox::Ignore;
    case kAnswerYes: return QMessageBox::Yes;
    case kAnswerNo: return QMessageBox::No;
    default: return QMessageBox::Ok;
    }
}

QMessageBox::Icon IconOf(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Critical: return QMessageBox::Critical;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::Exclamation: return QMessageBox::Warning;
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

int QtPrompts::Message(const QString& prompt, int buttons, const QString& title) {
    const MessageBoxLayout layout = DecodeMessageButtons(buttons);
    QMessageBox box(IconOf(layout.icon), title, prompt, QMessageBox::NoButton, parent_);
    QHash<QAbstractButton*, int> answerOf;
    QList<QPushButton*> added;
    for (int answer : layout.answers) {
        QPushButton* button = box.addButton(ButtonOf(answer));
        answerOf.insert(button, answer);
        added << button;
    }
    box.setDefaultButton(added.value(layout.defaultIndex, added.front()));
    const int escape = layout.EscapeAnswer();
    if (escape != 0) box.setEscapeButton(added.value(layout.answers.indexOf(escape)));
    box.exec();
    const auto it = answerOf.constFind(box.clickedButton());
    if (it != answerOf.constEnd()) return *it;
    if (escape != 0) return escape;
    return layout.answers.contains(kAnswerNo) ? kAnswerNo : layout.answers.front();
}

InputAnswer QtPrompts::Input(const QString& prompt, const QString& title,
                             const QString& defaultText) {
    QInputDialog dialog(parent_);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    InputAnswer answer;
    if (dialog.exec() == QDialog::Accepted) {
        answer.text = dialog.textValue();
    } else {
        answer.cancelled = true;
    }
    return answer;
}

QString QtPrompts::OpenFileName(const FileDialogRequest& request) {
    QString selected = QtSelectedFilter(request.filter, request.filterIndex);
    return QFileDialog::getOpenFileName(parent_, request.title, request.initialPath,
                                        QtFileFilters(request.filter).join(QStringLiteral(";;")),
                                        &selected);
}

QString QtPrompts::SaveFileName(const FileDialogRequest& request) {
    QString selected = QtSelectedFilter(request.filter, request.filterIndex);
    return QFileDialog::getSaveFileName(parent_, request.title, request.initialPath,
                                        QtFileFilters(request.filter).join(QStringLiteral(";;")),
                                        &selected, QFileDialog::DontConfirmOverwrite);
}

std::optional<RgbColour> QtPrompts::PickColour(const RgbColour& initial, const QString& title) {
    const QColor chosen =
        QColorDialog::getColor(QColor(initial.red, initial.green, initial.blue), parent_, title);
    if (!chosen.isValid()) return std::nullopt;
    return RgbColour{chosen.red(), chosen.green(), chosen.blue()};
}

}  // namespace kel
