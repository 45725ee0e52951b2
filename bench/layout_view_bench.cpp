// dravenor-layout-bench: how long the layout view takes to draw a busy layout on a window-sized
// picture.
//
//   dravenor-layout-bench [--draws N] [JOB.args | FOLDER]...
//
// Without a job: the job of ../shared/bench (relative to the repository) with the most parts,
// and the shipped example job, whose busiest layout has about a hundred parts. Nests each job, takes the layout with the most part instances and draws it N times (default 50)
// on a 900 x 700 picture with part names shown and the grid on "Auto": fitted and centred, at
// zoom 1 and 4, with the sheet size cached and read from its file each time. Prints ms per draw.
#include <QGuiApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "cli/nest_job.h"
#include "engine/nesting_checks.h"
#include "engine/nesting_driver.h"
#include "layouts/layout_view.h"
#include "ui/image_surface.h"

namespace fs = std::filesystem;
using namespace dravenor;

namespace {

std::optional<cli::NestJob> readJob(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::cerr << file.string() << ": cannot be read\n";
        return std::nullopt;
    }
    std::stringstream text;
    text << in.rdbuf();
    try {
        cli::NestJob job = cli::parseNestJob(cli::readArgsFile(text.str()), file.parent_path().string());
        for (auto check : {missingFileMessage, emptyListMessage, shapeProblemMessage, rasterSizeMessage})
            if (auto problem = check(job.state)) {
                std::cerr << file.string() << ": " << *problem << "\n";
                return std::nullopt;
            }
        return job;
    } catch (const cli::UsageError& e) {
        std::cerr << file.string() << ": " << e.message << "\n";
        return std::nullopt;
    }
}

long long partsOf(const cli::NestJob& job)
{
    long long parts = 0;
    for (const PartEntry& p : job.state.parts) parts += p.Qty;
    return parts;
}

// The job of the shared benchmark folder with the most parts.
fs::path largestSharedJob()
{
    const fs::path shared = fs::path(DRAVENOR_SOURCE_DIR) / ".." / "shared" / "bench";
    fs::path best;
    long long bestParts = -1;
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(shared, ec)) {
        const fs::path file = entry.path() / "job.args";
        if (!fs::exists(file)) continue;
        if (const auto job = readJob(file); job && partsOf(*job) > bestParts) {
            bestParts = partsOf(*job);
            best = file;
        }
    }
    return best;
}

// The layout with the most part instances.
std::pair<int, int> busiestLayout(const NestingState& state)
{
    std::map<int, int> instances;
    for (const LayoutEntity& e : state.entities) instances[e.LayoutNo] = std::max(instances[e.LayoutNo], e.Instance);
    std::pair<int, int> best{0, -1};
    for (const auto& [layoutNo, count] : instances)
        if (count > best.second) best = {layoutNo, count};
    return best;
}

template <class Draw>
double millisecondsPerDraw(int draws, ImageSurface& surface, Draw&& draw)
{
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < draws; ++i) {
        draw();
        surface.image(); // the picture is complete, as before the window shows it
    }
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count() / draws;
}

// Nests the job and prints the draw times of its busiest layout; false when there is none.
bool benchJob(const fs::path& file, int draws)
{
    std::optional<cli::NestJob> job = readJob(file);
    if (!job) return false;
    SilentProgress progress;
    optimise(job->state, job->mode, progress);
    const NestingState& state = job->state;
    const auto [layoutNo, instances] = busiestLayout(state);
    if (layoutNo == 0) {
        std::cerr << file.string() << ": the run gave no layout\n";
        return false;
    }
    long long entities = 0;
    for (const LayoutEntity& e : state.entities) entities += e.LayoutNo == layoutNo;
    std::printf("job %s: layout %d of %d, %d parts, %lld entities; %d draws each on 900x700\n",
                file.parent_path().filename().string().c_str(), layoutNo, state.entities.back().LayoutNo, instances,
                entities, draws);

    ImageSurface surface(QSize(900, 700));
    SheetExtentsCache cache;
    std::printf("%-10s %5s %10s %14s\n", "mode", "zoom", "ms/draw", "ms/draw (file)");
    for (int zoom : {1, 4}) {
        LayoutViewOptions options;
        options.zoom = zoom;
        options.showNames = true;
        const LayoutViewFrame frame = drawLayoutFitted(state, layoutNo, surface, options, &cache);
        // The middle of the sheet at the same zoom, as the window's view shows it.
        const ViewScale fittedView = surface.scale();
        const ViewScale middle{frame.sheetLeft + (frame.sheetWidth - fittedView.width) / 2,
                               frame.sheetTop + (frame.sheetHeight - fittedView.height) / 2, fittedView.width,
                               fittedView.height};
        const double fitted = millisecondsPerDraw(
            draws, surface, [&] { drawLayoutFitted(state, layoutNo, surface, options, &cache); });
        const double fittedFile = millisecondsPerDraw(
            draws, surface, [&] { drawLayoutFitted(state, layoutNo, surface, options); });
        const double centred = millisecondsPerDraw(
            draws, surface, [&] { drawLayoutInView(state, layoutNo, surface, options, middle, &cache); });
        const double centredFile = millisecondsPerDraw(
            draws, surface, [&] { drawLayoutInView(state, layoutNo, surface, options, middle); });
        std::printf("%-10s %5d %10.2f %14.2f\n", "fitted", zoom, fitted, fittedFile);
        std::printf("%-10s %5d %10.2f %14.2f\n", "centred", zoom, centred, centredFile);
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    int draws = 50;
    std::vector<fs::path> files;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--help" || a == "-h") {
            std::cout << "Usage: dravenor-layout-bench [--draws N] [JOB.args | FOLDER]...\n"
                         "Nests each job (default: the largest of ../shared/bench and the example job)\n"
                         "and prints the ms per draw of its busiest layout on a 900 x 700 picture,\n"
                         "names on, grid Auto, with the sheet size cached and read each time.\n";
            return 0;
        }
        if (a == "--draws") {
            draws = i + 1 < argc ? std::atoi(argv[++i]) : 0;
            if (draws < 1) {
                std::cerr << "--draws needs a whole number of 1 or more\n";
                return 2;
            }
            continue;
        }
        files.push_back(fs::is_directory(a) ? fs::path(a) / "job.args" : fs::path(a));
    }
    if (files.empty()) {
        if (const fs::path shared = largestSharedJob(); !shared.empty()) files.push_back(shared);
        files.push_back(fs::path(DRAVENOR_SOURCE_DIR) / "resources" / "examples" / "job.args");
    }
    int failures = 0;
    for (const fs::path& file : files) failures += benchJob(file, draws) ? 0 : 1;
    return failures ? 1 : 0;
}
