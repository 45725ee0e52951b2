#pragma once
// What the stock commands share: the stock folder (--stock DIR, else "stock" in the working
// folder) and the sheets a job takes from it (--from-stock).
#include <string>

#include "cli/command.h"
#include "cli/option_parser.h"
#include "job/job.h"

namespace dravenor::cli {

// --stock DIR, else the working folder's "stock".
std::string stockFolderOption(const ParsedArgs& parsed);

// The nest arguments with --from-stock replaced by one "--sheet FILE:QTY:PRI" per plate of the
// stock that matches the job's material and thickness (remnants first), and --stock taken out;
// the material and thickness are the last --mat and --thick of `jobArgs` (the arguments with a
// saved job's own spelled out), whose sheets the stock's replace. Arguments without --from-stock
// come back unchanged. UsageError when the stock cannot be read, holds no matching plate, or
// --sheet is given as well.
Args withStockSheetArgs(const Args& args, const Args& jobArgs);

// Gives the opened job the stock ids of its cut layouts' remnants, from --stock DIR or else the
// working folder's stock when there is one; a stock that cannot be read gives a warning.
void lookUpRemnantIds(const ParsedArgs& parsed, Job& job, std::vector<std::string>& warnings);

} // namespace dravenor::cli
