#pragma once
// The job file (".nst"): seven section files joined in a fixed order, each between a header
// line "[NAME.TLF]" and "[END]". It holds the three grids, the sheet and part records, the
// nesting mode and the layout item list; never the layout geometry.
#include <string>
#include <vector>

#include "job/job.h"

namespace dravenor {

struct JobFileResult {
    std::string error;                 // "" on success; else the file, the line and the reason
    std::vector<std::string> warnings; // what the operator should know although it worked
    // An information notice such as "This File does not contain any Layout" (openJob only).
    std::string notice;
    bool ok() const { return error.empty(); }
};

// Saves the job (grids, records, options, layout items) to path and its section files.
// Every file is written under a temporary name first and renamed only when all were written;
// a failure leaves the previous job file and section files as they were. The section files go
// to workingFolder; an empty workingFolder writes none (the batch tool).
JobFileResult saveJobFile(const Job& job, const std::string& path, const std::string& workingFolder);

// Reads a job into `job` (replacing it only when the whole read succeeded). No geometry: the
// layout entity list stays empty. The section files are copied into workingFolder (unless it
// is empty). The job's file name is left empty and the job unmodified.
JobFileResult readJobFile(const std::string& path, const std::string& workingFolder, Job& job);

} // namespace dravenor
