// The grid widget: keys reach the editing rules, the view and the grid agree on the current cell,
// a file cell chooses files, and long texts are cut where the user would look for them.
#include <QRegularExpression>
#include <QTest>
#include <gtest/gtest.h>

#include "support/painted_texts.h"
#include "support/scripted_edit_host.h"
#include "ui/grid_view.h"

namespace dravenor {
namespace {

QString shown(const GridView& view, int gridRow, int gridCol)
{
    return view.model()->index(gridRow - 1, gridCol - 1).data().toString();
}

TEST(GridView, EditingKeysReachTheRulesNavigationAndShortcutsStayWithTheView)
{
    EXPECT_EQ(classifyGridKey(Qt::Key_Enter, {}, "\r").code, KeyEnter);
    EXPECT_EQ(classifyGridKey(Qt::Key_Escape, {}, "\x1b").code, KeyEscape);
    for (int key : {Qt::Key_Left, Qt::Key_Tab, Qt::Key_Home, Qt::Key_F1})
        EXPECT_EQ(classifyGridKey(key, {}, {}).kind, GridKey::Other) << key;
    EXPECT_EQ(classifyGridKey(Qt::Key_N, Qt::AltModifier, "n").kind, GridKey::Other);

    TextGrid grid({"Mat", "Grade", "Thick", "Kerf", "ActKerf", "Note"});
    grid.setText(1, 2, "A");
    testing::ScriptedEditHost host;
    GridView view(grid, host);
    view.setCurrentCell(1, 1);
    QTest::keyClicks(&view, "st,52");
    QTest::keyClick(&view, Qt::Key_Backspace);
    QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(grid.text(1, 1), "ST5");
    EXPECT_EQ(shown(view, 1, 1), "ST5");
    EXPECT_EQ(host.askedKeys.size(), 6u) << "every key but the shortcut is offered to the host";
    QTest::keyClick(&view, Qt::Key_Delete);
    EXPECT_EQ(shown(view, 1, 1), "");
    EXPECT_EQ(grid.text(1, 2), "A");
    host.allowChange = false;
    QTest::keyClicks(&view, "ab");
    EXPECT_EQ(grid.text(1, 1), "");
}

TEST(GridView, AFileCellChoosesFilesIntoNewRowsAndTheCurrentCellFollowsArrowsClicksAndTheGrid)
{
    TextGrid grid({"Part File Name", "Qty", "Pri", "Orn"});
    testing::ScriptedEditHost host;
    host.fileAnswers.push_back({"/data/a.shp", "/data/b.dxf"});
    GridView view(grid, host, {true, true});
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    const auto centre = [&](int row, int col) { return view.visualRect(view.model()->index(row, col)).center(); };
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, centre(0, 0));
    EXPECT_EQ(host.fileRequests, std::vector<bool>{true});
    EXPECT_EQ(shown(view, 2, 1), "/data/b.dxf");
    EXPECT_EQ(view.model()->rowCount(), 3);
    EXPECT_EQ(view.currentIndex().row(), 1) << "the last filled row is current";

    host.askedKeys.clear();
    view.setCurrentCell(1, 1);
    QTest::keyClick(&view, Qt::Key_Right);
    QTest::keyClick(&view, Qt::Key_Down);
    EXPECT_EQ(std::pair(grid.row, grid.col), std::pair(2, 2));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, centre(2, 2));
    EXPECT_EQ(std::pair(grid.row, grid.col), std::pair(3, 3));
    EXPECT_TRUE(host.askedKeys.empty());
    grid.setRows(6);
    grid.renumber();
    grid.row = 5;
    grid.col = 2;
    view.refresh();
    EXPECT_EQ(view.model()->rowCount(), 5);
    EXPECT_EQ(view.currentIndex(), view.model()->index(4, 1));
    EXPECT_EQ(view.model()->headerData(4, Qt::Vertical).toString(), "5");
}

TEST(GridView, LongTextLosesItsEndFileNamesTheirStartAndTheCornerSaysSr)
{
    TextGrid grid({"Part File Name", "Rad", "Mat", "Note"});
    grid.setText(1, 1, "/a/very/long/folder/name/for/the/parts/b.dxf");
    grid.setText(1, 2, "645.59265358979");
    grid.setText(1, 3, "THE MATERIAL FROM THE NORTH YARD");
    testing::ScriptedEditHost host;
    GridView view(grid, host);
    view.resize(500, 120);
    for (int c = 0; c < 3; ++c)
        view.setColumnWidth(c, view.fontMetrics().horizontalAdvance(QStringLiteral("645.5926")));
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    const QStringList texts = testing::paintedTexts(view);
    for (const char* pattern : {"^645\\.5.*\u2026$", "^THE.*\u2026$", "^\u2026.*b\\.dxf$", "^Sr$"})
        EXPECT_GE(texts.indexOf(QRegularExpression(QString::fromUtf8(pattern))), 0)
            << pattern << " in " << texts.join('|').toStdString();
}

} // namespace
} // namespace dravenor
