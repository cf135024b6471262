// Writes a KEL script of N figure commands (default 100,000) built by the writer, with
// Japanese labels, for the reading and saving benchmarks.
//   gen_script OUT.kel [N]
#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

#include "common/TextFile.h"
#include "script/StatementWriter.h"

using namespace kel;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: gen_script OUT.kel [N]\n");
        return 2;
    }
    const int n = argc > 2 ? std::atoi(argv[2]) : 100000;
    QStringList out = NewDocumentSkeleton(QStringLiteral("2026/12/06"));
    const QString end = out.takeLast();
    const QString names[] = {QString::fromUtf8("東京駅"), QString::fromUtf8("京都タワー"),
                             QString::fromUtf8("札幌時計台"), QString::fromUtf8("道頓堀")};
    const QString words[] = {QStringLiteral("point"), QStringLiteral("line"),
                             QStringLiteral("circle"), QStringLiteral("area")};
    for (int i = 0; i < n; ++i) {
        Slots s;
        const QString word = words[i % 4];
        s[1] = QString::number(i + 1);
        s[2] = QString::number(100 + i % 7);
        const int sec = i % 600;
        QString pos = QStringLiteral("35/%1/%2.%3,139/%4/%5.%6")
                          .arg(10 + i % 40)
                          .arg(sec / 10 % 60, 2, 10, QLatin1Char('0'))
                          .arg(i % 10)
                          .arg(20 + i % 30)
                          .arg(sec % 60, 2, 10, QLatin1Char('0'))
                          .arg((i / 10) % 10);
        if (word != QLatin1String("point") && word != QLatin1String("circle"))
            pos += QStringLiteral(",35/11/00.0,139/21/00.0,35/12/30.5,139/22/10.0");
        s[3] = pos;
        if (word == QLatin1String("circle")) {
            s[4] = QStringLiteral("500M");
            s[6] = names[i % 4] + QString::number(i);
        } else {
            s[4] = names[i % 4] + QString::number(i);
            if (word != QLatin1String("area")) s[5] = QStringLiteral("right");
        }
        const BuiltStatement b = BuildStatement(word, s);
        if (!b.ok()) {
            std::fprintf(stderr, "gen_script: statement %d refused\n", i);
            return 1;
        }
        out.append(b.text);
    }
    out.append(end);
    const TextWriteResult w = WriteTextFile(QString::fromLocal8Bit(argv[1]), out);
    if (!w.ok) {
        std::fprintf(stderr, "gen_script: %s\n", qPrintable(w.error));
        return 1;
    }
    return 0;
}
