// Whole optimisations (set-up, order, trials, cancelling, layouts judged on the vector geometry)
// and the layout lists they leave: repeated layouts and the item list.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <sstream>

#include "cell_by_cell_fit.h"
#include "engine/kerf_scale.h"
#include "engine/layout_results.h"
#include "engine/layout_summary.h"
#include "engine/nesting_driver.h"
#include "engine/run_texts.h"
#include "engine_job.h"
#include "layouts/layout_geometry_check.h"

using namespace dravenor;
using namespace dravenor::testing;

namespace {

// Records the first sheet strategised in each trial and the layout numbers shown; cancels at its
// first poll (which comes after the first sheet) when told to.
struct Recorder : SilentProgress {
    std::set<std::string> firstSheets;
    std::vector<int> layoutsShown;
    std::string lastTitle;
    bool waiting = false, cancel = false;
    bool cancelRequested() override { return cancel; }
    void trialStarted(int, int) override { waiting = true; }
    void layoutNumber(int layoutNo) override { layoutsShown.push_back(layoutNo); }
    void title(const std::string& text) override { lastTitle = text; }
    void status(const std::string& text, long long, long long) override
    {
        if (waiting && text.starts_with("Strategizing for sheet ")) firstSheets.insert(text);
        waiting = waiting && !text.starts_with("Strategizing for sheet ");
    }
};

} // namespace

TEST(RunTexts, NiceKerfElapsedTimeTitleAndEndStatus)
{
    // A whole kerf stays; the fraction goes to fives of its first digits, at least 0.01.
    for (const auto& [kerf, nice] : std::vector<std::pair<double, double>>{
             {0.0625, 0.06}, {1.234, 1.25}, {0.3, 0.3}, {3, 3}, {6.25, 6.25}, {2.0001, 2.01}})
        EXPECT_DOUBLE_EQ(niceKerf(kerf), nice) << kerf;
    // Seconds to the hundredth, without trailing zeros.
    EXPECT_EQ(formatElapsed(0.25) + "|" + formatElapsed(15) + "|" + formatElapsed(0.004) + "|" + formatElapsed(61.5),
              "0.25 s|15 s|0 s|61.5 s");
    EXPECT_EQ(endStatusText(EndStatus::Full, 0.5) + "|" + endStatusText(EndStatus::Partial, 12.345) + "|" +
                  endStatusText(EndStatus::Failed, 5),
              "Full Optimization Done [0.5 s]|Partial Optimization Done [12.35 s]|Optimization Failed [5 s]");
    EXPECT_EQ(progressTitle(1, 16, false, 0, 0), "Nesting Progress : 6%  | Ov. Yield : NA | Layouts : NA");
    EXPECT_EQ(progressTitle(8, 16, true, 0.8123456, 3), "Nesting Progress : 50%  | Ov. Yield : 81.235% | Layouts : 3");
    EXPECT_EQ(progressTitle(1, 1, true, 0.5, 1), "Nesting Progress : 100%  | Ov. Yield : 50% | Layouts : 1");
}

TEST(KerfAndScale, KerfGrowsToCapTheSheetRasterAndGiveTheSmallestPartTwoCells)
{
    struct Case {
        double sheetW, sheetH, partW, partH, kerf, actKerf;
    };
    // One cell per kerf; the cap of about 1600 cells across the largest sheet (no kerf starts
    // at 0.0625: 1000 / 1600 = 0.625 -> 0.6); the smallest part two cells across (1.2 / 2); an
    // absurdly small kerf cannot make the raster larger.
    for (const Case& c : std::vector<Case>{{1000, 500, 100, 50, 3, 3},
                                           {10000, 10000, 500, 500, 3, 6.25},
                                           {1000, 1000, 100, 100, 0, 0.6},
                                           {1000, 500, 100, 1.2, 3, 0.6},
                                           {3000, 1500, 100, 100, 1e-9, 1.35}}) {
        EngineJob job;
        job.sheet(job.rectangleFile("s.shp", c.sheetW, c.sheetH), 1);
        job.part(job.rectangleFile("p.shp", c.partW, c.partH), 1).kerf(c.kerf);
        const KerfScale plan = planKerfAndScale(job.state);
        EXPECT_DOUBLE_EQ(plan.actKerf, c.actKerf) << c.sheetW << " " << c.partH << " " << c.kerf;
        EXPECT_EQ(plan.smallPartRule, c.partH == 1.2);
        EXPECT_TRUE(plan.smallPartRule || plan.largestSheetCells() < 1700) << plan.largestSheetCells();
    }
}

TEST(Driver, SortsSheetsAndPartsByPriorityThenArea)
{
    EngineJob job;
    job.sheet(job.rectangleFile("last.shp", 900, 900), 1, 0)
        .sheet(job.rectangleFile("small.shp", 300, 300), 1, 2)
        .sheet(job.rectangleFile("large.shp", 600, 600), 1, 2);
    job.part(job.rectangleFile("p1.shp", 10, 10), 1, 1)
        .part(job.rectangleFile("p2.shp", 40, 40), 1, 0)
        .part(job.rectangleFile("p3.shp", 20, 20), 1, 1)
        .kerf(1);
    SilentProgress progress;
    NestingRun run(job.state, NestingMode::Free, progress);
    setUpKerfAndScale(run);
    computeAreasAndSort(run);
    std::string order;
    for (const auto& e : job.state.sheets) order += e.FileName.substr(e.FileName.rfind('/') + 1) + " ";
    for (const auto& e : job.state.parts) order += e.FileName.substr(e.FileName.rfind('/') + 1) + " ";
    EXPECT_EQ(order, "large.shp small.shp last.shp p3.shp p1.shp p2.shp ");
    EXPECT_EQ(job.state.sheets[2].Pri, 32767) << "priority 0 sorts last";
    EXPECT_EQ(job.state.parts[0].Area, 400);
}

// With n sheet types, n^4 trials; sheets of equal priority each come first in some trial, and a
// second run gives the same layouts.
TEST(Driver, TriesSheetsOfEqualPriorityInRandomOrderReproducibly)
{
    for (int types = 1; types <= 4; ++types) {
        EngineJob job;
        std::set<std::string> sheets;
        for (int s = 1; s <= types; ++s) {
            const std::string name = "s" + std::to_string(s) + ".shp";
            job.sheet(job.rectangleFile(name, 300, 300), 1, 1);
            sheets.insert("Strategizing for sheet " + name + "...");
        }
        job.part(job.rectangleFile("p.shp", 200, 200), types).kerf(3);
        NestingState again = job.state;
        Recorder progress;
        const RunResult result = optimise(job.state, NestingMode::Free, progress);
        EXPECT_EQ(std::tuple(result.trials, result.trialsRun, result.status, progress.firstSheets),
                  std::tuple(types * types * types * types, types * types * types * types, EndStatus::Full, sheets))
            << types << " sheet types";
        optimise(again, NestingMode::Free, progress);
        EXPECT_EQ(again.entities, job.state.entities);
    }
}

TEST(Driver, CancelKeepsTheCancelledTrialsLayouts)
{
    EngineJob job;
    job.sheet(job.rectangleFile("a.shp", 300, 300), 5, 1).sheet(job.rectangleFile("b.shp", 300, 300), 5, 1);
    job.part(job.rectangleFile("p.shp", 200, 200), 12).kerf(3);
    Recorder progress;
    progress.cancel = true;
    const RunResult result = optimise(job.state, NestingMode::Free, progress);
    EXPECT_EQ(std::tuple(result.cancelled, result.trialsRun, result.status), std::tuple(true, 1, EndStatus::Partial));
    // The first sheet's layout, repeated over its stock.
    EXPECT_EQ(std::tuple(job.state.entities.back().LayoutNo, job.state.entities.back().Qty, job.state.parts[0].Remaining),
              std::tuple(1, 5, 7));
}

// A run in which no trial places every part still made layouts: its last title says how many.
TEST(Driver, PartialRunTitleNamesTheLayoutsMade)
{
    EngineJob job;
    job.sheet(job.rectangleFile("s.shp", 300, 300), 2, 1);
    job.part(job.rectangleFile("p.shp", 200, 200), 2).part(job.rectangleFile("huge.shp", 500, 500), 1).kerf(3);
    Recorder progress;
    const RunResult result = optimise(job.state, NestingMode::Free, progress);
    EXPECT_EQ(std::tuple(result.status, progress.lastTitle),
              std::tuple(EndStatus::Partial, std::string("Nesting Progress : 100%  | Ov. Yield : 44.444% | Layouts : 1")));
}

// The cell-by-cell identity: part types with arcs, triangles that may not turn and tabs that turn
// in quarters share sheets of two types (one nested turned; one too small for a washer; one with a
// hole), and the engine's fit test gives exactly the layouts of the cell-by-cell one, in every mode.
// The layouts are sound, judged on the true outlines: parts at least the kerf apart and half of it
// from the sheet's outline and holes (float noise allowed), also where the smallest part makes the
// cells narrower than the kerf; each part placed as often as demanded, sheets within stock, yields
// adding up (how "No" and "step90" parts lie is judged by the part-rule tests).
TEST(Driver, EngineFitTestGivesTheCellByCellLayoutsAndTheyKeepTheKerf)
{
    constexpr double kNoise = 0.01;
    const Shape triangle = polygon({{0, 0}, {60, 0}, {0, 40}});
    const Shape halfDisc{arcEntity(35, 0, 35, 0, 180), lineEntity(0, 0, 70, 0)};
    Shape holedSheet = polygon({{0, 0}, {420, 0}, {420, 180}, {300, 260}, {0, 260}});
    append(holedSheet, circle(210, 130, 45));
    struct Case {
        const char* name;
        double kerf;
        double smallSide; // of the tabs; 0: the job of two plain sheets and a large washer
    };
    for (const Case& c : {Case{"plain sheets, kerf 2", 2, 0}, Case{"a holed sheet, kerf 2.5", 2.5, 9},
                          Case{"kerf 4, cells of 2.5", 4, 5}})
        for (const NestingMode mode : {NestingMode::Free, NestingMode::Stack, NestingMode::ContinuousStack}) {
            SCOPED_TRACE(std::string(c.name) + " mode " + std::to_string(static_cast<int>(mode)));
            EngineJob job;
            job.part(job.shapeFile("a.shp", halfDisc), c.smallSide ? 7 : 9)
                .part(job.shapeFile("c.shp", triangle), 8, 0, "No")
                .kerf(c.kerf);
            if (c.smallSide)
                job.sheet(job.shapeFile("holed.shp", holedSheet), 2)
                    .sheet(job.rectangleFile("plain.shp", 250, 200), 3)
                    .part(job.shapeFile("ring.shp", washer(0, 0, 80, 40)), 3)
                    .part(job.rectangleFile("tab.shp", 23.7, c.smallSide), 12, 0, "step90");
            else
                job.sheet(job.rectangleFile("s1.shp", 300, 200), 3)
                    .sheet(job.rectangleFile("s2.shp", 250, 250), 2)
                    .part(job.rectangleFile("b.shp", 45, 25), 7, 0, "step90")
                    .part(job.shapeFile("w.shp", washer(0, 0, 220, 100)), 2);
            NestingState reference = job.state;
            SilentProgress progress;
            const RunResult result = optimise(job.state, mode, progress);
            optimise(reference, mode, progress, nullptr, &cellByCellFits);
            const NestingState& state = job.state;
            EXPECT_GT(state.entities.size(), 20u);
            EXPECT_EQ(state.entities, reference.entities);
            EXPECT_EQ(result.status, EndStatus::Full) << result.statusText;
            for (const LayoutFault& f : checkLayouts(state, kNoise, {c.kerf - kNoise, c.kerf / 2 - kNoise}))
                ADD_FAILURE() << f.text;

            std::vector<long long> parts(state.parts.size()), sheets(state.sheets.size());
            for (const LayoutItem& i : state.items)
                (i.PartIndex ? parts[i.PartIndex - 1] : sheets[i.SheetIndex - 1]) += i.Qty;
            for (size_t i = 0; i < parts.size(); ++i) EXPECT_EQ(parts[i], state.parts[i].Qty) << i;
            for (size_t i = 0; i < sheets.size(); ++i) {
                EXPECT_LE(sheets[i], state.sheets[i].Qty) << i;
                EXPECT_EQ(sheets[i], state.sheets[i].Qty - std::abs(state.sheets[i].Remaining)) << i;
            }
            const std::vector<LayoutSummary> layouts = summariseLayouts(state);
            double placed = 0, used = 0;
            for (const PartEntry& p : state.parts) placed += static_cast<double>(p.Area) * p.Qty;
            for (const LayoutSummary& s : layouts) {
                EXPECT_LE(s.yield(), 1.05) << "layout " << s.layoutNo; // raster areas are a little generous
                used += s.sheetArea * s.qty;
            }
            EXPECT_DOUBLE_EQ(overallYield(layouts), result.bestYield);
            EXPECT_DOUBLE_EQ(placed / used, result.bestYield);
        }
}

// The first copy of each layout is already taken from stock and demand; further copies are taken
// while both allow, and every entity of the layout carries the number of identical sheets.
TEST(RepeatLayout, RepeatsWhileStockAndDemandAllowAndWritesTheQuantity)
{
    struct Case {
        const char* name;
        std::int32_t stock, stockLeft;
        std::vector<std::pair<std::int32_t, std::int32_t>> parts; // demand and what is left of it
        std::vector<std::int32_t> counts;                           // instances on the layout
        std::int32_t qty, stockAfter;
        std::vector<std::int32_t> partsAfter;
    };
    for (const Case& c : std::vector<Case>{
             {"three identical sheets", 10, 9, {{6, 4}, {3, 2}}, {2, 1}, 3, 7, {0, 0}},
             {"part b has fewer left than the layout holds", 10, 9, {{9, 8}, {3, 1}}, {1, 2}, 1, 9, {8, 1}},
             {"the last sheet of the stock is used", 1, 0, {{9, 8}}, {1}, 1, 0, {8}}}) {
        SCOPED_TRACE(c.name);
        NestingState state;
        state.sheets.emplace_back().Qty = c.stock;
        state.sheets[0].Remaining = c.stockLeft;
        state.sheets[0].Area = 1000;
        double sheetArea = 1000, partArea = 0;
        for (size_t i = 0; i < c.parts.size(); ++i) {
            PartEntry& part = state.parts.emplace_back();
            part.Qty = c.parts[i].first;
            part.Remaining = c.parts[i].second;
            part.Area = i == 0 ? 100 : 50;
            partArea += part.Area * c.counts[i];
            appendShape(state.entities, rectangle(0, 0, 1, 1), 1, 1, static_cast<std::int32_t>(i + 1), 1, 0);
        }
        appendShape(state.entities, rectangle(0, 0, 9, 9), 1, 1, 0, 0, 0);
        const double layoutPartArea = partArea;
        Recorder progress;
        EXPECT_EQ(repeatLayout(state, c.counts, 1, 1, sheetArea, partArea, progress), c.qty);
        for (size_t i = 0; i < c.parts.size(); ++i) EXPECT_EQ(state.parts[i].Remaining, c.partsAfter[i]) << i;
        EXPECT_EQ(std::tuple(state.sheets[0].Remaining, sheetArea, partArea),
                  std::tuple(c.stockAfter, 1000.0 * c.qty, layoutPartArea * c.qty));
        for (const LayoutEntity& e : state.entities) EXPECT_EQ(e.Qty, c.qty);
        EXPECT_EQ(progress.layoutsShown, std::vector<int>(static_cast<size_t>(c.qty - 1), 1));
    }
}

TEST(BuildItemList, ListsInstancesInOrderThenTheSheetPerLayout)
{
    NestingState state;
    for (const char* name : {"a.shp", "b.shp"}) state.parts.emplace_back().FileName = name;
    state.sheets.emplace_back().FileName = "sheet.shp";
    appendShape(state.entities, rectangle(10, 20, 5, 5), 1, 1, 1, 1, 90, 2);
    appendShape(state.entities, rectangle(30, 40, 5, 5), 1, 1, 1, 2, 180, 2);
    Shape b = rectangle(50, 60, 5, 5);
    b.push_back(arcEntity(50, 60, 8, 0, 0)); // the circle reaches below and left of the lines
    appendShape(state.entities, b, 1, 1, 2, 3, 270, 2);
    appendShape(state.entities, rectangle(0, 0, 100, 100), 1, 1, 0, 0, 90, 2);
    appendShape(state.entities, rectangle(1, 2, 5, 5), 2, 1, 2, 1, 0, 1);
    appendShape(state.entities, rectangle(0, 0, 100, 100), 2, 1, 0, 0, 0, 1);
    // Name, X, Y, Angle, SheetIndex, PartIndex, LayoutNo, Qty; the sheet row carries no angle.
    std::vector<std::string> rows;
    for (const LayoutItem& i : buildItemList(state)) {
        std::ostringstream row;
        row << i.Name << " " << i.X << " " << i.Y << " " << i.Angle << " " << i.SheetIndex << " " << i.PartIndex
            << " " << i.LayoutNo << " " << i.Qty;
        rows.push_back(row.str());
    }
    EXPECT_EQ(rows, (std::vector<std::string>{"a.shp 10 20 90 1 1 1 2", "a.shp 30 40 180 1 1 1 2",
                                              "b.shp 42 52 270 1 2 1 2", "sheet.shp 0 0 0 1 0 1 2",
                                              "b.shp 1 2 0 1 2 2 1", "sheet.shp 0 0 0 1 0 2 1"}));
}
