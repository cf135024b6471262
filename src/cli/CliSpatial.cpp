// kel distance / measure / spatial / 2drms: measures on the earth and spatial selection.
#include <QHash>
#include <cmath>

#include "cli/Cli.h"
#include "cli/CliEditor.h"
#include "common/Values.h"
#include "geo/FigureMeasure.h"
#include "geo/Geometry.h"
#include "geo/SpatialAnalysis.h"
#include "list/ListLine.h"
#include "script/Statement.h"

namespace kel::cli {

namespace {

double DegreesArg(const QString& text, const QString& what) {
    bool ok = false;
    const double v = text.toDouble(&ok);
    if (!ok) throw CliError{what + QStringLiteral(" must be a number of degrees: ") + text, 2};
    return v;
}

int Distance(const QStringList& args, CliIO& io) {
    const QString usage = QStringLiteral("distance LAT1 LON1 LAT2 LON2");
    RequireArgs(args, 4, 4, usage);
    const double d = CalcDistance(DegreesArg(args[0], QStringLiteral("LAT1")),
                                  DegreesArg(args[1], QStringLiteral("LON1")),
                                  DegreesArg(args[2], QStringLiteral("LAT2")),
                                  DegreesArg(args[3], QStringLiteral("LON2")));
    if (!std::isfinite(d))
        throw CliError{QStringLiteral("no distance between these positions (latitudes are "
                                      "-90 to 90 degrees, longitudes -180 to 180)"),
                       2};
    io.out << NumText(d) << '\n';
    return 0;
}

// A size text as ParseRadius reads it ("1.5km", "300m", "300"), the number part complete.
bool IsSizeText(const QString& text) {
    QString t = text.trimmed();
    if (t.endsWith(QLatin1String("KM"), Qt::CaseInsensitive))
        t.chop(2);
    else if (t.endsWith(QLatin1Char('M'), Qt::CaseInsensitive))
        t.chop(1);
    bool ok = false;
    const double v = t.trimmed().toDouble(&ok);
    return ok && std::isfinite(v);
}

// Splits "--name VALUE" and "--name=VALUE" options from positional arguments. Options
// without a value are listed in `flags`.
struct Options {
    QStringList positional;
    QHash<QString, QString> values;
};

Options ParseOptions(const QStringList& args, const QStringList& withValue,
                     const QStringList& flags, const QString& usage) {
    Options o;
    for (qsizetype i = 0; i < args.size(); ++i) {
        QString arg = args[i];
        if (!arg.startsWith(QLatin1String("--"))) {
            o.positional.append(arg);
            continue;
        }
        QString value;
        const qsizetype eq = arg.indexOf(QLatin1Char('='));
        const bool inline_ = eq > 0;
        if (inline_) {
            value = arg.mid(eq + 1);
            arg = arg.left(eq);
        }
        if (flags.contains(arg)) {
            if (inline_) throw CliError{arg + QStringLiteral(" takes no value"), 2};
            o.values.insert(arg, QString());
            continue;
        }
        if (!withValue.contains(arg))
            throw CliError{QStringLiteral("unknown option %1 (usage: kel %2)").arg(arg, usage), 2};
        if (!inline_) {
            if (i + 1 >= args.size()) throw CliError{arg + QStringLiteral(" needs a value"), 2};
            value = args[++i];
        }
        o.values.insert(arg, value);
    }
    return o;
}

int Measure(const QStringList& args, CliIO& io) {
    const QString usage = QStringLiteral("measure TYPE POS [--r R] [--width W --height H]");
    const Options o = ParseOptions(
        args, {QStringLiteral("--r"), QStringLiteral("--width"), QStringLiteral("--height")}, {},
        usage);
    RequireArgs(o.positional, 2, 2, usage);
    static const QStringList kTypes = {QStringLiteral("point"),   QStringLiteral("line"),
                                       QStringLiteral("circle"),
                                       QStringLiteral("circle1"), QStringLiteral("circle2"),
                                       QStringLiteral("rect"),    QStringLiteral("area")};
    if (!kTypes.contains(o.positional[0]))
        throw CliError{QStringLiteral("unknown figure type %1 (one of %2)")
                           .arg(o.positional[0], kTypes.join(QStringLiteral(", "))),
                       2};
    for (const QString& name : {QStringLiteral("--r"), QStringLiteral("--width"), QStringLiteral("--height")}) {
        if (o.values.contains(name) && !IsSizeText(o.values.value(name)))
            throw CliError{QStringLiteral("%1 must be a size such as 300, 300m or 1.5km: %2")
                               .arg(name, o.values.value(name)),
                           2};
    }
    io.out << MeasureFigureText(o.positional[1], o.positional[0],
                                o.values.value(QStringLiteral("--r")),
                                o.values.value(QStringLiteral("--width")),
                                o.values.value(QStringLiteral("--height")))
           << '\n';
    return 0;
}

QString JoinIndexes(const std::vector<int>& indexes) {
    QStringList parts;
    for (int i : indexes) parts << QString::number(i);
    return parts.join(QLatin1Char(','));
}

int Spatial(const QStringList& args, CliIO& io) {
    const QString usage =
        QStringLiteral("spatial FILE OP N [--full-overlap] [--select I,J,...]");
    const Options o = ParseOptions(args, {QStringLiteral("--select")},
                                   {QStringLiteral("--full-overlap")}, usage);
    RequireArgs(o.positional, 3, 3, usage);
    const QString op = o.positional[1];
    const bool extreme = op == QLatin1String("Nearest") || op == QLatin1String("Farthest");
    if (!extreme && !IsSpatialOperation(op))
        throw CliError{QStringLiteral("OP must be FindInterior, FindExterior, FindObject, "
                                      "Nearest or Farthest: ") +
                           op,
                       2};

    HeadlessEditor h;
    h.Open(o.positional[0]);
    Editor& editor = h.editor;
    const int n = h.LineArg(o.positional[2], QStringLiteral("N"));
    h.SelectLines(o.values.value(QStringLiteral("--select")));
    const QString word = CommandWord(editor.CommandTextAt(n));
    editor.List().SetCurrent(n);

    if (extreme) {
        if (!IsFigureCommand(word))
            throw CliError{QStringLiteral("line %1 (%2) is not a figure").arg(n).arg(word)};
        const ExtremeFound found =
            FindExtremeFromCurrent(editor, op == QLatin1String("Nearest") ? 1 : 2);
        io.out << found.index << '\n';
        return 0;
    }
    if (!IsSuitableReference(op, word))
        throw CliError{QStringLiteral("line %1 (%2) cannot be the reference of %3")
                           .arg(n)
                           .arg(word, op) +
                       (op == kFindObject ? QString()
                                          : QStringLiteral(": a rect, circle or area is needed"))};
    SpatialState& state = h.session.spatial();
    state.SetFullOverlap(o.values.contains(QStringLiteral("--full-overlap")));
    StartSpatialAnalysis(editor, state, op);
    io.out << JoinIndexes(editor.List().SelectedIndexes()) << '\n';
    return 0;
}

int Drms(const QStringList& args, CliIO& io) {
    RequireArgs(args, 2, 2, QStringLiteral("2drms POS FORMAT"));
    const QString text = Calc2DRMS(args[0], args[1]);
    if (text.isEmpty())
        throw CliError{QStringLiteral("no positions to measure, or FORMAT is not KEL, D, DM or DMS")};
    io.out << text << '\n';
    return 0;
}

}  // namespace

void AddSpatialCommands(CliTable& table) {
    table.push_back({QStringLiteral("distance"), QStringLiteral("LAT1 LON1 LAT2 LON2"),
                     QStringLiteral("great-circle distance in km between two positions in "
                                    "decimal degrees"),
                     Distance});
    table.push_back({QStringLiteral("measure"), QStringLiteral("TYPE POS [--r R] [--width W --height H]"),
                     QStringLiteral("area and length of a figure, as Calc. Area/Length shows them"),
                     Measure});
    table.push_back({QStringLiteral("spatial"),
                     QStringLiteral("FILE OP N [--full-overlap] [--select I,J,...]"),
                     QStringLiteral("spatial selection relative to the figure of line N "
                                    "(FindInterior, FindExterior, FindObject: the selected "
                                    "lines; Nearest, Farthest: the winning line or -1)"),
                     Spatial});
    table.push_back({QStringLiteral("2drms"), QStringLiteral("POS FORMAT"),
                     QStringLiteral("2DRMS scatter of the positions (FORMAT KEL, D, DM or DMS)"),
                     Drms});
}

}  // namespace kel::cli
