// The Stock window and the main window's stock commands, driven as the user drives them, with the
// stock's files read back after every change.
#include <QLineEdit>
#include <QTableWidget>

#include "app/main_window_fixture.h"
#include "app/stock_window.h"
#include "stock/stock_changes.h"
#include "stock/stock_folder.h"
#include "support/grid_rows.h"
#include "support/text_match.h"

namespace dravenor::testing {
namespace {

void type(QLineEdit* edit, const char* text)
{
    edit->clear();
    QTest::keyClicks(edit, text);
}

TEST(StockWindow, AddsFiltersChangesAndRemovesPlates)
{
    QTemporaryDir temp;
    const std::string stock = temp.filePath("stock").toStdString();
    ScriptedDialogs dialogs;
    StockWindow window(dialogs, stock);
    EXPECT_EQ(window.table()->rowCount(), 0);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(window.table(), Qt::Key_F1);
    EXPECT_EQ(dialogs.helpPages, std::vector<std::string>{"index.html#stock"});

    const std::array edits{window.materialEdit(), window.thicknessEdit(), window.quantityEdit(), window.lengthEdit(),
                           window.widthEdit()};
    for (const auto& typed : {std::array{"s235", "10", "3", "3000", "1500"}, std::array{"s355", "8", "1", "1000", "700"}}) {
        for (size_t i = 0; i < edits.size(); ++i) type(edits[i], typed[i]);
        ASSERT_TRUE(window.addRectangle());
    }
    EXPECT_TRUE(dialogs.questions.empty());

    StockResult read = readStock(stock);
    ASSERT_EQ(std::pair(read.tables.plates.size(), window.table()->rowCount()), std::pair(size_t{2}, 2));
    const StockPlate& first = read.tables.plates[0];
    EXPECT_EQ(std::tuple(first.material, first.quantity, first.area), std::tuple("S235", 3, 4500000.0)); // typed as the grids type it
    window.selectRow(0);
    EXPECT_GT(inkedPixels(window.preview()->surface().image()), 100);

    window.materialFilter()->setCurrentText("S355");
    EXPECT_TRUE(window.shownPlates().size() == 1 && window.shownPlates()[0].id == 2);
    window.materialFilter()->setCurrentIndex(0);
    window.thicknessFilter()->setCurrentText("10");
    EXPECT_TRUE(window.shownPlates().size() == 1 && window.shownPlates()[0].id == 1);

    window.selectRow(0);
    type(window.quantityEdit(), "7");
    ASSERT_TRUE(window.setQuantity());
    EXPECT_EQ(readStock(stock).tables.plates[0].quantity, 7);

    // Remove asks first; No keeps the plate, Yes takes it out.
    window.selectRow(0);
    EXPECT_FALSE(window.removeSelected());
    dialogs.answers.push_back(DialogService::Answer::Yes);
    ASSERT_TRUE(window.removeSelected());
    read = readStock(stock);
    EXPECT_TRUE(read.tables.plates.size() == 1 && read.tables.plates[0].id == 2);

    // A thickness that is not a number is refused with a message and adds nothing.
    type(window.thicknessEdit(), "thick");
    EXPECT_FALSE(window.addRectangle());
    EXPECT_EQ(dialogs.questions.back().text, "Type the plate's thickness, a number above 0.");
    EXPECT_EQ(readStock(stock).tables.plates.size(), 1u);
}

class MainWindowStockTest : public MainWindowTest {};

TEST_F(MainWindowStockTest, SheetsComeFromStockRemnantsFirstAndCutLayoutsGoBack)
{
    const std::string stock = folder.filePath("stock").toStdString();
    const PlateMaterial steel{"S235", "", 10};
    ASSERT_TRUE(addPlate(stock, rectangle(0, 0, 1000, 500), steel, 4, "2026-12-01").ok());
    CutRequest earlier{"/jobs/old.nst", steel, "2026-12-02", {{1, 1, "x", 0, rectangle(0, 0, 700, 500)}}, false};
    ASSERT_TRUE(cutLayouts(stock, earlier).stock.ok()); // remnant 2

    typeInto(BasicGrid, "Mat", "S235");
    typeInto(BasicGrid, "Thick", "10");
    typeInto(BasicGrid, "Kerf", "3");
    ASSERT_TRUE(window->takeSheetsFromStock());
    const TextGrid& sheets = window->job().sheets;
    EXPECT_EQ(cellsOf(sheets), (std::vector<std::vector<std::string>>{
                                   {"1", stock + "/R2.shp", "1", "1"}, {"2", stock + "/P1.shp", "4", "2"}, {"3", "", "", ""}}));

    enterFiles(PartGrid, {writeRectangle("plate.shp", 300, 200)});
    typeInto(PartGrid, "Qty", "2");
    optimise();
    ASSERT_TRUE(window->job().hasLayouts());
    // Cutting needs a saved job.
    EXPECT_FALSE(window->cutLayoutsIntoStock({}));
    dialogs.saveFiles.push_back(folder.filePath("job.nst").toStdString());
    ASSERT_TRUE(window->saveJobFile());

    // All Layouts Cut shows what goes out and comes in; Cancel (also Enter) changes nothing.
    const StockResult uncut = readStock(stock);
    dialogs.answers = {DialogService::Answer::Cancel};
    EXPECT_FALSE(window->cutLayoutsIntoStock({}, true));
    EXPECT_TRUE(contains(dialogs.questions.back().text, "Layout 1 x 1: plate 2 taken out, its remnant put in"))
        << dialogs.questions.back().text;
    EXPECT_EQ(readStock(stock).tables, uncut.tables);
    dialogs.answers = {DialogService::Answer::Ok};
    ASSERT_TRUE(window->cutLayoutsIntoStock({}, true));
    const StockResult after = readStock(stock);
    ASSERT_TRUE(after.ok());
    // The remnant was used (the parts fit on it): it is gone, its own remnant came in with id 3.
    ASSERT_TRUE(after.tables.plate(2) == nullptr && after.tables.plate(3) != nullptr);
    EXPECT_EQ(std::tuple(after.tables.plate(3)->sourceJob, after.tables.plate(1)->quantity, window->job().remnantIds.at(1)),
              std::tuple(folder.filePath("job.nst").toStdString(), 4, 3));

    // Again: the question, answered No by default, changes nothing.
    const size_t changes = after.tables.history.size();
    EXPECT_FALSE(window->cutLayoutsIntoStock({}));
    EXPECT_NE(dialogs.questions.back().text.find("was taken into the stock on"), std::string::npos);
    EXPECT_EQ(readStock(stock).tables.history.size(), changes);

    // Undo Last Cut: the plates are back as they were, the remnant id gone from the layouts.
    ASSERT_TRUE(window->undoLastCut());
    EXPECT_TRUE(contains(dialogs.questions.back().text, "remnant 3 taken out")) << dialogs.questions.back().text;
    EXPECT_EQ(readStock(stock).tables.plates, uncut.tables.plates);
    EXPECT_EQ(window->job().remnantIds.at(1), 0);
    EXPECT_FALSE(window->undoLastCut());
}

// Tools > Stock opens with the job's material filled in; a rectangle lies as the job's sheets
// do, its length along X, and a decimal comma is a decimal point.
TEST_F(MainWindowStockTest, PlatesAreAddedWithTheJobsMaterialAndLieAsSheetsDo)
{
    typeInto(BasicGrid, "Mat", "S235");
    typeInto(BasicGrid, "Grade", "JR");
    typeInto(BasicGrid, "Thick", "12,5");
    window->beforeStockShown = [](StockWindow& stockWindow) {
        EXPECT_EQ(std::tuple(stockWindow.materialEdit()->text(), stockWindow.gradeEdit()->text(), stockWindow.thicknessEdit()->text()),
                  std::tuple(QString("S235"), QString("JR"), QString("12.5")));
        type(stockWindow.lengthEdit(), "2000");
        type(stockWindow.widthEdit(), "1000,5");
        EXPECT_TRUE(stockWindow.addRectangle());
    };
    window->showStock();
    const StockResult read = readStock(folder.filePath("stock").toStdString());
    ASSERT_EQ(read.tables.plates.size(), 1u);
    const StockPlate& plate = read.tables.plates[0];
    EXPECT_EQ(std::tuple(plate.material, plate.grade, plate.thickness, plate.width, plate.length),
              std::tuple("S235", "JR", 12.5, 2000.0, 1000.5));
}

// Sheets From Stock says which rows it replaces with what before it does, and the caption marks
// the change.
TEST_F(MainWindowStockTest, SheetsFromStockNamesTheRowsItReplaces)
{
    const std::string stock = folder.filePath("stock").toStdString();
    const PlateMaterial steel{"S235", "", 10};
    ASSERT_TRUE(addPlate(stock, rectangle(0, 0, 1000, 500), steel, 4, "2026-12-01").ok());
    CutRequest earlier{"/jobs/old.nst", steel, "2026-12-02", {{1, 1, "x", 0, rectangle(0, 0, 700, 500)}}, false};
    ASSERT_TRUE(cutLayouts(stock, earlier).stock.ok());
    typeInto(BasicGrid, "Mat", "S235");
    typeInto(BasicGrid, "Thick", "10");
    enterFiles(SheetGrid, {writeRectangle("a.shp", 2000, 1000), writeRectangle("b.shp", 3000, 1500)});
    window->job().modified = false;
    window->updateCaption();
    const auto rows = cellsOf(window->job().sheets);

    dialogs.answers = {DialogService::Answer::Cancel};
    EXPECT_FALSE(window->takeSheetsFromStock());
    EXPECT_EQ(dialogs.questions.back().text,
              "Take the sheets from the stock?\n\nThe 2 sheet rows (a.shp, b.shp) are replaced by the stock's "
              "plates of S235 10: 1 remnant, then 1 full plate.");
    EXPECT_EQ(std::pair(cellsOf(window->job().sheets), window->job().modified), std::pair(rows, false));
    dialogs.answers = {DialogService::Answer::Ok};
    EXPECT_TRUE(window->takeSheetsFromStock());
    EXPECT_EQ(window->job().sheets.rows(), 4);
    EXPECT_TRUE(window->windowTitle().endsWith(" *")) << window->windowTitle().toStdString();
}

} // namespace
} // namespace dravenor::testing
