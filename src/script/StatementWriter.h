// The writer: builds a complete command text in the fixed layout from a command word and
// its sixteen slots. Every command the program creates or edits goes through it.
#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include "script/Statement.h"

namespace kel {

struct BuiltStatement {
    QString text;      // the command text (empty when refused)
    int badSlot = 0;   // slot whose value cannot be stored so that it reads back; 0 = none
                       // (or a refusal that concerns no slot; then reason is set)
    QString reason;    // why, for the caller's message; empty when the text was built
    bool ok() const { return badSlot == 0 && reason.isEmpty(); }
};

// Builds the command text for `word` from `slots` by the per-command templates. Slot 1 of a
// `comment` is updated to the returned text. A value that would not read back as written
// (a double quote in it, a ";" or comment line that would end the statement early, ...)
// is refused: the result names the slot and carries no text, and nothing should be stored.
BuiltStatement BuildStatement(const QString& word, Slots& slots);

// Replaces the first occurrence of `placeholder` in `templ` by a double quote, `value` and
// a double quote; returns `templ` unchanged when the placeholder does not occur.
QString QuoteInto(const QString& templ, const QString& placeholder, const QString& value);

// The slot (1..16) of parameter `name` for `word`; 0 when the command has slots but not
// that name; -1 for words without a slot table (comment, disp, hedder, unknown words).
int ParamSlot(const QString& word, const QString& name);

// Sets one parameter of a command text: parse, change the slot, rebuild. Refused (see
// BuildStatement) when the value cannot be stored or the command has no slot for `name`
// (then badSlot is -1 or 0 and reason says so).
BuiltStatement SetParamValue(const QString& text, const QString& name, const QString& value);

// Program and template versions written in headers.
inline const QString kProgramVersion = QStringLiteral("1.0.8.0");
inline const QString kTemplateVersion = QStringLiteral("1.2");

// The command texts of a new document: header (with `date` as the short date text),
// "mapserver script ver=\"1.0\";", the `disp all` command and "mapserver end;".
QStringList NewDocumentSkeleton(const QString& date);

// The system's short date text used in headers (yyyy/MM/dd).
QString ShortDateText(const QDate& date);

}  // namespace kel
