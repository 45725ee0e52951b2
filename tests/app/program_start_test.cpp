// Starting the program: the single-instance guard (one holder at a time, the lock of a crashed
// copy taken over, that of a living process respected however old), the real program started
// twice, and the splash handing over to the main window.
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "app/single_instance.h"
#include "app/splash_window.h"

namespace dravenor {
namespace {

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

TEST_F(SingleInstanceGuardTest, OneHolderAtATimeTheLockOfACrashedCopyTakenOverThatOfALivingProcessNever)
{
    {
        std::optional<SingleInstanceGuard> first(std::in_place, "Dravenor", folder.path());
        SingleInstanceGuard second("Dravenor", folder.path());
        ASSERT_TRUE(first->tryAcquire());
        EXPECT_FALSE(second.tryAcquire());
        EXPECT_TRUE(first->tryAcquire()) << "asking again changes nothing";
        EXPECT_EQ(first->lockFilePath(), lockPath);
        first.reset();
        EXPECT_FALSE(QFile::exists(lockPath));
        EXPECT_TRUE(second.tryAcquire());
    }

    // A process id above the kernel's limit: no process can have it.
    QFile limit("/proc/sys/kernel/pid_max");
    const qint64 impossiblePid = (limit.open(QIODevice::ReadOnly) ? limit.readAll().trimmed().toLongLong() : 4194304) + 1;
    for (const QString& host : {QSysInfo::machineHostName(), QString()}) {
        writeLockFile(impossiblePid, host);
        SingleInstanceGuard guard("Dravenor", folder.path());
        ASSERT_TRUE(guard.tryAcquire()) << host.toStdString();
        qint64 pid = 0;
        ASSERT_TRUE(QLockFile(lockPath).getLockInfo(&pid, nullptr, nullptr));
        EXPECT_EQ(pid, QCoreApplication::applicationPid());
    }
    writeLockFile(QCoreApplication::applicationPid(), QSysInfo::machineHostName(), QDateTime::currentDateTime().addDays(-3));
    SingleInstanceGuard guard("Dravenor", folder.path());
    EXPECT_TRUE(!guard.tryAcquire() && QFile::exists(lockPath));
    SingleInstanceGuard nested("Dravenor", QDir(folder.path()).filePath("run/dravenor"));
    EXPECT_TRUE(nested.tryAcquire()) << "a missing lock folder is created";
}

// Offscreen, with a private runtime folder for the lock: the second copy reports "Dravenor is
// already running" on stderr and ends, the first goes on.
TEST(ProgramStart, SecondCopyReportsAlreadyRunningAndEnds)
{
    constexpr int kStartBoundMs = 60000; // only a bound for a broken start
    QTemporaryDir runtime;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("XDG_RUNTIME_DIR", runtime.path());
    QProcess first, second;
    for (QProcess* process : {&first, &second}) process->setProcessEnvironment(environment);
    first.start(DRAVENOR_APP, {});
    ASSERT_TRUE(first.waitForStarted(kStartBoundMs));
    // Wait until the first copy holds the program's lock.
    QElapsedTimer bound;
    bound.start();
    qint64 holder = 0;
    while (first.state() == QProcess::Running && holder != first.processId() && bound.elapsed() < kStartBoundMs) {
        QTest::qWait(50);
        QLockFile(QDir(runtime.path()).filePath("Dravenor.lock")).getLockInfo(&holder, nullptr, nullptr);
    }
    ASSERT_EQ(holder, first.processId()) << first.readAllStandardError().toStdString();
    second.start(DRAVENOR_APP, {});
    ASSERT_TRUE(second.waitForFinished(kStartBoundMs));
    EXPECT_EQ(std::tuple(second.exitStatus(), second.exitCode(), first.state()), std::tuple(QProcess::NormalExit, 0, QProcess::Running));
    EXPECT_TRUE(second.readAllStandardError().contains("Dravenor is already running"));
    first.kill();
    first.waitForFinished(kStartBoundMs);
}

TEST(Splash, BuildsTheMainWindowHiddenOnTickOneAndHandsOverOnTickFour)
{
    std::unique_ptr<QWidget> mainWindow;
    int built = 0;
    SplashWindow splash([&] {
        ++built;
        mainWindow = std::make_unique<QWidget>();
        return mainWindow.get();
    });
    splash.begin();
    EXPECT_EQ(built, 0);
    for (int tick = 1; tick <= 4; ++tick) {
        EXPECT_TRUE(splash.isVisible() && splash.timerRunning()) << tick;
        splash.tick();
        ASSERT_EQ(built, 1) << tick;
        EXPECT_EQ(mainWindow->isVisible(), tick == 4) << tick;
    }
    EXPECT_TRUE(splash.mainWindow() == mainWindow.get() && !splash.isVisible() && !splash.timerRunning());
}

} // namespace
} // namespace dravenor
