// A saved job whose folder moved: every command that opens it finds the shapes beside it under
// the tails of their old paths (longer tails first), or fails in one line.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "cli_test_support.h"
#include "geometry/shape_builders.h"
#include "support/text_match.h"

using namespace dravenor::testing;

TEST(MovedJob, EveryCommandFindsTheShapesBesideTheJobOrFailsClearly)
{
    namespace fs = std::filesystem;
    const auto flatten = [](const fs::path& to) {
        for (const auto& file : fs::directory_iterator(to / "parts")) fs::rename(file, to / file.path().filename());
    };
    const auto decoy = [](const fs::path& to) {
        ASSERT_EQ(dravenor::saveShapeFile(rectangle(0, 0, 9, 9), (to / "plate.shp").string()), "");
    };
    const auto remove = [](const fs::path& to) { fs::remove_all(to / "parts"); };
    // How the moved folder is left, and the tail the shapes are found under ("-": not found).
    const std::tuple<std::function<void(const fs::path&)>, std::string> cases[] = {
        {[](const fs::path&) {}, "parts/"}, {flatten, ""}, {decoy, "parts/"}, {remove, "-"}};
    std::string firstTotals;
    for (const auto& [arrange, tail] : cases) {
        const TempFolder root;
        const fs::path old = fs::path(root.folder()) / "old", moved = fs::path(root.folder()) / "moved";
        fs::create_directories(old / "parts");
        const std::string sheet = (old / "parts/sheet.shp").string(), plate = (old / "parts/plate.shp").string();
        ASSERT_EQ(dravenor::saveShapeFile(rectangle(0, 0, 400, 250), sheet) +
                      dravenor::saveShapeFile(rectangle(0, 0, 150, 60), plate), "");
        const std::string saved = (old / "job.nst").string();
        ASSERT_EQ(runInProcess({"nest", "--kerf", "3", "--sheet", sheet, "--part", plate + ":5", "--save", saved}).code, 0);
        fs::rename(old, moved);
        arrange(moved);

        const std::string job = (moved / "job.nst").string();
        for (const dravenor::cli::Args& command : std::vector<dravenor::cli::Args>{
                 {"report", job, "-o", root.file("report.tlf")}, {"print", job, "--all", "--pdf", root.file("layouts.pdf")},
                 {"layout-dxf", job, "--layout", "1", root.file("layout.dxf")}, {"check-layout", job}, {"nest", "--job", job}}) {
            const ToolRun r = runInProcess(command);
            const std::string expected =
                tail != "-" ? "found beside the job file, in " + moved.string() + ":\n  " + tail + "sheet.shp (was " + sheet
                : command[0] == "nest" ? sheet + " not found"
                : job + ": the layouts cannot be drawn: " + sheet + ", " + plate + " not found (nor beside the job file)";
            EXPECT_EQ(r.code, tail != "-" ? 0 : 2) << command[0] << "\n" << r.err;
            EXPECT_TRUE(contains(r.err, expected)) << command[0] << "\n" << r.err;
        }
        if (tail == "-") {
            EXPECT_EQ(root.entries(), std::vector<std::string>{"moved"}) << "nothing written";
        }
        // Yields and cutting lengths as before the move: the right shapes were found.
        const std::string report = TempFolder::read(root.file("report.tlf"));
        const std::string totals = report.substr(0, report.find("****"));
        if (firstTotals.empty()) firstTotals = totals;
        EXPECT_EQ(totals, tail != "-" ? firstTotals : "") << tail;
    }
}
