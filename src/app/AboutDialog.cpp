#include "app/AboutDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

#include "app/EditorApp.h"
#include "app/MenuMap.h"

namespace kel {

QString AboutDialog::AboutText(const EditorApp& app) {
    return QStringLiteral("%1\nKelEditor %2\n\nQt %3 (built with %4)\n\nSettings: %5\n"
                          "Definition file: %6\n\nSettings folder variable: %7")
        .arg(kMainWindowTitle, QStringLiteral(KEL_VERSION), QString::fromLatin1(qVersion()),
             QStringLiteral(QT_VERSION_STR), app.IniPath(), app.DefinitionFilePath(),
             QString::fromLatin1(kSettingsDirVariable));
}

AboutDialog::AboutDialog(const EditorApp& app, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutDialog"));
    setWindowTitle(QStringLiteral("About KelEditor"));
    auto* text = new QLabel(AboutText(app), this);
    text->setObjectName(QStringLiteral("AboutText"));
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(buttons);
}

}  // namespace kel
