// The quote of the shipped example job from the batch tool: its CSV adds up, the report's Costs
// page holds it, it goes into the job's quote history, and once the same parts were nested by the classic engine too, the quote
// compares the two nests in money.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "cli_test_support.h"

using namespace dravenor;
using namespace dravenor::testing;

namespace {

// The money columns of a CSV row, in cents.
std::vector<long> centsOf(const std::string& row)
{
    std::vector<long> cents;
    std::istringstream cells(row);
    int column = 0;
    for (std::string cell; std::getline(cells, cell, ','); ++column)
        if (column >= 3 && !cell.empty()) cents.push_back(std::lround(std::stod(cell) * 100));
    return cents;
}

TEST(QuoteCommand, ExampleAddsUpAndComparesTheEnginesOnceBothNested)
{
    TempFolder dir;
    std::filesystem::copy(examplePath(""), dir.folder(), std::filesystem::copy_options::recursive);
    const std::string job = dir.file("example.nst"), csv = dir.file("quote.csv");
    const ToolRun deep = runInProcess({"quote", job, "--margin", "15", "--csv", csv});
    ASSERT_EQ(deep.code, 0) << deep.err;
    EXPECT_TRUE(contains(deep.out, "from layouts 1-2 (Deep Nesting)")) << deep.out;
    EXPECT_TRUE(contains(deep.out, "no quote of these parts nested by the classic engine"));

    // Every money column of the part rows adds up to the totals row (Price has no unit column).
    std::ifstream file(csv);
    std::vector<long> sum, total;
    for (std::string line; std::getline(file, line) && line != "\r";) {
        line.pop_back(); // the CR of the line end
        if (line.starts_with("Part,")) continue;
        const std::vector<long> cents = centsOf(line);
        if (line.starts_with("Total,")) total = cents;
        else {
            sum.resize(cents.size());
            for (size_t i = 0; i < cents.size(); ++i) sum[i] += cents[i];
        }
    }
    ASSERT_EQ(total.size(), 5u);
    EXPECT_EQ(std::vector<long>({sum[0], sum[1], sum[2], sum[3], sum[5]}), total);

    // The report's Costs page begins a printed page of its own and holds the same quote.
    const ToolRun report = runInProcess({"report", job, "--costs", "--margin", "15", "-o", dir.file("R.tlf")});
    ASSERT_EQ(report.code, 0) << report.err;
    EXPECT_TRUE(contains(TempFolder::read(dir.file("R.tlf")), "\f\r\nCosts\r\nQuote of example.nst"));
    const size_t costAt = deep.out.find("\nCost ") + 1;
    EXPECT_TRUE(contains(TempFolder::read(dir.file("R.tlf")), deep.out.substr(costAt, deep.out.find('\n', costAt) - costAt)));

    // The same parts nested by the classic engine into the same job file, then quoted.
    std::ifstream argsFile(examplePath("job.args"));
    cli::Args nest{"nest"};
    for (std::string arg; std::getline(argsFile, arg);) nest.push_back(arg);
    const std::filesystem::path here = std::filesystem::current_path();
    std::filesystem::current_path(dir.folder());
    const ToolRun nested = runInProcess([&] { cli::Args a = nest; a.insert(a.end(), {"--save", job}); return a; }());
    std::filesystem::current_path(here);
    ASSERT_EQ(nested.code, 0) << nested.err;
    const ToolRun classic = runInProcess({"quote", job});
    ASSERT_EQ(classic.code, 0) << classic.err;
    EXPECT_TRUE(contains(classic.out, "What-if: classic engine (quoted ")) << classic.out;
    EXPECT_TRUE(contains(classic.out, "What-if: Deep Nesting (quoted ")) << classic.out;
    EXPECT_TRUE(contains(classic.out, " saves ")) << classic.out;
}

} // namespace
