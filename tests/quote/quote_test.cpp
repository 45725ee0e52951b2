// Quotes worked out by hand on one 1000 x 500 sheet, 10 thick at 8e-6 kg/mm3 (40 kg): part A
// 100 x 200 (1.6 kg) and part B 100 x 100 (0.8 kg) side by side at x 97..197, the remnant right
// of x 200 (800 x 500, 32 kg) kept, 5.6 kg scrap. Cut at 600 mm/min without leads, half the kerf
// of 3 outside, corners round: A's path 600 + 3 pi mm, B's 400 + 3 pi, the remnant's parting cut
// 500; 3 pierces.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <tuple>

#include "cutting/cut_layouts.h"
#include "quote/quote.h"
#include "quote/quote_history.h"
#include "quote/quote_settings.h"
#include "quote/quote_text.h"
#include "support/temp_folder.h"

namespace dravenor::quote {
namespace {

const char* kPrices = "\"S235\",\"\",\"10\",\"2\",\"60\",\"0.5\",\"10\",\"5\",\"0.25\",\"50\"\r\n";

NestingState handJob()
{
    return cutting::test::layoutOf(1000, 500,
                                   {{"a.shp", cutting::test::rectangle(97, 10, 100, 200)},
                                    {"b.shp", cutting::test::rectangle(97, 220, 100, 100)}});
}

struct Sources {
    testing::TempFolder folder;
    QuoteSources sources;
    std::string problems;

    explicit Sources(const std::string& prices, const std::string& densities = "\"S235\",\"0.000008\"\r\n")
    {
        std::ofstream(folder.file("prices.dat")) << prices;
        std::ofstream(folder.file("density.dat")) << densities;
        problems = readPriceSources(folder.file("prices.dat"), folder.file("density.dat"), sources);
        sources.jobName = "hand.nst";
        sources.date = "2026-12-10";
        cutting::CutSettings& cut = sources.setup.cut;
        cut.kerf = 3;
        cut.leadIn = cut.leadOut = cut.overcut = 0;
        cut.arcLeadIn = false;
        cut.feed = 600;
        cut.pierceDelay = 0;
        cut.rapidSpeed = 1e12;
        cut.remnants = RemnantMarks{3, RemnantSettings{}, {}};
    }
};

TEST(Quote, EveryFigureOfTheHandWorkedJob)
{
    Sources s(kPrices);
    ASSERT_EQ(s.problems, "");
    const QuoteResult byArea = makeQuote(handJob(), s.sources, {25, MaterialShare::Area});
    ASSERT_TRUE(byArea.quote) << byArea.error;
    const Quote& q = *byArea.quote;
    EXPECT_NEAR(q.amounts.sheetKg, 40, 1e-9);
    EXPECT_NEAR(q.amounts.partKg, 2.4, 1e-9);
    EXPECT_NEAR(q.amounts.remnantKg, 32, 1e-9);
    EXPECT_NEAR(q.amounts.scrapKg, 5.6, 1e-9);
    EXPECT_EQ(q.amounts.pierces, 3);
    EXPECT_NEAR(q.amounts.machineSeconds, (1500 + 6 * M_PI) / 10, 1e-6);
    // 40 kg x 2 - 32 kg x 2 x 50 % - 5.6 kg x 0.25 by area 2:1; 151.885 s at 60 an hour + 3 x 0.5
    // by own cutting 1.5157 : 1.1824 (the remnant's cut follows); 10 + 5 equally; 25 % margin.
    const TextTable expected{
        {"Part", "Qty", "Kg Each", "Material", "Cutting", "Set-up", "Cost", "Unit Cost", "Price", "Unit Price"},
        {"a.shp", "1", "1.60", "31.07", "2.26", "7.50", "40.83", "40.83", "51.04", "51.04"},
        {"b.shp", "1", "0.80", "15.53", "1.77", "7.50", "24.80", "24.80", "31.00", "31.00"},
        {"Total", "2", "", "46.60", "4.03", "15.00", "65.63", "", "82.04", ""}};
    EXPECT_EQ(partTable(q), expected);

    // By the length along the sheet the two take the same 100: material halves.
    const QuoteResult byLength = makeQuote(handJob(), s.sources, {0, MaterialShare::Length});
    ASSERT_TRUE(byLength.quote);
    EXPECT_EQ(byLength.quote->parts[0].cost.material, 2330);
    EXPECT_EQ(byLength.quote->parts[1].cost.material, 2330);
    EXPECT_EQ(byLength.quote->price, byLength.quote->cost.total());

    // The sheet a stock plate at 50 of its own: 50 instead of 40 kg x 2, the credits as before.
    s.sources.platePrices[platePriceKey("/sheets/plate.shp")] = 50;
    const QuoteResult priced = makeQuote(handJob(), s.sources, {});
    ASSERT_TRUE(priced.quote);
    EXPECT_EQ(priced.quote->cost.material, 1660);
}

TEST(Quote, BadPricesAreNamedAndNoQuoteIsMade)
{
    const struct {
        std::string prices, densities, message;
    } cases[] = {
        {"\"S355\",\"\",\"10\",\"2\",\"60\",\"0.5\",\"10\",\"5\",\"0.25\",\"50\"\r\n", "\"S235\",\"0.000008\"\r\n\"S355\",\"0.000008\"\r\n",
         "prices.dat has no row for material \"S235\" at thickness 10"},
        {std::string(kPrices) + "\"S235\",\"\",\"12\",\"two\",\"60\",\"0.5\",\"10\",\"5\",\"0.25\",\"50\"\r\n",
         "\"S235\",\"0.000008\"\r\n", "prices.dat line 2: Material \"two\" is not a number"},
        {std::string(kPrices) + "\"XX9\",\"\",\"10\",\"2\",\"60\",\"0.5\",\"10\",\"5\",\"0.25\",\"50\"\r\n",
         "\"S235\",\"0.000008\"\r\n", "prices.dat line 2: material \"XX9\" has no density"},
        {std::string(kPrices) + "\"S235\",\"\",\"10\",\"3\",\"60\",\"0.5\",\"10\",\"5\",\"0.25\",\"150\"\r\n",
         "\"S235\",\"0.000008\"\r\n", "prices.dat line 2: Remnant \"150\" is not a number from 0 to 100"},
        {std::string(kPrices) + "\"s235\",\"\",\"10\",\"3\",\"60\",\"0.5\",\"10\",\"5\",\"0.25\",\"10\"\r\n",
         "\"S235\",\"0.000008\"\r\n", "prices.dat line 2: the same material, grade and thickness as line 1"},
        {kPrices, "\"S355\",\"0.000008\"\r\n", "prices.dat line 1: material \"S235\" has no density in"},
    };
    for (const auto& c : cases) {
        Sources s(c.prices, c.densities);
        const QuoteResult r = makeQuote(handJob(), s.sources, {});
        const std::string said = s.problems.empty() ? r.error : s.problems;
        EXPECT_NE(said.find(c.message), std::string::npos) << said;
        EXPECT_TRUE(!s.problems.empty() || !r.quote) << c.message;
    }
}

TEST(Quote, HistoryComparesTheEnginesAtTodaysPrices)
{
    Sources s(kPrices);
    const NestingState classic = handJob();
    NestingState deep = handJob();
    deep.deepLayouts = true;
    deep.items[0].X = 1; // another layout of the same parts
    const Quote classicQuote = *makeQuote(classic, s.sources, {}).quote;
    Quote deepQuote = *makeQuote(deep, s.sources, {}).quote;
    const std::string path = quoteHistoryPath(s.folder.file("hand.nst"));
    EXPECT_EQ(path, s.folder.file("hand-quotes.csv"));
    std::vector<QuoteRecord> recorded;
    ASSERT_EQ(recordQuote(path, quoteRecord(classicQuote, classic), recorded), "");
    ASSERT_EQ(recordQuote(path, quoteRecord(classicQuote, classic), recorded), ""); // the same layouts again: one row

    std::string error;
    const std::vector<QuoteRecord> history = readQuoteHistory(path, error);
    ASSERT_EQ(error, "");
    ASSERT_EQ(history.size(), 1u);
    EXPECT_EQ(history[0].cost.total(), 6563);
    EXPECT_EQ(history[0].amounts.pierces, 3);

    // Deep Nesting's material made dearer by 16: the classic layouts save the difference.
    deepQuote.cost.material += 1600;
    const std::vector<std::string> lines = whatIfLines(deepQuote, quoteRecord(deepQuote, deep), history, path);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2], "The classic engine saves 16.00 in material and 16.00 in all at these prices.");
    EXPECT_NE(whatIfLines(classicQuote, history[0], history, path)[0].find("no quote of these parts nested by Deep"),
              std::string::npos);
}

TEST(QuoteSettings, KeepTheShopsMarginAndShareAndNameEveryLineTheyCannotUse)
{
    testing::TempFolder dir;
    EXPECT_EQ(readQuoteSettings(dir.folder()).options.marginPercent, 0); // no file yet: the defaults
    ASSERT_EQ(saveQuoteSettings(dir.folder(), {12.5, MaterialShare::Length}), "");
    const QuoteSettings saved = readQuoteSettings(dir.folder());
    EXPECT_EQ(std::tuple(saved.options.marginPercent, saved.options.share, saved.warnings.size()),
              std::tuple(12.5, MaterialShare::Length, size_t{0}));

    dir.write(kQuoteSettingsFileName, "# the shop's\nmargin = 20000\nshare = weight\nmarkup = 5\nshare = area\n");
    const QuoteSettings bad = readQuoteSettings(dir.folder());
    EXPECT_EQ(std::pair(bad.options.marginPercent, bad.options.share), std::pair(0.0, MaterialShare::Area));
    ASSERT_EQ(bad.warnings.size(), 3u);
    for (const char* said : {"line 2: margin '20000' is not a percentage", "line 3: share 'weight' is neither",
                             "line 4: 'markup = 5' is not a margin or share line"})
        EXPECT_TRUE(std::any_of(bad.warnings.begin(), bad.warnings.end(),
                                [&](const std::string& w) { return w.find(said) != std::string::npos; }))
            << said;
}

TEST(CentShares, AddUpExactly)
{
    const struct {
        Cents amount;
        std::vector<double> weights;
        std::vector<Cents> shares;
    } cases[] = {
        {100, {1, 1, 1}, {34, 33, 33}},
        {-100, {1, 1, 1}, {-33, -33, -34}},
        {5, {0, 0}, {3, 2}},
        {4660, {2, 1}, {3107, 1553}},
        {1, {1e-300, 1}, {0, 1}},
    };
    for (const auto& c : cases) EXPECT_EQ(shareCents(c.amount, c.weights), c.shares) << c.amount;
    EXPECT_EQ(centsText(-5), "-0.05");
    EXPECT_EQ(centsText(123456), "1234.56");
}

} // namespace
} // namespace dravenor::quote
