#include "app/MainWindow.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTime>
#include <QDockWidget>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "app/AboutDialog.h"
#include "app/CheckFindingsWidget.h"
#include "app/EditorApp.h"
#include "app/KelListWidget.h"
#include "app/KelOptionDialog.h"
#include "app/LegendWindow.h"
#include "app/MapDockWidget.h"
#include "app/MenuMap.h"
#include "app/ParamPanelWidget.h"
#include "app/UsageWindow.h"
#include "check/ScriptCheck.h"
#include "platform/Prompts.h"
#include "posedit/PosEditor.h"
#include "posedit/PosEditorWindow.h"

namespace kel {

namespace {

QPushButton* NamedButton(const QString& name, const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAccessibleName(caption.isEmpty() ? name : caption);
    return b;
}

// A title suffix that is a running count: progress of a long loop.
bool IsProgress(const QString& suffix, QString* count) {
    const QString t = suffix.trimmed();
    bool ok = false;
    t.toLongLong(&ok);
    if (ok) *count = t;
    return ok;
}

// While long work lets the window process its events, only the Cancel button takes user
// input: clicks and keys elsewhere (which could start another operation in the middle of
// this one) are swallowed.
class InputGate : public QObject {
public:
    explicit InputGate(QWidget* open) : open_(open) { qApp->installEventFilter(this); }
    ~InputGate() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Shortcut:
        case QEvent::ShortcutOverride:
        case QEvent::Wheel:
        case QEvent::Drop:
            return watched != open_;
        default:
            return false;
        }
    }

private:
    QWidget* open_;
};

}  // namespace

MainWindow::MainWindow(EditorApp& app, QWidget* parent) : QMainWindow(parent), app_(app) {
    setObjectName(QStringLiteral("Form2"));
    Editor& e = app.editor();
    setWindowTitle(e.Title());

    // Operations that are windows of their own.
    viewActions_.insert(QStringLiteral("MenuFileExit"), [this] { close(); });
    viewActions_.insert(QStringLiteral("Exit"), [this] { close(); });
    viewActions_.insert(QStringLiteral("MenuFileAbout"), [this] { ShowAbout(); });
    viewActions_.insert(QStringLiteral("MenuViewHelp"), [this] { ToggleUsageWindow(); });
    viewActions_.insert(QStringLiteral("MenuFileExportWptOpt"), [this] { ShowOptions(); });
    viewActions_.insert(QStringLiteral("MenuFileCheckScript"), [this] { CheckScript(); });

    BuildMenus();
    AddUndoItems();
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(BuildButtons());
    layout->addWidget(BuildCentre(), 1);
    setCentralWidget(central);

    progressLabel_ = new QLabel(this);
    progressLabel_->setObjectName(QStringLiteral("ProgressLabel"));
    progressBar_ = new QProgressBar(this);
    progressBar_->setObjectName(QStringLiteral("ProgressBar"));
    progressBar_->setRange(0, 0);  // a running count without a known end
    progressBar_->setMaximumWidth(160);
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancel_->setObjectName(QStringLiteral("ProgressCancel"));
    cancel_->setVisible(false);
    statusBar()->addPermanentWidget(progressLabel_);
    statusBar()->addPermanentWidget(progressBar_);
    statusBar()->addPermanentWidget(cancel_);
    progressLabel_->setVisible(false);
    progressBar_->setVisible(false);

    // The findings of "Check Script", docked under the list; activating one makes its
    // command current. A new document makes them stale, so they go.
    findings_ = new CheckFindingsWidget;
    checkDock_ = new QDockWidget(QStringLiteral("Check Script"), this);
    checkDock_->setObjectName(QStringLiteral("CheckDock"));
    checkDock_->setWidget(findings_);
    addDockWidget(Qt::BottomDockWidgetArea, checkDock_);
    checkDock_->hide();
    connect(findings_, &CheckFindingsWidget::FindingActivated, this, [this](int statement) {
        Editor& ed = app_.editor();
        if (!ed.List().IsValidIndex(statement)) return;
        ed.ClickLine(statement);
        RefreshState();
    });
    connect(&e.List(), &KelList::ListReset, findings_, [this] { findings_->SetFindings({}); });

    usage_ = new UsageWindow(e);
    connect(usage_, &UsageWindow::Hidden, this, [this] {
        if (QAction* a = findChild<QAction*>(QStringLiteral("MenuViewHelp")))
            a->setText(kUsageWindowOff);
    });

    // The Snap button clicked with Shift also selects the snapped figure.
    FigureEditState& figureEdit = app.session().figureEdit();
    viewActions_.insert(QStringLiteral("SnapObject"), [this, &figureEdit] {
        const bool shift = QGuiApplication::keyboardModifiers() & Qt::ShiftModifier;
        SnapObjectClick(app_.editor(), figureEdit, shift);
    });

    // The legend stays on top of this window; the Legend button says whether it is open.
    LegendOps& legend = app.session().legend();
    legend_ = new LegendWindow(legend, this);
    connect(&legend, &LegendOps::Changed, this, [this, &legend] {
        if (auto* b = findChild<QPushButton*>(QStringLiteral("Legend"))) b->setText(legend.LegendCaption());
    });

    connect(&e, &Editor::TitleChanged, this, &MainWindow::ShowTitle);
    // Long work: progress with Cancel, the window kept responsive while it runs.
    connect(&e, &Editor::LongWorkChanged, this, &MainWindow::ShowLongWork);
    connect(cancel_, &QPushButton::clicked, this, [&e] { e.RequestCancel(); });
    e.keepResponsive = [this] { KeepResponsive(); };
    connect(&e, &Editor::EditFgChanged, this, [this] { RefreshState(); });
    connect(&e, &Editor::ParamsChanged, this, [this] {
        const ParamEditorState& s = app_.editor().Params();
        const auto enable = [this](const char* name, bool on) {
            if (QAction* a = findChild<QAction*>(QString::fromLatin1(name))) a->setEnabled(on);
        };
        enable("MenuExecSaveCurCmd", s.menuSaveCurCmdEnabled);
        enable("MenuViewSwitch", s.menuViewSwitchEnabled);
        enable("MenuExecCalculate", s.menuCalcEnabled);
        enable("MenuViewSetGroup", s.menuSetGroupEnabled);
        RefreshState();
    });
    connect(&app, &EditorApp::MainWindowPlaced, this, &MainWindow::PlaceAt);
    // The map is a dock of this window, opened at start-up.
    InstallMapDock(app, *this);
    // The position editor: a window of its own beside this one, placed where it was last.
    posEditor_ = new PosEditorWindow(app.session().posEditor(), this);
    posEditor_->savedPosition = [this] { return app_.PosEditorPosition(); };
    posEditor_->positionChanged = [this](QPoint p) { app_.SetPosEditorPosition(p); };
    connect(&app.session().posEditor(), &PosEditor::Closed, this, [this] { RefreshState(); });
    // The counter follows the list once per operation, not once per changed line.
    const auto counter = [this] {
        if (counterPending_) return;
        counterPending_ = true;
        QTimer::singleShot(0, this, [this] {
            counterPending_ = false;
            selectedNum_->setText(app_.editor().SelectedNumText());
        });
    };
    KelList& list = e.List();
    connect(&list, &KelList::SelectionChanged, selectedNum_, counter);
    connect(&list, &KelList::LinesInserted, selectedNum_, counter);
    connect(&list, &KelList::LinesRemoved, selectedNum_, counter);
    connect(&list, &KelList::ListReset, selectedNum_, counter);
    connect(list_, &KelListWidget::LineClicked, this, &MainWindow::RefreshState);

    resize(1000, 680);
    RefreshState();
}

MainWindow::~MainWindow() { delete usage_; }

void MainWindow::BuildMenus() {
    QList<QMenu*> menus;  // the open menu of each depth
    const QList<MenuItemDef>& items = MainMenuItems();
    for (qsizetype k = 0; k < items.size(); ++k) {
        const MenuItemDef& d = items[k];
        const bool submenu = k + 1 < items.size() && items[k + 1].depth > d.depth;
        menus.resize(d.depth);
        if (d.IsSeparator()) {
            menus.back()->addSeparator();
            continue;
        }
        QAction* action = nullptr;
        if (submenu) {
            QMenu* menu = d.depth == 0 ? menuBar()->addMenu(d.caption)
                                       : menus.back()->addMenu(d.caption);
            menu->setObjectName(d.name);
            action = menu->menuAction();
            menus.append(menu);
        } else {
            action = menus.back()->addAction(d.caption);
            const QString name = d.name;
            connect(action, &QAction::triggered, this, [this, name] { RunNamed(name); });
        }
        action->setObjectName(d.name);
        if (!d.shortcut.isEmpty())
            action->setShortcut(QKeySequence(d.shortcut, QKeySequence::PortableText));
        action->setVisible(!d.hidden);
        action->setEnabled(!d.disabled);
    }
}

QWidget* MainWindow::BuildButtons() {
    auto* box = new QWidget(this);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    for (const ButtonDef& d : MainButtons()) {
        if (d.name == QLatin1String("ListUp")) {
            auto* label = new QLabel(QStringLiteral("List Turn"), box);
            label->setObjectName(QStringLiteral("Label1"));
            row->addWidget(label);
        }
        QPushButton* b = NamedButton(d.name, d.caption, box);
        b->setMinimumWidth(b->fontMetrics().horizontalAdvance(d.caption) + 16);
        b->setMaximumWidth(qMax(64, b->minimumWidth()));
        const QString name = d.name;
        connect(b, &QPushButton::clicked, this, [this, name] { RunNamed(name); });
        row->addWidget(b);
    }
    row->addStretch(1);
    return box;
}

QWidget* MainWindow::BuildCentre() {
    Editor& e = app_.editor();
    auto* splitter = new QSplitter(Qt::Horizontal, this);

    auto* left = new QWidget(splitter);
    auto* l = new QVBoxLayout(left);
    l->setContentsMargins(0, 0, 0, 0);
    auto* fileRow = new QHBoxLayout;
    fileName_ = new QLabel(left);
    fileName_->setObjectName(QStringLiteral("LabelFileName"));
    fileName_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    editFg_ = new QCheckBox(QStringLiteral("Edit"), left);
    editFg_->setObjectName(QStringLiteral("EditFg"));
    editFg_->setAccessibleName(QStringLiteral("EditFg"));
    editFg_->setAttribute(Qt::WA_TransparentForMouseEvents);  // shows the modified flag
    editFg_->setFocusPolicy(Qt::NoFocus);
    fileRow->addWidget(fileName_, 1);
    fileRow->addWidget(editFg_);
    l->addLayout(fileRow);

    list_ = new KelListWidget(e, left);
    // "Refr.No" stands above the slot-number column (after name, oid and gid).
    auto* header = new QLabel(QStringLiteral("Refr.No"), left);
    header->setObjectName(QStringLiteral("KelListStr"));
    header->setFont(list_->font());
    header->setIndent(QFontMetrics(list_->font()).horizontalAdvance(QString(26, QLatin1Char('0'))) +
                      list_->frameWidth() + 4);
    l->addWidget(header);
    l->addWidget(list_, 1);

    auto* bottom = new QHBoxLayout;
    selectedNum_ = new QLineEdit(left);
    selectedNum_->setObjectName(QStringLiteral("KelListSelectedNum"));
    selectedNum_->setAccessibleName(QStringLiteral("KelListSelectedNum"));
    selectedNum_->setReadOnly(true);
    selectedNum_->setMinimumWidth(selectedNum_->fontMetrics().horizontalAdvance(QStringLiteral("000000/000000")) + 12);
    selectedNum_->setMaximumWidth(selectedNum_->minimumWidth());
    cmdList_ = new QComboBox(left);
    cmdList_->setObjectName(QStringLiteral("CmdList"));
    cmdList_->setAccessibleName(QStringLiteral("CmdList"));
    cmdList_->setFont(list_->font());
    cmdList_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cmdList_->setMinimumContentsLength(16);
    connect(cmdList_, &QComboBox::activated, this,
            [this](int index) { app_.editor().Library().SetShown(index); });
    QPushButton* addCmd = NamedButton(QStringLiteral("AddCmd"), QStringLiteral("Add"), left);
    QPushButton* get = NamedButton(QStringLiteral("GetDefaultCmd"), QStringLiteral("←Get"), left);
    for (QPushButton* b : {addCmd, get}) {
        const QString name = b->objectName();
        connect(b, &QPushButton::clicked, this, [this, name] { RunNamed(name); });
    }
    bottom->addWidget(selectedNum_);
    bottom->addWidget(cmdList_, 1);
    bottom->addWidget(addCmd);
    bottom->addWidget(get);
    l->addLayout(bottom);

    params_ = new ParamPanelWidget(e, app_.session().formulas(), splitter);
    connect(params_, &ParamPanelWidget::ActionRequested, this, &MainWindow::RunNamed);
    connect(params_, &ParamPanelWidget::PickerRequested, this, &MainWindow::OpenPicker);
    ValuePicker& picker = app_.session().valuePicker();
    connect(params_, &ParamPanelWidget::ParListChosen, this,
            [this, &picker](const QString& item) {
                picker.ParListChoose(item);
                RefreshState();
            });
    connect(params_, &ParamPanelWidget::ParListEntered, this, [this, &picker] {
        picker.ParListEnter();
        RefreshState();
    });

    splitter->addWidget(left);
    splitter->addWidget(params_);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 1);
    // The list needs its 40 columns (and a little for Japanese names); the values get the rest.
    const int listWidth = QFontMetrics(list_->font()).horizontalAdvance(QString(48, QLatin1Char('0'))) +
                          list_->verticalScrollBar()->sizeHint().width() + 16;
    splitter->setSizes({listWidth, 1000 - listWidth});
    return splitter;
}

QString MainWindow::CaptionOf(const QString& name) const {
    if (auto* b = findChild<QPushButton*>(name)) return b->text();
    if (auto* a = findChild<QAction*>(name)) return QString(a->text()).remove(QLatin1Char('&'));
    return name;
}

void MainWindow::NotAvailable(const QString& name) {
    app_.editor().MsgBox2(CaptionOf(name) + QStringLiteral(" is not available yet."), kButtonsOk,
                          CaptionOf(name));
}

void MainWindow::CheckScript() {
    findings_->SetFindings(CheckDocument(app_.editor().CommandTextsInOrder()));
    checkDock_->show();
    checkDock_->raise();
}

void MainWindow::RunNamed(const QString& name) {
    Editor& e = app_.editor();
    // The library drop-down's choice is the entry AddCmd inserts.
    if (name == QLatin1String("AddCmd")) e.Library().SetShown(cmdList_->currentIndex());
    if (const auto it = viewActions_.constFind(name); it != viewActions_.constEnd())
        it.value()();
    else if (!e.RunAction(name))
        NotAvailable(name);
    RefreshState();
}

void MainWindow::OpenPicker(int row) {
    Editor& e = app_.editor();
    if (!e.OpenValuePicker(row)) {
        NotAvailable(QStringLiteral("EditPar%1").arg(row));
        return;
    }
    RefreshState();
}

void MainWindow::RefreshState() {
    Editor& e = app_.editor();
    list_->Flush();
    const QString path = e.KelFileName();
    fileName_->setText(path.isEmpty() ? QString() : QFileInfo(path).fileName());
    fileName_->setToolTip(path);
    editFg_->setChecked(e.EditFg() == 1);
    selectedNum_->setText(e.SelectedNumText());
    // The library drop-down follows the library (stocked entries, a loaded file).
    const QStringList& lines = e.Library().Lines();
    bool same = cmdList_->count() == lines.size();
    for (int i = 0; same && i < lines.size(); ++i) same = cmdList_->itemText(i) == lines[i];
    if (!same) {
        cmdList_->clear();
        cmdList_->addItems(lines);
        // The box is as wide as the panel allows; the open list shows each entry whole.
        int widest = 0;
        const QFontMetrics metrics(cmdList_->font());
        for (const QString& line : lines) widest = std::max(widest, metrics.horizontalAdvance(line));
        cmdList_->view()->setMinimumWidth(std::min(widest + 40, 900));
    }
    if (e.Library().Shown() != cmdList_->currentIndex())
        cmdList_->setCurrentIndex(e.Library().Shown());
    RefreshUndoItems();
}

void MainWindow::AddUndoItems() {
    // Undo and Redo head the EditList menu, with the platform's standard keys where no item
    // of the menu map holds them already.
    auto* menu = findChild<QMenu*>(QStringLiteral("MenuEditKel"));
    if (!menu) return;
    QSet<QString> taken;
    for (const QAction* a : findChildren<QAction*>())
        for (const QKeySequence& k : a->shortcuts()) taken.insert(k.toString());
    const auto free = [&taken](std::initializer_list<const char*> keys) {
        QList<QKeySequence> out;
        for (const char* k : keys)
            if (!taken.contains(QString::fromLatin1(k))) out << QKeySequence(QString::fromLatin1(k));
        return out;
    };
    QAction* first = menu->actions().value(0);
    for (const auto& [name, keys] :
         {std::pair{"MenuEditUndo", free({"Ctrl+Z"})}, std::pair{"MenuEditRedo", free({"Ctrl+Shift+Z", "Ctrl+Y"})}}) {
        auto* a = new QAction(menu);
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcuts(keys);
        const QString n = a->objectName();
        connect(a, &QAction::triggered, this, [this, n] { RunNamed(n); });
        menu->insertAction(first, a);
    }
    menu->insertSeparator(first);
    Editor& e = app_.editor();
    connect(&e.History(), &ListHistory::Changed, this, &MainWindow::RefreshUndoItems);
    // A dropped undo step or a recovery copy that cannot be written is said, never silent.
    const auto notice = [this](const QString& text) { statusBar()->showMessage(text, 15000); };
    connect(&e.History(), &ListHistory::Notice, this, notice);
    connect(&app_.Recovery(), &RecoveryKeeper::Notice, this, notice);
    RefreshUndoItems();
}

void MainWindow::RefreshUndoItems() {
    Editor& e = app_.editor();
    const ListHistory& h = e.History();
    // A value typed and not applied is undone first (it is applied, then taken back).
    const bool typed = e.Params().Loaded() && e.Params().kelListNValue == 1;
    const bool canUndo = typed || h.CanUndo();
    if (QAction* a = findChild<QAction*>(QStringLiteral("MenuEditUndo"))) {
        a->setEnabled(canUndo);
        a->setText(canUndo ? QStringLiteral("Undo ") + (typed ? QStringLiteral("Edit") : h.UndoName())
                           : QStringLiteral("Undo"));
    }
    if (QAction* a = findChild<QAction*>(QStringLiteral("MenuEditRedo"))) {
        const bool canRedo = !typed && h.CanRedo();
        a->setEnabled(canRedo);
        a->setText(canRedo ? QStringLiteral("Redo ") + h.RedoName() : QStringLiteral("Redo"));
    }
}

void MainWindow::AfterStartUp() {
    // The Waypoint+ program is offered only when the settings name one that exists.
    const bool waypoint = app_.WaypointProgramAvailable();
    if (QAction* a = findChild<QAction*>(QStringLiteral("MenuFileWaypointStart")))
        a->setVisible(waypoint);
    if (QWidget* b = findChild<QWidget*>(QStringLiteral("WaypointStart"))) b->setVisible(waypoint);
    list_->setFocus();  // arrow keys walk the list from the start
    RefreshState();
}

void MainWindow::ShowTitle(const QString& title) {
    setWindowTitle(title);
    const QString base = app_.editor().BaseTitle();
    QString count;
    const bool progress = title.startsWith(base) && IsProgress(title.mid(base.size()), &count);
    progressLabel_->setText(progress ? QStringLiteral("処理中 %1").arg(count) : QString());
    progressLabel_->setVisible(progress);
    progressBar_->setVisible(progress);
    if (!progress) return;
    // Long loops run on this thread: let the title and the status bar repaint now and then,
    // without taking user input in the middle of the operation.
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (now - lastProgressPaint_ >= 100) {
        lastProgressPaint_ = now;
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

void MainWindow::ShowLongWork(bool running) {
    cancel_->setVisible(running);
    cancel_->setEnabled(running);
    if (!running) {
        ShowTitle(windowTitle());  // the progress stays only while the title counts
        return;
    }
    progressLabel_->setVisible(true);
    progressBar_->setVisible(true);
}

void MainWindow::KeepResponsive() {
    const InputGate gate(cancel_);
    QCoreApplication::processEvents();
}

void MainWindow::PlaceAt(QPoint topLeft) {
    QList<QRect> screens;
    for (QScreen* s : QGuiApplication::screens()) screens << s->availableGeometry();
    const QScreen* primary = QGuiApplication::primaryScreen();
    const QRect primaryRect = primary ? primary->availableGeometry() : QRect(0, 0, 800, 600);
    move(PlaceOnScreens(topLeft, frameGeometry().size(), screens, primaryRect));
}

void MainWindow::ToggleUsageWindow() {
    QAction* a = findChild<QAction*>(QStringLiteral("MenuViewHelp"));
    if (usage_->isVisible()) {
        usage_->hide();
    } else {
        usage_->show();
        usage_->raise();
        if (a) a->setText(kUsageWindowOn);
    }
}

void MainWindow::ShowAbout() {
    AboutDialog dialog(app_, this);
    dialog.exec();
}

void MainWindow::ShowOptions() {
    KelOptionDialog dialog(app_.session().waypoint().options, this);
    dialog.exec();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // A long operation lets the window repaint while it runs; closing waits until it ends.
    if (progressBar_->isVisible() || cancel_->isVisible()) {
        event->ignore();
        return;
    }
    app_.SetMainWindowPosition(pos(), frameGeometry().height());
    if (!closing_ && !app_.Close()) {
        event->ignore();
        return;
    }
    closing_ = true;
    app_.session().posEditor().Cancel();
    usage_->close();
    event->accept();
}

}  // namespace kel
