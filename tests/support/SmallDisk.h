// A small file system for tests of saving onto a full disk: a tmpfs mounted in a temporary
// folder for the life of the object. Mounting needs root (CI runs the tests as root); where
// it is not possible, `Ready()` is false and `Why()` says why, for QSKIP.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#ifdef Q_OS_LINUX
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>
#endif

namespace kel::test {

class SmallDisk {
public:
    explicit SmallDisk(qint64 bytes = 64 * 1024) {
#ifdef Q_OS_LINUX
        if (!dir_.isValid()) {
            why_ = QStringLiteral("no temporary folder for the mount point");
        } else if (::geteuid() != 0) {
            why_ = QStringLiteral("the full-disk test mounts a tmpfs, which needs root");
        } else {
            const QByteArray options = "size=" + QByteArray::number(bytes) + ",mode=0777";
            if (::mount("tmpfs", QFile::encodeName(dir_.path()).constData(), "tmpfs", 0,
                        options.constData()) == 0)
                mounted_ = true;
            else
                why_ = QStringLiteral("cannot mount a tmpfs here (a container without the "
                                      "right to mount?)");
        }
#else
        Q_UNUSED(bytes);
        why_ = QStringLiteral("the full-disk test needs Linux tmpfs");
#endif
    }
    ~SmallDisk() {
#ifdef Q_OS_LINUX
        if (mounted_) ::umount2(QFile::encodeName(dir_.path()).constData(), MNT_DETACH);
#endif
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool Ready() const { return mounted_; }
    QString Why() const { return why_; }
    QString Path(const QString& name) const { return dir_.filePath(name); }

    // Bytes free on the disk.
    qint64 Free() const {
#ifdef Q_OS_LINUX
        struct statvfs st;
        if (::statvfs(QFile::encodeName(dir_.path()).constData(), &st) != 0) return -1;
        return qint64(st.f_bavail) * qint64(st.f_frsize);
#else
        return -1;
#endif
    }

    // Fills the disk with a file until `leave` bytes (a multiple of 4,096) are free.
    bool Fill(qint64 leave = 0) {
        const qint64 size = Free() - leave;
        if (size < 0) return false;
        QFile f(Path(QStringLiteral("filler-%1").arg(fillers_++)));
        if (!f.open(QIODevice::WriteOnly)) return false;
        const QByteArray block(4096, 'x');
        for (qint64 done = 0; done < size; done += block.size())
            if (f.write(block.constData(), qMin<qint64>(block.size(), size - done)) < 0) return false;
        return f.flush() && Free() == leave;
    }

private:
    QTemporaryDir dir_;
    bool mounted_ = false;
    int fillers_ = 0;
    QString why_;
};

}  // namespace kel::test

// Skips the test with the reason when no small disk can be mounted.
#define KEL_REQUIRE_SMALL_DISK(disk) \
    if (!(disk).Ready()) QSKIP(qPrintable((disk).Why()))
