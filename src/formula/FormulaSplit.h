// Texts of the formula language: the two splitters that take a formula and an argument list
// apart at their top level, and the pattern test of conditions.
#pragma once

#include <QString>
#include <QStringView>
#include <QVarLengthArray>

namespace kel {

// Element numbers above this do not exist: reading one gives the empty text. The table
// itself grows as needed, so a long list (a `pos` value of thousands of fields) is split
// whole and every piece can still be walked.
constexpr int kSplitLimit = 1024;

// The result of a split. Element 0 is the unsplit input (untrimmed), elements 1..Count()
// the pieces; every other element is the empty text. Count() is 0 for an empty input and
// -1 when a ")" closed more than was opened: scanning stopped there and the pieces keep
// what they had collected, untrimmed.
class SplitTable {
public:
    int Count() const { return count_; }
    // Element i (0..kSplitLimit); empty beyond the pieces or the limit.
    const QString& operator[](int i) const;
    // Piece i (1..Pieces()) without the element-number limit, for walks over every piece.
    int Pieces() const { return int(pieces_.size()); }
    const QString& Piece(int i) const { return pieces_[i - 1]; }
    // Replaces piece i (1..Pieces()); used when an argument is replaced by its value.
    void SetPiece(int i, QString value);
    const QString& Whole() const { return whole_; }

private:
    friend struct SplitScanner;

    QString whole_;
    QVarLengthArray<QString, 6> pieces_;
    int count_ = 0;
};

// Top-level split of a formula into name and argument text: "Name(a,b(c))" gives
// "Name" and "a,b(c)". At depth 0 "(" starts a new piece and is dropped, the ")" that
// returns to depth 0 is dropped, and "=", ":" and "," start a new piece.
SplitTable SplitFormula(const QString& text);

// Top-level split of an argument list: "Cond(a=1),x,y" gives "Cond(a=1)", "x", "y";
// parentheses are kept, "=", ":" and "," at depth 0 separate.
SplitTable SplitArguments(const QString& text);

// The blanks the language trims: spaces and tabs at both ends.
QStringView TrimFormulaBlanks(QStringView text);

// The pattern test of conditions. Both texts are trimmed. "*" alone matches nothing;
// "*x*" matches values containing x, "x*" values beginning with x, "*x" values ending
// with x; any other pattern only the identical value. Case-sensitive.
bool MatchPattern(QStringView value, QStringView pattern);

}  // namespace kel
