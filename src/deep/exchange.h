#pragma once
// How the search threads share their best arrangements. Each thread publishes its best; at its
// meeting points it learns the best of all and may continue from it. In a run of a fixed amount
// of work the threads meet in step (a barrier) and the best of all is chosen in thread order, so
// that the run repeats exactly; otherwise a thread takes whatever is best when it looks.
#include <barrier>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "deep/arrangement.h"
#include "deep/solution_score.h"

namespace dravenor::deep {

struct Published {
    Solution solution;
    Score score;
    bool any = false;
};

class Exchange {
public:
    Exchange(int threads, bool inStep);

    // The thread's new best (an arrangement without collisions).
    void publish(int thread, const Solution& solution, const Score& score);
    // A meeting point: the best of all threads when it beats `own`.
    std::optional<Published> meet(const Score& own);
    // The thread has finished and meets no more.
    void leave();

    // The best of all threads, the lowest thread number among equals.
    Published best() const;
    // Rises with every publication that beat all before it (what the progress report shows).
    std::uint64_t version() const;

private:
    struct Merge {
        Exchange* exchange;
        void operator()() noexcept;
    };
    Published bestLocked() const;

    mutable std::mutex mutex_;
    std::vector<Published> slots_;
    Published merged_;           // the best of all at the last meeting (in-step runs)
    Score leading_;              // the best score published so far
    bool anyLeading_ = false;
    std::uint64_t version_ = 0;
    bool inStep_;
    std::unique_ptr<std::barrier<Merge>> barrier_;
};

} // namespace dravenor::deep
