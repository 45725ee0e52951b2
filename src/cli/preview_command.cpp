#include <ostream>

#include "cli/command.h"
#include "cli/option_parser.h"
#include "cli/png_file.h"
#include "geometry/shape_diagnosis.h"
#include "geometry/shape_preview.h"
#include "job/number_format.h"
#include "ui/image_surface.h"

namespace dravenor::cli {

namespace {

int preview(const Args& args, std::ostream& out, std::ostream& err)
{
    const ParsedArgs p =
        parseArgs(args, {"--png", "--size", "--grid", "--colour", "--units"}, {"--points", "--dimensions"});
    if (p.positional.size() != 1) throw UsageError{"give exactly one shape file (see dravenor-cli preview --help)"};
    if (!p.has("--png")) throw UsageError{"--png OUT is required"};
    const std::string path = p.positional[0];
    const auto [w, h] = parseSize(p.value("--size", "400x400"));
    const std::string colourText = p.value("--colour", "1");
    if (!isNumberText(colourText) || leadingNumber(colourText) < 0 || leadingNumber(colourText) > 15)
        throw UsageError{"--colour '" + colourText + "' is not a colour number from 0 to 15"};

    Shape shape;
    const ShapeReadReport report = readShapeByExtension(path, shape, drawingUnitOption(p));
    const ShapeDiagnosis diagnosis = diagnoseShape(path, report, measureShape(shape));
    if (!diagnosis.error.empty()) {
        err << "dravenor-cli preview: " << diagnosis.error << "\n";
        return kExitBadInput;
    }
    for (const std::string& w : diagnosis.warnings) err << "dravenor-cli preview: warning: " << path << ": " << w << "\n";

    PreviewOptions options;
    options.colour = static_cast<int>(leadingNumber(colourText));
    options.gridText = p.value("--grid", "No");
    options.gridLabels = p.has("--grid");
    options.showPoints = p.has("--points");
    options.showDimensions = p.has("--dimensions");
    options.aspect = static_cast<double>(w) / h; // a wide picture shows the shape as wide as it is
    ImageSurface surface(QSize(w, h));
    previewShape(shape, surface, options);

    const std::string png = p.value("--png");
    if (const std::string e = savePng(surface.image(), png); !e.empty()) {
        err << "dravenor-cli preview: " << e << "\n";
        return kExitFailed;
    }
    reportStream(png, out, err) << png << ": " << w << "x" << h << " preview of " << path << " (" << surface.toolTip() << ")\n";
    return kExitOk;
}

} // namespace

Command previewCommand()
{
    return {"preview", "draws a shape file as the preview box does, to a PNG",
            "Usage: dravenor-cli preview FILE --png OUT [--size WxH] [--grid TEXT] [--colour N]\n"
            "                            [--points] [--dimensions] [--units mm|in]\n"
            "Draws the shape file (.shp) or DXF drawing (.dxf) fitted into the picture, keeping its\n"
            "proportions, as the main window's preview box draws it, and writes the picture as PNG.\n"
            "  --size WxH      picture size in pixels (default 400x400)\n"
            "  --grid TEXT     coordinate grid: Auto, No or a spacing such as 25 (default No)\n"
            "  --colour N      entity colour, 0-15 of the 16-colour palette (default 1, navy)\n"
            "  --points        mark the end points and centres with their coordinates\n"
            "  --dimensions    write line lengths and radii\n"
            "  --units mm|in   the unit of the drawing's dimensions (default mm): a drawing that names\n"
            "                  its units is converted to it\n",
            preview};
}

} // namespace dravenor::cli
