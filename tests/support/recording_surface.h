#pragma once
// A DrawingSurface that records what is drawn on it, so tests can assert on lines, texts, the
// scale and the tooltip. Clearing forgets the lines and texts drawn so far, as a picture would.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "geometry/drawing_surface.h"

namespace dravenor::testing {

// A line in a palette colour keeps its index; one drawn in RGB has colour -1. rgb holds the
// colour as 0xRRGGBB either way.
struct RecordedLine { double x1 = 0, y1 = 0, x2 = 0, y2 = 0; int colour = 0; std::uint32_t rgb = 0; };

struct RecordedText { double x = 0, y = 0; std::string text; };

class RecordingSurface : public DrawingSurface {
public:
    std::vector<RecordedLine> lines;
    std::vector<RecordedText> texts;
    int refusedScales = 0;
    std::string tip;

    // Like a real picture area, a scale without width or height is refused.
    bool setScale(const ViewScale& s) override
    {
        if (!(s.width > 0) || !(s.height > 0)) return ++refusedScales, false;
        view_ = s;
        return true;
    }
    ViewScale scale() const override { return view_; }
    void line(double x1, double y1, double x2, double y2, int colour) override
    {
        lines.push_back({x1, y1, x2, y2, colour, consoleRgb(colour)});
    }
    void lineRgb(double x1, double y1, double x2, double y2, std::uint32_t rgb) override
    {
        lines.push_back({x1, y1, x2, y2, -1, rgb});
    }
    void text(double x, double y, const std::string& t) override { texts.push_back({x, y, t}); }
    // Every character is a hundredth of the view wide, a line of text a fiftieth of it high.
    double textWidth(const std::string& t) const override { return static_cast<double>(t.size()) * 0.01 * view_.width; }
    double textHeight(const std::string&) const override { return 0.02 * view_.height; }
    void clear() override
    {
        lines.clear();
        texts.clear();
    }
    void setToolTip(const std::string& t) override { tip = t; }
    std::string toolTip() const override { return tip; }

    std::optional<RecordedText> findText(const std::string& t) const
    {
        for (const RecordedText& r : texts)
            if (r.text == t) return r;
        return std::nullopt;
    }

private:
    ViewScale view_;
};

} // namespace dravenor::testing
