// The script checker's rules and findings. Each rule has a short name (for switching it off
// and for the end of a finding's line), a group and a severity.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace kel {

enum class Severity { kError, kWarning, kNote };

// "error", "warning", "note".
QString SeverityText(Severity severity);

struct CheckRule {
    QString name;     // e.g. "pos-range"
    QString group;    // "structure", "words", "values", "references", "encoding"
    Severity severity;
    QString summary;  // one line for help texts
};

// Every rule, grouped, in the order help texts list them.
const QList<CheckRule>& CheckRules();

// The rule of a name; nullptr when there is none.
const CheckRule* FindCheckRule(const QString& name);

// One finding: where (the statement's first line and column in the file, 1-based), which
// statement (0-based, the list line it becomes when the file is opened), how bad and why.
struct Finding {
    int line = 0;
    int column = 0;
    int statement = -1;  // -1 for a finding that belongs to no statement
    Severity severity = Severity::kError;
    QString rule;
    QString message;

    // "LINE:COLUMN: severity: message [rule]"
    QString Text() const;
    bool operator==(const Finding& o) const = default;
};

}  // namespace kel
