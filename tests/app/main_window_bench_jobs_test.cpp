// The main window's optimisation gives exactly the batch tool's layouts, on the example job
// and on every job of the shared bench folder (skipped where that folder is absent).
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <filesystem>

#include "app/layout_panel.h"
#include "app/main_window_fixture.h"
#include "app/progress_window.h"
#include "cli/nest_job.h"
#include "editors/layout_editor.h"
#include "layouts/layout_file.h"
#include "layouts/report.h"
#include "ui/grid_view.h"
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

// File name, Qty and Pri of each record into rows 1.. of the grid.
template <class Entry>
void fillRecordRows(TextGrid& grid, const std::vector<Entry>& records)
{
    grid.setRows(static_cast<int>(records.size()) + 2);
    for (size_t i = 0; i < records.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        grid.setText(row, 1, records[i].FileName);
        grid.setText(row, 2, std::to_string(records[i].Qty));
        grid.setText(row, 3, std::to_string(records[i].Pri));
    }
}

// The job of job.args typed into the window's grids, row for row.
void fillGrids(Job& job, const NestingState& records)
{
    const BasicDetails& d = records.details;
    const std::vector<std::pair<const char*, std::string>> basic{
        {"Mat", d.Mat}, {"Grade", d.Grade}, {"Thick", formatGeneral(d.Thick)}, {"Kerf", formatGeneral(d.Kerf)}, {"Note", d.Note}};
    for (const auto& [title, text] : basic) job.basic.setText(1, job.basic.columnOf(title), text);
    fillRecordRows(job.sheets, records.sheets);
    fillRecordRows(job.parts, records.parts);
    for (size_t i = 0; i < records.parts.size(); ++i) job.parts.setText(static_cast<int>(i) + 1, 4, records.parts[i].Orn);
    job.sheets.renumber();
    job.parts.renumber();
}

// The job of the folder typed into the window and optimised there, OK pressed at the end.
// Returns the job as the batch tool reads it.
cli::NestJob optimiseInWindow(MainWindow& window, const fs::path& folder)
{
    window.beforeProgressShown = [](ProgressWindow& progress) {
        QObject::connect(&progress, &ProgressWindow::finishedRun, &progress, [&progress] { progress.button()->click(); });
    };
    const cli::Args args = cli::readArgsFile(readWholeFile((folder / "job.args").string()).bytes.value_or(""));
    cli::NestJob batch = cli::parseNestJob(args, folder.string());
    window.job().modified = false;
    window.newJob();
    fillGrids(window.job(), batch.state);
    window.job().mode = batch.mode;
    window.refreshGrids();
    window.startOptimisation();
    return batch;
}

TEST_F(MainWindowTest, EveryJobOptimisesInTheWindowToTheBatchToolsLayouts)
{
    int jobs = 0;
    for (const fs::path& folder : jobFolders()) {
        SCOPED_TRACE(folder.string());
        cli::NestJob batch = optimiseInWindow(*window, folder);

        SilentProgress silent;
        const RunResult result = optimise(batch.state, batch.mode, silent);
        EXPECT_EQ(window->job().nesting.entities, batch.state.entities);
        EXPECT_EQ(window->job().nesting.items.size(), batch.state.items.size());
        EXPECT_EQ(result.status, EndStatus::Full);
        ++jobs;
    }
    EXPECT_GE(jobs, 1);
}

// A layout of every job saved, opened again, handed to the layout editor, moved off the sheet
// and back (the check sees it), saved as a .lay file, one part removed, returned and reported.
TEST_F(MainWindowTest, ALayoutOfEveryJobIsEditedCheckedSavedReturnedAndReported)
{
    int jobs = 0;
    for (const fs::path& folder : jobFolders()) {
        SCOPED_TRACE(folder.string());
        optimiseInWindow(*window, folder);
        const std::string saved = this->folder.filePath("job.nst").toStdString();
        dialogs.saveFiles.push_back(saved);
        ASSERT_TRUE(window->saveJobAs());
        ASSERT_TRUE(window->openJobFile(saved));
        const int layouts = window->layoutPanel()->layoutList()->count();
        ASSERT_GT(layouts, 0);
        window->layoutPanel()->selectLayout(layouts - 1);
        const size_t itemsBefore = window->job().nesting.items.size();
        long long piecesBefore = 0;
        for (const PartEntry& part : window->job().nesting.parts) piecesBefore += part.Qty;

        const std::string layFile = this->folder.filePath("edited.lay").toStdString();
        std::int32_t layoutQty = 0;
        window->editLayout = [&] {
            LayoutEditor editor(dialogs, this->folder.path());
            ASSERT_EQ(fileNameOnly(editor.currentFile()), "edit.lay");
            EXPECT_EQ(editor.statusLabel()->text().toStdString(), "Layout sound");
            layoutQty = static_cast<std::int32_t>(std::stol(editor.grid().text(1, 5)));
            const std::string x = editor.grid().text(2, 2);
            editor.gridView()->selectRows(2, 2);
            editor.moveStepList()->setCurrentText(QStringLiteral("100000"));
            editor.adjust(1);
            EXPECT_NE(editor.statusLabel()->text().toStdString().find("leaves the sheet"), std::string::npos);
            editor.adjust(0);
            // Cells hold fifteen significant digits, so a far move rounds the last ones.
            EXPECT_NEAR(std::stod(editor.grid().text(2, 2)), std::stod(x), 1e-6);
            EXPECT_EQ(editor.statusLabel()->text().toStdString(), "Layout sound");

            dialogs.saveFiles.push_back(layFile);
            ASSERT_TRUE(editor.saveAs());
            const LayoutFileRead reread = readLayoutFile(layFile);
            ASSERT_TRUE(reread.ok()) << reread.error;
            EXPECT_EQ(reread.lines.size() + 2, static_cast<size_t>(editor.grid().rows()));

            editor.gridView()->selectRows(2, 2);
            editor.removeSelectedParts();
            editor.close(); // "Update Layout?" answered Yes
        };
        window->editCurrentLayout();

        EXPECT_EQ(window->job().nesting.items.size(), itemsBefore - 1);
        long long piecesAfter = 0;
        for (const PartEntry& part : window->job().nesting.parts) piecesAfter += part.Qty;
        EXPECT_EQ(piecesAfter, piecesBefore - layoutQty);
        EXPECT_EQ(window->layoutPanel()->layoutList()->count(), layouts);
        EXPECT_EQ(window->layoutPanel()->currentLayout(), layouts);
        EXPECT_TRUE(window->job().modified);
        const ReportWriteResult report = writeReport(window->job(), DensityTable{}, this->folder.path().toStdString());
        EXPECT_TRUE(report.ok()) << report.error;
        EXPECT_TRUE(report.warnings.empty());
        ++jobs;
    }
    EXPECT_GE(jobs, 1);
}

} // namespace
} // namespace dravenor::testing
