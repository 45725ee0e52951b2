#include "cutting/cut_plan_drawing.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace dravenor::cutting {

namespace {

class PlanPen {
public:
    PlanPen(DrawingSurface& surface, double mirror) : surface_(surface), mirror_(mirror)
    {
        const ViewScale s = surface.scale();
        // Chords and dashes sized to the view, not to the layout: a few hundredths of its width.
        unit_ = std::max(std::abs(s.width), 1e-9) / 400;
    }

    void path(const PiecePath& pieces, int colour)
    {
        for (const PathPiece& p : pieces) {
            std::vector<Vec2> points{p.a};
            appendChordPoints(p, unit_ / 4, points);
            for (size_t i = 0; i + 1 < points.size(); ++i) line(points[i], points[i + 1], colour);
        }
    }

    void dashed(Vec2 a, Vec2 b, int colour)
    {
        const double len = distance(a, b);
        const int dashes = std::max(1, static_cast<int>(len / (4 * unit_)));
        for (int i = 0; i < dashes; ++i)
            line(a + (b - a) * (static_cast<double>(i) / dashes), a + (b - a) * ((i + 0.5) / dashes), colour);
    }

    // A ring of lines around a microjoint's gap, large enough to find on the whole layout: the gap
    // itself is as narrow as the joint.
    void ring(Vec2 a, Vec2 b, int colour)
    {
        const Vec2 mid = (a + b) * 0.5;
        const double r = std::max(distance(a, b), 3 * unit_);
        constexpr int sides = 12;
        for (int i = 0; i < sides; ++i) {
            const double t0 = 2 * M_PI * i / sides, t1 = 2 * M_PI * (i + 1) / sides;
            line(mid + Vec2{r * std::cos(t0), r * std::sin(t0)}, mid + Vec2{r * std::cos(t1), r * std::sin(t1)}, colour);
        }
    }

    void label(Vec2 at, const std::string& text) { surface_.text(at.x + unit_, mirror_ - at.y - unit_, text); }

private:
    void line(Vec2 a, Vec2 b, int colour) { surface_.line(a.x, mirror_ - a.y, b.x, mirror_ - b.y, colour); }

    DrawingSurface& surface_;
    double mirror_;
    double unit_ = 1;
};

} // namespace

void drawCutPlan(const CutPlan& plan, DrawingSurface& surface, double mirror)
{
    PlanPen pen(surface, mirror);
    Vec2 at = plan.home;
    for (size_t i = 0; i < plan.contours.size(); ++i) {
        const CutContour& c = plan.contours[i];
        pen.dashed(at, c.pierce, DarkGrey);
        pen.path(c.leadIn, Green);
        pen.path(c.cut, Red);
        const PiecePath* before = &c.cut;
        for (const PiecePath& stretch : c.rest) {
            if (!before->empty() && !stretch.empty()) pen.ring(before->back().b, stretch.front().a, Fuchsia);
            pen.path(stretch, Red);
            before = &stretch;
        }
        pen.path(c.overcut, Red);
        pen.path(c.leadOut, Green);
        pen.label(c.pierce, std::to_string(cutNumber(i)));
        at = contourEnd(c);
    }
    pen.path(plan.commonCuts, Blue);
}

} // namespace dravenor::cutting
