#pragma once
// Records of a delimited text file as spreadsheets export it: a comma, semicolon or tab between
// fields, fields in double quotes where they hold the separator, a quote ("" inside quotes) or a
// line break, CR LF or LF line ends, and a UTF-8 byte-order mark at the start ignored.
#include <string>
#include <string_view>
#include <vector>

namespace dravenor {

struct CsvRecord {
    int line = 0;                    // 1-based line on which the record starts
    std::vector<std::string> fields; // as written, quotes removed, blanks kept
};

struct CsvRecords {
    char separator = ',';
    std::vector<CsvRecord> records; // empty lines left out
    // A field whose quotes never close: the line it starts on, 0 when every quote closes. The
    // records before it are still returned.
    int unclosedQuoteLine = 0;
};

// The separator is the one of comma, semicolon and tab that the first line holds most often
// outside quotes (comma when it holds none).
CsvRecords readCsvRecords(std::string_view text);

} // namespace dravenor
