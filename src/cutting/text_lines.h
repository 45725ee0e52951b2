#pragma once
// The lines of a cutting file's text, numbered from 1 as error messages name them.
#include <string>
#include <utility>
#include <vector>

namespace dravenor::cutting {

// CR LF, LF and a lone CR all end a line; a last line without its end counts.
std::vector<std::pair<int, std::string>> numberedLines(const std::string& content);
// The text without blanks and tabs at either end.
std::string trimmed(const std::string& text);

} // namespace dravenor::cutting
