#include "deep/exchange.h"

namespace dravenor::deep {

Exchange::Exchange(int threads, bool inStep) : slots_(static_cast<std::size_t>(threads)), inStep_(inStep)
{
    if (inStep_) barrier_ = std::make_unique<std::barrier<Merge>>(threads, Merge{this});
}

void Exchange::Merge::operator()() noexcept
{
    std::lock_guard<std::mutex> lock(exchange->mutex_);
    exchange->merged_ = exchange->bestLocked();
}

void Exchange::publish(int thread, const Solution& solution, const Score& score)
{
    std::lock_guard<std::mutex> lock(mutex_);
    Published& slot = slots_[static_cast<std::size_t>(thread)];
    slot.solution = solution;
    slot.score = score;
    slot.any = true;
    if (!anyLeading_ || score.betterThan(leading_)) {
        leading_ = score;
        anyLeading_ = true;
        ++version_;
    }
}

std::optional<Published> Exchange::meet(const Score& own)
{
    if (inStep_) {
        barrier_->arrive_and_wait();
        std::lock_guard<std::mutex> lock(mutex_);
        if (merged_.any && merged_.score.betterThan(own)) return merged_;
        return std::nullopt;
    }
    std::lock_guard<std::mutex> lock(mutex_);
    const Published best = bestLocked();
    if (best.any && best.score.betterThan(own)) return best;
    return std::nullopt;
}

void Exchange::leave()
{
    if (inStep_) barrier_->arrive_and_drop();
}

Published Exchange::bestLocked() const
{
    Published best;
    for (const Published& slot : slots_)
        if (slot.any && (!best.any || slot.score.betterThan(best.score))) best = slot;
    return best;
}

Published Exchange::best() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return bestLocked();
}

std::uint64_t Exchange::version() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return version_;
}

} // namespace dravenor::deep
