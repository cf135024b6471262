// The KEL script text format as the program reads it: statements, command words, parameter
// values. A command is held as its own text (the command text); every caller that needs a
// parameter parses the text again with these functions.
#pragma once

#include <QString>
#include <array>

#include "common/TextFile.h"

namespace kel {

// Number of parameter slots of a parsed command.
constexpr int kSlotCount = 16;

// The sixteen parameter values of a parsed command, numbered 1 to 16 as in the per-command
// slot table.
class Slots {
public:
    QString& operator[](int slot) { return v_[Index(slot)]; }
    const QString& operator[](int slot) const { return v_[Index(slot)]; }
    void Clear() { v_.fill(QString()); }
    bool operator==(const Slots& o) const { return v_ == o.v_; }

private:
    static size_t Index(int slot) {
        return size_t(slot < 1 ? 0 : (slot > kSlotCount ? kSlotCount - 1 : slot - 1));
    }
    std::array<QString, kSlotCount> v_;
};

// The text without leading and trailing spaces and tabs (CR and LF are kept).
QString TrimBlanks(const QString& text);

// Reads the next statement from `source`: one or more lines up to and including the first
// line holding ";", or a single comment line ("//" after blanks). Blank lines are skipped.
// A line without ";" that continues text ending in "," (the text gathered so far, trailing
// spaces aside) is joined to it without a line break and without its own leading and trailing
// blanks; other continuation lines, the terminating one always, are joined with CR LF. An
// unterminated statement interrupted by a comment line is returned as it stands, and the
// comment line is returned by the next call (nothing is lost). Returns an empty text when
// only blank lines remained. `firstLine`, when given, receives the number (1-based) of the
// statement's first line in the source (for an empty text, the last line read).
QString ReadStatement(LineSource& source, qsizetype* firstLine = nullptr);

// The same over the bytes of a code page 932 file, decoding only what the statement keeps.
// `badLine`, when given and still 0, receives the number of the first line of the statement
// that holds bytes that are not Shift-JIS (kept as raw-byte characters).
QString ReadStatement(ByteLineSource& source, qsizetype* firstLine = nullptr,
                      qsizetype* badLine = nullptr);

// Splits a command text into its command word and slots. Slots the command does not use are
// left as given, except for an unrecognised command word, where all are set to empty. A
// comment ("//" after blanks) is the word "comment" with the whole text in slot 1.
QString ParseStatement(const QString& text, Slots& slots);

// The command word alone: the first run of characters that are not space, tab, CR or LF.
// ("comment" for a comment text.)
QString CommandWord(const QString& text);

// The value of parameter `name` in a command text; empty when absent. Names are recognised
// only outside quoted values, where the characters around them are separators (space, tab,
// CR, LF, "=", double quote, or the start of the text). A quoted value runs to the next
// double quote; a value without quotes is its bare word (up to a blank, tab, line break or
// ";").
QString GetParamValue(const QString& text, const QString& name);

// The first word after the first occurrence of `key` in the trimmed text, words being
// separated by space, tab, double quote, ";" and "=".
QString GetWordAfter(const QString& text, const QString& key);

}  // namespace kel
