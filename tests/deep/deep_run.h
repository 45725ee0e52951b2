#pragma once
// Running Deep Nesting in the tests: a progress that records what it is told and can stop the run,
// settings for short runs of fixed work, and the checks every result must pass, made apart from
// the optimiser: the vector check of layouts with its exact least distances, orientation rules and
// record counts.
#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "deep/deep_nesting.h"
#include "layouts/layout_geometry_check.h"

namespace dravenor::testing {

class RecordingProgress : public DeepProgress {
public:
    void improved(const DeepBest& best, const NestingState& layouts) override
    {
        ++improvements;
        shown = layouts;
        lastBest = best;
    }
    void tick(double, std::int64_t) override {}
    void warning(const std::string& text) override { warnings.push_back(text); }
    bool stopRequested() override { return stopWhen && stopWhen(); }

    int improvements = 0;
    NestingState shown;
    DeepBest lastBest;
    std::vector<std::string> warnings;
    std::function<bool()> stopWhen;
};

// A case's description as a test name: letters and digits, the rest '_'.
inline std::string caseName(std::string name)
{
    for (char& ch : name)
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
    return name;
}

inline DeepSettings fixedWork(std::int64_t passes, int threads = 1, double spacing = -1, double margin = 0)
{
    DeepSettings s;
    s.iterations = passes;
    s.threads = threads;
    s.spacing = spacing;
    s.margin = margin;
    return s;
}

// Placed instances per part record (1-based index), counting identical sheets.
inline std::map<int, int> placedCounts(const NestingState& state)
{
    std::map<int, int> counts;
    for (const LayoutItem& item : state.items)
        if (item.PartIndex > 0) counts[item.PartIndex] += item.Qty;
    return counts;
}

// Everything a result must be: cut as laid out, the gaps kept, the rules of each part obeyed, and
// the records' remaining quantities telling what was placed.
inline void expectSound(const NestingState& state, double spacing, double margin)
{
    for (const LayoutFault& fault : checkLayouts(state, 1e-6, {spacing, margin})) ADD_FAILURE() << fault.text;
    for (const LayoutItem& item : state.items) {
        if (item.PartIndex == 0) continue;
        const PartEntry& part = state.part(item.PartIndex);
        const double turn = std::fmod(item.Angle + 360, 360);
        const double step = part.Orn == "No" ? 360 : part.Orn == "step180" ? 180 : part.Orn == "step90" ? 90 : 0;
        if (step > 0) {
            EXPECT_EQ(std::fmod(turn, step), 0) << item.Name << " (" << part.Orn << ") at " << item.Angle;
        }
        EXPECT_TRUE(part.Mirror || !item.Mirror) << item.Name << " lies mirrored";
    }
    const std::map<int, int> placed = placedCounts(state);
    for (std::size_t p = 0; p < state.parts.size(); ++p) {
        const auto it = placed.find(static_cast<int>(p + 1));
        EXPECT_EQ(state.parts[p].Remaining, state.parts[p].Qty - (it == placed.end() ? 0 : it->second))
            << state.parts[p].FileName;
    }
}

inline int sheetsUsed(const NestingState& state)
{
    int sheets = 0;
    for (const LayoutItem& item : state.items)
        if (item.PartIndex == 0) sheets += item.Qty;
    return sheets;
}

} // namespace dravenor::testing
