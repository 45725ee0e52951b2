#include "job/column_attributes.h"

#include <algorithm>
#include <array>
#include <initializer_list>

namespace dravenor {

namespace {

struct TitleGroup {
    std::initializer_list<std::string_view> titles;
    ColumnAttributes attributes;
};

// Every column title the program's grids use, with what may be typed into its cells.
const std::array<TitleGroup, 17>& attributeTable()
{
    static const std::array<TitleGroup, 17> table{{
        {{"Sheet File Name", "Part File Name", "File Name"}, {18, 'X', 'L'}},
        {{"FileName"}, {18, 'S', 'T'}},
        {{"Qty", "QTY"}, {6, 'L', 'T'}},
        {{"Pri"}, {3, 'L', 'T'}},
        {{"Orn"}, {1, 'O', 'T'}},
        {{"Mirror"}, {3, 'M', 'T'}},
        {{"X1", "Y1", "X2", "Y2", "CX", "CY", "RAD", "Nstart", "Nend", "X", "Y", "N"}, {7, 'P', 'T'}},
        {{"Mat", "Grade"}, {6, 'S', 'T'}},
        {{"Note"}, {20, 'S', 'T'}},
        {{"Thick"}, {6, 'R', 'T'}},
        {{"Kerf", "ActKerf"}, {5, 'R', 'T'}},
        {{"Density"}, {24, 'R', 'T'}},
        // The cut table's cutting data: feed per minute, pierce delay in seconds, lengths.
        {{"Feed", "Pierce", "LeadIn", "LeadOut", "Overcut", "Joint"}, {8, 'R', 'T'}},
        // The price table's money columns.
        {{"Material", "Machine", "Layout", "Sheet", "Scrap", "Remnant"}, {10, 'R', 'T'}},
        {{"Length", "Big Length", "Small Length", "Rad", "Big Dia", "Small Dia", "Angle", "Base",
          "Height", "Notch Rad", "Corner Rad", "Dia Big", "Dia Small", "Plate Len", "Plate Wid",
          "Seg Wid", "Dia", "Left Height", "Right Height"},
         {7, 'R', 'T'}},
        {{"Sides", "Ang Br", "Joints"}, {7, 'L', 'T'}},
        {{"REPORT"}, {76, 'X', 'X'}},
    }};
    return table;
}

constexpr std::string_view SerialColumnFormat = "<Sr   ";

int paddedWidth(std::string_view title)
{
    const int padTo = std::max(columnAttributes(title).maxLen, 3) + 5;
    return std::max(static_cast<int>(title.size()), padTo);
}

} // namespace

ColumnAttributes columnAttributes(std::string_view title)
{
    for (const TitleGroup& group : attributeTable())
        for (std::string_view known : group.titles)
            if (known == title) return group.attributes;
    return {};
}

bool rightAligned(std::string_view title)
{
    return title.find("File") != std::string_view::npos;
}

bool shortenedAtStart(std::string_view title)
{
    return rightAligned(title);
}

int columnWidthChars(std::string_view title)
{
    return paddedWidth(title);
}

std::string columnHint(std::string_view title)
{
    switch (columnAttributes(title).inputClass) {
    case 'O': return "Any key steps through the orientation rules: empty (any turn), No (as drawn), step90 "
                     "(right angles), step180 (as drawn or half round)";
    case 'M': return "Any key switches Yes / empty. Parts: Yes lets Deep Nesting lay the part mirrored (the "
                     "classic modes never mirror). Layout editor: Yes lays the part mirrored";
    default: break;
    }
    return columnAttributes(title).editMode == 'L' ? "Double-click or press Enter to choose files" : "";
}

int serialColumnWidthChars()
{
    return static_cast<int>(SerialColumnFormat.size()) - 1;
}

void applyColumnWidths(TextGrid& grid)
{
    grid.colWidths.assign(static_cast<size_t>(grid.cols()), 0);
    grid.colWidths[0] = serialColumnWidthChars();
    for (int c = 1; c < grid.cols(); ++c) grid.colWidths[static_cast<size_t>(c)] = columnWidthChars(grid.title(c));
}

std::string headerFormat(const std::vector<std::string>& titles)
{
    std::string format(SerialColumnFormat);
    for (const std::string& title : titles) {
        format.append(rightAligned(title) ? "|>" : "|<");
        format.append(title);
        format.append(static_cast<size_t>(paddedWidth(title)) - title.size(), ' ');
    }
    return format;
}

} // namespace dravenor
