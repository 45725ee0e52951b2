#pragma once
// Text laid out the way the report has always been written: items one after another on a line,
// numbers with a blank before (room for the sign) and after, and tab stops at fixed columns.
#include <string>

namespace dravenor {

class ReportPrintText {
public:
    // A string exactly as it is.
    ReportPrintText& text(const std::string& item);
    // A number in general number format with one leading blank when not negative and one
    // trailing blank: 15 -> " 15 ", -2.5 -> "-2.5 ".
    ReportPrintText& number(double value);
    // Moves to column n (1-based); when the line already passed it, to column n of a new line.
    ReportPrintText& tab(int column);
    // Ends the line with CR LF.
    ReportPrintText& endLine();
    // A whole line: the text and CR LF.
    ReportPrintText& line(const std::string& item = {});

    const std::string& str() const { return text_; }

private:
    std::string text_;
    int column_ = 1; // where the next character goes
};

} // namespace dravenor
