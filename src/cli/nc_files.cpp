#include "cli/nc_files.h"

#include <ostream>

#include "cli/working_files.h"
#include "cutting/cut_table.h"
#include "cutting/post_settings.h"
#include "job/files.h"

namespace dravenor::cli {

cutting::NcSetup batchNcSetup(const NestingState& state, const std::string& jobName, const std::string& cutTable,
                              const std::string& post)
{
    return cutting::ncSetup(state, jobName, workingFilePath(cutTable, cutting::kCutTableFileName),
                            workingFilePath(post, cutting::kPostFileName));
}

void applyCutOptions(const CutOptions& options, cutting::NcSetup& setup)
{
    const double mm = setup.info.inches ? 25.4 : 1;
    cutting::CutSettings& c = setup.cut;
    if (options.commonLine) c.commonLine = true;
    if (options.skeletonCut > 0) c.skeletonPiece = options.skeletonCut / mm;
    if (options.jointWidth > 0) {
        c.jointWidth = options.jointWidth / mm;
        c.joints = options.joints;
        c.jointEvery = 0;
    }
}

int writeNcPrograms(const NestingState& state, const cutting::NcSetup& setup, const std::vector<int>& layouts,
                    const std::string& file, const std::string& folder, const std::string& jobFile,
                    const std::string& command, std::ostream& out, std::ostream& err)
{
    int written = 0;
    bool failed = false;
    std::vector<std::string> paths;
    for (int layoutNo : layouts) paths.push_back(file.empty() ? cutting::layoutProgramPath(folder, jobFile, layoutNo) : file);
    const std::vector<cutting::NcResult> results = cutting::writeLayoutPrograms(state, layouts, setup, paths);
    for (size_t i = 0; i < layouts.size(); ++i) {
        const int layoutNo = layouts[i];
        const std::string& path = paths[i];
        const cutting::NcResult& result = results[i];
        for (const std::string& w : result.warnings)
            err << "dravenor-cli " << command << ": warning: layout " << layoutNo << ": " << w << "\n";
        if (!result.error.empty()) {
            // The other layouts are still written; the command fails at the end.
            err << "dravenor-cli " << command << ": " << result.error << "\n";
            failed = true;
            continue;
        }
        std::ostream& said = path == kStandardOutput ? err : out;
        said << path << ": layout " << layoutNo << ", estimated " << cutting::durationText(result.seconds) << " per sheet";
        if (!result.figures.empty())
            said << "; with common lines " << result.figures << ", without " << result.figuresWithout;
        said << "\n";
        ++written;
    }
    return failed ? -1 : written;
}

} // namespace dravenor::cli
