#pragma once
// The questions asked before layouts are thrown away (a change to the job, a new run): they say
// how many layouts go and whether Deep Nesting made them, a result that may have taken minutes.
#include <string>

#include "job/nesting_state.h"

namespace dravenor {

inline constexpr const char* kChangeDataQuestion = "You are about to change data, Continue?";
inline constexpr const char* kNewRunQuestion = "Start a new optimization?";

// How many layouts the state holds (the highest layout number; 0 without layouts).
int layoutCount(const NestingState& state);
// "The 3 layouts made by Deep Nesting will be discarded." ("" without layouts).
std::string discardedLayoutsNote(const NestingState& state);
// The question, a blank line and the note; the question alone without layouts.
std::string discardingQuestion(const char* question, const NestingState& state);

} // namespace dravenor
