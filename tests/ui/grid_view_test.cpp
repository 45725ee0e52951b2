// The grid widget: keys reach the editing rules, the view follows the grid and the grid follows
// the view, column layout comes from the column attributes.
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "job/column_attributes.h"
#include "support/scripted_edit_host.h"
#include "ui/grid_table_model.h"
#include "ui/grid_view.h"

namespace dravenor {
namespace {

using RecordingHost = test::ScriptedEditHost;

TextGrid basicGrid()
{
    TextGrid grid({"Mat", "Grade", "Thick", "Kerf", "ActKerf", "Note"});
    grid.colWidths[5] = 0;
    return grid;
}

GridEditOptions entryGridOptions()
{
    GridEditOptions options;
    options.entryRowGrid = true;
    options.multiFileSelection = true;
    return options;
}

QString shownText(const GridView& view, int gridRow, int gridCol)
{
    return view.model()->index(gridRow - 1, gridCol - 1).data().toString();
}

TEST(GridKeyClassification, EditingKeysBecomeCodesAndNavigationStaysWithTheView)
{
    EXPECT_EQ(classifyGridKey(Qt::Key_Delete, {}, {}).kind, GridKey::Delete);
    EXPECT_EQ(classifyGridKey(Qt::Key_Return, {}, "\r").code, KeyEnter);
    EXPECT_EQ(classifyGridKey(Qt::Key_Enter, {}, "\r").code, KeyEnter);
    EXPECT_EQ(classifyGridKey(Qt::Key_Backspace, {}, "\b").code, KeyBackspace);
    EXPECT_EQ(classifyGridKey(Qt::Key_Escape, {}, "\x1b").code, KeyEscape);
    EXPECT_EQ(classifyGridKey(Qt::Key_M, {}, "m").code, 'm');
    EXPECT_EQ(classifyGridKey(Qt::Key_Comma, {}, ",").code, ',');
    EXPECT_EQ(classifyGridKey(Qt::Key_Space, {}, " ").code, ' ');
    for (int key : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_Tab, Qt::Key_Home})
        EXPECT_EQ(classifyGridKey(key, {}, {}).kind, GridKey::Other) << key;
    // Shortcuts are not typed into cells.
    EXPECT_EQ(classifyGridKey(Qt::Key_C, Qt::ControlModifier, "\x03").kind, GridKey::Other);
    EXPECT_EQ(classifyGridKey(Qt::Key_N, Qt::AltModifier, "n").kind, GridKey::Other);
    EXPECT_EQ(classifyGridKey(Qt::Key_F1, {}, {}).kind, GridKey::Other);
}

TEST(GridViewTyping, LettersInMatAreStoredAndShownInUpperCase)
{
    TextGrid grid = basicGrid();
    RecordingHost host;
    GridView view(grid, host);
    view.setCurrentCell(1, 1);
    QTest::keyClicks(&view, "st52");
    EXPECT_EQ(grid.text(1, 1), "ST52");
    EXPECT_EQ(shownText(view, 1, 1), "ST52");
    EXPECT_EQ(host.askedKeys.size(), 4u);
}

TEST(GridViewTyping, CommaAndQuoteAreRefusedInNote)
{
    TextGrid grid = basicGrid();
    RecordingHost host;
    GridView view(grid, host);
    view.setCurrentCell(1, grid.columnOf("Note"));
    QTest::keyClicks(&view, "a,b\"c d");
    EXPECT_EQ(grid.text(1, grid.columnOf("Note")), "ABC D");
}

TEST(GridViewTyping, BackspaceAndDeleteChangeOnlyTheCurrentCell)
{
    TextGrid grid = basicGrid();
    grid.setText(1, 1, "ST52");
    grid.setText(1, 2, "A");
    RecordingHost host;
    GridView view(grid, host);
    view.setCurrentCell(1, 1);
    QTest::keyClick(&view, Qt::Key_Backspace);
    EXPECT_EQ(grid.text(1, 1), "ST5");
    QTest::keyClick(&view, Qt::Key_Delete);
    EXPECT_EQ(grid.text(1, 1), "");
    EXPECT_EQ(grid.text(1, 2), "A");
    EXPECT_EQ(shownText(view, 1, 1), "");
}

TEST(GridViewTyping, ShortcutsAndDeclinedKeysLeaveTheCell)
{
    TextGrid grid = basicGrid();
    RecordingHost host;
    GridView view(grid, host);
    view.setCurrentCell(1, 1);
    QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(grid.text(1, 1), "");
    EXPECT_TRUE(host.askedKeys.empty());
    host.allowChange = false;
    QTest::keyClicks(&view, "ab");
    EXPECT_EQ(grid.text(1, 1), "");
}

TEST(GridViewCurrentCell, ArrowKeysMoveTheGridsCurrentCell)
{
    TextGrid grid({"Sheet File Name", "Qty", "Pri"});
    grid.setRows(4);
    grid.renumber();
    RecordingHost host;
    GridView view(grid, host, entryGridOptions());
    view.setCurrentCell(1, 1);
    QSignalSpy moved(&view, &GridView::currentCellChanged);
    QTest::keyClick(&view, Qt::Key_Right);
    QTest::keyClick(&view, Qt::Key_Down);
    QTest::keyClick(&view, Qt::Key_Down);
    EXPECT_EQ(grid.row, 3);
    EXPECT_EQ(grid.col, 2);
    ASSERT_EQ(moved.size(), 3);
    EXPECT_EQ(moved.last().at(0).toInt(), 3);
    EXPECT_EQ(moved.last().at(1).toInt(), 2);
    // Arrow keys never reach the cell rules.
    EXPECT_TRUE(host.askedKeys.empty());
}

TEST(GridViewCurrentCell, TheViewFollowsTheGridAfterRefresh)
{
    TextGrid grid({"Part File Name", "Qty", "Pri", "Orn"});
    RecordingHost host;
    GridView view(grid, host, entryGridOptions());
    grid.setRows(5);
    grid.renumber();
    grid.row = 4;
    grid.col = 3;
    view.refresh();
    EXPECT_EQ(view.model()->rowCount(), 4);
    EXPECT_EQ(view.currentIndex().row(), 3);
    EXPECT_EQ(view.currentIndex().column(), 2);
    EXPECT_EQ(view.model()->headerData(3, Qt::Vertical).toString(), "4");
}

TEST(GridViewCurrentCell, AClickedCellBecomesTheGridsCurrentCell)
{
    TextGrid grid({"Sheet File Name", "Qty", "Pri"});
    grid.setRows(3);
    RecordingHost host;
    GridView view(grid, host, entryGridOptions());
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    const QRect cell = view.visualRect(view.model()->index(1, 2));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(grid.row, 2);
    EXPECT_EQ(grid.col, 3);
}

TEST(GridViewFiles, DoubleClickOnAFileCellChoosesFilesIntoNewNumberedRows)
{
    TextGrid grid({"Part File Name", "Qty", "Pri", "Orn"});
    RecordingHost host;
    host.fileAnswers.push_back({"/data/a.shp", "/data/b.dxf"});
    GridView view(grid, host, entryGridOptions());
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, view.visualRect(view.model()->index(0, 0)).center());

    ASSERT_EQ(host.fileRequests.size(), 1u);
    EXPECT_TRUE(host.fileRequests[0]);
    ASSERT_EQ(grid.rows(), 4);
    EXPECT_EQ(shownText(view, 1, 1), "/data/a.shp");
    EXPECT_EQ(shownText(view, 2, 1), "/data/b.dxf");
    EXPECT_EQ(shownText(view, 3, 1), "");
    EXPECT_EQ(view.model()->headerData(2, Qt::Vertical).toString(), "3");
    // The current cell is the last filled row, in the grid and in the view.
    EXPECT_EQ(grid.row, 2);
    EXPECT_EQ(view.currentIndex().row(), 1);
}

TEST(GridViewLayout, ZeroWidthHidesAColumnAndFileColumnsAreRightAligned)
{
    TextGrid basic = basicGrid();
    RecordingHost host;
    GridView basicView(basic, host);
    EXPECT_TRUE(basicView.isColumnHidden(basic.columnOf("ActKerf") - 1));
    EXPECT_FALSE(basicView.isColumnHidden(basic.columnOf("Kerf") - 1));
    EXPECT_EQ(basicView.model()->headerData(0, Qt::Horizontal).toString(), "Mat");
    const auto alignment = [](const GridView& view, int col) {
        return Qt::Alignment(view.model()->index(0, col - 1).data(Qt::TextAlignmentRole).toInt());
    };
    EXPECT_TRUE(alignment(basicView, 1) & Qt::AlignLeft);

    TextGrid sheets({"Sheet File Name", "Qty", "Pri"});
    GridView sheetView(sheets, host, entryGridOptions());
    EXPECT_TRUE(alignment(sheetView, 1) & Qt::AlignRight);
    EXPECT_TRUE(alignment(sheetView, 2) & Qt::AlignLeft);
    // A column is as wide as its padded title: "Pri" (8 characters) is narrower than "Qty" (11).
    EXPECT_LT(sheetView.columnWidth(2), sheetView.columnWidth(1));
    EXPECT_EQ(sheetView.columnWidth(1), sheetView.columnPixelWidth("Qty"));
}

} // namespace
} // namespace dravenor
