// Small system helpers shared by the document, start-up and map-product code.
#pragma once

#include <QString>

namespace kel {

// The length of a file in bytes, or: -3 when the file is not found, -2 for an invalid call
// (an empty or malformed path), -1 when the folder of the path is not found, -9999 for any
// other error (a folder given where a file was expected, an unreadable file). The existence
// test used everywhere: `FileLength(p) >= 0` means "p is a readable file".
qint64 FileLength(const QString& path);
constexpr qint64 kFileFolderNotFound = -1;
constexpr qint64 kFileInvalidPath = -2;
constexpr qint64 kFileNotFound = -3;
constexpr qint64 kFileOtherError = -9999;
// A FileLength result for a path where a file could be created: the file or its folder is
// missing.
constexpr bool FileIsMissing(qint64 length) {
    return length == kFileNotFound || length == kFileFolderNotFound;
}

// The n-th word (1-based) of a command line split at single blanks; n = 0 gives the number
// of words as text. Consecutive blanks give empty words, as splitting at single blanks does.
// An empty command line has no words. A word beyond the last is empty.
QString CommandArg(const QString& commandLine, int n);

}  // namespace kel
