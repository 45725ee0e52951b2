#pragma once
// A saved job opened by a batch command, with its layouts rebuilt from the shape files.
#include <ostream>
#include <string>

#include "cli/option_parser.h"
#include "cli/scratch_folder.h"
#include "job/job.h"

namespace dravenor::cli {

class SavedJob {
public:
    // Opens the job in a private scratch folder that lives as long as this object. Warnings go
    // to err under the command's name. A job that cannot be read, whose layouts lack shape files
    // or that has no layout is refused (UsageError); a scratch folder that cannot be made fails
    // the work (WorkFailed).
    SavedJob(const std::string& path, DrawingUnit unit, const std::string& command, std::ostream& err);

    // Fills in the stock ids of the layouts' kept remnants (--stock, else the working folder's
    // stock), warning under the command's name about what cannot be looked up.
    void lookUpRemnants(const ParsedArgs& parsed);

    Job job;

private:
    ScratchFolder scratch_;
    std::string command_;
    std::ostream& err_;
};

} // namespace dravenor::cli
