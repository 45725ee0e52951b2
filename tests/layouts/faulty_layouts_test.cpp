// The mark of layouts that fail the outline check, and what the questions before discarding
// layouts say: worked out from made-up layouts whose faults are known.
#include <gtest/gtest.h>

#include "engine/layout_results.h"
#include "geometry/shape_builders.h"
#include "layouts/discarded_layouts.h"
#include "layouts/faulty_layouts.h"

namespace dravenor {
namespace {

using testing::rectangle;

// Layout 1 sound, layout 2 with its two plates on one spot, layout 3 with a plate off its sheet.
Job jobWithFaultyLayouts()
{
    Job job;
    job.nesting.parts = {{"/jobs/a.shp", 0, 0, "", 0, 0}};
    const auto place = [&](int layoutNo, std::vector<double> xs) {
        for (size_t i = 0; i < xs.size(); ++i)
            appendShape(job.nesting.entities, rectangle(xs[i], 0, 100, 50), layoutNo, 1, 1,
                        static_cast<std::int32_t>(i) + 1, 0, 1);
        appendShape(job.nesting.entities, rectangle(0, 0, 1000, 500), layoutNo, 1, 0, 0, 0, 1);
        for (size_t i = 0; i <= xs.size(); ++i)
            job.nesting.items.push_back({"/jobs/a.shp", 0, 0, 0, 1, i == xs.size() ? 0 : 1, layoutNo, 1});
    };
    place(1, {0, 200});
    place(2, {300, 350});
    place(3, {950});
    return job;
}

TEST(FaultyLayouts, AreFoundByTheCheckAndMarkedInTheListReportLinesAndOpeningWarning)
{
    Job job = jobWithFaultyLayouts();
    const FaultyLayouts faulty = faultyLayoutsOf(job);
    const FaultyLayouts expected{{2, {"parts 1 (a.shp) and 2 (a.shp) overlap"}}, {3, {"part 1 (a.shp) leaves the sheet"}}};
    EXPECT_EQ(faulty, expected);
    EXPECT_EQ(markedLayoutListEntries(job.nesting, faulty),
              (std::vector<std::string>{"1/3  [QTY 1]", std::string("2/3  [QTY 1]") + kFaultyLayoutMark,
                                        std::string("3/3  [QTY 1]") + kFaultyLayoutMark}));
    EXPECT_EQ(faultyLayoutLine(faulty, 1), "");
    EXPECT_EQ(faultyLayoutLine(faulty, 2), "Fails the overlap check: parts 1 (a.shp) and 2 (a.shp) overlap");
    EXPECT_EQ(faultyLayoutsWarning(faulty),
              "Layouts 2 and 3 fail the overlap check and cannot be cut as drawn:\n"
              "2: parts 1 (a.shp) and 2 (a.shp) overlap\n3: part 1 (a.shp) leaves the sheet\n"
              "Correct it in the layout editor or optimize again.");
    job.discardResults();
    EXPECT_TRUE(faultyLayoutsOf(job).empty());
    EXPECT_EQ(faultyLayoutsWarning({}), "");
}

TEST(FaultyLayouts, FaultsAreGroupedByLayoutInOrderAndLongListsAreCut)
{
    const std::vector<LayoutFault> faults{{LayoutFault::Kind::Overlap, 3, 1, 2, "layout 3: parts 1 and 2 overlap"},
                                          {LayoutFault::Kind::OutsideSheet, 1, 4, 0, "layout 1: part 4 leaves the sheet"},
                                          {LayoutFault::Kind::Overlap, 3, 5, 6, "layout 3: parts 5 and 6 overlap"}};
    EXPECT_EQ(faultyLayoutsOf(faults),
              (FaultyLayouts{{1, {"part 4 leaves the sheet"}}, {3, {"parts 1 and 2 overlap", "parts 5 and 6 overlap"}}}));
    EXPECT_EQ(faultyLayoutLine({{1, {"a", "b", "c", "d", "e"}}}, 1), "Fails the overlap check: a; b; c; and 2 more");
    EXPECT_EQ(listedLines({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}),
              "1\n2\n3\n4\n5\n6\n7\n8\n... and 2 more\n");
}

TEST(DiscardedLayouts, TheQuestionSaysHowManyLayoutsGoAndWhetherDeepNestingMadeThem)
{
    struct Case { int layouts; bool deep; const char* expected; };
    const Case cases[] = {
        {0, false, "Start a new optimization?"},
        {1, false, "Start a new optimization?\n\nThe layout will be discarded."},
        {3, false, "Start a new optimization?\n\nThe 3 layouts will be discarded."},
        {3, true, "Start a new optimization?\n\nThe 3 layouts made by Deep Nesting will be discarded."},
    };
    for (const Case& c : cases) {
        NestingState state;
        state.deepLayouts = c.deep;
        for (int n = 1; n <= c.layouts; ++n) state.items.push_back({"s.shp", 0, 0, 0, 1, 0, n, 1});
        EXPECT_EQ(layoutCount(state), c.layouts);
        EXPECT_EQ(discardingQuestion(kNewRunQuestion, state), c.expected);
    }
}

} // namespace
} // namespace dravenor
