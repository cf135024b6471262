#include "common/SafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <cstring>
#include <new>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <QSaveFile>
#endif

namespace kel {

namespace {

QString Grouped(qint64 n) { return QLocale::c().toString(n); }

QString TooLarge(qint64 size, qint64 maxBytes) {
    return QStringLiteral("too large: %1 bytes (the limit is %2 bytes)")
        .arg(Grouped(size), Grouped(maxBytes));
}

QString NotRegular(const QString& kind) {
    return QStringLiteral("not a regular file (%1)").arg(kind);
}

#ifdef Q_OS_UNIX

QString SystemReason(int err) { return QString::fromLocal8Bit(std::strerror(err)); }

QString KindOfMode(mode_t mode) {
    if (S_ISDIR(mode)) return QStringLiteral("a folder");
    if (S_ISFIFO(mode)) return QStringLiteral("a FIFO");
    if (S_ISCHR(mode)) return QStringLiteral("a character device");
    if (S_ISBLK(mode)) return QStringLiteral("a block device");
    if (S_ISSOCK(mode)) return QStringLiteral("a socket");
    if (S_ISREG(mode)) return QString();
    return QStringLiteral("not a file");
}

// write(2) until everything is written; false with errno set on failure.
bool WriteAll(int fd, const char* data, qsizetype size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size_t(size));
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) {
            errno = EIO;
            return false;
        }
        data += n;
        size -= n;
    }
    return true;
}

mode_t CurrentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

#endif  // Q_OS_UNIX

}  // namespace

QString NonRegularKind(const QString& path) {
#ifdef Q_OS_UNIX
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) return QString();
    return KindOfMode(st.st_mode);
#else
    const QFileInfo info(path);
    if (!info.exists() || info.isFile()) return QString();
    return info.isDir() ? QStringLiteral("a folder") : QStringLiteral("not a file");
#endif
}

namespace {

// Opens a file for reading after the checks every read makes (a regular file within the
// size limit); false with `error` set otherwise.
bool OpenForReading(const QString& path, QFile& f, qint64* size, QString* error,
                    qint64 maxBytes) {
    if (path.isEmpty()) {
        *error = QStringLiteral("no file name");
        return false;
    }
    // What the path names is checked before opening: opening a FIFO would wait for a writer.
    const QString kind = NonRegularKind(path);
    if (!kind.isEmpty()) {
        *error = NotRegular(kind);
        return false;
    }
    f.setFileName(path);
    if (!f.open(QIODevice::ReadOnly)) {
        *error = f.errorString();
        return false;
    }
    *size = f.size();
    if (*size > maxBytes) {
        *error = TooLarge(*size, maxBytes);
        return false;
    }
    return true;
}

const QString kGrew = QStringLiteral("the file grew while it was read");

}  // namespace

bool ReadFileInPieces(const QString& path, const FileConsumer& consume, QString* error,
                      qint64 maxBytes) {
    QFile f;
    qint64 size = 0;
    if (!OpenForReading(path, f, &size, error, maxBytes)) return false;
    constexpr qsizetype kPieceBytes = qsizetype(1) << 20;
    try {
        QByteArray buffer(qsizetype(qBound<qint64>(1, size, kPieceBytes)), Qt::Uninitialized);
        qsizetype pending = 0;  // bytes at the start of `buffer` not consumed yet
        qint64 got = 0;
        bool atEnd = false;
        while (!atEnd) {
            // What is pending fills the buffer: one part longer than the buffer.
            if (pending == buffer.size()) buffer.resize(buffer.size() * 2);
            // Never more than the size the file had when it was opened.
            const qint64 n = got < size ? f.read(buffer.data() + pending,
                                                 qMin<qint64>(buffer.size() - pending, size - got))
                                        : 0;
            if (n < 0) {
                *error = f.errorString();
                return false;
            }
            got += n;
            pending += qsizetype(n);
            if (n == 0 || got == size) {
                atEnd = true;
                char probe = 0;
                if (got == size && f.read(&probe, 1) == 1) {
                    *error = kGrew;
                    return false;
                }
            }
            const qsizetype used = consume(QByteArrayView(buffer.constData(), pending), atEnd);
            std::memmove(buffer.data(), buffer.constData() + used, size_t(pending - used));
            pending -= used;
        }
    } catch (const std::bad_alloc&) {
        *error = QStringLiteral("not enough memory to read %1 bytes").arg(Grouped(size));
        return false;
    }
    return true;
}

bool ReadWholeFile(const QString& path, QByteArray* bytes, QString* error, qint64 maxBytes) {
    bytes->clear();
    QFile f;
    qint64 size = 0;
    if (!OpenForReading(path, f, &size, error, maxBytes)) return false;
    try {
        // The size may change while reading; never read more than the limit.
        bytes->resize(qsizetype(size));
        qint64 got = 0;
        while (got < size) {
            const qint64 n = f.read(bytes->data() + got, size - got);
            if (n < 0) {
                *error = f.errorString();
                bytes->clear();
                return false;
            }
            if (n == 0) break;
            got += n;
        }
        bytes->resize(qsizetype(got));
        if (got == size) {
            char probe = 0;
            if (f.read(&probe, 1) == 1) {
                *error = kGrew;
                bytes->clear();
                return false;
            }
        }
    } catch (const std::bad_alloc&) {
        bytes->clear();
        bytes->squeeze();
        *error = QStringLiteral("not enough memory to read %1 bytes").arg(Grouped(size));
        return false;
    }
    return true;
}

QString WriteWholeFile(const QString& path, QByteArrayView bytes) {
    bool given = false;
    return WriteFileInPieces(path, [&](QByteArray& piece) {
        // One piece, the whole; QByteArray::fromRawData spares a copy of the bytes.
        if (!given) piece = QByteArray::fromRawData(bytes.data(), bytes.size());
        given = true;
    });
}

#ifdef Q_OS_UNIX

QString WriteFileInPieces(const QString& path, const FilePieces& nextPiece) {
    if (path.isEmpty()) return QStringLiteral("no file name");
    QString target = path;
    struct stat old;
    bool exists = false;
    struct stat link;
    if (::lstat(QFile::encodeName(path).constData(), &link) == 0) {
        if (::stat(QFile::encodeName(path).constData(), &old) != 0)
            return QStringLiteral("a symbolic link to a file that does not exist");
        const QString kind = KindOfMode(old.st_mode);
        if (!kind.isEmpty()) return NotRegular(kind);
        exists = true;
        // A symbolic link stays a link: the file it names is replaced.
        if (S_ISLNK(link.st_mode)) target = QFileInfo(path).canonicalFilePath();
    }
    const QFileInfo targetInfo(target);
    const QString folder = targetInfo.absolutePath();
    const QByteArray folderName = QFile::encodeName(folder);
    QByteArray temp = QFile::encodeName(
        QDir(folder).filePath(QStringLiteral(".") + targetInfo.fileName() + QStringLiteral(".XXXXXX")));
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return SystemReason(errno);

    auto fail = [&](int err) {
        ::close(fd);
        ::unlink(temp.constData());
        return SystemReason(err);
    };
    QByteArray piece;
    for (;;) {
        piece.resize(0);  // keeps its room for the next piece
        nextPiece(piece);
        if (piece.isEmpty()) break;
        if (!WriteAll(fd, piece.constData(), piece.size())) return fail(errno);
    }
    if (exists) {
        if (::fchmod(fd, old.st_mode & 07777) != 0) return fail(errno);
        // Owner and group are kept where the process may set them (root, or a group the
        // user belongs to); otherwise the file becomes the user's, as any new file would.
        if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
            if (::fchown(fd, old.st_uid, old.st_gid) != 0) (void)::fchown(fd, uid_t(-1), old.st_gid);
        }
    } else if (::fchmod(fd, 0666 & ~CurrentUmask()) != 0) {
        return fail(errno);
    }
    // The data is on the disk before the name points to it.
    if (::fsync(fd) != 0) return fail(errno);
    if (::close(fd) != 0) {
        const int err = errno;
        ::unlink(temp.constData());
        return SystemReason(err);
    }
    if (::rename(temp.constData(), QFile::encodeName(target).constData()) != 0) {
        const int err = errno;
        ::unlink(temp.constData());
        return SystemReason(err);
    }
    // The rename itself is made durable by syncing the folder; a file system that cannot
    // sync a folder has already done what it can, so a failure here is not the save's.
    const int dir = ::open(folderName.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        (void)::fsync(dir);
        ::close(dir);
    }
    return QString();
}

#else

QString WriteFileInPieces(const QString& path, const FilePieces& nextPiece) {
    if (path.isEmpty()) return QStringLiteral("no file name");
    const QString kind = NonRegularKind(path);
    if (!kind.isEmpty()) return NotRegular(kind);
    QSaveFile f(path);
    // Unbuffered: every write reaches the file at once and reports its own failure.
    if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return f.errorString();
    QByteArray piece;
    for (;;) {
        piece.resize(0);  // keeps its room for the next piece
        nextPiece(piece);
        if (piece.isEmpty()) break;
        if (f.write(piece.constData(), piece.size()) != piece.size()) {
            const QString why = f.errorString();
            f.cancelWriting();
            return why;
        }
    }
    if (!f.flush()) {
        const QString why = f.errorString();
        f.cancelWriting();
        return why;
    }
    if (!f.commit()) return f.errorString();
    return QString();
}

#endif

}  // namespace kel
