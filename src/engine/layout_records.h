#pragma once
// The engine's input records and its two result lists. The job owns all four lists.
#include <cstdint>
#include <string>
#include <vector>

namespace dravenor {

// One usable sheet-grid row. Area is in square job units, filled by the engine.
struct SheetEntry {
    std::string FileName;
    std::int32_t Qty = 0, Pri = 0;
    double Area = 0;
    std::int32_t Remaining = 0;
};

// One usable part-grid row; Orn is "", "No" or "step90".
struct PartEntry {
    std::string FileName;
    std::int32_t Qty = 0, Pri = 0;
    std::string Orn;
    double Area = 0;
    std::int32_t Remaining = 0;
};

// One shape entity placed on a layout, already turned and moved into sheet coordinates.
// PartIndex and Instance are 0 for the sheet's own outline.
struct LayoutEntity {
    double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0, CX = 0, CY = 0, RAD = 0, Nstart = 0, Nend = 0;
    std::int32_t SheetIndex = 0, PartIndex = 0, LayoutNo = 0, Instance = 0;
    double Angle = 0;
    std::int32_t Qty = 0;
};

// One placed part instance or sheet of a layout.
struct LayoutItem {
    std::string Name;
    double X = 0, Y = 0, Angle = 0;
    std::int32_t SheetIndex = 0, PartIndex = 0, LayoutNo = 0, Qty = 0;
};

} // namespace dravenor
