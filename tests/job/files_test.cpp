#include "job/files.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace dravenor {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

TEST(ReadingFiles, OnlyReadableRegularFilesWithTheExactNameAndTheirBytesUnchanged)
{
    TempFolder temp;
    const std::string bytes("\"1\",\"2\"\r\nline\n\0end", 18);
    const std::string file = temp.write("Plate.SHP", bytes);
    fs::create_directory(temp.file("folder.shp"));
    EXPECT_TRUE(fileExists(file));
    for (const std::string& path : {temp.file("folder.shp"), temp.file("plate.shp"), std::string()})
        EXPECT_FALSE(fileExists(path)) << path;
    const FileText text = readWholeFile(file);
    EXPECT_EQ(text.bytes, bytes);
    EXPECT_EQ(text.error, "");
    EXPECT_EQ(readWholeFile(temp.file("y.shp")).error, "cannot read " + temp.file("y.shp") + ": no such file");
    EXPECT_EQ(readWholeFile(temp.folder()).error, "cannot read " + temp.folder() + ": is a folder");
    EXPECT_FALSE(readWholeFile(temp.folder()).bytes.has_value());
    if (!temp.permissionsAreEnforced()) return;
    fs::permissions(file, fs::perms::none);
    EXPECT_FALSE(fileExists(file));
    EXPECT_EQ(readWholeFile(file).error, "cannot read " + file + ": permission denied");
}

TEST(WriteFileAtomically, ReplacesKeepingPermissionsAndLinksWithoutTemporaryFiles)
{
    TempFolder temp;
    const std::string path = temp.write("job.tlf", "old");
    const fs::perms perms = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(path, perms);
    fs::create_symlink(path, temp.file("link.tlf"));
    EXPECT_EQ(writeFileAtomically(path, "first\r\n"), "");
    EXPECT_EQ(TempFolder::read(path), "first\r\n");
    EXPECT_EQ(fs::status(path).permissions(), perms);
    EXPECT_EQ(writeFileAtomically(temp.file("link.tlf"), ""), "");
    EXPECT_TRUE(fs::is_symlink(temp.file("link.tlf")));
    EXPECT_EQ(TempFolder::read(path), "");
    EXPECT_EQ(temp.entries(), (std::vector<std::string>{"job.tlf", "link.tlf"}));
}

TEST(WriteFileAtomically, FailureNamesTheFileAndLeavesWhatWasThere)
{
    TempFolder temp;
    const std::string folder = temp.file("plates.shp");
    fs::create_directory(folder);
    temp.write("plates.shp/inside.txt", "keep");
    EXPECT_EQ(writeFileAtomically(folder, "data"), "cannot write " + folder + ": is a folder");
    EXPECT_EQ(TempFolder::read(temp.file("plates.shp/inside.txt")), "keep");
    EXPECT_EQ(temp.entries(), std::vector<std::string>{"plates.shp"});

    const std::string nowhere = temp.file("nowhere/job.nst");
    EXPECT_NE(writeFileAtomically(nowhere, "data").find("cannot write " + nowhere), std::string::npos);

    if (!temp.permissionsAreEnforced()) return;
    const std::string path = temp.write("plates.shp/job.nst", "previous");
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    const std::string error = writeFileAtomically(path, "new content");
    fs::permissions(folder, fs::perms::owner_all);
    EXPECT_EQ(error, "cannot write " + path + ": permission denied");
    EXPECT_EQ(TempFolder::read(path), "previous");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 2);
}

TEST(DeleteFiles, WorkingFilesBySuffixInAnyCase)
{
    TempFolder temp;
    for (const char* name : {"a.tlf", "B.TLF", "c.shp", "tlf"}) temp.write(name, "");
    fs::create_directory(temp.file("d.tlf"));
    deleteFilesEndingWith(temp.folder(), ".tlf");
    deleteFilesEndingWith(temp.file("missing"), ".shp");
    EXPECT_EQ(temp.entries(), (std::vector<std::string>{"c.shp", "d.tlf", "tlf"}));
}

TEST(WithFileExtension, AddedWheneverTheNameDoesNotEndWithIt)
{
    const std::pair<const char*, const char*> cases[] = {
        {"plates", "plates.nst"}, {"/work/plates.v2", "/work/plates.v2.nst"}, {"PLATES.NST", "PLATES.NST"},
        {"a.nst.bak", "a.nst.bak.nst"}, {"platesnst", "platesnst.nst"}, {"plates.", "plates.nst"},
        {"C:\\v1.0\\plates", "C:\\v1.0\\plates.nst"}, {"/work/", "/work/"}, {"", ""}};
    for (const auto& [path, expected] : cases) EXPECT_EQ(withFileExtension(path, "nst"), expected) << path;
    EXPECT_EQ(withFileExtension("plates.v2", ""), "plates.v2");
}

} // namespace
} // namespace dravenor
