// A saved job whose folder was moved: every command that opens it finds the shapes beside it,
// and fails with one clear line when they are not there either.
#include <gtest/gtest.h>

#include <filesystem>

#include "cli_test_support.h"
#include "geometry/shape_builders.h"
#include "support/temp_folder.h"
#include "support/text_match.h"

using namespace dravenor::testing;
using dravenor::cli::Args;

namespace {

namespace fs = std::filesystem;

TEST(MovedJob, EveryCommandFindsTheShapesBesideTheJobOrFailsClearly)
{
    const TempFolder root;
    const fs::path old = fs::path(root.folder()) / "old", moved = fs::path(root.folder()) / "moved";
    fs::create_directories(old / "parts");
    const auto shape = [&](const char* name, const dravenor::Shape& s) {
        const std::string path = (old / "parts" / name).string();
        EXPECT_EQ(dravenor::saveShapeFile(s, path), "");
        return path;
    };
    const std::string sheet = shape("sheet.shp", rectangle(0, 0, 400, 250));
    const std::string plate = shape("plate.shp", rectangle(0, 0, 150, 60));
    const ToolRun saved = runInProcess({"nest", "--kerf", "3", "--sheet", sheet + ":2", "--part", plate + ":5",
                                        "--save", (old / "job.nst").string()});
    ASSERT_EQ(saved.code, 0) << saved.err;
    fs::rename(old, moved);

    const std::string job = (moved / "job.nst").string();
    const std::vector<Args> commands = {
        {"report", job, "-o", root.file("report.tlf")},
        {"print", job, "--all", "--pdf", root.file("layouts.pdf")},
        {"layout-dxf", job, "--layout", "1", root.file("layout.dxf")},
        {"check-layout", job},
        {"nest", "--job", job},
    };
    for (const Args& command : commands) {
        const ToolRun r = runInProcess(command);
        EXPECT_EQ(r.code, 0) << command[0] << "\n" << r.err;
        EXPECT_TRUE(contains(r.err, "found beside the job file, in " + moved.string())) << command[0] << "\n" << r.err;
        EXPECT_TRUE(contains(r.err, "  parts/plate.shp (was " + plate + ")")) << command[0] << "\n" << r.err;
    }
    EXPECT_TRUE(contains(TempFolder::read(root.file("report.tlf")), "Total Layouts : 1"));

    fs::remove_all(moved / "parts");
    for (const Args& command : commands) {
        const ToolRun r = runInProcess(command);
        EXPECT_EQ(r.code, 2) << command[0];
        const std::string expected = command[0] == "nest" ? sheet + " not found"
                                                          : job + ": the layouts cannot be drawn: " + sheet + ", " + plate +
                                                                " not found (nor beside the job file)";
        EXPECT_TRUE(contains(r.err, expected)) << command[0] << "\n" << r.err;
    }
}

} // namespace
