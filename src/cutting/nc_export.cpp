#include "cutting/nc_export.h"

#include "cutting/parallel_layouts.h"

#include "job/files.h"
#include "job/number_format.h"

namespace dravenor::cutting {

NcSetup ncSetupFrom(const NestingState& state, const std::string& jobName, const CutTable& table,
                    const std::string& tableName, const PostSettings& post)
{
    NcSetup setup;
    setup.post = post;
    const BasicDetails& d = state.details;
    const bool inches = state.drawingUnit == DrawingUnit::Inch;
    setup.info = {jobName, d.Mat, d.Thick, static_cast<int>(layoutNumbers(state).size()), inches};
    const std::optional<CutData> row = cutDataFor(table, d.Mat, d.Thick);
    if (!row) {
        setup.error = missingCutDataMessage(tableName, d.Mat, d.Thick);
        return setup;
    }
    const double mm = inches ? 25.4 : 1;
    CutSettings& c = setup.cut;
    c.kerf = row->kerf > 0 ? row->kerf / mm : d.Kerf;
    c.feed = row->feed / mm;
    c.pierceDelay = row->pierceDelay;
    c.leadIn = row->leadIn / mm;
    c.leadOut = row->leadOut / mm;
    c.overcut = row->overcut / mm;
    c.rapidSpeed = post.rapidSpeed / mm;
    c.startCorner = post.startCorner;
    c.remnantEdgeStart = post.remnantEdgeStart;
    // A job nested for common lines is cut that way whatever the post file says.
    c.commonLine = post.commonLine || state.commonLines;
    c.skeletonPiece = post.skeletonCut / mm;
    c.jointWidth = post.jointWidth / mm;
    c.joints = post.joints;
    c.jointEvery = post.jointEvery / mm;
    c.jointHoles = post.jointHoles;
    c.jointByController = !post.jointWord.empty();
    // The row's microjoints rule its material over the machine's.
    if (row->jointWidth > 0) {
        c.jointWidth = row->jointWidth / mm;
        c.joints = static_cast<int>(row->joints);
        c.jointEvery = 0;
    }
    c.compensate = !post.controllerCompensation;
    // A controller starts its compensation on a straight move.
    c.arcLeadIn = post.arcLeadIn && !post.controllerCompensation;
    if (c.kerf <= 0) setup.error = "the job has no kerf and " + tableName + " gives none for its material";
    return setup;
}

NcSetup ncSetup(const NestingState& state, const std::string& jobName, const std::string& cutTablePath,
                const std::string& postPath)
{
    std::vector<std::string> errors;
    const CutTable table = readCutTableFile(cutTablePath, errors);
    const PostSettings post = errors.empty() ? readPostFile(postPath, errors) : PostSettings{};
    if (!errors.empty()) {
        NcSetup failed;
        failed.error = errors.front();
        for (size_t i = 1; i < errors.size() && i < 5; ++i) failed.error += "; " + errors[i];
        return failed;
    }
    return ncSetupFrom(state, jobName, table, cutTablePath, post);
}

NcResult writeLayoutProgram(const NestingState& state, int layoutNo, const NcSetup& setup, const std::string& path)
{
    NcResult result;
    const CutPlanResult planned = planLayoutCut(state, layoutNo, setup.cut);
    if (!planned.plan) {
        result.error = planned.error;
        return result;
    }
    result.warnings = planned.plan->warnings;
    result.seconds = planned.plan->seconds;
    if (setup.cut.commonLine) {
        CutSettings separate = setup.cut;
        separate.commonLine = false;
        const CutPlanResult alone = planLayoutCut(state, layoutNo, separate);
        result.figures = planFigures(*planned.plan, setup.info.inches);
        if (alone.plan) result.figuresWithout = planFigures(*alone.plan, setup.info.inches);
    }
    result.error = writeFileAtomically(path, ncProgramText(*planned.plan, setup.cut, setup.post, setup.info));
    return result;
}

std::vector<NcResult> writeLayoutPrograms(const NestingState& state, const std::vector<int>& layoutNos,
                                          const NcSetup& setup, const std::vector<std::string>& paths)
{
    std::vector<NcResult> results(layoutNos.size());
    forEachInParallel(layoutNos.size(),
                      [&](size_t i) { results[i] = writeLayoutProgram(state, layoutNos[i], setup, paths[i]); });
    return results;
}

std::string planFigures(const CutPlan& plan, bool inches)
{
    return "cut " + formatMask(plan.cutLength, "0.0") + (inches ? " in, " : " mm, ") + std::to_string(plan.pierces) +
           " pierces" + (plan.kerfStarts ? " and " + std::to_string(plan.kerfStarts) + " starts in a kerf" : std::string()) +
           ", " + durationText(plan.seconds);
}

std::string layoutProgramName(const std::string& jobFile, int layoutNo)
{
    const std::string job = jobFileStem(jobFile);
    return (job.empty() ? "" : job + "-") + "layout-" + std::to_string(layoutNo) + ".nc";
}

std::string layoutProgramPath(const std::string& folder, const std::string& jobFile, int layoutNo)
{
    return withTrailingSeparator(folder) + layoutProgramName(jobFile, layoutNo);
}

std::string programsWrittenText(const std::vector<std::string>& paths)
{
    if (paths.empty()) return "No NC program written";
    const std::string& first = paths.front();
    std::string folder = first.substr(0, first.size() - fileNameOnly(first).size());
    if (folder.size() > 1) folder.pop_back(); // the separator, unless the folder is the root
    const int count = static_cast<int>(paths.size());
    std::string text = (count == 1 ? std::string("NC program") : countedNoun(count, "NC program", "NC programs")) +
                       " written to " + (folder.empty() ? "." : folder) + ":";
    for (const std::string& path : paths) text += "\n" + fileNameOnly(path);
    return text;
}

std::vector<int> layoutNumbers(const NestingState& state)
{
    std::vector<int> numbers;
    for (const LayoutItem& item : state.items)
        if (numbers.empty() || numbers.back() != item.LayoutNo) numbers.push_back(item.LayoutNo);
    return numbers;
}

} // namespace dravenor::cutting
