// NC programs from the batch tool: named after the job they come from, so that the programs of
// two jobs written into one folder never overwrite each other, and every file written named.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli_test_support.h"

using namespace dravenor::testing;
using dravenor::cli::Args;

namespace {

TEST(NcPrograms, NamedAfterTheSavedJobOrLayoutNAloneAndEveryFileWrittenIsPrinted)
{
    // Plates and discs of S235 10 (a row of the shipped cut table) on small sheets: two layouts.
    TempFolder dir;
    const std::string sheet = savedShape(dir, "sheet.shp", rectangle(0, 0, 400, 250));
    const std::string plate = savedShape(dir, "plate.shp", rectangle(0, 0, 150, 60));
    const std::string disc = savedShape(dir, "disc.shp", {arcEntity(35, 35, 35, 0, 360)});
    const auto nest = [&](const Args& more) {
        Args args{"nest", "--mat", "S235", "--thick", "10", "--kerf", "3", "--sheet", sheet + ":4",
                  "--part", plate + ":7", "--part", disc + ":6"};
        args.insert(args.end(), more.begin(), more.end());
        return runInProcess(args);
    };
    const std::string plates = dir.file("plates.nst"), frames = dir.file("frames.nst");
    const TempFolder fresh, unsaved, shared;
    const ToolRun saved = nest({"--save", plates, "--nc-dir", fresh.folder()});
    ASSERT_EQ(saved.code, 0) << saved.err;
    ASSERT_EQ(fresh.entries(), (std::vector<std::string>{"plates-layout-1.nc", "plates-layout-2.nc"})) << saved.out;
    ASSERT_EQ(nest({"--nc-dir", unsaved.folder()}).code, 0);
    EXPECT_EQ(unsaved.entries(), (std::vector<std::string>{"layout-1.nc", "layout-2.nc"}));
    ASSERT_EQ(nest({"--save", frames}).code, 0);

    // Both jobs' programs into one folder: none overwritten, each file printed, each naming its job.
    for (const auto& [job, name] : {std::pair(plates, "plates"), std::pair(frames, "frames")}) {
        const ToolRun run = runInProcess({"nc", job, "--all", "--dir", shared.folder()});
        ASSERT_EQ(run.code, 0) << run.err;
        for (const char* layout : {"-layout-1.nc", "-layout-2.nc"})
            EXPECT_TRUE(contains(run.out, shared.file(name + std::string(layout)) + ": layout ")) << run.out;
    }
    EXPECT_EQ(shared.entries(), (std::vector<std::string>{"frames-layout-1.nc", "frames-layout-2.nc",
                                                          "plates-layout-1.nc", "plates-layout-2.nc"}));
    for (const std::string& name : shared.entries())
        EXPECT_TRUE(contains(TempFolder::read(shared.file(name)), "(job: " + name.substr(0, 6) + ".nst)")) << name;
    // nest --save writes, under the same names, what nc writes for the saved job.
    for (const std::string& name : fresh.entries())
        EXPECT_EQ(TempFolder::read(fresh.file(name)), TempFolder::read(shared.file(name))) << name;
}

} // namespace
