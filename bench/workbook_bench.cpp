// Workbook lookups over a sheet of N rows (default 100,000), as `Excel` makes them: the first
// lookup (the file opened, the sheet read, the range indexed) and M further lookups (default
// 10,000) of keys spread over the sheet, for an .xlsx and an .ods file of the same table.
//   workbook_bench OUTDIR [N] [M]
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <cstdio>

#include "WorkbookWriter.h"
#include "formula/FormulaLookup.h"
#include "platform/WorkbookFiles.h"

using namespace kel;

namespace {

QString Key(int i) { return QStringLiteral("K%1").arg(i, 6, 10, QLatin1Char('0')); }

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: workbook_bench OUTDIR [N] [M]\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const int rows = argc > 2 ? std::atoi(argv[2]) : 100000;
    const int lookups = argc > 3 ? std::atoi(argv[3]) : 10000;
    test::SheetSpec sheet{QStringLiteral("Big"), {}};
    const QString names[] = {QString::fromUtf8("東京駅"), QString::fromUtf8("京都タワー"),
                             QString::fromUtf8("札幌時計台"), QString::fromUtf8("道頓堀")};
    for (int i = 1; i <= rows; ++i)
        sheet.rows.append({Key(i), i * 0.25, names[i % 4] + QString::number(i)});
    int failures = 0;
    for (const char* format : {"xlsx", "ods"}) {
        const QString path = out.filePath(QStringLiteral("rows%1.%2").arg(rows).arg(QLatin1String(format)));
        const bool ods = QLatin1String(format) == QLatin1String("ods");
        if (!test::WriteZip(path, ods ? test::OdsParts({sheet}) : test::XlsxParts({sheet}))) {
            std::fprintf(stderr, "workbook_bench: cannot write %s\n", qPrintable(path));
            return 1;
        }
        WorkbookFiles files;
        WorkbookCache cache;
        QElapsedTimer timer;
        timer.start();
        const QString first = cache.Lookup(&files, path, QStringLiteral("Big"),
                                           QStringLiteral("A:C"), 2, Key(rows));
        const double firstMs = timer.nsecsElapsed() / 1e6;
        if (first != QString::number(rows * 0.25)) ++failures;
        // Keys spread over the sheet by a fixed linear congruential sequence.
        quint32 seed = 12345;
        timer.restart();
        for (int k = 0; k < lookups; ++k) {
            seed = seed * 1103515245u + 12345u;
            const int i = int(seed % quint32(rows)) + 1;
            if (cache.Lookup(&files, path, QStringLiteral("Big"), QStringLiteral("A:C"), 3,
                             Key(i)) != names[i % 4] + QString::number(i))
                ++failures;
        }
        const double restMs = timer.nsecsElapsed() / 1e6;
        std::printf("%-4s %8.1f KiB  first lookup %8.1f ms   %d further lookups %8.2f ms "
                    "(%.2f us each)\n",
                    format, QFileInfo(path).size() / 1024.0, firstMs, lookups, restMs,
                    restMs * 1000 / std::max(lookups, 1));
    }
    if (failures) {
        std::fprintf(stderr, "workbook_bench: %d lookups gave a wrong value\n", failures);
        return 1;
    }
    return 0;
}
