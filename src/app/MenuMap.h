// The main window's vocabulary: its menu tree (every item with its caption, shortcut and
// visibility, in order) and its buttons (name and caption). The window is built from these
// tables; each item and button runs the editor operation of the same name.
#pragma once

#include <QList>
#include <QString>

namespace kel {

struct MenuItemDef {
    QString name;      // object name; empty for a separator
    QString caption;   // with its "&" accelerator
    QString shortcut;  // in QKeySequence's portable text ("Ctrl+O"), empty for none
    int depth = 0;     // 0: a menu of the menu bar, 1: its item, 2: a submenu's item, ...
    bool hidden = false;
    bool disabled = false;

    bool IsSeparator() const { return name.isEmpty(); }
};

// The menu tree in order. An item followed by an item of greater depth is a submenu.
const QList<MenuItemDef>& MainMenuItems();

struct ButtonDef {
    QString name;
    QString caption;
};

// The command buttons of the main window, in their row order.
const QList<ButtonDef>& MainButtons();

// The window's title, and the base of every title that progress appends to.
inline const QString kMainWindowTitle = QStringLiteral("KEL Script Editor");

// Captions of the usage window's menu item while the window is shown or hidden.
inline const QString kUsageWindowOn = QStringLiteral("Usage Window(&U) [ON]");
inline const QString kUsageWindowOff = QStringLiteral("Usage Window(&U) [OFF]");

}  // namespace kel
