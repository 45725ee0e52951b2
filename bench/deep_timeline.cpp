#include "deep_timeline.h"

#include <algorithm>
#include <cstdio>

namespace dravenor::bench {

namespace {

// Consecutive gains of the run's best made by one kind of event.
struct Streak {
    double from = 0, to = 0;  // seconds
    int kind = -1;
    int count = 0;
    DeepWork::Event before, after;
};

void printStreak(const Streak& s)
{
    if (s.count == 0) return;
    std::printf("  %8.1f - %8.1f s  %-9s x%-5d %.5f -> %.5f", s.from, s.to, DeepWork::attemptName(s.kind), s.count,
                s.before.fractional, s.after.fractional);
    if (s.after.placed != s.before.placed) std::printf("  (%d -> %d parts placed)", s.before.placed, s.after.placed);
    std::printf("\n");
}

} // namespace

void printTimeline(const std::string& job, unsigned long long seed, std::vector<DeepWork::Event> events)
{
    std::stable_sort(events.begin(), events.end(), [](const auto& a, const auto& b) { return a.seconds < b.seconds; });
    std::printf("\nTimeline of %s, seed %llu: gains of the run's best by what made them (fractional sheets), and stalls\n",
                job.c_str(), seed);
    DeepWork::Event best;
    bool any = false;
    Streak streak;
    for (const DeepWork::Event& e : events) {
        if (e.kind == DeepWork::kStall) {
            printStreak(streak);
            streak = {};
            std::printf("  %8.1f s             stall of thread %d at %.5f\n", e.seconds, e.thread, e.fractional);
            continue;
        }
        if (any && !e.beats(best)) continue;
        if (e.kind != streak.kind) {
            printStreak(streak);
            streak = {e.seconds, e.seconds, e.kind, 0, any ? best : e, e};
        }
        streak.to = e.seconds;
        streak.after = e;
        ++streak.count;
        best = e;
        any = true;
    }
    printStreak(streak);
}

} // namespace dravenor::bench
