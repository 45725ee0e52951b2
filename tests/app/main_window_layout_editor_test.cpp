// Tools > Layout Editor from the main window: the current layout handed over in edit.lay and what
// comes back taken into the layout list and the grids. The editor is replaced by a hook that
// edits edit.lay as the editor would.
#include "app/main_window_fixture.h"
#include "job/files.h"
#include "layouts/layout_exchange.h"
#include "layouts/layout_file.h"
#include "support/grid_rows.h"

namespace dravenor::testing {
namespace {

using Lines = std::vector<LayoutFileLine>;
using Strings = std::vector<std::string>;

class MainWindowLayoutEditor : public MainWindowTest {
protected:
    // Seven plates on two sheets: layout 1 holds four, layout 2 the other three.
    void SetUp() override
    {
        MainWindowTest::SetUp();
        enterJob("2", "7");
        ASSERT_EQ(optimise().rfind("Full Optimization Done", 0), 0u);
        ASSERT_EQ(listed(), (Strings{"1/2  [QTY 1]", "2/2  [QTY 1]"}));
    }
    std::string exchangeFile() const { return folder.filePath(kExchangeFileName).toStdString(); }

    // Runs the exchange on the layout of the line with the edit in place of the editor.
    void editLayout(int lineIndex, const std::function<void(Lines&)>& edit)
    {
        panel().selectLayout(lineIndex);
        window->editLayout = [&] {
            LayoutFileRead read = readLayoutFile(exchangeFile());
            ASSERT_TRUE(read.ok()) << read.error;
            edit(read.lines);
            if (fileExists(exchangeFile())) {
                ASSERT_EQ(writeLayoutFile(exchangeFile(), read.lines, true), "");
            }
        };
        window->editCurrentLayout();
    }
    std::vector<LayoutItem> itemsOf(int layoutNo) const
    {
        std::vector<LayoutItem> items;
        for (const LayoutItem& item : window->job().nesting.items)
            if (item.LayoutNo == layoutNo) items.push_back(item);
        return items;
    }
};

TEST_F(MainWindowLayoutEditor, TheLayoutGoesOutSheetFirstAndWhatComesBackIsTakenIntoTheListAndTheGrids)
{
    window->layoutEditorAction()->hover();
    EXPECT_EQ(window->layoutEditorAction()->toolTip().toStdString(), "Edit Current Layout");
    // Leaving the editor without updating (it deletes the file) keeps the job as it was.
    window->job().modified = false;
    editLayout(0, [this](Lines&) { deleteFile(exchangeFile()); });
    EXPECT_EQ(std::tuple(itemsOf(1).size(), window->job().modified, panel().currentLayout()), std::tuple(5u, false, 1));
    // Unchanged, the layout comes back as it went (the lines and their round trip are the layout
    // exchange tests'), and the exchange file is gone.
    editLayout(1, [](Lines&) {});
    EXPECT_EQ(std::tuple(itemsOf(2).size(), fileExists(exchangeFile()), panel().currentLayout()), std::tuple(4u, false, 2));

    // A plate added and a quantity typed on the sheet line (what that does to the records and the
    // grids is the layout exchange tests'). The plate lies off the upright sheet, so the layout is
    // marked as failing the check.
    editLayout(1, [](Lines& lines) {
        lines.push_back(lines.back());
        lines.back().x = "650";
        lines.back().y = "250";
        lines[0].qty = "3";
    });
    EXPECT_EQ(std::tuple(itemsOf(2).size(), listed(), window->job().modified),
              std::tuple(5u, Strings{"1/2  [QTY 1]", "2/2  [QTY 3]  FAILS CHECK"}, true));
    // An emptied layout vanishes and the rest move up; with none left the list is disabled.
    editLayout(0, [](Lines& lines) { lines.clear(); });
    EXPECT_EQ(listed(), (Strings{"1/1  [QTY 3]  FAILS CHECK"}));
    editLayout(0, [](Lines& lines) { lines.clear(); });
    EXPECT_TRUE(listed().empty() && !panel().layoutList()->isEnabled());
}

TEST_F(MainWindowTest, WithoutLayoutsTheEditorOpensOnItsOwnWithNoStaleFile)
{
    const std::string exchangeFile = write(kExchangeFileName, "\"sheet.shp\",0,0,0,1\r\n");
    window->layoutEditorAction()->hover();
    EXPECT_EQ(window->layoutEditorAction()->toolTip().toStdString(), "Layout Editor");
    bool opened = false;
    window->editLayout = [&] {
        opened = true;
        EXPECT_FALSE(fileExists(exchangeFile));
    };
    window->layoutEditorAction()->trigger();
    EXPECT_TRUE(opened && listed().empty());
}

// A partial job whose part rows the run reorders by priority: plates that may not turn (Pri 0,
// tried last), a bar longer than the sheet that may turn in quarters (Pri 2) and squares (Pri 1).
TEST_F(MainWindowTest, AnUnchangedTripKeepsEveryGridRowAndTheUnplacedBarOfAPartialJob)
{
    typeInto(BasicGrid, "Kerf", "3");
    enterFiles(SheetGrid, {writeRectangle("sheet.shp", 1000, 500)});
    typeInto(SheetGrid, "Qty", "2");
    enterFiles(PartGrid, {writeRectangle("plate.shp", 300, 200), writeRectangle("bar.shp", 1200, 100),
                          writeRectangle("square.shp", 100, 100)});
    const char* typed[3][3] = {{"3", "", "n"}, {"1", "2", "s"}, {"4", "1", ""}}; // Qty, Pri, Orn (first letters)
    for (int row = 1; row <= 3; ++row)
        for (int c = 0; c < 3; ++c) typeInto(PartGrid, partGridTitles()[static_cast<size_t>(c) + 1], typed[row - 1][c], row);
    ASSERT_EQ(optimise().rfind("Partial Optimization Done", 0), 0u);
    const auto sheets = cellsOf(window->job().sheets), parts = cellsOf(window->job().parts);
    ASSERT_EQ(parts[1][4], "step90");

    const std::string exchange = folder.filePath(kExchangeFileName).toStdString();
    window->editLayout = [&] { ASSERT_TRUE(fileExists(exchange)); };
    window->editCurrentLayout();
    EXPECT_EQ(std::pair(cellsOf(window->job().sheets), cellsOf(window->job().parts)), std::pair(sheets, parts));
    const auto& records = window->job().nesting.parts;
    const auto bar = std::find_if(records.begin(), records.end(),
                                  [](const PartEntry& p) { return fileNameOnly(p.FileName) == "bar.shp"; });
    ASSERT_NE(bar, records.end());
    EXPECT_EQ(bar->Remaining, 1) << "the bar is still wanted";
    EXPECT_EQ(listed(), (Strings{"1/1  [QTY 1]"}));
}

} // namespace
} // namespace dravenor::testing
