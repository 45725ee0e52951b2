// Layout files: both the editor's all-quoted form and the main window's bare numbers read the
// same, every line survives a save and reopen, and a failed save keeps the old file.
#include <gtest/gtest.h>

#include <filesystem>

#include "layouts/layout_file.h"
#include "support/temp_folder.h"

using namespace dravenor;
using namespace dravenor::testing;

namespace {

const std::vector<LayoutFileLine> kLines{
    {"/jobs/sheet.shp", "0", "0", "0", "3"},
    {"/jobs/plate.shp", "12.5", "7", "90", "3"},
    {"/jobs/a, b.shp", "-4", "100.25", "270", "3"},
};

} // namespace

TEST(LayoutFile, QuotedAndBareNumbersReadTheSame)
{
    TempFolder dir;
    const std::string quoted = dir.write("q.lay", "\"s.shp\",\"1.5\",\"2\",\"90\",\"4\"\r\n\"p.shp\",\"3\",\"4\",\"0\",\"4\"\r\n");
    const std::string bare = dir.write("b.lay", "\"s.shp\",1.5,2,90,4\n\"p.shp\",3,4,0,4\n");
    const LayoutFileRead a = readLayoutFile(quoted), b = readLayoutFile(bare);
    ASSERT_TRUE(a.ok()) << a.error;
    ASSERT_TRUE(b.ok()) << b.error;
    EXPECT_EQ(a.lines, b.lines);
    ASSERT_EQ(a.lines.size(), 2u);
    EXPECT_EQ(a.lines[0], (LayoutFileLine{"s.shp", "1.5", "2", "90", "4"}));
}

TEST(LayoutFile, SavedLinesReopenExactlyInEitherForm)
{
    TempFolder dir;
    for (const bool quoteNumbers : {true, false}) {
        const std::string path = dir.file(quoteNumbers ? "editor.lay" : "main.lay");
        ASSERT_EQ(writeLayoutFile(path, kLines, quoteNumbers), "");
        const LayoutFileRead read = readLayoutFile(path);
        ASSERT_TRUE(read.ok()) << read.error;
        EXPECT_EQ(read.lines, kLines) << path;
    }
    EXPECT_TRUE(TempFolder::read(dir.file("main.lay")).starts_with("\"/jobs/sheet.shp\",0,0,0,3\r\n\"/jobs/plate"));
    EXPECT_TRUE(TempFolder::read(dir.file("editor.lay")).starts_with("\"/jobs/sheet.shp\",\"0\",\"0\",\"0\",\"3\"\r\n\"/"));
}

TEST(LayoutFile, BlankLinesAndEmptyRowsAreLeftOutShortLinesPadded)
{
    TempFolder dir;
    const std::string path = dir.write("gaps.lay", "\"s.shp\",0,0,0,1\r\n\r\n   \r\n\"p.shp\",5\r\n\"q.shp\",1,2,3,1");
    const LayoutFileRead read = readLayoutFile(path);
    ASSERT_TRUE(read.ok());
    ASSERT_EQ(read.lines.size(), 3u);
    EXPECT_EQ(read.lines[1], (LayoutFileLine{"p.shp", "5", "", "", ""}));
    EXPECT_EQ(read.lines[2].qty, "1"); // last line without a line end

    std::vector<LayoutFileLine> withEmptyRow = kLines;
    withEmptyRow.insert(withEmptyRow.begin() + 1, LayoutFileLine{});
    ASSERT_EQ(writeLayoutFile(dir.file("out.lay"), withEmptyRow, true), "");
    EXPECT_EQ(readLayoutFile(dir.file("out.lay")).lines, kLines);
}

TEST(LayoutFile, ProblemsNameTheFileAndKeepTheOldOne)
{
    TempFolder dir;
    const LayoutFileRead missing = readLayoutFile(dir.file("none.lay"));
    EXPECT_EQ(missing.error, dir.file("none.lay") + " not found");

    std::filesystem::create_directory(dir.file("folder.lay"));
    const LayoutFileRead folder = readLayoutFile(dir.file("folder.lay"));
    EXPECT_FALSE(folder.ok());
    EXPECT_NE(folder.error.find("folder.lay"), std::string::npos) << folder.error;

    const std::string path = dir.write("keep.lay", "\"s.shp\",0,0,0,1\r\n");
    const std::string error = writeLayoutFile(path, {{"bad\"name.shp", "0", "0", "0", "1"}}, true);
    EXPECT_NE(error.find("keep.lay"), std::string::npos) << error;
    EXPECT_EQ(TempFolder::read(path), "\"s.shp\",0,0,0,1\r\n");

    EXPECT_NE(writeLayoutFile(dir.file("no/such/folder.lay"), kLines, true), "");
}
