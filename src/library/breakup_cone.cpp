#include <algorithm>
#include <cmath>

#include "geometry/primitives.h"
#include "library/breakup.h"

namespace dravenor {

namespace {

BreakupResult failure(const std::string& message, const std::string& reason)
{
    BreakupResult r;
    r.message = message;
    r.reason = reason;
    return r;
}

std::string validationReason(const ConeBreakupParams& p)
{
    if (p.bigDiameter < p.smallDiameter) return "Dia Big must be greater than Dia Small";
    if (p.bigDiameter - p.smallDiameter == 0) return "Dia Big and Dia Small are equal: that is a cylinder, not a cone";
    if (p.bigDiameter * p.height == 0) return "Height must be greater than 0";
    if (p.kerf <= 0) return "Kerf must be greater than 0";
    return {};
}

// Further limits of our own: negative sizes give no sensible development.
std::string negativeSizeReason(const ConeBreakupParams& p)
{
    if (p.height < 0) return "Height must not be negative";
    if (p.smallDiameter < 0) return "Dia Small must not be negative";
    if (p.segmentWidth < 0) return "Seg Wid must not be negative";
    if (p.angularDivisions < 0) return "Ang Br must not be negative";
    return {};
}

// Boundary radii of the bands across one division, from the outside in, each band PW' across
// from its outer arc to the chord of its inner arc.
std::vector<double> bandBoundaries(double outer, double inner, double plateW, double halfAngle)
{
    const double c = std::cos(halfAngle);
    std::vector<double> b{outer};
    while (true) {
        const double next = (b.back() - plateW) / c;
        if (next >= b.back()) break;
        if (next <= inner) {
            b.push_back(inner);
            break;
        }
        b.push_back(next);
    }
    return b;
}

// Extent of an annular sector across its division, from the top of the outer arc to the lowest
// point: the chord of the inner arc, or the ends of the outer arc once the division passes a
// half turn.
double extentAcross(double outer, double inner, double cosHalfAngle)
{
    return outer - std::min(inner * cosHalfAngle, outer * cosHalfAngle);
}

BreakupPiece bandPiece(int number, int divisions, double outer, double inner, double angle)
{
    BreakupPiece piece;
    piece.number = number;
    piece.count = divisions;
    piece.width = outer - inner;
    piece.length = outer;
    piece.outline = annularSector(outer, inner, angle);
    return piece;
}

} // namespace

BreakupResult coneBreakup(const ConeBreakupParams& p)
{
    if (const std::string reason = validationReason(p); !reason.empty())
        return failure(p.bigDiameter < p.smallDiameter ? kBigDiaMessage : kKerfMessage, reason);
    if (const std::string reason = negativeSizeReason(p); !reason.empty()) return failure(reason, reason);

    const int n = p.angularDivisions == 0 ? 1 : p.angularDivisions;
    const double d = p.bigDiameter, h = p.height;
    const double apexHeight = d * h / (d - p.smallDiameter);
    const double outer = std::sqrt(d / 2 * d / 2 + apexHeight * apexHeight);
    const double slope = std::atan(2 * h / (d - p.smallDiameter));
    const double inner = (apexHeight - h) / std::sin(slope);
    const double plateW = p.plateWidth - 2 * p.kerf;
    const double sectorAngle = kPi * d / outer;
    const double halfDivision = kPi * d / (2 * outer * n);

    BreakupResult result;
    result.development.outerRadius = outer;
    result.development.innerRadius = inner;
    result.development.angleRadians = sectorAngle;
    result.development.divisions = n;
    const double c = std::cos(halfDivision);
    if (extentAcross(outer, inner, c) < plateW) {
        result.ok = true;
        result.message = kOneDivisionFitsMessage;
        result.pieces.push_back(bandPiece(1, n, outer, inner, 2 * halfDivision));
        return result;
    }
    // Bands make no headway when the outer arc's sagitta alone takes the whole plate.
    if (outer * (1 - c) >= plateW) {
        result.message = kPlateTooSmallMessage;
        result.reason = "Plate Wid less the kerf is narrower than the bulge of one division's arc; "
                        "increase Ang Br or Plate Wid";
        return result;
    }
    constexpr double kMostBands = 10000;
    if ((outer - inner) / (plateW - outer * (1 - c)) > kMostBands)
        return failure(kPlateTooSmallMessage, "the plate is too small for the shell: more than 10000 bands");

    std::vector<double> b = bandBoundaries(outer, inner, plateW, halfDivision);
    const std::size_t last = b.size() - 1;
    if (b.size() > 2 && b[last - 1] - b[last] < p.segmentWidth) {
        b[last - 1] = b[last] + p.segmentWidth;
        const bool fits = b[last - 1] < b[last - 2] && extentAcross(b[last - 1], b[last], c) <= plateW;
        if (!fits) return failure("Seg Wid is wider than the plate", "Seg Wid is too wide for the plate less the kerf");
    }
    result.ok = true;
    result.development.bandRadii = b;
    for (std::size_t k = 0; k + 1 < b.size(); ++k)
        result.pieces.push_back(bandPiece(static_cast<int>(k) + 1, n, b[k], b[k + 1], 2 * halfDivision));
    return result;
}

} // namespace dravenor
