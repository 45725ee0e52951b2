// The working folder: the executable's folder when writable, else the per-user folder; shipped
// templates copied in when missing, never over the user's copies; help pages kept up to date.
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/help.h"
#include "app/working_folder.h"

namespace dravenor {
namespace {

void writeText(const QString& path, const QByteArray& text)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    file.write(text);
}

QByteArray readText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// An executable folder as the build or an installation lays it out.
class InstalledFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(exeDir.isValid());
        writeText(shipped("dxf.hd"), "HEADER");
        writeText(shipped("dxf.ft"), "FOOTER");
        writeText(shipped("help/index.html"), "<p>shipped index</p>");
        writeText(shipped("help/tour.html"), "<p>shipped tour</p>");
        writeText(shipped("help/images/grid.png"), "PNG");
        writeText(shipped("examples/parts/disc.shp"), "\"0\"");
    }
    QString shipped(const QString& name) const { return exeDir.filePath(QStringLiteral("resources/") + name); }

    QTemporaryDir exeDir;
};

// Points the per-user data folder at a temporary folder for one test.
class PerUserDataHome {
public:
    PerUserDataHome() : saved_(qgetenv("XDG_DATA_HOME")) { qputenv("XDG_DATA_HOME", home_.path().toLocal8Bit()); }
    ~PerUserDataHome() { qputenv("XDG_DATA_HOME", saved_); }
    QString path() const { return home_.path(); }

private:
    QByteArray saved_;
    QTemporaryDir home_;
};

TEST_F(InstalledFolder, WritableExecutableFolderIsTheWorkingFolder)
{
    const QString folder = prepareWorkingFolder(exeDir.path());
    EXPECT_EQ(folder, QDir::cleanPath(exeDir.path()));
    EXPECT_FALSE(folder.endsWith(QLatin1Char('/')));
    // No probe file is left behind.
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral("probe")).size(), 0);
}

TEST_F(InstalledFolder, TemplatesAndHelpAreCopiedWhenMissing)
{
    const QString folder = prepareWorkingFolder(exeDir.path());
    EXPECT_EQ(readText(QDir(folder).filePath(QStringLiteral("dxf.hd"))), "HEADER");
    EXPECT_EQ(readText(QDir(folder).filePath(QStringLiteral("dxf.ft"))), "FOOTER");
    EXPECT_EQ(helpFolder(folder), QDir(folder).filePath(QStringLiteral("help")));
    EXPECT_EQ(readText(helpPagePath(folder)), "<p>shipped index</p>");
    EXPECT_EQ(readText(helpPagePath(folder, QString::fromLatin1(kTourPage))), "<p>shipped tour</p>");
    EXPECT_EQ(readText(QDir(helpFolder(folder)).filePath(QStringLiteral("images/grid.png"))), "PNG");
    // Examples stay where they were shipped.
    EXPECT_FALSE(QFileInfo::exists(QDir(folder).filePath(QStringLiteral("examples"))));
}

TEST_F(InstalledFolder, OlderHelpPagesAreReplacedButTemplatesNever)
{
    writeText(exeDir.filePath(QStringLiteral("help/index.html")), "<p>last version's index</p>");
    writeText(exeDir.filePath(QStringLiteral("dxf.hd")), "MY HEADER");
    const QDateTime lastYear = QDateTime::currentDateTime().addYears(-1);
    for (const QString& name : {QStringLiteral("help/index.html"), QStringLiteral("dxf.hd")}) {
        QFile file(exeDir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(lastYear, QFileDevice::FileModificationTime));
    }
    const QString folder = prepareWorkingFolder(exeDir.path());
    EXPECT_EQ(readText(helpPagePath(folder)), "<p>shipped index</p>");
    EXPECT_EQ(readText(QDir(folder).filePath(QStringLiteral("dxf.hd"))), "MY HEADER");
}

TEST_F(InstalledFolder, NewerCopiesInTheWorkingFolderAreKept)
{
    writeText(exeDir.filePath(QStringLiteral("help/index.html")), "<p>my notes</p>");
    writeText(exeDir.filePath(QStringLiteral("dxf.hd")), "MY HEADER");
    const QString folder = prepareWorkingFolder(exeDir.path());
    EXPECT_EQ(readText(helpPagePath(folder)), "<p>my notes</p>");
    EXPECT_EQ(readText(QDir(folder).filePath(QStringLiteral("dxf.hd"))), "MY HEADER");
    // What was missing beside them still arrives.
    EXPECT_EQ(readText(helpPagePath(folder, QStringLiteral("tour.html"))), "<p>shipped tour</p>");
    EXPECT_EQ(readText(QDir(folder).filePath(QStringLiteral("dxf.ft"))), "FOOTER");
}

TEST_F(InstalledFolder, ReadOnlyShippedFilesBecomeWritableCopies)
{
    QFile::setPermissions(shipped("dxf.hd"), QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    const QString folder = prepareWorkingFolder(exeDir.path());
    EXPECT_TRUE(QFile::permissions(QDir(folder).filePath(QStringLiteral("dxf.hd"))) & QFileDevice::WriteOwner);
}

TEST_F(InstalledFolder, UnwritableExecutableFolderFallsBackToThePerUserFolderWithCopies)
{
    QFile::setPermissions(exeDir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    QFile probe(exeDir.filePath(QStringLiteral("probe")));
    if (probe.open(QIODevice::WriteOnly)) {
        probe.remove();
        QFile::setPermissions(exeDir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        GTEST_SKIP() << "this user may write into read-only folders";
    }
    PerUserDataHome home;
    const QString folder = prepareWorkingFolder(exeDir.path());
    QFile::setPermissions(exeDir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_TRUE(folder.startsWith(home.path()));
    EXPECT_EQ(readText(helpPagePath(folder)), "<p>shipped index</p>");
    EXPECT_EQ(readText(QDir(folder).filePath(QStringLiteral("dxf.ft"))), "FOOTER");
}

TEST(WorkingFolder, FolderThatCannotBeWrittenEvenByTheSuperuserFallsBackToThePerUserFolder)
{
    // Nothing can create files in /proc, whoever runs the tests.
    PerUserDataHome home;
    const QString folder = prepareWorkingFolder(QStringLiteral("/proc"));
    EXPECT_EQ(folder, QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)));
    EXPECT_TRUE(folder.startsWith(home.path()));
    EXPECT_TRUE(QFileInfo(folder).isDir());
}

TEST(WorkingFolder, MissingExecutableFolderFallsBackToThePerUserFolder)
{
    PerUserDataHome home;
    const QString folder = prepareWorkingFolder(home.path() + QStringLiteral("/gone/bin"));
    EXPECT_TRUE(folder.startsWith(home.path()));
    EXPECT_FALSE(folder.contains(QStringLiteral("gone")));
}

TEST(HelpPages, PathsNameTheHelpFolderOfTheWorkingFolder)
{
    EXPECT_EQ(helpPagePath(QStringLiteral("/opt/dravenor")), QStringLiteral("/opt/dravenor/help/index.html"));
    EXPECT_EQ(helpPagePath(QStringLiteral("/opt/dravenor"), QStringLiteral("tour.html")),
              QStringLiteral("/opt/dravenor/help/tour.html"));
    // A section of a page names the page's file.
    EXPECT_EQ(helpPagePath(QStringLiteral("/opt/dravenor"), QStringLiteral("index.html#orientation")),
              QStringLiteral("/opt/dravenor/help/index.html"));
}

TEST(HelpPages, MissingPageIsNotOpened)
{
    QTemporaryDir folder;
    EXPECT_FALSE(openHelpPage(folder.path()));
    EXPECT_FALSE(openHelpPage(folder.path(), QStringLiteral("tour.html")));
}

} // namespace
} // namespace dravenor
