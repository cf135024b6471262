#include "formula/Legend.h"

#include <algorithm>

#include "common/Values.h"
#include "list/ListDocument.h"
#include "list/ListLine.h"
#include "list/ValuePickers.h"
#include "script/Statement.h"

namespace kel {

namespace {

const QString kGroup = QStringLiteral("group");

}  // namespace

int LineStyleCode(const QString& name) {
    if (name == QLatin1String("line#1")) return kLineDotted;
    if (name == QLatin1String("line#2")) return kLineDashed;
    if (name == QLatin1String("line#3")) return kLineDashDot;
    if (name == QLatin1String("line#4")) return kLineDashDotDot;
    return kLineSolid;
}

int FillStyleCode(const QString& name) {
    if (name == QLatin1String("hatch#0")) return kFillHorizontal;
    if (name == QLatin1String("hatch#1")) return kFillVertical;
    if (name == QLatin1String("hatch#2")) return kFillUpwardDiagonal;
    if (name == QLatin1String("hatch#3")) return kFillDownwardDiagonal;
    if (name == QLatin1String("hatch#4")) return kFillDiagonalCross;
    if (name == QLatin1String("hatch#5")) return kFillCross;
    return kFillSolid;
}

double LegendPenWidth(double width) {
    const double w = width == 0 ? 2 : width + 1;
    // NaN (from no text the number rule makes) cannot come here; a negative width can.
    return std::clamp(w, 1.0, kLegendMaxPenWidth);
}

LegendEntry LegendEntryOfGroup(const QString& commandText, int setNo) {
    const auto v = [&commandText](const char* name) {
        return GetParamValue(commandText, QString::fromLatin1(name));
    };
    LegendEntry e;
    e.SetNo = setNo;
    e.Gname = v("gname");
    if (e.Gname.isEmpty()) e.Gname = v("gid");
    e.Trgb = RgbFromText(v("textrgb"));
    e.Tstyle = v("textstyle");
    e.Lrgb = RgbFromText(v("linergb"));
    e.Lstyle = v("linestyle");
    e.Lwidth = Val(v("linewidth"));
    e.Brgb = RgbFromText(v("bodrrgb"));
    e.Bstyle = v("bodrstyle");
    e.Bwidth = Val(v("bodrwidth"));
    e.Argb = RgbFromText(v("areargb"));
    e.Astyle = v("areastyle");
    e.Pstyle = v("pointstyle");
    e.Psize = Val(v("iconsize"));
    return e;
}

void LegendBoard::Reset() {
    for (auto& row : rows_) row.reset();
    nextRow_ = 0;
}

int LegendBoard::SetLegend(const LegendEntry& entry) {
    int row = nextRow_;
    if (entry.SetNo >= 0 && entry.SetNo <= kLegendLastRow) row = entry.SetNo;
    rows_[size_t(row)] = entry;
    rows_[size_t(row)]->SetNo = row;
    nextRow_ = row + 1 > kLegendLastRow ? 0 : row + 1;
    return nextRow_;
}

LegendOps::LegendOps(ListDocument& editor, QObject* parent) : QObject(parent), editor_(editor) {}

QString LegendOps::LegendCaption() const {
    return open_ ? QStringLiteral("Off") : QStringLiteral("Lgnd");
}

void LegendOps::OpenLegend() {
    rowCounter_ = 0;
    board_.Reset();
    open_ = true;
    Q_EMIT Changed();
}

void LegendOps::CloseLegend() {
    if (!open_) return;
    open_ = false;
    board_.Reset();
    Q_EMIT Changed();
}

void LegendOps::ToggleLegend() {
    if (open_)
        CloseLegend();
    else
        OpenLegend();
}

void LegendOps::OpenIfClosed() {
    if (!open_) OpenLegend();
}

void LegendOps::ResetLegend() {
    CloseLegend();
    OpenLegend();
}

int LegendOps::GroupToLegendRow(int setNo, int index) {
    const KelList& list = editor_.List();
    if (!list.IsValidIndex(index)) return 0;
    const ListLineParts p = ParseListLine(editor_.Texts(), list.Line(index));
    if (p.name != kGroup) return 0;
    const int next = board_.SetLegend(LegendEntryOfGroup(p.text, setNo));
    Q_EMIT Changed();
    return next;
}

void LegendOps::SetGroupToLegend(int setNo) {
    const int current = editor_.List().Current();
    if (!editor_.List().IsValidIndex(current) || editor_.Params().curKelCmdCaption != kGroup)
        return;
    if (!editor_.ApplyPendingEdits()) return;
    rowCounter_ = GroupToLegendRow(setNo, editor_.List().Current());
}

void LegendOps::SetGroupToLegendN(const QString& n) {
    if (!open_) OpenLegend();
    // Asking for a row only to do nothing would mislead: without a loaded group, no question.
    if (!editor_.List().IsValidIndex(editor_.List().Current()) ||
        editor_.Params().curKelCmdCaption != kGroup)
        return;
    QString answer = n;
    if (answer.isEmpty()) {
        answer = editor_.InputBox2(QStringLiteral("セットする凡例番号を入力してください"),
                                   QStringLiteral("Legend No"), QString::number(rowCounter_))
                     .trimmed();
        if (answer.isEmpty()) return;
    }
    // A row past either end takes the next row (SetLegend); the clamp only keeps the number
    // within what an int holds.
    const double row = std::clamp(double(RoundHalfEven(Val(answer))), -1.0, double(kLegendRows));
    rowCounter_ = int(row);
    SetGroupToLegend(rowCounter_);
}

void LegendOps::SetAllGroupsToLegend() {
    if (!editor_.ApplyPendingEdits()) return;
    const KelList& list = editor_.List();
    for (int i = 0; i < list.Count(); ++i) {
        // The counter follows the last row filled; other lines leave it.
        if (ListLineName(list.Line(i)) == kGroup) rowCounter_ = GroupToLegendRow(kLegendNextRow, i);
    }
}

void InstallLegendActions(ListDocument& editor, LegendOps& legend) {
    LegendOps* l = &legend;
    for (const char* name : {"Legend", "MenuViewLegend"})
        editor.RegisterAction(QString::fromLatin1(name), [l] { l->ToggleLegend(); });
    editor.RegisterAction(QStringLiteral("MenuViewResetLegend"), [l] { l->ResetLegend(); });
    editor.RegisterAction(QStringLiteral("MenuViewSetGroup"), [l] {
        l->OpenIfClosed();
        l->SetGroupToLegend(kLegendNextRow);
    });
    editor.RegisterAction(QStringLiteral("MenuViewSetGroupN"),
                          [l] { l->SetGroupToLegendN(QString()); });
    editor.RegisterAction(QStringLiteral("MenuViewSetAllGroup"), [l] {
        l->OpenIfClosed();
        l->SetAllGroupsToLegend();
    });
}

}  // namespace kel
