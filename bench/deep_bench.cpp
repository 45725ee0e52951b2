// dravenor-bench --deep [--time S] [--iterations N] [--seeds A,B,C] [--threads N] [--no-classic]
//                       [--classic-limit S] [--checkpoints A,B,..] [--thread-compare]
//                       [--spacing S] [--half-turn] [--timeline]
//                       [JOB.args | FOLDER]...
// dravenor-bench --deep --scale [offcuts | many] [the options above]
//
// Runs the example job and every job.args and strip.args of ../shared/bench (or the jobs named)
// with the classic engine and with Deep Nesting, and prints per job: sheets used, fractional
// sheets (sheets - 1 + the used length of the least used sheet over its length along its longer
// side), the density on the sheets so counted, the yield from true areas, the smallest gap between
// parts and to the sheet edge (exact, on the outlines), seconds and Deep Nesting's iterations.
// Deep Nesting runs once per seed; the run of median fractional sheets is shown, and with several
// seeds each seed's end result further down. A second table gives the best result each run knew
// at the checkpoints (elapsed seconds), median over seeds.
// --thread-compare and --scale run the other tables of deep_options.h instead. --spacing sets
// the spacing (kerf) of every job, --half-turn lets parts kept as drawn also turn half round.
// --timeline prints, per job and seed, when the run's best got better, by what, and the stalls.
#include "deep_bench.h"
#include "deep_options.h"
#include "deep_runs.h"
#include "deep_timeline.h"
#include "published_strips.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace dravenor::bench {

namespace {

struct JobResult {
    std::string name;
    std::vector<Measure> atCheckpoint;  // median over seeds per checkpoint
    DeepWork work;                      // summed over seeds
    std::vector<std::uint64_t> seeds;
    std::vector<std::vector<Measure>> seedCheckpoints;  // per seed, per checkpoint
    std::vector<Measure> seedFinals;                    // per seed, at the end
    std::vector<std::vector<DeepWork::Event>> seedEvents;  // per seed, as the threads recorded them
};

void printHeader()
{
    std::printf("%-22s | %-48s | %-76s\n", "", "classic", "deep");
    std::printf("%-22s | %6s %7s %7s %7s %6s %6s %6s | %6s %7s %7s %7s %6s %6s %6s %8s %5s %5s %5s\n", "job", "sheets", "frac",
                "dens%", "yield%", "gapP", "gapS", "sec", "sheets", "frac", "dens%", "yield%", "gapP", "gapS", "sec", "iters",
                "least", "rem%", "kept%");
}

void printMeasure(const Measure& m, bool deep)
{
    if (!m.ok) {
        std::printf(deep ? " %63s" : " %47s |", "failed");
        return;
    }
    std::printf(" %6d %7.3f %7.2f %7.2f %6.2f %6.2f %6.1f", m.sheets, m.fractional, 100 * m.density, 100 * m.yield,
                m.gapParts, m.gapSheet, m.seconds);
    if (deep) std::printf(" %8lld %5d %5.1f %5.1f", m.iterations, m.fewest, 100 * m.remnant, 100 * m.keptRemnants);
    else std::printf(" |");
    if (m.placed < m.required) std::printf(" (%lld of %lld placed)", m.placed, m.required);
}

// One row per job: fractional sheets, density and sheets at each checkpoint; "*" marks a result
// that leaves parts unplaced, "-" a checkpoint before the first result.
void printCheckpoints(const std::vector<double>& checkpoints, const std::vector<JobResult>& jobs)
{
    if (checkpoints.empty()) return;
    std::printf("\nDeep Nesting's best result at elapsed seconds (median over seeds per checkpoint)\n%-22s |", "");
    for (double c : checkpoints) {
        char label[32];
        std::snprintf(label, sizeof label, "%g s", c);
        std::printf(" %-21s|", label);
    }
    std::printf("\n%-22s |", "job");
    for (std::size_t i = 0; i < checkpoints.size(); ++i) std::printf(" %7s %6s %5s |", "frac", "dens%", "sheet");
    std::printf("\n");
    for (const JobResult& job : jobs) {
        std::printf("%-22s |", job.name.c_str());
        for (const Measure& m : job.atCheckpoint) {
            if (!m.ok) std::printf(" %7s %6s %5s |", "-", "-", "-");
            else std::printf(" %7.3f %6.2f %4d%s |", m.fractional, 100 * m.density, m.sheets, m.placed < m.required ? "*" : " ");
        }
        std::printf("\n");
    }
}

// Jobs with published strip figures, one row per seed: the density at each checkpoint with its
// share of the published median (of the best where no median was published).
void printAgainstPublished(const std::vector<double>& checkpoints, const std::vector<JobResult>& jobs)
{
    bool any = false;
    for (const JobResult& job : jobs) any = any || publishedStrip(job.name).has_value();
    if (!any || checkpoints.empty()) return;
    std::printf("\nStrip density per seed against the best published method (median / best of its 1200-s runs)\n%-22s %4s |",
                "job", "seed");
    for (double c : checkpoints) std::printf(" %6g s  share |", c);
    std::printf(" median   best\n");
    for (const JobResult& job : jobs) {
        const std::optional<PublishedStrip> published = publishedStrip(job.name);
        if (!published) continue;
        const double reference = published->median > 0 ? published->median : published->best;
        for (std::size_t k = 0; k < job.seeds.size(); ++k) {
            std::printf("%-22s %4llu |", job.name.c_str(), static_cast<unsigned long long>(job.seeds[k]));
            for (const Measure& m : job.seedCheckpoints[k]) {
                if (!m.ok || m.placed < m.required) std::printf(" %8s %6s |", "-", "-");
                else std::printf(" %8.2f %5.1f%% |", 100 * m.density, 100 * (100 * m.density) / reference);
            }
            std::printf(" %6.2f %6.2f\n", published->median, published->best);
        }
    }
}

// With more than one seed, one row per job and seed: the end result, so that the spread of the
// seeds shows beside the median run.
void printPerSeed(const std::vector<JobResult>& jobs)
{
    if (jobs.empty() || jobs.front().seeds.size() < 2) return;
    std::printf("\nDeep Nesting's end result per seed\n%-22s %4s | %6s %7s %7s %7s\n", "job", "seed", "sheets", "frac", "dens%",
                "yield%");
    for (const JobResult& job : jobs)
        for (std::size_t k = 0; k < job.seeds.size(); ++k) {
            const Measure& m = job.seedFinals[k];
            std::printf("%-22s %4llu |", job.name.c_str(), static_cast<unsigned long long>(job.seeds[k]));
            if (!m.ok) std::printf(" %6s\n", "failed");
            else std::printf(" %6d %7.3f %7.2f %7.2f%s\n", m.sheets, m.fractional, 100 * m.density, 100 * m.yield,
                             m.placed < m.required ? " (parts left out)" : "");
        }
}

// Per job, over all seeds: each kind of attempt (succeeded of tried, share of the passes), the
// share of item moves that found a place of less loss, evaluations per move, and the time a move
// takes by the item's edge count (with that size's share of all moves).
void printWork(const std::vector<JobResult>& jobs)
{
    std::printf("\nWhere Deep Nesting's work went (summed over seeds): attempts succeeded/tried (share of passes);"
                "\nmoves that found less loss; evaluations a move; ms a move by edges of the item (share of moves)\n");
    for (const JobResult& job : jobs) {
        const DeepWork& w = job.work;
        std::int64_t passes = 0;
        for (std::int64_t p : w.passes) passes += p;
        std::printf("%-22s |", job.name.c_str());
        for (int k = 0; k < DeepWork::kAttempts; ++k)
            if (w.tried[k] > 0)
                std::printf(" %s %lld/%lld (%.0f%%)", DeepWork::attemptName(k), static_cast<long long>(w.succeeded[k]),
                            static_cast<long long>(w.tried[k]), passes > 0 ? 100.0 * w.passes[k] / passes : 0.0);
        const double moves = std::max<double>(1, w.moves);
        std::printf("\n%-22s | moves %lld, %.1f%% found less loss, %.0f evaluations a move |", "",
                    static_cast<long long>(w.moves), 100 * w.movesTaken / moves, w.evaluations / moves);
        static constexpr const char* sizes[DeepWork::kSizes] = {"<=8", "<=32", "<=128", ">128"};
        for (int k = 0; k < DeepWork::kSizes; ++k)
            if (w.movesBySize[k] > 0)
                std::printf(" %s: %.3f (%.0f%%)", sizes[k], 1000 * w.secondsBySize[k] / w.movesBySize[k],
                            100 * w.movesBySize[k] / moves);
        std::printf("\n");
    }
}

int comparisonMain(const DeepOptions& o)
{
    std::printf("Deep Nesting: %s per run, seeds", o.iterations > 0 ? (std::to_string(o.iterations) + " iterations").c_str()
                                                                     : (std::to_string(o.time) + " s").c_str());
    for (std::uint64_t s : o.seeds) std::printf(" %llu", static_cast<unsigned long long>(s));
    std::printf(" (median shown), threads %d (0: all cores)\n", o.threads);
    printHeader();
    std::vector<JobResult> results;
    const int failures = forEachJob(o.jobs, o.overrides, [&](const fs::path& file, const NestingState& state) {
        printMeasure(o.classic ? runClassic(state, o.classicLimit).measure : Measure{}, false);
        std::fflush(stdout);
        std::vector<DeepRun> runs;
        for (std::uint64_t seed : o.seeds) runs.push_back(runDeep(state, runSettings(o, seed)));
        std::vector<Measure> finals;
        for (const DeepRun& run : runs) finals.push_back(run.measure);
        printMeasure(medianMeasure(finals), true);
        std::printf("\n");
        std::fflush(stdout);
        JobResult result{jobName(file), {}, {}, o.seeds, {}, finals, {}};
        for (const DeepRun& run : runs) {
            result.work.add(run.work);
            result.seedEvents.push_back(run.work.events);
            result.seedCheckpoints.push_back(run.atCheckpoint);
        }
        for (std::size_t i = 0; i < o.checkpoints.size(); ++i) {
            std::vector<Measure> at;
            for (const DeepRun& run : runs) at.push_back(run.atCheckpoint[i]);
            result.atCheckpoint.push_back(medianMeasure(at));
        }
        results.push_back(result);
    });
    printCheckpoints(o.checkpoints, results);
    printAgainstPublished(o.checkpoints, results);
    printPerSeed(results);
    printWork(results);
    if (o.timeline)
        for (const JobResult& job : results)
            for (std::size_t k = 0; k < job.seeds.size(); ++k) printTimeline(job.name, job.seeds[k], job.seedEvents[k]);
    return failures == 0 ? 0 : 1;
}

template <class Number, class Read>
std::vector<Number> listOf(const std::string& text, Read read)
{
    std::vector<Number> list;
    std::stringstream in(text);
    for (std::string item; std::getline(in, item, ',');) list.push_back(read(item));
    return list;
}

bool parse(int argc, char** argv, DeepOptions& o)
{
    bool checkpointsGiven = false;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&]() -> std::string { return i + 1 < argc ? argv[++i] : ""; };
        if (a == "--deep") continue;
        if (a == "--time") o.time = std::atof(value().c_str());
        else if (a == "--iterations") o.iterations = std::atoll(value().c_str());
        else if (a == "--threads") o.threads = std::atoi(value().c_str());
        else if (a == "--no-classic") o.classic = false;
        else if (a == "--classic-limit") o.classicLimit = std::atof(value().c_str());
        else if (a == "--thread-compare") o.threadCompare = true;
        else if (a == "--scale") o.scale = true;
        else if (a == "--spacing") o.overrides.spacing = std::atof(value().c_str());
        else if (a == "--half-turn") o.overrides.halfTurn = true;
        else if (a == "--timeline") o.timeline = true;
        else if (a == "--seeds")
            o.seeds = listOf<std::uint64_t>(value(), [](const std::string& s) { return std::strtoull(s.c_str(), nullptr, 10); });
        else if (a == "--checkpoints") {
            o.checkpoints = listOf<double>(value(), [](const std::string& s) { return std::atof(s.c_str()); });
            checkpointsGiven = true;
        } else if (a.rfind("--", 0) == 0) {
            std::cerr << "unknown option " << a << "\n";
            return false;
        } else {
            const fs::path p(a);
            o.jobNames.push_back(a);
            o.jobs.push_back(fs::is_directory(p) ? p / "job.args" : p);
        }
    }
    if (o.seeds.empty()) o.seeds = {1};
    if (o.jobs.empty()) o.jobs = defaultJobs();
    if (!checkpointsGiven)
        for (double c : {5.0, 15.0, 30.0, 60.0, 300.0})
            if (c <= o.time) o.checkpoints.push_back(c);
    std::sort(o.checkpoints.begin(), o.checkpoints.end());
    return true;
}

} // namespace

int deepBenchMain(int argc, char** argv)
{
    DeepOptions o;
    if (!parse(argc, argv, o)) return 2;
    if (o.scale) return scaleBenchMain(o);
    if (o.threadCompare) return threadCompareMain(o);
    return comparisonMain(o);
}

} // namespace dravenor::bench
