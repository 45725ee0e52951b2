#include "job/files.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "job/temp_folder.h"

namespace dravenor {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;

TEST(FileExists, OnlyReadableRegularFiles)
{
    TempFolder temp;
    const std::string file = temp.write("Plate.SHP", "");
    fs::create_directory(temp.file("folder.shp"));
    EXPECT_TRUE(fileExists(file));
    EXPECT_FALSE(fileExists(temp.file("folder.shp")));
    EXPECT_FALSE(fileExists(temp.file("plate.shp"))) << "names are case-sensitive";
    EXPECT_FALSE(fileExists(temp.file("missing.shp")));
    EXPECT_FALSE(fileExists(""));
}

TEST(FileExists, UnreadableFileDoesNotCount)
{
    TempFolder temp;
    if (!test::permissionsAreEnforced(temp)) GTEST_SKIP() << "permissions not enforced for this user";
    const std::string file = temp.write("locked.shp", "x");
    fs::permissions(file, fs::perms::none);
    EXPECT_FALSE(fileExists(file));
}

TEST(ReadWholeFile, ReturnsTheBytesUnchanged)
{
    TempFolder temp;
    const std::string bytes("\"1\",\"2\"\r\nline\n\0end", 18);
    const FileText text = readWholeFile(temp.write("a.shp", bytes));
    ASSERT_TRUE(text.bytes.has_value()) << text.error;
    EXPECT_EQ(*text.bytes, bytes);
    EXPECT_TRUE(text.error.empty());
}

TEST(ReadWholeFile, ErrorsNameTheFileAndTheReason)
{
    TempFolder temp;
    const std::string missing = temp.file("y.shp");
    FileText text = readWholeFile(missing);
    EXPECT_FALSE(text.bytes.has_value());
    EXPECT_EQ(text.error, "cannot read " + missing + ": no such file");

    text = readWholeFile(temp.folder());
    EXPECT_FALSE(text.bytes.has_value());
    EXPECT_EQ(text.error, "cannot read " + temp.folder() + ": is a folder");

    if (!test::permissionsAreEnforced(temp)) return;
    const std::string locked = temp.write("locked.shp", "x");
    fs::permissions(locked, fs::perms::none);
    text = readWholeFile(locked);
    EXPECT_FALSE(text.bytes.has_value());
    EXPECT_EQ(text.error, "cannot read " + locked + ": permission denied");
}

TEST(WriteFileAtomically, WritesAndReplacesLeavingNoTemporaryFile)
{
    TempFolder temp;
    const std::string path = temp.file("job.tlf");
    EXPECT_EQ(writeFileAtomically(path, "first\r\n"), "");
    EXPECT_EQ(TempFolder::read(path), "first\r\n");
    EXPECT_EQ(writeFileAtomically(path, ""), "");
    EXPECT_EQ(TempFolder::read(path), "");
    EXPECT_EQ(temp.entries(), std::vector<std::string>{"job.tlf"});
}

TEST(WriteFileAtomically, KeepsThePermissionsOfTheReplacedFile)
{
    TempFolder temp;
    const std::string path = temp.write("density.dat", "old");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_EQ(writeFileAtomically(path, "new"), "");
    EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(WriteFileAtomically, TargetThatIsAFolderIsRefusedAndLeftAlone)
{
    TempFolder temp;
    const std::string folder = temp.file("plates.shp");
    fs::create_directory(folder);
    temp.write("plates.shp/inside.txt", "keep");
    const std::string error = writeFileAtomically(folder, "data");
    EXPECT_EQ(error, "cannot write " + folder + ": is a folder");
    EXPECT_EQ(TempFolder::read(temp.file("plates.shp/inside.txt")), "keep");
    EXPECT_EQ(temp.entries(), std::vector<std::string>{"plates.shp"});
}

TEST(WriteFileAtomically, MissingFolderGivesAMessage)
{
    TempFolder temp;
    const std::string path = temp.file("nowhere/job.nst");
    const std::string error = writeFileAtomically(path, "data");
    EXPECT_NE(error.find("cannot write " + path), std::string::npos) << error;
    EXPECT_FALSE(fs::exists(path));
}

TEST(WriteFileAtomically, UnwritableFolderKeepsThePreviousFile)
{
    TempFolder temp;
    if (!test::permissionsAreEnforced(temp)) GTEST_SKIP() << "permissions not enforced for this user";
    const std::string sub = temp.file("ro");
    fs::create_directory(sub);
    const std::string path = temp.write("ro/job.nst", "previous");
    fs::permissions(sub, fs::perms::owner_read | fs::perms::owner_exec);
    const std::string error = writeFileAtomically(path, "new content");
    fs::permissions(sub, fs::perms::owner_all);
    EXPECT_EQ(error, "cannot write " + path + ": permission denied");
    EXPECT_EQ(TempFolder::read(path), "previous");
    EXPECT_EQ(std::distance(fs::directory_iterator(sub), fs::directory_iterator()), 1);
}

TEST(WriteFileAtomically, WritingThroughALinkReplacesItsTarget)
{
    TempFolder temp;
    const std::string real = temp.write("real.shp", "old");
    fs::create_symlink(real, temp.file("link.shp"));
    ASSERT_EQ(writeFileAtomically(temp.file("link.shp"), "new"), "");
    EXPECT_TRUE(fs::is_symlink(temp.file("link.shp")));
    EXPECT_EQ(TempFolder::read(real), "new");
}

TEST(DeleteFiles, WorkingFilesBySuffixInAnyCase)
{
    TempFolder temp;
    temp.write("a.tlf", "");
    temp.write("B.TLF", "");
    temp.write("c.shp", "");
    temp.write("tlf", "");
    fs::create_directory(temp.file("d.tlf"));
    deleteFilesEndingWith(temp.folder(), ".tlf");
    EXPECT_EQ(temp.entries(), (std::vector<std::string>{"c.shp", "d.tlf", "tlf"}));
    deleteFilesEndingWith("", ".shp"); // no folder: nothing happens
    deleteFilesEndingWith(temp.file("missing"), ".shp");
    EXPECT_TRUE(fs::exists(temp.file("c.shp")));
}

} // namespace
} // namespace dravenor
