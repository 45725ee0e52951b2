#include <gtest/gtest.h>

#include <filesystem>

#include "job/density_table.h"
#include "support/temp_folder.h"

namespace dravenor {
namespace {

using testing::TempFolder;

TEST(DensityLookup, LastEntryOfTheExactMaterialWins)
{
    const DensityTable table{{"AL", "2.7"}, {"ST", "7.85"}, {"ST", "7.9"}, {"ST2", "1"}};
    EXPECT_DOUBLE_EQ(densityFor(table, "ST"), 7.9);
    EXPECT_DOUBLE_EQ(densityFor(table, "AL"), 2.7);
    EXPECT_DOUBLE_EQ(densityFor(table, "S"), 0);   // exact match only
    EXPECT_DOUBLE_EQ(densityFor(table, "al"), 0);  // case matters
    EXPECT_DOUBLE_EQ(densityFor({}, "ST"), 0);
    EXPECT_DOUBLE_EQ(densityFor({{"CU", ""}}, "CU"), 0); // empty density reads as 0
}

TEST(DensityFileReading, ReadsQuotedAndUnquotedRowsAndUpperCasesMaterials)
{
    std::vector<std::string> warnings;
    const DensityTable table = parseDensityText("\"al\",\"2.7\"\r\n\r\nST , 7.85\n\"CU\",\".5\"", "density.dat", warnings);
    EXPECT_TRUE(warnings.empty());
    EXPECT_EQ(table, (DensityTable{{"AL", "2.7"}, {"ST", "7.85"}, {"CU", ".5"}}));
}

TEST(DensityFileReading, BadRowsAreNamedByLineAndTheGoodRowsKept)
{
    const std::string content = "\"AL\",\"2.7\"\r\n"
                                "\"ST\",\"abc\"\r\n"          // line 2: not a number
                                "\"ST\"\r\n"                  // line 3: one field
                                "\"STAINLESS\",\"8\"\r\n"     // line 4: material too long
                                "\"CU\",\"-8.9\"\r\n"         // line 5: signed
                                "\"BR\",\"8.5\",\"x\"\r\n"    // line 6: three fields
                                "\"A,B\",\"1\"\r\n"           // line 7: comma in the material
                                "\"NI\",\"8.9\"\r\n";
    std::vector<std::string> warnings;
    const DensityTable table = parseDensityText(content, "/w/density.dat", warnings);
    EXPECT_EQ(table, (DensityTable{{"AL", "2.7"}, {"NI", "8.9"}}));
    ASSERT_EQ(warnings.size(), 6u);
    EXPECT_EQ(warnings[0], "/w/density.dat line 2: Density \"abc\" is not an unsigned decimal number; row left out");
    EXPECT_NE(warnings[1].find("/w/density.dat line 3: expected 2 fields"), std::string::npos);
    EXPECT_NE(warnings[2].find("line 4: Mat \"STAINLESS\" is longer than 6 characters"), std::string::npos);
    EXPECT_NE(warnings[3].find("line 5: Density \"-8.9\""), std::string::npos);
    EXPECT_NE(warnings[4].find("line 6: expected 2 fields (material, density), found 3"), std::string::npos);
    EXPECT_NE(warnings[5].find("line 7: Mat \"A,B\" holds a character"), std::string::npos);
}

TEST(DensityFileReading, MissingFileIsAnEmptyTableUnreadableOneAWarning)
{
    TempFolder temp;
    std::vector<std::string> warnings;
    EXPECT_TRUE(readDensityTable(temp.folder(), warnings).empty());
    EXPECT_TRUE(warnings.empty());

    std::filesystem::create_directory(temp.file("density.dat"));
    EXPECT_TRUE(readDensityFile(temp.file("density.dat"), warnings).empty());
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find(temp.file("density.dat")), std::string::npos);
}

TEST(DensityFileReading, FindsTheTableWhateverTheCaseOfItsName)
{
    TempFolder temp;
    temp.write("Density.DAT", "\"ST\",\"7.85\"\r\n");
    std::vector<std::string> warnings;
    EXPECT_DOUBLE_EQ(densityFor(readDensityTable(temp.folder(), warnings), "ST"), 7.85);
    EXPECT_EQ(densityTablePath(temp.folder()), temp.file("Density.DAT"));
}

TEST(DensityFileWriting, SortsByMaterialThenDensityWithoutRegardToCaseAndDropsEmptyRows)
{
    const DensityTable table{{"ST", "7.85"}, {"", ""}, {"al", "2.7"}, {"BR", "8.5"}, {"AL", "2.6"}};
    EXPECT_EQ(densityTableText(table), "\"AL\",\"2.6\"\r\n\"al\",\"2.7\"\r\n\"BR\",\"8.5\"\r\n\"ST\",\"7.85\"\r\n");
    // Densities of one material compare as numbers, not as text; an empty one reads as 0.
    const DensityTable numbers{{"X", "10"}, {"X", "9.5"}, {"X", ""}, {"X", "100"}, {"X", "9"}};
    EXPECT_EQ(sortedDensityTable(numbers), (DensityTable{{"X", ""}, {"X", "9"}, {"X", "9.5"}, {"X", "10"}, {"X", "100"}}));
}

TEST(DensityFileWriting, RoundTripsThroughTheFolder)
{
    TempFolder temp;
    const DensityTable table{{"ST", "7.85"}, {"AL", "2.7"}, {"", "1.5"}};
    ASSERT_EQ(saveDensityTable(table, temp.folder()), "");
    EXPECT_EQ(TempFolder::read(temp.file("density.dat")), "\"\",\"1.5\"\r\n\"AL\",\"2.7\"\r\n\"ST\",\"7.85\"\r\n");
    std::vector<std::string> warnings;
    EXPECT_EQ(readDensityTable(temp.folder(), warnings), (DensityTable{{"", "1.5"}, {"AL", "2.7"}, {"ST", "7.85"}}));
    EXPECT_TRUE(warnings.empty());
}

TEST(DensityFileWriting, AFailedSaveKeepsThePreviousFileWhole)
{
    TempFolder temp;
    const std::string previous = "\"ST\",\"7.85\"\r\n";
    const std::string path = temp.write("density.dat", previous);

    // A cell the file cannot hold is refused before anything is written.
    const std::string refused = saveDensityTable({{"ST", "7\"85"}}, temp.folder());
    EXPECT_NE(refused.find(path), std::string::npos);
    EXPECT_EQ(TempFolder::read(path), previous);

    if (temp.permissionsAreEnforced()) {
        std::filesystem::permissions(temp.folder(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
        const std::string error = saveDensityTable({{"AL", "2.7"}}, temp.folder());
        std::filesystem::permissions(temp.folder(), std::filesystem::perms::owner_all);
        EXPECT_NE(error.find(path), std::string::npos);
        EXPECT_EQ(TempFolder::read(path), previous);
    }
    EXPECT_EQ(temp.entries(), std::vector<std::string>{"density.dat"});

    // No temporary file can be made beside a file whose name is that long.
    const std::string longPath = temp.write(std::string(250, 'd') + ".dat", previous);
    EXPECT_NE(saveDensityFile({{"AL", "2.7"}}, longPath).find(longPath), std::string::npos);
    EXPECT_EQ(TempFolder::read(longPath), previous);
    EXPECT_EQ(temp.entries().size(), 2u);
}

TEST(DensityGrid, ShowsOneRowPerEntryAndAnEmptyRowAtTheEnd)
{
    const TextGrid grid = densityGrid({{"AL", "2.7"}, {"ST", "7.85"}});
    ASSERT_EQ(grid.rows(), 4);
    EXPECT_EQ(grid.title(1), "Mat");
    EXPECT_EQ(grid.title(2), "Density");
    EXPECT_EQ(grid.text(2, 0), "2");
    EXPECT_EQ(grid.text(2, 1), "ST");
    EXPECT_FALSE(grid.rowHasText(3));
    EXPECT_EQ(densityGrid({}).rows(), 2);
}

TEST(DensityGrid, TableFromTheGridKeepsFilledRowsTrimmed)
{
    TextGrid grid({"Mat", "Density"});
    grid.setRows(5);
    grid.setText(1, 1, " ST ");
    grid.setText(1, 2, "7.85 ");
    grid.setText(3, 2, "2.7");
    EXPECT_EQ(densityTableFromGrid(grid), (DensityTable{{"ST", "7.85"}, {"", "2.7"}}));
}

} // namespace
} // namespace dravenor
