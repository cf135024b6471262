#include "app/ParamPanelWidget.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "editor/Editor.h"
#include "app/KelListWidget.h"
#include "formula/FormulaEngine.h"

namespace kel {

namespace {

QPushButton* NamedButton(const QString& name, const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAccessibleName(caption.isEmpty() ? name : caption);
    return b;
}

// The colour of a "r,g,b" text, invalid when it is not one.
QColor ColourOf(const QString& text) {
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 3) return QColor();
    int v[3];
    for (int k = 0; k < 3; ++k) {
        bool ok = false;
        v[k] = parts[k].trimmed().toInt(&ok);
        if (!ok || v[k] < 0 || v[k] > 255) return QColor();
    }
    return QColor(v[0], v[1], v[2]);
}

}  // namespace

ParamPanelWidget::ParamPanelWidget(Editor& editor, FormulaEngine& formulas, QWidget* parent)
    : QWidget(parent), editor_(editor) {
    setObjectName(QStringLiteral("ParamPanel"));
    const QFont fixed = KelListWidget::FixedPitchFont();

    auto* top = new QHBoxLayout;
    curKelCmd_ = NamedButton(QStringLiteral("CurKelCmd"), QStringLiteral("Command Name"), this);
    curKelCmd_->setVisible(false);
    kelListN_ = new QCheckBox(this);
    kelListN_->setObjectName(QStringLiteral("KelListN"));
    kelListN_->setVisible(false);  // a state holder, not an input
    disp_ = NamedButton(QStringLiteral("Disp"), QStringLiteral("Disp"), this);
    disp_->setVisible(false);
    calc_ = NamedButton(QStringLiteral("Calc"), QStringLiteral("Calc"), this);
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
        row.edit = NamedButton(QStringLiteral("EditPar%1").arg(r), QStringLiteral("Edit"), this);
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
    }
    grid->setColumnStretch(1, 1);

    parList_ = new QListWidget(this);
    parList_->setObjectName(QStringLiteral("ParList"));
    parList_->setVisible(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top);
    layout->addLayout(grid);
    layout->addWidget(parList_);
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
    parList_->setVisible(s.parListVisible);
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
    }
}

}  // namespace kel
