// The working folder: the executable's folder when writable, else the per-user folder; shipped
// templates copied in when missing, never over the user's copies; help pages kept up to date;
// and the shipped help pages self-contained with every link leading somewhere.
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/help.h"
#include "app/working_folder.h"

namespace dravenor {
namespace {

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

QByteArray read(const QString& folder, const QString& name)
{
    QFile file(QDir(folder).filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// An executable folder as the build or an installation lays it out.
class InstalledFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : {"dxf.hd", "dxf.ft", "help/index.html", "help/tour.html", "help/images/grid.png",
                                 "examples/parts/disc.shp"})
            write(QStringLiteral("resources/") + name, QByteArray("shipped ") + name);
    }
    void write(const QString& name, const QByteArray& text, const QDateTime& time = QDateTime::currentDateTime())
    {
        QDir().mkpath(QFileInfo(exeDir.filePath(name)).absolutePath());
        QFile file(exeDir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        file.flush();
        ASSERT_TRUE(file.setFileTime(time, QFileDevice::FileModificationTime));
    }

    QTemporaryDir exeDir;
};

TEST_F(InstalledFolder, WritableExecutableFolderGetsCopiesOfWhatIsMissingAndNewerHelpPagesLater)
{
    QFile::setPermissions(exeDir.filePath("resources/dxf.hd"), QFileDevice::ReadOwner);
    const QString folder = prepareWorkingFolder(exeDir.path());
    EXPECT_EQ(folder, QDir::cleanPath(exeDir.path()));
    for (const char* name : {"dxf.hd", "dxf.ft", "help/index.html", "help/tour.html", "help/images/grid.png"})
        EXPECT_EQ(read(folder, name), QByteArray("shipped ") + name);
    EXPECT_TRUE(QFile::permissions(QDir(folder).filePath("dxf.hd")) & QFileDevice::WriteOwner);
    EXPECT_FALSE(QFileInfo::exists(QDir(folder).filePath("examples"))) << "examples stay where they were shipped";
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden).filter("probe"), QStringList{});

    // The next start replaces older help pages, never templates nor pages newer than shipped.
    const QDateTime lastYear = QDateTime::currentDateTime().addYears(-1);
    write("help/index.html", "last version's index", lastYear);
    write("dxf.hd", "my header", lastYear);
    write("help/tour.html", "my notes", QDateTime::currentDateTime().addDays(1));
    prepareWorkingFolder(exeDir.path());
    EXPECT_EQ(std::tuple(read(folder, "help/index.html"), read(folder, "dxf.hd"), read(folder, "help/tour.html")),
              std::tuple(QByteArray("shipped help/index.html"), QByteArray("my header"), QByteArray("my notes")));
}

TEST_F(InstalledFolder, UnwritableOrMissingExecutableFolderFallsBackToThePerUserFolderWithCopies)
{
    PerUserDataHome home;
    // Nothing can create files in /proc, whoever runs the tests.
    const QString folder = prepareWorkingFolder("/proc");
    EXPECT_EQ(folder, QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)));
    EXPECT_TRUE(folder.startsWith(home.path()) && QFileInfo(folder).isDir());
    EXPECT_EQ(prepareWorkingFolder(home.path() + "/gone/bin"), folder);

    QFile::setPermissions(exeDir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const bool enforced = !QFile(exeDir.filePath("probe")).open(QIODevice::WriteOnly);
    const QString copies = enforced ? prepareWorkingFolder(exeDir.path()) : QString();
    QFile::setPermissions(exeDir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (!enforced) GTEST_SKIP() << "this user may write into read-only folders";
    EXPECT_EQ(std::pair(copies, read(folder, "help/index.html")), std::pair(folder, QByteArray("shipped help/index.html")));
}

// Installed: bin/ beside share/dravenor. The shipped files are found there, and the program
// works in the per-user folder even where it could write into bin/ (as root): never under /usr.
TEST(InstalledProgram, ReadsShareDravenorAndWorksInThePerUserFolder)
{
    PerUserDataHome home;
    QTemporaryDir prefix;
    const QString bin = QDir(prefix.path()).filePath("bin"), share = QDir(prefix.path()).filePath("share/dravenor");
    for (const QString& name : {QStringLiteral("cutting.dat"), QStringLiteral("help/index.html")}) {
        QDir().mkpath(QFileInfo(QDir(share).filePath(name)).absolutePath());
        QFile file(QDir(share).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("shipped") == 7);
    }
    QDir().mkpath(bin);
    EXPECT_EQ(std::pair(shippedFolder(bin), shippedFile(bin, "cutting.dat")),
              std::pair(QDir::cleanPath(share), QDir(QDir::cleanPath(share)).filePath("cutting.dat")));
    const QString folder = prepareWorkingFolder(bin);
    EXPECT_TRUE(folder.startsWith(home.path())) << folder.toStdString();
    EXPECT_EQ(std::pair(read(folder, "cutting.dat"), read(folder, "help/index.html")),
              std::pair(QByteArray("shipped"), QByteArray("shipped")));
    EXPECT_EQ(QDir(bin).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden), QStringList{});
}

QString pageText(const QString& name)
{
    const QByteArray text = read(DRAVENOR_RESOURCE_DIR "/help", name);
    return text == "<missing>" ? QString() : QString::fromUtf8(text);
}

TEST(ShippedHelp, PagesAreSelfContainedAndEveryLinkLeadsSomewhere)
{
    const auto hasSection = [](const QString& html, const QString& id) { return html.contains(QStringLiteral("id=\"%1\"").arg(id)); };
    for (const char* name : {kHelpIndexPage, kTourPage}) {
        const QString html = pageText(name);
        ASSERT_TRUE(html.contains("<title>")) << name << " is missing or has no title";
        EXPECT_FALSE(html.contains("<script", Qt::CaseInsensitive)) << name;
        int links = 0;
        static const QRegularExpression pattern("(href|src)\\s*=\\s*\"([^\"]*)\"");
        for (auto it = pattern.globalMatch(html); it.hasNext(); ++links) {
            const QString target = it.next().captured(2);
            EXPECT_FALSE(target.contains("://") || target.startsWith("//")) << name << " reaches out to " << target.toStdString();
            const QString file = target.section('#', 0, 0), section = target.section('#', 1);
            const QString linked = file.isEmpty() ? html : pageText(file);
            EXPECT_FALSE(linked.isEmpty()) << name << " links to missing " << target.toStdString();
            EXPECT_TRUE(section.isEmpty() || hasSection(linked, section)) << name << ": " << target.toStdString();
        }
        EXPECT_GT(links, 0) << name;
    }
    EXPECT_TRUE(hasSection(pageText(kHelpIndexPage), "selecting-files"));
    // Pages are looked up in the help folder of the working folder, without their section.
    EXPECT_EQ(helpPagePath("/opt/dravenor"), "/opt/dravenor/help/index.html");
    EXPECT_EQ(helpPagePath("/opt/dravenor", "tour.html"), "/opt/dravenor/help/tour.html");
    EXPECT_EQ(helpPagePath("/opt/dravenor", "index.html#orientation"), "/opt/dravenor/help/index.html");
}

} // namespace
} // namespace dravenor
