#include "cli/saved_job.h"

#include "cli/command.h"
#include "cli/stock_options.h"
#include "layouts/job_open.h"
#include "layouts/moved_shape_files.h"

namespace dravenor::cli {

SavedJob::SavedJob(const std::string& path, DrawingUnit unit, const std::string& command, std::ostream& err)
    : command_(command), err_(err)
{
    if (scratch_.path().empty()) throw WorkFailed{"cannot create a temporary folder for the job's sections"};
    job.nesting.drawingUnit = unit;
    const JobOpenResult opened = openJob(path, scratch_.path(), job);
    if (!opened.ok()) throw UsageError{opened.error};
    for (const std::string& w : opened.warnings) err << "dravenor-cli " << command << ": warning: " << w << "\n";
    if (opened.layoutsLackShapes) throw UsageError{layoutsLackShapesMessage(path, opened.missingShapes)};
    if (job.nesting.items.empty()) throw UsageError{path + ": " + kNoLayoutNotice};
}

void SavedJob::lookUpRemnants(const ParsedArgs& parsed)
{
    std::vector<std::string> warnings;
    lookUpRemnantIds(parsed, job, warnings);
    for (const std::string& w : warnings) err_ << "dravenor-cli " << command_ << ": warning: " << w << "\n";
}

} // namespace dravenor::cli
