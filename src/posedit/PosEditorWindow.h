// The position editor's window ("EditPos" / "GetPos"): the point list, the latitude and
// longitude boxes, the kind and arrow labels, the mode buttons, the switches, the action
// buttons and the File and Edit menus. Every control carries its name as object name and
// runs the editor's operation of that name; the window shows the editor's state and does
// not block the main window. It opens where it was last placed.
#pragma once

#include <QMainWindow>
#include <QPoint>
#include <functional>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace kel {

class PosEditor;

class PosEditorWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit PosEditorWindow(PosEditor& editor, QWidget* parent = nullptr);

    // Where the window goes when it opens (the saved place; (-1, -1): not placed yet), and
    // where it is told to have gone when it moves or closes.
    std::function<QPoint()> savedPosition;
    std::function<void(QPoint)> positionChanged;

    // Shows the editor's state.
    void Refresh();

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildMenus();
    QWidget* BuildCentre();
    void ShowOpened();
    void Run(const QString& name);

    PosEditor& editor_;
    QListWidget* posList_ = nullptr;
    QLineEdit* posListStr_ = nullptr;
    QLineEdit* curIdo_ = nullptr;
    QLineEdit* curKei_ = nullptr;
    QLabel* kelCmd_ = nullptr;
    QLabel* arrowStr_ = nullptr;
    QLabel* label3_ = nullptr;
    QButtonGroup* modes_ = nullptr;
    QRadioButton* add_ = nullptr;
    QRadioButton* move_ = nullptr;
    QRadioButton* insert_ = nullptr;
    QRadioButton* search_ = nullptr;
    QCheckBox* referPos_ = nullptr;
    QCheckBox* dispNum_ = nullptr;
    QCheckBox* dispFigureFg_ = nullptr;
    QPushButton* refreshPos_ = nullptr;
    QLineEdit* calcResult_ = nullptr;
    bool refreshing_ = false;
};

}  // namespace kel
