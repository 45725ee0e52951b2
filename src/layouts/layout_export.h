#pragma once
// Save Layout As: one finished layout as a DXF drawing (every placed part in its final position,
// then the sheet, part names optionally written at the centres of the parts' boxes) or as a
// shape file holding the layout's entities. Files are written beside the target and renamed, so
// a failed save leaves the previous file as it was.
#include <optional>
#include <string>
#include <vector>

#include "job/nesting_state.h"
#include "geometry/dxf_export_drawing.h"
#include "layouts/layout_rebuild.h"
#include "layouts/remnant_marks.h"

namespace dravenor {

// The layers of a layout drawing, so that a CAM program can tell the plate from what is cut.
inline constexpr const char* kSheetLayer = "SHEET";
inline constexpr const char* kPartsLayer = "PARTS";
inline constexpr const char* kPartNamesLayer = "PART_NAMES";
// The remnant's cut line and its label (size and stock id).
inline constexpr const char* kRemnantLayer = "REMNANT";

struct LayoutDxfOptions {
    bool partNames = false; // a TEXT with the part's file name at the centre of each part's box
    double textHeight = 1;  // height of those texts in job units
    // The remnant's cut line and its label (text of textHeight) after the sheet; none when not given.
    std::optional<RemnantMarks> remnants{};
};

// A drawing's text, or why it could not be made.
struct LayoutDrawing {
    std::string text;
    std::string error;
    bool ok() const { return error.empty(); }
};

// The DXF drawing of layout layoutNo built from its item rows in order: each row's shape file
// read again (moved to the origin), turned by the row's Angle, moved so that its box starts at
// the row's X, Y and written; the sheet row comes last and gets no name. Parts, their names and
// the sheet are on layers of their own; the header names the job's unit. A shape file that is
// missing, unreadable or empty ends the drawing with a message naming it.
LayoutDrawing layoutDxfDrawing(const NestingState& state, int layoutNo, const DxfTemplates& templates,
                               const LayoutDxfOptions& options);
LayoutDrawing layoutDxfDrawing(const NestingState& state, int layoutNo, const DxfTemplates& templates,
                               const LayoutDxfOptions& options, const ShapeLoader& load);

// Writes the drawing with the templates "dxf.hd" and "dxf.ft" of the folder. Returns "" or the
// message; nothing is written when anything is missing.
std::string saveLayoutAsDxf(const NestingState& state, int layoutNo, const std::string& path,
                            const std::string& templateFolder, const LayoutDxfOptions& options);

// The layout's entities from the entity list, in list order, as shape-file text (no names).
// Empty when the layout has no entities.
std::string layoutShapeFileText(const NestingState& state, int layoutNo);
// Writes that text. Returns "" or the message.
std::string saveLayoutAsShapeFile(const NestingState& state, int layoutNo, const std::string& path);

// "dxf" -> DXF drawing, "shp" -> shape file, by the last three characters of the path in any
// letter case; any other name is refused with a message. Returns "" or the message.
std::string saveLayoutByExtension(const NestingState& state, int layoutNo, const std::string& path,
                                  const std::string& templateFolder, const LayoutDxfOptions& options);

// The name proposed for a layout's drawing: the job file's name without its folder and its last
// four characters (".nst"), "-", then the layout list line with every "/" made "-"
// ("plates.nst", "2/5  [QTY 3]" -> "plates-2-5  [QTY 3]").
std::string proposedLayoutFileName(const std::string& jobFileName, const std::string& layoutEntry);

// Every layout as a DXF drawing in an existing folder, each named as proposedLayoutFileName
// proposes for the job, with ".dxf"; the names at a hundredth of each sheet's larger side when
// names are asked for. Stops at the first drawing that cannot be written.
struct LayoutDrawingFiles {
    std::vector<std::string> files; // written, in layout order
    std::string error;              // "" or what stopped the writing, naming the file
};
LayoutDrawingFiles saveEveryLayoutAsDxf(const NestingState& state, const std::string& jobFileName,
                                        const std::string& folder, const std::string& templateFolder,
                                        bool partNames);

// A text height that reads well on the whole layout when no view gives one: a hundredth of the
// larger side of the layout's sheet (1 when the layout has no entities).
double defaultLayoutTextHeight(const NestingState& state, int layoutNo);

} // namespace dravenor
