// The stock's tables: what is written reads back the same (names with commas and quotes
// included), and every damage is named with its file and line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "stock/stock_index.h"

namespace dravenor {
namespace {

const char* kHeader = "id,shape file,material,grade,thickness,size,area,quantity,source job,layout,date\r\n";

StockTables sampleTables()
{
    StockTables t;
    t.plates.push_back({1, "P1.shp", "S235", "JR", 10, 3000, 1500, 4500000, 7, "", 0, "2026-12-01"});
    t.plates.push_back({4, "R4.shp", "S235", "", 10, 695.5, 1500, 1043250.25, 2,
                        "/jobs/frame, \"big\" one.nst", 3, "2026-12-07"});
    t.history.push_back({"2026-12-01", "add", "", 0, "", 7, {}, {1}});
    t.history.push_back({"2026-12-07", "cut", "/jobs/frame, \"big\" one.nst", 3, "00ff00ff00ff00ff", 2, {1}, {4}});
    return t;
}

TEST(StockIndex, WhatIsWrittenReadsBack)
{
    const StockTables written = sampleTables();
    StockTables read;
    ASSERT_TRUE(parseStockIndex(stockIndexText(written.plates), read.plates).ok());
    ASSERT_TRUE(parseStockHistory(stockHistoryText(written.history), read.history).ok());
    EXPECT_EQ(read, written);
    EXPECT_EQ(read.nextId(), 5);
    // A spreadsheet's LF line ends and a row left blank read the same.
    std::string text = stockIndexText(written.plates);
    for (size_t at; (at = text.find("\r\n")) != std::string::npos;) text.replace(at, 2, "\n");
    std::vector<StockPlate> again;
    ASSERT_TRUE(parseStockIndex(text + "\n", again).ok());
    EXPECT_EQ(again, written.plates);
}

TEST(StockIndex, TheHeaderRowIsTheTableLayout)
{
    EXPECT_EQ(stockIndexText({}), kHeader);
    EXPECT_EQ(stockIndexText(sampleTables().plates).substr(std::string(kHeader).size()),
              "1,P1.shp,S235,JR,10,3000 x 1500,4500000,7,,,2026-12-01\r\n"
              "4,R4.shp,S235,,10,695.5 x 1500,1043250.25,2,\"/jobs/frame, \"\"big\"\" one.nst\",3,2026-12-07\r\n");
    // A plate with a price of its own adds the price column; the table reads back the same.
    std::vector<StockPlate> priced = sampleTables().plates, read;
    priced[0].price = 412.5;
    const std::string text = stockIndexText(priced);
    EXPECT_EQ(text.substr(0, text.find("\r\n", std::string(kHeader).size() + 8) + 2),
              "id,shape file,material,grade,thickness,size,area,quantity,source job,layout,date,price\r\n"
              "1,P1.shp,S235,JR,10,3000 x 1500,4500000,7,,,2026-12-01,412.5\r\n");
    ASSERT_TRUE(parseStockIndex(text, read).ok());
    EXPECT_EQ(read, priced);
}

TEST(StockIndex, DamageIsNamedWithItsLine)
{
    const std::string good = "1,P1.shp,S235,JR,10,3000 x 1500,4500000,7,,,2026-12-01\r\n";
    struct Damage {
        std::string text;
        std::string error;
    };
    const std::vector<Damage> cases{
        {"", "stock.csv line 1: the header row is missing"},
        {"id,file\r\n", "stock.csv line 1: the header row is not the table's"},
        {std::string(kHeader) + good + "2,P2.shp,S235\r\n", "stock.csv line 3: 3 fields instead of 11"},
        {std::string(kHeader) + "0,P1.shp,S235,JR,10,1 x 1,1,1,,,\r\n", "stock.csv line 2: id '0' is not a whole number from 1 up"},
        {std::string(kHeader) + "1,P1.shp,S235,JR,ten,1 x 1,1,1,,,\r\n", "stock.csv line 2: thickness 'ten' is not a number"},
        {std::string(kHeader) + "1,P1.shp,S235,JR,10,1 by 1,1,1,,,\r\n", "stock.csv line 2: size '1 by 1' is not WIDTH x LENGTH"},
        {std::string(kHeader) + "1,P1.shp,S235,JR,10,1 x 1,1,-2,,,\r\n", "stock.csv line 2: quantity '-2' is not a whole number"},
        {std::string(kHeader) + "1,,S235,JR,10,1 x 1,1,1,,,\r\n", "stock.csv line 2: the plate has no shape file"},
        {std::string(kHeader) + good + good, "stock.csv line 3: plate id 1 is used twice"},
        {std::string(kHeader) + "1,\"P1.shp,S235,JR,10,1 x 1,1,1,,,\r\n", "stock.csv line 2: a quoted field does not end"},
        {"id,shape file,material,grade,thickness,size,area,quantity,source job,layout,date,price\r\n"
         "1,P1.shp,S235,JR,10,1 x 1,1,1,,,,cheap\r\n", "stock.csv line 2: price 'cheap' is not a number"},
    };
    for (const Damage& c : cases) {
        StockPlate kept;
        kept.id = 9;
        std::vector<StockPlate> plates{kept};
        const StockTableRead read = parseStockIndex(c.text, plates);
        EXPECT_EQ(read.error.substr(0, c.error.size()), c.error) << c.text;
        ASSERT_EQ(plates.size(), 1u) << "a damaged table replaced what was read before";
    }
    std::vector<StockChangeRecord> history;
    EXPECT_EQ(parseStockHistory("date,change,job,layout,fingerprint,count,plates taken,plates added\r\n"
                                "2026-12-07,cut,j.nst,1,ab,1,3 x,4\r\n", history).error,
              "history.csv line 2: plates taken '3 x' is not a list of plate ids");
}

TEST(StockIndex, CsvFieldsQuoteOnlyWhatNeedsIt)
{
    const std::vector<std::pair<std::string, std::string>> cases{
        {"plain", "plain"}, {"a,b", "\"a,b\""}, {"say \"x\"", "\"say \"\"x\"\"\""}, {" lead", "\" lead\""},
        {"two\nlines", "two lines"}, {"", ""}};
    for (const auto& [text, field] : cases) {
        EXPECT_EQ(csvField(text), field);
        std::vector<std::string> fields;
        ASSERT_TRUE(splitCsvLine(field + "," + field, fields));
        ASSERT_EQ(fields.size(), 2u);
        EXPECT_EQ(fields[0], text == "two\nlines" ? "two lines" : text);
    }
}

} // namespace
} // namespace dravenor
