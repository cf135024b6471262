#include "app/KelOptionDialog.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kel {

namespace {

QLineEdit* NamedEdit(const char* name, const QString& label, QWidget* parent) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setAccessibleName(label);
    return e;
}

}  // namespace

KelOptionDialog::KelOptionDialog(WptOptions& options, QWidget* parent)
    : QDialog(parent), options_(options) {
    setObjectName(QStringLiteral("KelOption"));
    setWindowTitle(QStringLiteral("Waypoint+<=>Kel Option"));

    auto* kelToWpt = new QGroupBox(QStringLiteral("Kel to Waypoint+"), this);
    auto* form = new QFormLayout(kelToWpt);
    utcOffset_ = NamedEdit("OptUTCOffset", QStringLiteral("UTC Offset"), kelToWpt);
    originName_ = NamedEdit("OptKelWptOrgName", QStringLiteral("Origin Name"), kelToWpt);
    destinationName_ =
        NamedEdit("OptKelWptDestinationName", QStringLiteral("Destination Name"), kelToWpt);
    form->addRow(QStringLiteral("UTC Offset"), utcOffset_);
    form->addRow(QStringLiteral("Origin Name"), originName_);
    form->addRow(QStringLiteral("Destination Name"), destinationName_);
    auto* numbering = new QWidget(kelToWpt);
    auto* nRow = new QHBoxLayout(numbering);
    nRow->setContentsMargins(0, 0, 0, 0);
    up_ = new QRadioButton(QStringLiteral("Up"), numbering);
    up_->setObjectName(QStringLiteral("OptKelWptRPnumberingUp"));
    down_ = new QRadioButton(QStringLiteral("Down"), numbering);
    down_->setObjectName(QStringLiteral("OptKelWptRPnumberingDown"));
    nRow->addWidget(up_);
    nRow->addWidget(down_);
    form->addRow(QStringLiteral("RP numbering"), numbering);

    auto* wptToKel = new QGroupBox(QStringLiteral("Waypoint+(TrackLog) to Kel"), this);
    auto* stepBox = new QVBoxLayout(wptToKel);
    auto* stepLabel = new QLabel(
        QStringLiteral("Step [-4:Line only / -3:Start,End On ,Str Off / -1:Start,End non / "
                       "0:Start,End On / >0:Each]"),
        wptToKel);
    stepLabel->setWordWrap(true);
    step_ = NamedEdit("OptWptTrackLogStep", QStringLiteral("Step"), wptToKel);
    stepLabel->setBuddy(step_);
    stepBox->addWidget(stepLabel);
    stepBox->addWidget(step_);

    auto* update = new QPushButton(QStringLiteral("Update"), this);
    update->setObjectName(QStringLiteral("OptKelWptUpdate"));
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OptKelWptOk"));
    ok->setDefault(true);
    connect(update, &QPushButton::clicked, this, &KelOptionDialog::Update);
    connect(ok, &QPushButton::clicked, this, [this] {
        Update();
        accept();
    });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(update);
    buttons->addWidget(ok);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(kelToWpt);
    layout->addWidget(wptToKel);
    layout->addLayout(buttons);
    Show();
}

void KelOptionDialog::Show() {
    utcOffset_->setText(QString::number(options_.utcOffset));
    originName_->setText(options_.originName);
    destinationName_->setText(options_.destinationName);
    up_->setChecked(options_.rpNumbering != WptOptions::kDown);
    down_->setChecked(options_.rpNumbering == WptOptions::kDown);
    step_->setText(QString::number(options_.trackLogStep));
}

void KelOptionDialog::Update() {
    options_ = WptOptions::FromTexts(utcOffset_->text(), originName_->text(),
                                     destinationName_->text(),
                                     down_->isChecked() ? QStringLiteral("2") : QStringLiteral("1"),
                                     step_->text());
    Show();
}

}  // namespace kel
