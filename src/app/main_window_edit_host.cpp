#include "app/main_window_edit_host.h"

#include <utility>

#include "ui/shape_file_filters.h"

namespace dravenor {

namespace {

constexpr const char* kSingleFileTitle = "Load Sheet/Part File";

} // namespace

std::string fileSelectionCaption(const TextGrid& grid)
{
    const bool sheets = grid.cols() > 1 && grid.title(1) == sheetGridTitles().front();
    return sheets ? "Select Sheet File(s)..." : "Select Part File(s)...";
}

MainWindowEditHost::MainWindowEditHost(Job& job, DialogService& dialogs, std::string workingFolder,
                                       std::string title)
    : job_(job), dialogs_(dialogs), workingFolder_(std::move(workingFolder)), title_(std::move(title))
{
}

bool MainWindowEditHost::beforeChange(int)
{
    const auto askToContinue = [this] { return agreeToDiscardLayouts(kChangeDataQuestion); };
    if (!protectResultsBeforeEdit(job_, workingFolder_, askToContinue)) return false;
    if (onResultsDiscarded) onResultsDiscarded();
    return true;
}

bool MainWindowEditHost::beforeCellChange(const TextGrid& grid, int keyCode)
{
    if (!cellLeavesLayouts(job_, grid, grid.col)) return beforeChange(keyCode);
    job_.modified = true;
    return true;
}

void MainWindowEditHost::discardResults()
{
    discardResultsAndWorkingFiles(job_, workingFolder_);
    if (onResultsDiscarded) onResultsDiscarded();
}

bool MainWindowEditHost::agreeToDiscardLayouts(const char* question)
{
    if (!job_.hasLayouts()) return true;
    const auto safe = job_.nesting.deepLayouts ? DialogService::Answer::Cancel : DialogService::Answer::Ok;
    return dialogs_.message(discardingQuestion(question, job_.nesting), title_, DialogService::Icon::Question,
                            DialogService::Buttons::OkCancel, safe)
        == DialogService::Answer::Ok;
}

std::vector<std::string> MainWindowEditHost::chooseFiles(const TextGrid& grid, bool multiple)
{
    if (multiple) return dialogs_.selectShapeFiles(fileSelectionCaption(grid));
    const std::string file = dialogs_.openFileName(kSingleFileTitle, kShapeOpenFilter);
    if (file.empty()) return {};
    return {file};
}

void MainWindowEditHost::fileCellChanged(const TextGrid& grid)
{
    if (!onFileCellChanged) return;
    if (&grid == &job_.sheets) onFileCellChanged(SheetGrid);
    else if (&grid == &job_.parts) onFileCellChanged(PartGrid);
}

} // namespace dravenor
