#include "job/key_rules.h"

#include <algorithm>
#include <vector>

#include "job/column_attributes.h"
#include "job/part_rules.h"

namespace dravenor {

namespace {

int upperCase(int keyCode)
{
    return keyCode >= 'a' && keyCode <= 'z' ? keyCode - 'a' + 'A' : keyCode;
}

} // namespace

int typedCharacter(char inputClass, int keyCode)
{
    const bool decimal = inputClass == 'R' || inputClass == 'P';
    return decimal && keyCode == ',' ? '.' : keyCode;
}

std::string keyRefusal(const std::string& title, int keyCode)
{
    if (keyCode != ',' && keyCode != '.') return {};
    const char inputClass = columnAttributes(title).inputClass;
    if (inputClass == 'L') return title + " takes whole numbers only: no decimal point or comma";
    if (inputClass == 'S' && keyCode == ',') return title + " cannot hold a comma";
    return {};
}

std::string orientationForKey(const std::string& text, int keyCode)
{
    std::vector<std::string> matching;
    for (const std::string& value : orientationRules())
        if (!value.empty() && upperCase(static_cast<unsigned char>(value.front())) == upperCase(keyCode))
            matching.push_back(value);
    if (matching.empty()) {
        // The rest of a value being spelled out ("o" after "N") leaves it as it is.
        const bool spelling = std::any_of(text.begin(), text.end(), [&](char c) {
            return upperCase(static_cast<unsigned char>(c)) == upperCase(keyCode);
        });
        return spelling ? text : nextOrientation(text);
    }
    const auto at = std::find(matching.begin(), matching.end(), text);
    return at == matching.end() || at + 1 == matching.end() ? matching.front() : *(at + 1);
}

} // namespace dravenor
