#pragma once
// Open and Save of a job as the File menu does them, free of windows: the job file read and
// the layouts rebuilt from the shape files, or the job written and marked saved.
#include <string>

#include "job/job.h"
#include "job/job_file.h"

namespace dravenor {

inline constexpr const char* kNoLayoutNotice = "This File does not contain any Layout";

struct JobOpenResult : JobFileResult {
    std::vector<std::string> missingShapes; // shape files found neither as named nor beside the job
    bool layoutsLackShapes = false;         // some of them are needed to draw the layouts
};

// Reads the job file and, only when that succeeded, replaces `job` by it (keeping the job's
// drawing unit, the program's setting): the basic details taken from its grid, shape files that
// moved with the job found beside it (findMovedShapeFiles, one warning naming them; the job is
// then modified), the layout geometry rebuilt from the item list and the shape files, the kerf
// the engine uses set up again when there are layouts, the file name set. Every shape file still
// missing gives one warning "FILE not found" and the job still opens with all its layouts; when
// they need a missing file a further warning says they cannot be drawn until it is found. A job
// without layouts gives the notice "This File does not contain any Layout".
JobOpenResult openJob(const std::string& path, const std::string& workingFolder, Job& job);

// Saves the job to path and, when that worked, makes path its file name and clears modified.
JobFileResult saveJob(Job& job, const std::string& path, const std::string& workingFolder);

} // namespace dravenor
