#pragma once
// Numbers as a sentence names them: "2", "2 and 3", "2, 3 and 5".
#include <string>
#include <vector>

namespace dravenor {

inline std::string numberList(const std::vector<int>& numbers)
{
    std::string text;
    for (size_t i = 0; i < numbers.size(); ++i)
        text += (i == 0 ? "" : i + 1 == numbers.size() ? " and " : ", ") + std::to_string(numbers[i]);
    return text;
}

} // namespace dravenor
