#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "SmallDisk.h"
#include "TestMain.h"
#include "common/SafeFile.h"
#include "common/TextFile.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace kel;
using kel::test::SmallDisk;

namespace {
void Put(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

QByteArray Script(qsizetype bytes) {
    QByteArray line = "point oid=\"1\" pos=\"35/00/00.0,135/00/00.0\";\r\n";
    QByteArray out;
    while (out.size() < bytes) out += line;
    out.truncate(bytes);
    return out;
}

QStringList Entries(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
}
}  // namespace

class SafeFileTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A save onto a full disk fails, says why in the system's words, and leaves the old
    // file as it was, with no temporary file left behind.
    void fullDiskKeepsOldFile_data() {
        QTest::addColumn<qint64>("leaveFree");
        QTest::addColumn<qsizetype>("size");
        QTest::newRow("small save, no room") << qint64(0) << qsizetype(1000);
        QTest::newRow("12 KB save, 8 KB free") << qint64(8192) << qsizetype(12 * 1024);
        QTest::newRow("larger than the disk") << qint64(0) << qsizetype(200 * 1024);
    }
    void fullDiskKeepsOldFile() {
        QFETCH(qint64, leaveFree);
        QFETCH(qsizetype, size);
        SmallDisk disk;
        KEL_REQUIRE_SMALL_DISK(disk);
        const QString path = disk.Path(QStringLiteral("map.kel"));
        const QByteArray old = "old contents\r\n";
        Put(path, old);
        QVERIFY(disk.Fill(leaveFree));
        const QString why = WriteWholeFile(path, Script(size));
        QCOMPARE(why, QStringLiteral("No space left on device"));
        QCOMPARE(test::ReadBytes(path), old);
        QCOMPARE(Entries(disk.Path(QString())).filter(QStringLiteral("map.kel")),
                 QStringList{QStringLiteral("map.kel")});
        // Through the text-file writer the same.
        const TextWriteResult w = WriteTextFile(path, {QString::fromLatin1(Script(size))});
        QVERIFY(!w.ok);
        QCOMPARE(w.error, QStringLiteral("No space left on device"));
        QCOMPARE(test::ReadBytes(path), old);
    }

    void fitsExactlyIsWritten() {
        SmallDisk disk;
        KEL_REQUIRE_SMALL_DISK(disk);
        const QString path = disk.Path(QStringLiteral("map.kel"));
        QVERIFY(disk.Fill(8192));
        const QByteArray bytes = Script(8192);
        QCOMPARE(WriteWholeFile(path, bytes), QString());
        QCOMPARE(test::ReadBytes(path), bytes);
    }

    // A target that exists and is not a regular file is refused and left as it is.
    void nonRegularTargetRefused_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("fifo") << "fifo" << "not a regular file (a FIFO)";
        QTest::newRow("folder") << "folder" << "not a regular file (a folder)";
        QTest::newRow("device") << "device" << "not a regular file (a character device)";
        QTest::newRow("link to fifo") << "link" << "not a regular file (a FIFO)";
        QTest::newRow("dangling link") << "dangling"
                                       << "a symbolic link to a file that does not exist";
    }
    void nonRegularTargetRefused() {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("target"));
        const QByteArray name = QFile::encodeName(target);
        const QByteArray fifo = QFile::encodeName(dir.filePath(QStringLiteral("fifo")));
        if (kind == QLatin1String("fifo")) {
            QCOMPARE(::mkfifo(name.constData(), 0644), 0);
        } else if (kind == QLatin1String("folder")) {
            QVERIFY(QDir().mkdir(target));
        } else if (kind == QLatin1String("device")) {
            // A copy of /dev/null's node; only root may make one.
            if (::mknod(name.constData(), S_IFCHR | 0666, makedev(1, 3)) != 0)
                QSKIP("making a device node needs root");
        } else if (kind == QLatin1String("link")) {
            QCOMPARE(::mkfifo(fifo.constData(), 0644), 0);
            QCOMPARE(::symlink(fifo.constData(), name.constData()), 0);
        } else {
            QCOMPARE(::symlink("missing", name.constData()), 0);
        }
        struct stat before;
        QCOMPARE(::lstat(name.constData(), &before), 0);
        QCOMPARE(WriteWholeFile(target, "point;\r\n"), reason);
        const TextWriteResult w = WriteTextFile(target, {QStringLiteral("point;")});
        QVERIFY(!w.ok);
        QCOMPARE(w.error, reason);
        struct stat after;
        QCOMPARE(::lstat(name.constData(), &after), 0);
        QCOMPARE(after.st_mode, before.st_mode);
        QCOMPARE(after.st_ino, before.st_ino);
        if (kind != QLatin1String("folder"))
            QCOMPARE(Entries(dir.path()).filter(QStringLiteral(".target")), QStringList());
    }

    // A symbolic link to a regular file stays a link; the file it names gets the text.
    void linkToFileReplacesItsTarget() {
        QTemporaryDir dir;
        const QString real = dir.filePath(QStringLiteral("real.kel"));
        const QString link = dir.filePath(QStringLiteral("link.kel"));
        Put(real, "old\r\n");
        QVERIFY(QFile::link(real, link));
        QCOMPARE(WriteWholeFile(link, "new\r\n"), QString());
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(test::ReadBytes(real), QByteArray("new\r\n"));
    }

    // The replaced file keeps its permissions and (as root) its owner and group.
    void keepsModeAndOwner() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("kept.kel"));
        const QByteArray name = QFile::encodeName(path);
        Put(path, "old\r\n");
        QCOMPARE(::chmod(name.constData(), 0640), 0);
        const bool root = ::geteuid() == 0;
        if (root) QCOMPARE(::chown(name.constData(), 1234, 2345), 0);
        QCOMPARE(WriteWholeFile(path, "new\r\n"), QString());
        struct stat st;
        QCOMPARE(::stat(name.constData(), &st), 0);
        QCOMPARE(st.st_mode & 07777, mode_t(0640));
        if (root) {
            QCOMPARE(st.st_uid, uid_t(1234));
            QCOMPARE(st.st_gid, gid_t(2345));
        }
        QCOMPARE(test::ReadBytes(path), QByteArray("new\r\n"));
    }

    // Reading takes regular files only, up to the limit; everything else is named.
    void readRefusals_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("endless device") << "/dev/zero" << "not a regular file (a character device)";
        QTest::newRow("fifo") << "fifo" << "not a regular file (a FIFO)";
        QTest::newRow("folder") << "folder" << "not a regular file (a folder)";
        QTest::newRow("over the limit") << "big" << "too large: 101 bytes (the limit is 100 bytes)";
    }
    void readRefusals() {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        QString path = dir.filePath(QStringLiteral("x.kel"));
        if (kind.startsWith(QLatin1Char('/')))
            path = kind;
        else if (kind == QLatin1String("fifo"))
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
        else if (kind == QLatin1String("folder"))
            QVERIFY(QDir().mkdir(path));
        else
            Put(path, QByteArray(101, 'a'));
        QByteArray bytes;
        QString error;
        QVERIFY(!ReadWholeFile(path, &bytes, &error, 100));
        QCOMPARE(error, reason);
        if (kind != QLatin1String("big")) {
            const TextReadResult r = ReadTextFile(path);
            QVERIFY(!r.ok);
            QCOMPARE(r.error, reason);
        }
    }
};

KEL_TEST(SafeFileTest);
#include "tst_SafeFile.moc"
