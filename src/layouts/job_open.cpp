#include "layouts/job_open.h"

#include <algorithm>

#include "layouts/faulty_layouts.h"
#include "layouts/job_engine_setup.h"
#include "layouts/layout_rebuild.h"
#include "layouts/moved_shape_files.h"

namespace dravenor {

namespace {

bool mentionsAny(const std::string& message, const std::vector<std::string>& files)
{
    return std::any_of(files.begin(), files.end(),
                       [&](const std::string& file) { return message.find(file) != std::string::npos; });
}

} // namespace

JobOpenResult openJob(const std::string& path, const std::string& workingFolder, Job& job)
{
    Job loaded;
    JobOpenResult result;
    static_cast<JobFileResult&>(result) = readJobFile(path, workingFolder, loaded);
    if (!result.ok()) return result;
    loaded.nesting.drawingUnit = job.nesting.drawingUnit; // the program's unit, not the file's

    loaded.nesting.details = readBasicDetails(loaded.basic);
    const ShapeFileSearch search = findMovedShapeFiles(loaded, path);
    if (!search.foundNote.empty()) result.warnings.push_back(search.foundNote);
    for (const std::string& file : search.missing) result.warnings.push_back(file + " not found");
    if (search.layoutsLackShapes) result.warnings.push_back(kLayoutsLackShapesNotice);
    result.missingShapes = search.missing;
    result.layoutsLackShapes = search.layoutsLackShapes;

    for (const std::string& message : rebuildEntityList(loaded.nesting))
        if (!mentionsAny(message, search.missing)) result.warnings.push_back(message);
    if (!loaded.nesting.items.empty() && recordFilesExist(loaded.nesting)) setUpActKerf(loaded);
    if (loaded.nesting.items.empty()) result.notice = kNoLayoutNotice;
    // Layouts that cannot be drawn cannot be checked either; the warnings above say why.
    const std::string faulty = search.layoutsLackShapes ? "" : faultyLayoutsWarning(faultyLayoutsOf(loaded));
    if (!faulty.empty()) result.warnings.push_back(faulty);

    loaded.jobFileName = path;
    loaded.modified = !search.found.empty();
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
