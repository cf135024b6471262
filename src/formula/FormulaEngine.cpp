#include "formula/FormulaEngine.h"

#include <cmath>

#include "list/ListDocument.h"
#include "common/Values.h"
#include "formula/FormulaFunction.h"
#include "formula/ListWalk.h"
#include "formula/UsageSummary.h"
#include "list/ListLine.h"
#include "platform/Clock.h"
#include "platform/Spreadsheet.h"
#include "script/Statement.h"
#include "script/StatementWriter.h"

namespace kel {

// --- FormulaCall ---------------------------------------------------------------------------

double FormulaCall::Num(int i) const { return Val(args[i]); }

qint64 FormulaCall::Rounded(int i) const { return RoundHalfEven(Val(args[i])); }

QString FormulaCall::Eval(const QString& text) const { return engine.Eval(context, text); }

ListDocument& FormulaCall::editor() const { return engine.editor(); }

// --- Engine --------------------------------------------------------------------------------

FormulaEngine::FormulaEngine(ListDocument& editor, QObject* parent)
    : QObject(parent), editor_(editor) {
    const Clock* clock = editor.Services().clock;
    random_.seed(clock ? std::uint32_t(clock->Now().toMSecsSinceEpoch()) : 0u);
    KelList& list = editor.List();
    connect(&list, &KelList::LineChanged, this, [this](int i) { ListChanged(i); });
    connect(&list, &KelList::SelectionChanged, this, [this](int i) { ListChanged(i); });
    connect(&list, &KelList::LinesInserted, this, [this] { DropRankCache(); });
    connect(&list, &KelList::LinesRemoved, this, [this] { DropRankCache(); });
    connect(&list, &KelList::ListReset, this, [this] { DropRankCache(); });
}

FormulaEngine::~FormulaEngine() { workbook_.Release(); }

void FormulaEngine::SetCalcResult(const QString& text) {
    calcResult_ = text;
    Q_EMIT CalcResultChanged(calcResult_);
}

double FormulaEngine::NextRandom() {
    // Seven decimal places at most, so that the single-precision text never rounds up to 1.
    std::uniform_int_distribution<int> digits(0, 9999999);
    return digits(random_) / 1e7;
}

void FormulaEngine::ReleaseSpreadsheet() {
    workbook_.Release();
    if (spreadsheet_) spreadsheet_->Quit();
}

FormulaContext FormulaEngine::LineContext(int i, double index) const {
    FormulaContext c;
    c.index = index;
    const KelList& list = editor_.List();
    if (list.IsValidIndex(i)) {
        const QString& line = list.Line(i);
        c.commandWord = ListLineName(line);
        c.commandText = editor_.Texts().Text(ListLineSlot(line));
    }
    return c;
}

QString FormulaEngine::EvaluateFormula(double index, const QString& commandText,
                                       const QString& commandWord, const QString& formula) {
    return EvaluateFormula(FormulaContext{index, commandText, commandWord}, formula);
}

QString FormulaEngine::EvaluateFormula(const FormulaContext& context, const QString& formula) {
    if (depth_ > 0) return Eval(context, formula);
    // A whole evaluation: when it is cut short at the depth bound, whatever it changed is
    // put back and its result is the error text.
    aborted_ = false;
    snapshot_.reset();
    QString result = Eval(context, formula);
    if (aborted_) {
        if (snapshot_) Restore(*snapshot_);
        result = kFormulaTooDeep;
    }
    aborted_ = false;
    snapshot_.reset();
    return result;
}

bool FormulaEngine::BeginChange() {
    if (aborted_) return false;
    if (!snapshot_) {
        const KelList& list = editor_.List();
        Snapshot s;
        s.lines = list.Lines();
        s.current = list.Current();
        s.editFg = editor_.EditFg();
        s.counter = counter_;
        s.storedIndex = storedIndex_;
        snapshot_ = std::move(s);
    }
    return true;
}

bool FormulaEngine::BeginListChange() {
    if (!BeginChange()) return false;
    if (!snapshot_->selected) {
        snapshot_->selected = editor_.List().SelectedIndexes();
        snapshot_->logSizeAtSelected = snapshot_->selectionLog.size();
    }
    return true;
}

bool FormulaEngine::SetLineSelected(int i, bool on) {
    KelList& list = editor_.List();
    if (!list.IsValidIndex(i) || list.Selected(i) == on) return true;
    if (!BeginChange()) return false;
    snapshot_->selectionLog.emplace_back(i, list.Selected(i));
    list.SetSelected(i, on);
    return true;
}

void FormulaEngine::Restore(const Snapshot& s) {
    KelList& list = editor_.List();
    if (list.Lines() != s.lines) list.SetLines(s.lines);  // lines change only with `selected`
    size_t replay = s.selectionLog.size();
    if (s.selected) {
        std::vector<char> want(size_t(list.Count()), 0);
        for (int i : *s.selected)
            if (list.IsValidIndex(i)) want[size_t(i)] = 1;
        for (int i = 0; i < list.Count(); ++i) list.SetSelected(i, want[size_t(i)] != 0);
        replay = s.logSizeAtSelected;
    }
    for (size_t k = replay; k-- > 0;) list.SetSelected(s.selectionLog[k].first, s.selectionLog[k].second);
    list.SetCurrent(s.current);
    editor_.SetEditFg(s.editFg);
    counter_ = s.counter;
    storedIndex_ = s.storedIndex;
}

QString FormulaEngine::Eval(const FormulaContext& context, const QString& formula) {
    if (aborted_) return kFormulaTooDeep;
    if (editor_.CancelRequested()) {
        // Cancelled: the evaluation stops here and what it changed is put back.
        aborted_ = true;
        return kFormulaTooDeep;
    }
    // A formula can walk the list inside a walk of the list (CmdNum within CmdNum): the
    // window gets to draw itself and see its Cancel button between evaluations too.
    if ((++evaluations_ & 255) == 0) {
        editor_.KeepResponsive();
        if (editor_.CancelRequested()) {
            aborted_ = true;
            return kFormulaTooDeep;
        }
    }
    if (depth_ >= kMaxFormulaDepth) {
        aborted_ = true;
        return kFormulaTooDeep;
    }
    struct DepthScope {
        int& d;
        explicit DepthScope(int& depth) : d(depth) { ++d; }
        ~DepthScope() { --d; }
    } scope(depth_);

    const SplitTable t = SplitFormula(formula);
    const QString& name = t[1];
    if (name.isEmpty()) {
        // "(text)" passes its text unevaluated; any other text without a name is itself.
        if (TrimFormulaBlanks(formula).startsWith(QLatin1Char('('))) return t[2];
        return t[0];
    }

    // A parameter of the context command, optionally with an element number.
    if (ParamSlot(context.commandWord, name) >= 1) {
        const SplitTable a = SplitArguments(t[2]);
        qint64 k = 0;
        if (a.Count() != 0) k = RoundHalfEven(Val(Eval(context, a[1])));
        QString value = GetParamValue(context.commandText, name);
        if (k == 0) return value;
        if (k < 0 || k > kSplitLimit) return QString();
        return SplitFormula(value)[int(k)];
    }

    const FormulaFunctionDef* def = FindFormulaFunction(name);
    if (!def) return t[0];
    if (!def->pure) {
        ++impureCalls_;
        static const FormulaFunctionDef* const rank = FindFormulaFunction(QStringLiteral("Rank"));
        if (def != rank) ++volatileCalls_;
        if (hooks_.beforeImpureCall) hooks_.beforeImpureCall();
    }

    SplitTable args;
    if (def->evaluated != FormulaArgs::Whole) args = SplitArguments(t[2]);
    int evaluate = 0;
    switch (def->evaluated) {
    case FormulaArgs::None:
    case FormulaArgs::Whole: evaluate = 0; break;
    case FormulaArgs::First1: evaluate = 1; break;
    case FormulaArgs::First2: evaluate = 2; break;
    case FormulaArgs::First3: evaluate = 3; break;
    case FormulaArgs::First5: evaluate = 5; break;
    case FormulaArgs::All: evaluate = args.Pieces(); break;
    }
    evaluate = qMin(evaluate, args.Pieces());
    for (int i = 1; i <= evaluate; ++i) args.SetPiece(i, Eval(context, args.Piece(i)));

    FormulaCall call{*this, context, t[0], t[2], args};
    return def->fn(call);
}

void FormulaEngine::InputFormula(const QString& formula, int index) {
    QString f = formula;
    if (f.isEmpty()) {
        const QString message = QStringLiteral("計算式を入力してください") + QLatin1Char('\n') +
                                QString(51, QLatin1Char('-'));
        f = editor_.InputBox2(message, QStringLiteral("Input Formula"), lastFormula_,
                              UsageSummary(1));
        f = TrimFormulaBlanks(f).toString();
    }
    if (f.isEmpty()) return;
    KelList& list = editor_.List();
    if (!list.IsValidIndex(index)) return;
    lastFormula_ = f;
    ListClickGuard guard(editor_);
    CancellableWalk cancel(editor_, *this);
    const QString r = EvaluateFormula(LineContext(index), f);
    if (cancel.Cancelled()) return;
    list.SetCurrent(index);
    SetCalcResult(r);
}

}  // namespace kel
