// Writes the example workbooks examples/meisho.xlsx and examples/meisho.ods (the same place
// table in both formats) from the table in WorkbookWriter; the bytes depend only on it.
//   make_example_workbooks [FOLDER]      (default: examples)
#include <QCoreApplication>
#include <QDir>
#include <cstdio>

#include "WorkbookWriter.h"

using namespace kel::test;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("examples");
    const QDir dir(folder);
    const bool ok = WriteZip(dir.filePath(QStringLiteral("meisho.xlsx")),
                             XlsxParts(ExampleSheets(), ExampleNames())) &&
                    WriteZip(dir.filePath(QStringLiteral("meisho.ods")),
                             OdsParts(ExampleSheets(), ExampleNames()));
    if (!ok) {
        std::fprintf(stderr, "make_example_workbooks: cannot write into %s\n", qPrintable(folder));
        return 1;
    }
    return 0;
}
