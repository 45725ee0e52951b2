#pragma once
// A DrawingSurface that records what is drawn on it, so tests can assert on lines, texts, the
// scale and the tooltip. Clearing forgets the lines and texts drawn so far (as a picture would)
// and is counted.
#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "geometry/drawing_surface.h"

namespace dravenor::testing {

struct RecordedLine {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    int colour = 0;
};

struct RecordedText {
    double x = 0, y = 0;
    std::string text;
};

struct LineBox {
    double xmin = 0, ymin = 0, xmax = 0, ymax = 0;
    double width() const { return xmax - xmin; }
    double height() const { return ymax - ymin; }
};

class RecordingSurface : public DrawingSurface {
public:
    std::vector<RecordedLine> lines;
    std::vector<RecordedText> texts;
    std::vector<ViewScale> scalesSet;   // every accepted setScale, in order
    int refusedScales = 0;
    int clears = 0;
    std::string tip;
    // Text measurement: every character is this fraction of the view width wide, and a line of
    // text this fraction of the view height high.
    double charWidthPerViewWidth = 0.01;
    double textHeightPerViewHeight = 0.02;

    // Like a real picture area, a scale without width or height is refused.
    bool setScale(const ViewScale& s) override
    {
        if (!(s.width > 0) || !(s.height > 0)) {
            ++refusedScales;
            return false;
        }
        view_ = s;
        scalesSet.push_back(s);
        return true;
    }
    ViewScale scale() const override { return view_; }
    void line(double x1, double y1, double x2, double y2, int colour) override
    {
        lines.push_back({x1, y1, x2, y2, colour});
    }
    void text(double x, double y, const std::string& t) override { texts.push_back({x, y, t}); }
    double textWidth(const std::string& t) const override
    {
        return static_cast<double>(t.size()) * charWidthPerViewWidth * view_.width;
    }
    double textHeight(const std::string&) const override { return textHeightPerViewHeight * view_.height; }
    void clear() override
    {
        ++clears;
        lines.clear();
        texts.clear();
    }
    void setToolTip(const std::string& t) override { tip = t; }
    std::string toolTip() const override { return tip; }

    int countLines(int colour) const
    {
        return static_cast<int>(std::count_if(lines.begin(), lines.end(),
                                               [colour](const RecordedLine& l) { return l.colour == colour; }));
    }
    std::vector<RecordedLine> linesOfColour(int colour) const
    {
        std::vector<RecordedLine> found;
        for (const RecordedLine& l : lines)
            if (l.colour == colour) found.push_back(l);
        return found;
    }
    // Bounding box of the lines drawn (of one colour when given); nothing when none were drawn.
    std::optional<LineBox> lineBox(std::optional<int> colour = std::nullopt) const
    {
        std::optional<LineBox> box;
        for (const RecordedLine& l : lines) {
            if (colour && l.colour != *colour) continue;
            if (!box) box = LineBox{l.x1, l.y1, l.x1, l.y1};
            for (auto [x, y] : {std::pair{l.x1, l.y1}, std::pair{l.x2, l.y2}}) {
                box->xmin = std::min(box->xmin, x);
                box->ymin = std::min(box->ymin, y);
                box->xmax = std::max(box->xmax, x);
                box->ymax = std::max(box->ymax, y);
            }
        }
        return box;
    }
    bool hasText(const std::string& t) const
    {
        return std::any_of(texts.begin(), texts.end(), [&t](const RecordedText& r) { return r.text == t; });
    }
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
