#pragma once
// Parts lists: an order list written by a spreadsheet or another program, one part type a row,
// read into rows for the part grid. The header row names the columns (file; quantity, priority,
// orientation, mirror; material and thickness, which pick the rows of the job's stock), in any
// order and common spellings. Every bad line is a fault naming its line; nothing is guessed.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dravenor {

// The job's material and thickness; rows naming another are left out. An empty material or a
// thickness of 0 takes every row.
struct JobStock {
    std::string material;
    double thickness = 0;
};

struct PartsListRow {
    int line = 0;          // line of the list, 0 for a file found in a folder
    std::string file;      // full path: relative names are taken from the list's folder
    std::int32_t qty = 1;  // default 1 when the list has no quantity
    std::int32_t pri = 0;  // 0: after all others, as an empty grid cell
    std::string orn;       // a value of the part grid's orientation column
    bool mirror = false;   // the part may lie mirrored
    std::string material;  // as written, "" when not given
    std::optional<double> thickness;
};

struct PartsListFault {
    int line = 0; // 0: the list as a whole (unreadable, empty)
    std::string message;
};
// "line 4: quantity 'ten' is not a whole number from 0 to 999999"
std::string faultText(const PartsListFault& fault);

struct LeftOutRow {
    PartsListRow row;
    std::string reason; // "material ALU, the job's is S235"
};

struct PartsList {
    std::vector<PartsListRow> rows;       // the rows for the job, in list order
    std::vector<LeftOutRow> otherStock;   // rows for another material or thickness
    std::vector<PartsListFault> faults;   // every bad line, in order
};

// Reads the list's text; relative file names are taken from listFolder.
PartsList readPartsList(std::string_view text, const std::string& listFolder, const JobStock& stock);
// Reads the list file; an unreadable file is one fault.
PartsList readPartsListFile(const std::string& path, const JobStock& stock);

// Whether the file name ends in .dxf or .shp, in any case: a drawing or shape file.
bool isShapeFileName(const std::string& name);

} // namespace dravenor
