// The single-instance guard: one holder at a time, the lock of a crashed copy taken over, the
// lock of a living process respected however old, the lock released with the guard.
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QSysInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <optional>

#include "app/single_instance.h"

namespace dravenor {
namespace {

// A process id above the kernel's limit: no process can have it.
qint64 impossiblePid()
{
    QFile limit("/proc/sys/kernel/pid_max");
    return (limit.open(QIODevice::ReadOnly) ? limit.readAll().trimmed().toLongLong() : 4194304) + 1;
}

class SingleInstanceGuardTest : public ::testing::Test {
protected:
    // A lock file as a copy of the program writes it: process id, program, host name.
    void writeLockFile(qint64 pid, const QString& host, const QDateTime& written = QDateTime::currentDateTime())
    {
        QFile file(lockPath);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral("%1\n%2\n%3\n").arg(pid).arg(QCoreApplication::applicationFilePath(), host).toUtf8());
        file.flush();
        ASSERT_TRUE(file.setFileTime(written, QFileDevice::FileModificationTime));
    }

    QTemporaryDir folder;
    QString lockPath = QDir(folder.path()).filePath("Dravenor.lock");
};

TEST_F(SingleInstanceGuardTest, SecondGuardIsRefusedUntilTheFirstIsGone)
{
    std::optional<SingleInstanceGuard> first(std::in_place, "Dravenor", folder.path());
    SingleInstanceGuard second("Dravenor", folder.path());
    ASSERT_TRUE(first->tryAcquire());
    EXPECT_FALSE(second.tryAcquire());
    EXPECT_TRUE(first->tryAcquire()) << "asking again changes nothing";
    EXPECT_FALSE(second.isHeld());
    EXPECT_EQ(first->lockFilePath(), lockPath);
    first.reset();
    EXPECT_FALSE(QFile::exists(lockPath));
    EXPECT_TRUE(second.tryAcquire());
}

TEST_F(SingleInstanceGuardTest, LockOfACrashedCopyIsTakenOver)
{
    for (const QString& host : {QSysInfo::machineHostName(), QString()}) {
        writeLockFile(impossiblePid(), host);
        SingleInstanceGuard guard("Dravenor", folder.path());
        ASSERT_TRUE(guard.tryAcquire()) << host.toStdString();
        qint64 pid = 0;
        ASSERT_TRUE(QLockFile(lockPath).getLockInfo(&pid, nullptr, nullptr));
        EXPECT_EQ(pid, QCoreApplication::applicationPid());
    }
}

TEST_F(SingleInstanceGuardTest, LockOfALivingProcessIsRespectedHoweverOld)
{
    writeLockFile(QCoreApplication::applicationPid(), QSysInfo::machineHostName(),
                  QDateTime::currentDateTime().addDays(-3));
    SingleInstanceGuard guard("Dravenor", folder.path());
    EXPECT_FALSE(guard.tryAcquire());
    EXPECT_TRUE(QFile::exists(lockPath));
    SingleInstanceGuard nested("Dravenor", QDir(folder.path()).filePath("run/dravenor"));
    EXPECT_TRUE(nested.tryAcquire()) << "a missing lock folder is created";
}

} // namespace
} // namespace dravenor
