// Editing figures by pointing at the map. The user puts the map's mark on a figure and
// clicks the snap button: with no mode armed the figure under the mark becomes the current
// command; after "Move", "Divide" or "Conbine" the click runs the next step of that edit.
// Join Pos and the centre point/circle work on the list alone.
//
// Every change of a command goes the one way: parse, change the slot, rebuild with the
// writer, replace the list line (a new text slot, the old shape removed and the new one
// drawn) and mark the document modified. A command that cannot be rebuilt is reported and
// left as it is.
#pragma once

#include <QMetaObject>
#include <QObject>
#include <QString>
#include <functional>

#include "geo/FigureEditOps.h"

namespace kel {

class ListDocument;
class MapMark;

// The state of the snap button. Move and combine take two clicks, divide one.
enum class FigureEditMode {
    kSnap,          // "Snap": a click snaps
    kMoveOrigin,    // "Org": the next click picks the figure and its origin point
    kMoveTarget,    // "Dst": the next click picks the destination
    kDivide,        // "Div"
    kCombineFirst,  // "Snp1": the next click picks the first line at an end
    kCombineSecond  // "Snp2": the next click picks the second line or point at an end
};

// The snap button's caption for a mode.
QString SnapCaption(FigureEditMode mode);

// What a snap found: the list entry of the figure (-1 for none), where on it, its command
// word and `pos` value.
struct SnapHit {
    int entry = -1;
    FigureSpot spot;
    QString figureType;
    QString posText;
    bool Found() const { return entry >= 0; }
};

// The window's state of the figure edits: the mode, the figure the first step kept and the
// shapes drawn to show what was snapped.
class FigureEditState : public QObject {
    Q_OBJECT
public:
    FigureEditState() = default;
    ~FigureEditState() override;

    // The map whose mark is read; nothing is snapped without one.
    MapMark* map = nullptr;

    FigureEditMode mode = FigureEditMode::kSnap;
    QString Caption() const { return SnapCaption(mode); }

    // The figure kept by the first step of a move or combine. The entry is found again by
    // its text slot and command text, so that a list changed in between does not lead the
    // second step to another command; when it was changed or removed, the step is dropped.
    struct Kept {
        int entry = -1;
        int slot = 0;
        QString text;
        QString figureType;
        QString posText;    // combine: the line's `pos` turned so that its snapped end is last
        FigureSpot origin;  // move: the origin point
    } kept;

    // Shapes that show the snap: the figure ("Snap"), its node and the second node
    // ("SnapNode"); 0 when not drawn.
    int snapFigure = 0;
    int snapNode = 0;
    int snapNode2 = 0;

    // The current-figure switch of the window (a click on its "Disp" button); run to show
    // the snapped figure when that display is off, and twice to refresh it after a join.
    // Without it the display is left alone.
    void SetDispClickHook(std::function<void()> hook) { dispClick_ = std::move(hook); }
    bool HasDispClick() const { return static_cast<bool>(dispClick_); }
    void DispClick() {
        if (dispClick_) dispClick_();
    }

    QMetaObject::Connection resetConnection;

Q_SIGNALS:
    // The snap button's new caption, whenever the mode changes.
    void CaptionChanged(const QString& caption);

private:
    std::function<void()> dispClick_;
};

// The click on the snap button: the step of the armed mode, or a plain snap.
void SnapObjectClick(ListDocument& editor, FigureEditState& state, bool shift);

// "Snap Object": removes the highlights, sets every mode off and snaps (with `shift`, the
// found entry is also selected).
void SnapFind(ListDocument& editor, FigureEditState& state, bool shift);

// Arms a mode (kMoveOrigin, kDivide or kCombineFirst); the other modes are set off.
void ArmFigureEdit(FigureEditState& state, FigureEditMode mode);

// Removes the highlights and sets every mode off (used when the document is cleared).
void ResetFigureEdit(ListDocument& editor, FigureEditState& state);

// Plain snap: the list is walked from the entry after the current one, wrapping round, and
// the first figure within the map's marker size of the mark becomes current (and, with
// `shift`, selected). Returns its entry, -1 when none is near.
int PlainSnap(ListDocument& editor, FigureEditState& state, bool shift);

// Join Pos: the next entry's `pos` appended to the current `line` or `area`.
void JoinPos(ListDocument& editor, FigureEditState& state);

// Center Point / Center Circle: a `point` or `circle` at the centre of each selected figure
// (or of the current one when none is selected), inserted after its source entry.
void AddCenterFigure(ListDocument& editor, const QString& figureType);

// Registers the menu items and the snap button with the editor and resets the state when
// the document is cleared. `state` must outlive the editor's use of the items.
void InstallFigureEditActions(ListDocument& editor, FigureEditState& state);

}  // namespace kel
