#include "layouts/optimisation_start.h"

#include "engine/nesting_checks.h"
#include "job/files.h"
#include "job/number_format.h"

namespace dravenor {

namespace {

std::optional<std::string> firstMissingFile(const TextGrid& grid)
{
    for (int r = 1; r < grid.rows(); ++r) {
        const std::string& file = grid.text(r, 1);
        if (!file.empty() && !fileExists(file)) return file + " not found";
    }
    return std::nullopt;
}

} // namespace

OptimisationStart prepareOptimisation(Job& job, const std::function<bool()>& askZeroKerf)
{
    for (const TextGrid* grid : {&job.sheets, &job.parts})
        if (auto message = firstMissingFile(*grid)) return {message, {}};
    job.discardResults();
    job.nesting.details = readBasicDetails(job.basic);
    if (job.nesting.details.Kerf == 0 && !askZeroKerf()) return {std::string(), {}};
    copyGridsToRecords(job);
    if (auto message = emptyListMessage(job.nesting)) return {message, {}};
    ShapeFileReview review = reviewShapeFiles(job.nesting);
    if (!review.problem) review.problem = rasterSizeMessage(job.nesting);
    return {review.problem, std::move(review.notes)};
}

void acceptOptimisation(Job& job, NestingState finished)
{
    job.nesting = std::move(finished);
    const int actKerf = job.basic.columnOf("ActKerf");
    if (actKerf > 0) job.basic.setText(1, actKerf, formatGeneral(job.nesting.details.ActKerf));
    job.modified = true;
}

} // namespace dravenor
