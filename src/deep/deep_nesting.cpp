#include "deep/deep_nesting.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>

#include "deep/budget.h"
#include "deep/constructive.h"
#include "deep/deep_job.h"
#include "deep/deep_results.h"
#include "deep/exchange.h"
#include "deep/search_worker.h"
#include "deep/sheet_bound.h"

namespace dravenor {

namespace {

using Clock = std::chrono::steady_clock;
using namespace deep;

constexpr int kMostThreads = 256;
constexpr auto kTick = std::chrono::milliseconds(100);

std::string settingsProblem(const DeepSettings& settings, double spacing, const NestingState& state)
{
    if (!std::isfinite(spacing) || spacing < 0) return "The spacing must be a number not below 0";
    if (!std::isfinite(settings.margin) || settings.margin < 0) return "The margin must be a number not below 0";
    if (settings.iterations <= 0 && !(std::isfinite(settings.timeLimit) && settings.timeLimit > 0))
        return "The time limit must be a number above 0";
    if (settings.threads < 0) return "The number of threads must not be below 0";
    if (state.sheets.empty()) return "No valid sheet(s) specified";
    if (state.parts.empty()) return "No valid CutPieces(s) specified";
    return {};
}

int threadCount(int asked)
{
    const int cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    return std::clamp(asked == 0 ? cores : asked, 1, kMostThreads);
}

// Leaves out the part types no empty sheet has room for, naming them, and takes the area of the
// rest and the fewest sheets they can need.
void dropHomeless(DeepJob& job, std::uint64_t seed)
{
    Random random(seed);
    const std::vector<int> homeless = homelessParts(job, random);
    for (int type : homeless)
        job.warnings.push_back(job.parts[static_cast<std::size_t>(type)].file +
                               ": the part fits no sheet once spacing and margin apply");
    std::erase_if(job.items, [&](int type) { return std::find(homeless.begin(), homeless.end(), type) != homeless.end(); });
    job.partArea = 0;
    for (int type : job.items) job.partArea += job.parts[static_cast<std::size_t>(type)].area;
    job.fewestSheets = fewestSheets(job);
}

// The threads of one run and what they share.
class Run {
public:
    Run(const DeepJob& job, const DeepSettings& settings, int threads, Clock::time_point start)
        : job_(job), exchange_(threads, settings.iterations > 0), running_(threads)
    {
        const Clock::time_point deadline =
            settings.iterations > 0 ? Clock::time_point::max()
                                    : start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(
                                                  std::min(settings.timeLimit, 1e9)));
        const std::int64_t passes = settings.iterations > 0 ? (settings.iterations + threads - 1) / threads : 0;
        for (int t = 0; t < threads; ++t) budgets_.emplace_back(passes, start, deadline, stop_, passesDone_);
        for (int t = 0; t < threads; ++t) {
            const std::uint64_t seed = settings.seed * 0x9E3779B97F4A7C15ull + static_cast<std::uint64_t>(t);
            threads_.emplace_back([this, t, seed] { work(t, seed); });
        }
    }
    ~Run()
    {
        stop_ = true;
        for (std::thread& t : threads_) t.join();
    }

    // Waits up to one tick or until every thread has ended; false once they have.
    bool waitTick()
    {
        std::unique_lock<std::mutex> lock(mutex_);
        cv_.wait_for(lock, kTick, [&] { return running_ == 0; });
        return running_ > 0;
    }
    void stop() { stop_ = true; }
    std::int64_t passes() const { return passesDone_.load(); }
    const Exchange& exchange() const { return exchange_; }
    const std::string& failure() const { return failure_; }
    // Complete once every thread has ended.
    const DeepWork& work() const { return work_; }

private:
    void work(int thread, std::uint64_t seed)
    {
        try {
            SearchWorker worker(job_, thread, seed, budgets_[static_cast<std::size_t>(thread)], exchange_);
            worker.run();
            std::lock_guard<std::mutex> lock(mutex_);
            work_.add(worker.work());
        } catch (const std::exception& e) {
            fail(e.what());
        } catch (...) {
            fail("unknown failure");
        }
        std::lock_guard<std::mutex> lock(mutex_);
        --running_;
        cv_.notify_all();
    }
    void fail(const std::string& what)
    {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (failure_.empty()) failure_ = "Deep Nesting failed: " + what;
        }
        stop_ = true;
        exchange_.leave();
    }

    const DeepJob& job_;
    Exchange exchange_;
    std::atomic<bool> stop_{false};
    std::atomic<std::int64_t> passesDone_{0};
    std::vector<Budget> budgets_;
    std::vector<std::thread> threads_;
    std::mutex mutex_;
    std::condition_variable cv_;
    int running_;
    std::string failure_;
    DeepWork work_;
};

} // namespace

DeepOutcome runDeepNesting(NestingState& state, const DeepSettings& settings, DeepProgress& progress)
{
    const Clock::time_point start = Clock::now();
    DeepOutcome outcome;
    const double spacing = settings.spacing < 0 ? state.details.Kerf : settings.spacing;
    outcome.error = settingsProblem(settings, spacing, state);
    if (!outcome.error.empty()) return outcome;

    bool stopped = false;
    DeepJob job = buildDeepJob(state, {spacing, settings.margin}, [&] { return stopped = stopped || progress.stopRequested(); });
    if (stopped) {
        // Stopped before anything could be placed: a valid result with no layouts.
        outcome.ran = outcome.stopped = true;
        writeLayouts(job, {}, state);
        outcome.seconds = std::chrono::duration<double>(Clock::now() - start).count();
        return outcome;
    }
    dropHomeless(job, settings.seed);
    for (const std::string& warning : job.warnings) progress.warning(warning);
    if (job.sheets.empty()) {
        outcome.error = "No sheet can be used";
        return outcome;
    }
    if (job.items.empty()) {
        outcome.error = "No part fits on any sheet once spacing and margin apply";
        return outcome;
    }
    outcome.ran = true;
    state.entities.clear();
    state.items.clear();

    std::uint64_t shown = 0;
    {
        Run run(job, settings, threadCount(settings.threads), start);
        bool going = true;
        while (going) {
            going = run.waitTick();
            const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
            progress.tick(elapsed, run.passes());
            if (progress.stopRequested()) {
                outcome.stopped = true;
                run.stop();
            }
            const std::uint64_t version = run.exchange().version();
            if (version != shown) {
                shown = version;
                NestingState layouts = state;
                const Published best = run.exchange().best();
                const DeepBest summary = writeLayouts(job, best.solution, layouts);
                progress.improved(summary, layouts);
            }
        }
        outcome.iterations = run.passes();
        outcome.work = run.work();
        if (!run.failure().empty()) progress.warning(run.failure());
        const Published best = run.exchange().best();
        if (best.any) outcome.best = writeLayouts(job, best.solution, state);
    }
    outcome.fewestSheets = job.fewestSheets;
    outcome.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    return outcome;
}

} // namespace dravenor
