#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "cli_test_support.h"

using namespace dravenor::testing;

namespace {

std::string writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    QFile f(dir.filePath(name));
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return f.fileName().toStdString();
}

} // namespace

TEST(ShapeInfo, ReportsExtentsClosureAreaAndChordsOfAWasher)
{
    const ToolRun r = runInProcess({"shape-info", examplePath("parts/washer-od60-id26.shp")});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("entities: 2 (0 lines, 0 arcs, 2 circles)"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("extents: 0, 0 to 60, 60 (60 x 60)"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("outline: closed (2 closed outlines, 0 open ends)"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("chords: 362"), std::string::npos) << r.out;
    // pi/4 (60^2 - 26^2) = 2296.5, less a little for the chords.
    const auto at = r.out.find("enclosed area: ");
    ASSERT_NE(at, std::string::npos);
    const double area = std::stod(r.out.substr(at + 15));
    EXPECT_NEAR(area, 2296.5, 2296.5 * 0.001);
}

TEST(ShapeInfo, EveryExampleShapeIsClosedAndWithoutWarnings)
{
    const QDir examples(QString::fromStdString(examplePath("")));
    dravenor::cli::Args args{"shape-info"};
    for (const QString& sub : {QStringLiteral("sheets"), QStringLiteral("parts")})
        for (const QString& f : QDir(examples.filePath(sub)).entryList({"*.shp"}, QDir::Files))
            args.push_back(examples.filePath(sub + "/" + f).toStdString());
    ASSERT_GE(args.size(), 13u);
    const ToolRun r = runInProcess(args);
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out.find("warning"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("not closed"), std::string::npos) << r.out;
}

TEST(ShapeInfo, WarnsAboutContentThatCannotBeAGoodShape)
{
    QTemporaryDir dir;
    const std::string open = writeFile(dir, "open.shp", "\"0\",\"0\",\"100\",\"0\",\"0\",\"0\",\"0\",\"0\",\"0\"\r\n");
    const std::string empty = writeFile(dir, "empty.shp", "");
    const std::string words = writeFile(dir, "words.shp", "\"a\",\"0\",\"1\",\"0\",\"0\",\"0\",\"0\",\"0\",\"0\"\r\n");
    const std::string zero = writeFile(dir, "zero.shp", "5,5,5,5,0,0,0,0,0\r\n");
    const ToolRun r = runInProcess({"shape-info", open, empty, words, zero});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("the outline is not closed: 2 entity ends meet no other end"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("holds no entity"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("1 field is not a number"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("1 degenerate entity"), std::string::npos) << r.out;
}

TEST(ShapeInfo, RejectsUnreadableAndBinaryFilesButGoesOnWithTheRest)
{
    QTemporaryDir dir;
    const std::string binary = writeFile(dir, "photo.shp", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
    const std::string missing = dir.filePath("missing.shp").toStdString();
    const std::string good = examplePath("parts/washer-od40-id18.shp");
    const ToolRun r = runInProcess({"shape-info", binary, missing, dir.path().toStdString(), good});
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find(binary + ": holds binary bytes"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(missing), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(dir.path().toStdString()), std::string::npos) << r.err;
    EXPECT_NE(r.out.find("washer-od40-id18.shp"), std::string::npos) << "the good file is still reported";
    // One line per bad file, each naming it.
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 3) << r.err;
}

TEST(ShapeInfo, UnknownTypeAndMissingArgumentsAreBadInput)
{
    QTemporaryDir dir;
    const std::string text = writeFile(dir, "notes.txt", "0,0,1,1,0,0,0,0,0\r\n");
    EXPECT_EQ(runInProcess({"shape-info", text}).code, 2);
    EXPECT_EQ(runInProcess({"shape-info"}).code, 2);
    EXPECT_EQ(runInProcess({"shape-info", "--bogus"}).code, 2);
    EXPECT_EQ(runInProcess({"no-such-command"}).code, 2);
}

TEST(ShapeInfo, EveryCommandReadingDrawingsTakesUnitsMmOrIn)
{
    QTemporaryDir dir;
    const std::string washer = writeFile(dir, "washer.dxf",
                                         "0\nSECTION\n2\nHEADER\n9\n$INSUNITS\n70\n1\n0\nENDSEC\n0\nSECTION\n2\n"
                                         "ENTITIES\n0\nCIRCLE\n10\n0\n20\n0\n40\n1\n0\nENDSEC\n0\nEOF\n");
    // (What --units does to a drawing is checked against ezdxf by check_modern_dxf.py.)

    const std::string job = dir.filePath("cut.nst").toStdString();
    const std::vector<dravenor::cli::Args> commands{{"shape-info", washer},
                                          {"preview", washer, "--png", job + ".png"},
                                          {"dxf2shp", washer, job + ".shp"},
                                          {"close", washer, job + ".shp"},
                                          {"nest", "--sheet", washer, "--part", washer},
                                          {"report", job},
                                          {"print", job, "--all", "--pdf", job + ".pdf"},
                                          {"layout-dxf", job, "--layout", "1", job + ".dxf"},
                                          {"check-layout", job}};
    for (dravenor::cli::Args args : commands) {
        args.insert(args.end(), {"--units", "cm"});
        const ToolRun run = runInProcess(args);
        EXPECT_EQ(run.code, 2) << args.front();
        EXPECT_NE(run.err.find("--units 'cm' is not mm or in"), std::string::npos) << args.front() << ": " << run.err;
    }
}

TEST(ToolHelp, ToolAndEveryCommandHaveHelp)
{
    const ToolRun tool = runExecutable({"--help"});
    EXPECT_EQ(tool.code, 0);
    for (const auto& c : dravenor::cli::commands()) {
        EXPECT_NE(tool.out.find(c.name), std::string::npos) << c.name;
        const ToolRun r = runExecutable({QString::fromStdString(c.name), "--help"});
        EXPECT_EQ(r.code, 0) << c.name;
        EXPECT_NE(r.out.find("Usage: dravenor-cli " + c.name), std::string::npos) << r.out;
    }
}
