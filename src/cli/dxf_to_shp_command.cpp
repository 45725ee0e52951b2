#include <ostream>

#include "cli/command.h"
#include "cli/option_parser.h"
#include "cli/shape_io.h"
#include "geometry/shape_file.h"

namespace dravenor::cli {

namespace {

int dxfToShp(const Args& args, std::ostream& out, std::ostream& err)
{
    const ParsedArgs p = parseArgs(args, {"--units"}, {});
    if (p.positional.size() != 2) throw UsageError{"give IN.dxf and OUT.shp (see dravenor-cli dxf2shp --help)"};
    const std::string& in = p.positional[0];
    const std::string& target = p.positional[1];
    requireFileType(in, "input", {"dxf"});
    requireFileType(target, "output", {"shp"});

    Shape shape;
    if (!readInputShape("dxf2shp", in, drawingUnitOption(p), shape, err)) return kExitBadInput;
    // An empty shape file would pass for a converted drawing: write none and say why.
    if (shape.empty()) {
        err << "dravenor-cli dxf2shp: " << in << ": nothing in the drawing could be used as a shape; "
            << target << " was not written\n";
        return kExitBadInput;
    }
    if (const std::string e = saveShapeFile(shape, target); !e.empty()) {
        err << "dravenor-cli dxf2shp: " << e << "\n";
        return kExitBadInput;
    }
    reportStream(target, out, err) << target << ": " << entityCountText(shape) << " from " << in << "\n";
    return kExitOk;
}

} // namespace

Command dxfToShpCommand()
{
    return {"dxf2shp", "converts a DXF drawing into a shape file",
            "Usage: dravenor-cli dxf2shp IN.dxf OUT.shp [--units mm|in]\n"
            "Reads the lines, arcs, circles, polylines, ellipses, splines and inserted blocks of a\n"
            "DXF drawing and writes them as a shape file, in the drawing's own coordinates (not\n"
            "moved; ellipses and splines as arcs within 0.01).\n"
            "  --units mm|in    the unit of the shape (default mm): a drawing that names its units\n"
            "                   is converted to it\n"
            "Content that cannot be a good shape (entities that were not read, among them) is\n"
            "reported as warnings, and so is a conversion. A missing or unreadable drawing, a drawing\n"
            "with nothing usable in it, or an output that cannot be written, gives exit code 2 and\n"
            "leaves any earlier OUT as it was.\n",
            dxfToShp};
}

} // namespace dravenor::cli
