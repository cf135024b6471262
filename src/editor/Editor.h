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

#include "list/CommandTexts.h"
#include "list/KelList.h"
#include "list/ParamEditor.h"
#include "platform/Platform.h"
#include "script/CommandLibrary.h"

namespace kel {

class FigureDisplay;

// The services the editor reaches outside itself: the platform's and the map.
struct EditorServices : Platform {
    FigureDisplay* figures = nullptr;
};

// The editor's services from a platform bundle (see platform/Platform.h) and a map.
EditorServices MakeEditorServices(const Platform& platform, FigureDisplay* figures);

class Editor : public QObject {
    Q_OBJECT
public:
    explicit Editor(EditorServices services, QObject* parent = nullptr);
    ~Editor() override;

    // --- State -------------------------------------------------------------------------
    KelList& List() { return list_; }
    const KelList& List() const { return list_; }
    CommandTexts& Texts() { return texts_; }
    const CommandTexts& Texts() const { return texts_; }
    ParamEditorState& Params() { return params_; }
    const ParamEditorState& Params() const { return params_; }
    CommandLibrary& Library() { return library_; }
    const EditorServices& Services() const { return services_; }

    // The command text of line i (empty for an invalid index).
    QString CommandTextAt(int i) const;
    // All command texts in list order.
    QStringList CommandTextsInOrder() const;

    int EditFg() const { return editFg_; }
    void SetEditFg(int value);
    bool ListClickSuppressed() const { return listClickSuppressed_; }
    void SetListClickSuppressed(bool on) { listClickSuppressed_ = on; }
    bool AutoAnswerYes() const { return autoAnswerYes_; }
    void SetAutoAnswerYes(bool on) { autoAnswerYes_ = on; }

    QString KelFileName() const { return kelFileName_; }
    void SetKelFileName(const QString& path) { kelFileName_ = path; }
    // A path handed in from outside; Open and Append take it instead of asking.
    QString FileName() const { return fileName_; }
    void SetFileName(const QString& path) { fileName_ = path; }
    // The folder of the default definition file; fetched URLs are stored there.
    QString DefinitionFolder() const { return definitionFolder_; }
    void SetDefinitionFolder(const QString& folder) { definitionFolder_ = folder; }

    QString Title() const { return title_; }
    QString BaseTitle() const { return baseTitle_; }
    void SetBaseTitle(const QString& title);
    QString UsageText() const { return usageText_; }
    void SetUsageText(const QString& text) { usageText_ = text; }
    QString DispCaption() const { return dispCaption_; }
    void SetDispCaption(const QString& caption) { dispCaption_ = caption; }

    // --- Dialog wrappers and progress ------------------------------------------------------
    // The standard message box; answers Yes (6) without asking while AutoAnswerYes is set.
    int MsgBox2(const QString& prompt, int buttons, const QString& title);
    // The input box; empty on cancel. A non-empty note is added to the usage text once
    // (its head, up to and including the first "]", is the key).
    QString InputBox2(const QString& prompt, const QString& title, const QString& defaultText,
                      const QString& note = QString());
    // The title becomes the base title followed by `suffix`; "Off" restores the base title.
    void CaptionRoll(const QString& suffix);
    // Progress of a long loop: every kProgressStep-th step (counted by `step`) the title
    // shows `shown` (the step itself when negative). Restore the title with "Off".
    static constexpr int kProgressStep = 500;
    void RollProgress(qsizetype step, qsizetype shown = -1);

    // --- Command list and parameter editor --------------------------------------------------
    // A click on the list (the current index already moved): refresh the counter, apply
    // pending edits of the previously loaded entry and load the current one.
    void KelListClick();
    // Makes line i current and runs the click, as a user's click does.
    void ClickLine(int i);
    // Changes one value box (slot 1..16) as typing does: marks the entry edited.
    void SetParValue(int slot, const QString& value);
    // Applies the edits of the value boxes to the loaded entry (Enter, CurKelCmd, ...).
    // Returns false when the edit was refused (a value that cannot be stored); the user is
    // told and the value boxes keep the edit.
    bool ApplyPendingEdits();
    void DoCurKelCmdClick() { ApplyPendingEdits(); }
    // Forgets the loaded entry (unapplied edits are dropped).
    void UnloadEntry();
    QString SelectedNumText() const { return list_.SelectedNumText(); }

    // Draws the figure of a command text in the style "Normal" and returns its number (0 for
    // commands that are not figures). A circle is drawn as "circle1" from its centre and a
    // point due north at its radius.
    int DrawCommandFigure(const QString& commandText);
    // Removes a drawn figure (number > 0).
    void RemoveFigure(int figure);
    // Makes a line for a command text with a new slot; empty (and the user told) when the
    // store is full.
    QString NewListLine(const QString& commandText, int figure);

    // --- List editing ----------------------------------------------------------------------
    void Copy();
    void Cut();
    void Paste();
    void PasteFromClipboard();
    void MoveUp();
    void MoveDown();
    void ReverseSelection();
    void ClearSelection();
    void SelectAll();
    void AddLibraryCommand(int k, int slot);
    // Texts held by the cut buffer (copied command texts, in list order).
    const QStringList& CutBuffer() const { return cutBuffer_; }

    // --- Command library -------------------------------------------------------------------
    // Stocks the selected commands, or the current one, into the library.
    void StockCommand();
    // Inserts the library entry shown in the drop-down in front of the current line.
    void AddCmd();

    // --- Document ---------------------------------------------------------------------------
    void New();
    void Open();
    void Reload();
    void Append();
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

    // --- Actions by name -------------------------------------------------------------------
    // Runs the operation of a menu item or button by its name (MenuFileOpen, CmdCopy, ...).
    // Returns false for an unknown name.
    bool RunAction(const QString& name);
    QStringList ActionNames() const;
    // Adds (or replaces) the operation of a menu item or button; subsystems outside the
    // editor register their items this way.
    void RegisterAction(const QString& name, std::function<void()> action);

    // --- Hooks filled by other subsystems ------------------------------------------------------
    // Searches forward from the current line for the first command matching a condition
    // and makes it current ("Cmd=disp" after loading).
    std::function<void(Editor&, const QString& condition)> searchHook;
    // Imports a Waypoint+ text file into the document (append = true adds to it).
    std::function<void(Editor&, const QString& path, bool append)> waypointImportHook;
    // Opens the value picker of a parameter slot (0..15).
    std::function<void(Editor&, int slot)> valuePickerHook;
    // Runs again what depends on the whole document (map preview, legend).
    std::function<void(Editor&)> documentChangedHook;

Q_SIGNALS:
    void TitleChanged(const QString& title);
    void ParamsChanged();
    void EditFgChanged(int value);
    void UsageTextChanged(const QString& text);

private:
    void AfterLoading();
    void LoadDocument(const QString& path);
    void AppendSkeleton();
    void ResetDocumentState();
    void RenumberTextStore();
    bool CheckKelExtension(const QString& path);
    bool WriteDocument(const QString& path);
    QString FetchUrlToLocal(const QString& url);
    void ClearListAndStore();

    EditorServices services_;
    KelList list_;
    CommandTexts texts_;
    ParamEditorState params_;
    CommandLibrary library_;
    QStringList cutBuffer_;
    int editFg_ = 0;
    bool listClickSuppressed_ = false;
    bool autoAnswerYes_ = false;
    QString kelFileName_;
    QString fileName_;
    QString definitionFolder_;
    QString baseTitle_ = QStringLiteral("KEL Script Editor");
    QString title_ = baseTitle_;
    QString usageText_;
    QString dispCaption_ = QStringLiteral("OFF");
    QHash<QString, std::function<void()>> actions_;
};

}  // namespace kel
