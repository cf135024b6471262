#include "editor/Recovery.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QLockFile>
#include <QStandardPaths>
#include <QUuid>
#include <algorithm>

#include "common/SafeFile.h"
#include "editor/Editor.h"
#include "platform/Prompts.h"
#include "script/ScriptFile.h"

namespace kel {

namespace {

// An armed timer is not re-armed for every line of a long loop that changes lines one by one.
constexpr int kRearmMs = 200;

std::unique_ptr<QLockFile> TakeLock(const QString& path) {
    auto lock = std::make_unique<QLockFile>(path);
    // The lock is held for as long as the editor runs: only a lock whose process is gone
    // counts as stale, never one that is merely old.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) return nullptr;
    return lock;
}

}  // namespace

QString RecoveryKeeper::DefaultFolder() {
    // The program's own data folder whatever the running program is called (the tests'
    // programs and helpers find the same folder as the editor).
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("KelEditor/recovery"));
}

RecoveryKeeper::RecoveryKeeper(Editor& editor, QString folder, QObject* parent)
    : QObject(parent), editor_(editor), folder_(std::move(folder)) {
    id_ = QStringLiteral("%1-%2")
              .arg(QCoreApplication::applicationPid())
              .arg(QUuid::createUuid().toString(QUuid::Id128).left(12));
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &RecoveryKeeper::StartWrite);
    KelList& list = editor_.List();
    connect(&list, &KelList::LinesInserted, this, &RecoveryKeeper::Changed);
    connect(&list, &KelList::LinesRemoved, this, &RecoveryKeeper::Changed);
    connect(&list, &KelList::LineChanged, this, &RecoveryKeeper::Changed);
    connect(&list, &KelList::ListReset, this, &RecoveryKeeper::Changed);
    connect(&editor_.History(), &ListHistory::Changed, this, &RecoveryKeeper::Changed);
    connect(&editor_.History(), &ListHistory::Restarted, this, &RecoveryKeeper::Restarted);
    connect(&editor_, &Editor::EditFgChanged, this, [this](int value) {
        if (value == 0) {
            // Saved (or back at the saved state): nothing to recover.
            timer_.stop();
            dirty_ = false;
            restoredWork_ = false;
            RemoveFiles();
        } else {
            Changed();
        }
    });
}

RecoveryKeeper::~RecoveryKeeper() {
    timer_.stop();
    if (worker_.joinable()) worker_.join();
}

QString RecoveryKeeper::PathOf(const QString& id, const char* suffix) const {
    return QDir(folder_).filePath(id + QLatin1String(suffix));
}

QString RecoveryKeeper::CopyPath() const { return PathOf(id_, ".kel"); }

bool RecoveryKeeper::Start() {
    if (lock_) return true;
    if (folder_.isEmpty() || !QDir().mkpath(folder_)) {
        Q_EMIT Notice(QStringLiteral("Recovery copies are off: the folder %1 cannot be made.")
                          .arg(QDir::toNativeSeparators(folder_)));
        return false;
    }
    lock_ = TakeLock(PathOf(id_, ".lock"));
    if (!lock_) {
        Q_EMIT Notice(QStringLiteral("Recovery copies are off: no lock file can be made in %1.")
                          .arg(QDir::toNativeSeparators(folder_)));
        return false;
    }
    return true;
}

bool RecoveryKeeper::HasUnsavedWork() const {
    return editor_.EditFg() == 1 && (restoredWork_ || editor_.History().HasChanges());
}

void RecoveryKeeper::Changed() {
    if (!lock_) return;
    if (!dirty_) {
        dirty_ = true;
        sinceFirstChange_.start();
    } else if (timer_.isActive() && timer_.remainingTime() > 0 &&
               timer_.interval() - timer_.remainingTime() < kRearmMs) {
        return;
    }
    qint64 due = timing_.quietMs;
    // Changes that never pause are still kept every few seconds.
    due = qMin(due, qMax<qint64>(0, timing_.maxWaitMs - sinceFirstChange_.elapsed()));
    if (sinceWrite_.isValid())
        due = qMax(due, qint64(timing_.minIntervalMs) - sinceWrite_.elapsed());
    timer_.start(int(qMax<qint64>(0, due)));
}

void RecoveryKeeper::Restarted() {
    // Another document (New, Open, Clear, Reload): the old one's copy goes.
    timer_.stop();
    dirty_ = false;
    restoredWork_ = false;
    RemoveFiles();
}

void RecoveryKeeper::StartWrite() {
    if (!lock_) return;
    if (writing_) {
        writeAgain_ = true;
        return;
    }
    dirty_ = false;
    if (!HasUnsavedWork()) {
        RemoveFiles();
        return;
    }
    // Only the collection of the texts runs here; they are shared strings, so the worker
    // reads the same immutable data the list does.
    const QStringList texts = editor_.CommandTextsInOrder();
    const QString document = editor_.KelFileName();
    const quint64 generation = ++generation_;
    writing_ = true;
    sinceWrite_.start();
    if (worker_.joinable()) worker_.join();
    const QString copy = CopyPath(), info = PathOf(id_, ".doc");
    worker_ = std::thread([this, texts, document, generation, copy, info] {
        // The document's name first: a copy is never there without the name of its document.
        QString error = WriteWholeFile(info, document.toUtf8());
        if (error.isEmpty()) {
            const TextWriteResult w = WriteScriptFile(copy, texts);
            if (!w.ok)
                error = w.badLine > 0 ? QStringLiteral("line %1 holds \"%2\", which Shift-JIS cannot hold")
                                            .arg(w.badLine)
                                            .arg(w.badChar)
                                      : w.error;
        }
        workerError_ = error;
        QMetaObject::invokeMethod(this, [this, generation] { WriteFinished(generation); },
                                  Qt::QueuedConnection);
    });
}

void RecoveryKeeper::WriteFinished(quint64 generation) {
    if (!writing_ || generation != generation_) return;
    if (worker_.joinable()) worker_.join();
    writing_ = false;
    const QString error = workerError_;
    if (!error.isEmpty()) {
        if (error != lastError_)
            Q_EMIT Notice(QStringLiteral("The recovery copy could not be written: %1").arg(error));
        lastError_ = error;
    } else {
        lastError_.clear();
    }
    if (removeAfterWrite_) {
        removeAfterWrite_ = false;
        RemoveFiles();
    } else if (error.isEmpty()) {
        Q_EMIT Written(CopyPath());
    }
    if (writeAgain_ || dirty_) {
        writeAgain_ = false;
        dirty_ = false;
        Changed();
    }
}

void RecoveryKeeper::RemoveFiles() {
    if (writing_) {
        removeAfterWrite_ = true;
        return;
    }
    const bool had = QFileInfo::exists(CopyPath());
    QFile::remove(CopyPath());
    QFile::remove(PathOf(id_, ".doc"));
    if (had) Q_EMIT Removed();
}

void RecoveryKeeper::Discard() {
    timer_.stop();
    dirty_ = false;
    if (writing_) WriteFinished(generation_);
    RemoveFiles();
}

void RecoveryKeeper::WriteNow() {
    timer_.stop();
    if (writing_) WriteFinished(generation_);
    StartWrite();
    if (writing_) WriteFinished(generation_);
}

QList<RecoveryKeeper::Orphan> RecoveryKeeper::FindOrphans() {
    QList<Orphan> found;
    if (folder_.isEmpty()) return found;
    const QFileInfoList copies =
        QDir(folder_).entryInfoList({QStringLiteral("*.kel")}, QDir::Files, QDir::Time);
    for (const QFileInfo& fi : copies) {
        const QString id = fi.completeBaseName();
        if (id == id_) continue;
        // An editor that still runs holds its lock: its copy is not ours to take.
        std::unique_ptr<QLockFile> lock =
            orphanLocks_.count(id) ? std::move(orphanLocks_[id]) : TakeLock(PathOf(id, ".lock"));
        if (!lock) continue;
        Orphan o{id, fi.absoluteFilePath(), QString(), fi.lastModified()};
        QByteArray name;
        QString error;
        if (ReadWholeFile(PathOf(id, ".doc"), &name, &error)) o.documentPath = QString::fromUtf8(name);
        const QFileInfo document(o.documentPath);
        if (!o.documentPath.isEmpty() && document.exists() && document.lastModified() > o.written) {
            // The document was saved after the copy: the copy holds nothing newer.
            QFile::remove(o.copyPath);
            QFile::remove(PathOf(id, ".doc"));
            continue;
        }
        orphanLocks_[id] = std::move(lock);  // held while the copy is offered
        found.append(o);
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const Orphan& a, const Orphan& b) { return a.written > b.written; });
    return found;
}

bool RecoveryKeeper::OfferRecovery() {
    bool restored = false;
    for (const Orphan& o : FindOrphans()) {
        if (restored) break;  // the others stay for the next start
        const ScriptReadResult r = ReadScriptFile(o.copyPath);
        const QString name = o.documentPath.isEmpty() ? QStringLiteral("（無題）")
                                                      : QDir::toNativeSeparators(o.documentPath);
        const int answer = editor_.MsgBox2(
            QStringLiteral("保存されていない編集内容の回復用コピーがあります．\r\n[") + name +
                QStringLiteral("]\r\n%1，%2コマンド\r\n\r\n復元しますか？\r\n"
                               "（いいえ: 破棄します　キャンセル: 次回の起動まで残します）")
                    .arg(QLocale::c().toString(o.written, QStringLiteral("yyyy/MM/dd HH:mm:ss")))
                    .arg(r.statements.size()),
            kButtonsYesNoCancel + kIconExclamation, QStringLiteral("Recovery"));
        if (answer == kAnswerYes) {
            restored = Restore(o);
        } else if (answer == kAnswerNo) {
            DiscardOrphan(o);
        }
    }
    // Copies kept for later: their locks go, so that the next start finds them again.
    orphanLocks_.clear();
    return restored;
}

bool RecoveryKeeper::Restore(const Orphan& orphan) {
    if (!editor_.LoadScriptFile(orphan.copyPath)) return false;  // the user was told
    editor_.SetKelFileName(orphan.documentPath);
    editor_.History().Flush();  // the restored commands are the base of the history
    // The copy becomes this editor's own, so that it survives until the next save. Without
    // a lock of its own the editor leaves it where it is, for the next start.
    if (lock_) {
        QFile::remove(CopyPath());
        QFile::remove(PathOf(id_, ".doc"));
        QFile::rename(PathOf(orphan.id, ".doc"), PathOf(id_, ".doc"));
        QFile::rename(orphan.copyPath, CopyPath());
        DiscardOrphan(orphan);
    }
    ReleaseOrphan(orphan.id);
    restoredWork_ = true;
    editor_.SetEditFg(1);
    editor_.CaptionRoll(QStringLiteral("Off"));
    return true;
}

void RecoveryKeeper::DiscardOrphan(const Orphan& orphan) {
    QFile::remove(orphan.copyPath);
    QFile::remove(PathOf(orphan.id, ".doc"));
    ReleaseOrphan(orphan.id);
}

void RecoveryKeeper::ReleaseOrphan(const QString& id) {
    // Unlocking removes the lock file.
    orphanLocks_.erase(id);
}

}  // namespace kel
