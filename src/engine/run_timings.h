#pragma once
// Where the time of a run goes: set-up, sheet rasters, part analysis and placement. A run
// measures only when it is given a RunTimings; otherwise each phase guard is one pointer test.
// Phases nest: time spent in an inner phase is not counted again in the outer one.
#include <array>
#include <chrono>
#include <vector>

namespace dravenor {

enum class RunPhase { Setup, Rasterise, Analyse, Place, Other };
inline constexpr int kRunPhaseCount = 5;

class RunTimings {
public:
    using Clock = std::chrono::steady_clock;

    void enter(RunPhase phase)
    {
        chargeUntilNow();
        stack_.push_back(phase);
    }
    void leave()
    {
        chargeUntilNow();
        if (!stack_.empty()) stack_.pop_back();
    }
    // Seconds spent in the phase itself, inner phases excluded.
    double seconds(RunPhase phase) const { return seconds_[static_cast<size_t>(phase)]; }

private:
    void chargeUntilNow()
    {
        const Clock::time_point now = Clock::now();
        if (!stack_.empty())
            seconds_[static_cast<size_t>(stack_.back())] += std::chrono::duration<double>(now - since_).count();
        since_ = now;
    }

    std::array<double, kRunPhaseCount> seconds_{};
    std::vector<RunPhase> stack_;
    Clock::time_point since_{};
};

// Counts the enclosing scope as the phase when timings are given.
class ScopedPhase {
public:
    ScopedPhase(RunTimings* timings, RunPhase phase) : timings_(timings)
    {
        if (timings_) timings_->enter(phase);
    }
    ~ScopedPhase()
    {
        if (timings_) timings_->leave();
    }
    ScopedPhase(const ScopedPhase&) = delete;
    ScopedPhase& operator=(const ScopedPhase&) = delete;

private:
    RunTimings* timings_;
};

} // namespace dravenor
