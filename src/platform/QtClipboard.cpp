#include "platform/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace kel {

namespace {

QClipboard* SystemClipboard() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr
               ? QGuiApplication::clipboard()
               : nullptr;
}

}  // namespace

QString QtClipboard::Text() const {
    QClipboard* clipboard = SystemClipboard();
    return clipboard ? clipboard->text() : QString();
}

void QtClipboard::SetText(const QString& text) {
    if (QClipboard* clipboard = SystemClipboard()) {
        clipboard->clear();
        clipboard->setText(text);
    }
}

}  // namespace kel
