#pragma once
// A DXF text drawing as (group code, value) pairs: a code line, then a value line.
#include <climits>
#include <cstdint>
#include <string_view>

namespace dravenor {

// Code of a group whose code line is not a whole number.
inline constexpr int kUnreadableGroupCode = INT_MIN;

struct DxfGroup {
    int code = 0;
    std::string_view value;  // the value line without its line end (points into the drawing text)
    std::uint32_t line = 0;  // 1-based number of the code line
};

// Reads the pairs one after another from text split at LF or CR LF. Codes are read whatever
// blanks surround them; blank lines at the very end are ignored. The text must outlive the
// reader and the groups it gives.
class DxfGroupReader {
public:
    explicit DxfGroupReader(std::string_view text, std::uint32_t firstLine = 1);

    // The next group; false at the end of the text.
    bool next(DxfGroup& group);
    // Byte offset in the text of the group next() reads next.
    std::size_t offset() const { return offset_; }
    std::uint32_t line() const { return line_; }

    int unreadableCodes() const { return unreadableCodes_; } // code lines that are not whole numbers
    std::uint32_t firstUnreadableLine() const { return firstUnreadableLine_; }
    bool endsWithoutValue() const { return endsWithoutValue_; } // an odd number of lines

private:
    std::string_view text_;
    std::size_t offset_ = 0;
    std::uint32_t line_ = 1;
    int unreadableCodes_ = 0;
    std::uint32_t firstUnreadableLine_ = 0;
    bool endsWithoutValue_ = false;
};

// The value with blanks and CR removed at both ends (entity names, section names).
std::string_view trimmedDxfValue(std::string_view value);

// A numeric group value: its leading numeric part (0 when none). outOfRange marks values no
// drawing can mean (overflowing exponents, "inf", "nan").
struct DxfNumber {
    double value = 0;
    bool numeric = true;     // the whole value is a number
    bool outOfRange = false;
};
DxfNumber readDxfNumber(std::string_view value);

} // namespace dravenor
