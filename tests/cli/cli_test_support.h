#pragma once
// Runs the batch tool in-process (runTool) and as the real executable, capturing both streams;
// a nested job shared by the tests that only read it; refusals checked in one table.
#include <QProcess>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>

#include "cli/command.h"
#include "geometry/shape_builders.h"
#include "geometry/shape_file.h"
#include "support/temp_folder.h"
#include "support/text_match.h"

namespace dravenor::testing {

struct ToolRun {
    int code = -1;
    std::string out, err;
};

inline ToolRun runInProcess(const cli::Args& args)
{
    std::ostringstream out, err;
    ToolRun r;
    r.code = cli::runTool(args, out, err);
    r.out = out.str();
    r.err = err.str();
    return r;
}

// Saves the shape as a shape file in the folder and returns its path.
inline std::string savedShape(const TempFolder& dir, const std::string& name, const Shape& shape)
{
    EXPECT_EQ(saveShapeFile(shape, dir.file(name)), "");
    return dir.file(name);
}

inline std::string examplePath(const std::string& relative)
{
    return std::string(DRAVENOR_RESOURCE_DIR) + "/examples/" + relative;
}

// The arguments with one item swapped for another.
inline cli::Args replaced(cli::Args args, const std::string& item, const std::string& by)
{
    const auto it = std::find(args.begin(), args.end(), item);
    EXPECT_NE(it, args.end()) << item;
    if (it != args.end()) *it = by;
    return args;
}

// Breakups of a 1000 wide cylinder on 2500 x 1250 plates and of a 3000 / 1000 cone, 2000 high,
// on 1500 wide plates; parameter names spelt as users type them.
inline cli::Args cylinderArgs(const std::string& out, const std::string& height)
{
    return {"breakup", "cylinder", "--param", "Dia=1000", "--param", "Height=" + height, "--param", "Plate Len=2500",
            "--param", "plate_wid=1250", "--param", "SegWid=100", "--param", "Kerf=2", "-o", out,
            "--templates", DRAVENOR_RESOURCE_DIR};
}

inline cli::Args coneArgs(const std::string& out, const std::string& small)
{
    return {"breakup", "cone", "--param", "Dia Big=3000", "--param", "Dia Small=" + small, "--param", "Height=2000",
            "--param", "Plate Wid=1500", "--param", "Seg Wid=200", "--param", "Ang Br=4", "--param", "Kerf=2",
            "-o", out, "--templates", DRAVENOR_RESOURCE_DIR};
}

// Plates and discs nested on 400 x 250 sheets (kerf 3), the job saved as job.nst and every
// layout drawn into out/; made once for all tests, which must not change it.
struct NestedJob {
    TempFolder dir;
    std::string sheet = savedShape(dir, "sheet.shp", rectangle(0, 0, 400, 250));
    std::string plate = savedShape(dir, "plate.shp", rectangle(0, 0, 150, 60));
    std::string disc = savedShape(dir, "disc.shp", {arcEntity(35, 35, 35, 0, 360)});
    std::string nst = dir.file("job.nst");
    std::string out = dir.file("out");
    ToolRun run = runInProcess({"nest", "--kerf", "3", "--sheet", sheet + ":4", "--part", plate + ":7", "--part",
                                disc + ":6", "--save", nst, "--dxf-dir", out});

    std::string drawing(int layoutNo) const { return out + "/layout-" + std::to_string(layoutNo) + ".dxf"; }
};

inline const NestedJob& nestedJob()
{
    static const NestedJob job;
    return job;
}

// Every file under the folder with its bytes.
inline std::map<std::string, std::string> folderBytes(const std::string& folder)
{
    std::map<std::string, std::string> files;
    for (const auto& e : std::filesystem::recursive_directory_iterator(folder))
        files[e.path().string()] = e.is_regular_file() ? TempFolder::read(e.path().string()) : "(folder)";
    return files;
}

struct Refusal {
    cli::Args args;
    std::string message; // a piece of the last line on stderr
    int code = 2;
    bool ran = false; // the run was done and printed before its output could not be written
};

// Runs each command: the exit code, stderr lines of the tool only (warnings first, an error in
// one line), the message in the last, nothing on stdout unless the run was done, and nothing in
// the folder written or changed.
inline void expectRefusals(const TempFolder& folder, const std::vector<Refusal>& rows)
{
    const auto before = folderBytes(folder.folder());
    for (const Refusal& row : rows) {
        SCOPED_TRACE(row.args.front() + " ... " + row.message);
        const ToolRun r = runInProcess(row.args);
        EXPECT_EQ(r.code, row.code);
        std::istringstream lines(r.err);
        std::string last;
        for (std::string line; std::getline(lines, line); last = line)
            EXPECT_EQ(line.rfind("dravenor-cli", 0), 0u) << r.err;
        EXPECT_TRUE(!r.err.empty() && r.err.back() == '\n' && contains(last, row.message)) << r.err;
        EXPECT_EQ(r.out.rfind("Full Optimization Done# [", 0), row.ran ? 0u : std::string::npos) << r.out;
        if (!row.ran) EXPECT_EQ(r.out, "");
    }
    EXPECT_EQ(folderBytes(folder.folder()), before);
}

} // namespace dravenor::testing
