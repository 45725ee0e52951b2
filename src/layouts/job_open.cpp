#include "layouts/job_open.h"

#include <algorithm>
#include <set>

#include "job/files.h"
#include "layouts/job_engine_setup.h"
#include "layouts/layout_rebuild.h"

namespace dravenor {

namespace {

// Every distinct shape file the job names that does not exist: the records first, in the
// order the original load checks them, then grid rows and layout items.
std::vector<std::string> missingShapeFiles(const Job& job)
{
    std::vector<std::string> named;
    for (const SheetEntry& e : job.nesting.sheets) named.push_back(e.FileName);
    for (const PartEntry& e : job.nesting.parts) named.push_back(e.FileName);
    for (const TextGrid* grid : {&job.sheets, &job.parts})
        for (int r = 1; r < grid->rows(); ++r) named.push_back(grid->text(r, 1));
    for (const LayoutItem& item : job.nesting.items) named.push_back(item.Name);

    std::vector<std::string> missing;
    std::set<std::string> checked;
    for (const std::string& file : named)
        if (!file.empty() && checked.insert(file).second && !fileExists(file)) missing.push_back(file);
    return missing;
}

bool mentionsAny(const std::string& message, const std::vector<std::string>& files)
{
    return std::any_of(files.begin(), files.end(),
                       [&](const std::string& file) { return message.find(file) != std::string::npos; });
}

} // namespace

JobFileResult openJob(const std::string& path, const std::string& workingFolder, Job& job)
{
    Job loaded;
    JobFileResult result = readJobFile(path, workingFolder, loaded);
    if (!result.ok()) return result;
    loaded.nesting.drawingUnit = job.nesting.drawingUnit; // the program's unit, not the file's

    loaded.nesting.details = readBasicDetails(loaded.basic);
    const std::vector<std::string> missing = missingShapeFiles(loaded);
    for (const std::string& file : missing) result.warnings.push_back(file + " not found");

    for (const std::string& message : rebuildEntityList(loaded.nesting))
        if (!mentionsAny(message, missing)) result.warnings.push_back(message);
    if (!loaded.nesting.items.empty() && recordFilesExist(loaded.nesting)) setUpActKerf(loaded);
    if (loaded.nesting.entities.empty()) result.notice = kNoLayoutNotice;

    loaded.jobFileName = path;
    loaded.modified = false;
    job = std::move(loaded);
    return result;
}

JobFileResult saveJob(Job& job, const std::string& path, const std::string& workingFolder)
{
    JobFileResult result = saveJobFile(job, path, workingFolder);
    if (result.ok()) {
        job.jobFileName = path;
        job.modified = false;
    }
    return result;
}

} // namespace dravenor
