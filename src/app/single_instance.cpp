#include "app/single_instance.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <QSysInfo>

#include <cerrno>
#include <csignal>

namespace dravenor {

namespace {

// A lock file whose contents cannot be read is taken over only once it is clearly not being
// written at this very moment by a copy that is starting.
constexpr qint64 kUnreadableLockGraceSeconds = 10;

} // namespace

bool processIsAlive(qint64 pid)
{
    if (pid <= 0) return false;
    if (::kill(static_cast<pid_t>(pid), 0) == 0) return true;
    return errno == EPERM; // exists, but belongs to someone else
}

SingleInstanceGuard::SingleInstanceGuard(const QString& title, const QString& lockFolder)
{
    QDir().mkpath(lockFolder);
    path_ = QDir(lockFolder).filePath(title + QStringLiteral(".lock"));
    lock_ = std::make_unique<QLockFile>(path_);
    // The lock lives as long as the program runs: never treat it as stale because of its age.
    lock_->setStaleLockTime(0);
}

SingleInstanceGuard::~SingleInstanceGuard() = default; // QLockFile unlocks when destroyed

bool SingleInstanceGuard::tryAcquire()
{
    if (held_) return true;
    if (lock_->tryLock(0)) {
        held_ = true;
    } else if (lock_->error() == QLockFile::LockFailedError && takeOverStaleLock()) {
        held_ = lock_->tryLock(0);
    }
    return held_;
}

bool SingleInstanceGuard::takeOverStaleLock()
{
    qint64 pid = 0;
    QString host;
    QString application;
    bool stale = false;
    if (lock_->getLockInfo(&pid, &host, &application)) {
        const bool sameMachine = host.isEmpty() || host == QSysInfo::machineHostName();
        stale = sameMachine && !processIsAlive(pid);
    } else {
        const QDateTime written = QFileInfo(path_).lastModified();
        stale = written.isValid()
            && written.secsTo(QDateTime::currentDateTime()) > kUnreadableLockGraceSeconds;
    }
    return stale && lock_->removeStaleLockFile();
}

QString SingleInstanceGuard::defaultLockFolder()
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}

} // namespace dravenor
