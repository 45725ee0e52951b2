#pragma once
// The strip densities the best published method reached on the bench instances without spacing:
// the median of its 1200-s runs and the best density ever recorded, in percent (0: not published).
#include <optional>
#include <string>

namespace dravenor::bench {

struct PublishedStrip {
    double median = 0;
    double best = 0;
};

// By the benchmark's job name ("albano-strip"); none for a job without published figures.
std::optional<PublishedStrip> publishedStrip(const std::string& jobName);

} // namespace dravenor::bench
