// Code page 932 (Shift-JIS as Windows writes it, Qt's "windows-31j" codec): decoding and
// encoding for every text file of the program.
//
// Both directions run in one pass over the text: ASCII goes straight through, and every other
// character or byte pair is looked up in a table that is filled from Qt's codec the first
// time that character or pair is met (so the mapping is exactly the codec's, and a file pays
// only for the characters it holds). The tables are shared by all threads.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace kel {

// Bytes that are not Shift-JIS are carried through memory unchanged: each such byte b
// becomes the character U+F700 + b, a private-use character that decoding Shift-JIS never
// produces (the user-defined characters of code page 932 are U+E000 to U+E757), and
// encoding turns it back into the byte b. A command that was not edited thus saves its
// bytes exactly as read, and an edited one keeps the bytes it still holds.
constexpr char16_t kRawByteFirst = 0xF700;
constexpr char16_t kRawByteLast = 0xF7FF;
inline bool IsRawByte(QChar c) { return c.unicode() >= kRawByteFirst && c.unicode() <= kRawByteLast; }

// A lead byte of a two-byte character.
inline bool IsCp932LeadByte(uchar b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// Decodes `bytes` into `out`, which must have room for bytes.size() characters (a byte never
// gives more than one). Returns the number of characters written. A byte that does not start
// a character of the code page (an unmapped or cut-off pair, a byte of no meaning) becomes a
// raw-byte character, and decoding goes on with the next byte; `sawRawByte` is then set.
// Bytes below 0x40 (line ends, blanks, ";", ",", "/") are never part of a two-byte character,
// so a text can be cut into lines and statements on its bytes before it is decoded.
qsizetype DecodeCp932To(QByteArrayView bytes, char16_t* out, bool* sawRawByte);

// Decodes code page 932 bytes. `firstBadLine` (1-based) is set to the first line holding a
// byte sequence that is not valid Shift-JIS, 0 when all is valid; such bytes are kept as
// raw-byte characters (above).
QString DecodeCp932(QByteArrayView bytes, int* firstBadLine = nullptr);

// Appends the code page 932 bytes of `text` to `out`, raw-byte characters as their bytes.
// Returns false when a character cannot be held; then `badIndex` is the index in `text` of
// the first such character (the high half of a surrogate pair), and `out` holds the bytes
// of the characters before it.
bool AppendCp932(QStringView text, QByteArray& out, qsizetype* badIndex = nullptr);

// Whether code page 932 holds every character of `text` (raw-byte characters included);
// when not, `badIndex` is the index of the first one it cannot hold.
bool FitsCp932(QStringView text, qsizetype* badIndex = nullptr);

// Encodes to code page 932 as AppendCp932 does, into a new byte array. Returns false when a
// character cannot be held; then `badIndex` is the index of the first such character and
// `out` is left as it was.
bool EncodeCp932(QStringView text, QByteArray* out, qsizetype* badIndex = nullptr);

// The text as it is shown in a list: each raw-byte character as "\x" and its two hex
// digits (\xA0), so that bytes that are not Shift-JIS are visible.
QString ShowRawBytes(const QString& text);

// The text with every character that code page 932 cannot hold replaced by "?" (a
// surrogate pair by one "?"); `replaced` receives how many were replaced.
QString FitCp932(const QString& text, int* replaced = nullptr);

// The 1-based line of the character at `index` (CR LF, LF and CR each end a line).
int LineOfCharacter(QStringView text, qsizetype index);

}  // namespace kel
