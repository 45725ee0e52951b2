// NC programs from the batch tool: named after the job they come from, so that the programs of
// two jobs written into one folder never overwrite each other, and every file written named.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "cli_test_support.h"

using namespace dravenor::testing;
using dravenor::cli::Args;

namespace {

// Plates and discs of S235, 10 thick (a row of the shipped cut table) on 400 x 250 sheets: two
// layouts at least.
struct PlateJob {
    TempFolder dir;
    std::string sheet = savedShape(dir, "sheet.shp", rectangle(0, 0, 400, 250));
    std::string plate = savedShape(dir, "plate.shp", rectangle(0, 0, 150, 60));
    std::string disc = savedShape(dir, "disc.shp", {arcEntity(35, 35, 35, 0, 360)});

    ToolRun nest(const Args& more) const
    {
        Args args{"nest", "--mat", "S235", "--thick", "10", "--kerf", "3", "--sheet", sheet + ":4",
                  "--part", plate + ":7", "--part", disc + ":6"};
        args.insert(args.end(), more.begin(), more.end());
        return runInProcess(args);
    }
};

// The names of the layouts' programs for a job named `job` ("" for none), from the layout lines
// of a nest run.
std::vector<std::string> programNames(const std::string& job, const ToolRun& nested)
{
    std::vector<std::string> names;
    for (size_t at = 0; (at = nested.out.find("\nLayout ", at)) != std::string::npos; ++at)
        names.push_back((job.empty() ? "" : job + "-") + "layout-" + std::to_string(names.size() + 1) + ".nc");
    return names;
}

// That out names each of the folder's files on a line of its own.
void expectEveryFileListed(const TempFolder& folder, const ToolRun& run)
{
    for (const std::string& name : folder.entries())
        EXPECT_TRUE(contains(run.out, folder.file(name) + ": layout ")) << name << "\n" << run.out;
}

TEST(NcPrograms, NamedAfterTheSavedJobOrLayoutNAloneAndEveryFileWrittenIsPrinted)
{
    const PlateJob job;
    const std::string plates = job.dir.file("plates.nst"), frames = job.dir.file("frames.nst");
    const TempFolder fresh, unsaved, scratch;
    const ToolRun nested = job.nest({"--save", plates, "--nc-dir", fresh.folder()});
    ASSERT_EQ(nested.code, 0) << nested.err;
    ASSERT_GE(programNames("", nested).size(), 2u) << nested.out;
    EXPECT_EQ(fresh.entries(), programNames("plates", nested));
    expectEveryFileListed(fresh, nested);
    const ToolRun nameless = job.nest({"--nc-dir", unsaved.folder()});
    EXPECT_EQ(unsaved.entries(), programNames("", nameless));
    expectEveryFileListed(unsaved, nameless);
    // The same job saved under a second name.
    ASSERT_EQ(job.nest({"--save", frames, "--nc-dir", scratch.folder()}).code, 0);

    // Both jobs' programs into one folder, by nc --all and nc --layout N --dir: none overwritten.
    const TempFolder shared;
    const std::vector<std::string> platesNames = programNames("plates", nested), framesNames = programNames("frames", nested);
    auto sorted = [](std::vector<std::string> names) {
        std::sort(names.begin(), names.end());
        return names;
    };
    const struct {
        Args args;
        std::vector<std::string> written;
    } cases[] = {
        {{"nc", plates, "--all", "--dir", shared.folder()}, platesNames},
        {{"nc", frames, "--layout", "2", "--dir", shared.folder()}, {framesNames[1]}},
        {{"nc", frames, "--all", "--dir", shared.folder()}, framesNames},
    };
    std::vector<std::string> inFolder;
    for (const auto& c : cases) {
        const ToolRun run = runInProcess(c.args);
        ASSERT_EQ(run.code, 0) << run.err;
        for (const std::string& name : c.written)
            if (std::find(inFolder.begin(), inFolder.end(), name) == inFolder.end()) inFolder.push_back(name);
        EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), static_cast<long>(c.written.size())) << run.out;
        for (const std::string& name : c.written) EXPECT_TRUE(contains(run.out, shared.file(name) + ": layout ")) << run.out;
        EXPECT_EQ(shared.entries(), sorted(inFolder));
    }
    for (const std::string& name : shared.entries()) {
        const std::string named = name.substr(0, name.find("-layout-"));
        EXPECT_TRUE(contains(TempFolder::read(shared.file(name)), "(job: " + named + ".nst)")) << name;
    }
    // nest --save writes, under the same names, what nc writes for the saved job.
    for (const std::string& name : fresh.entries())
        EXPECT_EQ(TempFolder::read(fresh.file(name)), TempFolder::read(shared.file(name))) << name;
}

} // namespace
