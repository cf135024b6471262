// The window's figure display switches: the current figure (`Disp`), the selected-figures
// view (`ViewSelectedObject`) with its refresh, moving the map to the figures, and the
// display reset when the document is cleared or replaced. The captions are kept here and
// announced; the window shows them on its buttons and menu items.
#pragma once

#include <QObject>
#include <QString>

namespace kel {

class Editor;
class MapFigureDisplay;

inline const QString kMenuViewSwitchBase = QStringLiteral("Current Figures(&D)");
inline const QString kMenuViewSelectBase = QStringLiteral("Figures(&F)");
inline const QString kMenuViewRefreshFigure = QStringLiteral("Refresh Figures(&R)");
inline const QString kMenuViewFigures = QStringLiteral("Move ProAtlasWindow(&M)");

class FigureView : public QObject {
    Q_OBJECT
public:
    // Wires the display's conditional styles to these switches and registers the buttons
    // and menu items (Disp, MenuViewSwitch, ViewSelectedObject, MenuViewSelect,
    // MenuViewRefreshFigure, MenuViewFigures) with the editor. Both must outlive it.
    FigureView(Editor& editor, MapFigureDisplay& display, QObject* parent = nullptr);

    // `ViewSelectedObject` caption: "Select" while the view is off, "Off" while it is on.
    QString ViewSelectedCaption() const { return viewSelectedCaption_; }
    // The menu captions with their "[ON]"/"[OFF]" prefix.
    QString MenuViewSelectCaption() const { return menuViewSelect_; }
    QString MenuViewSwitchCaption() const { return menuViewSwitch_; }
    // The shape of the current figure (0 when none is shown).
    int CurrentFigure() const { return currentHandle_; }

    // The click on `Disp` (also `MenuViewSwitch`).
    void DoDispClick();
    // The click on `ViewSelectedObject` (also `MenuViewSelect`).
    void ViewSelectedObjectClick();
    // "Refresh Figures": every figure of the list shown anew.
    void RefreshFigures();
    // "Move ProAtlasWindow": the map centred on the mean of the figures' centres.
    void MoveToFigures();
    // The document was cleared or replaced: both switches end off, nothing stays shown.
    void ResetDisplay();

Q_SIGNALS:
    void CaptionsChanged();

private:
    void SetViewSelectedCaption(const QString& caption);
    void SetDispCaption(const QString& caption);

    Editor& editor_;
    MapFigureDisplay& display_;
    QString viewSelectedCaption_ = QStringLiteral("Select");
    QString menuViewSelect_ = QStringLiteral("[OFF]") + kMenuViewSelectBase;
    QString menuViewSwitch_ = QStringLiteral("[OFF]") + kMenuViewSwitchBase;
    int currentHandle_ = 0;
    QString currentType_;
    bool refreshing_ = false;
};

}  // namespace kel
