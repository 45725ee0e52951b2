#pragma once
// The cut table "cutting.dat" of the working folder, beside the density table: the cutting data
// of each material and thickness. A grid file of quoted fields per line: material, thickness,
// kerf (mm), feed (mm per minute), pierce delay (seconds), lead-in, lead-out and overcut lengths
// (mm), and the microjoints of the row: the width each leaves (mm, 0 for those of the post file)
// and how many on each outer contour. A line of the first eight alone has no microjoints of its
// own. Lengths are millimetres whatever the job's unit; the thickness is matched as the job
// gives it.
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "job/text_grid.h"

namespace dravenor::cutting {

inline constexpr const char* kCutTableFileName = "cutting.dat";

struct CutData {
    std::string material;
    double thickness = 0, kerf = 0, feed = 0, pierceDelay = 0, leadIn = 0, leadOut = 0, overcut = 0;
    double jointWidth = 0, joints = 0;
    bool operator==(const CutData&) const = default;
};

using CutTable = std::vector<CutData>;

// Rows of the table's text; every line that is not blank must be a full row. Problems name the
// file and the line; a table with problems must not be used for cutting.
CutTable parseCutTableText(const std::string& content, const std::string& fileName, std::vector<std::string>& errors);
// The table file; a missing or unreadable file is an error naming it.
CutTable readCutTableFile(const std::string& path, std::vector<std::string>& errors);
// Path of the table in the folder: an existing file whose name matches without regard to case,
// else folder + "cutting.dat".
std::string cutTablePath(const std::string& folder);

// The row of the material (letter case ignored) and thickness (equal within 1e-9); none when
// the table has no such row.
std::optional<CutData> cutDataFor(const CutTable& table, const std::string& material, double thickness);
// The message for a job whose material and thickness have no row.
std::string missingCutDataMessage(const std::string& tablePath, const std::string& material, double thickness);

// File text: sorted by material then thickness, CR LF lines of quoted fields.
std::string cutTableText(const CutTable& table);
// Writes the text atomically. Returns "" or a message naming the file.
std::string saveCutTableFile(const CutTable& table, const std::string& path);

// The unit of each column of the grid but Mat: "mm/min" for Feed, "s" for Pierce, else "mm".
const std::map<std::string, std::string>& cutTableUnits();

// The window's grid (Mat Thick Kerf Feed Pierce LeadIn LeadOut Overcut Joint Joints), one empty
// row at the end.
TextGrid cutTableGrid(const CutTable& table);
// The rows of the grid with any text, read as the file reads them; problems name the grid row.
CutTable cutTableFromGrid(const TextGrid& grid, std::vector<std::string>& errors);

} // namespace dravenor::cutting
