// Shape files (".shp") as the batch tool and the windows read them, then measured and closed.
#include "fuzz/shape_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace dravenor;
    Shape shape;
    const ShapeReadReport report = parseShapeText(fuzz::inputText(data, size), shape);
    fuzz::exerciseShape("input.shp", report, std::move(shape));
    return 0;
}
