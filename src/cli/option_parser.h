#pragma once
// Minimal option reading for the batch tool's commands: positional arguments and
// "--name VALUE" / "--flag" options, with clear messages for what is wrong.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "cli/command.h"
#include "job/drawing_unit.h"

namespace dravenor::cli {

struct ParsedArgs {
    std::vector<std::string> positional;
    std::map<std::string, std::vector<std::string>> values; // "--name" -> values in order
    std::set<std::string> flags;

    bool has(const std::string& name) const { return values.count(name) || flags.count(name); }
    // The last value of an option, or the fallback.
    std::string value(const std::string& name, const std::string& fallback = {}) const;
};

// valueOptions take one value each; flagOptions take none. Anything else starting with "--" is
// a UsageError.
ParsedArgs parseArgs(const Args& args, const std::set<std::string>& valueOptions,
                     const std::set<std::string>& flagOptions);

// --units mm|in: the unit drawings are converted to (millimetres when not given); UsageError
// for any other value.
DrawingUnit drawingUnitOption(const ParsedArgs& parsed);
// The value of --layout: a whole number from 1 up, else UsageError.
int layoutNumberOf(const std::string& text);

// The cut options nc and nest --nc-dir share, over the post file's: --common-line,
// --skeleton-cut MM (a length above 0) and --microjoints W:N (the width in millimetres above 0 up
// to 100 and the joints on each outer contour, 1 to 100); a bad value is a UsageError.
struct CutOptions {
    bool commonLine = false;
    double skeletonCut = 0;
    double jointWidth = 0;
    int joints = 0;
};
CutOptions cutOptionsOf(const ParsedArgs& parsed);

// "WxH" with both numbers from 16 to 8000; UsageError otherwise.
std::pair<int, int> parseSize(const std::string& text);

} // namespace dravenor::cli
