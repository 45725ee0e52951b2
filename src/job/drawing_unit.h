#pragma once
// The program's drawing unit: the length unit of every shape, kerf and thickness. Drawings that
// name their own units are converted to it when read. The window keeps the choice in
// "units.cfg" of the working folder; the batch tool takes it from --units.
#include <optional>
#include <string>
#include <string_view>

namespace dravenor {

enum class DrawingUnit { Millimetre, Inch };

inline constexpr const char* kUnitConfigFileName = "units.cfg";

// "mm" or "in", as --units and units.cfg spell them.
std::string_view drawingUnitCode(DrawingUnit unit);
// "millimetres" or "inches".
std::string_view drawingUnitName(DrawingUnit unit);
// Millimetres in one unit: 1 or 25.4.
double millimetresPer(DrawingUnit unit);
// The unit a code names ("mm", "in", any letter case, blanks around); nothing for other text.
std::optional<DrawingUnit> parseDrawingUnit(std::string_view code);

struct DrawingUnitSetting {
    DrawingUnit unit = DrawingUnit::Millimetre;
    std::string warning; // why the file's value was not used, or ""
};

// The unit stored in the folder's units.cfg: millimetres when the file does not exist; millimetres
// with a warning naming the file when it cannot be read or names no unit.
DrawingUnitSetting readDrawingUnit(const std::string& folder);
// Writes units.cfg atomically. Returns "" or a message naming the file and the reason.
std::string saveDrawingUnit(const std::string& folder, DrawingUnit unit);

} // namespace dravenor
