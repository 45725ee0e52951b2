#pragma once
// "print.cfg" of the working folder: the pen width of printed layouts, one whole number from 1
// to 5 on one line.
#include <string>

namespace dravenor {

inline constexpr const char* kPrintConfigFileName = "print.cfg";
inline constexpr int kDefaultLineWidth = 1;
inline constexpr int kThinnestLineWidth = 1;
inline constexpr int kThickestLineWidth = 5;

struct LineWidthSetting {
    int lineWidth = kDefaultLineWidth;
    std::string warning; // why the file's value was not used, or ""
};

// The width stored in the folder's print.cfg: 1 when the file does not exist; 1 with a warning
// naming the file when it cannot be read or does not hold a whole number from 1 to 5.
LineWidthSetting readLineWidth(const std::string& folder);
// The file text for a width: the number and CR LF.
std::string lineWidthText(int lineWidth);
// Writes print.cfg atomically (created or replaced). A width outside 1..5 is refused. Returns ""
// or a message naming the file and the reason.
std::string saveLineWidth(const std::string& folder, int lineWidth);

} // namespace dravenor
