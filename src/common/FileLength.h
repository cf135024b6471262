// Small system helpers shared by the document, start-up and map-product code.
#pragma once

#include <QString>

namespace kel {

// The length of a file in bytes, or: -3 when the file is not found, -2 for an invalid call
// (an empty or malformed path), -1 when the folder of the path is not found, -9999 for any
// other error (a folder given where a file was expected, an unreadable file). The existence
// test used everywhere: `FileLength(p) >= 0` means "p is a readable file".
qint64 FileLength(const QString& path);

// The n-th word (1-based) of a command line split at single blanks; n = 0 gives the number
// of words as text. Consecutive blanks give empty words, as splitting at single blanks does.
// An empty command line has no words. A word beyond the last is empty.
QString CommandArg(const QString& commandLine, int n);

}  // namespace kel
