// dravenor-cut-bench: the cut plans of the example job and the bench jobs, from the classic
// engine and from a short Deep Nesting run: per layout the cut length, the rapid travel (beside
// the travel of the layout's own part order), pierces and the estimated time per sheet, and the
// cut length, pierces, starts in a kerf and time of the same layout with common lines; then the
// time to plan and write the program of one layout of 2000 parts, which must stay under 2 s.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "cli/nest_job.h"
#include "cutting/cut_layouts.h"
#include "cutting/cut_table.h"
#include "cutting/nc_export.h"
#include "engine/nesting_progress.h"
#include "layouts/checked_deep_nesting.h"
#include "layouts/checked_optimisation.h"

namespace fs = std::filesystem;
using namespace dravenor;

namespace {

class QuietDeep : public DeepProgress {
public:
    void improved(const DeepBest&, const NestingState&) override {}
    void tick(double, std::int64_t) override {}
    void warning(const std::string&) override {}
    bool stopRequested() override { return false; }
};

cutting::NcSetup setupFor(const NestingState& state)
{
    std::vector<std::string> errors;
    const cutting::CutTable table = cutting::readCutTableFile(DRAVENOR_SOURCE_DIR "/resources/cutting.dat", errors);
    return cutting::ncSetupFrom(state, "bench", table, "cutting.dat", cutting::PostSettings{});
}

void printPlans(const std::string& name, const std::string& engine, const NestingState& state)
{
    const cutting::NcSetup setup = setupFor(state);
    if (!setup.ok()) {
        std::printf("%-16s %-8s %s\n", name.c_str(), engine.c_str(), setup.error.c_str());
        return;
    }
    for (int layoutNo : cutting::layoutNumbers(state)) {
        const cutting::CutPlanResult r = cutting::planLayoutCut(state, layoutNo, setup.cut);
        if (!r.plan) {
            std::printf("%-16s %-8s %3d  refused: %.90s\n", name.c_str(), engine.c_str(), layoutNo, r.error.c_str());
            continue;
        }
        const cutting::CutPlan& p = *r.plan;
        std::vector<cutting::CutContour> listed = p.contours;
        std::stable_sort(listed.begin(), listed.end(),
                         [](const cutting::CutContour& a, const cutting::CutContour& b) { return a.part < b.part; });
        cutting::CutSettings common = setup.cut;
        common.commonLine = true;
        const cutting::CutPlanResult shared = cutting::planLayoutCut(state, layoutNo, common);
        const cutting::CutPlan& c = shared.plan ? *shared.plan : p;
        std::printf("%-16s %-8s %3d %6zu %11.0f %9.0f %11.0f %8d %10.1f | %11.0f %8d %7d %10.1f\n", name.c_str(),
                    engine.c_str(), layoutNo, p.partNames.size(), p.cutLength, p.rapidLength,
                    cutting::rapidTravel(p.home, listed), p.pierces, p.seconds / 60, c.cutLength, c.pierces, c.kerfStarts,
                    c.seconds / 60);
    }
}

void runJob(const fs::path& args, int deepIterations)
{
    std::ifstream in(args, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    cli::NestJob job;
    try {
        job = cli::parseNestJob(cli::readArgsFile(text.str()), args.parent_path().string());
    } catch (const cli::UsageError& e) {
        std::cerr << args.string() << ": " << e.message << "\n";
        return;
    }
    const std::string name = args.parent_path().filename().string();
    NestingState classic = job.state;
    SilentProgress silent;
    optimiseChecked(classic, job.mode == NestingMode::Deep ? NestingMode::Free : job.mode, silent);
    printPlans(name, "classic", classic);
    NestingState deep = job.state;
    DeepSettings settings;
    settings.iterations = deepIterations;
    settings.threads = 1;
    QuietDeep quiet;
    nestDeepChecked(deep, settings, quiet);
    printPlans(name, "deep", deep);
}

// Plans and writes the program of the layout of 2000 parts, without and with common lines (its
// rows stand the kerf apart, so most of its straight edges are shared).
void timeManyParts()
{
    const NestingState state = cutting::test::manyPartsLayout(2000);
    cutting::NcSetup setup = setupFor(state);
    std::printf("\n");
    for (const bool common : {false, true}) {
        setup.cut.commonLine = common;
        const auto start = std::chrono::steady_clock::now();
        const cutting::CutPlanResult r = cutting::planLayoutCut(state, 1, setup.cut);
        const auto planned = std::chrono::steady_clock::now();
        const std::string program = r.plan ? cutting::ncProgramText(*r.plan, setup.cut, setup.post, setup.info) : "";
        const auto written = std::chrono::steady_clock::now();
        const double planSeconds = std::chrono::duration<double>(planned - start).count();
        const double total = std::chrono::duration<double>(written - start).count();
        std::printf("2000 parts on one sheet%s: %s, plan %.3f s, plan + program %.3f s (%zu bytes, %d pierces, %d starts "
                    "in a kerf, cut %.0f) %s\n",
                    common ? " with common lines" : "", r.plan ? "planned" : r.error.c_str(), planSeconds, total,
                    program.size(), r.plan ? r.plan->pierces : 0, r.plan ? r.plan->kerfStarts : 0,
                    r.plan ? r.plan->cutLength : 0, total < 2 ? "under 2 s" : "OVER 2 s");
    }
}

} // namespace

int main(int argc, char** argv)
{
    int deepIterations = 40;
    bool onlyMany = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--deep-iterations" && i + 1 < argc) deepIterations = std::stoi(argv[++i]);
        else if (a == "--many") onlyMany = true;
        else {
            std::cerr << "Usage: dravenor-cut-bench [--deep-iterations N] [--many]\n";
            return 2;
        }
    }
    if (!onlyMany) {
        std::printf("%-16s %-8s %3s %6s %11s %9s %11s %8s %10s | %11s %8s %7s %10s\n", "job", "engine", "lay", "parts",
                    "cut length", "rapids", "list order", "pierces", "minutes", "common cut", "pierces", "starts",
                    "minutes");
        std::vector<fs::path> jobs{fs::path(DRAVENOR_SOURCE_DIR) / "resources/examples/job.args",
                                   fs::path(DRAVENOR_SOURCE_DIR) / "tests/data/common-line/job.args"};
        std::vector<fs::path> bench;
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(fs::path(DRAVENOR_SOURCE_DIR) / "../shared/bench", ec))
            if (fs::exists(entry.path() / "job.args")) bench.push_back(entry.path() / "job.args");
        std::sort(bench.begin(), bench.end());
        jobs.insert(jobs.end(), bench.begin(), bench.end());
        for (const fs::path& job : jobs) runJob(job, deepIterations);
    }
    timeManyParts();
    return 0;
}
