#include "app/CheckFindingsWidget.h"

#include <QHeaderView>
#include <QLabel>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kel {

namespace {

enum Column { kLine, kSeverity, kMessage, kRule, kColumns };

QIcon SeverityIcon(const QStyle* style, Severity severity) {
    switch (severity) {
    case Severity::kError:
        return style->standardIcon(QStyle::SP_MessageBoxCritical);
    case Severity::kWarning:
        return style->standardIcon(QStyle::SP_MessageBoxWarning);
    case Severity::kNote:
        break;
    }
    return style->standardIcon(QStyle::SP_MessageBoxInformation);
}

}  // namespace

CheckFindingsWidget::CheckFindingsWidget(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("CheckFindings"));
    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("CheckSummary"));
    tree_ = new QTreeWidget(this);
    tree_->setObjectName(QStringLiteral("CheckFindingList"));
    tree_->setAccessibleName(QStringLiteral("Findings"));
    tree_->setColumnCount(kColumns);
    tree_->setHeaderLabels({QStringLiteral("Line"), QStringLiteral("Severity"),
                            QStringLiteral("Message"), QStringLiteral("Rule")});
    tree_->setRootIsDecorated(false);
    tree_->setUniformRowHeights(true);
    tree_->setAlternatingRowColors(true);
    tree_->header()->setStretchLastSection(false);
    tree_->header()->setSectionResizeMode(kMessage, QHeaderView::Stretch);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(summary_);
    layout->addWidget(tree_);
    connect(tree_, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { Activate(item); });
    SetFindings({});
}

void CheckFindingsWidget::SetFindings(const std::vector<Finding>& findings) {
    findings_ = findings;
    tree_->clear();
    int counts[3] = {0, 0, 0};
    QList<QTreeWidgetItem*> items;
    items.reserve(qsizetype(findings_.size()));
    for (size_t i = 0; i < findings_.size(); ++i) {
        const Finding& f = findings_[i];
        ++counts[int(f.severity)];
        auto* item = new QTreeWidgetItem(
            {QStringLiteral("%1:%2").arg(f.line).arg(f.column), SeverityText(f.severity),
             f.message, f.rule});
        item->setIcon(kSeverity, SeverityIcon(style(), f.severity));
        item->setToolTip(kMessage, f.message);
        item->setData(kLine, Qt::UserRole, int(i));
        items.append(item);
    }
    tree_->addTopLevelItems(items);
    tree_->resizeColumnToContents(kLine);
    tree_->resizeColumnToContents(kSeverity);
    tree_->resizeColumnToContents(kRule);
    summary_->setText(findings_.empty()
                          ? QStringLiteral("No findings")
                          : QStringLiteral("%1 error(s), %2 warning(s), %3 note(s)")
                                .arg(counts[0])
                                .arg(counts[1])
                                .arg(counts[2]));
}

int CheckFindingsWidget::RowCount() const { return tree_->topLevelItemCount(); }

QString CheckFindingsWidget::RowText(int row) const {
    return row >= 0 && size_t(row) < findings_.size() ? findings_[size_t(row)].Text() : QString();
}

QString CheckFindingsWidget::SummaryText() const { return summary_->text(); }

void CheckFindingsWidget::Activate(QTreeWidgetItem* item) {
    if (!item) return;
    const int i = item->data(kLine, Qt::UserRole).toInt();
    if (i < 0 || size_t(i) >= findings_.size()) return;
    const int statement = findings_[size_t(i)].statement;
    if (statement >= 0) Q_EMIT FindingActivated(statement);
}

}  // namespace kel
