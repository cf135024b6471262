// The open script as the subsystems above the list reach it (formulas, spatial analysis,
// figure editing, GPS interchange): its command list with the text store and the parameter
// editor, its file and modified flag, the map figures of its lines, the menu items and
// buttons by name, and the hooks the document operations call back. The editor implements
// it; these subsystems never see the editor itself.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

#include "list/CommandTexts.h"
#include "list/KelList.h"
#include "list/ParamEditor.h"
#include "platform/EditorPrompts.h"
#include "platform/Platform.h"

namespace kel {

class FigureDisplay;

// The services the editor reaches outside itself: the platform's and the map.
struct EditorServices : Platform {
    FigureDisplay* figures = nullptr;
};

// The editor's services from a platform bundle (see platform/Platform.h) and a map.
inline EditorServices MakeEditorServices(const Platform& platform, FigureDisplay* figures) {
    EditorServices s;
    static_cast<Platform&>(s) = platform;
    s.figures = figures;
    return s;
}

// The values of the modified flag `EditFg` (a check box).
constexpr int kEditFgSaved = 0;
constexpr int kEditFgModified = 1;

class ListDocument : public EditorPrompts {
public:
    // --- The list, its texts and the parameter editor ----------------------------------
    virtual KelList& List() = 0;
    virtual const KelList& List() const = 0;
    virtual CommandTexts& Texts() = 0;
    virtual const CommandTexts& Texts() const = 0;
    virtual ParamEditorState& Params() = 0;
    virtual const ParamEditorState& Params() const = 0;
    virtual const EditorServices& Services() const = 0;

    // The command text of line i (empty for an invalid index).
    virtual QString CommandTextAt(int i) const = 0;
    // All command texts in list order.
    virtual QStringList CommandTextsInOrder() const = 0;
    // Makes a line for a command text with a new slot; empty (and the user told) when the
    // store is full.
    virtual QString NewListLine(const QString& commandText, int figure) = 0;

    // A click on the list (the current index already moved): refresh the counter, apply
    // pending edits of the previously loaded entry and load the current one.
    virtual void KelListClick() = 0;
    // Makes line i current and runs the click, as a user's click does.
    virtual void ClickLine(int i) = 0;
    // Changes one value box (slot 1..16) as typing does: marks the entry edited.
    virtual void SetParValue(int slot, const QString& value) = 0;
    // Applies the edits of the value boxes to the loaded entry. Returns false when the edit
    // was refused (a value that cannot be stored); the user is told and the value boxes
    // keep the edit.
    virtual bool ApplyPendingEdits() = 0;
    // Forgets the loaded entry (unapplied edits are dropped).
    virtual void UnloadEntry() = 0;

    // While set, a change of the current line does not run the list click (loops that walk
    // the list set it; see ListClickGuard).
    virtual bool ListClickSuppressed() const = 0;
    virtual void SetListClickSuppressed(bool on) = 0;

    // --- The document ---------------------------------------------------------------------
    // The modified flag: kEditFgSaved or kEditFgModified.
    virtual int EditFg() const = 0;
    virtual void SetEditFg(int value) = 0;
    virtual QString KelFileName() const = 0;
    // A path handed in from outside; Open and Append take it instead of asking.
    virtual void SetFileName(const QString& path) = 0;
    // Appends a script after the current line (the path handed in by SetFileName, or asked).
    virtual void Append() = 0;

    // --- Figures on the map -----------------------------------------------------------------
    // "ON" while the figure display shows the current command, "OFF" otherwise.
    virtual QString DispCaption() const = 0;
    // Draws the figure of a command text in the style "Normal" and returns its number (0 for
    // commands that are not figures).
    virtual int DrawCommandFigure(const QString& commandText) = 0;
    // Removes a drawn figure (number > 0).
    virtual void RemoveFigure(int figure) = 0;

    // --- Menu items and hooks ---------------------------------------------------------------
    // Adds (or replaces) the operation of a menu item or button by its name.
    virtual void RegisterAction(const QString& name, std::function<void()> action) = 0;
    // Searches forward from the current line for the first command matching a condition
    // and makes it current ("Cmd=disp" after loading).
    virtual void SetSearchHook(std::function<void(const QString& condition)> hook) = 0;
    // Imports a Waypoint+ text file into the document (append = true adds to it).
    virtual void SetWaypointImportHook(
        std::function<void(const QString& path, bool append)> hook) = 0;

protected:
    ListDocument() = default;
};

// Sets ListClickSuppressed for a scope and puts the old value back.
class ListClickGuard {
public:
    explicit ListClickGuard(ListDocument& document)
        : document_(document), old_(document.ListClickSuppressed()) {
        document_.SetListClickSuppressed(true);
    }
    ~ListClickGuard() { document_.SetListClickSuppressed(old_); }
    ListClickGuard(const ListClickGuard&) = delete;
    ListClickGuard& operator=(const ListClickGuard&) = delete;

private:
    ListDocument& document_;
    bool old_;
};

}  // namespace kel
