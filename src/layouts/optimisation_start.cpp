#include "layouts/optimisation_start.h"

#include "engine/nesting_checks.h"
#include "job/cell_editing.h"
#include "job/deep_settings_input.h"
#include "job/files.h"
#include "job/number_format.h"

namespace dravenor {

namespace {

std::optional<StartRefusal> firstMissingFile(const TextGrid& grid)
{
    for (int r = 1; r < grid.rows(); ++r) {
        const std::string& file = grid.text(r, 1);
        if (!file.empty() && !fileExists(file)) return StartRefusal{file + " not found"};
    }
    return std::nullopt;
}

} // namespace

OptimisationStart prepareOptimisation(Job& job, const std::function<bool()>& askZeroKerf)
{
    for (const TextGrid* grid : {&job.sheets, &job.parts})
        if (auto refusal = firstMissingFile(*grid)) return {refusal, {}};
    job.discardResults();
    job.nesting.details = readBasicDetails(job.basic);
    if (job.nesting.details.Kerf == 0 && !askZeroKerf()) return {StartRefusal{}, {}};
    copyGridsToRecords(job);
    if (auto message = emptyListMessage(job.nesting)) return {StartRefusal{*message, true}, {}};
    ShapeFileReview review = reviewShapeFiles(job.nesting);
    const bool deep = job.mode == NestingMode::Deep;
    // The raster's limits are the classic engine's; Deep Nesting measures on the outlines.
    if (!review.problem && !deep) review.problem = rasterSizeMessage(job.nesting);
    if (!review.problem && deep) review.problem = deepSettingsProblem(job.deep);
    std::optional<StartRefusal> stop;
    if (review.problem) stop = StartRefusal{*review.problem};
    return {stop, std::move(review.notes)};
}

void acceptOptimisation(Job& job, NestingState finished)
{
    job.nesting = std::move(finished);
    const int actKerf = job.basic.columnOf("ActKerf");
    if (actKerf > 0) job.basic.setText(1, actKerf, formatGeneral(job.nesting.details.ActKerf));
    job.modified = true;
    // The layouts are made from the grids as they stand: Esc has no typing left to take back.
    for (int index : {BasicGrid, SheetGrid, PartGrid}) forgetTypedCell(job.grid(index));
}

} // namespace dravenor
