#include "deep_runs.h"

#include <chrono>
#include <iostream>
#include <memory>

#include "engine/nesting_driver.h"

namespace dravenor::bench {

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// Cancels at the time limit and notes the part area of each finished trial. The engine calls
// trialStarted before it resets the state, so the state then still holds the trial before.
class LimitedProgress : public SilentProgress {
public:
    LimitedProgress(const NestingState& state, AreaBook& areas, double limitSeconds)
        : state_(state), areas_(areas), limit_(limitSeconds)
    {
    }
    bool cancelRequested() override { return secondsSince(start_) > limit_; }
    void trialStarted(int trial, int) override
    {
        if (trial > 1) bestArea_ = std::max(bestArea_, areas_.placedArea(state_));
    }
    double bestArea() const { return bestArea_; }

private:
    const NestingState& state_;
    AreaBook& areas_;
    double limit_;
    Clock::time_point start_ = Clock::now();
    double bestArea_ = 0;
};

// Keeps a copy of the latest layouts and files it (shared, not copied again) under every
// checkpoint passed (none when nothing was found yet); the copies are measured after the run so that measuring costs the search nothing.
class RecordingProgress : public DeepProgress {
public:
    RecordingProgress(const std::vector<double>& checkpoints, DeepRun& run)
        : checkpoints_(checkpoints), filed_(checkpoints.size()), run_(run)
    {
    }
    void improved(const DeepBest& best, const NestingState& layouts) override
    {
        const double elapsed = secondsSince(start_);
        if (!checkpoints_.empty()) latest_ = std::make_shared<const NestingState>(layouts);
        ++run_.improvements;
        run_.trace.push_back({elapsed, best});
        if (run_.firstResultSeconds < 0) run_.firstResultSeconds = elapsed;
        if (run_.firstCompleteSeconds >= 0) ++run_.improvementsAfterComplete;
        else if (best.partsPlaced == best.partsRequired) {
            run_.firstCompleteSeconds = elapsed;
            run_.firstComplete = best;
        }
    }
    void tick(double elapsedSeconds, std::int64_t) override { fileUpTo(elapsedSeconds); }
    void warning(const std::string& text) override { std::cerr << "  warning: " << text << "\n"; }
    bool stopRequested() override { return false; }

    // Files the latest layouts under the checkpoints up to `elapsed` not filed yet.
    void fileUpTo(double elapsed)
    {
        for (; passed_ < checkpoints_.size() && checkpoints_[passed_] <= elapsed; ++passed_)
            filed_[passed_] = latest_;
    }
    const std::vector<std::shared_ptr<const NestingState>>& filed() const { return filed_; }

private:
    const std::vector<double>& checkpoints_;
    std::vector<std::shared_ptr<const NestingState>> filed_;
    std::size_t passed_ = 0;
    std::shared_ptr<const NestingState> latest_;
    DeepRun& run_;
    Clock::time_point start_ = Clock::now();
};

} // namespace

ClassicRun runClassic(const NestingState& start, double limitSeconds)
{
    NestingState state = start;
    AreaBook areas(start);
    LimitedProgress progress(state, areas, limitSeconds);
    const RunResult result = optimise(state, NestingMode::Free, progress);
    ClassicRun run;
    run.cancelled = result.cancelled;
    run.measure = measureLayouts(state, areas, true);
    run.measure.seconds = result.seconds;
    run.bestPlacedArea = std::max(progress.bestArea(), run.measure.placedArea);
    return run;
}

double secondsToReach(const DeepRun& run, const DeepBest& target)
{
    for (const DeepRun::Step& step : run.trace)
        if (step.best.partsPlaced >= target.partsPlaced && step.best.fractionalSheets <= target.fractionalSheets + 1e-9)
            return step.seconds;
    return -1;
}

DeepRun runDeep(const NestingState& start, const DeepRunSettings& s)
{
    NestingState state = start;
    DeepSettings settings;
    settings.timeLimit = s.time;
    settings.iterations = s.iterations;
    settings.threads = s.threads;
    settings.seed = s.seed;
    DeepRun run;
    RecordingProgress progress(s.checkpoints, run);
    const DeepOutcome outcome = runDeepNesting(state, settings, progress);
    run.atCheckpoint.resize(s.checkpoints.size());
    if (!outcome.ran) {
        std::cerr << "  deep: " << outcome.error << "\n";
        return run;
    }
    // Checkpoints after the last tick but within the time limit (the very end, or a run that
    // ended by itself early) get the final result; with a fixed amount of work, only the end.
    progress.fileUpTo(s.iterations > 0 ? outcome.seconds + 0.5 : s.time);
    AreaBook areas(start);
    for (std::size_t i = 0; i < s.checkpoints.size(); ++i)
        if (progress.filed()[i]) run.atCheckpoint[i] = measureLayouts(*progress.filed()[i], areas, false);
    run.measure = measureLayouts(state, areas, s.gaps);
    run.measure.seconds = outcome.seconds;
    run.measure.iterations = outcome.iterations;
    run.work = outcome.work;
    run.measure.fewest = outcome.fewestSheets;
    run.final = outcome.best;
    return run;
}

DeepRunSettings runSettings(const DeepOptions& o, std::uint64_t seed, bool gaps)
{
    DeepRunSettings s;
    s.time = o.time;
    s.iterations = o.iterations;
    s.threads = o.threads;
    s.seed = seed;
    s.checkpoints = o.checkpoints;
    s.gaps = gaps;
    return s;
}

} // namespace dravenor::bench
