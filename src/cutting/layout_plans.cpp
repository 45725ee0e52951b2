#include "cutting/layout_plans.h"

#include <algorithm>
#include <atomic>
#include <thread>

namespace dravenor::cutting {

std::vector<CutPlanResult> planLayoutCuts(const NestingState& state, const std::vector<int>& layoutNos,
                                          const CutSettings& settings)
{
    std::vector<CutPlanResult> plans(layoutNos.size());
    std::atomic<size_t> next{0};
    const auto work = [&] {
        for (size_t i = next++; i < layoutNos.size(); i = next++) plans[i] = planLayoutCut(state, layoutNos[i], settings);
    };
    const size_t helpers = std::min<size_t>(std::max(1u, std::thread::hardware_concurrency()), layoutNos.size());
    std::vector<std::thread> threads;
    for (size_t t = 1; t < helpers; ++t) threads.emplace_back(work);
    work();
    for (std::thread& t : threads) t.join();
    return plans;
}

} // namespace dravenor::cutting
