#pragma once
// The print settings of the working folder. "print.cfg": the pen width of printed layouts, one
// whole number from 1 to 5 on one line. "printscale.cfg": the scale of printed layouts, the N
// of a true scale 1 : N from a fixed list, or 0 for the fit the layout view's zoom gives.
#include <array>
#include <string>

namespace dravenor {

inline constexpr const char* kPrintConfigFileName = "print.cfg";
inline constexpr int kDefaultLineWidth = 1;
inline constexpr int kThinnestLineWidth = 1;
inline constexpr int kThickestLineWidth = 5;

inline constexpr const char* kPrintScaleFileName = "printscale.cfg";
inline constexpr int kFitPrintScale = 0;
// The choices of File > Print Scale: the fit, then 1 : 1 to 1 : 100.
inline constexpr std::array<int, 8> kPrintScaleChoices{kFitPrintScale, 1, 2, 5, 10, 20, 50, 100};

struct LineWidthSetting {
    int lineWidth = kDefaultLineWidth;
    std::string warning; // why the file's value was not used, or ""
};

struct PrintScaleSetting {
    int denominator = kFitPrintScale;
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

// The scale stored in printscale.cfg, read as print.cfg is: the fit when the file does not
// exist or (with a warning) does not hold one of the choices.
PrintScaleSetting readPrintScale(const std::string& folder);
// Writes printscale.cfg atomically; a scale that is not one of the choices is refused.
std::string savePrintScale(const std::string& folder, int denominator);

} // namespace dravenor
