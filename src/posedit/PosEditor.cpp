#include "posedit/PosEditor.h"

#include <QHash>
#include <algorithm>

#include "common/FileLength.h"
#include "geo/Coordinates.h"
#include "geo/EditorMeasure.h"
#include "geo/Geometry.h"
#include "geo/MapMark.h"
#include "geo/NearestPos.h"
#include "geo/PosList.h"
#include "list/ListDocument.h"
#include "list/ListEntryTracker.h"
#include "list/ListLine.h"
#include "platform/Prompts.h"
#include "proatlas/FigureDrawing.h"
#include "proatlas/ProAtlas.h"

namespace kel {

namespace {

const QString kCaution = QStringLiteral("Caution");
constexpr int kWarn = kButtonsOk + kIconExclamation;

bool IsKind(const QString& kind, const char* name) { return kind == QLatin1String(name); }

}  // namespace

const std::vector<PosMenuItem>& PosEditorFileMenu() {
    static const std::vector<PosMenuItem> kItems{
        {QStringLiteral("MenuFileOk"), QStringLiteral("OK(&O)")},
        {QStringLiteral("MenuFileCancel"), QStringLiteral("Cancel(&C)")},
        {QStringLiteral("MenuFileArrow"), QStringLiteral("Change Arrow(&A)")},
        {QStringLiteral("MenuFileCmd"), QStringLiteral("Change Command(&C)")},
    };
    return kItems;
}

const std::vector<PosMenuItem>& PosEditorEditMenu() {
    static const std::vector<PosMenuItem> kItems{
        {QStringLiteral("MenuEditAction"), QStringLiteral("[*]")},
        {QStringLiteral("MenuEditIdo"), QStringLiteral("Edit Latitude(&I)")},
        {QStringLiteral("MenuEditKei"), QStringLiteral("Edit Longitude(&K)")},
        {QStringLiteral("MenuEditSnapFg"), QStringLiteral("Snap ON/OFF(&S)")},
        {QStringLiteral("MenuEditDispNumFg"), QStringLiteral("Disp Num ON/OFF(&N)")},
        {QStringLiteral("MenuEditClickAdd"), QStringLiteral("Mode[Add](&A)")},
        {QStringLiteral("MenuEditClickMov"), QStringLiteral("Mode[Move](&M)")},
        {QStringLiteral("MenuEditClickIns"), QStringLiteral("Mode[Insert](&I))")},
        {QStringLiteral("MenuEditClickSrch"), QStringLiteral("Mode[Search](&S)")},
        {QStringLiteral("MenuEditClickSrchPoint"), QStringLiteral("Search Point(&S)")},
        {QStringLiteral("MenuEditClickDel"), QStringLiteral("Delete Point(&D)")},
        {QStringLiteral("MenuEditRefresh"), QStringLiteral("Refresh List(&R)")},
        {QStringLiteral("MenuEditCalc"), QStringLiteral("Calculate(&C)")},
    };
    return kItems;
}

PosEditor::PosEditor(ListDocument& document, MapFigureDisplay& map, QObject* parent)
    : QObject(parent), document_(document), map_(map),
      target_(new ListEntryTracker(document.List(), this)) {}

PosEditor::~PosEditor() = default;

// --- Opening ---------------------------------------------------------------------------------

bool PosEditor::ConfirmReopen() {
    if (!open_ || !modified_) return true;
    return document_.MsgBox2(QStringLiteral("位置の編集中です．入力した座標を破棄して開き直しますか？"),
                             kAskLoseWork, kCaution) == kAnswerYes;
}

void PosEditor::Open(const QString& title) {
    if (open_) Cancel();
    title_ = title;
    open_ = true;
    modified_ = false;
    curIdo_ = curKei_ = kBlankCoord;
    arrowStr_.clear();
    arrowVisible_ = false;
    calcResult_.clear();
    previous_ = 0;
    if (mapExecutable) {
        const QString exe = mapExecutable();
        if (FileLength(exe) < 0)
            document_.MsgBox2(QStringLiteral("ProAtlasの実行ファイル（patls98.exe）の場所がわかりません．[KelEditor.dat]に指定してください．"),
                              kButtonsOk, QStringLiteral("Please"));
    }
    Q_EMIT Opened();
}

void PosEditor::OpenForSlot(int row) {
    const ParamEditorState& params = document_.Params();
    if (row < 0 || row >= kSlotCount || !params.Loaded()) return;
    if (!ConfirmReopen()) return;
    const QString p = params.rows[size_t(row)].value.trimmed();
    const QString kind = params.curKelCmdCaption;
    Open(kEditPosTitle);
    target_->Follow(params.kelListNCaption.toInt());
    targetRow_ = row + 1;
    handback_ = nullptr;
    kelCmd_ = kind;
    posListStr_ = p + QLatin1Char(' ');
    if (IsKind(kind, "line") || IsKind(kind, "area")) {
        QString rest;
        arrowStr_ = SplitArrow(p, &rest);
        posListStr_ = rest.trimmed() + QLatin1Char(' ');
        arrowVisible_ = true;
    }
    if (p.size() >= 3 && IsKind(kind, "point")) mode_ = PosMode::kMove;
    if (p.size() < 3) mode_ = PosMode::kAdd;
    DoRefreshPos();
}

void PosEditor::OpenGetPos(const QString& figureType, const QString& posText, Handback handback) {
    if (!ConfirmReopen()) return;
    Open(kGetPosTitle);
    target_->Stop();
    handback_ = std::move(handback);
    kelCmd_ = figureType.isEmpty() ? QStringLiteral("rect") : figureType;
    posListStr_ = posText.trimmed() + QLatin1Char(' ');
    if (posText.trimmed().isEmpty()) mode_ = PosMode::kAdd;
    DoRefreshPos();
}

// --- Labels, figure and mark on the map ----------------------------------------------------

int PosEditor::AddLabel(const QString& lat, const QString& lon, int number) {
    if (!dispNum_) return 0;
    ProAtlas* app = map_.Map();
    if (!app) return 0;
    const auto ms = [](const QString& kel) { return QString::number(DegreesToMilliArc(KelToDegrees(kel))); };
    return std::max(0, app->AddTextEx(ms(lat), ms(lon), QString::number(number), 1, 0, 0, 0));
}

void PosEditor::RemoveLabel(PosPoint& point) {
    if (point.labelId != 0) {
        if (ProAtlas* app = map_.Map()) app->DeleteText(point.labelId);
    }
    point.labelId = 0;
}

void PosEditor::RemoveAllLabels() {
    for (PosPoint& p : points_) RemoveLabel(p);
}

PosPoint PosEditor::NewPoint(const QString& lat, const QString& lon) {
    PosPoint p;
    p.number = ++counter_;
    p.lat = lat;
    p.lon = lon;
    p.labelId = AddLabel(lat, lon, p.number);
    return p;
}

void PosEditor::RemoveMark() {
    if (markFigure_ > 0) map_.DrawFigureObject(kStyleDel, QStringLiteral("point"), QString(), markFigure_);
    markFigure_ = 0;
}

void PosEditor::ClearFigure() {
    if (editFigure_ > 0) map_.DrawFigureObject(kStyleDel, editFigureKind_, QString(), editFigure_);
    editFigure_ = 0;
    editFigureKind_.clear();
    RemoveMark();
}

void PosEditor::Disp() {
    ClearFigure();
    const QString kind = kelCmd_;
    if (!(IsKind(kind, "line") || IsKind(kind, "rect") || IsKind(kind, "circle1") ||
          IsKind(kind, "circle2") || IsKind(kind, "area")))
        return;
    if (IsKind(kind, "rect") && points_.size() < 2) return;
    QString drawKind = kind;
    QString text = PositionText();
    if (IsKind(kind, "circle2")) {
        // The map draws a circle from its centre and a rim point due north: the two ends of
        // the diameter become that form.
        const PosDegrees d = ParsePosDegrees(text);
        if (d.count() < 2) return;
        const double lat = (d.lat[0] + d.lat[1]) / 2, lon = (d.lon[0] + d.lon[1]) / 2;
        const double r_deg = RadiusToDegrees(CalcDistance(d.lat[0], d.lon[0], d.lat[1], d.lon[1]) / 2);
        drawKind = QStringLiteral("circle1");
        text = KelOfDegrees(lat) + QLatin1Char(',') + KelOfDegrees(lon) + QLatin1Char(',') + KelOfDegrees(lat + r_deg) +
               QLatin1Char(',') + KelOfDegrees(lon);
    }
    const int h = map_.DrawFigureObject(kStyleEdit, drawKind, text, 0);
    editFigure_ = h > 0 ? h : 0;
    editFigureKind_ = drawKind;
}

double PosEditor::MarkerSize() const { return map_.MarkerSize(); }

// --- What the window shows -----------------------------------------------------------------

QStringList PosEditor::PosListLines() const {
    QStringList lines;
    lines.reserve(qsizetype(points_.size()));
    for (const PosPoint& p : points_) lines << PosListLine(p);
    return lines;
}

QString PosEditor::PositionText() const { return BuildPosText(kelCmd_, arrowStr_, points_); }

void PosEditor::Notify() { Q_EMIT Changed(); }

// --- Operations -------------------------------------------------------------------------------

void PosEditor::DoRefreshPos() {
    counter_ = 0;
    if (!posListStr_.isEmpty()) {
        const QString text = posListStr_.trimmed();
        RemoveAllLabels();
        points_ = PointsOfPosText(text);
        // A stored area repeats its first point at the end; OK closes the ring again.
        if (kelCmd_.toUpper() == QLatin1String("AREA") && points_.size() > 1 &&
            SamePosition(points_.front(), points_.back()))
            points_.pop_back();
        selected_ = points_.empty() ? -1 : 0;
        posListStr_.clear();
    }
    if (!points_.empty()) {
        refreshCaption_ = QStringLiteral("Setting...");
        Notify();
        for (PosPoint& p : points_) {
            RemoveLabel(p);
            p.number = ++counter_;
            p.labelId = AddLabel(p.PlainLat(), p.PlainLon(), p.number);
        }
        refreshCaption_ = QStringLiteral("Refresh");
        Calc();
    }
    SetDispFigureFg(true);
    Notify();
}

bool PosEditor::ReadMarkInto() {
    const QString latText = map_.MarkLatitude();
    const QString lonText = map_.MarkLongitude();
    if (latText.trimmed().isEmpty() || lonText.trimmed().isEmpty()) {
        document_.MsgBox2(QStringLiteral("マークがありません．地図をクリックしてマークを付けてください．"),
                          kWarn, kCaution);
        return false;
    }
    const QString lat = MarkTextToKelTenths(latText);
    const QString lon = MarkTextToKelTenths(lonText);
    if (lat.isEmpty() || lon.isEmpty()) {
        document_.MsgBox2(MarkProblemText(latText, lonText), kWarn, kCaution);
        return false;
    }
    curIdo_ = lat;
    curKei_ = lon;
    return true;
}

void PosEditor::SnapCurrent() {
    NearestPosQuery q;
    const MarkPosition mark = usingMark_ ? ReadMark(&map_) : MarkPosition{};
    q.lat_deg = mark.valid ? mark.lat_deg : KelToDegrees(curIdo_);
    q.lon_deg = mark.valid ? mark.lon_deg : KelToDegrees(curKei_);
    q.searchDistance_km = MarkerSize();
    q.tolerance_km = 5 * MarkerSize();
    q.excludeIndex = IsGetPos() ? -1 : target_->Index();
    const NearestPos n = GetNearestPos(document_, q);
    document_.CaptionRoll(QStringLiteral("Off"));
    if (!n.found()) return;
    curIdo_ = KelOfDegrees(n.lat_deg);
    curKei_ = KelOfDegrees(n.lon_deg);
}

void PosEditor::Search() {
    selected_ = -1;
    const MarkPosition mark = usingMark_ ? ReadMark(&map_) : MarkPosition{};
    const double lat = mark.valid ? mark.lat_deg : KelToDegrees(curIdo_);
    const double lon = mark.valid ? mark.lon_deg : KelToDegrees(curKei_);
    ProAtlas* app = map_.Map();
    const double tolerance =
        app && app->Map() ? SearchTolerance_km(app->Map()->LayerScale()) : MarkerSize();
    for (size_t i = 0; i < points_.size(); ++i) {
        const PosPoint& p = points_[i];
        if (PlaneDistance_km(lat, lon, KelToDegrees(p.PlainLat()), KelToDegrees(p.PlainLon())) < tolerance) {
            selected_ = int(i);
            break;
        }
    }
    if (selected_ >= 0) mode_ = PosMode::kMove;
}

void PosEditor::Action() {
    if (!open_) return;
    if (!ReadMarkInto()) return;
    ActAtCurrent(true);
}

bool PosEditor::EnterTyped() {
    if (!open_) return false;
    const QString lat = curIdo_.trimmed(), lon = curKei_.trimmed();
    if (!IsCoordText(lat, CoordFormat::kKEL) || !IsCoordText(lon, CoordFormat::kKEL)) {
        document_.MsgBox2(QStringLiteral("座標[") + lat + QLatin1Char(',') + lon +
                              QStringLiteral("]を読めません．度/分/秒(000/00/00.0)の形で入力してください．"),
                          kWarn, kCaution);
        return false;
    }
    curIdo_ = ConvertCoord(lat, QStringLiteral("KEL"), QStringLiteral("KEL"));
    curKei_ = ConvertCoord(lon, QStringLiteral("KEL"), QStringLiteral("KEL"));
    ActAtCurrent(false);
    return true;
}

void PosEditor::ActAtCurrent(bool fromMark) {
    usingMark_ = fromMark;
    if (referPos_ && mode_ != PosMode::kSearch) SnapCurrent();
    const bool hasLine = selected_ >= 0 && selected_ < int(points_.size());
    switch (mode_) {
        case PosMode::kMove:
            if (hasLine) {
                PosPoint& p = points_[size_t(selected_)];
                RemoveLabel(p);
                p.labelId = AddLabel(curIdo_, curKei_, p.number);
                p.lat = (p.Bang() ? QStringLiteral("!") : QString()) + curIdo_;
                p.lon = curKei_ + (p.Amp() ? QStringLiteral("&") : QString());
                modified_ = true;
                Calc();
            }
            break;
        case PosMode::kInsert:
            if (hasLine) {
                points_.insert(points_.begin() + selected_, NewPoint(curIdo_, curKei_));
                modified_ = true;
                Calc();
            }
            break;
        case PosMode::kAdd:
            points_.push_back(NewPoint(curIdo_, curKei_));
            selected_ = int(points_.size()) - 1;
            if (IsKind(kelCmd_, "point")) mode_ = PosMode::kMove;
            modified_ = true;
            Calc();
            break;
        case PosMode::kSearch:
            Search();
            break;
        case PosMode::kNone:
            break;
    }
    if (dispFigureFg_) Disp();
    Notify();
}

void PosEditor::MapClicked() {
    if (open_) Action();
}

void PosEditor::SearchPos() {
    mode_ = PosMode::kSearch;
    Action();
    Notify();
}

void PosEditor::DeletePos() {
    if (selected_ < 0 || selected_ >= int(points_.size())) return;
    RemoveLabel(points_[size_t(selected_)]);
    points_.erase(points_.begin() + selected_);
    if (points_.empty()) {
        selected_ = -1;
        mode_ = PosMode::kAdd;
    } else if (selected_ >= int(points_.size())) {
        selected_ = int(points_.size()) - 1;
    }
    modified_ = true;
    if (dispFigureFg_) Disp();
    Notify();
}

void PosEditor::ClickLine(int i) {
    if (i < 0 || i >= int(points_.size())) return;
    selected_ = i;
    RemoveMark();
    const PosPoint& p = points_[size_t(i)];
    if (!dispNum_) {
        const int h = map_.DrawFigureObject(kStyleSnapNode, QStringLiteral("point"),
                                            p.PlainLat() + QLatin1Char(',') + p.PlainLon(), 0);
        markFigure_ = h > 0 ? h : 0;
    }
    curIdo_ = p.PlainLat();
    curKei_ = p.PlainLon();
    if (mode_ == PosMode::kSearch) mode_ = PosMode::kNone;
    Notify();
}

void PosEditor::ArrowClick() {
    if (IsGetPos()) return;
    arrowStr_ = NextArrow(arrowStr_);
    Notify();
}

void PosEditor::KindClick() {
    if (!IsGetPos()) return;
    kelCmd_ = NextKind(kelCmd_);
    Calc();
    if (dispFigureFg_) Disp();
    Notify();
}

void PosEditor::Calc() {
    calcResult_ = CalculateOfEditor(document_, PositionText(), kelCmd_);
    Notify();
}

void PosEditor::CalcP() {
    const int i = selected_;
    if (i < 0 || i >= int(points_.size())) return;
    const int p = std::clamp(previous_, 0, int(points_.size()) - 1);
    const auto length = [this](int from, int to) {
        double sum = 0;
        const int step = to >= from ? 1 : -1;
        for (int k = from; k != to; k += step) {
            const PosPoint& a = points_[size_t(k)];
            const PosPoint& b = points_[size_t(k + step)];
            sum += CalcDistance(KelToDegrees(a.PlainLat()), KelToDegrees(a.PlainLon()),
                                KelToDegrees(b.PlainLat()), KelToDegrees(b.PlainLon()));
        }
        return FormatMeasure(0, sum, MeasureText::Length);
    };
    calcResult_ = length(0, i) + QStringLiteral(" (Diff : ") +
                  (i < p ? QStringLiteral("-") : QStringLiteral(" ")) + length(p, i) +
                  QStringLiteral(" )");
    previous_ = i;
    Notify();
}

void PosEditor::SetMode(PosMode mode) {
    mode_ = mode;
    Notify();
}

void PosEditor::SetReferPos(bool on) {
    referPos_ = on;
    Notify();
}

void PosEditor::SetDispNum(bool on) {
    if (dispNum_ == on) return;
    if (!on) {
        RemoveAllLabels();
        dispNum_ = false;
        Notify();
        return;
    }
    dispNum_ = true;
    DoRefreshPos();
}

void PosEditor::SetDispFigureFg(bool on) {
    dispFigureFg_ = on;
    if (on) {
        Disp();
    } else {
        ClearFigure();
    }
    Notify();
}

void PosEditor::SetPosListStr(const QString& text) {
    posListStr_ = text;
    Notify();
}

void PosEditor::SetCurIdo(const QString& text) { curIdo_ = text; }
void PosEditor::SetCurKei(const QString& text) { curKei_ = text; }

bool PosEditor::Ok() {
    if (!open_) return false;
    if (points_.empty()) {
        document_.MsgBox2(QStringLiteral("座標データがありません．入力してください．"), kWarn, kCaution);
        return false;
    }
    const QString text = PositionText();
    if (IsGetPos()) {
        Handback handback = std::move(handback_);
        const QString kind = kelCmd_;
        Cancel();
        if (handback) handback(kind, text);
        return true;
    }
    // The command the editor was opened for may have moved in the list, or another one may
    // have been loaded since: the position goes to the command it was taken from.
    const int index = target_->Index();
    if (index < 0) {
        document_.MsgBox2(QStringLiteral("位置を編集していたコマンドがリストにありません．位置は書き込めません．"),
                          kWarn, kCaution);
        return false;
    }
    const auto loaded = [this, index] {
        const ParamEditorState& params = document_.Params();
        return params.Loaded() && params.kelListNCaption.toInt() == index &&
               params.curKelCmdCaption == ListLineName(document_.List().Line(index));
    };
    if (!loaded()) {
        document_.ClickLine(index);
        if (!loaded()) return false;
    }
    document_.SetParValue(targetRow_, text);
    if (!document_.ApplyPendingEdits()) return false;
    Cancel();
    return true;
}

void PosEditor::Cancel() {
    if (!open_) return;
    RemoveAllLabels();
    ClearFigure();
    open_ = false;
    modified_ = false;
    handback_ = nullptr;
    target_->Stop();
    Q_EMIT Closed();
    Notify();
}

bool PosEditor::RunAction(const QString& name) {
    static const QHash<QString, std::function<void(PosEditor&)>> kActions{
        {QStringLiteral("Event"), [](PosEditor& e) { e.Action(); }},
        {QStringLiteral("MenuEditAction"), [](PosEditor& e) { e.Action(); }},
        {QStringLiteral("AddPos"), [](PosEditor& e) { e.SetMode(PosMode::kAdd); }},
        {QStringLiteral("MenuEditClickAdd"), [](PosEditor& e) { e.SetMode(PosMode::kAdd); }},
        {QStringLiteral("MovePos"), [](PosEditor& e) { e.SetMode(PosMode::kMove); }},
        {QStringLiteral("MenuEditClickMov"), [](PosEditor& e) { e.SetMode(PosMode::kMove); }},
        {QStringLiteral("InsertPos"), [](PosEditor& e) { e.SetMode(PosMode::kInsert); }},
        {QStringLiteral("MenuEditClickIns"), [](PosEditor& e) { e.SetMode(PosMode::kInsert); }},
        {QStringLiteral("SnapPos"), [](PosEditor& e) { e.SetMode(PosMode::kSearch); }},
        {QStringLiteral("MenuEditClickSrch"), [](PosEditor& e) { e.SetMode(PosMode::kSearch); }},
        {QStringLiteral("SearchPos"), [](PosEditor& e) { e.SearchPos(); }},
        {QStringLiteral("MenuEditClickSrchPoint"), [](PosEditor& e) { e.SearchPos(); }},
        {QStringLiteral("DeletePos"), [](PosEditor& e) { e.DeletePos(); }},
        {QStringLiteral("MenuEditClickDel"), [](PosEditor& e) { e.DeletePos(); }},
        {QStringLiteral("RefreshPos"), [](PosEditor& e) { e.DoRefreshPos(); }},
        {QStringLiteral("MenuEditRefresh"), [](PosEditor& e) { e.DoRefreshPos(); }},
        {QStringLiteral("ReferPos"), [](PosEditor& e) { e.SetReferPos(!e.ReferPos()); }},
        {QStringLiteral("MenuEditSnapFg"), [](PosEditor& e) { e.SetReferPos(!e.ReferPos()); }},
        {QStringLiteral("DispNum"), [](PosEditor& e) { e.SetDispNum(!e.DispNum()); }},
        {QStringLiteral("MenuEditDispNumFg"), [](PosEditor& e) { e.SetDispNum(!e.DispNum()); }},
        {QStringLiteral("DispFigureFg"), [](PosEditor& e) { e.SetDispFigureFg(!e.DispFigureFg()); }},
        {QStringLiteral("ArrowStr"), [](PosEditor& e) { e.ArrowClick(); }},
        {QStringLiteral("MenuFileArrow"), [](PosEditor& e) { e.ArrowClick(); }},
        {QStringLiteral("KelCmd"), [](PosEditor& e) { e.KindClick(); }},
        {QStringLiteral("MenuFileCmd"), [](PosEditor& e) { e.KindClick(); }},
        {QStringLiteral("Calc"), [](PosEditor& e) { e.Calc(); }},
        {QStringLiteral("MenuEditCalc"), [](PosEditor& e) { e.Calc(); }},
        {QStringLiteral("CalcP"), [](PosEditor& e) { e.CalcP(); }},
        {QStringLiteral("ReturnPos"), [](PosEditor& e) { e.Ok(); }},
        {QStringLiteral("MenuFileOk"), [](PosEditor& e) { e.Ok(); }},
        {QStringLiteral("Cancel"), [](PosEditor& e) { e.Cancel(); }},
        {QStringLiteral("MenuFileCancel"), [](PosEditor& e) { e.Cancel(); }},
    };
    const auto it = kActions.constFind(name);
    if (it == kActions.constEnd()) return false;
    it.value()(*this);
    return true;
}

}  // namespace kel
