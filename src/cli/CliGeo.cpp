// kel coord / pos: coordinate formats and position lists.
#include "cli/Cli.h"
#include "geo/Coordinates.h"
#include "geo/PosList.h"

namespace kel::cli {

namespace {

int Coord(const QStringList& args, CliIO& io) {
    RequireArgs(args, 3, 3, QStringLiteral("coord TEXT FROM TO"));
    if (CoordFormatOf(args[1]) == CoordFormat::kUnknown)
        throw CliError{QStringLiteral("unknown format %1 (FROM is one of D, DM, DMS, KEL, PAO)").arg(args[1]), 2};
    const CoordFormat to = CoordFormatOf(args[2]);
    if (to == CoordFormat::kUnknown || to == CoordFormat::kDM)
        throw CliError{QStringLiteral("unknown format %1 (TO is one of D, DMS, KEL, PAO)").arg(args[2]), 2};
    io.out << ConvertCoord(args[0], args[1], args[2]) << '\n';
    return 0;
}

int Pos(const QStringList& args, CliIO& io) {
    RequireArgs(args, 1, 1, QStringLiteral("pos TEXT"));
    const PosTexts pos = ParsePosList(args[0]);
    for (int i = 0; i < pos.count(); ++i) io.out << pos.lat[i] << ',' << pos.lon[i] << '\n';
    if (pos.truncated)
        io.err << "kel: pos: more than " << kMaxPosFields << " fields; the rest is ignored\n";
    return 0;
}

}  // namespace

void AddGeoCommands(CliTable& table) {
    table.push_back({QStringLiteral("coord"), QStringLiteral("TEXT FROM TO"),
                     QStringLiteral("convert one coordinate between D, DM, DMS, KEL and PAO"),
                     Coord});
    table.push_back({QStringLiteral("pos"), QStringLiteral("TEXT"),
                     QStringLiteral("the positions of a pos value, one \"lat,lon\" line each in D"),
                     Pos});
}

}  // namespace kel::cli
