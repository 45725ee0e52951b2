#include <ostream>

#include "cli/command.h"
#include "cli/option_parser.h"
#include "cli/shape_io.h"
#include "geometry/dxf_export.h"
#include "geometry/outline_closing.h"
#include "geometry/shape_measure.h"
#include "job/number_format.h"

namespace dravenor::cli {

namespace {

int closeShape(const Args& args, std::ostream& out, std::ostream& err)
{
    const ParsedArgs p = parseArgs(args, {"--templates", "--units"}, {});
    if (p.positional.size() != 2) throw UsageError{"give IN and OUT (see dravenor-cli close --help)"};
    const std::string& in = p.positional[0];
    const std::string& target = p.positional[1];
    requireFileType(in, "input", {"shp", "dxf"});
    requireFileType(target, "output", {"shp", "dxf"});

    Shape shape;
    if (!readInputShape("close", in, drawingUnitOption(p), shape, err, false)) return kExitBadInput;
    const std::vector<ShapeEntity> added = missingLines(shape);
    shape.insert(shape.end(), added.begin(), added.end());
    if (const std::string e = saveShapeByExtension(shape, target, dxfTemplateFolder(p)); !e.empty()) {
        err << "dravenor-cli close: " << e << "\n";
        return kExitBadInput;
    }
    out << (added.empty() ? std::string("already closed") : "added " + countedNoun(static_cast<int>(added.size()), "line", "lines"))
        << "\n";
    if (const int openEnds = measureShape(shape).openEnds; openEnds > 0)
        err << "dravenor-cli close: warning: " << target << ": the outline is still not closed ("
            << countedNoun(openEnds, "open end", "open ends")
            << "; gaps of 1 or more and exactly level or plumb gaps are left open)\n";
    return kExitOk;
}

} // namespace

Command closeCommand()
{
    return {"close", "closes small gaps of a shape's outlines with straight lines",
            "Usage: dravenor-cli close IN OUT [--templates DIR] [--units mm|in]\n"
            "Reads a shape file (.shp) or DXF drawing (.dxf), appends a line for every gap the\n"
            "shape editor's \"Auto Join Missing Lines\" closes (an entity end whose nearest other\n"
            "end is less than 1 unit away, not touching it and not exactly level or plumb with\n"
            "it; arcs are taken as their chords), and writes the result to OUT as a shape file or\n"
            "DXF drawing by its extension. Prints \"added N lines\" or \"already closed\".\n"
            "  --templates DIR  folder of the DXF templates dxf.hd and dxf.ft for a .dxf OUT\n"
            "  --units mm|in    the unit of the shape (default mm): a drawing that names its units\n"
            "                   is converted to it\n"
            "A missing or unreadable IN, missing templates or an OUT that cannot be written give\n"
            "exit code 2 and leave any earlier OUT as it was.\n",
            closeShape};
}

} // namespace dravenor::cli
