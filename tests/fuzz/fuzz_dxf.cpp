// DXF drawings as the batch tool and the windows read them (the last byte picks the drawing unit
// they are converted to), then measured and closed.
#include "fuzz/shape_checks.h"
#include "geometry/dxf_import.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace dravenor;
    const DrawingUnit unit = size > 0 && data[size - 1] % 2 ? DrawingUnit::Inch : DrawingUnit::Millimetre;
    Shape shape;
    const ShapeReadReport report = parseDxfText(fuzz::inputText(data, size), shape, "input.dxf", unit);
    fuzz::exerciseShape("input.dxf", report, std::move(shape));
    return 0;
}
