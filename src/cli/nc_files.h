#pragma once
// NC programs from the batch tool: where the cut table and the post file are read from, and the
// writing of one program per layout with the tool's way of reporting.
#include <iosfwd>
#include <string>
#include <vector>

#include "cli/option_parser.h"
#include "cutting/nc_export.h"

namespace dravenor::cli {

// Reads the cut table and post file for the job; the setup's error names the file and line.
cutting::NcSetup batchNcSetup(const NestingState& state, const std::string& jobName, const std::string& cutTable,
                              const std::string& post);

// The cut options given over the post file's (millimetres, converted for a job in inches).
void applyCutOptions(const CutOptions& options, cutting::NcSetup& setup);

// Writes the programs of the layouts: into `file` when given (one layout), else into the folder
// named after the job file (cutting::layoutProgramPath; "" for a job not saved), each file
// written named on out. Warnings and errors go to err with the command's name; a layout that
// cannot be planned or written does not stop the others. Returns the number of programs
// written, or -1 when any failed.
int writeNcPrograms(const NestingState& state, const cutting::NcSetup& setup, const std::vector<int>& layouts,
                    const std::string& file, const std::string& folder, const std::string& jobFile,
                    const std::string& command, std::ostream& out, std::ostream& err);

} // namespace dravenor::cli
