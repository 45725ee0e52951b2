// The main window's File, View and Tools commands: job files, line width, report, density
// table and the editors. The work is the core's; these show its results and messages.
#include <QComboBox>

#include "app/app_info.h"
#include "app/density_window.h"
#include "app/layout_panel.h"
#include "app/main_window.h"
#include "app/report_window.h"
#include "job/density_table.h"
#include "job/drawing_unit.h"
#include "job/files.h"
#include "job/print_config.h"
#include "job/recent_files.h"
#include "layouts/job_open.h"
#include "layouts/report.h"
#include "quote/quote_settings.h"
#include "quote/quote_text.h"

namespace dravenor {

namespace {

constexpr int kMenuCommand = 0; // a change made from a menu, not by a key

} // namespace

std::string MainWindow::jobFileFilter()
{
    return appTitle().toStdString() + " (*.nst)";
}

void MainWindow::tell(const std::string& text, DialogService::Icon icon)
{
    dialogs_.message(text, appTitle().toStdString(), icon, DialogService::Buttons::Ok);
}

void MainWindow::openJobWithDialog()
{
    if (!newJob()) return;
    const std::string path = dialogs_.openFileName("Open", jobFileFilter());
    if (path.empty()) return;
    openJobFile(path);
}

bool MainWindow::openJobFile(const std::string& path)
{
    const JobFileResult result = openJob(path, workingFolder_.toStdString(), job_);
    if (!result.ok()) {
        tell(result.error, DialogService::Icon::Exclamation);
        return false;
    }
    showJob();
    rememberRecentJob(path);
    if (!result.warnings.empty()) tell(joinedLines(result.warnings), DialogService::Icon::Exclamation);
    if (!result.notice.empty()) tell(result.notice, DialogService::Icon::Information);
    return true;
}

void MainWindow::showJob()
{
    refreshGrids();
    showNestingMode();
    updateCaption();
    for (int index : {SheetGrid, PartGrid}) refreshPreview(index);
    layoutPanel_->resetZoom();
    refreshRemnantIds();
}

bool MainWindow::saveJobTo(const std::string& path)
{
    const JobFileResult result = saveJob(job_, path, workingFolder_.toStdString());
    if (!result.ok()) {
        tell(result.error, DialogService::Icon::Exclamation);
        return false;
    }
    rememberRecentJob(path);
    updateCaption();
    return true;
}

bool MainWindow::saveJobFile()
{
    if (job_.jobFileName.empty()) return saveJobAs();
    return saveJobTo(job_.jobFileName);
}

bool MainWindow::saveJobAs()
{
    const std::string path = dialogs_.saveFileName("Save As", jobFileFilter(), job_.jobFileName);
    if (path.empty()) return false;
    return saveJobTo(path);
}

void MainWindow::chooseLineWidth(int width)
{
    const std::string problem = saveLineWidth(workingFolder_.toStdString(), width);
    if (!problem.empty()) tell(problem, DialogService::Icon::Exclamation);
    showLineWidth();
}

int MainWindow::lineWidth() const
{
    return readLineWidth(workingFolder_.toStdString()).lineWidth;
}

void MainWindow::chooseDrawingUnit(DrawingUnit unit)
{
    if (unit != job_.nesting.drawingUnit && job_.hasLayouts() && !host_.beforeChange(kMenuCommand)) {
        showDrawingUnit();
        return;
    }
    const std::string problem = saveDrawingUnit(workingFolder_.toStdString(), unit);
    if (!problem.empty()) tell(problem, DialogService::Icon::Exclamation);
    showDrawingUnit();
}

DrawingUnit MainWindow::drawingUnit() const
{
    return readDrawingUnit(workingFolder_.toStdString()).unit;
}

void MainWindow::showReport()
{
    if (layoutPanel_->currentLayout() == 0) {
        tell(kNoLayoutNotice, DialogService::Icon::Information);
        return;
    }
    std::vector<std::string> warnings;
    const DensityTable densities = readDensityTable(workingFolder_.toStdString(), warnings);
    const ReportWriteResult written = writeReport(job_, densities, workingFolder_.toStdString());
    if (!written.ok()) {
        tell(written.error, DialogService::Icon::Exclamation);
        return;
    }
    warnings.insert(warnings.end(), written.warnings.begin(), written.warnings.end());
    if (const std::string problem = appendCutTimesTo(written.path); !problem.empty()) warnings.push_back(problem);
    const quote::QuoteSettings settings = quote::readQuoteSettings(workingFolder_.toStdString());
    warnings.insert(warnings.end(), settings.warnings.begin(), settings.warnings.end());
    const quote::JobQuote costs = currentQuote(settings.options, false);
    if (const std::string problem = appendFileAtomically(written.path, quote::costsSection(costs.result, costs.whatIf));
        !problem.empty())
        warnings.push_back(problem);
    if (!warnings.empty()) tell(joinedLines(warnings), DialogService::Icon::Exclamation);
    ReportWindow report(dialogs_, QString::fromStdString(written.path), this);
    report.setJobFileName(job_.jobFileName);
    report.exec();
}

void MainWindow::showLayouts()
{
    if (layoutPanel_->currentLayout() == 0) {
        tell(kNoLayoutNotice, DialogService::Icon::Information);
        return;
    }
    layoutPanel_->layoutList()->setFocus();
}

void MainWindow::showDensityTable()
{
    DensityWindow density(dialogs_, workingFolder_, this);
    density.exec();
}

} // namespace dravenor
