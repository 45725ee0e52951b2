#pragma once
// Inline bodies of the arc-chord helpers (included by segments.h only).
#include <algorithm>
#include <cmath>

namespace dravenor {

inline double chordStep(double sweepDegrees)
{
    return std::max(std::min(std::fabs(sweepDegrees) / 4.0, 2.0), 0.01);
}

inline double chordSagitta(double radius, double stepDegrees)
{
    constexpr double toRad = 3.14159265358979 / 180.0;
    return std::fabs(radius) * (1 - std::cos(stepDegrees * toRad / 2));
}

inline void unwrapArcAngles(double& s, double& e)
{
    // Angles beyond ten turns (a damaged file) are brought within one turn first, so the loops
    // here always end and no arc sweeps far enough to need more than a few thousand chords.
    constexpr double farAngle = 3600;
    if (std::fabs(s) > farAngle || std::fabs(e) > farAngle) {
        s = std::fmod(s, 360.0);
        e = std::fmod(e, 360.0);
    }
    if (s == e) e += 360.0;
    while (e < s) e += 360.0;
}

inline double arcSweep(double s, double e)
{
    unwrapArcAngles(s, e);
    return e - s;
}

template <class Sink>
void forEachArcChord(double cx, double cy, double rad, double s, double e, Sink&& sink)
{
    constexpr double toRad = 3.14159265358979 / 180.0;
    unwrapArcAngles(s, e);
    const double step = chordStep(e - s);
    auto px = [&](double a) { return cx + rad * std::cos(a * toRad); };
    auto py = [&](double a) { return cy + rad * std::sin(a * toRad); };
    bool ran = false;
    double lastX = 0, lastY = 0;
    // The loop variable grows by repeated addition, so chord ends follow that arithmetic. Each
    // chord after the first starts exactly where the previous one ended: recomputing the start
    // from a - step can land a rounding step away and leave a tiny gap inside the arc.
    for (double a = s + step; a <= e; a += step) {
        const double fromX = ran ? lastX : px(a - step);
        const double fromY = ran ? lastY : py(a - step);
        lastX = px(a);
        lastY = py(a);
        sink(fromX, fromY, lastX, lastY);
        ran = true;
    }
    if (ran) sink(lastX, lastY, px(e), py(e));
    else sink(px(s), py(s), px(e), py(e));
}

} // namespace dravenor
