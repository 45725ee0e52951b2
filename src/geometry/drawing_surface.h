#pragma once
// What shape, layout and print drawing is written against: a picture area with a user scale
// (left, top, width, height, y downwards), lines in one of the 16 standard colours or in any
// RGB colour, text at a point, text measurement, clearing and a tooltip. Widgets, printers,
// PNG files and test recorders implement it.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace dravenor {

// The standard 16-colour palette: 0 black, 1 navy, ..., 7 light grey, 8 dark grey, 12 bright red.
enum ConsoleColour : int {
    Black = 0, Navy = 1, Green = 2, Teal = 3, Maroon = 4, Purple = 5, Olive = 6, LightGrey = 7,
    DarkGrey = 8, Blue = 9, Lime = 10, Aqua = 11, Red = 12, Fuchsia = 13, Yellow = 14, White = 15
};
// 0xRRGGBB of a palette index (taken modulo 16).
std::uint32_t consoleRgb(int colour);

struct ViewScale {
    double left = 0, top = 0, width = 1, height = 1;
};

class DrawingSurface {
public:
    virtual ~DrawingSurface() = default;
    // Returns false when the surface refuses the scale (e.g. a zero width); callers go on.
    virtual bool setScale(const ViewScale& scale) = 0;
    virtual ViewScale scale() const = 0;
    virtual void line(double x1, double y1, double x2, double y2, int colour) = 0;
    // A line in any colour, given as 0xRRGGBB (the layout view's part colours).
    virtual void lineRgb(double x1, double y1, double x2, double y2, std::uint32_t rgb) = 0;
    // Text with its top-left corner at (x, y) in user units.
    virtual void text(double x, double y, const std::string& text) = 0;
    virtual double textWidth(const std::string& text) const = 0;  // in user units
    virtual double textHeight(const std::string& text) const = 0; // in user units
    virtual void clear() = 0;
    virtual void setToolTip(const std::string& tip) = 0;
    virtual std::string toolTip() const = 0;
};

// The text's words in lines no wider than the width in user units (a longer word stands on a
// line of its own), broken also at every '\n'.
std::vector<std::string> wrapText(const DrawingSurface& surface, const std::string& text, double width);
// Writes the lines one under the other from (x, y) down; returns the height they take.
double writeLines(DrawingSurface& surface, double x, double y, const std::vector<std::string>& lines);

} // namespace dravenor
