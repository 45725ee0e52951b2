#include <QProcess>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "cli/cli_test_support.h"
#include "geometry/primitives.h"
#include "geometry/shape_file.h"
#include "geometry/shape_measure.h"

namespace dravenor::testing {
namespace {

const std::string kTemplates = DRAVENOR_RESOURCE_DIR;

cli::Args cylinderArgs(const TempFolder& folder, const std::string& height)
{
    return {"breakup", "cylinder", "--param", "Dia=1000", "--param", "Height=" + height, "--param", "Plate Len=2500",
            "--param", "plate_wid=1250", "--param", "SegWid=100", "--param", "Kerf=2",
            "-o", folder.file("shell"), "--templates", kTemplates};
}

cli::Args coneArgs(const TempFolder& folder, const std::string& small)
{
    return {"breakup", "cone", "--param", "Dia Big=3000", "--param", "Dia Small=" + small, "--param", "Height=2000",
            "--param", "Plate Wid=1500", "--param", "Seg Wid=200", "--param", "Ang Br=4", "--param", "Kerf=2",
            "-o", folder.file("cone"), "--templates", kTemplates};
}

// The arguments with one item swapped for another.
cli::Args replaced(cli::Args args, const std::string& item, const std::string& by)
{
    const auto it = std::find(args.begin(), args.end(), item);
    EXPECT_NE(it, args.end()) << item;
    if (it != args.end()) *it = by;
    return args;
}

Shape readBack(const std::string& path)
{
    Shape shape;
    const ShapeReadReport report = readShapeByExtension(path, shape);
    EXPECT_TRUE(report.readable) << report.error;
    return shape;
}

TEST(BreakupCommand, CylinderWritesOneDrawingPerDistinctPiece)
{
    TempFolder folder;
    const ToolRun r = runInProcess(cylinderArgs(folder, "1300"));
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(folder.entries(),
              (std::vector<std::string>{"shell-1x1.dxf", "shell-2x1.dxf", "shell-3x1.dxf", "shell-4x1.dxf"}));
    EXPECT_NE(r.out.find(folder.file("shell-1x1.dxf") + ": 1200 x 2496, needed 1\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(folder.file("shell-2x1.dxf") + ": 100 x 2496, needed 1\n"), std::string::npos) << r.out;

    double area = 0;
    for (const std::string& name : folder.entries()) {
        const ShapeMeasure m = measureShape(readBack(folder.file(name)));
        EXPECT_TRUE(m.closed) << name;
        EXPECT_EQ(m.lines, 4) << name;
        area += m.enclosedArea;
    }
    EXPECT_NEAR(area, kPi * 1000 * 1300, 1e-3);
    const Extents second = shapeExtents(readBack(folder.file("shell-2x1.dxf")));
    EXPECT_NEAR(second.width(), 100, 1e-9);
    EXPECT_NEAR(second.height(), 2496, 1e-9);
}

TEST(BreakupCommand, ConeWritesBandsNamedWithTheDivisionCount)
{
    TempFolder folder;
    const ToolRun r = runInProcess(coneArgs(folder, "1000"));
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(folder.entries(), (std::vector<std::string>{"cone-1x4.dxf", "cone-2x4.dxf"}));
    EXPECT_NE(r.out.find("needed 4"), std::string::npos);

    const double slant = std::sqrt(1000.0 * 1000 + 2000.0 * 2000);
    const double developed = kPi * (1500 + 500) * slant;
    double area = 0;
    for (const std::string& name : folder.entries()) {
        const Shape band = readBack(folder.file(name));
        const ShapeMeasure m = measureShape(band, 1e-4);
        EXPECT_TRUE(m.closed) << name;
        EXPECT_EQ(m.arcs, 2) << name;
        EXPECT_LE(shapeExtents(band).height(), 1496 + 1e-6) << name;
        area += 4 * m.enclosedArea;
    }
    EXPECT_NEAR(area, developed, 2e-3 * developed);
}

TEST(BreakupCommand, DrawingsReadBackWithAnIndependentReader)
{
    TempFolder folder;
    ASSERT_EQ(runInProcess(coneArgs(folder, "1000")).code, 0);
    QProcess python;
    python.start("/usr/bin/python3",
                 {"-c", "import ezdxf,sys\n"
                        "for f in sys.argv[1:]:\n"
                        "    print(sorted(e.dxftype() for e in ezdxf.readfile(f).modelspace()))",
                  QString::fromStdString(folder.file("cone-1x4.dxf")), QString::fromStdString(folder.file("cone-2x4.dxf"))});
    ASSERT_TRUE(python.waitForFinished(60000));
    ASSERT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
    EXPECT_EQ(python.readAllStandardOutput().toStdString(),
              "['ARC', 'ARC', 'LINE', 'LINE']\n['ARC', 'ARC', 'LINE', 'LINE']\n");
}

TEST(BreakupCommand, ExistingDrawingsOfTheSameNameAreReplaced)
{
    TempFolder folder;
    folder.write("shell-1x1.dxf", "old");
    ASSERT_EQ(runInProcess(cylinderArgs(folder, "1500")).code, 0);
    EXPECT_NE(TempFolder::read(folder.file("shell-1x1.dxf")), "old");
    EXPECT_TRUE(measureShape(readBack(folder.file("shell-1x1.dxf"))).closed);
}

TEST(BreakupCommand, BadInputNamesTheProblemAndWritesNothing)
{
    TempFolder folder;
    struct Case {
        cli::Args args;
        std::string mentions;
    };
    const cli::Args shell = cylinderArgs(folder, "1500");
    cli::Args missingHeight = shell;
    missingHeight.erase(std::find(missingHeight.begin(), missingHeight.end(), "Height=1500") - 1,
                        std::find(missingHeight.begin(), missingHeight.end(), "Height=1500") + 1);
    const Case cases[] = {
        {replaced(shell, "Kerf=2", "Kerf=0"), "Kerf"},
        {cylinderArgs(folder, "abc"), "Height"},
        {missingHeight, "missing parameter 'Height'"},
        {replaced(shell, "Dia=1000", "Radius=500"), "Radius"},
        {replaced(shell, "Dia=1000", "Dia"), "NAME=VALUE"},
        {coneArgs(folder, "3500"), "Dia Big"},
        {coneArgs(folder, "3000"), "equal"},
        {replaced(coneArgs(folder, "1000"), "Ang Br=4", "Ang Br=2.5"), "Ang Br"},
        {replaced(coneArgs(folder, "1000"), "Plate Wid=1500", "Plate Wid=150"), "Plate Wid"},
        {replaced(shell, folder.file("shell"), folder.file("no/such/shell")), "no/such"},
        {replaced(shell, "--templates", "--template"), "--template"},
        {{"breakup", "sphere", "-o", folder.file("x")}, "cylinder or cone"},
        {{"breakup", "cylinder", "--param", "Dia=1"}, "-o"},
    };
    for (const Case& c : cases) {
        const ToolRun r = runInProcess(c.args);
        EXPECT_EQ(r.code, 2) << c.mentions;
        EXPECT_NE(r.err.find(c.mentions), std::string::npos) << r.err;
    }
    EXPECT_TRUE(folder.entries().empty());
}

// The point of a breakup: shells larger than the plate become pieces the nesting places in full.
TEST(BreakupCommand, PiecesOfShellsLargerThanThePlateNestFully)
{
    TempFolder folder;
    ASSERT_EQ(runInProcess({"stdshape", "Rectangle for Part", "--param", "Small Length=1250", "--param",
                            "Big Length=2500", "-o", folder.file("plate.shp")})
                  .code,
              0);
    ASSERT_EQ(runInProcess(cylinderArgs(folder, "1500")).code, 0);
    ASSERT_EQ(runInProcess(replaced(coneArgs(folder, "1000"), "Plate Wid=1500", "Plate Wid=1250")).code, 0);

    cli::Args nest{"nest", "--sheet", folder.file("plate.shp") + ":40", "--kerf", "2"};
    int pieces = 0;
    for (const std::string& name : folder.entries()) {
        if (name == "plate.shp") continue;
        // The count needed is the number after the "x" of the name.
        const std::string count = name.substr(name.find('x') + 1, name.find('.') - name.find('x') - 1);
        nest.insert(nest.end(), {"--part", folder.file(name) + ":" + count});
        pieces += std::stoi(count);
    }
    EXPECT_GE(pieces, 4 + 2 * 4);
    const ToolRun r = runInProcess(nest);
    EXPECT_EQ(r.code, 0) << r.out << r.err;
    EXPECT_NE(r.out.find("Full Optimization Done"), std::string::npos) << r.out;
}

TEST(BreakupCommand, ListedInTheToolHelp)
{
    const ToolRun r = runExecutable({"--help"});
    EXPECT_EQ(r.code, 0);
    EXPECT_NE(r.out.find("breakup"), std::string::npos);
    const ToolRun usage = runExecutable({"breakup", "--help"});
    EXPECT_EQ(usage.code, 0);
    EXPECT_NE(usage.out.find("Plate Wid"), std::string::npos);
}

} // namespace
} // namespace dravenor::testing
