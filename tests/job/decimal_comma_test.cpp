// A comma typed into a number cell is its decimal point; where it cannot belong (whole numbers,
// text that the job file splits at commas) it is refused with a word saying why.
#include <gtest/gtest.h>

#include "job/cell_editing.h"
#include "job/key_rules.h"
#include "job/job.h"

namespace dravenor {
namespace {

TEST(DecimalComma, IsThePointInDecimalCellsAndRefusedWithAWordElsewhere)
{
    struct Case {
        const char* title;
        const char* keys;
        const char* text;    // what the cell holds
        const char* refusal; // "" when every key was taken
    };
    const Case cases[] = {
        {"Thick", "12,5", "12.5", ""},
        {"Kerf", "2,5", "2.5", ""},
        {"Kerf", ",5", ".5", ""},
        {"Density", "7,85", "7.85", ""},
        {"X1", "-3,25", "-3.25", ""},
        {"RAD", "0,5", "0.5", ""},
        {"Kerf", "2.5", "2.5", ""},
        {"Kerf", "2,5,1", "2.5", "',' cannot be typed into Kerf"}, // a second point
        {"Qty", "1,5", "1", "Qty takes whole numbers only: no decimal point or comma"},
        {"Pri", "2.5", "2", "Pri takes whole numbers only: no decimal point or comma"},
        {"Mat", "S,235", "S", "Mat cannot hold a comma"},
        {"Note", "a,b", "A", "Note cannot hold a comma"},
        {"Note", "a.b", "A.B", ""},
    };
    for (const Case& c : cases) {
        const TypedText typed = typeIntoEmptyCell(c.title, c.keys);
        EXPECT_EQ(std::pair(typed.text, typed.refusal), std::pair(std::string(c.text), std::string(c.refusal)))
            << c.title << " '" << c.keys << "'";
    }
}

TEST(DecimalComma, ThickAndKerfTypedWithCommasAreReadAsTheNumbersMeant)
{
    struct AcceptAll : GridEditHost {
        bool beforeChange(int) override { return true; }
        std::vector<std::string> chooseFiles(const TextGrid&, bool) override { return {}; }
    } host;
    Job job;
    for (const auto& [title, keys] : {std::pair("Thick", "12,5"), std::pair("Kerf", "2,5")}) {
        job.basic.row = 1;
        job.basic.col = job.basic.columnOf(title);
        for (const char* k = keys; *k; ++k) pressKey(job.basic, *k, host, {});
    }
    const BasicDetails details = readBasicDetails(job.basic);
    EXPECT_EQ(std::pair(details.Thick, details.Kerf), std::pair(12.5, 2.5));
}

} // namespace
} // namespace dravenor
