// The cut plan of a layout fresh from a run, of the same layout after the job is saved and opened
// again, and after a trip through the layout editor: the example job nested as the window does
// it, in every mode, planned and written as NC programs each way, must agree to the last digit.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include "cutting/nc_export.h"
#include "deep/deep_run.h"
#include "layouts/checked_deep_nesting.h"
#include "layouts/checked_optimisation.h"
#include "layouts/job_open.h"
#include "layouts/layout_exchange.h"
#include "layouts/layout_file.h"
#include "layouts/optimisation_start.h"
#include "support/grid_rows.h"
#include "support/temp_folder.h"

namespace dravenor::cutting {
namespace {

using testing::fillRow;
using testing::TempFolder;

const std::string kExamples = std::string(DRAVENOR_RESOURCE_DIR) + "/examples/";

std::vector<std::string> fieldsOf(const std::string& text)
{
    std::vector<std::string> fields{""};
    for (char c : text) {
        if (c == ':')
            fields.emplace_back();
        else
            fields.back().push_back(c);
    }
    return fields;
}

// The example job as its job.args gives it, typed into the grids.
Job exampleJob()
{
    std::ifstream in(kExamples + "job.args");
    std::vector<std::string> args;
    for (std::string line; std::getline(in, line);) args.push_back(line);
    std::vector<std::string> basic(6);
    const std::vector<std::string> basicFlags{"--mat", "--grade", "--thick", "--kerf", "", "--note"};
    Job job;
    int sheets = 0, parts = 0;
    for (size_t i = 0; i + 1 < args.size(); i += 2) {
        const std::string &flag = args[i], &value = args[i + 1];
        if (flag == "--sheet" || flag == "--part") {
            std::vector<std::string> cells = fieldsOf(value);
            cells[0] = kExamples + cells[0];
            fillRow(flag == "--sheet" ? job.sheets : job.parts, flag == "--sheet" ? ++sheets : ++parts, cells);
        }
        for (size_t b = 0; b < basicFlags.size(); ++b)
            if (!basicFlags[b].empty() && flag == basicFlags[b]) basic[b] = value;
    }
    fillRow(job.basic, 1, basic);
    job.basic.setRows(2);
    return job;
}

// Nests the job as Start Optimization does.
void nest(Job& job, NestingMode mode)
{
    job.mode = mode;
    job.deep = testing::fixedWork(20);
    const OptimisationStart start = prepareOptimisation(job, [] { return true; });
    ASSERT_FALSE(start.stop.has_value()) << start.stop->text;
    NestingState state = job.nesting;
    if (mode == NestingMode::Deep) {
        testing::RecordingProgress progress;
        ASSERT_EQ(nestDeepChecked(state, job.deep, progress).result.status, EndStatus::Full);
    } else {
        SilentProgress progress;
        ASSERT_EQ(optimiseChecked(state, mode, progress).status, EndStatus::Full);
    }
    acceptOptimisation(job, std::move(state));
}

// Per layout: cut and rapid lengths, seconds and the whole program.
using LayoutCut = std::tuple<double, double, double, std::string>;

std::vector<LayoutCut> cutsOf(const Job& job)
{
    const std::string resources = DRAVENOR_RESOURCE_DIR;
    const NcSetup setup = ncSetup(job.nesting, "example", resources + "/cutting.dat", resources + "/post.cfg");
    EXPECT_EQ(setup.error, "");
    std::vector<LayoutCut> cuts;
    for (int layoutNo : layoutNumbers(job.nesting)) {
        const CutPlanResult planned = planLayoutCut(job.nesting, layoutNo, setup.cut);
        EXPECT_TRUE(planned.plan) << planned.error;
        if (!planned.plan) continue;
        const CutPlan& plan = *planned.plan;
        cuts.emplace_back(plan.cutLength, plan.rapidLength, plan.seconds, ncProgramText(plan, setup.cut, setup.post, setup.info));
    }
    return cuts;
}

// The job saved and opened again.
Job reopened(const Job& fresh, const TempFolder& folder)
{
    Job job = fresh;
    const std::string path = folder.file("example.nst");
    EXPECT_EQ(saveJob(job, path, folder.folder()).error, "");
    Job opened;
    EXPECT_EQ(openJob(path, folder.folder(), opened).error, "");
    return opened;
}

// Every layout handed to the layout editor through its exchange file and back unchanged.
Job edited(const Job& fresh, const TempFolder& folder)
{
    Job job = fresh;
    const std::string exchange = folder.file(kExchangeFileName);
    for (int layoutNo : layoutNumbers(fresh.nesting)) {
        EXPECT_EQ(writeLayoutFile(exchange, exchangeLinesForLayout(job.nesting, layoutNo), false), "");
        const LayoutFileRead back = readLayoutFile(exchange);
        EXPECT_EQ(back.error, "");
        EXPECT_TRUE(applyEditedLayout(job, layoutNo, back.lines).empty());
    }
    return job;
}

TEST(CutPlanOfARun, TheSameFreshAfterSaveAndOpenAndBackFromTheLayoutEditor)
{
    const std::vector<std::pair<NestingMode, std::string>> modes{
        {NestingMode::Stack, "stack"}, {NestingMode::ContinuousStack, "continuous"}, {NestingMode::Free, "free"},
        {NestingMode::Deep, "deep"}};
    const std::vector<std::pair<Job (*)(const Job&, const TempFolder&), std::string>> arrivals{
        {&reopened, "saved and opened"}, {&edited, "back from the layout editor"}};
    for (const auto& [mode, modeName] : modes) {
        SCOPED_TRACE(modeName);
        Job fresh = exampleJob();
        nest(fresh, mode);
        const std::vector<LayoutCut> before = cutsOf(fresh);
        ASSERT_FALSE(before.empty());
        for (const auto& [arrive, arrivalName] : arrivals) {
            SCOPED_TRACE(arrivalName);
            TempFolder folder;
            EXPECT_TRUE(cutsOf(arrive(fresh, folder)) == before) << "the plans or programs differ";
        }
    }
}

} // namespace
} // namespace dravenor::cutting
