// Reads a KEL script as the editor does when it opens one: decode, cut into statements,
// take each command word. Prints the number of statements and of distinct words.
//   read_script FILE.kel
#include <QCoreApplication>
#include <algorithm>
#include <vector>
#include <cstdio>
#include <cstdlib>

#include "script/ScriptFile.h"
#include "script/Statement.h"

using namespace kel;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: read_script FILE.kel\n");
        return 2;
    }
    const ScriptReadResult r = ReadScriptFile(QString::fromLocal8Bit(argv[1]));
    if (!r.ok) {
        std::fprintf(stderr, "read_script: %s\n", qPrintable(r.error));
        return 1;
    }
    // Distinct words: a script has few, so a short list searched in order is enough.
    std::vector<QString> words;
    for (const QString& text : r.statements) {
        const QString word = CommandWord(text);
        if (std::find(words.begin(), words.end(), word) == words.end()) words.push_back(word);
    }
    std::printf("%lld statements, %lld command words\n", (long long)r.statements.size(),
                (long long)words.size());
    // The editor keeps what it read; freeing 100,000 strings one by one on the way out is
    // not part of reading, so the process ends without it.
    std::fflush(stdout);
    std::_Exit(0);
}
