#pragma once
// What a search spent its work on, counted by each thread and summed at the end of a run, so that
// the benchmark can show per job where the passes go and which attempts pay: the attempts by kind
// (tried, succeeded, passes spent), the moves of single items (searched, and those that found a
// place of less loss than where the item stood), and the time spent searching a place for an item
// by the item's edge count.
#include <array>
#include <cstdint>

namespace dravenor {

struct DeepWork {
    enum Attempt { Squeeze, Retry, Tighten, Eliminate, Downsize, Insert, Disrupt, Compress, kAttempts };
    static constexpr int kSizes = 4;  // items of up to 8, 32, 128 and more edges

    std::array<std::int64_t, kAttempts> tried{}, succeeded{}, passes{};
    std::int64_t moves = 0, movesTaken = 0, evaluations = 0;
    std::array<std::int64_t, kSizes> movesBySize{};
    std::array<double, kSizes> secondsBySize{};

    static int sizeClass(std::size_t edges) { return edges <= 8 ? 0 : edges <= 32 ? 1 : edges <= 128 ? 2 : 3; }
    static const char* attemptName(int attempt)
    {
        static constexpr const char* names[kAttempts] = {"squeeze", "retry", "tighten", "eliminate",
                                                        "downsize", "insert", "disrupt", "compress"};
        return names[attempt];
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
    }
};

} // namespace dravenor
