#pragma once
// What a search spent its work on, counted by each thread and summed at the end of a run, so that
// the benchmark can show per job where the passes go and which attempts pay: the attempts by kind
// (tried, succeeded, passes spent), the moves of single items (searched, and those that found a
// place of less loss than where the item stood), and the time spent searching a place for an item
// by the item's edge count; and the moments a thread's best got better or its squeezing stalled.
#include <array>
#include <cstdint>
#include <vector>

namespace dravenor {

struct DeepWork {
    enum Attempt { Squeeze, Retry, Tighten, Eliminate, Downsize, Insert, Disrupt, Compress, kAttempts };
    static constexpr int kSizes = 4;  // items of up to 8, 32, 128 and more edges
    // Kinds of event beside the attempts: a first or fresh arrangement, and a stall of squeezing.
    static constexpr int kStart = kAttempts, kStall = kAttempts + 1, kKinds = kAttempts + 2;

    // A thread's best got better (by an attempt of the kind, or a start), or its squeezing stalled;
    // with the parts placed and the fractional sheets of the thread's best after it.
    struct Event {
        double seconds = 0;
        int thread = 0;
        int kind = 0;
        int placed = 0;
        double fractional = 0;
        // Better as a result: more parts placed, then fewer fractional sheets.
        bool beats(const Event& other) const
        {
            return placed != other.placed ? placed > other.placed : fractional < other.fractional;
        }
    };

    std::array<std::int64_t, kAttempts> tried{}, succeeded{}, passes{};
    std::int64_t moves = 0, movesTaken = 0, evaluations = 0;
    std::array<std::int64_t, kSizes> movesBySize{};
    std::array<double, kSizes> secondsBySize{};
    std::vector<Event> events;  // each thread's in the order they happened

    static int sizeClass(std::size_t edges) { return edges <= 8 ? 0 : edges <= 32 ? 1 : edges <= 128 ? 2 : 3; }
    static const char* attemptName(int kind)
    {
        static constexpr const char* names[kKinds] = {"squeeze",  "retry",  "tighten", "eliminate", "downsize",
                                                     "insert",   "disrupt", "compress", "start",     "stall"};
        return names[kind];
    }
    void add(const DeepWork& other)
    {
        for (int k = 0; k < kAttempts; ++k) {
            tried[k] += other.tried[k];
            succeeded[k] += other.succeeded[k];
            passes[k] += other.passes[k];
        }
        moves += other.moves;
        movesTaken += other.movesTaken;
        evaluations += other.evaluations;
        for (int k = 0; k < kSizes; ++k) {
            movesBySize[k] += other.movesBySize[k];
            secondsBySize[k] += other.secondsBySize[k];
        }
        events.insert(events.end(), other.events.begin(), other.events.end());
    }
};

} // namespace dravenor
