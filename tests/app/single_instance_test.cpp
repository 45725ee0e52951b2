// The single-instance guard: one holder at a time, a crashed copy's lock taken over, the lock
// released with the guard.
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QSysInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

#include "app/single_instance.h"

namespace dravenor {
namespace {

// A process id above the kernel's limit: no process can have it.
qint64 impossiblePid()
{
    QFile limit(QStringLiteral("/proc/sys/kernel/pid_max"));
    qint64 max = 4194304;
    if (limit.open(QIODevice::ReadOnly)) max = limit.readAll().trimmed().toLongLong();
    return max + 1;
}

// A lock file as a copy of the program writes it: process id, program, host name.
void writeLockFile(const QString& path, qint64 pid, const QString& host,
                   const QString& program = QStringLiteral("/usr/bin/dravenor"))
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QStringLiteral("%1\n%2\n%3\n").arg(pid).arg(program, host).toUtf8());
}

class SingleInstanceGuardTest : public ::testing::Test {
protected:
    QTemporaryDir folder;
};

TEST_F(SingleInstanceGuardTest, SecondGuardIsRefusedWhileTheFirstHoldsTheLock)
{
    SingleInstanceGuard first(QStringLiteral("Dravenor"), folder.path());
    SingleInstanceGuard second(QStringLiteral("Dravenor"), folder.path());
    ASSERT_TRUE(first.tryAcquire());
    EXPECT_TRUE(first.isHeld());
    EXPECT_FALSE(second.tryAcquire());
    EXPECT_FALSE(second.isHeld());
    // Asking again changes nothing for either.
    EXPECT_TRUE(first.tryAcquire());
    EXPECT_FALSE(second.tryAcquire());
    EXPECT_EQ(first.lockFilePath(), QDir(folder.path()).filePath(QStringLiteral("Dravenor.lock")));
}

TEST_F(SingleInstanceGuardTest, LockIsReleasedWhenTheGuardIsDestroyed)
{
    auto first = std::make_unique<SingleInstanceGuard>(QStringLiteral("Dravenor"), folder.path());
    ASSERT_TRUE(first->tryAcquire());
    const QString path = first->lockFilePath();
    EXPECT_TRUE(QFile::exists(path));
    first.reset();
    EXPECT_FALSE(QFile::exists(path));
    SingleInstanceGuard next(QStringLiteral("Dravenor"), folder.path());
    EXPECT_TRUE(next.tryAcquire());
}

TEST_F(SingleInstanceGuardTest, LockOfACrashedCopyIsTakenOver)
{
    const QString path = QDir(folder.path()).filePath(QStringLiteral("Dravenor.lock"));
    writeLockFile(path, impossiblePid(), QSysInfo::machineHostName());
    SingleInstanceGuard guard(QStringLiteral("Dravenor"), folder.path());
    ASSERT_TRUE(guard.tryAcquire());
    // The file now names this process.
    QLockFile reader(path);
    qint64 pid = 0;
    ASSERT_TRUE(reader.getLockInfo(&pid, nullptr, nullptr));
    EXPECT_EQ(pid, QCoreApplication::applicationPid());
}

TEST_F(SingleInstanceGuardTest, LockWithoutHostNameOfADeadProcessIsTakenOver)
{
    writeLockFile(QDir(folder.path()).filePath(QStringLiteral("Dravenor.lock")), impossiblePid(), QString());
    SingleInstanceGuard guard(QStringLiteral("Dravenor"), folder.path());
    EXPECT_TRUE(guard.tryAcquire());
}

TEST_F(SingleInstanceGuardTest, LockOfALivingProcessIsRespectedHoweverOld)
{
    // This test process is alive: its id in an old lock file must still block.
    const QString path = QDir(folder.path()).filePath(QStringLiteral("Dravenor.lock"));
    writeLockFile(path, QCoreApplication::applicationPid(), QSysInfo::machineHostName(),
                  QCoreApplication::applicationFilePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addDays(-3), QFileDevice::FileModificationTime));
    file.close();
    SingleInstanceGuard guard(QStringLiteral("Dravenor"), folder.path());
    EXPECT_FALSE(guard.tryAcquire());
    EXPECT_TRUE(QFile::exists(path));
}

TEST_F(SingleInstanceGuardTest, MissingLockFolderIsCreated)
{
    const QString nested = QDir(folder.path()).filePath(QStringLiteral("run/dravenor"));
    SingleInstanceGuard guard(QStringLiteral("Dravenor"), nested);
    EXPECT_TRUE(guard.tryAcquire());
    EXPECT_TRUE(QFile::exists(guard.lockFilePath()));
}

TEST(ProcessIsAlive, KnowsThisProcessAndRejectsImpossibleIds)
{
    EXPECT_TRUE(processIsAlive(QCoreApplication::applicationPid()));
    EXPECT_FALSE(processIsAlive(impossiblePid()));
    EXPECT_FALSE(processIsAlive(0));
    EXPECT_FALSE(processIsAlive(-5));
}

} // namespace
} // namespace dravenor
