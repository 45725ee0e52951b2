#pragma once
// The nest command's arguments as a job for the engine: basic details, sheet and part records,
// the nesting mode and the output options. Qt-free, so the benchmark reads its jobs the same way.
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "cli/command.h"
#include "cli/option_parser.h"
#include "job/deep_settings.h"
#include "job/nesting_state.h"
#include "job/remnant_settings.h"

namespace dravenor::cli {

struct NestJob {
    NestingState state;              // details, sheets and parts (Remaining = Qty, Area 0)
    NestingMode mode = NestingMode::Free;
    DeepSettings deep;               // --spacing, --margin, --time, and the run's --threads, --seed, --iterations
    bool progress = false;           // live progress line on stderr
    bool yes = false;                // go on without a kerf
    std::string jsonPath;            // --json FILE, empty for none
    std::string pngFolder;           // --png DIR: one picture per layout, empty for none
    std::string savePath;            // --save FILE.nst: the job with its result, empty for none
    std::string dxfFolder;           // --dxf-dir DIR: one DXF drawing per layout, empty for none
    std::string templateFolder;      // --templates DIR: the DXF templates, empty for the default
    std::string ncFolder;            // --nc-dir DIR: one NC program per layout, empty for none
    std::string postPath;            // --post FILE: the post file, empty for the default
    std::string cutTablePath;        // --cut-table FILE: the cut table, empty for the default
    CutOptions cutOptions;           // --common-line, --skeleton-cut, --microjoints for the NC programs
    std::string remnantsFolder;      // --remnants-dir DIR: each layout's kept remnant, empty for none
    RemnantSettings remnants;        // --remnant-width, --remnant-area: the least remnant kept
    // Files named by the arguments, rows with quantity 0 included (checked for existence).
    std::vector<std::string> namedFiles;
    // Rows left out because their quantity is 0 or a parts list names other stock, one line each.
    std::vector<std::string> skippedRows;
    // Bad lines of --parts-list files and unreadable --parts-dir folders, each naming its source.
    std::vector<std::string> listFaults;
};

// The fifth field of --part FILE:QTY:PRI:ORN:mirror that lets the part lie mirrored.
inline constexpr std::string_view kMirrorField = "mirror";

// The flag that keeps every part out of other parts' holes.
inline constexpr std::string_view kNoPartsInHolesFlag = "--no-parts-in-holes";
inline constexpr std::string_view kCommonLineFlag = "--common-line";

// The options the nest command reads: those taking a value and the flags.
const std::set<std::string>& nestValueOptions();
const std::set<std::string>& nestFlagOptions();

// Reads the arguments; a relative file name is taken relative to baseFolder when that is given
// (else to the current directory). Throws UsageError for anything that is not a valid job.
NestJob parseNestJob(const Args& args, const std::string& baseFolder = {});

// The arguments of a job file: one argument per line (CR LF or LF), empty lines ignored.
Args readArgsFile(const std::string& text);

} // namespace dravenor::cli
