#pragma once
// From a job to NC files: the cutting data of its material and thickness from the cut table,
// the post file's settings, and one program per layout written atomically (a failed write
// leaves the old file whole). Nothing is written for a job without a row in the cut table.
#include <string>
#include <vector>

#include "cutting/cut_plan.h"
#include "cutting/cut_table.h"
#include "cutting/nc_program.h"
#include "cutting/post_settings.h"
#include "job/nesting_state.h"

namespace dravenor::cutting {

struct NcSetup {
    CutSettings cut;
    PostSettings post;
    NcJobInfo info;
    std::string error; // the first thing that stops programs being written, naming its file
    bool ok() const { return error.empty(); }
};

// Reads the cut table and the post file (errors name the file and the line) and finds the
// job's row. The table's lengths and feed are millimetres, converted for a job in inches; a
// kerf of 0 in the table takes the job's kerf.
NcSetup ncSetup(const NestingState& state, const std::string& jobName, const std::string& cutTablePath,
                const std::string& postPath);
// The same from settings already read.
NcSetup ncSetupFrom(const NestingState& state, const std::string& jobName, const CutTable& table,
                    const std::string& tableName, const PostSettings& post);

struct NcResult {
    std::string error;
    std::vector<std::string> warnings;
    double seconds = 0; // the plan's estimate per sheet
    // With common lines: the plan's figures, and those of the same layout cut without them.
    std::string figures, figuresWithout;
};

// Cut length, pierces (and starts in a kerf) and time per sheet of a plan:
// "cut 61973.8 mm, 279 pierces, 46 min 25 s".
std::string planFigures(const CutPlan& plan, bool inches);

// Plans layout layoutNo and writes its program to the path.
NcResult writeLayoutProgram(const NestingState& state, int layoutNo, const NcSetup& setup, const std::string& path);
// The programs of the layouts, each to its own path, written side by side; the results in the
// order of layoutNos.
std::vector<NcResult> writeLayoutPrograms(const NestingState& state, const std::vector<int>& layoutNos,
                                          const NcSetup& setup, const std::vector<std::string>& paths);
// "JOB-layout-N.nc" for the job file JOB.nst (its folder and a ".nst" in any case left off), so
// that the programs of two jobs in one folder never overwrite each other; "layout-N.nc" for a job
// not saved yet (no file name).
std::string layoutProgramName(const std::string& jobFile, int layoutNo);
// That name in the folder.
std::string layoutProgramPath(const std::string& folder, const std::string& jobFile, int layoutNo);
// What an export says when done, for programs written into one folder: "NC program written to
// FOLDER:" (or "3 NC programs written to FOLDER:") and each file's name on a line of its own.
std::string programsWrittenText(const std::vector<std::string>& paths);
// Layout numbers of the state in list order.
std::vector<int> layoutNumbers(const NestingState& state);

} // namespace dravenor::cutting
