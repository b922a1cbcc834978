// The data folder in use, as one program holds it: a lock file that a second program (on this or
// another computer) finds, so that it opens the folder read-only, and a copy of every data file
// kept in the folder "backup" before a save replaces it.
#pragma once

#include "base/file_io.h"

#include <QString>
#include <QTimer>

#include <functional>
#include <memory>

class QLockFile;

namespace tovrel {

struct Settings;

inline constexpr char kLockFileName[] = "Tovrel.lock";
// A lock file that its program has not touched for this long counts as left by a crashed program,
// also when that program ran on another computer; a running program touches it every minute.
inline constexpr int kLockStaleMinutes = 10;

class DataFolderGuard : public WriteObserver {
public:
    // holdLock: hold the lock file while the folder is in use (the program, and tovrel-cli's
    // commands that write); without it only the backups are kept. Installs itself as the write
    // observer and the guard of the process until it is destroyed.
    DataFolderGuard(const Settings& settings, bool holdLock);
    ~DataFolderGuard() override;
    DataFolderGuard(const DataFolderGuard&) = delete;
    DataFolderGuard& operator=(const DataFolderGuard&) = delete;

    // The guard of this process, nullptr when there is none.
    static DataFolderGuard* Active();

    // Makes folder (ending in "/") the data folder: the previous folder's lock is released and this
    // one's taken. A lock held by a program that is no longer running is taken over.
    void Open(const QString& folder);
    const QString& folder() const { return m_folder; }

    // Another program holds the folder: no data file in it may be written.
    bool ReadOnly() const { return m_readOnly; }
    // Who holds it: "データフォルダ「…」は、コンピュータ「…」の tovrel（プロセス番号 …）が使用中です。"
    QString HolderText() const;
    // Why no lock file could be made (the folder is then used without one); empty otherwise.
    const QString& LockProblem() const { return m_lockProblem; }

    // Puts generation (1 = the newest) of the data file back. The file it replaces is kept as the
    // newest generation first; when that fails nothing is restored. message says what was done.
    bool Restore(const QString& file, int generation, QString* message, QString* error);

    // Told once when a backup fails, and again only after one has succeeded since. By default a
    // warning through the current prompter.
    std::function<void(const QString& text)> reportBackupFailure;

    // Marks the held lock as alive for programs on other computers; a timer calls it every minute.
    void TouchLock();

    bool MayWrite(const QString& path, QString* reason) override;
    void BeforeReplace(const QString& path, const QByteArray& bytes) override;

private:
    bool IsDataFile(const QString& path) const;
    int Generations() const;

    const Settings& m_settings;
    const bool m_holdLock;
    QString m_folder;
    QString m_canonicalFolder;
    std::unique_ptr<QLockFile> m_lock;
    bool m_readOnly = false;
    qint64 m_holderPid = 0;
    QString m_holderHost;
    QString m_holderApp;
    QString m_lockProblem;
    bool m_failureReported = false;
    bool m_skipBackup = false;
    QTimer m_touchTimer;
};

}  // namespace tovrel
