#include "app/LegendWindow.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QScreen>

#include "formula/Legend.h"

namespace kel {

namespace {

constexpr int kRowHeight = 26;
constexpr int kSampleWidth = 90;

QColor ColourOfValue(int rgb) { return QColor(rgb & 0xff, (rgb >> 8) & 0xff, (rgb >> 16) & 0xff); }

Qt::PenStyle PenStyleOfCode(int code) {
    switch (code) {
    case kLineDotted: return Qt::DotLine;
    case kLineDashed: return Qt::DashLine;
    case kLineDashDot: return Qt::DashDotLine;
    case kLineDashDotDot: return Qt::DashDotDotLine;
    default: return Qt::SolidLine;
    }
}

Qt::BrushStyle BrushStyleOfCode(int code) {
    switch (code) {
    case kFillHorizontal: return Qt::HorPattern;
    case kFillVertical: return Qt::VerPattern;
    case kFillUpwardDiagonal: return Qt::BDiagPattern;
    case kFillDownwardDiagonal: return Qt::FDiagPattern;
    case kFillCross: return Qt::CrossPattern;
    case kFillDiagonalCross: return Qt::DiagCrossPattern;
    default: return Qt::SolidPattern;
    }
}

QPen SamplePen(int colour, const QString& style, double width) {
    QPen pen(ColourOfValue(colour), LegendPenWidth(width),
             PenStyleOfCode(style.isEmpty() ? kLineSolid : LineStyleCode(style)));
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

// A line sample: one horizontal line across a white field.
class LineSample : public QWidget {
public:
    explicit LineSample(QWidget* parent) : QWidget(parent) {}
    void SetPen(const QPen& pen) {
        pen_ = pen;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        p.setPen(pen_);
        const qreal y = height() / 2.0;
        p.drawLine(QPointF(4, y), QPointF(width() - 4, y));
    }

private:
    QPen pen_;
};

// An area sample: a rectangle with the group's border, filled with its colour and pattern
// (hatch lines in the area colour over white).
class AreaSample : public QWidget {
public:
    explicit AreaSample(QWidget* parent) : QWidget(parent) {}
    void SetLook(const QPen& border, const QBrush& fill) {
        border_ = border;
        fill_ = fill;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        const qreal inset = border_.widthF() / 2 + 2;
        const QRectF box = QRectF(rect()).adjusted(inset, inset, -inset, -inset);
        p.fillRect(box, fill_);
        p.setPen(border_);
        p.setBrush(Qt::NoBrush);
        p.drawRect(box);
    }

private:
    QPen border_;
    QBrush fill_;
};

void SetTextColour(QLabel* label, const QColor& colour) {
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, colour);
    label->setPalette(p);
}

}  // namespace

LegendWindow::LegendWindow(LegendOps& legend, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus),
      legend_(legend) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Legend"));
    // On top of the editor and the map, but the focus stays where the user is typing.
    setAttribute(Qt::WA_ShowWithoutActivating);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);
    const int nameWidth = fontMetrics().horizontalAdvance(QStringLiteral("Group[RtPntOr]__"));
    for (int r = 0; r < kLegendRows; ++r) {
        Row& row = rows_[size_t(r)];
        const auto named = [r](QWidget* w, const char* name) {
            w->setObjectName(QString::fromLatin1(name) + QString::number(r));
            w->setAccessibleName(w->objectName());
        };
        row.groupName = new QLabel(this);
        named(row.groupName, "GroupName");
        row.groupName->setMinimumWidth(nameWidth);
        row.textBack = new QFrame(this);
        named(row.textBack, "TextBack");
        row.textBack->setAutoFillBackground(true);
        QPalette white = row.textBack->palette();
        white.setColor(QPalette::Window, Qt::white);
        row.textBack->setPalette(white);
        row.textBack->setFixedSize(kSampleWidth, kRowHeight - 4);
        auto* back = new QHBoxLayout(row.textBack);
        back->setContentsMargins(4, 0, 4, 0);
        row.textStyle = new QLabel(QStringLiteral("frame#0"), row.textBack);
        named(row.textStyle, "TextStyle");
        back->addWidget(row.textStyle);
        row.pointStyle = new QLabel(QStringLiteral("mark#00000"), this);
        named(row.pointStyle, "PointStyle");
        row.pointStyle->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("mark#00000_")));
        row.lines = new LineSample(this);
        named(row.lines, "Lines");
        row.lines->setFixedSize(kSampleWidth, kRowHeight - 4);
        row.area = new AreaSample(this);
        named(row.area, "Area");
        row.area->setFixedSize(kSampleWidth / 2, kRowHeight - 4);
        grid->addWidget(row.groupName, r, 0);
        grid->addWidget(row.textBack, r, 1);
        grid->addWidget(row.pointStyle, r, 2);
        grid->addWidget(row.lines, r, 3);
        grid->addWidget(row.area, r, 4);
        // An unfilled row keeps its place, so row n is always where the user expects it.
        grid->setRowMinimumHeight(r, kRowHeight);
    }
    connect(&legend, &LegendOps::Changed, this, &LegendWindow::Refresh);
    Refresh();
}

void LegendWindow::ShowRow(Row& row, const LegendEntry* entry) {
    for (QWidget* w : {static_cast<QWidget*>(row.groupName), static_cast<QWidget*>(row.textBack),
                       static_cast<QWidget*>(row.pointStyle), row.lines, row.area})
        w->setVisible(entry != nullptr);
    if (!entry) {
        // The row's look as designed, for when it is filled again.
        row.groupName->clear();
        row.textStyle->setText(QStringLiteral("frame#0"));
        row.pointStyle->setText(QStringLiteral("mark#00000"));
        return;
    }
    row.groupName->setText(entry->Gname);
    const QColor text = ColourOfValue(entry->Trgb);
    row.textStyle->setText(entry->Tstyle.isEmpty() ? QStringLiteral("frame#0") : entry->Tstyle);
    SetTextColour(row.textStyle, text);
    row.pointStyle->setText(entry->Pstyle);
    SetTextColour(row.pointStyle, text);
    static_cast<LineSample*>(row.lines)->SetPen(SamplePen(entry->Lrgb, entry->Lstyle, entry->Lwidth));
    const int fill = entry->Astyle.isEmpty() ? kFillSolid : FillStyleCode(entry->Astyle);
    static_cast<AreaSample*>(row.area)->SetLook(SamplePen(entry->Brgb, entry->Bstyle, entry->Bwidth),
                                                QBrush(ColourOfValue(entry->Argb), BrushStyleOfCode(fill)));
}

void LegendWindow::Refresh() {
    const LegendBoard& board = legend_.Board();
    for (int r = 0; r < kLegendRows; ++r) {
        const auto& entry = board.Row(r);
        ShowRow(rows_[size_t(r)], entry ? &*entry : nullptr);
    }
    // Long group names widen the window rather than being cut.
    const QSize fit = sizeHint().expandedTo(size());
    if (fit != size()) {
        resize(fit);
        if (placed_) KeepOnScreen(pos());
    }
    if (legend_.IsOpen() && !isVisible()) {
        if (!placed_) PlaceBesideParent();
        show();
    } else if (!legend_.IsOpen() && isVisible()) {
        hide();
    }
}

void LegendWindow::PlaceBesideParent() {
    placed_ = true;
    QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    if (!owner) return;
    // To the right of the editor; where it does not fit there it lies at the screen's right
    // edge, over the editor (it stays on top).
    KeepOnScreen(owner->frameGeometry().topRight() + QPoint(8, 0));
}

void LegendWindow::KeepOnScreen(QPoint at) {
    const QScreen* s = screen();
    if (!s) return;
    const QRect room = s->availableGeometry();
    at.setX(qMax(room.left(), qMin(at.x(), room.right() + 1 - frameGeometry().width())));
    at.setY(qMax(room.top(), qMin(at.y(), room.bottom() + 1 - frameGeometry().height())));
    if (at != pos()) move(at);
}

void LegendWindow::closeEvent(QCloseEvent* event) {
    // Closing the window discards its rows; the Legend button says "Lgnd" again.
    legend_.CloseLegend();
    QWidget::closeEvent(event);
}

}  // namespace kel
