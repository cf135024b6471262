// The script checker: finds what the reader passes over silently (a statement that never
// ends, a misspelt parameter, a latitude of 135, a gid no group defines, ...) before the map
// program meets it. Works on command texts with their first lines, so the same checks serve
// a file on disk and the command list of an open document.
#pragma once

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <vector>

#include "check/CheckRules.h"

namespace kel {

struct CheckOptions {
    QSet<QString> ignored;  // rule names switched off
};

// Checks command texts in order. `firstLines[i]` is the line (1-based) on which text i
// begins; missing entries count as the lines saving the texts would give them. Findings
// come in file order (line, then column, then the order they were found in).
std::vector<Finding> CheckStatements(const QStringList& texts, const QList<int>& firstLines,
                                     const CheckOptions& options = {});

struct ScriptCheckResult {
    bool ok = false;   // the file could be read
    QString error;     // why not
    std::vector<Finding> findings;
    int statements = 0;
    int Count(Severity severity) const;
};

// Reads a script file as opening it would and checks it, including its bytes.
ScriptCheckResult CheckScriptFile(const QString& path, const CheckOptions& options = {});

// Checks the command texts of an open document ("Check Script"): lines are those saving the
// texts would give them, and the encoding rule finds the first character that a save in
// Shift-JIS cannot hold.
std::vector<Finding> CheckDocument(const QStringList& texts, const CheckOptions& options = {});

// The first line of each command text when the texts are saved (each followed by CR LF).
QList<int> SavedStatementLines(const QStringList& texts);

}  // namespace kel
