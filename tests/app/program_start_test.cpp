// The real program started twice (offscreen, with a private runtime folder for its lock): the
// second copy reports "Dravenor is already running" on stderr and ends; after a copy is killed,
// the next start takes its lock over.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace dravenor {
namespace {

// Only a bound for a broken start; the tests wait for events, not for time.
constexpr int kStartBoundMs = 60000;

class ProgramStart : public ::testing::Test {
protected:
    void TearDown() override
    {
        for (auto& process : processes_) {
            if (process->state() != QProcess::NotRunning) {
                process->kill();
                process->waitForFinished(kStartBoundMs);
            }
        }
    }

    QProcess* start()
    {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path());
        process->setProcessEnvironment(environment);
        process->start(QStringLiteral(DRAVENOR_APP), {});
        EXPECT_TRUE(process->waitForStarted(kStartBoundMs));
        processes_.push_back(std::move(process));
        return processes_.back().get();
    }

    // True once the process holds the program's lock; false when it ended first.
    bool holdsLock(QProcess* process)
    {
        QElapsedTimer bound;
        bound.start();
        while (process->state() == QProcess::Running && bound.elapsed() < kStartBoundMs) {
            QLockFile lock(QDir(runtime_.path()).filePath(QStringLiteral("Dravenor.lock")));
            qint64 pid = 0;
            if (lock.getLockInfo(&pid, nullptr, nullptr) && pid == process->processId()) return true;
            QTest::qWait(50);
        }
        return false;
    }

    QTemporaryDir runtime_;
    std::vector<std::unique_ptr<QProcess>> processes_;
};

TEST_F(ProgramStart, SecondCopyReportsAlreadyRunningAndEnds)
{
    QProcess* first = start();
    ASSERT_TRUE(holdsLock(first)) << first->readAllStandardError().toStdString();

    QProcess* second = start();
    ASSERT_TRUE(second->waitForFinished(kStartBoundMs));
    EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_TRUE(second->readAllStandardError().contains("Dravenor is already running"));

    // The first copy goes on, still holding the lock.
    EXPECT_EQ(first->state(), QProcess::Running);
    EXPECT_TRUE(holdsLock(first));
}

TEST_F(ProgramStart, CopyStartedAfterACrashTakesTheLockOver)
{
    QProcess* crashed = start();
    ASSERT_TRUE(holdsLock(crashed));
    crashed->kill(); // no clean-up: its lock file stays behind
    ASSERT_TRUE(crashed->waitForFinished(kStartBoundMs));
    ASSERT_TRUE(QFile::exists(QDir(runtime_.path()).filePath(QStringLiteral("Dravenor.lock"))));

    QProcess* next = start();
    EXPECT_TRUE(holdsLock(next)) << next->readAllStandardError().toStdString();
}

} // namespace
} // namespace dravenor
