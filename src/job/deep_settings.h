#pragma once
// What a Deep Nesting run is asked for: the job's spacing, margin and time limit (saved with the
// job) and the run's own options (threads, seed, a fixed amount of work).
#include <cstdint>

namespace dravenor {

struct DeepSettings {
    // Least distance between two parts, measured on their true outlines; below 0 means "the
    // job's kerf as entered".
    double spacing = -1;
    // Least distance of a part to its sheet's outline and holes.
    double margin = 0;
    // Seconds the search may run; ignored when iterations is above 0.
    double timeLimit = 60;
    // Above 0: a fixed amount of work, so that a run repeats exactly for one seed and thread count.
    std::int64_t iterations = 0;
    // Worker threads; 0 means every core.
    int threads = 0;
    std::uint64_t seed = 1;

    bool operator==(const DeepSettings&) const = default;
};

} // namespace dravenor
