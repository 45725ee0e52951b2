// The real program started twice (offscreen, with a private runtime folder for its lock): the
// second copy reports "Dravenor is already running" on stderr and ends, the first goes on.
#include <QDir>
#include <QElapsedTimer>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace dravenor {
namespace {

// Only a bound for a broken start; the test waits for events, not for time.
constexpr int kStartBoundMs = 60000;

TEST(ProgramStart, SecondCopyReportsAlreadyRunningAndEnds)
{
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
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(second.readAllStandardError().contains("Dravenor is already running"));
    EXPECT_EQ(first.state(), QProcess::Running);
    first.kill();
    first.waitForFinished(kStartBoundMs);
}

} // namespace
} // namespace dravenor
