// The parameter editor of the main window: the current-command button (`CurKelCmd`), the
// sixteen rows of name label (`KelS0`..`KelS15`), value box (`Par0`..`Par15`) and "Edit"
// button (`EditPar0`..`EditPar15`), the figure display and formula buttons (`Disp`,
// `Calc`), the formula result box (`CalcResult`) and the keyword picker `ParList`, which
// lies exactly over the value box of its row while it is open. It shows the editor's
// parameter state and turns typing, Enter and clicks into the editor's operations.
#pragma once

#include <QWidget>
#include <array>

#include "script/Statement.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QComboBox;
class QPushButton;

namespace kel {

class Editor;
class FormulaEngine;

class ParamPanelWidget : public QWidget {
    Q_OBJECT
public:
    ParamPanelWidget(Editor& editor, FormulaEngine& formulas, QWidget* parent = nullptr);

    // Shows the editor's parameter state.
    void Refresh();

Q_SIGNALS:
    // A button whose operation runs by name (CurKelCmd, Calc, Disp).
    void ActionRequested(const QString& name);
    // The "Edit" button of a row (0..15).
    void PickerRequested(int row);
    // `ParList`: an item was chosen; Enter was pressed.
    void ParListChosen(const QString& item);
    void ParListEntered();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void RefreshParList();
    void PlaceParList();

    struct Row {
        QLabel* label = nullptr;
        QLineEdit* value = nullptr;
        QPushButton* edit = nullptr;
    };

    Editor& editor_;
    QPushButton* curKelCmd_ = nullptr;
    QCheckBox* kelListN_ = nullptr;
    QPushButton* disp_ = nullptr;
    QPushButton* calc_ = nullptr;
    QLineEdit* calcResult_ = nullptr;
    QComboBox* parList_ = nullptr;
    std::array<Row, kSlotCount> rows_;
};

}  // namespace kel
