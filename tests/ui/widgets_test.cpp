// The picture widget shows what was drawn on its surface, reports mouse positions in the
// surface's user units and asks for a redraw when its size changes. The grid widget: keys reach
// the editing rules, the view and the grid agree on the current cell, a file cell chooses files,
// and long texts are cut where the user would look for them.
#include <QApplication>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "support/painted_texts.h"
#include "support/scripted_edit_host.h"
#include "ui/canvas_view.h"
#include "ui/fitted_path.h"
#include "ui/grid_view.h"

namespace dravenor {
namespace {

TEST(CanvasView, ShowsWhatWasDrawnReportsUserUnitsAndAsksForARedrawAfterAResize)
{
    CanvasView canvas{QSize(100, 50)};
    canvas.setFixedSize(canvas.sizeHint());
    canvas.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&canvas));
    ASSERT_TRUE(canvas.surface().setScale({10, 20, 200, 100})); // two units a pixel
    const auto inside = [&](int x, int y) { return canvas.contentsRect().topLeft() + QPoint(x, y); };
    const auto shown = [&](int x, int y) { return QColor(canvas.grab().toImage().pixel(inside(x, y))); };

    QSignalSpy moved(&canvas, &CanvasView::mouseMoved), clicked(&canvas, &CanvasView::clicked);
    QMouseEvent move(QEvent::MouseMove, inside(50, 25), canvas.mapToGlobal(inside(50, 25)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&canvas, &move);
    QTest::mouseClick(&canvas, Qt::RightButton, {}, inside(25, 10));
    ASSERT_EQ(moved.size(), 1);
    EXPECT_EQ(moved.at(0).at(0).toPointF(), QPointF(110, 70));
    ASSERT_EQ(clicked.size(), 1);
    EXPECT_EQ(clicked.at(0).at(0).toPointF(), QPointF(60, 40));
    EXPECT_EQ(clicked.at(0).at(1).value<Qt::MouseButton>(), Qt::RightButton);

    canvas.surface().line(10, 71, 210, 71, Red); // through the middle of pixel row 25
    canvas.refresh();
    EXPECT_EQ(shown(50, 25).red(), 255);
    EXPECT_LT(shown(50, 25).green(), 100);
    EXPECT_EQ(shown(50, 40), QColor(Qt::white));
    canvas.clear();
    EXPECT_EQ(shown(50, 25), QColor(Qt::white));

    // A resize gives a new blank image in the same user units.
    QSignalSpy resized(&canvas, &CanvasView::resized);
    canvas.surface().line(10, 70, 210, 70, Black);
    canvas.setFixedSize(canvas.sizeHint() + QSize(40, 30));
    QApplication::processEvents();
    EXPECT_EQ(resized.size(), 1);
    EXPECT_EQ(canvas.surface().image().size(), QSize(140, 80));
    EXPECT_EQ(QColor(canvas.surface().image().pixel(70, 40)), QColor(Qt::white));
    EXPECT_DOUBLE_EQ(canvas.surface().scale().width, 200);
}

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
    for (const char* pattern : {"^645\\.5.*\u2026$", "^THE.*\u2026$", "^\u2026/.*b\\.dxf$", "^Sr$"})
        EXPECT_GE(texts.indexOf(QRegularExpression(QString::fromUtf8(pattern))), 0)
            << pattern << " in " << texts.join('|').toStdString();
}

// Each character one unit wide: folders go first, then the name's middle.
TEST(FittedPath, FoldersGoFirstThenTheNamesMiddle)
{
    const auto width = [](const std::string& text) {
        double n = 0;
        for (unsigned char c : text) n += (c & 0xC0) != 0x80; // UTF-8 characters
        return n;
    };
    const std::string path = "/work/examples/parts/flange-od300-8holes.shp";
    const std::pair<double, const char*> cases[] = {
        {60, "/work/examples/parts/flange-od300-8holes.shp"}, {40, "…/examples/parts/flange-od300-8holes.shp"},
        {31, "…/parts/flange-od300-8holes.shp"},          {25, "…/flange-od300-8holes.shp"},
        {13, "flange…es.shp"},                          {1, "…"}};
    for (const auto& [available, expected] : cases) EXPECT_EQ(fittedPath(path, available, width), expected) << available;
    EXPECT_EQ(fittedPath("plate.shp", 7, width), "pla…shp");
}

} // namespace
} // namespace dravenor
