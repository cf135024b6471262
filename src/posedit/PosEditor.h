// The position editor (`Form3`) as data and operations: the points of one figure, taken
// from the map's mark and edited in four modes, with their number labels and the figure
// drawn live on the map. It works in two roles told apart by its title: "EditPos" edits the
// `pos` value box of the parameter editor and applies it on OK; "GetPos" enters a figure
// for another operation (a spatial selection) and hands it back on OK.
//
// The window (PosEditorWindow) shows this state and forwards its controls here by their
// names (RunAction); tests drive the same operations without a window. The map is reached
// only through its automation members (texts, mark, scale) and DrawFigureObject.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "geo/FigureSource.h"
#include "posedit/PosPoints.h"

namespace kel {

class ListDocument;
class ListEntryTracker;
class MapFigureDisplay;

inline const QString kEditPosTitle = QStringLiteral("EditPos");
inline const QString kGetPosTitle = QStringLiteral("GetPos");

// The input mode: which option button is on (none after a line was clicked in Search mode).
enum class PosMode { kNone, kAdd, kMove, kInsert, kSearch };

// A menu item of the window: its name and caption.
struct PosMenuItem {
    QString name;
    QString caption;
};
// The "File" and "Edit" menus, in order.
const std::vector<PosMenuItem>& PosEditorFileMenu();
const std::vector<PosMenuItem>& PosEditorEditMenu();

class PosEditor : public QObject, public FigureSource {
    Q_OBJECT
public:
    // `document` is the open script (its parameter editor receives the edited `pos`);
    // `map` is where labels and figures are drawn and the mark is read. Both outlive this.
    PosEditor(ListDocument& document, MapFigureDisplay& map, QObject* parent = nullptr);
    ~PosEditor() override;

    // --- Opening --------------------------------------------------------------------------
    // "EditPos" for the value box of parameter row `row` (0..15) of the loaded command: its
    // text (a line's or area's arrow split off), the command word as kind, Move mode for a
    // point that has a position, Add mode for an empty one. Nothing happens when no command
    // is loaded.
    void OpenForSlot(int row);
    // "GetPos" (FigureSource): a figure of `figureType` ("rect" when empty) starting from
    // `posText`; OK hands kind and position text to `handback`.
    void OpenGetPos(const QString& figureType, const QString& posText, Handback handback) override;
    // Tells whether the map product's executable is there when the window opens (a path;
    // unset: not checked).
    std::function<QString()> mapExecutable;

    bool IsOpen() const { return open_; }
    QString Title() const { return title_; }
    bool IsGetPos() const { return title_ == kGetPosTitle; }

    // --- What the window shows ----------------------------------------------------------
    const std::vector<PosPoint>& Points() const { return points_; }
    QStringList PosListLines() const;
    int Selected() const { return selected_; }
    QString PosListStr() const { return posListStr_; }
    QString CurIdo() const { return curIdo_; }
    QString CurKei() const { return curKei_; }
    QString KelCmd() const { return kelCmd_; }
    QString ArrowStr() const { return arrowStr_; }
    bool ArrowVisible() const { return arrowVisible_; }
    PosMode Mode() const { return mode_; }
    bool ReferPos() const { return referPos_; }
    bool DispNum() const { return dispNum_; }
    bool DispFigureFg() const { return dispFigureFg_; }
    QString RefreshCaption() const { return refreshCaption_; }
    QString CalcResult() const { return calcResult_; }
    bool MenuFileArrowEnabled() const { return !IsGetPos(); }
    bool MenuFileCmdEnabled() const { return IsGetPos(); }
    // Shapes and labels on the map (0 when none).
    int EditFigure() const { return editFigure_; }
    int MarkFigure() const { return markFigure_; }
    // The position text the points make for the kind (what OK hands back).
    QString PositionText() const;

    // --- Operations -------------------------------------------------------------------------
    // Runs a control or menu item by its name (Event, AddPos, MenuFileOk, ...); false for an
    // unknown name.
    bool RunAction(const QString& name);

    void DoRefreshPos();
    // Reads the mark and acts in the current mode.
    void Action();
    // A click on the map set the mark: the action runs while the window is open.
    void MapClicked();
    // Enter in the latitude or longitude box: the action with the position typed there
    // instead of the mark's. False (the user told, nothing changed) when either box does
    // not hold a coordinate in the "KEL" form.
    bool EnterTyped();
    void SearchPos();
    void DeletePos();
    // A click on line i of the point list.
    void ClickLine(int i);
    void ArrowClick();
    void KindClick();
    void Calc();
    void CalcP();
    void SetMode(PosMode mode);
    void SetReferPos(bool on);
    void SetDispNum(bool on);
    void SetDispFigureFg(bool on);
    // Typed into the text boxes.
    void SetPosListStr(const QString& text);
    void SetCurIdo(const QString& text);
    void SetCurKei(const QString& text);
    // OK: false (the window stays) when there are no points or the position could not be
    // written back.
    bool Ok();
    // Closes the window: labels, the edit figure and the mark leave the map.
    void Cancel();

Q_SIGNALS:
    // Anything shown changed.
    void Changed();
    // The window is to be shown (opened or opened again) or hidden.
    void Opened();
    void Closed();

private:
    void Open(const QString& title);
    bool ConfirmReopen();
    void Notify();
    int AddLabel(const QString& lat, const QString& lon, int number);
    void RemoveLabel(PosPoint& point);
    void RemoveAllLabels();
    PosPoint NewPoint(const QString& lat, const QString& lon);
    void Disp();
    void ClearFigure();
    void RemoveMark();
    bool ReadMarkInto();
    void ActAtCurrent(bool fromMark);
    void SnapCurrent();
    void Search();
    double MarkerSize() const;

    ListDocument& document_;
    MapFigureDisplay& map_;
    ListEntryTracker* target_ = nullptr;
    int targetRow_ = 1;
    Handback handback_;

    bool open_ = false;
    bool modified_ = false;
    QString title_;
    std::vector<PosPoint> points_;
    int selected_ = -1;
    QString posListStr_;
    QString curIdo_ = kBlankCoord;
    QString curKei_ = kBlankCoord;
    QString kelCmd_;
    QString arrowStr_;
    bool arrowVisible_ = false;
    PosMode mode_ = PosMode::kAdd;
    bool referPos_ = false;
    bool dispNum_ = true;
    bool dispFigureFg_ = true;
    QString refreshCaption_ = QStringLiteral("Refresh");
    QString calcResult_;
    quint16 counter_ = 0;
    int editFigure_ = 0;
    QString editFigureKind_;
    int markFigure_ = 0;
    int previous_ = 0;
    // The action at hand takes its position from the mark (else from the typed boxes).
    bool usingMark_ = true;
};

}  // namespace kel
