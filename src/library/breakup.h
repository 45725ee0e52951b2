#pragma once
// Breakups of rolled shells: a cylinder or a truncated cone developed flat and cut into pieces
// that fit the plates they are cut from. Each distinct piece comes with how many are needed.
#include <string>
#include <vector>

#include "geometry/shape.h"

namespace dravenor {

struct CylinderBreakupParams {
    double diameter = 0;      // "Dia"
    double height = 0;        // "Height"
    double plateLength = 0;   // "Plate Len", along the circumference
    double plateWidth = 0;    // "Plate Wid", along the height
    double segmentWidth = 0;  // "Seg Wid": the narrowest a last strip may be
    double kerf = 0;          // "Kerf", taken off the plate on both sides
};

struct ConeBreakupParams {
    double bigDiameter = 0;   // "Dia Big"
    double smallDiameter = 0; // "Dia Small"
    double height = 0;        // "Height"
    double plateWidth = 0;    // "Plate Wid"
    double segmentWidth = 0;  // "Seg Wid": the narrowest an innermost band may be
    int angularDivisions = 1; // "Ang Br"; 0 is taken as 1
    double kerf = 0;          // "Kerf"
};

// One distinct piece: its closed outline, its number (1-based, in order of first occurrence)
// and how many are needed.
struct BreakupPiece {
    int number = 0;
    int count = 0;
    Shape outline;
    double width = 0;  // cylinder: along the height; cone band: outer minus inner radius
    double length = 0; // cylinder: along the circumference; cone band: outer radius
};

// The flat development the pieces come from.
struct Development {
    double width = 0, height = 0;          // cylinder: H x circumference
    double outerRadius = 0, innerRadius = 0; // cone: development radii
    double angleRadians = 0;               // cone: angle of the whole sector
    int divisions = 0;                     // cone: angular divisions used
    std::vector<double> rowWidths;         // cylinder: strips along the height, in order
    std::vector<double> columnLengths;     // cylinder: strips round the circumference, in order
    std::vector<double> bandRadii;         // cone: band boundaries from the outside in
};

struct BreakupResult {
    bool ok = false;
    std::string message; // the text the window shows in its preview (error, or a remark)
    std::string reason;  // on failure: which value is wrong and why
    Development development;
    std::vector<BreakupPiece> pieces;
};

inline constexpr const char* kKerfMessage = "Preview will be generated after specifying Kerf";
inline constexpr const char* kBigDiaMessage = "Big Dia Should be always be greater than Small Dia";
inline constexpr const char* kPlateTooSmallMessage =
    "Plate width is too small to fit any piece\nIncrease the no of angular divisions or Plate Width";
inline constexpr const char* kOneDivisionFitsMessage = "All pieces made by Angular Division(s) fit in one plate each";

BreakupResult cylinderBreakup(const CylinderBreakupParams& params);
BreakupResult coneBreakup(const ConeBreakupParams& params);

// Smallest n with n * strip >= length, a rounding speck in the quotient not counting as a strip.
int stripCount(double length, double strip);

// Annular sector of the given angle (radians) symmetric about the positive Y axis, centred at
// the origin; a pie slice when the inner radius is 0.
Shape annularSector(double outerRadius, double innerRadius, double angleRadians);

// folder/stem-<number>x<count>.dxf, the count being the number of pieces needed
std::string breakupFileName(const std::string& folder, const std::string& stem, const BreakupPiece& piece);

// Writes one DXF drawing per piece. Returns "" and the names written in order, or the error.
std::string writeBreakupPieces(const BreakupResult& result, const std::string& folder, const std::string& stem,
                               const std::string& templateFolder, std::vector<std::string>& written);

// "Following Files are created !" and the names, each on its own line.
std::string breakupCompletionMessage(const std::vector<std::string>& files);

} // namespace dravenor
