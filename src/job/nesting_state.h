#pragma once
// What the nesting engine works on and leaves behind: the basic details, its sheet and part
// records, and the two layout lists. The job owns one NestingState; a run keeps copies of it.
#include <cstdint>
#include <string>
#include <vector>

#include "job/drawing_unit.h"

namespace dravenor {

struct BasicDetails {
    std::string Mat, Grade;
    double Thick = 0, Kerf = 0, ActKerf = 0; // ActKerf: the kerf the engine really uses
    std::string Note;
};

// Deep is the anytime search beside the three modes of the classic engine.
enum class NestingMode { Stack, ContinuousStack, Free, Deep };

// One usable sheet-grid row. Pri 0 is read as 32767 by the engine; Area is in square job units;
// a negative Remaining marks a sheet on which nothing fitted in the current trial.
struct SheetEntry {
    std::string FileName;
    std::int32_t Qty = 0, Pri = 0;
    std::int32_t Area = 0;
    std::int32_t Remaining = 0;
};

// One usable part-grid row; Orn is "", "No", "step90" or "step180" (job/part_rules.h). Mirror:
// the part may also be laid mirrored (Deep Nesting uses it; the classic engine never mirrors).
struct PartEntry {
    std::string FileName;
    std::int32_t Qty = 0, Pri = 0;
    std::string Orn;
    std::int32_t Area = 0;
    std::int32_t Remaining = 0;
    bool Mirror = false;
};

// One shape entity placed on a layout, already mirrored, turned and moved into sheet
// coordinates. SheetIndex and PartIndex are 1-based indices into the sorted sheet and part
// records; PartIndex and Instance are 0 for the sheet's own outline. Mirror: the instance lies
// mirrored left to right before its turn.
struct LayoutEntity {
    double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0, CX = 0, CY = 0, RAD = 0, Nstart = 0, Nend = 0;
    std::int32_t SheetIndex = 0, PartIndex = 0, LayoutNo = 0, Instance = 0;
    double Angle = 0;
    std::int32_t Qty = 0;
    bool Mirror = false;
    bool operator==(const LayoutEntity&) const = default;
};

// One placed part instance or sheet of a layout: the shape, mirrored left to right when Mirror
// is set, turned by Angle about its centre and moved so that its box starts at X, Y.
struct LayoutItem {
    std::string Name;
    double X = 0, Y = 0, Angle = 0;
    std::int32_t SheetIndex = 0, PartIndex = 0, LayoutNo = 0, Qty = 0;
    bool Mirror = false;
};

// Lists are 0-based vectors; the 1-based numbers the system shows and stores (SheetIndex,
// PartIndex, LayoutNo, Instance) are translated only through these helpers.
struct NestingState {
    BasicDetails details;
    // The unit drawings are converted to when their shapes are read (the job's length unit).
    DrawingUnit drawingUnit = DrawingUnit::Millimetre;
    std::vector<SheetEntry> sheets;
    std::vector<PartEntry> parts;
    std::vector<LayoutEntity> entities;
    std::vector<LayoutItem> items;
    // A job option: parts may lie inside other parts' holes (both engines). Off, every part stays
    // out of the holes of the parts already laid.
    bool partsInHoles = true;
    // A job option: after a run, parts whose straight edges face each other are moved to stand
    // exactly the spacing apart, and the cut plan cuts such edges once for both.
    bool commonLines = false;
    // The layouts were made by Deep Nesting: parts details.ActKerf apart on their true outlines,
    // not on the classic engine's raster.
    bool deepLayouts = false;

    SheetEntry& sheet(std::int32_t sheetIndex) { return sheets.at(static_cast<size_t>(sheetIndex - 1)); }
    const SheetEntry& sheet(std::int32_t sheetIndex) const { return sheets.at(static_cast<size_t>(sheetIndex - 1)); }
    PartEntry& part(std::int32_t partIndex) { return parts.at(static_cast<size_t>(partIndex - 1)); }
    const PartEntry& part(std::int32_t partIndex) const { return parts.at(static_cast<size_t>(partIndex - 1)); }
};

} // namespace dravenor
