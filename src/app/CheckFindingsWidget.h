// The findings of "Check Script" as a list for a dock: one row per finding (line, severity,
// message, rule) under a count of errors, warnings and notes. Activating a row (double-click
// or Enter) asks for its command to be made current.
#pragma once

#include <QWidget>
#include <vector>

#include "check/CheckRules.h"

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

namespace kel {

class CheckFindingsWidget : public QWidget {
    Q_OBJECT
public:
    explicit CheckFindingsWidget(QWidget* parent = nullptr);

    // Shows findings (replacing those shown before).
    void SetFindings(const std::vector<Finding>& findings);
    int RowCount() const;
    // The text of row `row` as the command line writes it ("LINE:COLUMN: ...").
    QString RowText(int row) const;
    QString SummaryText() const;

Q_SIGNALS:
    // The user activated the finding of `statement` (a list line of the document).
    void FindingActivated(int statement);

private:
    void Activate(QTreeWidgetItem* item);

    QLabel* summary_ = nullptr;
    QTreeWidget* tree_ = nullptr;
    std::vector<Finding> findings_;
};

}  // namespace kel
