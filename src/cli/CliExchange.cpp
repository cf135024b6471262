// kel geojson-export / geojson-import: GeoJSON exchange of every figure command.
#include <QFile>

#include "cli/Cli.h"
#include "cli/CliEditor.h"
#include "editor/Editor.h"
#include "common/TextFile.h"
#include "exchange/GeoJson.h"

namespace kel::cli {

namespace {

void PrintNotes(const QString& command, const QStringList& notes, CliIO& io) {
    for (const QString& n : notes) io.err << "kel: " << command << ": " << n << '\n';
}

int GeoJsonExport(const QStringList& args, CliIO& io) {
    const QString usage = QStringLiteral("geojson-export KEL JSON [--select I,J,...] [--circle-polygons N]");
    QStringList positional;
    QString select;
    GeoJsonOptions options;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--select") || a == QLatin1String("--circle-polygons")) {
            if (i + 1 >= args.size()) throw CliError{a + QStringLiteral(" needs a value"), 2};
            if (a == QLatin1String("--select")) {
                select = args[++i];
            } else {
                options.circlePolygons = true;
                options.circleSegments = IntArg(args[++i], a);
                if (options.circleSegments < 8 || options.circleSegments > 3600)
                    throw CliError{QStringLiteral("--circle-polygons takes 8 to 3600 sides"), 2};
            }
        } else if (a.startsWith(QLatin1String("--"))) {
            throw CliError{QStringLiteral("unknown option %1 (usage: kel %2)").arg(a, usage), 2};
        } else {
            positional.append(a);
        }
    }
    RequireArgs(positional, 2, 2, usage);
    HeadlessEditor h;
    h.Open(positional[0]);
    h.SelectLines(select);
    QList<int> only;
    if (!select.isEmpty())
        for (int i : h.editor.List().SelectedIndexes()) only.append(i);
    const GeoJsonResult r = ConvertCommandsToGeoJson(h.editor.CommandTextsInOrder(), only, options);
    const TextWriteResult w = WriteBytesFile(positional[1], r.json);
    if (!w.ok) throw CliError{positional[1] + QStringLiteral(": ") + w.error};
    PrintNotes(QStringLiteral("geojson-export"), r.notes, io);
    io.out << r.Summary() << '\n';
    return 0;
}

int GeoJsonImport(const QStringList& args, CliIO& io) {
    const QString usage = QStringLiteral("geojson-import JSON KEL");
    for (const QString& a : args)
        if (a.startsWith(QLatin1String("--")))
            throw CliError{QStringLiteral("unknown option %1 (usage: kel %2)").arg(a, usage), 2};
    RequireArgs(args, 2, 2, usage);
    QFile f(args[0]);
    if (!f.open(QIODevice::ReadOnly)) throw CliError{args[0] + QStringLiteral(": ") + f.errorString()};
    const GeoJsonResult r = ConvertGeoJsonToKel(f.readAll(), Datum::Tokyo());
    if (!r.ok) throw CliError{args[0] + QStringLiteral(": ") + r.error};
    const TextWriteResult w = WriteTextFile(args[1], r.lines);
    if (!w.ok) throw CliError{args[1] + QStringLiteral(": ") + w.error};
    PrintNotes(QStringLiteral("geojson-import"), r.notes, io);
    io.out << r.Summary() << '\n';
    return 0;
}

}  // namespace

void AddExchangeCommands(CliTable& table) {
    table.push_back({QStringLiteral("geojson-export"),
                     QStringLiteral("KEL JSON [--select I,J,...] [--circle-polygons N]"),
                     QStringLiteral("write every figure (or the selected lines) of a script as "
                                    "GeoJSON features (WGS84)"),
                     GeoJsonExport});
    table.push_back({QStringLiteral("geojson-import"), QStringLiteral("JSON KEL"),
                     QStringLiteral("write the features of a GeoJSON file as a complete script "
                                    "(Tokyo datum)"),
                     GeoJsonImport});
}

}  // namespace kel::cli
