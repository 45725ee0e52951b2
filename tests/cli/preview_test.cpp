#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "cli_test_support.h"
#include "ui/image_surface.h"

using namespace dravenor::testing;

namespace {

// Bounding box of the pixels that are not white.
QRect inkBox(const QImage& image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255)) box |= QRect(x, y, 1, 1);
    return box;
}

} // namespace

TEST(Preview, DrawsATallThinShapeInASquareViewAtTheTopLeft)
{
    QTemporaryDir dir;
    const QString png = dir.filePath("end.png");
    // The end plate is 200 x 120: the square view is 220 units wide, so on 440 pixels the plate
    // spans 400 x 240 pixels from the top-left corner.
    const ToolRun r = runExecutable({"preview", QString::fromStdString(examplePath("parts/end-plate-200x120.shp")),
                                     "--png", png, "--size", "440x440"});
    ASSERT_EQ(r.code, 0) << r.err;
    QImage image(png);
    ASSERT_EQ(image.size(), QSize(440, 440));
    const QRect ink = inkBox(image);
    EXPECT_NEAR(ink.left(), 0, 1);
    EXPECT_NEAR(ink.top(), 0, 1);
    EXPECT_NEAR(ink.right(), 400, 2);
    EXPECT_NEAR(ink.bottom(), 240, 2);
    // Drawn in the part colour, navy: blue ink, no red or green of its own.
    const QColor edge = image.pixelColor(200, 120 * 2 - 0); // bottom edge of the plate, mid-width
    const QColor hole = image.pixelColor(80, 120);           // centre of the left hole: paper
    EXPECT_GT(edge.blue() - edge.red(), 20) << edge.name().toStdString();
    EXPECT_EQ(edge.red(), edge.green());
    EXPECT_EQ(hole, QColor(Qt::white));
}

TEST(Preview, RejectsBadFilesAndOptionsWithOneLine)
{
    QTemporaryDir dir;
    const QString png = dir.filePath("x.png");
    const ToolRun missing = runExecutable({"preview", dir.filePath("none.shp"), "--png", png});
    EXPECT_EQ(missing.code, 2);
    EXPECT_NE(missing.err.find("none.shp"), std::string::npos) << missing.err;
    EXPECT_EQ(std::count(missing.err.begin(), missing.err.end(), '\n'), 1) << missing.err;
    EXPECT_FALSE(QFile::exists(png));

    const QString shape = QString::fromStdString(examplePath("parts/disc-d1000.shp"));
    EXPECT_EQ(runExecutable({"preview", shape}).code, 2);
    EXPECT_EQ(runExecutable({"preview", shape, "--png", png, "--size", "big"}).code, 2);
    EXPECT_EQ(runExecutable({"preview", shape, "--png", png, "--colour", "22"}).code, 2);
    EXPECT_EQ(runExecutable({"preview", shape, "--png", dir.filePath("no/such/folder/x.png")}).code, 1);
}
