#include "layouts/report_print_text.h"

#include "job/number_format.h"

namespace dravenor {

ReportPrintText& ReportPrintText::text(const std::string& item)
{
    text_ += item;
    column_ += static_cast<int>(item.size());
    return *this;
}

ReportPrintText& ReportPrintText::number(double value)
{
    std::string item = formatGeneral(value);
    if (value >= 0) item.insert(item.begin(), ' ');
    item += ' ';
    return text(item);
}

ReportPrintText& ReportPrintText::tab(int column)
{
    if (column_ > column) endLine();
    return text(std::string(static_cast<size_t>(column - column_), ' '));
}

ReportPrintText& ReportPrintText::endLine()
{
    text_ += "\r\n";
    column_ = 1;
    return *this;
}

ReportPrintText& ReportPrintText::line(const std::string& item)
{
    return text(item).endLine();
}

} // namespace dravenor
