#include "script/ScriptFile.h"

#include "script/Statement.h"

namespace kel {

QStringList ReadStatements(LineSource& source, QList<int>* firstLines) {
    QStringList out;
    while (!source.AtEnd()) {
        qsizetype line = 0;
        out.append(ReadStatement(source, firstLines ? &line : nullptr));
        if (firstLines) firstLines->append(int(line));
    }
    return out;
}

ScriptReadResult ReadScriptFile(const QString& path) {
    ScriptReadResult r;
    TextSourceResult file = ReadTextFileSource(path);
    r.ok = file.ok;
    r.error = file.error;
    r.firstBadLine = file.firstBadLine;
    if (!file.ok) return r;
    r.statements = ReadStatements(file.source, &r.statementLines);
    return r;
}

TextWriteResult WriteScriptFile(const QString& path, const QStringList& statements) {
    return WriteTextFile(path, statements);
}

}  // namespace kel
