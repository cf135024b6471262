// Spatial analysis as the menus run it: the questions before an operation, the reference
// figure (the current command, or one the user draws in the position editor), the Full
// Overlap switch, and the menu items under "Spatial Select(&S)".
#pragma once

#include <QObject>
#include <QString>
#include <vector>

#include "geo/SpatialSelect.h"

namespace kel {

class ListDocument;
class FigureSource;

// Base caption of the Full Overlap menu item (spelled as the menu shows it).
inline const QString kFullOverlapCaption = QStringLiteral("Full Orverlap(&F)");
inline const QString kSpatialTitle = QStringLiteral("Spatial Analysis");

// The window's spatial-analysis state: the Full Overlap switch (off at start, kept while
// the program runs), the operation waiting for a figure from the position editor, and where
// such figures come from (none: operations that need a drawn figure do nothing).
class SpatialState : public QObject {
    Q_OBJECT
public:
    explicit SpatialState(FigureSource* figureSource = nullptr) : figureSource_(figureSource) {}

    bool FullOverlap() const { return fullOverlap_; }
    void SetFullOverlap(bool on);
    // MenuExecSpatialFg: flips the switch and rewrites the menu caption.
    void ToggleFullOverlap() { SetFullOverlap(!fullOverlap_); }
    // "[ON]" or "[OFF]" followed by the base caption.
    QString FullOverlapMenuCaption() const;
    // Rewrites the caption from the switch (document reset); the setting is kept.
    void Reinitialise();

    FigureSource* Source() const { return figureSource_; }
    void SetSource(FigureSource* source) { figureSource_ = source; }
    // The operation kept while the position editor is open for it; empty otherwise.
    QString PendingOperation() const { return pendingOperation_; }
    void SetPendingOperation(const QString& operation) { pendingOperation_ = operation; }

Q_SIGNALS:
    // The new menu caption, whenever it is written.
    void CaptionChanged(const QString& caption);
    // The result lines of a selection run from the menus (with the current figure or a
    // drawn one), once they are selected, so that they can be shown on the map.
    void ResultsMarked(const std::vector<int>& found);

private:
    bool fullOverlap_ = false;
    QString pendingOperation_;
    FigureSource* figureSource_ = nullptr;
};

// The question asked before an operation ("FindInterior", "FindExterior", "FindObject"),
// with the reference being the command of `commandWord`, or (empty word) a figure to be
// drawn. Parts are joined by line feeds.
QString SpatialQuestion(const QString& operation, const QString& commandWord);

// Whether a command word can be the reference of an operation: any figure command for
// "FindObject"; a rect, circle or area for "FindInterior" and "FindExterior".
bool IsSuitableReference(const QString& operation, const QString& commandWord);

// StartSpatialAnalysis for the current command of the list (the menu items).
void StartSpatialAnalysis(ListDocument& editor, SpatialState& state, const QString& operation);
// The same with the reference given as a command text (the formula's context command).
// A suitable reference: asks (Yes/No, title "Spatial Analysis"); on Yes runs
// ReturnGetObject with it (a circle with its own radius). Otherwise asks for a figure to
// be drawn; on Yes opens the position editor in its "GetPos" form with the type rect and
// continues when it hands a figure back. No: nothing changes.
void StartSpatialAnalysis(ListDocument& editor, SpatialState& state, const QString& operation,
                          const QString& referenceText);

// The formula's spatial selection: ReturnGetObject with the reference command when it is
// suitable, without questions and without opening the position editor; returns the
// selected result lines (none for an unsuitable reference).
std::vector<int> SpatialSelect(ListDocument& editor, const SpatialState& state,
                               const QString& operation, const QString& referenceText);

// OpenGetPos: opens the position editor in its "GetPos" form for a new figure of
// `figureType` ("rect" when empty) and `posText` (a line's leading arrow mark removed),
// shown after a blank; the figure handed back runs the pending operation. Does nothing
// without a figure source.
void OpenGetPos(ListDocument& editor, SpatialState& state, const QString& operation,
                const QString& figureType, const QString& posText);

// The menu items "Nearest Object" and "Farthest Object": FindExtreme
// from the current command; the winning line becomes the current command. Returns it.
ExtremeFound FindExtremeFromCurrent(ListDocument& editor, Extreme which);

// Registers the items of "Spatial Select(&S)" with the editor: MenuExecFindInterior,
// MenuExecFindExterior, MenuExecFindContainer, MenuExecFindNearest, MenuExecFindFarthest
// and MenuExecSpatialFg. `state` must outlive the editor's actions.
void InstallSpatialActions(ListDocument& editor, SpatialState& state);

}  // namespace kel
