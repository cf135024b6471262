#include "posedit/PosEditorWindow.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

#include "posedit/PosEditor.h"

namespace kel {

namespace {

template <typename T>
T* Named(T* w, const QString& name, const QString& accessible) {
    w->setObjectName(name);
    w->setAccessibleName(accessible.isEmpty() ? name : accessible);
    return w;
}

// Where a window saved at `topLeft` goes: there when its title bar meets a screen, else the
// top left of the primary screen.
QPoint OnScreen(QPoint topLeft, QSize size) {
    for (QScreen* s : QGuiApplication::screens())
        if (s->availableGeometry().intersects(QRect(topLeft, QSize(size.width(), 24)))) return topLeft;
    const QScreen* primary = QGuiApplication::primaryScreen();
    return primary ? primary->availableGeometry().topLeft() + QPoint(40, 40) : QPoint(40, 40);
}

}  // namespace

PosEditorWindow::PosEditorWindow(PosEditor& editor, QWidget* parent)
    : QMainWindow(parent, Qt::Window), editor_(editor) {
    setObjectName(QStringLiteral("Form3"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    BuildMenus();
    setCentralWidget(BuildCentre());
    connect(&editor_, &PosEditor::Changed, this, &PosEditorWindow::Refresh);
    connect(&editor_, &PosEditor::Opened, this, &PosEditorWindow::ShowOpened);
    connect(&editor_, &PosEditor::Closed, this, [this] {
        if (positionChanged && isVisible()) positionChanged(pos());
        hide();
    });
    Refresh();
}

void PosEditorWindow::BuildMenus() {
    const auto addMenu = [this](const QString& name, const QString& caption,
                                const std::vector<PosMenuItem>& items) {
        QMenu* menu = menuBar()->addMenu(caption);
        menu->setObjectName(name);
        for (const PosMenuItem& item : items) {
            QAction* a = menu->addAction(item.caption);
            a->setObjectName(item.name);
            const QString n = item.name;
            connect(a, &QAction::triggered, this, [this, n] { Run(n); });
        }
    };
    addMenu(QStringLiteral("MenuFile"), QStringLiteral("File(&F)"), PosEditorFileMenu());
    addMenu(QStringLiteral("MenuEdit"), QStringLiteral("Edit(&E)"), PosEditorEditMenu());
    if (QAction* a = findChild<QAction*>(QStringLiteral("MenuEditAction")))
        a->setShortcut(QKeySequence(Qt::Key_F5));
}

QWidget* PosEditorWindow::BuildCentre() {
    auto* centre = new QWidget(this);
    auto* layout = new QVBoxLayout(centre);
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);

    auto* kindRow = new QHBoxLayout;
    kelCmd_ = Named(new QLabel(centre), QStringLiteral("KelCmd"), QStringLiteral("Command"));
    kelCmd_->setFrameShape(QFrame::Panel);
    kelCmd_->setFrameShadow(QFrame::Sunken);
    kelCmd_->setMinimumWidth(kelCmd_->fontMetrics().horizontalAdvance(QStringLiteral("circle2")) + 16);
    kelCmd_->setToolTip(QStringLiteral("GetPos: click to change the figure kind"));
    kelCmd_->installEventFilter(this);
    label3_ = Named(new QLabel(QStringLiteral("Arrow"), centre), QStringLiteral("Label3"), QString());
    arrowStr_ = Named(new QLabel(centre), QStringLiteral("ArrowStr"), QStringLiteral("Arrow"));
    arrowStr_->setFrameShape(QFrame::Panel);
    arrowStr_->setFrameShadow(QFrame::Sunken);
    arrowStr_->setMinimumWidth(arrowStr_->fontMetrics().horizontalAdvance(QStringLiteral("<>")) + 16);
    arrowStr_->setToolTip(QStringLiteral("Click to change the arrow"));
    arrowStr_->installEventFilter(this);
    kindRow->addWidget(kelCmd_);
    kindRow->addStretch(1);
    kindRow->addWidget(label3_);
    kindRow->addWidget(arrowStr_);
    layout->addLayout(kindRow);

    auto* coords = new QGridLayout;
    curIdo_ = Named(new QLineEdit(centre), QStringLiteral("CurIdo"), QStringLiteral("Latitude"));
    curKei_ = Named(new QLineEdit(centre), QStringLiteral("CurKei"), QStringLiteral("Longitude"));
    for (QLineEdit* box : {curIdo_, curKei_})
        box->setToolTip(QStringLiteral("Type a position (35/30/12.3) and press Enter to act at it"));
    coords->addWidget(new QLabel(QStringLiteral("Latitude"), centre), 0, 0);
    coords->addWidget(curIdo_, 0, 1);
    coords->addWidget(new QLabel(QStringLiteral("Longitude"), centre), 1, 0);
    coords->addWidget(curKei_, 1, 1);
    connect(curIdo_, &QLineEdit::textEdited, this, [this](const QString& t) { editor_.SetCurIdo(t); });
    connect(curKei_, &QLineEdit::textEdited, this, [this](const QString& t) { editor_.SetCurKei(t); });
    // Enter takes the typed position as the action's point.
    for (QLineEdit* box : {curIdo_, curKei_})
        connect(box, &QLineEdit::returnPressed, this, [this] {
            editor_.EnterTyped();
            Refresh();
        });
    layout->addLayout(coords);

    auto* modeRow = new QHBoxLayout;
    modes_ = new QButtonGroup(centre);
    const auto mode = [&](QRadioButton*& b, const char* name, const char* caption, PosMode m) {
        b = Named(new QRadioButton(QString::fromLatin1(caption), centre), QString::fromLatin1(name),
                  QString::fromLatin1(caption));
        modes_->addButton(b);
        modeRow->addWidget(b);
        connect(b, &QRadioButton::clicked, this, [this, m] {
            if (!refreshing_) editor_.SetMode(m);
        });
    };
    mode(add_, "AddPos", "Add", PosMode::kAdd);
    mode(move_, "MovePos", "Mov", PosMode::kMove);
    mode(insert_, "InsertPos", "Ins", PosMode::kInsert);
    mode(search_, "SnapPos", "Srch", PosMode::kSearch);
    layout->addLayout(modeRow);

    auto* switchRow = new QHBoxLayout;
    const auto check = [&](QCheckBox*& c, const char* name, const char* caption) {
        c = Named(new QCheckBox(QString::fromLatin1(caption), centre), QString::fromLatin1(name),
                  QString::fromLatin1(caption));
        switchRow->addWidget(c);
        const QString n = QString::fromLatin1(name);
        connect(c, &QCheckBox::clicked, this, [this, n] {
            if (!refreshing_) Run(n);
        });
    };
    check(referPos_, "ReferPos", "Snp");
    check(dispNum_, "DispNum", "Num");
    check(dispFigureFg_, "DispFigureFg", "Figs");
    layout->addLayout(switchRow);

    auto* buttons = new QGridLayout;
    const auto button = [&](const char* name, const char* caption, int row, int col) {
        auto* b = Named(new QPushButton(QString::fromUtf8(caption), centre), QString::fromLatin1(name),
                        QString::fromUtf8(caption));
        const QString n = QString::fromLatin1(name);
        connect(b, &QPushButton::clicked, this, [this, n] { Run(n); });
        buttons->addWidget(b, row, col);
        return b;
    };
    QPushButton* event = button("Event", "*", 0, 0);
    event->setAccessibleName(QStringLiteral("Action"));
    event->setToolTip(QStringLiteral("Read the map's mark and act in the current mode (a click on the map does the same)"));
    button("SearchPos", "Srch", 0, 1);
    button("DeletePos", "Del", 0, 2);
    refreshPos_ = button("RefreshPos", "Refresh", 0, 3);
    button("ReturnPos", "OK", 1, 0);
    button("Cancel", "Cancel", 1, 1);
    button("Calc", "Calc", 1, 2);
    button("CalcP", "CalcP.", 1, 3);
    layout->addLayout(buttons);

    calcResult_ = Named(new QLineEdit(centre), QStringLiteral("CalcResult"), QStringLiteral("Result"));
    calcResult_->setReadOnly(true);
    layout->addWidget(calcResult_);

    posList_ = Named(new QListWidget(centre), QStringLiteral("PosList"), QStringLiteral("Points"));
    posList_->setFont(fixed);
    posList_->setMinimumWidth(QFontMetrics(fixed).horizontalAdvance(QString(40, QLatin1Char('0'))) + 24);
    connect(posList_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        if (!refreshing_) editor_.ClickLine(posList_->row(item));
    });
    connect(posList_, &QListWidget::currentRowChanged, this, [this](int row) {
        // Arrow keys walk the list as clicks do.
        if (!refreshing_ && row >= 0 && row != editor_.Selected()) editor_.ClickLine(row);
    });
    layout->addWidget(posList_, 1);

    posListStr_ = Named(new QLineEdit(centre), QStringLiteral("PosListStr"), QStringLiteral("Position text"));
    posListStr_->setToolTip(QStringLiteral("A position text to load with Refresh"));
    connect(posListStr_, &QLineEdit::textEdited, this, [this](const QString& t) { editor_.SetPosListStr(t); });
    layout->addWidget(posListStr_);
    return centre;
}

bool PosEditorWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        if (watched == kelCmd_) {
            Run(QStringLiteral("KelCmd"));
            return true;
        }
        if (watched == arrowStr_) {
            Run(QStringLiteral("ArrowStr"));
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void PosEditorWindow::Run(const QString& name) {
    if (name == QLatin1String("MenuEditIdo")) {
        curIdo_->setFocus();
        curIdo_->selectAll();
        return;
    }
    if (name == QLatin1String("MenuEditKei")) {
        curKei_->setFocus();
        curKei_->selectAll();
        return;
    }
    editor_.RunAction(name);
    Refresh();
}

void PosEditorWindow::ShowOpened() {
    Refresh();
    if (!isVisible()) {
        const QPoint saved = savedPosition ? savedPosition() : QPoint(-1, -1);
        if (saved != QPoint(-1, -1)) move(OnScreen(saved, frameGeometry().size()));
    }
    show();
    raise();
}

void PosEditorWindow::Refresh() {
    refreshing_ = true;
    setWindowTitle(editor_.Title());
    const QStringList lines = editor_.PosListLines();
    bool same = posList_->count() == lines.size();
    for (int i = 0; same && i < lines.size(); ++i) same = posList_->item(i)->text() == lines[i];
    if (!same) {
        posList_->clear();
        posList_->addItems(lines);
    }
    posList_->setCurrentRow(editor_.Selected());
    if (editor_.Selected() < 0) posList_->clearSelection();
    if (posListStr_->text() != editor_.PosListStr()) posListStr_->setText(editor_.PosListStr());
    if (curIdo_->text() != editor_.CurIdo()) curIdo_->setText(editor_.CurIdo());
    if (curKei_->text() != editor_.CurKei()) curKei_->setText(editor_.CurKei());
    kelCmd_->setText(editor_.KelCmd());
    kelCmd_->setCursor(editor_.IsGetPos() ? Qt::PointingHandCursor : Qt::ArrowCursor);
    arrowStr_->setText(editor_.ArrowStr());
    arrowStr_->setVisible(editor_.ArrowVisible());
    label3_->setVisible(editor_.ArrowVisible());
    modes_->setExclusive(false);
    add_->setChecked(editor_.Mode() == PosMode::kAdd);
    move_->setChecked(editor_.Mode() == PosMode::kMove);
    insert_->setChecked(editor_.Mode() == PosMode::kInsert);
    search_->setChecked(editor_.Mode() == PosMode::kSearch);
    modes_->setExclusive(true);
    referPos_->setChecked(editor_.ReferPos());
    dispNum_->setChecked(editor_.DispNum());
    dispFigureFg_->setChecked(editor_.DispFigureFg());
    refreshPos_->setText(editor_.RefreshCaption());
    calcResult_->setText(editor_.CalcResult());
    if (QAction* a = findChild<QAction*>(QStringLiteral("MenuFileArrow")))
        a->setEnabled(editor_.MenuFileArrowEnabled());
    if (QAction* a = findChild<QAction*>(QStringLiteral("MenuFileCmd")))
        a->setEnabled(editor_.MenuFileCmdEnabled());
    refreshing_ = false;
}

void PosEditorWindow::closeEvent(QCloseEvent* event) {
    if (positionChanged) positionChanged(pos());
    // Closing the window is Cancel: its labels and figure leave the map.
    if (editor_.IsOpen()) editor_.Cancel();
    event->accept();
}

void PosEditorWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    if (isVisible() && positionChanged) positionChanged(pos());
}

}  // namespace kel
