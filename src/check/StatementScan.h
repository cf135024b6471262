// A command text cut into its command word and the parameters as they stand, in order,
// with what the reader would pass over silently: a parameter given twice, words that are
// no parameter, a quote inside a value, a ";" inside a value, text after the ";".
#pragma once

#include <QStringView>
#include <vector>

namespace kel {

struct ScannedParam {
    QStringView name;
    QStringView value;      // the quoted text, or the bare word after "="; empty otherwise
    bool hasValue = false;  // "=" or a quoted value follows the name
};

struct StatementScan {
    QStringView word;       // the command word
    qsizetype wordAt = 0;   // its index in the text
    std::vector<ScannedParam> params;  // in text order, up to the ";" or a damaged value

    bool readerEnded = false;      // the last line holds a ";", so the reader ended the statement
    bool terminated = false;       // a ";" outside quoted values ends the parameters
    QStringView semicolonValueOf;  // first parameter whose quoted value holds a ";"
    QStringView unclosedValueOf;   // a parameter whose value's quote is never closed
    QStringView quoteInValueOf;    // a parameter whose closing quote is followed by more text
    QStringView trailing;          // text after the ";" on its line that is not a comment
    QStringView nextCommand;       // a command word at the start of a continuation line (the
                                   // scan stops there)
};

// Scans a command text that is not a comment. Views point into `text`.
StatementScan ScanStatement(QStringView text);

// Whether a word is a command word of the script language (table commands and `disp`).
bool IsCommandWord(QStringView word);

}  // namespace kel
