// dravenor-bench --deep [--time S] [--iterations N] [--seeds A,B,C] [--threads N] [--no-classic]
//                       [JOB.args | FOLDER]...
//
// Runs the example job and every job.args and strip.args of ../shared/bench (or the jobs named)
// with the classic engine and with Deep Nesting, and prints per job: sheets used, fractional
// sheets (sheets - 1 + the used length of the least used sheet over its length along its longer
// side), the density on the sheets so counted, the yield from true areas, the smallest gap between
// parts and to the sheet edge (exact, on the outlines), seconds and Deep Nesting's iterations.
// Deep Nesting runs once per seed; the run of median fractional sheets is shown.
#include "deep_bench.h"
#include "layout_gaps.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "cli/nest_job.h"
#include "deep/deep_nesting.h"
#include "engine/nesting_checks.h"
#include "engine/nesting_driver.h"
#include "geometry/layout_lists.h"
#include "geometry/primitives.h"
#include "geometry/shape_file.h"
#include "geometry/shape_measure.h"

namespace fs = std::filesystem;

namespace dravenor::bench {

namespace {

struct Options {
    double time = 20;
    std::int64_t iterations = 0;
    std::vector<std::uint64_t> seeds{1, 2, 3};
    int threads = 0;
    bool classic = true;
    std::vector<fs::path> jobs;
};

struct Measure {
    int sheets = 0;
    double fractional = 0;
    double density = 0;  // part area over the area of the fractional sheets
    double yield = 0;    // part area over the area of the sheets used
    long long placed = 0, required = 0;
    double gapParts = 0, gapSheet = 0;
    double seconds = 0;
    long long iterations = 0;
    bool ok = false;
};

std::vector<fs::path> defaultJobs()
{
    const fs::path repository(DRAVENOR_SOURCE_DIR);
    std::vector<fs::path> jobs{repository / "resources" / "examples" / "job.args"};
    std::vector<fs::path> found;
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(repository / ".." / "shared" / "bench", ec))
        for (const char* name : {"job.args", "strip.args"})
            if (fs::exists(entry.path() / name)) found.push_back(entry.path() / name);
    std::sort(found.begin(), found.end());
    jobs.insert(jobs.end(), found.begin(), found.end());
    return jobs;
}

std::string jobName(const fs::path& file)
{
    const std::string folder = file.parent_path().filename().string();
    const std::string name = folder == "examples" ? "example" : folder;
    return file.filename() == "strip.args" ? name + "-strip" : name;
}

bool readJob(const fs::path& file, NestingState& state)
{
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    try {
        state = cli::parseNestJob(cli::readArgsFile(text.str()), file.parent_path().string()).state;
    } catch (const cli::UsageError& e) {
        std::cerr << file.string() << ": " << e.message << "\n";
        return false;
    }
    for (auto check : {missingFileMessage, emptyListMessage, shapeProblemMessage})
        if (auto problem = check(state)) {
            std::cerr << file.string() << ": " << *problem << "\n";
            return false;
        }
    return true;
}

// Sheets, fractional sheets, density and yield of the layouts, from the true areas of the files.
void measureLayouts(const NestingState& state, Measure& m)
{
    std::map<std::string, double> areas;
    auto areaOf = [&](const std::string& file) {
        auto it = areas.find(file);
        if (it != areas.end()) return it->second;
        Shape shape;
        loadShape(file, shape, state.drawingUnit);
        return areas[file] = enclosedArea(shape, closingTolerance(state.details));
    };
    std::map<int, Shape> sheetOf;
    std::map<int, Extents> partsOf;
    std::map<int, int> copies;
    double partArea = 0, sheetArea = 0;
    for (const LayoutItem& item : state.items) {
        if (item.PartIndex > 0) partArea += areaOf(state.part(item.PartIndex).FileName) * item.Qty;
        else sheetArea += areaOf(state.sheet(item.SheetIndex).FileName) * item.Qty;
    }
    for (const LayoutEntity& e : state.entities) {
        const ShapeEntity s = shapeEntityOf(e);
        if (e.Instance == 0) sheetOf[e.LayoutNo].push_back(s);
        else {
            const Extents x = shapeExtents({s});
            Extents& box = partsOf[e.LayoutNo];
            includePoint(box, x.xmin, x.ymin);
            includePoint(box, x.xmax, x.ymax);
        }
        copies[e.LayoutNo] = e.Qty;
    }
    double least = 1, fullArea = 0, leastArea = sheetOf.empty() ? 0 : shapeExtents(sheetOf.begin()->second).width() *
                                                                       shapeExtents(sheetOf.begin()->second).height();
    for (const auto& [layout, sheet] : sheetOf) {
        const Extents s = shapeExtents(sheet);
        const Extents p = partsOf[layout];
        const bool alongX = s.width() >= s.height();
        const double length = alongX ? s.width() : s.height();
        const double used = p.empty() ? 0 : (alongX ? p.xmax - s.xmin : p.ymax - s.ymin);
        const double share = length > 0 ? used / length : 1;
        m.sheets += copies[layout];
        if (share < least) {
            least = share;
            leastArea = s.width() * s.height();
        }
        fullArea += s.width() * s.height() * copies[layout];
    }
    // The least used sheet counts by its used share, the others whole.
    m.fractional = m.sheets > 0 ? m.sheets - 1 + least : 0;
    const double counted = fullArea - leastArea * (1 - least);
    m.density = counted > 0 ? partArea / counted : 0;
    m.yield = sheetArea > 0 ? partArea / sheetArea : 0;
    const LayoutGaps gaps = smallestGaps(state);
    m.gapParts = gaps.betweenParts;
    m.gapSheet = gaps.toSheet;
    for (const PartEntry& p : state.parts) {
        m.required += p.Qty;
        m.placed += p.Qty - std::max(p.Remaining, 0);
    }
    m.ok = true;
}

Measure runClassic(const NestingState& start)
{
    NestingState state = start;
    SilentProgress progress;
    const auto t0 = std::chrono::steady_clock::now();
    optimise(state, NestingMode::Free, progress);
    Measure m;
    m.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    measureLayouts(state, m);
    return m;
}

class QuietProgress : public DeepProgress {
public:
    void improved(const DeepBest&, const NestingState&) override {}
    void tick(double, std::int64_t) override {}
    void warning(const std::string& text) override { std::cerr << "  warning: " << text << "\n"; }
    bool stopRequested() override { return false; }
};

Measure runDeep(const NestingState& start, const Options& o, std::uint64_t seed)
{
    NestingState state = start;
    DeepSettings settings;
    settings.timeLimit = o.time;
    settings.iterations = o.iterations;
    settings.threads = o.threads;
    settings.seed = seed;
    QuietProgress progress;
    const DeepOutcome outcome = runDeepNesting(state, settings, progress);
    Measure m;
    if (!outcome.ran) {
        std::cerr << "  deep: " << outcome.error << "\n";
        return m;
    }
    m.seconds = outcome.seconds;
    m.iterations = outcome.iterations;
    measureLayouts(state, m);
    return m;
}

void printHeader()
{
    std::printf("%-22s | %-48s | %-58s\n", "", "classic", "deep");
    std::printf("%-22s | %6s %7s %7s %7s %6s %6s %6s | %6s %7s %7s %7s %6s %6s %6s %8s\n", "job", "sheets", "frac",
                "dens%", "yield%", "gapP", "gapS", "sec", "sheets", "frac", "dens%", "yield%", "gapP", "gapS", "sec", "iters");
}

void printMeasure(const Measure& m, bool deep)
{
    if (!m.ok) {
        std::printf(deep ? " %57s" : " %47s |", "failed");
        return;
    }
    std::printf(" %6d %7.3f %7.2f %7.2f %6.2f %6.2f %6.1f", m.sheets, m.fractional, 100 * m.density, 100 * m.yield,
                m.gapParts, m.gapSheet, m.seconds);
    if (deep) std::printf(" %8lld", m.iterations);
    else std::printf(" |");
    if (m.placed < m.required) std::printf(" (%lld of %lld placed)", m.placed, m.required);
}

bool parse(int argc, char** argv, Options& o)
{
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&]() -> std::string { return i + 1 < argc ? argv[++i] : ""; };
        if (a == "--deep") continue;
        if (a == "--time") o.time = std::atof(value().c_str());
        else if (a == "--iterations") o.iterations = std::atoll(value().c_str());
        else if (a == "--threads") o.threads = std::atoi(value().c_str());
        else if (a == "--no-classic") o.classic = false;
        else if (a == "--seeds") {
            o.seeds.clear();
            std::stringstream list(value());
            for (std::string s; std::getline(list, s, ',');) o.seeds.push_back(std::strtoull(s.c_str(), nullptr, 10));
        } else if (a.rfind("--", 0) == 0) {
            std::cerr << "unknown option " << a << "\n";
            return false;
        } else {
            const fs::path p(a);
            o.jobs.push_back(fs::is_directory(p) ? p / "job.args" : p);
        }
    }
    if (o.seeds.empty()) o.seeds = {1};
    if (o.jobs.empty()) o.jobs = defaultJobs();
    return true;
}

} // namespace

int deepBenchMain(int argc, char** argv)
{
    Options o;
    if (!parse(argc, argv, o)) return 2;
    std::printf("Deep Nesting: %s per run, seeds", o.iterations > 0 ? (std::to_string(o.iterations) + " iterations").c_str()
                                                                     : (std::to_string(o.time) + " s").c_str());
    for (std::uint64_t s : o.seeds) std::printf(" %llu", static_cast<unsigned long long>(s));
    std::printf(" (median shown), threads %d (0: all cores)\n", o.threads);
    printHeader();
    int failures = 0;
    for (const fs::path& file : o.jobs) {
        NestingState state;
        if (!readJob(file, state)) {
            ++failures;
            continue;
        }
        std::printf("%-22s |", jobName(file).c_str());
        std::fflush(stdout);
        printMeasure(o.classic ? runClassic(state) : Measure{}, false);
        std::fflush(stdout);
        std::vector<Measure> runs;
        for (std::uint64_t seed : o.seeds) runs.push_back(runDeep(state, o, seed));
        std::sort(runs.begin(), runs.end(), [](const Measure& a, const Measure& b) {
            if (a.ok != b.ok) return a.ok;
            return a.fractional < b.fractional;
        });
        printMeasure(runs[runs.size() / 2], true);
        std::printf("\n");
        std::fflush(stdout);
    }
    return failures == 0 ? 0 : 1;
}

} // namespace dravenor::bench
