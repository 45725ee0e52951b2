// Files of the program and its working folder: reading and atomic writing, the recent-files list
// (newest first, no repeats, at most six), the density table and the small setting files (the default while a file is missing, the exact bytes saved, read back,
// and the default with a warning naming the file for unusable content).
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "job/density_table.h"
#include "job/drawing_unit.h"
#include "job/files.h"
#include "job/print_config.h"
#include "job/recent_files.h"
#include "job/window_placement.h"
#include "support/temp_folder.h"
#include "support/text_match.h"

namespace dravenor {
namespace {

namespace fs = std::filesystem;
using testing::contains;
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

TEST(WriteFileAtomically, ReplacesKeepingPermissionsAndLinksOrFailsLeavingWhatWasThere)
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

    // A failure names the file and leaves what was there.
    const std::string folder = temp.file("plates.shp");
    fs::create_directory(folder);
    temp.write("plates.shp/inside.txt", "keep");
    EXPECT_EQ(writeFileAtomically(folder, "data"), "cannot write " + folder + ": is a folder");
    EXPECT_EQ(TempFolder::read(temp.file("plates.shp/inside.txt")), "keep");
    EXPECT_EQ(temp.entries(), (std::vector<std::string>{"job.tlf", "link.tlf", "plates.shp"}));
    const std::string nowhere = temp.file("nowhere/job.nst");
    EXPECT_NE(writeFileAtomically(nowhere, "data").find("cannot write " + nowhere), std::string::npos);
    // No temporary file can be made beside a file whose name is that long.
    const std::string longPath = temp.write(std::string(250, 'd') + ".dat", "previous");
    EXPECT_NE(writeFileAtomically(longPath, "data").find(longPath), std::string::npos);
    EXPECT_EQ(TempFolder::read(longPath), "previous");
    EXPECT_EQ(temp.entries().size(), 4u);

    if (!temp.permissionsAreEnforced()) return;
    const std::string locked = temp.write("plates.shp/job.nst", "previous");
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    const std::string error = writeFileAtomically(locked, "new content");
    fs::permissions(folder, fs::perms::owner_all);
    EXPECT_EQ(error, "cannot write " + locked + ": permission denied");
    EXPECT_EQ(TempFolder::read(locked), "previous");
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

TEST(DensityTable, ReadingKeepsGoodRowsUpperCasedNamesEachBadLineAndTheLastEntryOfAMaterialWins)
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
    // The last entry of the exact material wins.
    const DensityTable table{{"AL", "2.7"}, {"ST", "7.85"}, {"ST", "7.9"}, {"ST2", "1"}, {"CU", ""}};
    const std::pair<const char*, double> cases[] = {{"ST", 7.9}, {"AL", 2.7}, {"S", 0}, {"al", 0}, {"CU", 0}};
    for (const auto& [material, density] : cases) EXPECT_DOUBLE_EQ(densityFor(table, material), density) << material;
    EXPECT_DOUBLE_EQ(densityFor({}, "ST"), 0);
}

TEST(DensityTable, FilesAreFoundInAnyCaseSavedSortedByMaterialThenDensityAsANumberOrRefused)
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
    EXPECT_EQ(densityTableText(table), saved);
    fs::rename(temp.file("density.dat"), temp.file("Density.DAT"));
    EXPECT_EQ(densityTablePath(temp.folder()), temp.file("Density.DAT"));
    const DensityTable read = readDensityTable(temp.folder(), warnings);
    EXPECT_TRUE(warnings.empty());
    ASSERT_EQ(read.size(), 10u);
    EXPECT_EQ(std::pair(read[2], read[9]), std::pair(DensityEntry{"AL", "2.7"}, DensityEntry{"X", "100"})) << "read in upper case";
    // The window's grid: one numbered row per entry, an empty row at the end, and back.
    const TextGrid grid = densityGrid(read);
    EXPECT_EQ(std::tuple(grid.rows(), grid.text(2, 0), grid.rowHasText(11), densityGrid({}).rows()), std::tuple(12, "2", false, 2));
    EXPECT_EQ(densityTableFromGrid(grid), read);
    TextGrid typed({"Mat", "Density"});
    typed.setRows(5);
    typed.setText(1, 1, " ST ");
    typed.setText(1, 2, "7.85 ");
    typed.setText(3, 2, "2.7");
    EXPECT_EQ(densityTableFromGrid(typed), (DensityTable{{"ST", "7.85"}, {"", "2.7"}}));

    // A file that cannot be read warns; a cell a file cannot store is refused before writing.
    EXPECT_TRUE(readDensityFile(temp.folder(), warnings).empty());
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_TRUE(contains(warnings[0], temp.folder()));
    EXPECT_NE(saveDensityTable({{"ST", "7\"85"}}, temp.folder()).find(temp.file("Density.DAT")), std::string::npos);
    EXPECT_EQ(TempFolder::read(temp.file("Density.DAT")), saved);
}

// The drawing unit, the pen width and the print scale: the default while the file is missing, the
// exact bytes saved and read back (blanks and a missing line end allowed), values out of range
// never written, and for unusable content the default with a warning naming the file.
TEST(SettingFiles, DefaultUntilSavedReadBackAndUnusableContentWarns)
{
    using Read = std::function<std::pair<int, std::string>(const std::string&)>;
    const struct {
        const char* file;
        Read read;
        std::function<std::string(const std::string&, int)> save;
        int fallback, saved;
        const char* bytes;
        std::vector<int> refused;
        std::vector<std::pair<const char*, int>> readable;
        std::vector<const char*> unusable;
        const char* rule; // what an unusable file's warning says besides its name
    } settings[] = {
        {"units.cfg", [](const std::string& f) { const auto s = readDrawingUnit(f); return std::pair(int(s.unit), s.warning); },
         [](const std::string& f, int v) { return saveDrawingUnit(f, DrawingUnit(v)); }, int(DrawingUnit::Millimetre),
         int(DrawingUnit::Inch), "in\r\n", {}, {{" IN \n", int(DrawingUnit::Inch)}, {"Mm", int(DrawingUnit::Millimetre)}},
         {"cm", "", "inch", "25.4"}, ""},
        {"print.cfg", [](const std::string& f) { const auto s = readLineWidth(f); return std::pair(s.lineWidth, s.warning); },
         saveLineWidth, 1, 3, "3\r\n", {0, 6}, {{" 2 ", 2}, {"4\n", 4}}, {"9\r\n", "0\r\n", "abc\r\n", "2.5\r\n", "", "-3"},
         "from 1 to 5"},
        {"printscale.cfg", [](const std::string& f) { const auto s = readPrintScale(f); return std::pair(s.denominator, s.warning); },
         savePrintScale, kFitPrintScale, 20, "20\r\n", {3}, {{"50", 50}}, {"3\r\n", "-10", "ten", "12.5"}, ""},
    };
    for (const auto& s : settings) {
        SCOPED_TRACE(s.file);
        TempFolder temp;
        EXPECT_EQ(s.read(temp.folder()), std::pair(s.fallback, std::string()));
        ASSERT_EQ(s.save(temp.folder(), s.saved), "");
        for (const int value : s.refused) EXPECT_NE(s.save(temp.folder(), value), "") << value;
        EXPECT_EQ(TempFolder::read(temp.file(s.file)), s.bytes);
        EXPECT_EQ(temp.entries(), std::vector<std::string>{s.file});
        EXPECT_EQ(s.read(temp.folder()), std::pair(s.saved, std::string()));
        for (const auto& [content, value] : s.readable) {
            temp.write(s.file, content);
            EXPECT_EQ(s.read(temp.folder()), std::pair(value, std::string())) << content;
        }
        for (const char* content : s.unusable) {
            temp.write(s.file, content);
            const auto [value, warning] = s.read(temp.folder());
            EXPECT_TRUE(value == s.fallback && contains(warning, temp.file(s.file)) && contains(warning, s.rule)) << content;
        }
    }
}

TEST(WindowPlacement, EndsWhollyWithinTheScreenMovedAsLittleAsPossibleAndIsKeptInWindowCfg)
{
    const ScreenRect small{0, 0, 1366, 768};
    const ScreenRect belowPanel{0, 27, 1366, 741};
    const ScreenRect rightScreen{1920, 0, 1366, 768};
    struct Case { ScreenRect wanted, available; int minWidth, minHeight; ScreenRect fitted; };
    const Case cases[] = {
        {{0, 0, 1560, 720}, small, 0, 0, {0, 0, 1366, 720}},            // too wide: shrunk
        {{1800, 100, 800, 600}, small, 0, 0, {566, 100, 800, 600}},      // off the right edge: moved in
        {{-50, -20, 400, 300}, small, 0, 0, {0, 0, 400, 300}},
        {{100, 100, 3000, 2000}, small, 0, 0, small},
        {{10, 0, 800, 600}, belowPanel, 0, 0, {10, 27, 800, 600}},       // not under the panel
        {{200, 200, 300, 200}, small, 640, 480, {200, 200, 640, 480}},   // never below the minimum
        {{0, 0, 300, 200}, small, 2000, 480, {0, 0, 1366, 480}},         // unless the screen is smaller
        {{100, 50, 800, 600}, rightScreen, 0, 0, {1920, 50, 800, 600}},  // onto the screen it opens on
        {{300, 40, 1000, 700}, small, 0, 0, {300, 40, 1000, 700}},       // fits: left alone
    };
    for (const Case& c : cases)
        EXPECT_EQ(fitWithin(c.wanted, c.available, c.minWidth, c.minHeight), c.fitted) << c.wanted.x << "," << c.wanted.y;
    EXPECT_EQ(centredWithin(1560, 720, small), (ScreenRect{0, 24, 1366, 720}));
    EXPECT_EQ(centredWithin(1560, 720, {0, 0, 1920, 1080}), (ScreenRect{180, 180, 1560, 720}));
    // Kept in window.cfg: every number is checked before it is converted, so out-of-range sizes are refused.
    TempFolder temp;
    EXPECT_FALSE(readWindowPlacement(temp.folder()));
    const WindowPlacement placement{{-8, 30, 1200, 700}, true};
    ASSERT_EQ(saveWindowPlacement(temp.folder(), placement), "");
    EXPECT_EQ(TempFolder::read(temp.file("window.cfg")), "-8,30,1200,700,1\r\n");
    EXPECT_EQ(readWindowPlacement(temp.folder()), placement);
    for (const char* damaged : {"", "1,2,3,4", "1,2,0,4,0", "1,2,3.5,4,0", "1,2,3,4,2", "a,2,3,4,0", "1,2,3,400000,0",
                                "1,2,3,4,0,5"}) {
        temp.write("window.cfg", damaged);
        EXPECT_FALSE(readWindowPlacement(temp.folder())) << damaged;
    }
}

using Paths = std::vector<std::string>;

TEST(RecentFiles, NewestFirstWithoutRepeatsAtMostSixKeptInTheWorkingFolderAndReadFromAnyLineEnds)
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
    // Kept in the working folder and read back from any line ends.
    TempFolder folder;
    EXPECT_TRUE(readRecentFiles(folder.folder()).empty());
    for (const char* path : {"/jobs/a.nst", "/jobs/with space.nst", "/jobs/a.nst"})
        ASSERT_EQ(rememberRecentFile(folder.folder(), path), "");
    EXPECT_EQ(readRecentFiles(folder.folder()), (Paths{"/jobs/a.nst", "/jobs/with space.nst"}));
    EXPECT_EQ(TempFolder::read(folder.file(kRecentFilesName)), "/jobs/a.nst\r\n/jobs/with space.nst\r\n");
    folder.write(kRecentFilesName, "/x.nst\n\n/y.nst\r\n/x.nst\n1\n2\n3\n4\n5\n");
    EXPECT_EQ(readRecentFiles(folder.folder()), (Paths{"/x.nst", "/y.nst", "1", "2", "3", "4"}));
}

} // namespace
} // namespace dravenor
