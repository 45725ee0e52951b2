#pragma once
// Numbers the cutting files store: the shortest plain decimal that reads back as the same
// double, so a saved file reads back exactly.
#include <string>

namespace dravenor::cutting {

std::string exactNumberText(double value);

} // namespace dravenor::cutting
