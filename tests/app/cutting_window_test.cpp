// The cutting side of the windows: the cut table window (rows checked before they are saved),
// NC export refused with a message naming the material and thickness, and the cut plan drawn
// over the layout view when "Show Cut Plan" is ticked.
#include <QCheckBox>

#include "app/cut_table_window.h"
#include "main_window_fixture.h"
#include "support/temp_folder.h"
#include "support/text_match.h"

namespace dravenor::testing {
namespace {

TEST(CutTableWindowTest, IncompleteRowsAreNamedAndCompleteOnesSavedSorted)
{
    TempFolder folder;
    ScriptedDialogs dialogs;
    CutTableWindow window(dialogs, QString::fromStdString(folder.folder()));
    EXPECT_EQ(window.grid().rows(), 2) << "a missing table opens empty, with its entry row";
    auto type = [&](int row, int col, const char* keys) {
        window.gridView()->setCurrentCell(row, col);
        QTest::keyClicks(window.gridView(), keys);
    };
    type(1, 1, "s355");
    type(1, 2, "12");
    EXPECT_FALSE(window.done());
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_TRUE(contains(dialogs.questions[0].text, "row 1")) << dialogs.questions[0].text;
    const char* rest[] = {"3", "1200", "1", "7", "3", "1"};
    for (int c = 0; c < 6; ++c) type(1, c + 3, rest[c]);
    type(2, 1, "al");
    for (int c = 0; c < 7; ++c) type(2, c + 2, c == 0 ? "3" : c == 2 ? "4000" : "1");
    EXPECT_TRUE(window.done());
    EXPECT_EQ(TempFolder::read(folder.file("cutting.dat")),
              "\"AL\",\"3\",\"1\",\"4000\",\"1\",\"1\",\"1\",\"1\"\r\n\"S355\",\"12\",\"3\",\"1200\",\"1\",\"7\",\"3\",\"1\"\r\n");
}

TEST_F(MainWindowTest, NcExportNeedsTheCutTableRowAndTheCutPlanDrawsOverTheLayout)
{
    typeInto(BasicGrid, "Mat", "S235");
    typeInto(BasicGrid, "Thick", "7");
    enterJob("1", "4");
    optimise();
    ASSERT_FALSE(listed().empty());

    // No cutting.dat in the working folder: the export names it and asks for no file.
    window->exportNcProgram();
    ASSERT_FALSE(dialogs.questions.empty());
    EXPECT_TRUE(contains(dialogs.questions.back().text, "cutting.dat") && dialogs.fileDialogTitles.empty());
    write("post.cfg", "comments = parentheses\r\n");

    // With a row the plan is drawn over the view: more ink than the layout alone.
    write("cutting.dat", "\"S235\",\"7\",\"1\",\"2000\",\"0.5\",\"5\",\"2\",\"1\"\r\n");
    const int before = inkedPixels(panel().canvas()->surface().image());
    panel().showCutPlanBox()->setChecked(true);
    EXPECT_GT(inkedPixels(panel().canvas()->surface().image()), before);

    dialogs.saveFiles.push_back(folder.filePath("layout-1.nc").toStdString());
    const size_t told = dialogs.questions.size();
    window->exportNcProgram();
    EXPECT_EQ(dialogs.questions.size(), told) << dialogs.questions.back().text;
    const std::string text = TempFolder::read(folder.filePath("layout-1.nc").toStdString());
    EXPECT_TRUE(contains(text, "(part 1 plate.shp: outline)\r\nG0 X")) << text.substr(0, 400);
    // The layout keeps a remnant: the program parts it off last.
    EXPECT_TRUE(contains(text, "(remnant cut, keeps remnant 194 x 1000)\r\nG0 X") && contains(text, "\r\nM2\r\n"))
        << text.substr(text.size() - 300);
}

} // namespace
} // namespace dravenor::testing
