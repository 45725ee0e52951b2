#pragma once
// What the drawings of a run were read with (units converted, entities skipped) is told once per
// drawing in a session: the notes the user has not seen yet come in a box, all of them in the
// progress window's text.
#include <set>
#include <string>
#include <vector>

namespace dravenor {

// The notes not in `told`, in their order; told then holds them all.
std::vector<std::string> notesNotToldYet(const std::vector<std::string>& notes, std::set<std::string>& told);

} // namespace dravenor
