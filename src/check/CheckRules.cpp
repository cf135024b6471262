#include "check/CheckRules.h"

namespace kel {

QString SeverityText(Severity severity) {
    switch (severity) {
    case Severity::kError:
        return QStringLiteral("error");
    case Severity::kWarning:
        return QStringLiteral("warning");
    case Severity::kNote:
        break;
    }
    return QStringLiteral("note");
}

const QList<CheckRule>& CheckRules() {
    static const QList<CheckRule> rules = [] {
        const Severity E = Severity::kError, W = Severity::kWarning, N = Severity::kNote;
        const auto r = [](const char* name, const char* group, Severity s, const char* summary) {
            return CheckRule{QString::fromLatin1(name), QString::fromLatin1(group), s,
                             QString::fromLatin1(summary)};
        };
        return QList<CheckRule>{
            r("open-statement", "structure", E,
              "a statement without \";\" (at the end, before a comment line or the next command)"),
            r("two-commands", "structure", E, "text after the \";\" on the same line"),
            r("after-end", "structure", W, "commands after \"mapserver end;\""),
            r("no-start", "structure", E, "the script does not begin with \"mapserver script\""),
            r("no-end", "structure", E, "the script does not end with \"mapserver end;\""),
            r("unknown-command", "words", E, "a command word the program does not know"),
            r("unknown-param", "words", W, "a parameter name the command does not have"),
            r("duplicate-param", "words", W, "a parameter given twice (the first counts)"),
            r("pos-syntax", "values", E, "a pos field that is not a coordinate"),
            r("pos-odd", "values", E, "a pos with a latitude and no longitude"),
            r("pos-range", "values", E, "a latitude outside +-90 or a longitude outside +-180"),
            r("pos-minsec", "values", W, "minutes or seconds outside 0 to under 60"),
            r("pos-count", "values", E, "more than 2,560 positions"),
            r("pos-empty", "values", W, "a figure without positions"),
            r("rect-size", "values", E, "a rect with one position and no width or height"),
            r("area-positions", "values", E, "an area with fewer than three positions"),
            r("colour", "values", E, "a colour that is not three numbers 0-255"),
            r("keyword", "values", W, "a style or keyword outside the offered lists"),
            r("size", "values", E, "a radius, width or height that cannot be read"),
            r("value-quote", "values", E, "a value holding a double quote or left open"),
            r("value-semicolon", "values", E, "a \";\" in a value that ends the statement early"),
            r("undefined-gid", "references", W, "a gid that no group defines"),
            r("unused-group", "references", N, "a group no figure uses"),
            r("duplicate-oid", "references", W, "an oid used by two figures"),
            r("encoding", "encoding", E, "bytes that are not Shift-JIS"),
        };
    }();
    return rules;
}

const CheckRule* FindCheckRule(const QString& name) {
    for (const CheckRule& r : CheckRules())
        if (r.name == name) return &r;
    return nullptr;
}

QString Finding::Text() const {
    return QStringLiteral("%1:%2: %3: %4 [%5]")
        .arg(line)
        .arg(column)
        .arg(SeverityText(severity), message, rule);
}

}  // namespace kel
