// The commands that read, write and make single shapes: shape-info, preview, close, shp2dxf,
// dxf2shp, stdshape and breakup; and the tool's help.
#include <QImage>
#include <gtest/gtest.h>

#include "cli_test_support.h"
#include "geometry/golden_file.h"
#include "geometry/primitives.h"
#include "geometry/shape_measure.h"
#include "support/ink.h"

using namespace dravenor;
using namespace dravenor::testing;

namespace {

const std::string kTemplates = DRAVENOR_RESOURCE_DIR;

Shape readBack(const std::string& path)
{
    Shape shape;
    const ShapeReadReport report = readShapeByExtension(path, shape);
    EXPECT_TRUE(report.readable) << path << ": " << report.error;
    return shape;
}

// Content that cannot be a good shape is warned about; unreadable and binary files are refused
// one line each, and the rest still reported.
TEST(ShapeInfo, WarnsAboutBadContentAndGoesOnPastFilesItCannotRead)
{
    TempFolder dir;
    const std::string binary = dir.write("photo.shp", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
    ToolRun r = runInProcess({"shape-info", dir.write("open.shp", "\"0\",\"0\",\"100\",\"0\",\"0\",\"0\",\"0\",\"0\",\"0\"\r\n"),
                              dir.write("empty.shp", ""), dir.write("words.shp", "\"a\",\"0\",\"1\",\"0\",\"0\",\"0\",\"0\",\"0\",\"0\"\r\n"),
                              dir.write("zero.shp", "5,5,5,5,0,0,0,0,0\r\n")});
    EXPECT_EQ(r.code, 0) << r.err;
    for (const char* warning : {"the outline is not closed: 2 entity ends meet no other end", "holds no entity",
                                "1 field is not a number", "1 degenerate entity"})
        EXPECT_TRUE(contains(r.out, warning)) << r.out;

    r = runInProcess({"shape-info", binary, dir.file("missing.shp"), dir.folder(), examplePath("parts/washer-od40-id18.shp")});
    EXPECT_EQ(std::tuple(r.code, std::count(r.err.begin(), r.err.end(), '\n')), std::tuple(2, 3)) << r.err;
    for (const std::string& named : {binary + ": holds binary bytes", dir.file("missing.shp"), dir.folder() + ":"})
        EXPECT_TRUE(contains(r.err, named)) << r.err;
    EXPECT_TRUE(contains(r.out, "washer-od40-id18.shp\n  entities: 2 (0 lines, 0 arcs, 2 circles)\n  extents: 0, 0 to 40, 40"))
        << "the good file is still reported: " << r.out;
}

// The 200 x 120 end plate spans 5 : 3 of the pixels whichever way the picture is stretched, and
// fills it one way. In a square picture the view is 220 units wide, so on 440 pixels the plate
// spans 400 x 240 pixels, centred with room on every side (an edge on the frame would vanish),
// drawn in navy (blue ink, no red or green of its own) with its hole left as paper.
TEST(Preview, DrawsTheShapeInItsProportionsCentredInsideTheFrame)
{
    TempFolder dir;
    for (const std::string size : {"440x440", "880x440", "440x880", "600x200"}) {
        const std::string png = dir.file(size + ".png");
        const ToolRun r = runInProcess({"preview", examplePath("parts/end-plate-200x120.shp"), "--png", png, "--size", size});
        ASSERT_EQ(r.code, 0) << r.err;
        const QImage image(QString::fromStdString(png));
        const QRect ink = inkedBox(image);
        EXPECT_NEAR(static_cast<double>(ink.width()) / ink.height(), 200.0 / 120, 0.03) << size;
        EXPECT_GT(std::max(static_cast<double>(ink.width()) / image.width(), static_cast<double>(ink.height()) / image.height()),
                  0.85) << size << ": the plate fills the picture one way";
        if (size != "440x440") continue;
        ASSERT_EQ(image.size(), QSize(440, 440));
        EXPECT_TRUE(std::abs(ink.left() - 20) <= 1 && std::abs(ink.top() - 100) <= 1 && std::abs(ink.right() - 420) <= 2 &&
                    std::abs(ink.bottom() - 340) <= 2) << ink.left() << "," << ink.top() << " " << ink.right() << "," << ink.bottom();
        const QColor edge = image.pixelColor(220, 340);
        EXPECT_TRUE(edge.blue() - edge.red() > 20 && edge.red() == edge.green()) << edge.name().toStdString();
        EXPECT_EQ(image.pixelColor(100, 220), QColor(Qt::white));
    }
}

// close, dxf2shp, shp2dxf and stdshape: what each prints and warns, and what it wrote read back,
// as the golden file shows ("@" in an argument stands for the test's folder, DIR in the file).
TEST(ShapeCommands, WriteShapeFilesAndDrawingsAndSayWhatTheyDid)
{
    TempFolder dir;
    const Shape square = rectangle(0, 0, 10, 10);
    Shape open = square, wide = square;
    open[3] = {0, 10, 0.3, 0.4}; // 0.5 short of the start
    wide[3] = {0, 10, 0.72, 0.96};
    dir.write("open.shp", shapeToFileText(open));
    dir.write("square.shp", shapeToFileText(square));
    dir.write("wide.shp", shapeToFileText(wide));
    savedShape(dir, "bracket.shp",
               {lineEntity(0, 0, 40, 0), lineEntity(40, 0, 40, 20), arcEntity(40, 40, 20, 270, 180), arcEntity(20, 10, 4, 0, 0)});
    // A release-12 drawing of three lines as other programs write them, the last stopping 0.5 short.
    dir.write("open.dxf", TempFolder::read(DRAVENOR_TEST_DATA "/dxf/open-triangle.dxf"));
    std::string record;
    const auto inFolder = [&](std::string text) {
        for (size_t at; (at = text.find(dir.folder())) != std::string::npos;) text.replace(at, dir.folder().size(), "DIR");
        return text;
    };
    for (cli::Args args : std::vector<cli::Args>{
             {"close", "@open.shp", "@closed.shp"}, {"close", "@square.shp", "@square.shp"}, {"close", "@wide.shp", "@out.shp"},
             {"close", "@open.shp", "@closed.dxf"}, {"close", "@open.dxf", "@closed-triangle.shp"},
             {"dxf2shp", "@open.dxf", "@triangle.shp"}, {"shp2dxf", "@bracket.shp", "@bracket.dxf"},
             {"stdshape", "Ring", "--param", "Big Dia=100", "--param", "small_dia=50", "-o", "@ring.shp"},
             {"stdshape", "rectangle_for_part", "--param", "Small Length=50", "--param", "Big Length=100", "--rotate", "90",
              "-o", "@plate.dxf"}}) {
        record += "=== " + args[0];
        for (std::string& a : args)
            if (a[0] == '@') record.append(" ").append(a, 1), a = dir.file(a.substr(1));
        if (args[0] != "dxf2shp") args.insert(args.end(), {"--templates", kTemplates});
        const ToolRun r = runInProcess(args);
        record += "\nexit " + std::to_string(r.code) + "\n" + inFolder(r.out + r.err);
    }
    EXPECT_EQ(TempFolder::read(dir.file("square.shp")), shapeToFileText(square)) << "already closed: left as it was";
    for (const char* name : {"closed.shp", "closed.dxf", "closed-triangle.shp", "triangle.shp", "bracket.dxf", "ring.shp",
                             "plate.dxf"}) {
        Shape shape;
        record += std::string("=== read back ") + name + "\n" + goldenRead(shape, readShapeByExtension(dir.file(name), shape));
    }
    expectGolden("cli/shape-commands.txt", record);

    const ToolRun list = runInProcess({"stdshape", "--list"});
    EXPECT_EQ(std::count(list.out.begin(), list.out.end(), '\n'), 15);
    EXPECT_TRUE(contains(list.out, "Notched Rectangle: Big Length, Small Length, Notch Rad")) << list.out;
}

// The pieces themselves are checked by the breakup tests of the library; here their files: one
// drawing per distinct piece named with the pieces needed, old drawings replaced, together covering
// the whole shell; and the point of a breakup: shells larger than the plate become pieces the
// nesting places in full.
TEST(BreakupCommand, WritesOneDrawingPerDistinctPieceWhosePiecesNestFully)
{
    TempFolder folder;
    folder.write("shell-1x1.dxf", "old");
    // A 1000 wide cylinder on 2500 x 1250 plates and a 3000 / 1000 cone, 2000 high, on 1250 wide
    // plates; parameter names spelt as users type them.
    ToolRun r = runInProcess({"breakup", "cylinder", "--param", "Dia=1000", "--param", "Height=1300", "--param",
                              "Plate Len=2500", "--param", "plate_wid=1250", "--param", "SegWid=100", "--param", "Kerf=2",
                              "-o", folder.file("shell"), "--templates", kTemplates});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(contains(r.out, folder.file("shell-1x1.dxf") + ": 1200 x 2496, needed 1\n")) << r.out;
    EXPECT_TRUE(contains(r.out, folder.file("shell-2x1.dxf") + ": 100 x 2496, needed 1\n")) << r.out;
    double area = 0;
    for (const std::string& name : folder.entries()) area += measureShape(readBack(folder.file(name))).enclosedArea;
    EXPECT_NEAR(area, kPi * 1000 * 1300, 1e-3);
    r = runInProcess({"breakup", "cone", "--param", "Dia Big=3000", "--param", "Dia Small=1000", "--param", "Height=2000",
                      "--param", "Plate Wid=1250", "--param", "Seg Wid=200", "--param", "Ang Br=4", "--param", "Kerf=2",
                      "-o", folder.file("cone"), "--templates", kTemplates});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(contains(r.out, folder.file("cone-2x4.dxf") + ": ") && contains(r.out, "needed 4")) << r.out;
    EXPECT_EQ(folder.entries(), (std::vector<std::string>{"cone-1x4.dxf", "cone-2x4.dxf", "shell-1x1.dxf",
                                                          "shell-2x1.dxf", "shell-3x1.dxf", "shell-4x1.dxf"}));

    // The classic engine keeps parts half the kerf inside the plate, on whole raster cells: the 1246 high
    // cone bands need a little more than the 1250 they were cut for.
    ASSERT_EQ(runInProcess({"stdshape", "Rectangle for Part", "--param", "Small Length=1260", "--param",
                            "Big Length=2500", "-o", folder.file("plate.shp")}).code, 0);
    cli::Args nest{"nest", "--sheet", folder.file("plate.shp") + ":40", "--kerf", "2"};
    for (const std::string& name : folder.entries()) // the count needed: the digit after the "x" of the name
        if (name != "plate.shp") nest.insert(nest.end(), {"--part", folder.file(name) + ":" + name.substr(name.find('x') + 1, 1)});
    r = runInProcess(nest);
    EXPECT_EQ(r.code, 0) << r.out << r.err;
    EXPECT_TRUE(contains(r.out, "Full Optimization Done")) << r.out;
}

TEST(ToolHelp, ToolAndEveryCommandHaveHelp)
{
    const ToolRun tool = runInProcess({"--help"});
    EXPECT_EQ(tool.code, 0);
    for (const cli::Command& c : cli::commands()) {
        EXPECT_TRUE(contains(tool.out, "  " + c.name + " ")) << c.name << tool.out;
        const ToolRun r = runInProcess({c.name, "--help"});
        EXPECT_EQ(r.code, 0) << c.name;
        EXPECT_TRUE(contains(r.out, "Usage: dravenor-cli " + c.name)) << r.out;
    }
    EXPECT_TRUE(contains(runInProcess({"breakup", "--help"}).out, "Plate Wid"));
}

} // namespace
