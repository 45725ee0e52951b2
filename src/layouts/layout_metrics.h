#pragma once
// What the layouts of a job amount to: yields, running lengths of cutting (RLC) and weights,
// per layout and in total. Computed once from the engine's results and shared by the report,
// the printout, the windows and the batch tool.
//
// Yields are percentages kept to three decimals, and yields and weights use the true areas of
// the outlines (arcs exact, holes subtracted), not the raster areas the run counted. RLC is the length of the segment form of a
// part (every entity, holes included, arcs by their chords), counted once per placed instance;
// the sheet outline is not cut. A weight is density x thickness x area x count, with no unit
// conversion: the density table's unit decides the weight's.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/layout_summary.h"
#include "job/nesting_state.h"
#include "engine/record_areas.h"
#include "geometry/segments.h"

namespace dravenor {

struct LayoutMetrics {
    std::int32_t layoutNo = 0;
    std::int32_t sheetIndex = 0;  // 1-based sheet record, 0 when the layout has no sheet
    std::int32_t qty = 0;         // identical sheets cut with the layout
    double yield = 0;             // placed part area over sheet area, percent
    double baseYield = 0;         // the same over the sheet's bounding rectangle (its extents)
    double rlcPerSheet = 0;       // all placed instances of one sheet
    double totalRlc = 0;          // rlcPerSheet x qty
};

struct JobMetrics {
    std::vector<LayoutMetrics> layouts; // in layout-number order
    double overallYield = 0;
    double overallBaseYield = 0;
    double totalRlc = 0;                // sum of the layouts' total RLC
    std::vector<double> partRlc;        // RLC of one piece, per part record in record order
    RecordAreas areas;                  // true area per sheet and part record, square job units
    std::vector<double> sheetBoxArea;   // bounding rectangle per sheet record, square job units
    double density = 0;                 // of the job's material
    double thickness = 0;
    std::string kerfNote;               // kerfUsedNote of the job, "" when the kerf entered was used
    std::vector<std::string> warnings;  // shape files that could not be read

    std::int32_t highestLayoutNo() const { return layouts.empty() ? 0 : layouts.back().layoutNo; }
    // The layout with this number, or nullptr.
    const LayoutMetrics* layout(std::int32_t layoutNo) const;
    // Weight of count pieces of this area in the job's material and thickness.
    double weight(double area, double count) const;
    // Weight of count sheets of the sheet record, or pieces of the part record (1-based).
    double sheetWeight(std::int32_t sheetIndex, double count) const { return weight(areas.sheet(sheetIndex), count); }
    double partWeight(std::int32_t partIndex, double count) const { return weight(areas.part(partIndex), count); }
    // RLC of one piece of the part record (1-based PartIndex); 0 for an unknown index.
    double rlcOfPart(std::int32_t partIndex) const;
};

// Metrics of every layout in the state with the density of the job's material (the shape files
// are read for the areas, lengths and the kerf used).
JobMetrics computeJobMetrics(const NestingState& state, double density);

// A percentage kept to three decimals the way the report shows it (mask "##.###" and back).
double roundedYield(double percent);
// Yield in percent of the layouts numbered first..last: part area over sheet area, each layout
// counted with its quantity; 0 when the sheet area is 0.
double yieldOfLayouts(const std::vector<LayoutSummary>& layouts, std::int32_t first, std::int32_t last);

// Sum of the segment lengths.
double cuttingLength(const SegmentList& segments);
double cuttingLength(const Shape& shape);

// density x thickness x area x count, and that weight as the report writes it ("0.00").
double weightOf(double density, double thickness, double area, double count);
std::string weightText(double density, double thickness, double area, double count);

} // namespace dravenor
