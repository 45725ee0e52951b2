// The density table: lookup, reading with warnings by line, sorted writing, failed saves, the grid.
#include "job/density_table.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_folder.h"

namespace dravenor {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

TEST(DensityTable, TheLastEntryOfTheExactMaterialWins)
{
    const DensityTable table{{"AL", "2.7"}, {"ST", "7.85"}, {"ST", "7.9"}, {"ST2", "1"}, {"CU", ""}};
    const std::pair<const char*, double> cases[] = {{"ST", 7.9}, {"AL", 2.7}, {"S", 0}, {"al", 0}, {"CU", 0}};
    for (const auto& [material, density] : cases) EXPECT_DOUBLE_EQ(densityFor(table, material), density) << material;
    EXPECT_DOUBLE_EQ(densityFor({}, "ST"), 0);
}

TEST(DensityTable, ReadingKeepsGoodRowsUpperCasedAndNamesEachBadLine)
{
    const std::string content = "\"al\",\"2.7\"\r\n"
                                "\r\n"
                                "ST , 7.85\n"
                                "\"ST\",\"abc\"\r\n"
                                "\"ST\"\r\n"
                                "\"STAINLESS\",\"8\"\r\n"
                                "\"CU\",\"-8.9\"\r\n"
                                "\"BR\",\"8.5\",\"x\"\r\n"
                                "\"A,B\",\"1\"\r\n"
                                "\"CU\",\".5\"";
    std::vector<std::string> warnings;
    EXPECT_EQ(parseDensityText(content, "/w/density.dat", warnings),
              (DensityTable{{"AL", "2.7"}, {"ST", "7.85"}, {"CU", ".5"}}));
    const char* expected[] = {
        "/w/density.dat line 4: Density \"abc\" is not an unsigned decimal number; row left out",
        "/w/density.dat line 5: expected 2 fields",
        "/w/density.dat line 6: Mat \"STAINLESS\" is longer than 6 characters",
        "/w/density.dat line 7: Density \"-8.9\"",
        "/w/density.dat line 8: expected 2 fields (material, density), found 3",
        "/w/density.dat line 9: Mat \"A,B\" holds a character",
    };
    ASSERT_EQ(warnings.size(), std::size(expected));
    for (size_t i = 0; i < warnings.size(); ++i) EXPECT_EQ(warnings[i].rfind(expected[i], 0), 0u) << warnings[i];
}

TEST(DensityTable, FilesAreFoundInAnyCaseAndSavedSortedByMaterialThenDensityAsANumber)
{
    TempFolder temp;
    std::vector<std::string> warnings;
    EXPECT_TRUE(readDensityTable(temp.folder(), warnings).empty()); // missing: empty, no warning
    const DensityTable table{{"ST", "7.85"}, {"", ""}, {"al", "2.7"}, {"BR", "8.5"}, {"AL", "2.6"}, {"", "1.5"},
                             {"X", "10"},    {"X", "9.5"}, {"X", ""}, {"X", "100"}, {"X", "9"}};
    ASSERT_EQ(saveDensityTable(table, temp.folder()), "");
    const std::string saved = "\"\",\"1.5\"\r\n\"AL\",\"2.6\"\r\n\"al\",\"2.7\"\r\n\"BR\",\"8.5\"\r\n\"ST\",\"7.85\"\r\n"
                              "\"X\",\"\"\r\n\"X\",\"9\"\r\n\"X\",\"9.5\"\r\n\"X\",\"10\"\r\n\"X\",\"100\"\r\n";
    EXPECT_EQ(TempFolder::read(temp.file("density.dat")), saved);
    fs::rename(temp.file("density.dat"), temp.file("Density.DAT"));
    EXPECT_EQ(densityTablePath(temp.folder()), temp.file("Density.DAT"));
    const DensityTable read = readDensityTable(temp.folder(), warnings);
    EXPECT_TRUE(warnings.empty());
    ASSERT_EQ(read.size(), 10u);
    EXPECT_EQ(read[2], (DensityEntry{"AL", "2.7"})) << "read in upper case";
    EXPECT_EQ(read[9], (DensityEntry{"X", "100"}));
    // The window's grid: one numbered row per entry, an empty row at the end, and back.
    const TextGrid grid = densityGrid(read);
    EXPECT_EQ(grid.rows(), 12);
    EXPECT_EQ(grid.text(2, 0), "2");
    EXPECT_FALSE(grid.rowHasText(11));
    EXPECT_EQ(densityTableFromGrid(grid), read);
    EXPECT_EQ(densityGrid({}).rows(), 2);
    TextGrid typed({"Mat", "Density"});
    typed.setRows(5);
    typed.setText(1, 1, " ST ");
    typed.setText(1, 2, "7.85 ");
    typed.setText(3, 2, "2.7");
    EXPECT_EQ(densityTableFromGrid(typed), (DensityTable{{"ST", "7.85"}, {"", "2.7"}}));
}

TEST(DensityTable, AnUnreadableFileWarnsAndAFailedSaveKeepsThePreviousFileWhole)
{
    TempFolder temp;
    std::vector<std::string> warnings;
    fs::create_directory(temp.file("folder.dat"));
    EXPECT_TRUE(readDensityFile(temp.file("folder.dat"), warnings).empty());
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find(temp.file("folder.dat")), std::string::npos);
    fs::remove(temp.file("folder.dat"));

    const std::string previous = "\"ST\",\"7.85\"\r\n";
    const std::string path = temp.write("density.dat", previous);
    // A cell the file cannot hold is refused before anything is written.
    EXPECT_NE(saveDensityTable({{"ST", "7\"85"}}, temp.folder()).find(path), std::string::npos);
    if (temp.permissionsAreEnforced()) {
        fs::permissions(temp.folder(), fs::perms::owner_read | fs::perms::owner_exec);
        const std::string error = saveDensityTable({{"AL", "2.7"}}, temp.folder());
        fs::permissions(temp.folder(), fs::perms::owner_all);
        EXPECT_NE(error.find(path), std::string::npos);
    }
    // No temporary file can be made beside a file whose name is that long.
    const std::string longPath = temp.write(std::string(250, 'd') + ".dat", previous);
    EXPECT_NE(saveDensityFile({{"AL", "2.7"}}, longPath).find(longPath), std::string::npos);
    EXPECT_EQ(TempFolder::read(path), previous);
    EXPECT_EQ(TempFolder::read(longPath), previous);
    EXPECT_EQ(temp.entries().size(), 2u);
}

} // namespace
} // namespace dravenor
