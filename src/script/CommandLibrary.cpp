#include "script/CommandLibrary.h"

#include "common/Values.h"
#include "script/Statement.h"
#include "script/StatementWriter.h"
#include "script/WptGroups.h"

namespace kel {

namespace {

struct SlotValue {
    int slot;
    const char* value;
};

QString Entry(int number, const char* label, const char* word, Slots slots) {
    const BuiltStatement built = BuildStatement(QString::fromLatin1(word), slots);
    return MakeLibraryLine(QString::number(number), QString::fromLatin1(label), built.text, 0);
}

QString Entry(int number, const char* label, const char* word,
              std::initializer_list<SlotValue> values) {
    Slots slots;
    for (const SlotValue& v : values) slots[v.slot] = QString::fromUtf8(v.value);
    return Entry(number, label, word, slots);
}

}  // namespace

QString MakeLibraryLine(const QString& numberText, const QString& label, const QString& text,
                        int entryCount) {
    const double number = numberText.isEmpty() ? entryCount : Val(numberText);
    return FormatNumber(number, u"000") + QLatin1Char(':') +
           label.leftJustified(kLibraryLabelWidth, QLatin1Char(' '), true) + text;
}

LibraryLineParts SplitLibraryLine(const QString& line) {
    // The number has three digits up to entry 999 and more after it: it ends at the first ":".
    LibraryLineParts p;
    const qsizetype colon = line.indexOf(QLatin1Char(':'));
    const qsizetype start = colon < 0 ? 4 : colon + 1;
    p.number = colon < 0 ? line.left(3) : line.left(colon);
    p.label = line.mid(start, kLibraryLabelWidth);
    p.text = line.mid(start + kLibraryLabelWidth);
    return p;
}

QStringList StandardLibrary() {
    QStringList lines;
    const auto add = [&lines](const char* label, const char* word,
                              std::initializer_list<SlotValue> values) {
        lines << Entry(int(lines.size()), label, word, values);
    };
    add("point", "point", {});
    add("line", "line", {});
    add("circle", "circle", {});
    add("rect", "rect", {});
    add("area", "area", {});
    add("group", "group",
        {{3, "255,0,0"}, {4, "255,0,0"}, {5, "0,0,255"}, {6, "0,0,255"}, {7, "frame#2"},
         {8, "line#0"}, {9, "hatch#3"}, {10, "none"}, {11, "line#0"}, {12, "32"}, {13, "2"},
         {14, "2"}});
    add("disp", "disp", {{1, "oid"}, {2, "1"}});
    add("theme", "theme", {});
    add("message", "message", {});
    add("icon", "icon", {});
    add("comment", "comment", {});
    add("init", "init", {});
    add("kanji", "kanji", {});
    add("georef", "georef", {});
    add("addon", "addon", {});
    add("[WP]", "point", {{2, "5131"}, {4, "[WP]"}});
    add("[RT]", "line", {{2, "5132"}, {3, "> "}, {4, "[RT]"}});
    add("[TR]", "line", {{2, "5134"}, {3, "> "}, {4, "[TR]"}});
    add("FILTER", "rect", {{8, "[WP]*/[RT]*/{WP}*/{RN}*"}, {9, "center"}});
    for (const WptGroup& g : kWptGroups)
        lines << Entry(int(lines.size()), g.label, "group", WptGroupSlots(g));
    add("pick", "pick", {});
    add("input", "input", {{1, "point"}});
    return lines;
}

int StandardLibraryIndex(const QString& label) {
    static const QStringList labels = [] {
        QStringList out;
        for (const QString& line : StandardLibrary()) out << SplitLibraryLine(line).label.trimmed();
        return out;
    }();
    return int(labels.indexOf(label));
}

CommandLibrary::CommandLibrary() : lines_(StandardLibrary()) {
    counter_ = int(lines_.size()) - 1;
    shown_ = 0;
}

void CommandLibrary::Stock(const QString& commandText) {
    ++counter_;
    lines_.append(
        MakeLibraryLine(QString::number(counter_), CommandWord(commandText), commandText, 0));
    shown_ = int(lines_.size()) - 1;
}

void CommandLibrary::SetLines(QStringList lines, int counter) {
    lines_ = std::move(lines);
    counter_ = counter;
    shown_ = lines_.isEmpty() ? -1 : 0;
}

}  // namespace kel
