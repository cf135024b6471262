// Whole script files: every statement of a file in order, and writing command texts back.
#pragma once

#include <QString>
#include <QStringList>

#include "common/TextFile.h"

namespace kel {

struct ScriptReadResult {
    bool ok = false;
    QString error;            // why the file could not be read
    QStringList statements;   // command texts in file order
    QList<int> statementLines;  // the first line (1-based) of each statement in the file
    int firstBadLine = 0;     // first line whose bytes are not Shift-JIS (1-based), or 0
};

// Reads statements until the end of the file. Blank lines at the end after the last
// statement give one more, empty command text (saved again as one empty line).
ScriptReadResult ReadScriptFile(const QString& path);
// `firstLines`, when given, receives the first line of each statement (see ReadStatement).
QStringList ReadStatements(LineSource& source, QList<int>* firstLines = nullptr);

// Writes every command text followed by CR LF, atomically (see WriteTextFile).
TextWriteResult WriteScriptFile(const QString& path, const QStringList& statements);

}  // namespace kel
