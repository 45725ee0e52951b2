// dravenor-dxf-bench: writes large DXF drawings to a temporary folder and prints how long the
// import takes (best and mean of a few runs, reading the file included).
//
//   dravenor-dxf-bench [COUNT]     (default 100000 lines / polyline vertices)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include <unistd.h>

#include "geometry/dxf_import.h"

namespace fs = std::filesystem;
using namespace dravenor;

namespace {

constexpr int kRuns = 5;

std::string header() { return "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n"; }
std::string footer() { return "  0\r\nENDSEC\r\n  0\r\nEOF\r\n"; }

// `count` LINE entities in a staircase, written as a release 12 drawing would be.
std::string linesDrawing(int count)
{
    std::string text = header();
    text.reserve(static_cast<std::size_t>(count) * 110);
    for (int k = 0; k < count; ++k) {
        const std::string x = std::to_string(k * 0.5), y = std::to_string(k * 0.25);
        text += "  0\r\nLINE\r\n  8\r\n0\r\n 10\r\n" + x + "\r\n 20\r\n" + y + "\r\n 30\r\n0.0\r\n 11\r\n" + x +
                "\r\n 21\r\n" + std::to_string(k * 0.25 + 1) + "\r\n 31\r\n0.0\r\n";
    }
    return text + footer();
}

// One closed LWPOLYLINE of `count` vertices, every third segment bent.
std::string lwPolylineDrawing(int count)
{
    std::string text = header() + "  0\r\nLWPOLYLINE\r\n  8\r\n0\r\n 90\r\n" + std::to_string(count) +
                       "\r\n 70\r\n1\r\n";
    text.reserve(static_cast<std::size_t>(count) * 50);
    for (int k = 0; k < count; ++k) {
        text += " 10\r\n" + std::to_string(k * 2.0) + "\r\n 20\r\n" + std::to_string(k % 2 * 3.0) + "\r\n";
        if (k % 3 == 0) text += " 42\r\n0.41421356\r\n";
    }
    return text + footer();
}

void timeImport(const std::string& label, const fs::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
    double best = 1e9, total = 0;
    std::size_t entities = 0;
    for (int run = 0; run < kRuns; ++run) {
        Shape shape;
        const auto start = std::chrono::steady_clock::now();
        const ShapeReadReport report = readDxfFile(path.string(), shape);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (!report.readable) {
            std::fprintf(stderr, "%s\n", report.error.c_str());
            std::exit(1);
        }
        best = std::min(best, seconds);
        total += seconds;
        entities = shape.size();
    }
    std::printf("%-32s %9.1f KB %8zu entities   best %7.1f ms   mean %7.1f ms\n", label.c_str(),
                static_cast<double>(text.size()) / 1024, entities, best * 1e3, total / kRuns * 1e3);
}

} // namespace

int main(int argc, char** argv)
{
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100000;
    const fs::path folder = fs::temp_directory_path() / ("dravenor-dxf-bench-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    timeImport(std::to_string(count) + " LINE", folder / "lines.dxf", linesDrawing(count));
    timeImport("LWPOLYLINE of " + std::to_string(count) + " vertices", folder / "lwpolyline.dxf",
               lwPolylineDrawing(count));
    std::error_code ec;
    fs::remove_all(folder, ec);
    return 0;
}
