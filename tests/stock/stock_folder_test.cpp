// Changes to a stock folder: what lands, what is refused, and that a refused or failed change
// leaves every file of the stock as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "geometry/shape_builders.h"
#include "stock/stock_changes.h"
#include "support/temp_folder.h"

namespace dravenor {
namespace {

using testing::TempFolder;
namespace fs = std::filesystem;

Shape rectangle(double w, double h) { return testing::rectangle(0, 0, w, h); }

// Every file of the folder with its bytes.
std::map<std::string, std::string> folderBytes(const std::string& folder)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.is_regular_file()) files[entry.path().filename().string()] = TempFolder::read(entry.path().string());
    return files;
}

const PlateMaterial kSteel{"S235", "JR", 10};

TEST(StockFolder, CuttingLeavesTheStockBeforeLessTheUsedPlusTheRemnants)
{
    TempFolder temp;
    const std::string stock = temp.file("stock");
    ASSERT_TRUE(addPlate(stock, rectangle(3000, 1500), kSteel, 5, "2026-12-01").ok());
    const StockResult before = addPlate(stock, rectangle(800, 1500), kSteel, 1, "2026-12-02");
    ASSERT_TRUE(before.ok());

    CutRequest request;
    request.job = "/jobs/a.nst";
    request.material = kSteel;
    request.date = "2026-12-07";
    request.layouts = {{1, 2, "f1", 1, rectangle(1200, 1500)}, {2, 1, "f2", 2, std::nullopt}, {3, 1, "f3", 0, rectangle(50, 60)}};
    const CutResult cut = cutLayouts(stock, request);
    ASSERT_TRUE(cut.stock.ok()) << cut.stock.error;
    EXPECT_EQ(cut.remnantIds, (std::vector<std::int64_t>{3, 0, 4}));

    StockTables expected = before.tables;
    expected.plates[0].quantity = 3;                   // two full plates taken
    expected.plates.erase(expected.plates.begin() + 1); // the last offcut used up
    StockPlate r3{3, "R3.shp", "S235", "JR", 10, 1200, 1500, 1800000, 2, "/jobs/a.nst", 1, "2026-12-07"};
    StockPlate r4{4, "R4.shp", "S235", "JR", 10, 50, 60, 3000, 1, "/jobs/a.nst", 3, "2026-12-07"};
    expected.plates.push_back(r3);
    expected.plates.push_back(r4);
    const StockResult after = readStock(stock);
    ASSERT_TRUE(after.ok());
    EXPECT_EQ(after.tables.plates, expected.plates);
    EXPECT_EQ(after.tables.history.size(), 5u);
    // The used-up plate's shape file stays while the cut can be taken back; the new remnants'
    // files are there.
    EXPECT_TRUE(fs::exists(stock + "/P2.shp"));
    EXPECT_TRUE(fs::exists(stock + "/R3.shp"));
    EXPECT_TRUE(fs::exists(stock + "/R4.shp"));
    EXPECT_FALSE(fs::exists(stock + "/stock.journal"));
    EXPECT_EQ(remnantIdsOfJob(after.tables, "/jobs/a.nst", 3), (std::vector<std::int64_t>{0, 3, 0, 4}));
}

// A cut taken back leaves plates and their files byte for byte as before it, says so in the
// history and can be cut again; only the last change can be taken back, and only when a cut.
TEST(StockFolder, TheLastCutIsTakenBackExactlyWhileNothingFollowedIt)
{
    TempFolder temp;
    const std::string stock = temp.file("stock");
    ASSERT_TRUE(addPlate(stock, rectangle(3000, 1500), kSteel, 5, "2026-12-01").ok());
    ASSERT_TRUE(addPlate(stock, rectangle(800, 1500), kSteel, 1, "2026-12-02").ok());
    auto before = folderBytes(stock);
    before.erase("history.csv");
    CutRequest request{"/jobs/a.nst", kSteel, "2026-12-07",
                       {{1, 2, "f1", 1, rectangle(1200, 1500)}, {2, 1, "f2", 2, std::nullopt}}, false};
    ASSERT_TRUE(cutLayouts(stock, request).stock.ok());

    const UndoResult undone = undoLastCut(stock, "2026-12-08");
    ASSERT_TRUE(undone.stock.ok()) << undone.stock.error;
    EXPECT_EQ(undoneCutText(undone),
              "The cut of layouts 1, 2 of /jobs/a.nst was taken back: plates 1, 2 returned, remnant 3 taken out.");
    auto after = folderBytes(stock);
    after.erase("history.csv");
    after.erase("stock.lock");
    before.erase("stock.lock");
    EXPECT_EQ(after, before);
    const StockTables tables = readStock(stock).tables;
    ASSERT_EQ(tables.history.size(), 5u);
    EXPECT_EQ(std::tuple(tables.history[2].change, tables.history[3].change), std::tuple("cut undone", "cut undone"));
    EXPECT_EQ(tables.history[4], (StockChangeRecord{"2026-12-08", "undo cut", "/jobs/a.nst", 0, "", 2, {3}, {1, 2}}));
    EXPECT_EQ(remnantIdsOfJob(tables, "/jobs/a.nst", 2), (std::vector<std::int64_t>{0, 0, 0}));

    // Nothing left to take back; a cut followed by any other change cannot be taken back.
    EXPECT_EQ(undoLastCut(stock, "2026-12-08").stock.error,
              "the stock's last change is not a cut: there is no cut to take back");
    ASSERT_TRUE(cutLayouts(stock, request).stock.ok()) << "a cut taken back is not a cut made";
    ASSERT_TRUE(setPlateQuantity(stock, 1, 7, "2026-12-09").ok());
    EXPECT_FALSE(undoLastCut(stock, "2026-12-09").stock.ok());
    EXPECT_FALSE(fs::exists(stock + "/P2.shp")) << "the used-up plate's file goes once its cut cannot come back";
    EXPECT_EQ(folderBytes(stock).count("cut-5.csv"), 0u);

    // Two layouts cut from one plate: it is named once.
    CutRequest fromOne{"/jobs/b.nst", kSteel, "2026-12-10", {{1, 1, "g1", 1, std::nullopt}, {2, 1, "g2", 1, std::nullopt}}, false};
    ASSERT_TRUE(cutLayouts(stock, fromOne).stock.ok());
    EXPECT_EQ(undoneCutText(undoLastCut(stock, "2026-12-10")),
              "The cut of layouts 1, 2 of /jobs/b.nst was taken back: plate 1 returned.");
}

TEST(StockFolder, RefusedCutsChangeNothing)
{
    TempFolder temp;
    const std::string stock = temp.file("stock");
    ASSERT_TRUE(addPlate(stock, rectangle(3000, 1500), kSteel, 2, "2026-12-01").ok());
    CutRequest request{"/jobs/a.nst", kSteel, "2026-12-07", {{1, 1, "f1", 1, rectangle(100, 1500)}}, false};
    ASSERT_TRUE(cutLayouts(stock, request).stock.ok());
    const auto files = folderBytes(stock);

    const CutResult twice = cutLayouts(stock, request);
    EXPECT_TRUE(twice.cutBefore);
    EXPECT_NE(twice.stock.error.find("layout 1 of /jobs/a.nst was taken into the stock on 2026-12-07"), std::string::npos);
    // Too few plates for the second layout: the first one is not taken either.
    CutRequest tooMany{"/jobs/b.nst", kSteel, "2026-12-07", {{1, 1, "g1", 1, std::nullopt}, {2, 5, "g2", 1, std::nullopt}}, false};
    const CutResult refused = cutLayouts(stock, tooMany);
    EXPECT_EQ(refused.stock.error, "layout 2 needs 5 of plate 1, the stock has 0");
    CutRequest unknown{"/jobs/c.nst", kSteel, "2026-12-07", {{1, 1, "h1", 99, std::nullopt}}, false};
    EXPECT_EQ(cutLayouts(stock, unknown).stock.error, "layout 1: the stock has no plate 99");
    EXPECT_EQ(folderBytes(stock), files);

    request.again = true;
    ASSERT_TRUE(cutLayouts(stock, request).stock.ok());
    EXPECT_EQ(readStock(stock).tables.plates.size(), 2u); // both remnants; the full plates are used up
}

TEST(StockFolder, ADamagedIndexIsNamedAndNeverWrittenOver)
{
    TempFolder temp;
    const std::string stock = temp.file("stock");
    ASSERT_TRUE(addPlate(stock, rectangle(3000, 1500), kSteel, 2, "2026-12-01").ok());
    std::string index = TempFolder::read(stock + "/stock.csv");
    index += "2,P2.shp,S235,JR,10,1 x 1,1,many,,,\r\n";
    temp.write("stock/stock.csv", index);
    const auto files = folderBytes(stock);
    const StockResult read = readStock(stock);
    EXPECT_EQ(read.error, stock + "/stock.csv line 3: quantity 'many' is not a whole number from 0 up; the stock is left as it is");
    EXPECT_FALSE(addPlate(stock, rectangle(10, 10), kSteel, 1, "2026-12-07").ok());
    EXPECT_FALSE(removePlate(stock, 1, "2026-12-07").ok());
    EXPECT_EQ(folderBytes(stock), files);
}

TEST(StockFolder, AShapeFileThatCannotBeWrittenLeavesTheStockAsItWas)
{
    TempFolder temp;
    const std::string stock = temp.file("stock");
    ASSERT_TRUE(addPlate(stock, rectangle(3000, 1500), kSteel, 2, "2026-12-01").ok());
    // The next plate's file name is taken by a folder: its write fails.
    fs::create_directory(stock + "/P2.shp");
    const auto files = folderBytes(stock);
    const StockResult added = addPlate(stock, rectangle(1000, 1000), kSteel, 1, "2026-12-07");
    EXPECT_NE(added.error.find("P2.shp"), std::string::npos) << added.error;
    EXPECT_NE(added.error.find("the stock is left as it was"), std::string::npos);
    EXPECT_EQ(folderBytes(stock), files);
    EXPECT_EQ(readStock(stock).tables.plates.size(), 1u);
}

TEST(StockFolder, QuantitiesAndRemovals)
{
    TempFolder temp;
    const std::string stock = temp.file("stock");
    ASSERT_TRUE(addPlate(stock, rectangle(3000, 1500), kSteel, 2, "2026-12-01").ok());
    EXPECT_EQ(addPlate(stock, {{0, 0, 10, 0}}, kSteel, 1, "2026-12-01").error, "the plate's shape has no closed outline");
    ASSERT_TRUE(setPlateQuantity(stock, 1, 9, "2026-12-02").ok());
    EXPECT_EQ(readStock(stock).tables.plates.at(0).quantity, 9);
    EXPECT_EQ(removePlate(stock, 7, "2026-12-02").error, "the stock has no plate 7");
    ASSERT_TRUE(removePlate(stock, 1, "2026-12-03").ok());
    const StockResult after = readStock(stock);
    EXPECT_TRUE(after.tables.plates.empty());
    EXPECT_FALSE(fs::exists(stock + "/P1.shp"));
    // The removed plate's id is never given again.
    ASSERT_TRUE(addPlate(stock, rectangle(10, 10), kSteel, 1, "2026-12-04").ok());
    EXPECT_EQ(readStock(stock).tables.plates.at(0).id, 2);
}

} // namespace
} // namespace dravenor
