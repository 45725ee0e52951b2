#pragma once
// The single-instance guard: a lock file named after the program's title. The first copy holds
// it for its whole run; a second copy finds it taken and stops. The lock of a copy that crashed
// (its process is gone) is taken over, so a crash never blocks the next start.
#include <QString>

#include <memory>

class QLockFile;

namespace dravenor {

class SingleInstanceGuard {
public:
    // The lock file is "<title>.lock" inside lockFolder (created when missing).
    SingleInstanceGuard(const QString& title, const QString& lockFolder);
    ~SingleInstanceGuard();
    SingleInstanceGuard(const SingleInstanceGuard&) = delete;
    SingleInstanceGuard& operator=(const SingleInstanceGuard&) = delete;

    // True when this guard now holds the lock (also when it held it already); false when another
    // living copy holds it. Never waits.
    bool tryAcquire();
    bool isHeld() const { return held_; }
    QString lockFilePath() const { return path_; }

    // The per-user runtime folder, or the temporary folder when the system has none.
    static QString defaultLockFolder();

private:
    bool takeOverStaleLock();

    QString path_;
    std::unique_ptr<QLockFile> lock_;
    bool held_ = false;
};

// True when a process with this id exists on this machine.
bool processIsAlive(qint64 pid);

} // namespace dravenor
