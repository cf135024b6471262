#include "common/SafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <new>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
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

bool ReadWholeFile(const QString& path, QByteArray* bytes, QString* error, qint64 maxBytes) {
    bytes->clear();
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
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        *error = f.errorString();
        return false;
    }
    const qint64 size = f.size();
    if (size > maxBytes) {
        *error = TooLarge(size, maxBytes);
        return false;
    }
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
                *error = QStringLiteral("the file grew while it was read");
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

#ifdef Q_OS_UNIX

QString WriteWholeFile(const QString& path, QByteArrayView bytes) {
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
    if (!WriteAll(fd, bytes.data(), bytes.size())) return fail(errno);
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

QString WriteWholeFile(const QString& path, QByteArrayView bytes) {
    if (path.isEmpty()) return QStringLiteral("no file name");
    const QString kind = NonRegularKind(path);
    if (!kind.isEmpty()) return NotRegular(kind);
    QSaveFile f(path);
    // Unbuffered: every write reaches the file at once and reports its own failure.
    if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return f.errorString();
    if (f.write(bytes.data(), bytes.size()) != bytes.size() || !f.flush()) {
        const QString why = f.errorString();
        f.cancelWriting();
        return why;
    }
    if (!f.commit()) return f.errorString();
    return QString();
}

#endif

}  // namespace kel
