#include "editor/FigureView.h"

#include <cmath>

#include "editor/Editor.h"
#include "geo/FigureShape.h"
#include "geo/PosList.h"
#include "list/ListLine.h"
#include "proatlas/FigureDrawing.h"
#include "proatlas/ProAtlas.h"
#include "script/Statement.h"

namespace kel {

FigureView::FigureView(Editor& editor, MapFigureDisplay& display, QObject* parent)
    : QObject(parent), editor_(editor), display_(display) {
    display_.selectedViewOn = [this] { return viewSelectedCaption_ == QLatin1String("Off"); };
    display_.currentFigureOn = [this] { return editor_.DispCaption() == QLatin1String("ON"); };
    for (const char* name : {"Disp", "MenuViewSwitch"})
        editor_.RegisterAction(QString::fromLatin1(name), [this] { DoDispClick(); });
    for (const char* name : {"ViewSelectedObject", "MenuViewSelect"})
        editor_.RegisterAction(QString::fromLatin1(name), [this] { ViewSelectedObjectClick(); });
    editor_.RegisterAction(QStringLiteral("MenuViewRefreshFigure"), [this] { RefreshFigures(); });
    editor_.RegisterAction(QStringLiteral("MenuViewFigures"), [this] { MoveToFigures(); });
    // A cleared list (a new, opened or cleared document) takes the display with it; a list
    // whose lines are only rearranged keeps its figures.
    connect(&editor_.List(), &KelList::ListReset, this, [this] {
        if (editor_.List().Count() == 0) ResetDisplay();
    });
}

void FigureView::SetViewSelectedCaption(const QString& caption) {
    viewSelectedCaption_ = caption;
    Q_EMIT CaptionsChanged();
}

void FigureView::SetDispCaption(const QString& caption) {
    editor_.SetDispCaption(caption);
    Q_EMIT CaptionsChanged();
}

void FigureView::DoDispClick() {
    const auto removeCurrent = [this] {
        if (currentHandle_ > 0)
            display_.DrawFigureObject(kStyleDel, currentType_, QString(), currentHandle_);
        currentHandle_ = 0;
        currentType_.clear();
    };
    if (editor_.DispCaption() == QLatin1String("OFF")) {
        removeCurrent();
        const FigureShape shape = FigureShapeOfCommand(editor_.CommandTextAt(editor_.List().Current()));
        if (!shape.figureType.isEmpty()) {
            const int h = display_.DrawFigureObject(kStyleSingleAll, shape.figureType, shape.posText, 0);
            currentHandle_ = h > 0 ? h : 0;
            currentType_ = shape.figureType;
        }
        menuViewSwitch_ = QStringLiteral("[ON]") + kMenuViewSwitchBase;
        SetDispCaption(QStringLiteral("ON"));
        return;
    }
    menuViewSwitch_ = QStringLiteral("[OFF]") + kMenuViewSwitchBase;
    SetDispCaption(QStringLiteral("OFF"));
    removeCurrent();
}

void FigureView::ViewSelectedObjectClick() {
    KelList& list = editor_.List();
    const bool wasListClickSuppressed = editor_.ListClickSuppressed();
    editor_.SetListClickSuppressed(true);
    if (viewSelectedCaption_ == QLatin1String("Select")) {
        const bool all = refreshing_ || list.SelectedCount() == 0;
        for (int i = 0; i < list.Count(); ++i) {
            editor_.RollProgress(i);
            const QString line = list.Line(i);
            if (!IsFigureCommand(ListLineName(line)) || (!all && !list.Selected(i))) continue;
            // A shape drawn for the entry before is replaced, not left behind unreachable.
            const int old = ListLineFigure(line);
            if (old > 0) display_.DrawFigureObject(kStyleDel, ListLineName(line), QString(), old);
            const FigureShape shape = FigureShapeOfCommand(editor_.CommandTextAt(i));
            const int h = display_.DrawFigureObject(kStyleNormalAll, shape.figureType, shape.posText, 0);
            list.Replace(i, WithFigure(line, h > 0 ? h : 0));
        }
        editor_.CaptionRoll(QStringLiteral("Off"));
        menuViewSelect_ = QStringLiteral("[ON]") + kMenuViewSelectBase;
        SetViewSelectedCaption(QStringLiteral("Off"));
    } else {
        for (int i = 0; i < list.Count(); ++i) {
            const QString line = list.Line(i);
            const int h = ListLineFigure(line);
            if (h <= 0) continue;
            editor_.RollProgress(i);
            display_.DrawFigureObject(kStyleDel, ListLineName(line), QString(), h);
            list.Replace(i, WithFigure(line, 0));
        }
        editor_.CaptionRoll(QStringLiteral("Off"));
        menuViewSelect_ = QStringLiteral("[OFF]") + kMenuViewSelectBase;
        SetViewSelectedCaption(QStringLiteral("Select"));
    }
    editor_.SetListClickSuppressed(wasListClickSuppressed);
}

void FigureView::RefreshFigures() {
    viewSelectedCaption_ = QStringLiteral("Clear");
    refreshing_ = true;
    ViewSelectedObjectClick();
    ViewSelectedObjectClick();
    refreshing_ = false;
}

void FigureView::MoveToFigures() {
    const KelList& list = editor_.List();
    double sumLat_ms = 0, sumLon_ms = 0;
    int n = 0;
    for (int i = 0; i < list.Count(); ++i) {
        const QString word = ListLineName(list.Line(i));
        if (!IsFigureCommand(word)) continue;
        const PosDegrees pos = ParsePosDegrees(GetParamValue(editor_.CommandTextAt(i), QStringLiteral("pos")));
        if (pos.count() == 0) continue;
        double lat = pos.lat[0], lon = pos.lon[0];
        if (word != QLatin1String("point") && word != QLatin1String("circle")) {
            lat = lon = 0;
            for (int k = 0; k < pos.count(); ++k) {
                lat += pos.lat[size_t(k)];
                lon += pos.lon[size_t(k)];
            }
            lat /= pos.count();
            lon /= pos.count();
        }
        sumLat_ms += lat * 3600000.0;
        sumLon_ms += lon * 3600000.0;
        ++n;
    }
    ProAtlas* app = display_.Map();
    if (n == 0 || !app || !app->Map()) return;
    app->Map()->MoveTo(0, 0, qint32(std::floor(sumLat_ms / n)), qint32(std::floor(sumLon_ms / n)));
}

void FigureView::ResetDisplay() {
    SetViewSelectedCaption(QStringLiteral("Clear"));
    ViewSelectedObjectClick();
    SetDispCaption(QStringLiteral("Clear"));
    DoDispClick();
}

}  // namespace kel
