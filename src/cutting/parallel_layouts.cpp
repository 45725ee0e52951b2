#include "cutting/parallel_layouts.h"

#include <algorithm>
#include <atomic>
#include <thread>

namespace dravenor::cutting {

void forEachInParallel(size_t count, const std::function<void(size_t)>& work)
{
    std::atomic<size_t> next{0};
    const auto worker = [&] {
        for (size_t i = next++; i < count; i = next++) work(i);
    };
    const size_t threads = std::min<size_t>(std::max(1u, std::thread::hardware_concurrency()), count);
    std::vector<std::thread> helpers;
    for (size_t t = 1; t < threads; ++t) helpers.emplace_back(worker);
    worker();
    for (std::thread& helper : helpers) helper.join();
}

std::vector<CutPlanResult> planLayoutCuts(const NestingState& state, const std::vector<int>& layoutNos,
                                          const CutSettings& settings)
{
    std::vector<CutPlanResult> plans(layoutNos.size());
    forEachInParallel(layoutNos.size(), [&](size_t i) { plans[i] = planLayoutCut(state, layoutNos[i], settings); });
    return plans;
}

} // namespace dravenor::cutting
