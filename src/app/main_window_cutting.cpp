// The main window's cutting commands: the cut table window, NC programs of the current layout or
// of all of them, and the cut plan drawn over the layout view. The core plans and writes; these
// only ask for files and tell what went wrong.
#include <QComboBox>

#include <filesystem>
#include <map>

#include "app/cut_table_window.h"
#include "app/layout_panel.h"
#include "app/main_window.h"
#include "cutting/cut_plan_drawing.h"
#include "cutting/cut_time_report.h"
#include "cutting/nc_export.h"
#include "cutting/ruling_kerf.h"
#include "job/files.h"
#include "job/number_format.h"

namespace dravenor {

struct CutPlanCache {
    struct Entry {
        std::string key;
        cutting::CutPlanResult result;
    };
    std::map<int, Entry> byLayout;
};

namespace {

constexpr const char* kNoLayoutForNc = "No layout to write as an NC program !";
constexpr const char* kNcFilter = "NC programs (*.nc *.ngc);;All files (*)";

cutting::NcSetup windowSetup(const Job& job, const std::string& folder)
{
    cutting::NcSetup setup = cutting::ncSetup(job.nesting, fileNameOnly(job.jobFileName), cutting::cutTablePath(folder),
                                              cutting::postFilePath(folder));
    setup.cut.remnants = remnantMarksOf(job);
    return setup;
}

// The set-up for writing programs with a layout shown, or why none can be written, with the icon
// of that message.
std::pair<cutting::NcSetup, DialogService::Icon> exportSetup(const Job& job, const std::string& folder, int layoutNo)
{
    if (layoutNo <= 0) {
        cutting::NcSetup none;
        none.error = kNoLayoutForNc;
        return {none, DialogService::Icon::Information};
    }
    return {windowSetup(job, folder), DialogService::Icon::Exclamation};
}

// What the layout's remnant cut depends on beyond its entities.
std::string remnantKey(const cutting::CutSettings& c, int layoutNo)
{
    if (!c.remnants) return "/-";
    const RemnantMarks& r = *c.remnants;
    return "/" + std::to_string(r.clearance) + "/" + std::to_string(r.least.minWidth) + "/" +
           std::to_string(r.least.minArea) + "/" + std::to_string(r.idOf(layoutNo)) + "/" + std::to_string(c.remnantEdgeStart);
}

// What a plan depends on: the layout's entities and the cutting data.
std::string planKey(const NestingState& state, int layoutNo, const cutting::CutSettings& c)
{
    double sum = 0;
    size_t count = 0;
    for (const LayoutEntity& e : state.entities)
        if (e.LayoutNo == layoutNo) {
            sum += e.X1 + 3 * e.Y1 + 5 * e.X2 + 7 * e.Y2 + 11 * e.CX + 13 * e.CY + e.RAD + e.Nstart + e.Nend;
            ++count;
        }
    return std::to_string(count) + "/" + std::to_string(sum) + "/" + std::to_string(c.kerf) + "/" +
           std::to_string(c.leadIn) + "/" + std::to_string(c.leadOut) + "/" + std::to_string(c.overcut) + "/" +
           std::to_string(c.arcLeadIn) + std::to_string(c.compensate) + std::to_string(static_cast<int>(c.startCorner)) +
           std::to_string(c.commonLine) + "/" + std::to_string(c.skeletonPiece) + "/" + std::to_string(c.jointWidth) + "/" +
           std::to_string(c.joints) + "/" + std::to_string(c.jointEvery) + std::to_string(c.jointHoles) +
           std::to_string(c.jointByController) + remnantKey(c, layoutNo);
}

} // namespace

std::vector<std::string> MainWindow::takeCutTableKerf()
{
    BasicDetails details = readBasicDetails(job_.basic);
    const double entered = details.Kerf;
    // A missing or faulty table is named when something is cut with it; the run keeps the kerf entered.
    const cutting::TableKerf taken =
        cutting::applyTableKerfFile(cutting::cutTablePath(workingFolder_.toStdString()), details, job_.deep,
                                    job_.mode == NestingMode::Deep, job_.nesting.drawingUnit);
    if (details.Kerf != entered) job_.basic.setText(1, job_.basic.columnOf("Kerf"), formatGeneral(details.Kerf));
    return taken.notes;
}

void MainWindow::showCutTable()
{
    CutTableWindow table(dialogs_, workingFolder_, this);
    table.exec();
}

void MainWindow::drawCutPlanOf(int layoutNo, DrawingSurface& surface, double mirror)
{
    if (!cutPlans_) cutPlans_ = std::make_shared<CutPlanCache>();
    const cutting::NcSetup setup = windowSetup(job_, workingFolder_.toStdString());
    std::string problem = setup.error;
    if (setup.ok()) {
        const std::string key = planKey(job_.nesting, layoutNo, setup.cut);
        CutPlanCache::Entry& entry = cutPlans_->byLayout[layoutNo];
        if (entry.key != key) entry = {key, cutting::planLayoutCut(job_.nesting, layoutNo, setup.cut)};
        if (entry.result.plan) {
            cutting::drawCutPlan(*entry.result.plan, surface, mirror);
            return;
        }
        problem = entry.result.error;
    }
    // No plan: say why at the top left of what is shown, wrapped within the view.
    const ViewScale view = surface.scale();
    writeLines(surface, view.left + view.width / 100, view.top + view.height / 100,
               wrapText(surface, "No cut plan: " + problem, view.width * 0.98));
}

std::string MainWindow::appendCutTimesTo(const std::string& reportPath) const
{
    return cutting::appendCutTimes(job_.nesting, windowSetup(job_, workingFolder_.toStdString()), reportPath);
}

void MainWindow::exportNcProgram()
{
    const int layoutNo = layoutPanel_->currentLayout();
    const auto [setup, icon] = exportSetup(job_, workingFolder_.toStdString(), layoutNo);
    if (!setup.ok()) {
        tell(setup.error, icon);
        return;
    }
    const std::string folder =
        job_.jobFileName.empty() ? std::string() : std::filesystem::path(job_.jobFileName).parent_path().string();
    const std::string proposed =
        (std::filesystem::path(folder) / cutting::layoutProgramName(job_.jobFileName, layoutNo)).string();
    const std::string path = dialogs_.saveFileName("Export NC Program", kNcFilter, proposed);
    if (path.empty()) return;
    const cutting::NcResult result = cutting::writeLayoutProgram(job_.nesting, layoutNo, setup, path);
    if (!result.error.empty()) {
        tell(result.error, DialogService::Icon::Exclamation);
        return;
    }
    const std::string written = cutting::programsWrittenText({path});
    if (result.warnings.empty()) tell(written, DialogService::Icon::Information);
    else tell(written + "\n\n" + joinedLines(result.warnings), DialogService::Icon::Exclamation);
}

void MainWindow::exportAllNcPrograms()
{
    const auto [setup, icon] = exportSetup(job_, workingFolder_.toStdString(), layoutPanel_->currentLayout());
    if (!setup.ok()) {
        tell(setup.error, icon);
        return;
    }
    const std::string folder = dialogs_.selectFolder("Export All NC Programs");
    if (folder.empty()) return;
    // A layout that cannot be cut or written does not stop the others; the closing message names
    // what was written and what was not.
    std::vector<std::string> written, notes, paths;
    const std::vector<int> layoutNos = cutting::layoutNumbers(job_.nesting);
    for (int layoutNo : layoutNos) paths.push_back(cutting::layoutProgramPath(folder, job_.jobFileName, layoutNo));
    const std::vector<cutting::NcResult> results = cutting::writeLayoutPrograms(job_.nesting, layoutNos, setup, paths);
    for (size_t i = 0; i < layoutNos.size(); ++i) {
        const int layoutNo = layoutNos[i];
        const cutting::NcResult& result = results[i];
        if (result.error.empty()) written.push_back(paths[i]);
        else notes.push_back(result.error);
        for (const std::string& w : result.warnings) notes.push_back("layout " + std::to_string(layoutNo) + ": " + w);
    }
    const std::string text = cutting::programsWrittenText(written);
    if (notes.empty()) tell(text, DialogService::Icon::Information);
    else tell(text + "\n\n" + joinedLines(notes), DialogService::Icon::Exclamation);
}

} // namespace dravenor
