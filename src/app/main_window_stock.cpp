// Tools > Stock, Stock Folder, Sheets From Stock and Layouts Cut: the main window's side of the
// plate stock. The work is the stock module's; this only asks, calls and shows.
#include <QComboBox>
#include <QInputDialog>

#include "app/app_info.h"
#include "app/layout_panel.h"
#include "app/main_window.h"
#include "app/stock_window.h"
#include "job/files.h"
#include "job/number_format.h"
#include "layouts/discarded_layouts.h"
#include "layouts/job_open.h"
#include "stock/stock_folder.h"
#include "layouts/faulty_layouts.h"
#include "stock/stock_selection.h"

namespace dravenor {

namespace {

constexpr const char* kSaveBeforeCut =
    "Save the job first: the stock records which job and layout each remnant came from.";

} // namespace

std::string MainWindow::stockFolder() const
{
    return configuredStockFolder(workingFolder_.toStdString());
}

void MainWindow::showStock()
{
    StockWindow window(dialogs_, stockFolder(), this);
    const BasicDetails details = readBasicDetails(job_.basic);
    window.fillMaterial({details.Mat, details.Grade, details.Thick});
    if (beforeStockShown) beforeStockShown(window);
    if (window.isVisible() || !beforeStockShown) window.exec();
}

void MainWindow::chooseStockFolder()
{
    const std::string folder = dialogs_.selectFolder("Stock Folder");
    if (folder.empty()) return;
    if (const std::string problem = saveStockFolderSetting(workingFolder_.toStdString(), folder); !problem.empty())
        tell(problem, DialogService::Icon::Exclamation);
    refreshRemnantIds();
}

bool MainWindow::takeSheetsFromStock()
{
    const BasicDetails details = readBasicDetails(job_.basic);
    const std::string folder = stockFolder();
    const StockResult stock = readStock(folder);
    if (!stock.ok()) {
        tell(stock.error, DialogService::Icon::Exclamation);
        return false;
    }
    const std::vector<StockSheet> sheets = stockSheetsFor(stock.tables, folder, details.Mat, details.Thick);
    if (sheets.empty()) {
        tell("The stock holds no plate of material " + details.Mat + " and thickness " + formatGeneral(details.Thick) +
                 ".",
             DialogService::Icon::Information);
        return false;
    }
    TextGrid& grid = job_.sheets;
    std::vector<std::string> rowFiles;
    for (int row = 1; row < grid.rows(); ++row)
        if (const std::string& file = grid.text(row, grid.columnOf("Sheet File Name")); !file.empty()) rowFiles.push_back(file);
    std::string question = sheetsFromStockChange(rowFiles, sheets, details.Mat + " " + formatGeneral(details.Thick));
    if (job_.hasLayouts()) question += (question.empty() ? "" : "\n\n") + discardedLayoutsNote(job_.nesting);
    if (!question.empty()) {
        const auto safe = job_.nesting.deepLayouts ? DialogService::Answer::Cancel : DialogService::Answer::Ok;
        if (dialogs_.message("Take the sheets from the stock?\n\n" + question, appTitle().toStdString(),
                             DialogService::Icon::Question, DialogService::Buttons::OkCancel, safe)
            != DialogService::Answer::Ok)
            return false;
    }
    if (job_.hasLayouts()) host_.discardResults();
    grid.setRows(static_cast<int>(sheets.size()) + 2);
    grid.clear();
    for (size_t i = 0; i < sheets.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        grid.setText(row, grid.columnOf("Sheet File Name"), sheets[i].file);
        grid.setText(row, grid.columnOf("Qty"), std::to_string(sheets[i].quantity));
        grid.setText(row, grid.columnOf("Pri"), std::to_string(sheets[i].priority));
    }
    grid.renumber();
    job_.modified = true;
    updateCaption();
    refreshGrids();
    refreshPreview(SheetGrid);
    return true;
}

bool MainWindow::cutLayoutsIntoStock(const std::vector<LayoutCount>& wanted, bool confirm)
{
    if (!job_.hasLayouts()) {
        tell(kNoLayoutNotice, DialogService::Icon::Information);
        return false;
    }
    if (job_.jobFileName.empty() || job_.modified) {
        tell(kSaveBeforeCut, DialogService::Icon::Information);
        return false;
    }
    std::vector<LayoutCount> layouts = wanted;
    if (layouts.empty())
        for (std::int32_t n : jobLayoutNumbers(job_.nesting)) layouts.push_back({n, 0});
    const std::string folder = stockFolder();
    const StockResult stock = readStock(folder);
    CutRequest request;
    std::string problem = stock.error;
    if (problem.empty()) problem = cutRequestOf(job_, layouts, stock.tables, folder, request);
    if (!problem.empty()) {
        tell(problem, DialogService::Icon::Exclamation);
        return false;
    }
    request.date = todayText();
    if (confirm) {
        const std::string question = "Take " + std::string(request.layouts.size() == 1 ? "this layout" : "these layouts") +
            " into the stock as cut?\n\n" + joinedLines(cutLines(request)) + "\n\nTools > Undo Last Cut takes it back.";
        if (dialogs_.message(question, appTitle().toStdString(), DialogService::Icon::Question,
                             DialogService::Buttons::OkCancel, DialogService::Answer::Cancel) != DialogService::Answer::Ok)
            return false;
    }
    for (const CutLayout& cut : request.layouts) {
        const auto date = alreadyCut(stock.tables, request.job, cut.layoutNo, cut.fingerprint);
        if (!date) continue;
        const auto answer = dialogs_.message("Layout " + std::to_string(cut.layoutNo) +
                                                 " was taken into the stock on " + *date + " already. Cut it again?",
                                             appTitle().toStdString(), DialogService::Icon::Question,
                                             DialogService::Buttons::YesNo, DialogService::Answer::No);
        if (answer != DialogService::Answer::Yes) return false;
        request.again = true;
    }
    const CutResult done = cutLayouts(folder, request);
    if (!done.stock.ok()) {
        tell(done.stock.error, DialogService::Icon::Exclamation);
        return false;
    }
    refreshRemnantIds();
    tell(joinedLines(cutLines(request, done.remnantIds)), DialogService::Icon::Information);
    return true;
}

bool MainWindow::undoLastCut()
{
    const UndoResult undone = dravenor::undoLastCut(stockFolder(), todayText());
    if (!undone.stock.ok()) {
        tell(undone.stock.error, DialogService::Icon::Exclamation);
        return false;
    }
    refreshRemnantIds();
    tell(undoneCutText(undone), DialogService::Icon::Information);
    return true;
}

void MainWindow::cutCurrentLayout()
{
    const int layoutNo = layoutPanel_->currentLayout();
    if (layoutNo < 1) {
        tell(kNoLayoutNotice, DialogService::Icon::Information);
        return;
    }
    bool ok = false;
    const int count = QInputDialog::getInt(this, tr("Layout Cut"), tr("Sheets cut with layout %1:").arg(layoutNo),
                                           layoutSheetCount(job_.nesting, layoutNo), 1, 1000000, 1, &ok);
    if (ok) cutLayoutsIntoStock({{layoutNo, count}});
}

void MainWindow::refreshRemnantIds()
{
    job_.remnantIds.clear();
    if (job_.hasLayouts() && !job_.jobFileName.empty() && fileExists(stockPath(stockFolder(), kStockIndexName))) {
        const StockResult stock = readStock(stockFolder());
        const std::vector<std::int32_t> layouts = jobLayoutNumbers(job_.nesting);
        if (stock.ok() && !layouts.empty())
            job_.remnantIds = remnantIdsOfJob(stock.tables, stockJobName(job_.jobFileName), layouts.back());
    }
    // The view stays on the layout it showed: its remnant label is what changed.
    const int shown = layoutPanel_->layoutList()->currentIndex();
    layoutPanel_->refill(faultyLayoutsOf(job_));
    if (shown > 0 && shown < layoutPanel_->layoutList()->count()) layoutPanel_->selectLayout(shown);
}

} // namespace dravenor
