// The editor: one open script with its command list, text store, parameter editor, command
// library, cut buffer and flags, and every operation the menus and buttons trigger. QtCore
// only: the windows observe this object and forward clicks to it, and tests drive it
// through the same operations with scripted answers to its questions.
#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "list/ListDocument.h"
#include "list/ListHistory.h"
#include "script/CommandLibrary.h"

namespace kel {

// The editor's public surface by role, each defined in its own file of this folder:
//   the open document as other subsystems see it   list/ListDocument.h   Editor.cpp
//   questions and progress                          platform/EditorPrompts.h  Editor.cpp
//   document operations (New, Open, Save, drops)   below                 DocumentOps.cpp
//   list editing (copy, cut, paste, move, select)  below                 ListEditing.cpp
//   the command library (stock, insert)            below                 LibraryOps.cpp
//   actions by name (menu items and buttons)       below                 Editor.cpp
class Editor : public QObject, public ListDocument {
    Q_OBJECT
public:
    explicit Editor(EditorServices services, QObject* parent = nullptr);
    ~Editor() override;

    // --- The open document (ListDocument) ------------------------------------------------
    KelList& List() override { return list_; }
    const KelList& List() const override { return list_; }
    CommandTexts& Texts() override { return texts_; }
    const CommandTexts& Texts() const override { return texts_; }
    ParamEditorState& Params() override { return params_; }
    const ParamEditorState& Params() const override { return params_; }
    const EditorServices& Services() const override { return services_; }
    QString CommandTextAt(int i) const override;
    QStringList CommandTextsInOrder() const override;
    QString NewListLine(const QString& commandText, int figure) override;
    // The undo history of the list (steps, their names, the saved state, the caps).
    ListHistory& History() override { return history_; }
    const ListHistory& History() const { return history_; }

    void KelListClick() override;
    void ClickLine(int i) override;
    void SetParValue(int slot, const QString& value) override;
    bool ApplyPendingEdits() override;
    void DoCurKelCmdClick() { ApplyPendingEdits(); }
    void UnloadEntry() override;
    // Tells the views that the parameter editor's state changed (a picker opened or closed).
    void NotifyParamsChanged() { Q_EMIT ParamsChanged(); }
    QString SelectedNumText() const { return list_.SelectedNumText(); }
    bool ListClickSuppressed() const override { return listClickSuppressed_; }
    void SetListClickSuppressed(bool on) override { listClickSuppressed_ = on; }

    int EditFg() const override { return editFg_; }
    void SetEditFg(int value) override;
    QString KelFileName() const override { return kelFileName_; }
    void SetKelFileName(const QString& path) { kelFileName_ = path; }
    QString FileName() const { return fileName_; }
    void SetFileName(const QString& path) override { fileName_ = path; }
    // The folder of the default definition file; fetched URLs are stored there.
    QString DefinitionFolder() const { return definitionFolder_; }
    void SetDefinitionFolder(const QString& folder) { definitionFolder_ = folder; }

    QString DispCaption() const override { return dispCaption_; }
    void SetDispCaption(const QString& caption) { dispCaption_ = caption; }
    // A circle is drawn as "circle1" from its centre and a point due north at its radius.
    int DrawCommandFigure(const QString& commandText) override;
    void RemoveFigure(int figure) override;

    // --- Questions, title and usage text (EditorPrompts) -------------------------------------
    int MsgBox2(const QString& prompt, int buttons, const QString& title) override;
    QString InputBox2(const QString& prompt, const QString& title, const QString& defaultText,
                      const QString& note = QString()) override;
    void CaptionRoll(const QString& suffix) override;
    QString Title() const { return title_; }
    QString BaseTitle() const { return baseTitle_; }
    void SetBaseTitle(const QString& title);
    QString UsageText() const { return usageText_; }
    void SetUsageText(const QString& text) { usageText_ = text; }

    // --- Undo and redo (UndoOps.cpp) ------------------------------------------------------------
    // Takes back the last step, or makes the last undone step again: the list lines, the
    // selection and the current line come back as they were, the figures on the map follow,
    // and the modified flag is cleared exactly when the saved state is reached. Values typed
    // but not applied are applied first as a step of their own, so an undo takes them back
    // and a redo brings them again. False when there is nothing to undo or redo.
    bool Undo();
    bool Redo();
    // The step name of a menu item or button ("Lump Input" for MenuExecLumpInput); empty for
    // those that do not change the list (RunAction opens no step for them).
    static QString StepNameOfAction(const QString& action);

    // --- Document (DocumentOps.cpp) -----------------------------------------------------------
    void New();
    void Open();
    void Reload();
    void Append() override;
    // Returns true when the document was written.
    bool Save();
    bool SaveAs();
    void Clear();
    void DoOpenKelFile(const QString& path);
    // Evaluates the program's command line ("-n", "PATH", "PATH -o").
    void EvaluateCommandLine(const QString& commandLine);
    // Dropping onto the list: files (the first is used) or a text (http://, file://,
    // ftp:// URL); `shift` appends instead of opening.
    void DropFiles(const QStringList& paths, bool shift);
    void DropText(const QString& text, bool shift);
    // Loads a script into an empty list (used by Open, Reload and the tests); returns false
    // (the user told, nothing changed) when it cannot be read.
    bool LoadScriptFile(const QString& path);

    // --- List editing (ListEditing.cpp) -------------------------------------------------------
    void Copy();
    void Cut();
    void Paste();
    void PasteFromClipboard();
    void MoveUp();
    void MoveDown();
    void ReverseSelection();
    void ClearSelection();
    void SelectAll();
    // Inserts the library entry k with a new slot in front of the current line.
    void AddLibraryCommand(int k, int slot);
    // Texts held by the cut buffer (copied command texts, in list order).
    const QStringList& CutBuffer() const { return cutBuffer_; }

    // --- Command library (LibraryOps.cpp) -----------------------------------------------------
    CommandLibrary& Library() { return library_; }
    // Stocks the selected commands, or the current one, into the library.
    void StockCommand();
    // Inserts the library entry shown in the drop-down in front of the current line.
    void AddCmd();

    // --- Actions by name and hooks (Editor.cpp) -------------------------------------------------
    // Runs the operation of a menu item or button by its name (MenuFileOpen, CmdCopy, ...).
    // Returns false for an unknown name.
    bool RunAction(const QString& name);
    QStringList ActionNames() const;
    void RegisterAction(const QString& name, std::function<void()> action) override;
    void SetSearchHook(std::function<void(const QString& condition)> hook) override {
        searchHook_ = std::move(hook);
    }
    void SetWaypointImportHook(std::function<void(const QString& path, bool append)> hook) override {
        waypointImportHook_ = std::move(hook);
    }
    // Imports a dropped GPX ("GPX") or GeoJSON ("GEOJSON") file into the document.
    void SetExchangeImportHook(std::function<void(const QString& kind, const QString& path)> hook) {
        exchangeImportHook_ = std::move(hook);
    }
    // Opens the value picker of a parameter slot (0..15).
    void SetValuePickerHook(std::function<void(int slot)> hook) { valuePickerHook_ = std::move(hook); }
    // Opens the value picker of a slot; false when no picker is installed.
    bool OpenValuePicker(int slot) {
        if (!valuePickerHook_) return false;
        valuePickerHook_(slot);
        return true;
    }
    // Runs again what depends on the whole document (map preview, legend).
    void SetDocumentChangedHook(std::function<void()> hook) {
        documentChangedHook_ = std::move(hook);
    }

Q_SIGNALS:
    void TitleChanged(const QString& title);
    void ParamsChanged();
    void EditFgChanged(int value);
    void UsageTextChanged(const QString& text);
    // A long operation started (true) or ended (false): show or hide its progress and Cancel
    // (RequestCancel).
    void LongWorkChanged(bool running);

protected:
    void OnLongWork(bool running) override { Q_EMIT LongWorkChanged(running); }

private:
    void AfterLoading();
    void LoadDocument(const QString& path);
    void AppendSkeleton();
    void ResetDocumentState();
    // Gives the slots the list and the undo history refer to numbers from 1 (the list's lines
    // first, in list order) and drops every other text; drops the oldest undo steps when
    // that leaves fewer than `room` slots free.
    void RenumberTextStore(int room = 1);
    bool ApplyLoadedEntry();
    bool StepHistory(int direction);
    void ShowFiguresOf(ListState& state);
    bool CheckKelExtension(const QString& path);
    bool WriteDocument(const QString& path);
    QString FetchUrlToLocal(const QString& url);
    void ClearListAndStore();

    EditorServices services_;
    KelList list_;
    CommandTexts texts_;
    ListHistory history_{list_, texts_};
    // The values waiting in the parameter editor were typed by the user rather than set by
    // an operation in its own undo step.
    bool editTypedOutsideStep_ = true;
    ParamEditorState params_;
    CommandLibrary library_;
    QStringList cutBuffer_;
    int editFg_ = kEditFgSaved;
    bool listClickSuppressed_ = false;
    QString kelFileName_;
    QString fileName_;
    QString definitionFolder_;
    QString baseTitle_ = QStringLiteral("KEL Script Editor");
    QString title_ = baseTitle_;
    QString usageText_;
    QString dispCaption_ = QStringLiteral("OFF");
    QHash<QString, std::function<void()>> actions_;
    std::function<void(const QString& condition)> searchHook_;
    std::function<void(const QString& path, bool append)> waypointImportHook_;
    std::function<void(const QString& kind, const QString& path)> exchangeImportHook_;
    std::function<void(int slot)> valuePickerHook_;
    std::function<void()> documentChangedHook_;
};

}  // namespace kel
