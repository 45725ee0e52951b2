#pragma once
// The rules a part row sets for how its parts may lie: the orientation ("Orn") and whether a
// part may be laid mirrored ("Mirror"). One place for the values, so the grids, the job file,
// the batch tool and parts lists agree.
#include <string>
#include <string_view>
#include <vector>

namespace dravenor {

// Orientation rules: "" any turn, "No" exactly as drawn, "step90" as drawn or turned by right
// angles, "step180" as drawn or turned half round (a grain or rolling direction).
inline constexpr std::string_view kOrnAny = "";
inline constexpr std::string_view kOrnNo = "No";
inline constexpr std::string_view kOrnStep90 = "step90";
inline constexpr std::string_view kOrnStep180 = "step180";

// Every orientation rule, in the order the grid steps through them.
const std::vector<std::string>& orientationRules();
bool isOrientationRule(std::string_view text);
// The rule after `text` in the grid's cycle "" -> No -> step90 -> step180 -> ""; other text
// stays as it is.
std::string nextOrientation(const std::string& text);
// The turns (degrees, from the drawing) a rule allows on a sheet; empty for "" (any turn).
std::vector<double> fixedTurns(std::string_view rule);

// Whether a rule lets a part lie turned half round from where it lies as drawn or first turned:
// every rule but "No".
bool allowsHalfTurn(std::string_view rule);
// Whether a rule lets a part lie across, a right angle from its first turn: "" and "step90".
bool allowsQuarterTurns(std::string_view rule);
// Whether a rule fixes the turns from the drawing ("No", "step90", "step180"), so that a part
// turns with a sheet that is turned for nesting.
bool turnsFixedByDrawing(std::string_view rule);

// The "Mirror" cell: "Yes" when the part may be laid mirrored, empty when not.
inline constexpr std::string_view kMirrorYes = "Yes";
std::string mirrorCellText(bool mirrorAllowed);
// "Yes" in any case (and "Y", "1", "true") allows mirroring; anything else does not.
bool mirrorAllowedByText(std::string_view text);

// The "Mirror" cell's cycle: "" -> "Yes" -> "".
std::string nextMirror(const std::string& text);

} // namespace dravenor
