#include "script/ScriptFile.h"

#include <cstring>
#include <new>

#include <QFileInfo>

#include "common/HeapHint.h"
#include "common/SafeFile.h"
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

namespace {

inline bool IsLineEndByte(char c) { return c == '\r' || c == '\n'; }

// Whether a line ends the statement it belongs to, whatever came before it: a line holding
// ";" and a comment line always do.
bool EndsStatement(QByteArrayView line) {
    qsizetype b = 0;
    while (b < line.size() && (line[b] == ' ' || line[b] == '\t')) ++b;
    if (line.size() - b >= 2 && line[b] == '/' && line[b + 1] == '/') return true;
    return std::memchr(line.data() + b, ';', size_t(line.size() - b)) != nullptr;
}

// The end (after its line end) of the last complete line of `bytes` that ends a statement,
// so that the statements before it can be read without the bytes after it; 0 when there
// is none. A CR as the last byte may be the first half of a CR LF, so its line is not taken
// as complete.
qsizetype StatementsEnd(QByteArrayView bytes) {
    qsizetype i = bytes.size();
    if (i > 0 && bytes[i - 1] == '\r') --i;
    while (i > 0) {
        // The line end at or before i - 1 and the line it ends.
        qsizetype p = i - 1;
        while (p >= 0 && !IsLineEndByte(bytes[p])) --p;
        if (p < 0) return 0;
        qsizetype contentEnd = p;
        if (bytes[p] == '\n' && p > 0 && bytes[p - 1] == '\r') --contentEnd;
        qsizetype start = contentEnd;
        while (start > 0 && !IsLineEndByte(bytes[start - 1])) --start;
        if (EndsStatement(bytes.sliced(start, contentEnd - start))) return p + 1;
        i = start;
    }
    return 0;
}

}  // namespace

ScriptReadResult ReadScriptFile(const QString& path) {
    ScriptReadResult r;
    // The file is read a piece at a time and its statements are cut from the bytes and
    // decoded one by one: neither the whole text nor all of its bytes are held beside them.
    qsizetype linesBefore = 0;
    qsizetype firstBad = 0;
    // The statements take about twice the bytes as UTF-16, and a little for each string.
    HeapGrowthHint heapHint(QFileInfo(path).size() * 5 / 2);
    const auto consume = [&](QByteArrayView bytes, bool atEnd) -> qsizetype {
        const qsizetype end = atEnd ? bytes.size() : StatementsEnd(bytes);
        ByteLineSource source(bytes.first(end));
        while (!source.AtEnd()) {
            qsizetype line = 0, bad = 0;
            r.statements.append(ReadStatement(source, &line, &bad));
            r.statementLines.append(int(linesBefore + line));
            if (bad > 0 && firstBad == 0) firstBad = linesBefore + bad;
            heapHint.Check();
        }
        linesBefore += source.LineNumber();
        return end;
    };
    try {
        r.ok = ReadFileInPieces(path, consume, &r.error);
    } catch (const std::bad_alloc&) {
        r.error = QStringLiteral("not enough memory for the text of the file");
    }
    if (!r.ok) {
        r.statements = QStringList();
        r.statementLines = QList<int>();
        return r;
    }
    r.firstBadLine = int(firstBad);
    return r;
}

TextWriteResult WriteScriptFile(const QString& path, const QStringList& statements) {
    return WriteTextFile(path, statements);
}

}  // namespace kel
