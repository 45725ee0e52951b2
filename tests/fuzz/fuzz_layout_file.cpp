// Layout files (".lay"), read from a file as the layout editor and check-layout read them: saved
// and read again they must give the same lines; then check-layout's check of the placements, with
// a fixed sheet for the first line and a fixed part for each of the next (up to 16).
#include "fuzz/fuzz_support.h"
#include "geometry/shape_builders.h"
#include "job/number_format.h"
#include "layouts/layout_file.h"
#include "layouts/layout_geometry_check.h"
#include "layouts/placed_shape.h"

namespace {

using namespace dravenor::testing;

// 200 x 150 with a rounded corner (radius 30) and a square hole, where another part may lie.
dravenor::Shape part()
{
    dravenor::Shape part{lineEntity(0, 0, 200, 0), lineEntity(200, 0, 200, 120), arcEntity(170, 120, 30, 0, 90),
                         lineEntity(170, 150, 0, 150), lineEntity(0, 150, 0, 0)};
    append(part, rectangle(20, 20, 60, 60));
    return part;
}

// Enough placements to meet overlaps, stacks and far-away parts, few enough to keep each input quick.
constexpr size_t kMostCheckedLines = 16;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace dravenor;
    const LayoutFileRead read = readLayoutFile(fuzz::writeScratchFile("input.lay", fuzz::inputText(data, size)));
    if (!read.ok()) fuzz::finding("an existing layout file could not be read");

    // Saved as the layout editor saves its grid (every field quoted, as typed).
    const std::string saved = fuzz::scratch().file("saved.lay");
    if (writeLayoutFile(saved, read.lines, true).empty() && readLayoutFile(saved).lines != read.lines)
        fuzz::finding("a saved layout file reads back differently");

    if (read.lines.empty()) return 0;
    const auto place = [](const Shape& shape, const LayoutFileLine& line) {
        return placedInstance(shape, leadingNumber(line.angle), leadingNumber(line.x), leadingNumber(line.y));
    };
    const Shape sheet = place(rectangle(0, 0, 1000, 800), read.lines.front());
    const Shape shape = part();
    std::vector<Shape> parts;
    std::vector<std::string> names;
    for (size_t k = 1; k < read.lines.size() && k <= kMostCheckedLines; ++k) {
        parts.push_back(place(shape, read.lines[k]));
        names.push_back(read.lines[k].name);
    }
    checkPlacedLayout(1, sheet, parts, names);
    return 0;
}
