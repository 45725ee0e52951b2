#pragma once
// A run's timeline for dravenor-bench --deep --timeline: when the run's best got better and what
// made it (consecutive gains of one kind on one line), and when threads stalled.
#include <string>
#include <vector>

#include "deep/work_counts.h"

namespace dravenor::bench {

void printTimeline(const std::string& job, unsigned long long seed, std::vector<DeepWork::Event> events);

} // namespace dravenor::bench
