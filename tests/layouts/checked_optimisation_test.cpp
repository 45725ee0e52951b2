// The guard between the engine and the cutting table: a layout the vector check rejects is named
// and the run is never called a full optimisation.
#include <gtest/gtest.h>

#include "engine/engine_job.h"
#include "layouts/checked_optimisation.h"

using namespace dravenor;
using namespace dravenor::testing;

namespace {

class KeptWarnings : public SilentProgress {
public:
    void warning(const std::string& text) override { warnings.push_back(text); }
    std::vector<std::string> warnings;
};

// Lets a part lie anywhere: every part type starts again at the sheet's corner, on the last one.
bool fitsAnywhere(const Raster&, const Raster&, const KeyPoints&, int, int) { return true; }

} // namespace

TEST(CheckedOptimisation, FaultyLayoutsAreNamedAndNeverCalledFull)
{
    struct Case {
        FitTest fitTest;
        EndStatus status;
        const char* statusStart;
    };
    for (const Case& c : {Case{nullptr, EndStatus::Full, "Full Optimization Done# ["},
                          Case{&fitsAnywhere, EndStatus::Partial, "Optimization Done, Layouts Need Checking# ["}}) {
        EngineJob job;
        job.sheet(job.rectangleFile("s.shp", 300, 200), 1)
            .part(job.rectangleFile("a.shp", 70, 30), 2)
            .part(job.rectangleFile("b.shp", 40, 20), 2)
            .kerf(2);
        KeptWarnings progress;
        const RunResult result = optimiseChecked(job.state, NestingMode::Free, progress, c.fitTest);
        EXPECT_EQ(result.status, c.status);
        EXPECT_TRUE(result.statusText.starts_with(c.statusStart)) << result.statusText;
        if (c.fitTest) {
            ASSERT_FALSE(progress.warnings.empty());
            EXPECT_NE(progress.warnings.front().find("overlap"), std::string::npos) << progress.warnings.front();
        } else {
            EXPECT_TRUE(progress.warnings.empty());
        }
    }
}
