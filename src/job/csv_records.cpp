#include "job/csv_records.h"

#include <array>

namespace dravenor {

namespace {

std::string_view withoutByteOrderMark(std::string_view text)
{
    constexpr std::string_view mark = "\xEF\xBB\xBF";
    return text.substr(0, mark.size()) == mark ? text.substr(mark.size()) : text;
}

char separatorOfFirstLine(std::string_view text)
{
    const std::array<char, 3> candidates{',', ';', '\t'};
    std::array<int, 3> counts{};
    bool quoted = false;
    for (const char c : text) {
        if (c == '"') quoted = !quoted;
        if (quoted) continue;
        if (c == '\n' || c == '\r') break;
        for (size_t i = 0; i < candidates.size(); ++i) counts[i] += c == candidates[i];
    }
    size_t best = 0;
    for (size_t i = 1; i < candidates.size(); ++i)
        if (counts[i] > counts[best]) best = i;
    return candidates[best];
}

bool isBlankRecord(const CsvRecord& record)
{
    return record.fields.size() == 1 && record.fields.front().empty();
}

} // namespace

CsvRecords readCsvRecords(std::string_view text)
{
    text = withoutByteOrderMark(text);
    CsvRecords result;
    result.separator = separatorOfFirstLine(text);
    int line = 1;
    CsvRecord record{line, {std::string()}};
    bool quoted = false;
    int quoteLine = 0;
    auto endRecord = [&] {
        if (!isBlankRecord(record)) result.records.push_back(std::move(record));
        record = CsvRecord{line, {std::string()}};
    };
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                record.fields.back() += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                if (c == '\n') ++line;
                record.fields.back() += c;
            }
            continue;
        }
        if (c == '"') {
            quoted = true;
            quoteLine = line;
        } else if (c == result.separator) {
            record.fields.emplace_back();
        } else if (c == '\n') {
            ++line;
            endRecord();
        } else if (c != '\r' || (i + 1 < text.size() && text[i + 1] != '\n')) {
            record.fields.back() += c;
        }
    }
    if (quoted) {
        result.unclosedQuoteLine = quoteLine;
        return result;
    }
    endRecord();
    return result;
}

} // namespace dravenor
