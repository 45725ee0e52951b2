// The recent-files list: newest first, no repeats, at most six, kept in the working folder and
// read back whatever line ends or stray blank lines the file has.
#include <gtest/gtest.h>

#include "job/recent_files.h"
#include "support/temp_folder.h"

namespace dravenor {
namespace {

using Paths = std::vector<std::string>;

TEST(RecentFiles, NewestFirstWithoutRepeatsAndAtMostSix)
{
    struct Case { Paths before; const char* added; Paths after; };
    const Case cases[] = {
        {{}, "/j/a.nst", {"/j/a.nst"}},
        {{"/j/a.nst", "/j/b.nst"}, "/j/c.nst", {"/j/c.nst", "/j/a.nst", "/j/b.nst"}},
        {{"/j/a.nst", "/j/b.nst", "/j/c.nst"}, "/j/c.nst", {"/j/c.nst", "/j/a.nst", "/j/b.nst"}},
        {{"1", "2", "3", "4", "5", "6"}, "7", {"7", "1", "2", "3", "4", "5"}},
        {{"1", "2", "3", "4", "5", "6"}, "4", {"4", "1", "2", "3", "5", "6"}},
    };
    for (const Case& c : cases) EXPECT_EQ(withRecentFile(c.before, c.added), c.after) << c.added;
}

TEST(RecentFiles, AreKeptInTheWorkingFolderAndReadBackFromAnyLineEnds)
{
    testing::TempFolder folder;
    EXPECT_TRUE(readRecentFiles(folder.folder()).empty());
    for (const char* path : {"/jobs/a.nst", "/jobs/with space.nst", "/jobs/a.nst"})
        ASSERT_EQ(rememberRecentFile(folder.folder(), path), "");
    EXPECT_EQ(readRecentFiles(folder.folder()), (Paths{"/jobs/a.nst", "/jobs/with space.nst"}));
    EXPECT_EQ(testing::TempFolder::read(folder.file(kRecentFilesName)), "/jobs/a.nst\r\n/jobs/with space.nst\r\n");
    folder.write(kRecentFilesName, "/x.nst\n\n/y.nst\r\n/x.nst\n1\n2\n3\n4\n5\n");
    EXPECT_EQ(readRecentFiles(folder.folder()), (Paths{"/x.nst", "/y.nst", "1", "2", "3", "4"}));
}

} // namespace
} // namespace dravenor
