#include "app/ParamPanelWidget.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QComboBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "editor/Editor.h"
#include "app/KelListWidget.h"
#include "formula/FormulaEngine.h"
#include "list/ValuePickers.h"

namespace kel {

namespace {

QPushButton* NamedPanelButton(const QString& name, const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAccessibleName(caption.isEmpty() ? name : caption);
    return b;
}

QColor PanelColourOfValue(int rgb) { return QColor(rgb & 0xff, (rgb >> 8) & 0xff, (rgb >> 16) & 0xff); }

// The colour of a "r,g,b" text, invalid when it is not one.
QColor ColourOf(const QString& text) {
    if (!ColourTextProblem(text).isEmpty()) return QColor();
    return PanelColourOfValue(RgbFromText(text));
}

// A value box's palette: the window's own, or the picked colour with a text colour that
// stays readable on it.
QPalette ValuePalette(const QPalette& base, int background) {
    if (background == ParamRow::kWindowBackground) return base;
    QPalette p = base;
    const QColor c = PanelColourOfValue(background);
    p.setColor(QPalette::Base, c);
    // Perceived brightness: pure blue or red are dark grounds, yellow and cyan light ones.
    const int brightness = (299 * c.red() + 587 * c.green() + 114 * c.blue()) / 1000;
    p.setColor(QPalette::Text, brightness < 128 ? QColor(Qt::white) : QColor(Qt::black));
    return p;
}

}  // namespace

ParamPanelWidget::ParamPanelWidget(Editor& editor, FormulaEngine& formulas, QWidget* parent)
    : QWidget(parent), editor_(editor) {
    setObjectName(QStringLiteral("ParamPanel"));
    const QFont fixed = KelListWidget::FixedPitchFont();

    auto* top = new QHBoxLayout;
    curKelCmd_ = NamedPanelButton(QStringLiteral("CurKelCmd"), QStringLiteral("Command Name"), this);
    curKelCmd_->setVisible(false);
    kelListN_ = new QCheckBox(this);
    kelListN_->setObjectName(QStringLiteral("KelListN"));
    kelListN_->setVisible(false);  // a state holder, not an input
    disp_ = NamedPanelButton(QStringLiteral("Disp"), QStringLiteral("Disp"), this);
    disp_->setVisible(false);
    calc_ = NamedPanelButton(QStringLiteral("Calc"), QStringLiteral("Calc"), this);
    calc_->setVisible(false);
    calcResult_ = new QLineEdit(this);
    calcResult_->setObjectName(QStringLiteral("CalcResult"));
    calcResult_->setAccessibleName(QStringLiteral("CalcResult"));
    calcResult_->setReadOnly(true);
    calcResult_->setFont(fixed);
    calcResult_->setVisible(false);
    top->addWidget(curKelCmd_, 2);
    top->addWidget(disp_);
    top->addWidget(calc_);
    top->addWidget(calcResult_, 3);

    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(2);
    for (int r = 0; r < kSlotCount; ++r) {
        Row& row = rows_[size_t(r)];
        row.label = new QLabel(this);
        row.label->setObjectName(QStringLiteral("KelS%1").arg(r));
        row.value = new QLineEdit(this);
        row.value->setObjectName(QStringLiteral("Par%1").arg(r));
        row.value->setFont(fixed);
        row.value->setMinimumWidth(QFontMetrics(fixed).horizontalAdvance(QString(24, QLatin1Char('0'))));
        row.edit = NamedPanelButton(QStringLiteral("EditPar%1").arg(r), QStringLiteral("Edit"), this);
        row.label->setBuddy(row.value);
        grid->addWidget(row.label, r, 0);
        grid->addWidget(row.value, r, 1);
        grid->addWidget(row.edit, r, 2);
        // Typing marks the entry edited; Enter applies the edits.
        connect(row.value, &QLineEdit::textEdited, this,
                [this, r](const QString& text) { editor_.SetParValue(r + 1, text); });
        connect(row.value, &QLineEdit::returnPressed, this,
                [this] { Q_EMIT ActionRequested(QStringLiteral("CurKelCmd")); });
        connect(row.edit, &QPushButton::clicked, this, [this, r] { Q_EMIT PickerRequested(r); });
        row.value->installEventFilter(this);
    }
    grid->setColumnStretch(1, 1);

    // Not in a layout: it is placed over the value box of its row.
    parList_ = new QComboBox(this);
    parList_->setObjectName(QStringLiteral("ParList"));
    parList_->setAccessibleName(QStringLiteral("ParList"));
    parList_->setFont(fixed);
    parList_->setVisible(false);
    parList_->installEventFilter(this);
    connect(parList_, &QComboBox::activated, this,
            [this](int index) { Q_EMIT ParListChosen(parList_->itemText(index)); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top);
    layout->addLayout(grid);
    layout->addStretch(1);

    for (QPushButton* b : {curKelCmd_, disp_, calc_})
        connect(b, &QPushButton::clicked, this,
                [this, b] { Q_EMIT ActionRequested(b->objectName()); });
    connect(&editor, &Editor::ParamsChanged, this, &ParamPanelWidget::Refresh);
    connect(&formulas, &FormulaEngine::CalcResultChanged, calcResult_, &QLineEdit::setText);
    Refresh();
}

void ParamPanelWidget::Refresh() {
    const ParamEditorState& s = editor_.Params();
    curKelCmd_->setText(s.curKelCmdCaption);
    curKelCmd_->setVisible(s.curKelCmdVisible);
    kelListN_->setText(s.kelListNCaption);
    kelListN_->setChecked(s.kelListNValue == 1);
    disp_->setVisible(s.dispVisible);
    calc_->setVisible(s.calcVisible);
    calcResult_->setVisible(s.calcVisible);
    for (int r = 0; r < kSlotCount; ++r) {
        const ParamRow& data = s.rows[size_t(r)];
        Row& row = rows_[size_t(r)];
        row.label->setText(data.label);
        const QColor colour = ColourOf(data.labelColour);
        row.label->setStyleSheet(colour.isValid()
                                     ? QStringLiteral("color: %1").arg(colour.name())
                                     : QString());
        // Only a changed text is put back, so the cursor of the box being typed in stays.
        if (row.value->text() != data.value) row.value->setText(data.value);
        row.value->setAccessibleName(data.label.isEmpty() ? row.value->objectName() : data.label);
        row.label->setVisible(data.visible);
        row.value->setVisible(data.visible);
        row.edit->setVisible(data.visible && data.editButton);
        row.value->setPalette(ValuePalette(palette(), data.background));
    }
    RefreshParList();
}

void ParamPanelWidget::RefreshParList() {
    const ParamEditorState& s = editor_.Params();
    if (!s.parListVisible || s.activeParSlot < 1 || s.activeParSlot > kSlotCount) {
        parList_->hide();
        return;
    }
    QStringList shown;
    for (int k = 0; k < parList_->count(); ++k) shown << parList_->itemText(k);
    if (shown != s.parListItems) {
        parList_->clear();
        parList_->addItems(s.parListItems);
    }
    // A value that is none of the items is shown as the list's text all the same.
    parList_->setPlaceholderText(s.parListText);
    parList_->setCurrentIndex(int(s.parListItems.indexOf(s.parListText)));
    PlaceParList();
    if (!parList_->isVisible()) {
        parList_->show();
        parList_->raise();
        parList_->setFocus();
    }
}

void ParamPanelWidget::PlaceParList() {
    const int slot = editor_.Params().activeParSlot;
    if (slot < 1 || slot > kSlotCount) return;
    parList_->setGeometry(rows_[size_t(slot - 1)].value->geometry());
}

bool ParamPanelWidget::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parList_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Q_EMIT ParListEntered();
            return true;
        }
    } else if ((event->type() == QEvent::Move || event->type() == QEvent::Resize) &&
               parList_->isVisible()) {
        // The layout moved the value boxes: the list follows its row.
        PlaceParList();
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace kel
