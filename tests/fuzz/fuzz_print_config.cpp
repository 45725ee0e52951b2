// The working folder's small settings files read as the main window reads them at start and
// before printing: the pen width (print.cfg), the print scale (printscale.cfg), the drawing unit
// (units.cfg) and the window's place (window.cfg), each given the input. Whatever the file holds,
// the values used must be ones the program offers.
#include <algorithm>

#include "fuzz/fuzz_support.h"
#include "job/drawing_unit.h"
#include "job/print_config.h"
#include "job/window_placement.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace dravenor;
    const std::string text = fuzz::inputText(data, size);
    for (const char* name : {kPrintConfigFileName, kPrintScaleFileName, kUnitConfigFileName, kWindowConfigFileName})
        fuzz::writeScratchFile(name, text);
    const std::string folder = fuzz::scratch().folder();

    const int width = readLineWidth(folder).lineWidth;
    if (width < kThinnestLineWidth || width > kThickestLineWidth) fuzz::finding("pen width out of range");
    const int scale = readPrintScale(folder).denominator;
    if (std::find(kPrintScaleChoices.begin(), kPrintScaleChoices.end(), scale) == kPrintScaleChoices.end())
        fuzz::finding("print scale not one of the choices");
    readDrawingUnit(folder);

    // The window is brought within a 1920 x 1080 screen, as far as its minimum size allows.
    if (const auto placement = readWindowPlacement(folder)) {
        const ScreenRect screen{0, 0, 1920, 1080};
        const ScreenRect fitted = fitWithin(placement->rect, screen, 640, 480);
        if (fitted.x < 0 || fitted.y < 0 || fitted.x + fitted.width > 1920 || fitted.y + fitted.height > 1080)
            fuzz::finding("the stored window place was not brought within the screen");
    }
    return 0;
}
