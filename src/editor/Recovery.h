// Recovery copies: while the document has unsaved changes, its command texts are written
// (Shift-JIS, CR LF, atomically, as a save writes them) to a copy in the user's data folder,
// a few seconds after the last change and never more often than every few seconds. A clean
// save, New, Open, Clear and a normal exit remove the copy. When the program ends without
// that (a crash, a killed process, a power cut), the next start offers the copy.
//
// Every running editor has a copy of its own, named by an id, and holds the lock file of
// that id while it runs; a copy whose lock can be taken belongs to an editor that is gone.
// So two editors running at once (on one document or on two) never take each other's copies.
//
// The copy is encoded and written on a worker thread: the editor's thread only collects the
// command texts (shared strings, not copies), so a script of 100,000 commands does not hold
// up the window.
#pragma once

#include <QDateTime>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <map>
#include <memory>
#include <thread>

class QLockFile;

namespace kel {

class Editor;

class RecoveryKeeper : public QObject {
    Q_OBJECT
public:
    struct Timing {
        int quietMs = 2000;         // written this long after the last change...
        int minIntervalMs = 5000;   // ...but never sooner than this after the last write...
        int maxWaitMs = 10000;      // ...and at the latest this long after the first change
    };

    // The folder of recovery copies: "recovery" in the program's data folder
    // (QStandardPaths::AppDataLocation of KelEditor, ~/.local/share/KelEditor on Linux).
    static QString DefaultFolder();

    RecoveryKeeper(Editor& editor, QString folder, QObject* parent = nullptr);
    ~RecoveryKeeper() override;

    // Makes the folder and takes this editor's lock. False (and Notice) when the folder
    // cannot be used; the editor then runs without recovery copies.
    bool Start();
    bool Started() const { return lock_ != nullptr; }
    void SetTiming(const Timing& timing) { timing_ = timing; }
    QString Folder() const { return folder_; }
    QString CopyPath() const;

    // A copy left by an editor that is no longer running.
    struct Orphan {
        QString id;
        QString copyPath;
        QString documentPath;  // empty for an untitled document
        QDateTime written;
    };
    // Copies of editors that are gone, newest first, whose document was not saved after
    // them. Copies older than their document are removed.
    QList<Orphan> FindOrphans();
    // Asks about each copy left behind: Yes restores it (the document opens modified with
    // the copy's commands, under its own name), No discards it, Cancel keeps it for the next
    // start. At most one copy is restored. Returns true when one was.
    bool OfferRecovery();
    // Restores an orphan into the editor without asking.
    bool Restore(const Orphan& orphan);
    void DiscardOrphan(const Orphan& orphan);

    // Removes this editor's copy (a normal exit).
    void Discard();
    // Writes the copy now when there is unsaved work (tests, and before a risky step).
    void WriteNow();
    // Whether a write is waiting or running.
    bool Pending() const { return timer_.isActive() || writing_; }

Q_SIGNALS:
    // A copy was written (on the editor's thread, after the worker finished).
    void Written(const QString& path);
    void Removed();
    void Notice(const QString& text);

private:
    bool HasUnsavedWork() const;
    void Changed();
    void Restarted();
    void StartWrite();
    void WriteFinished(quint64 generation);
    void ReleaseOrphan(const QString& id);
    void RemoveFiles();
    QString PathOf(const QString& id, const char* suffix) const;

    Editor& editor_;
    QString folder_;
    QString id_;
    std::unique_ptr<QLockFile> lock_;
    Timing timing_;
    QTimer timer_;
    QElapsedTimer sinceWrite_;
    QElapsedTimer sinceFirstChange_;
    bool dirty_ = false;
    bool writing_ = false;
    bool writeAgain_ = false;
    bool removeAfterWrite_ = false;
    bool restoredWork_ = false;
    quint64 generation_ = 0;
    QString lastError_;
    QString workerError_;  // set by the worker, read after joining it
    std::thread worker_;
    std::map<QString, std::unique_ptr<QLockFile>> orphanLocks_;  // copies being offered
};

}  // namespace kel
