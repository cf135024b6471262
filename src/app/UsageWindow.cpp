#include "app/UsageWindow.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "editor/Editor.h"
#include "app/KelListWidget.h"

namespace kel {

UsageWindow::UsageWindow(Editor& editor, QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Command Usage"));
    text_ = new QPlainTextEdit(this);
    text_->setObjectName(QStringLiteral("UsageText"));
    text_->setAccessibleName(QStringLiteral("UsageText"));
    text_->setReadOnly(true);
    text_->setFont(KelListWidget::FixedPitchFont());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(text_);
    const auto show = [this](const QString& text) {
        // The notes use CR LF; the box shows them as plain lines.
        text_->setPlainText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    };
    show(editor.UsageText());
    connect(&editor, &Editor::UsageTextChanged, this, show);
    resize(640, 480);
}

void UsageWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    Q_EMIT Hidden();
}

}  // namespace kel
