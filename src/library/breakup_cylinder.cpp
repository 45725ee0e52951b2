#include <algorithm>
#include <cmath>

#include "geometry/primitives.h"
#include "library/breakup.h"

namespace dravenor {

namespace {

struct PieceSize {
    double w = 0; // along the height
    double l = 0; // along the circumference
};

using PieceGrid = std::vector<std::vector<PieceSize>>; // [column][row]

BreakupResult failure(const std::string& message, const std::string& reason)
{
    BreakupResult r;
    r.message = message;
    r.reason = reason;
    return r;
}

Shape rectangleOutline(double w, double l)
{
    auto line = [](double x1, double y1, double x2, double y2) {
        ShapeEntity e;
        e.X1 = x1, e.Y1 = y1, e.X2 = x2, e.Y2 = y2;
        return e;
    };
    return {line(0, 0, w, 0), line(w, 0, w, l), line(w, l, 0, l), line(0, l, 0, 0)};
}

// Fills the grid column by column, each strip the plate's size or what is left.
PieceGrid fillGrid(double height, double circumference, double plateW, double plateL)
{
    const int rows = stripCount(height, plateW);
    const int columns = stripCount(circumference, plateL);
    PieceGrid grid(columns, std::vector<PieceSize>(rows));
    double circumferenceUsed = 0;
    for (auto& column : grid) {
        double heightUsed = 0;
        for (PieceSize& piece : column) {
            piece.w = std::min(plateW, height - heightUsed);
            heightUsed += piece.w;
            piece.l = std::min(plateL, circumference - circumferenceUsed);
        }
        circumferenceUsed += column.front().l;
    }
    return grid;
}

// A last row or column narrower than the segment width is widened to it at the expense of the
// one before. Returns false when the segment width does not fit the plate.
bool widenLastStrips(PieceGrid& grid, double segmentWidth, double plateW, double plateL)
{
    const std::size_t rows = grid.front().size();
    if (rows >= 2 && grid.front().back().w < segmentWidth) {
        if (segmentWidth > plateW) return false;
        for (auto& column : grid) {
            column[rows - 2].w -= segmentWidth - column[rows - 1].w;
            column[rows - 1].w = segmentWidth;
        }
    }
    const std::size_t columns = grid.size();
    if (columns >= 2 && grid.back().front().l < segmentWidth) {
        if (segmentWidth > plateL) return false;
        for (std::size_t r = 0; r < rows; ++r) {
            grid[columns - 2][r].l -= segmentWidth - grid[columns - 1][r].l;
            grid[columns - 1][r].l = segmentWidth;
        }
    }
    return true;
}

bool samePiece(const BreakupPiece& piece, const PieceSize& size)
{
    return (piece.width == size.w && piece.length == size.l) || (piece.width == size.l && piece.length == size.w);
}

std::vector<BreakupPiece> distinctPieces(const PieceGrid& grid)
{
    std::vector<BreakupPiece> pieces;
    for (const auto& column : grid) {
        for (const PieceSize& size : column) {
            auto found = std::find_if(pieces.begin(), pieces.end(),
                                      [&](const BreakupPiece& p) { return samePiece(p, size); });
            if (found != pieces.end()) {
                ++found->count;
                continue;
            }
            BreakupPiece piece;
            piece.number = static_cast<int>(pieces.size()) + 1;
            piece.count = 1;
            piece.width = size.w;
            piece.length = size.l;
            piece.outline = rectangleOutline(size.w, size.l);
            pieces.push_back(piece);
        }
    }
    return pieces;
}

} // namespace

int stripCount(double length, double strip)
{
    int n = std::max(1, static_cast<int>(std::ceil(length / strip)));
    if (n > 1 && (n - 1) * strip >= length - 1e-9 * length) --n;
    return n;
}

BreakupResult cylinderBreakup(const CylinderBreakupParams& p)
{
    const double plateW = p.plateWidth - 2 * p.kerf;
    const double plateL = p.plateLength - 2 * p.kerf;
    const double circumference = kPi * p.diameter;
    if (p.kerf <= 0) return failure(kKerfMessage, "Kerf must be greater than 0");
    if (p.height <= 0) return failure(kKerfMessage, "Height must be greater than 0");
    if (circumference <= 0) return failure(kKerfMessage, "Dia must be greater than 0");
    if (plateW <= 0) return failure(kKerfMessage, "Plate Wid must be more than twice the kerf");
    if (plateL <= 0) return failure(kKerfMessage, "Plate Len must be more than twice the kerf");
    if (p.segmentWidth < 0) return failure("Seg Wid must not be negative", "Seg Wid must not be negative");
    constexpr double kMostPieces = 1e6;
    if (p.height / plateW * (circumference / plateL) > kMostPieces)
        return failure("Plate is too small for the shell", "the plate is too small for the shell: more than a million pieces");

    PieceGrid grid = fillGrid(p.height, circumference, plateW, plateL);
    if (!widenLastStrips(grid, p.segmentWidth, plateW, plateL))
        return failure("Seg Wid is wider than the plate", "Seg Wid is wider than the plate less the kerf");

    BreakupResult result;
    result.ok = true;
    result.development.width = p.height;
    result.development.height = circumference;
    result.pieces = distinctPieces(grid);
    for (const PieceSize& row : grid.front()) result.development.rowWidths.push_back(row.w);
    for (const auto& column : grid) result.development.columnLengths.push_back(column.front().l);
    return result;
}

} // namespace dravenor
