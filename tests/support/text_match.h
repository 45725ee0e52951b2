#pragma once
// Whether a message or file text holds a given piece.
#include <string>

namespace dravenor::testing {

inline bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

} // namespace dravenor::testing
