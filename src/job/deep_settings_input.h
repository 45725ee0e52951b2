#pragma once
// The Deep Nesting settings as the user types them (the settings dialog, the batch tool's options,
// the job file): one reader per setting with the message the user sees when a value cannot be
// used, and the check of a whole settings record before a run.
#include <optional>
#include <string>

#include "job/deep_settings.h"

namespace dravenor {

enum class DeepField { Spacing, Margin, TimeLimit };

struct DeepNumber {
    double value = 0;
    std::string error; // "the time limit must be a number of seconds above 0", ...
    bool ok() const { return error.empty(); }
};

// The setting's value from its text. An empty spacing is "the kerf as entered" (value -1);
// spacing and margin are numbers from 0 up, the time limit a number of seconds above 0.
DeepNumber readDeepField(DeepField field, const std::string& text);

// The text of a setting as the dialog shows it and the job file stores it ("" for the spacing
// that follows the kerf).
std::string deepFieldText(DeepField field, const DeepSettings& settings);

// The first value of the record no run can use, as a sentence ("The time limit must be ..."),
// or nothing. Iterations above 0 stand in for the time limit.
std::optional<std::string> deepSettingsProblem(const DeepSettings& settings);

// The spacing a run keeps: the one set, else the kerf as entered (never below 0).
double effectiveSpacing(const DeepSettings& settings, double kerf);

} // namespace dravenor
