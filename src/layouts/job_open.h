#pragma once
// Open and Save of a job as the File menu does them, free of windows: the job file read and
// the layouts rebuilt from the shape files, or the job written and marked saved.
#include <string>

#include "job/job.h"
#include "job/job_file.h"

namespace dravenor {

inline constexpr const char* kNoLayoutNotice = "This File does not contain any Layout";

// Reads the job file and, only when that succeeded, replaces `job` by it (keeping the job's
// drawing unit, the program's setting): the basic details
// taken from its grid, the layout geometry rebuilt from the item list and the shape files, the
// kerf the engine uses set up again when there are layouts, the file name set and the job
// unmodified. Every shape file the job names that does not exist gives one warning
// "FILE not found" and the job still opens (the layouts it touches lack those shapes). A job
// without layouts gives the notice "This File does not contain any Layout".
JobFileResult openJob(const std::string& path, const std::string& workingFolder, Job& job);

// Saves the job to path and, when that worked, makes path its file name and clears modified.
JobFileResult saveJob(Job& job, const std::string& path, const std::string& workingFolder);

} // namespace dravenor
