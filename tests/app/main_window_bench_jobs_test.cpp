// The main window's optimisation gives exactly the batch tool's layouts, on the example job
// and on every job of the shared bench folder (skipped where that folder is absent).
#include <QPushButton>
#include <filesystem>

#include "app/main_window_fixture.h"
#include "app/progress_window.h"
#include "cli/nest_job.h"
#include "job/files.h"
#include "job/number_format.h"

namespace dravenor::testing {
namespace {

namespace fs = std::filesystem;

// Job folders holding a job.args: the shipped example and the bench jobs beside the checkout.
std::vector<fs::path> jobFolders()
{
    std::vector<fs::path> folders{fs::path(DRAVENOR_RESOURCE_DIR) / "examples"};
    const fs::path bench = fs::path(DRAVENOR_TEST_DATA) / ".." / ".." / ".." / "shared" / "bench";
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(bench, ec))
        if (fs::exists(entry.path() / "job.args")) folders.push_back(entry.path());
    std::sort(folders.begin(), folders.end());
    return folders;
}

// The job of job.args typed into the window's grids, row for row.
void fillGrids(Job& job, const NestingState& records)
{
    const BasicDetails& d = records.details;
    const std::vector<std::pair<const char*, std::string>> basic{
        {"Mat", d.Mat}, {"Grade", d.Grade}, {"Thick", formatGeneral(d.Thick)}, {"Kerf", formatGeneral(d.Kerf)}, {"Note", d.Note}};
    for (const auto& [title, text] : basic) job.basic.setText(1, job.basic.columnOf(title), text);
    job.sheets.setRows(static_cast<int>(records.sheets.size()) + 2);
    for (size_t i = 0; i < records.sheets.size(); ++i) {
        const SheetEntry& s = records.sheets[i];
        const int row = static_cast<int>(i) + 1;
        job.sheets.setText(row, 1, s.FileName);
        job.sheets.setText(row, 2, std::to_string(s.Qty));
        job.sheets.setText(row, 3, std::to_string(s.Pri));
    }
    job.parts.setRows(static_cast<int>(records.parts.size()) + 2);
    for (size_t i = 0; i < records.parts.size(); ++i) {
        const PartEntry& p = records.parts[i];
        const int row = static_cast<int>(i) + 1;
        job.parts.setText(row, 1, p.FileName);
        job.parts.setText(row, 2, std::to_string(p.Qty));
        job.parts.setText(row, 3, std::to_string(p.Pri));
        job.parts.setText(row, 4, p.Orn);
    }
    job.sheets.renumber();
    job.parts.renumber();
}

TEST_F(MainWindowTest, EveryJobOptimisesInTheWindowToTheBatchToolsLayouts)
{
    window->beforeProgressShown = [](ProgressWindow& progress) {
        QObject::connect(&progress, &ProgressWindow::finishedRun, &progress, [&progress] { progress.button()->click(); });
    };
    int jobs = 0;
    for (const fs::path& folder : jobFolders()) {
        SCOPED_TRACE(folder.string());
        const cli::Args args = cli::readArgsFile(readWholeFile((folder / "job.args").string()).bytes.value_or(""));
        cli::NestJob batch = cli::parseNestJob(args, folder.string());
        window->newJob();
        fillGrids(window->job(), batch.state);
        window->job().mode = batch.mode;
        window->refreshGrids();
        window->startOptimisation();

        SilentProgress silent;
        const RunResult result = optimise(batch.state, batch.mode, silent);
        EXPECT_EQ(window->job().nesting.entities, batch.state.entities);
        EXPECT_EQ(window->job().nesting.items.size(), batch.state.items.size());
        EXPECT_EQ(result.status, EndStatus::Full);
        ++jobs;
    }
    EXPECT_GE(jobs, 1);
}

} // namespace
} // namespace dravenor::testing
