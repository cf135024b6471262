#include "editor/Editor.h"

#include "geo/FigureDisplay.h"
#include "geo/FigureShape.h"
#include "list/ListLine.h"
#include "platform/Platform.h"
#include "platform/Prompts.h"
#include "script/StatementWriter.h"

namespace kel {

namespace {
const QString kEditStep = QStringLiteral("Edit");
}  // namespace

Editor::Editor(EditorServices services, QObject* parent)
    : QObject(parent), services_(services) {
    ResetParamEditor(params_);
    params_.curKelCmdCaption.clear();
    texts_.SetOnFull([this] { RenumberTextStore(); });

    // Menu items and buttons by name.
    const auto add = [this](std::initializer_list<const char*> names, std::function<void()> f) {
        for (const char* n : names) actions_.insert(QString::fromLatin1(n), f);
    };
    add({"CmdCopy", "MenuEditKelCopy"}, [this] { Copy(); });
    add({"CmdCut", "MenuEditKelCut"}, [this] { Cut(); });
    add({"CmdPaste", "MenuEditKelPaste"}, [this] { Paste(); });
    add({"MenuEditPasteFromClipBoard"}, [this] { PasteFromClipboard(); });
    add({"ListUp", "MenuEditListUp"}, [this] { MoveUp(); });
    add({"ListDown", "MenuEditListDown"}, [this] { MoveDown(); });
    add({"KelListReverse", "MenuEditRevSelect"}, [this] { ReverseSelection(); });
    add({"KelListDeselect", "MenuEditDeSelect"}, [this] { ClearSelection(); });
    add({"MenuEditSelectAll"}, [this] { SelectAll(); });
    add({"CurKelCmd", "MenuExecSaveCurCmd"}, [this] { DoCurKelCmdClick(); });
    add({"GetDefaultCmd", "MenuEditStockCmd"}, [this] { StockCommand(); });
    add({"AddCmd"}, [this] { AddCmd(); });
    add({"NewKelFile", "MenuFileNew"}, [this] { New(); });
    add({"OpenKelFile", "MenuFileOpen"}, [this] { Open(); });
    add({"MenuFileReLoad"}, [this] { Reload(); });
    add({"AppendKelFile", "MenuFileAppend"}, [this] { Append(); });
    add({"SaveKelFile", "MenuFileSave"}, [this] { Save(); });
    add({"SaveAsKelFile", "MenuFileSaveAs"}, [this] { SaveAs(); });
    add({"MenuFileClear"}, [this] { Clear(); });
    add({"MenuEditUndo"}, [this] { Undo(); });
    add({"MenuEditRedo"}, [this] { Redo(); });
    // The Add menu inserts standard library entries, named by their labels; adding a figure
    // opens the value picker of its pos slot at once.
    constexpr int kPosSlot = 2;
    constexpr int kNoPicker = -1;
    struct AddItem {
        const char* name;
        const char* label;
        int slot;
    };
    static const AddItem kAddItems[] = {
        {"KelEditFigureAddObjectFigurePoint", "point", kPosSlot},
        {"KelEditFigureAddObjectFigureLine", "line", kPosSlot},
        {"KelEditFigureAddObjectFigureCircle", "circle", kPosSlot},
        {"KelEditFigureAddObjectFigureRect", "rect", kPosSlot},
        {"KelEditFigureAddObjectFigureArea", "area", kPosSlot},
        {"KelEditFigureAddObjectDispGroup", "group", kNoPicker},
        {"KelEditFigureAddObjectDispDisp", "disp", kNoPicker},
        {"KelEditFigureAddObjectDispTheme", "theme", kNoPicker},
        {"KelEditFigureAddObjectDispMessage", "message", kNoPicker},
        {"KelEditFigureAddObjectDispIcon", "icon", kNoPicker},
        {"KelEditFigureAddObjectControlComment", "comment", kNoPicker},
        {"KelEditFigureAddObjectControlInit", "init", kNoPicker},
        {"KelEditFigureAddObjectControlKanji", "kanji", kNoPicker},
        {"KelEditFigureAddObjectControlGeoref", "georef", kNoPicker},
        {"KelEditFigureAddObjectControlAddon", "addon", kNoPicker},
        {"KelEditFigureAddObjectControlPick", "pick", kNoPicker},
        {"KelEditFigureAddObjectControlInput", "input", kNoPicker},
    };
    for (const AddItem& item : kAddItems) {
        const int k = StandardLibraryIndex(QLatin1String(item.label));
        const int slot = item.slot;
        add({item.name}, [this, k, slot] { AddLibraryCommand(k, slot); });
    }
    // The "Else" items of the Add menu have no action.
    add({"KelEditFigureAddObjectElseWP", "KelEditFigureAddObjectElseRT",
         "KelEditFigureAddObjectElseTr", "KelEditFigureAddObjectElseFilter",
         "KelEditFigureAddObjectElseGpWpt", "KelEditFigureAddObjectElseGpRoute",
         "KelEditFigureAddObjectElseGpRtPnt", "KelEditFigureAddObjectElseGpRtPntOr",
         "KelEditFigureAddObjectElseGpPntDs", "KelEditFigureAddObjectElseGpTrLog",
         "KelEditFigureAddObjectElseGpTrPnt"},
        [] {});
}

Editor::~Editor() = default;

QString Editor::CommandTextAt(int i) const {
    if (!list_.IsValidIndex(i)) return QString();
    return texts_.Text(ListLineSlot(list_.Line(i)));
}

QStringList Editor::CommandTextsInOrder() const {
    QStringList out;
    out.reserve(list_.Count());
    for (const QString& line : list_.Lines()) out.append(texts_.Text(ListLineSlot(line)));
    return out;
}

void Editor::SetEditFg(int value) {
    // A cleared flag marks the saved state in the history (save, open, clear).
    if (value == 0) history_.MarkClean();
    if (editFg_ == value) return;
    editFg_ = value;
    Q_EMIT EditFgChanged(value);
}

void Editor::SetBaseTitle(const QString& title) {
    baseTitle_ = title;
    CaptionRoll(QStringLiteral("Off"));
}

int Editor::MsgBox2(const QString& prompt, int buttons, const QString& title) {
    if (AutoAnswerYes()) return kAnswerYes;
    if (!services_.prompts) return kAnswerCancel;
    return services_.prompts->Message(prompt, buttons, title);
}

QString Editor::InputBox2(const QString& prompt, const QString& title,
                          const QString& defaultText, const QString& note) {
    if (!note.isEmpty()) {
        const qsizetype close = note.indexOf(QLatin1Char(']'));
        const QString head = close < 0 ? QString() : note.left(close + 1);
        if (close < 0 || !usageText_.contains(head)) {
            usageText_ += QStringLiteral("\r\n\r\n") + note;
            Q_EMIT UsageTextChanged(usageText_);
        }
    }
    if (!services_.prompts) return QString();
    const InputAnswer a = services_.prompts->Input(prompt, title, defaultText);
    return a.cancelled ? QString() : a.text;
}

void Editor::CaptionRoll(const QString& suffix) {
    title_ = suffix == QLatin1String("Off") ? baseTitle_ : baseTitle_ + suffix;
    Q_EMIT TitleChanged(title_);
    // Progress of long work is where the window gets to draw itself and see its Cancel
    // button.
    KeepResponsive();
}

void Editor::KelListClick() {
    if (listClickSuppressed_) return;
    CaptionRoll(QStringLiteral("Off"));
    const int i = list_.Current();
    if (i < 0) return;
    if (params_.Loaded() && params_.kelListNValue == 1) {
        if (!ApplyPendingEdits()) {
            // The edit could not be stored: stay on the entry that holds it.
            const int loaded = params_.kelListNCaption.toInt();
            if (list_.IsValidIndex(loaded)) list_.SetCurrent(loaded);
            return;
        }
    }
    LoadCommandIntoEditor(params_, CommandTextAt(i), i);
    params_.kelListNValue = 0;
    Q_EMIT ParamsChanged();
    CaptionRoll(QStringLiteral(" [") + QString::number(i) + QLatin1Char(']') +
                params_.curKelCmdCaption);
}

void Editor::ClickLine(int i) {
    list_.SetCurrent(i);
    KelListClick();
}

void Editor::SetParValue(int slot, const QString& value) {
    if (slot < 1 || slot > kSlotCount) return;
    params_.rows[size_t(slot - 1)].value = value;
    params_.kelListNValue = 1;
    editTypedOutsideStep_ = !history_.InStep();
    Q_EMIT ParamsChanged();
}

void Editor::UnloadEntry() {
    params_.kelListNCaption.clear();
    params_.curKelCmdCaption.clear();
    Q_EMIT ParamsChanged();
}

bool Editor::ApplyPendingEdits() {
    if (params_.kelListNValue != 1 || !params_.Loaded()) return true;
    // An edit applied at the start of another operation (a paste, a save) is a step of its
    // own, so that undoing the operation keeps the edit.
    const bool ownStep =
        history_.InStep() && editTypedOutsideStep_ && !history_.OpenStepChanged();
    bool ok = false;
    {
        HistoryStep step(history_, kEditStep);
        ok = ApplyLoadedEntry();
    }
    if (ok && ownStep) history_.Split(kEditStep);
    return ok;
}

bool Editor::ApplyLoadedEntry() {
    const int i = params_.kelListNCaption.toInt();
    if (!list_.IsValidIndex(i)) return true;
    const QString word = params_.curKelCmdCaption;
    Slots slots = params_.ValueSlots();
    const BuiltStatement built = BuildStatement(word, slots);
    if (!built.ok()) {
        const QString label = params_.rows[size_t(qBound(1, built.badSlot, kSlotCount) - 1)].label;
        MsgBox2(QStringLiteral("[") + label + QStringLiteral("]の値は保存できません．") +
                    built.reason,
                kButtonsOk, QStringLiteral("Edit"));
        return false;
    }
    const QString line = list_.Line(i);
    const int oldFigure = ListLineFigure(line);
    const int figure = DrawCommandFigure(built.text);
    const QString newLine = NewListLine(built.text, figure);
    if (newLine.isEmpty()) {
        RemoveFigure(figure);
        return false;
    }
    RemoveFigure(oldFigure);
    list_.Replace(i, newLine);
    LoadCommandIntoEditor(params_, built.text, i);
    params_.kelListNValue = 0;
    SetEditFg(kEditFgModified);
    Q_EMIT ParamsChanged();
    return true;
}

int Editor::DrawCommandFigure(const QString& commandText) {
    if (!services_.figures) return 0;
    const FigureShape shape = FigureShapeOfCommand(commandText);
    if (shape.figureType.isEmpty()) return 0;
    const int n = services_.figures->DrawFigureObject(kStyleNormal, shape.figureType,
                                                       shape.posText, 0);
    return n > 0 ? n : 0;
}

void Editor::RemoveFigure(int figure) {
    if (figure > 0 && services_.figures)
        services_.figures->DrawFigureObject(kStyleDel, QString(), QString(), figure);
}

QString Editor::NewListLine(const QString& commandText, int figure) {
    const QString line = MakeListLine(texts_, commandText, figure);
    if (line.isEmpty())
        MsgBox2(QStringLiteral("コマンドの数が上限(%1)を超えるため追加できません．")
                    .arg(texts_.Capacity()),
                kButtonsOk, QStringLiteral("Limit"));
    return line;
}

bool Editor::RunAction(const QString& name) {
    const auto it = actions_.constFind(name);
    if (it == actions_.constEnd()) return false;
    const QString step = StepNameOfAction(name);
    if (step.isEmpty()) {
        it.value()();
    } else {
        // Whatever the operation changes in the list is one undo step.
        HistoryStep record(history_, step);
        it.value()();
    }
    return true;
}

void Editor::RegisterAction(const QString& name, std::function<void()> action) {
    actions_.insert(name, std::move(action));
}

QStringList Editor::ActionNames() const {
    QStringList names = actions_.keys();
    names.sort();
    return names;
}

}  // namespace kel
