// Safe reading and writing of whole files: what every text file, settings file and exported
// file of the program goes through.
//
// Reading takes only regular files (or symbolic links to them) up to a size limit: a device,
// a FIFO or a folder is named as what it is, never read (/dev/zero has no end, a FIFO blocks).
//
// Writing is atomic and checked: the bytes go to a temporary file beside the target, every
// write and the flush are checked, the data is synced to the disk, and only then does the
// temporary file replace the target (the folder is synced after the rename). A failed write
// (a full disk, no permission) leaves the old file byte for byte and says why, in the
// system's words. A target that exists and is not a regular file is refused. The replaced
// file keeps its permissions and, where the process may set them, its owner and group; a save
// replaces the file, so other hard links to it keep the old contents.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <functional>

namespace kel {

// The largest file the program reads: the text store holds at most 999,999 commands, and a
// file of 999,999 commands of 512 bytes each is far beyond any script or GPS file; above it
// the decoded text, its lines and its statements would not fit in memory together.
constexpr qint64 kMaxReadBytes = qint64(999999) * 512;

// What a path names, for messages: "a folder", "a FIFO", "a character device", ... Empty for
// a regular file (or a symbolic link to one) and for a path that does not exist.
QString NonRegularKind(const QString& path);

// Reads a whole file into `bytes`. On failure returns false with `error` set to a short
// English reason without the path ("No such file or directory", "not a regular file (a
// FIFO)", "too large: ... (the limit is ... bytes)").
bool ReadWholeFile(const QString& path, QByteArray* bytes, QString* error,
                   qint64 maxBytes = kMaxReadBytes);

// Reads a file piece by piece, with the same checks, for readers that need not hold all of
// its bytes at once. `consume` gets the bytes read so far that it has not consumed yet, and
// whether they reach the end of the file; it returns how many of them (from the start) it
// has consumed, and is called again with the rest and more bytes. At the end it must
// consume everything. False with `error` set when the file cannot be read; what `consume`
// was given until then is not to be used.
using FileConsumer = std::function<qsizetype(QByteArrayView bytes, bool atEnd)>;
bool ReadFileInPieces(const QString& path, const FileConsumer& consume, QString* error,
                      qint64 maxBytes = kMaxReadBytes);

// Writes `bytes` to `path` atomically (see above). Returns an empty text on success, else
// the reason without the path ("No space left on device", "not a regular file (a character
// device)").
QString WriteWholeFile(const QString& path, QByteArrayView bytes);

// The same for bytes made while they are written: each call of `nextPiece` fills `piece`
// (cleared before the call) with the next bytes of the file, and an empty piece ends it. A
// large file thus never needs its bytes in memory all at once.
using FilePieces = std::function<void(QByteArray& piece)>;
QString WriteFileInPieces(const QString& path, const FilePieces& nextPiece);

}  // namespace kel
