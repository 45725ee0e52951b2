// Tools > Layout Editor from the main window: the current layout handed over in edit.lay and
// what comes back taken into the layout list, the grids and the report. The editor is replaced
// by a hook that edits edit.lay as the editor would.
#include <QComboBox>
#include <QFile>

#include "app/layout_panel.h"
#include "app/main_window_run_fixture.h"
#include "job/files.h"
#include "layouts/layout_exchange.h"
#include "layouts/layout_file.h"
#include "layouts/layout_list.h"
#include "layouts/layout_metrics.h"
#include "layouts/report.h"
#include "support/grid_rows.h"

namespace dravenor::testing {
namespace {

class MainWindowLayoutEditor : public MainWindowRunTest {
protected:
    void SetUp() override
    {
        MainWindowRunTest::SetUp();
        enterJob("2", "7");
        ASSERT_EQ(optimise().rfind("Full Optimization Done", 0), 0u);
        // Seven plates on two sheets: layout 1 holds four, layout 2 the other three.
        ASSERT_EQ(layoutListEntries(window->job().nesting),
                  (std::vector<std::string>{"1/2  [QTY 1]", "2/2  [QTY 1]"}));
    }

    std::string exchangeFile() const { return folder.filePath(kExchangeFileName).toStdString(); }

    // Runs the exchange on the layout of the line with the edit in place of the editor.
    void editLayout(int lineIndex, const std::function<void(std::vector<LayoutFileLine>&)>& edit)
    {
        window->layoutPanel()->selectLayout(lineIndex);
        window->editLayout = [&] {
            LayoutFileRead read = readLayoutFile(exchangeFile());
            ASSERT_TRUE(read.ok()) << read.error;
            handedOver = read.lines;
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
    std::string partQty() const { return window->job().parts.text(1, 2); }
    std::string sheetQty() const { return window->job().sheets.text(1, 2); }
    double layoutYield(int layoutNo) const
    {
        return computeJobMetrics(window->job().nesting, 0).layout(layoutNo)->yield;
    }
    std::vector<std::string> listed() const
    {
        std::vector<std::string> lines;
        for (int i = 0; i < window->layoutPanel()->layoutList()->count(); ++i)
            lines.push_back(window->layoutPanel()->layoutList()->itemText(i).toStdString());
        return lines;
    }

    std::vector<LayoutFileLine> handedOver;
};

TEST_F(MainWindowLayoutEditor, TheLayoutGoesOutSheetFirstAndComesBackUnchanged)
{
    const std::vector<LayoutItem> before = itemsOf(2);
    editLayout(1, [](std::vector<LayoutFileLine>&) {});

    ASSERT_EQ(handedOver.size(), 4u);
    EXPECT_EQ(fileNameOnly(handedOver[0].name), "sheet.shp");
    EXPECT_EQ(handedOver[0].qty, "1");
    for (size_t i = 1; i < handedOver.size(); ++i) {
        EXPECT_EQ(fileNameOnly(handedOver[i].name), "plate.shp");
        // Positions travel as text with fifteen significant digits.
        EXPECT_NEAR(std::stod(handedOver[i].x), before[i - 1].X, 1e-9);
        EXPECT_NEAR(std::stod(handedOver[i].y), before[i - 1].Y, 1e-9);
    }
    EXPECT_FALSE(fileExists(exchangeFile()));
    const std::vector<LayoutItem> after = itemsOf(2);
    ASSERT_EQ(after.size(), before.size());
    for (size_t i = 0; i < after.size(); ++i) {
        EXPECT_EQ(after[i].Name, before[i].Name);
        EXPECT_NEAR(after[i].X, before[i].X, 1e-9);
        EXPECT_NEAR(after[i].Y, before[i].Y, 1e-9);
        EXPECT_EQ(after[i].PartIndex, before[i].PartIndex);
    }
    EXPECT_EQ(listed(), (std::vector<std::string>{"1/2  [QTY 1]", "2/2  [QTY 1]"}));
    EXPECT_EQ(window->layoutPanel()->currentLayout(), 2);
    EXPECT_EQ(partQty(), "7");
}

TEST_F(MainWindowLayoutEditor, AnAddedPartRaisesItsQuantityAndTheReportFollows)
{
    const double yieldBefore = layoutYield(2);
    editLayout(1, [](std::vector<LayoutFileLine>& lines) {
        LayoutFileLine extra = lines.back();
        extra.x = "650";
        extra.y = "250";
        lines.push_back(extra);
    });

    EXPECT_EQ(itemsOf(2).size(), 5u); // four plates and the sheet
    EXPECT_EQ(partQty(), "8");
    EXPECT_EQ(window->job().nesting.parts.at(0).Remaining, 0);
    EXPECT_EQ(sheetQty(), "2");
    // One more 300 x 200 plate on a 1000 x 500 sheet is 12 points of yield.
    EXPECT_NEAR(layoutYield(2), yieldBefore + 12, 1e-3);
    EXPECT_TRUE(window->job().modified);
    const int entities = static_cast<int>(std::count_if(
        window->job().nesting.entities.begin(), window->job().nesting.entities.end(),
        [](const LayoutEntity& e) { return e.LayoutNo == 2 && e.Instance == 4; }));
    EXPECT_EQ(entities, 4) << "the added plate is drawn";
    EXPECT_TRUE(writeReport(window->job(), DensityTable{}, folder.path().toStdString()).ok());
}

TEST_F(MainWindowLayoutEditor, AQuantityTypedOnTheSheetLineMultipliesItsParts)
{
    editLayout(1, [](std::vector<LayoutFileLine>& lines) { lines[0].qty = "3"; });
    EXPECT_EQ(listed(), (std::vector<std::string>{"1/2  [QTY 1]", "2/2  [QTY 3]"}));
    EXPECT_EQ(partQty(), "13"); // 4 + 3 x 3
    // Four sheets used of a stock of two: the stock is raised to what the layouts use.
    EXPECT_EQ(sheetQty(), "4");
    EXPECT_EQ(window->job().nesting.sheets.at(0).Remaining, 0);
}

TEST_F(MainWindowLayoutEditor, LeavingWithoutUpdatingKeepsTheJobAsItWas)
{
    const std::vector<LayoutItem> before = window->job().nesting.items;
    window->job().modified = false;
    editLayout(0, [this](std::vector<LayoutFileLine>&) { deleteFile(exchangeFile()); });
    EXPECT_EQ(window->job().nesting.items.size(), before.size());
    EXPECT_FALSE(window->job().modified);
    EXPECT_EQ(window->layoutPanel()->currentLayout(), 1);
}

TEST_F(MainWindowLayoutEditor, AnEmptiedLayoutVanishesAndTheRestMoveUp)
{
    editLayout(0, [](std::vector<LayoutFileLine>& lines) { lines.clear(); });
    EXPECT_EQ(listed(), (std::vector<std::string>{"1/1  [QTY 1]"}));
    EXPECT_EQ(partQty(), "3");
    EXPECT_EQ(sheetQty(), "2");
    EXPECT_EQ(window->job().nesting.sheets.at(0).Remaining, 1);

    editLayout(0, [](std::vector<LayoutFileLine>& lines) { lines.clear(); });
    EXPECT_TRUE(listed().empty());
    EXPECT_FALSE(window->layoutPanel()->layoutList()->isEnabled());
}

TEST_F(MainWindowLayoutEditor, WithoutLayoutsTheEditorOpensOnItsOwnWithNoStaleFile)
{
    editLayout(0, [](std::vector<LayoutFileLine>& lines) { lines.clear(); });
    editLayout(0, [](std::vector<LayoutFileLine>& lines) { lines.clear(); });
    ASSERT_TRUE(listed().empty());
    QFile stale(QString::fromStdString(exchangeFile()));
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write("\"sheet.shp\",0,0,0,1\r\n");
    stale.close();

    bool opened = false;
    window->editLayout = [&] {
        opened = true;
        EXPECT_FALSE(fileExists(exchangeFile()));
    };
    window->layoutEditorAction()->trigger();
    EXPECT_TRUE(opened);
    EXPECT_TRUE(listed().empty());
}

// A partial job whose part rows the run reorders by priority: plates that may not turn (Pri 0,
// tried last), a bar longer than the sheet that may turn in quarters (Pri 2) and squares (Pri 1).
class MainWindowLayoutEditorPartialJob : public MainWindowLayoutEditor {
protected:
    void SetUp() override
    {
        MainWindowRunTest::SetUp();
        typeInto(BasicGrid, "Kerf", "3");
        enterFiles(SheetGrid, {writeRectangle("sheet.shp", 1000, 500)});
        typeInto(SheetGrid, "Qty", "2");
        enterFiles(PartGrid, {writeRectangle("plate.shp", 300, 200), writeRectangle("bar.shp", 1200, 100),
                              writeRectangle("square.shp", 100, 100)});
        const char* typed[3][3] = {{"3", "", "n"}, {"1", "2", "nn"}, {"4", "1", ""}}; // Qty, Pri, Orn
        for (int row = 1; row <= 3; ++row)
            for (int c = 0; c < 3; ++c) typeInto(PartGrid, partGridTitles()[static_cast<size_t>(c) + 1], typed[row - 1][c], row);
        ASSERT_EQ(optimise().rfind("Partial Optimization Done", 0), 0u);
    }
};

TEST_F(MainWindowLayoutEditorPartialJob, AnUnchangedTripKeepsEveryRowAndTheUnplacedBar)
{
    const auto sheets = cellsOf(window->job().sheets), parts = cellsOf(window->job().parts);
    ASSERT_EQ(parts[1][4], "step90");
    editLayout(0, [](std::vector<LayoutFileLine>&) {});
    EXPECT_EQ(cellsOf(window->job().sheets), sheets);
    EXPECT_EQ(cellsOf(window->job().parts), parts);
    const auto& records = window->job().nesting.parts;
    const auto bar = std::find_if(records.begin(), records.end(),
                                  [](const PartEntry& p) { return fileNameOnly(p.FileName) == "bar.shp"; });
    ASSERT_NE(bar, records.end());
    EXPECT_EQ(bar->Remaining, 1) << "the bar is still wanted";
    EXPECT_EQ(listed(), (std::vector<std::string>{"1/1  [QTY 1]"}));
}

TEST_F(MainWindowLayoutEditor, TheToolbarTipSaysWhatTheButtonWillEdit)
{
    window->layoutEditorAction()->hover();
    EXPECT_EQ(window->layoutEditorAction()->toolTip().toStdString(), "Edit Current Layout");
    window->job().modified = false;
    window->newJob();
    window->layoutEditorAction()->hover();
    EXPECT_EQ(window->layoutEditorAction()->toolTip().toStdString(), "Layout Editor");
}

} // namespace
} // namespace dravenor::testing
