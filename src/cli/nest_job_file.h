#pragma once
// The nest command and job files: "--job FILE.nst" runs a saved job, the command line's own
// options overriding it, and "--save FILE.nst" stores the job with its result after the run.
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/nest_job.h"
#include "job/job.h"

namespace dravenor::cli {

// The arguments with "--job FILE" replaced by the job's own arguments: its basic details, sheet
// and part rows and mode. The given options come after them, so a single value given (--kerf,
// --mode, ...) replaces the job's, and any --sheet (or --part) replaces all of the job's sheets
// (or parts). Arguments without --job come back unchanged. The job file's warnings are added to
// `warnings`; a job file that cannot be read is a UsageError naming it.
Args withJobFileArgs(const Args& args, std::vector<std::string>& warnings);

// The job's rows, details, mode and the Deep Nesting settings it holds (spacing only when set,
// margin and time limit only when not the defaults) as nest arguments (rows without a file name
// left out).
Args jobArgs(const Job& job);

// The job as the main window would hold it after the run: grids from the rows as given
// (`given`, before the run), records, mode and layout items from the finished run.
Job jobAfterRun(const NestingState& given, const NestJob& finished);

} // namespace dravenor::cli
