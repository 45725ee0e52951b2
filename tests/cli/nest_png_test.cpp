#include <QImage>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>

#include "cli_test_support.h"
#include "geometry/shape_builders.h"
#include "geometry/shape_file.h"
#include "layouts/part_colours.h"
#include "support/ink.h"
#include "support/temp_folder.h"

using namespace dravenor::testing;
using dravenor::cli::Args;

namespace {

// Two parts that cannot share a 300 x 300 sheet: one layout each.
struct TwoLayoutJob {
    TempFolder dir;
    std::string sheet = savedShape(dir, "sheet.shp", rectangle(0, 0, 300, 300));
    std::string square = savedShape(dir, "square.shp", rectangle(0, 0, 250, 250));
    std::string tall = savedShape(dir, "tall.shp", rectangle(0, 0, 200, 280));

    ToolRun nest(const std::string& pngFolder) const
    {
        return runInProcess(Args{"nest", "--kerf", "3", "--sheet", sheet + ":2", "--part", square, "--part", tall,
                                 "--png", pngFolder});
    }
};

// Whether some pixel lies on the way from white to the colour (an anti-aliased line of it), at
// least half-way.
bool showsColour(const QImage& image, std::uint32_t rgb)
{
    const int target[3] = {int(rgb >> 16 & 0xFF), int(rgb >> 8 & 0xFF), int(rgb & 0xFF)};
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c(image.pixel(x, y));
            const int got[3] = {c.red(), c.green(), c.blue()};
            // The share of the colour over white, from the channel that moved most.
            int strongest = 0;
            for (int i = 1; i < 3; ++i)
                if (255 - target[i] > 255 - target[strongest]) strongest = i;
            const double share = (255.0 - got[strongest]) / (255.0 - target[strongest]);
            if (share < 0.5) continue;
            bool fits = true;
            for (int i = 0; i < 3; ++i) fits = fits && std::abs(got[i] - (255 - share * (255 - target[i]))) <= 12;
            if (fits) return true;
        }
    return false;
}

} // namespace

TEST(NestPng, WritesOnePictureOfEveryLayoutIntoANewFolder)
{
    TwoLayoutJob job;
    const std::string folder = job.dir.file("pictures/run1");
    const ToolRun r = job.nest(folder);
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("2 layout pictures written to " + folder), std::string::npos) << r.out;

    bool squareSeen = false, tallSeen = false;
    for (const char* name : {"layout-1.png", "layout-2.png"}) {
        const QImage image(QString::fromStdString(folder + "/" + name));
        ASSERT_FALSE(image.isNull()) << name;
        EXPECT_LE(std::max(image.width(), image.height()), 1600) << name;
        EXPECT_GE(std::max(image.width(), image.height()), 1500) << name;
        EXPECT_GT(inkedPixels(image), 2000) << name;
        EXPECT_TRUE(showsColour(image, 0x000000)) << name; // the sheet
        const bool square = showsColour(image, dravenor::layoutPartColour(1));
        const bool tall = showsColour(image, dravenor::layoutPartColour(2));
        EXPECT_NE(square, tall) << name << ": each layout holds one of the two parts";
        squareSeen = squareSeen || square;
        tallSeen = tallSeen || tall;
    }
    EXPECT_TRUE(squareSeen && tallSeen);
    EXPECT_FALSE(QImage(QString::fromStdString(folder + "/layout-3.png")).width() > 0);
}

TEST(NestPng, AFolderThatCannotHoldThePicturesEndsWithAClearLine)
{
    TwoLayoutJob job;
    const std::string file = job.dir.write("taken", "not a folder");
    const ToolRun r = job.nest(file);
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find(file), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("not a folder"), std::string::npos) << r.err;

    // A folder where the first picture's name is taken by a folder: writing it fails.
    const std::string blocked = job.dir.file("blocked");
    std::filesystem::create_directories(blocked + "/layout-1.png");
    const ToolRun denied = job.nest(blocked);
    EXPECT_EQ(denied.code, 2);
    EXPECT_NE(denied.err.find(blocked + "/layout-1.png"), std::string::npos) << denied.err;
}
