#include "geometry/outline_closing.h"

#include "geometry/outline_closing_gap.h"

namespace dravenor {

void closeOutlinesByFullScan(SegmentList& segments)
{
    GapCandidates gaps;
    for (std::size_t i = 0; i < segments.size(); ++i) {
        gaps.reset();
        const Segment own = segments[i];
        const std::size_t bound = segments.size();
        for (std::size_t j = 0; j < bound; ++j)
            if (j != i) gaps.consider(own, segments[j]);
        gaps.appendClosingSegments(segments);
    }
}

void closeOutlines(SegmentList& segments)
{
    if (!closeOutlinesByGrid(segments)) closeOutlinesByFullScan(segments);
}

std::vector<ShapeEntity> missingLines(const Shape& shape)
{
    SegmentList segments = shapeToSegments(shape);
    const std::size_t before = segments.size();
    closeOutlines(segments);
    std::vector<ShapeEntity> lines;
    for (std::size_t k = before; k < segments.size(); ++k) {
        const Segment& s = segments[k];
        ShapeEntity line;
        line.X1 = s.X1;
        line.Y1 = s.Y1;
        line.X2 = s.X2;
        line.Y2 = s.Y2;
        lines.push_back(line);
    }
    return lines;
}

} // namespace dravenor
