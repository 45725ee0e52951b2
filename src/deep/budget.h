#pragma once
// The work one search thread may still do: a deadline, the run's stop flag, and in a run of a
// fixed amount of work a number of passes. A pass is one round of moving every colliding item.
#include <atomic>
#include <chrono>
#include <cstdint>

namespace dravenor::deep {

class Budget {
public:
    using Clock = std::chrono::steady_clock;
    // passes 0: no limit but the deadline.
    Budget(std::int64_t passes, Clock::time_point start, Clock::time_point deadline, const std::atomic<bool>& stop,
           std::atomic<std::int64_t>& counter)
        : passes_(passes), start_(start), deadline_(deadline), stop_(stop), counter_(counter) {}

    // Takes one pass; false when none is left (the pass must not run).
    bool spend()
    {
        if (over() || (passes_ > 0 && spent_ >= passes_)) return false;
        ++spent_;
        counter_.fetch_add(1, std::memory_order_relaxed);
        return true;
    }
    // Stopped or past the deadline: whatever runs should end now.
    bool over() const { return stop_.load(std::memory_order_relaxed) || Clock::now() >= deadline_; }
    bool exhausted() const { return over() || (passes_ > 0 && spent_ >= passes_); }
    std::int64_t spent() const { return spent_; }
    double seconds() const { return std::chrono::duration<double>(Clock::now() - start_).count(); }
    // How much of the run is behind: the share of the passes, or of the time when no passes are set.
    double share() const
    {
        if (passes_ > 0) return static_cast<double>(spent_) / static_cast<double>(passes_);
        if (deadline_ == Clock::time_point::max()) return 0;
        return std::chrono::duration<double>(Clock::now() - start_) / (deadline_ - start_);
    }

private:
    std::int64_t passes_;
    Clock::time_point start_;
    Clock::time_point deadline_;
    const std::atomic<bool>& stop_;
    std::atomic<std::int64_t>& counter_;
    std::int64_t spent_ = 0;
};

} // namespace dravenor::deep
