#include <ostream>

#include "cli/command.h"
#include "cli/option_parser.h"
#include "cli/shape_io.h"
#include "geometry/dxf_export.h"

namespace dravenor::cli {

namespace {

int shpToDxf(const Args& args, std::ostream& out, std::ostream& err)
{
    const ParsedArgs p = parseArgs(args, {"--templates"}, {});
    if (p.positional.size() != 2) throw UsageError{"give IN.shp and OUT.dxf (see dravenor-cli shp2dxf --help)"};
    const std::string& in = p.positional[0];
    const std::string& target = p.positional[1];
    requireFileType(in, "input", {"shp"});
    requireFileType(target, "output", {"dxf"});

    Shape shape;
    // A shape file names no units: the unit changes nothing.
    if (!readInputShape("shp2dxf", in, DrawingUnit::Millimetre, shape, err)) return kExitBadInput;
    if (const std::string e = saveShapeAsDxf(shape, target, dxfTemplateFolder(p)); !e.empty()) {
        err << "dravenor-cli shp2dxf: " << e << "\n";
        return kExitBadInput;
    }
    out << target << ": " << entityCountText(shape) << " from " << in << "\n";
    return kExitOk;
}

} // namespace

Command shpToDxfCommand()
{
    return {"shp2dxf", "converts a shape file into a DXF drawing (release 12)",
            "Usage: dravenor-cli shp2dxf IN.shp OUT.dxf [--templates DIR]\n"
            "Writes the entities of a shape file as a DXF drawing of release 12 (LINE, ARC and\n"
            "CIRCLE on layer 0), in the shape's own coordinates, between the header and footer\n"
            "templates dxf.hd and dxf.ft.\n"
            "  --templates DIR  folder of dxf.hd and dxf.ft (default: the executable's folder\n"
            "                   when it holds them, else the resources shipped beside it)\n"
            "A missing or unreadable shape file, missing templates or an output that cannot be\n"
            "written give exit code 2 and leave any earlier OUT as it was.\n",
            shpToDxf};
}

} // namespace dravenor::cli
