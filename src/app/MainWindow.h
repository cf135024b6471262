// The main window ("KEL Script Editor"): the command list, the parameter editor, the
// command library drop-down, the row of command buttons and the four menus. Every menu item
// and button carries its name as object name and runs the editor operation of that name;
// the window itself only shows the editor's state (title and progress, list, counters,
// file name, modified flag) and owns the smaller windows (usage, About, options).
#pragma once

#include <QHash>
#include <QMainWindow>
#include <functional>

class QAction;
class QCheckBox;
class QComboBox;
class QDockWidget;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace kel {

class CheckFindingsWidget;
class EditorApp;
class KelListWidget;
class LegendWindow;
class ParamPanelWidget;
class PosEditorWindow;
class UsageWindow;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(EditorApp& app, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Runs a menu item or button by name, as clicking it does.
    void RunNamed(const QString& name);
    // Shows the editor's state that has no signal of its own (file name, library).
    void RefreshState();
    // Shows what start-up decided (the Waypoint+ item and button).
    void AfterStartUp();
    // Moves the window to `topLeft`, or onto the primary screen when that lies off every
    // screen.
    void PlaceAt(QPoint topLeft);

    // Long work started or ended: its progress and the Cancel button show while it runs.
    void ShowLongWork(bool running);
    // Lets the window repaint and its Cancel button be clicked in the middle of long work.
    void KeepResponsive();

    KelListWidget* List() const { return list_; }
    UsageWindow* Usage() const { return usage_; }
    LegendWindow* Legend() const { return legend_; }
    PosEditorWindow* PosEditorView() const { return posEditor_; }
    QDockWidget* CheckDock() const { return checkDock_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();
    void AddUndoItems();
    void RefreshUndoItems();
    QWidget* BuildButtons();
    QWidget* BuildCentre();
    void ShowTitle(const QString& title);
    void NotAvailable(const QString& name);
    void ToggleUsageWindow();
    void ShowAbout();
    void ShowOptions();
    void CheckScript();
    void OpenPicker(int row);
    QString CaptionOf(const QString& name) const;

    EditorApp& app_;
    KelListWidget* list_ = nullptr;
    ParamPanelWidget* params_ = nullptr;
    QLineEdit* selectedNum_ = nullptr;
    QLabel* fileName_ = nullptr;
    QCheckBox* editFg_ = nullptr;
    QComboBox* cmdList_ = nullptr;
    QLabel* progressLabel_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
    QPushButton* cancel_ = nullptr;
    UsageWindow* usage_ = nullptr;
    LegendWindow* legend_ = nullptr;
    PosEditorWindow* posEditor_ = nullptr;
    QDockWidget* checkDock_ = nullptr;
    CheckFindingsWidget* findings_ = nullptr;
    QHash<QString, std::function<void()>> viewActions_;
    qint64 lastProgressPaint_ = 0;
    bool closing_ = false;
    bool counterPending_ = false;
};

}  // namespace kel
