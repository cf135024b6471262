// The bulk input of a parameter value ("Lump Input Par") and the group ids from `group`
// commands that are set through it.
#include <QObject>
#include <cmath>
#include <vector>

#include "list/ListDocument.h"
#include "common/Values.h"
#include "formula/BulkOps.h"
#include "formula/FormulaEngine.h"
#include "formula/ListWalk.h"
#include "list/ListLine.h"
#include "platform/Prompts.h"
#include "script/Statement.h"
#include "script/StatementWriter.h"

namespace kel {

namespace {

const QString kEquationTitle = QStringLiteral("Input equation");

QString EquationMessage() {
    return QStringLiteral("(左辺)=(右辺)を入力してください") + QLatin1Char('\n') +
           QStringLiteral("(左辺) セットしたいPar名（()付きでPar内値を指定可能）") +
           QLatin1Char('\n') + QStringLiteral("(右辺) セットする式（下記関数をカンマ区切りで）");
}

std::vector<char> SelectionStates(const KelList& list) {
    std::vector<char> states(size_t(list.Count()), 0);
    for (int i : list.SelectedIndexes()) states[size_t(i)] = 1;
    return states;
}

// One run of the bulk input over the list.
//
// The new lines are kept aside and put in the list in one step at the end, as long as the
// formulas read only the line they are evaluated for. Before a formula looks further (another
// line, the selection, the evaluator's state) the lines made so far are put in place and the
// rest of the run replaces line by line, so every formula sees the list exactly as a
// line-by-line run leaves it.
class LumpRun {
public:
    LumpRun(ListDocument& editor, FormulaEngine& engine, const LumpEquation& equation, bool hold)
        : editor_(editor), engine_(engine), list_(editor.List()), e_(equation),
          progress_(editor), held_(hold) {
        if (held_) lines_ = list_.Lines();
    }

    // Puts the lines kept aside into the list; from then on lines are replaced one by one.
    void Release() {
        if (!held_) return;
        held_ = false;
        if (changedHeld_) {
            const std::vector<char> states = SelectionStates(list_);
            list_.SetLines(lines_);
            list_.SetSelection(states);
        }
        lines_.clear();
    }

    void Process(int i) {
        progress_.Show(i);
        const FormulaContext context = engine_.LineContext(i);
        if (ParamSlot(context.commandWord, e_.name) < 1) return;
        QString value;
        for (int k = 1; k <= e_.pieces.Pieces(); ++k) {
            if (k > 1) value += QLatin1Char(',');
            value += engine_.EvaluateFormula(context, e_.pieces.Piece(k));
        }
        QString element;
        if (e_.hasElement) element = engine_.EvaluateFormula(context, e_.element);

        // The line as it is now: a formula of this line may itself have changed it.
        if (!list_.IsValidIndex(i)) return;
        const QString line = list_.Line(i);
        Slots slots;
        const QString word = ParseStatement(editor_.Texts().Text(ListLineSlot(line)), slots);
        const int slot = ParamSlot(word, e_.name);
        if (slot < 1) return;
        QString newValue = value;
        if (e_.hasElement && !SetElement(slots[slot], element, value, newValue)) return;
        slots[slot] = newValue;
        const BuiltStatement built = BuildStatement(word, slots);
        if (!built.ok()) {
            if (refused_++ == 0) refusal_ = built.reason;
            return;
        }
        // Making room in a full text store renumbers the slots of the list's lines: the
        // lines kept aside must be in the list by then.
        CommandTexts& texts = editor_.Texts();
        if (held_ && texts.LastTextSlot() >= texts.Capacity()) Release();
        const QString newLine = NewLine(word, slots, built.text, ListLineFigure(line));
        if (newLine.isEmpty()) {
            stopped_ = true;
            return;
        }
        ++changed_;
        if (held_) {
            lines_[i] = newLine;
            changedHeld_ = true;
        } else {
            list_.Replace(i, newLine);
        }
        // The old text is read no more: the line's formulas are done, other lines' formulas
        // read the list (held lines are put in place before any formula looks beyond its
        // own line), and without kept texts nothing brings the old line back.
        texts.ReleaseReplaced(ListLineSlot(line));
    }

    bool Stopped() const { return stopped_; }

    // The list line of a built command: its columns come from the slots it was built from
    // (the writer's text reads back as those slots), which spares parsing the text again.
    QString NewLine(const QString& word, const Slots& slots, const QString& text, int figure) {
        const int slot = editor_.Texts().Store(text);
        if (slot == 0) return editor_.NewListLine(text, figure);  // tells the user
        const auto value = [&](const QString& name) {
            const int k = ParamSlot(word, name);
            return k >= 1 ? slots[k] : QString();
        };
        const bool isFigure = IsFigureCommand(word);
        const QString oid = isFigure ? value(QStringLiteral("oid")) : QString();
        const QString gid = isFigure || word == QLatin1String("group") ? value(QStringLiteral("gid"))
                                                                       : QString();
        return FormatListLine(word, oid, gid, slot, figure);
    }
    int Changed() const { return changed_; }
    int Refused() const { return refused_; }
    const QString& Refusal() const { return refusal_; }
    WalkProgress& Progress() { return progress_; }

private:
    ListDocument& editor_;
    FormulaEngine& engine_;
    KelList& list_;
    const LumpEquation& e_;
    WalkProgress progress_;
    bool held_;
    bool changedHeld_ = false;
    QStringList lines_;
    bool stopped_ = false;
    int changed_ = 0;
    int refused_ = 0;
    QString refusal_;
};

}  // namespace

bool ParseLumpEquation(const QString& equation, LumpEquation& out) {
    const qsizetype at = equation.indexOf(QLatin1Char('='));
    if (at < 0) return false;
    const QString left = TrimFormulaBlanks(QStringView(equation).left(at)).toString();
    const QString right = TrimFormulaBlanks(QStringView(equation).mid(at + 1)).toString();
    const SplitTable l = SplitFormula(left);
    // A left side whose parentheses do not balance names no parameter.
    out.name = l.Count() >= 1 ? l[1] : QString();
    out.hasElement = l.Count() >= 2;
    out.element = out.hasElement ? l[2] : QString();
    out.pieces = SplitArguments(right);
    return true;
}

bool SetElement(const QString& current, const QString& elementText, const QString& value,
                QString& out) {
    const QString t = TrimFormulaBlanks(elementText).toString();
    double n = 0;
    if (!t.isEmpty()) {
        bool ok = false;
        n = t.toDouble(&ok);
        if (!ok || !std::isfinite(n)) return false;
    }
    const qint64 k = RoundHalfEven(n);
    if (k < 0 || k > kSplitLimit) return false;
    const SplitTable parts = SplitArguments(current);
    if (parts.Count() < 0) return false;
    QStringList elements;
    elements.reserve(parts.Pieces() + 1);
    for (int i = 1; i <= parts.Pieces(); ++i) elements << parts.Piece(i);
    if (k == 0) {
        elements << value;
    } else {
        if (k > elements.size()) return false;
        elements[k - 1] = value;
    }
    out = elements.join(QLatin1Char(','));
    return true;
}

BulkOps::BulkOps(ListDocument& editor, FormulaEngine& engine) : editor_(editor), engine_(engine) {}

void BulkOps::RunLumpInput(const QString& equation, int index) {
    RunLumpInput(equation, index, true);
}

void BulkOps::LumpInputWithoutPrompt(const QString& equation) {
    RunLumpInput(equation, -1, false);
}

void BulkOps::RunLumpInput(const QString& equation, int index, bool prompt) {
    KelList& list = editor_.List();
    if (list.Count() == 0) return;
    if (index >= 0 && (!list.IsValidIndex(list.Current()) || !list.IsValidIndex(index))) return;
    QString eq = equation;
    if (prompt)
        eq = PromptStep(editor_, equation, lastEquation_, true, EquationMessage(), kEquationTitle, 1)
                 .text;
    if (eq.isEmpty()) return;
    lastEquation_ = eq;
    LumpEquation e;
    if (!ParseLumpEquation(eq, e)) return;
    // Edits waiting in the parameter editor go in first: reloading the editor at the end
    // would otherwise write them over what this run stores in their command.
    if (!editor_.ApplyPendingEdits()) return;

    WalkClickScope click(editor_, engine_);
    click.ClickAtEnd();
    CancellableWalk cancel(editor_, engine_);
    engine_.EmptyFormulaCounter();

    LumpRun run(editor_, engine_, e, index < 0);
    if (index >= 0) {
        engine_.SetStoredIndex(index);
        run.Process(index);
    } else {
        ImpureCallScope release(engine_, [&run] { run.Release(); });
        // Formulas that select or deselect lines have no lasting effect: the selection is
        // put back after every line that changed it.
        const std::vector<char> saved = SelectionStates(list);
        const bool all = list.SelectedCount() == 0;
        bool touched = false;
        const QMetaObject::Connection watch = QObject::connect(
            &list, &KelList::SelectionChanged, &list, [&touched] { touched = true; });
        for (int i = 0; i < list.Count() && size_t(i) < saved.size(); ++i) {
            if (!all && !saved[size_t(i)]) continue;
            run.Process(i);
            if (touched) {
                list.SetSelection(saved);
                touched = false;
            }
            if (run.Stopped() || cancel.Cancelled()) break;
        }
        QObject::disconnect(watch);
        run.Release();
    }
    run.Progress().Off();
    if (cancel.Cancelled()) return;
    if (run.Changed() > 0) editor_.SetEditFg(kEditFgModified);
    if (run.Refused() > 0)
        editor_.MsgBox2(QStringLiteral("[") + e.name + QStringLiteral("]の値は保存できません．") +
                            run.Refusal() + QStringLiteral("\r\n") +
                            QStringLiteral("%1個のコマンドは変更していません．").arg(run.Refused()),
                        kButtonsOk, kEquationTitle);
}

void BulkOps::SetGidByGroup() {
    KelList& list = editor_.List();
    const int current = list.Current();
    if (!list.IsValidIndex(current)) return;
    const ListLineParts p = ParseListLine(editor_.Texts(), list.Line(current));
    if (p.name != QLatin1String("group")) {
        editor_.MsgBox2(QStringLiteral("リスト内のgroupコマンドをカレントにして下さい") +
                            QLatin1Char('\n') +
                            QStringLiteral("gnameパラメータに検索条件文字列をセットしてください"),
                        kButtonsOk, QStringLiteral("Please..."));
        return;
    }
    // The group's own gid, whole: the list column is cut to its width.
    const QString g = GetParamValue(p.text, QStringLiteral("gid"));
    if (editor_.MsgBox2(QStringLiteral("gnameパラメータの検索条件文字列を満たすオブジェクトに[") + g +
                            QStringLiteral("]をセットします"),
                        kButtonsYesNo, QStringLiteral("OK...?")) != kAnswerYes)
        return;
    const QString c = GetParamValue(p.text, QStringLiteral("gname"));
    if (c.isEmpty()) {
        editor_.MsgBox2(
            QStringLiteral("groupコマンドの[gname]パラメータに検索条件文字列をセットしてください"),
            kButtonsOk, QStringLiteral("Please..."));
        return;
    }
    // The gid goes in brackets so that it is stored as written: a gid such as "A,B" or
    // "Index" would otherwise be split or evaluated.
    RunLumpInput(QStringLiteral("gid=If(And(Not(Cond(Cmd=group)),Cond(") + TrimBlanks(c) +
                     QStringLiteral(")),(") + g + QStringLiteral("),gid)"),
                 -1, true);
}

void BulkOps::SetGidByAllGroups() {
    KelList& list = editor_.List();
    const int remembered = list.Current();
    bool ran = false;
    for (int i = 0; i < list.Count(); ++i) {
        {
            ListClickGuard quiet(editor_);
            list.SetCurrent(i);
        }
        if (ListLineName(list.Line(i)) == QLatin1String("group")) {
            SetGidByGroup();
            ran = true;
        }
    }
    {
        ListClickGuard quiet(editor_);
        list.SetCurrent(remembered);
    }
    // The parameter editor shows the line that is current again.
    if (ran) editor_.KelListClick();
}

}  // namespace kel
