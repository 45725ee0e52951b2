#pragma once
// One run of each engine as the benchmark times it: the classic engine under a time limit, and
// Deep Nesting with its best result kept at elapsed checkpoints and the moments it improved.
#include <cstdint>
#include <vector>

#include "deep/deep_nesting.h"
#include "deep_measure.h"
#include "deep_options.h"

namespace dravenor::bench {

// The classic engine, cancelled after `limitSeconds`. `bestPlacedArea` is the most part area one
// of its trials placed (a trial that places every part is the one it keeps, but with parts left
// over it keeps the last trial, which need not be the best).
struct ClassicRun {
    Measure measure;
    double bestPlacedArea = 0;
    bool cancelled = false;
};
ClassicRun runClassic(const NestingState& start, double limitSeconds);

struct DeepRunSettings {
    double time = 20;
    std::int64_t iterations = 0;
    int threads = 0;
    std::uint64_t seed = 1;
    std::vector<double> checkpoints;  // ascending elapsed seconds
    bool gaps = true;                 // measure the gaps of the final result
};

// The settings of one run as the options ask, with the seed; gaps measured or not.
DeepRunSettings runSettings(const DeepOptions& options, std::uint64_t seed, bool gaps = true);

struct DeepRun {
    Measure measure;                  // the final result
    DeepWork work;                    // what the run's threads spent their passes on
    std::vector<Measure> atCheckpoint;  // the best result known at each checkpoint (ok false: none yet)
    double firstResultSeconds = -1;   // first improvement, -1 for none
    double firstCompleteSeconds = -1; // first improvement with every part placed, -1 for none
    int improvements = 0;
    int improvementsAfterComplete = 0;
    DeepBest firstComplete;           // as the run reported it
    DeepBest final;
    struct Step {
        double seconds;
        DeepBest best;
    };
    std::vector<Step> trace;          // every improvement as the run reported it
};

// Seconds into the run at which it first had a result at least as good as `target` (as many parts
// placed, fractional sheets no more); -1 when it never did.
double secondsToReach(const DeepRun& run, const DeepBest& target);
DeepRun runDeep(const NestingState& start, const DeepRunSettings& settings);

} // namespace dravenor::bench
