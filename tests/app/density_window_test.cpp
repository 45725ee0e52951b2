// The density table window driven offscreen: loading density.dat, typing with the grid rules,
// "Done" storing the rows sorted and without empty lines, "Cancel" and Esc writing nothing, a
// failed save keeping the edits, damaged rows reported once, and the help key.
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>

#include "app/density_window.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"
#include "ui/grid_view.h"

namespace dravenor::testing {
namespace {

std::vector<std::pair<std::string, std::string>> rowsOf(const TextGrid& grid)
{
    std::vector<std::pair<std::string, std::string>> rows;
    for (int row = 1; row < grid.rows(); ++row) rows.emplace_back(grid.text(row, 1), grid.text(row, 2));
    return rows;
}

using Rows = std::vector<std::pair<std::string, std::string>>;

class DensityWindowTest : public ::testing::Test {
protected:
    QString workingFolder() const { return QString::fromStdString(folder.folder()); }
    std::string tableFile() const { return folder.file("density.dat"); }
    std::string tableText() const { return TempFolder::read(tableFile()); }

    static void type(DensityWindow& window, int row, int col, const char* keys)
    {
        window.gridView()->setCurrentCell(row, col);
        QTest::keyClicks(window.gridView(), keys);
    }
    static void erase(DensityWindow& window, int row, int col)
    {
        window.gridView()->setCurrentCell(row, col);
        QTest::keyClick(window.gridView(), Qt::Key_Delete);
    }

    TempFolder folder;
    ScriptedDialogs dialogs;
};

TEST_F(DensityWindowTest, ShowsTheTableWithOneEmptyRowToTypeInto)
{
    folder.write("density.dat", "\"AL\",\"2.7\"\r\n\"ST\",\"7.85\"\r\n");
    DensityWindow window(dialogs, workingFolder());
    EXPECT_EQ(rowsOf(window.grid()), (Rows{{"AL", "2.7"}, {"ST", "7.85"}, {"", ""}}));
    EXPECT_EQ(window.grid().text(3, 0), "3");
    EXPECT_TRUE(dialogs.questions.empty());
}

TEST_F(DensityWindowTest, WithoutAFileTheGridHoldsOneEmptyRowAndDoneCreatesTheFile)
{
    DensityWindow window(dialogs, workingFolder());
    EXPECT_EQ(rowsOf(window.grid()), (Rows{{"", ""}}));
    EXPECT_TRUE(dialogs.questions.empty());

    type(window, 1, 1, "cu");
    type(window, 1, 2, "8.96");
    window.doneButton()->click();
    EXPECT_EQ(tableText(), "\"CU\",\"8.96\"\r\n");
    EXPECT_EQ(window.result(), QDialog::Accepted);
}

TEST_F(DensityWindowTest, TypingFollowsTheGridRules)
{
    DensityWindow window(dialogs, workingFolder());
    type(window, 1, 1, "s,t\"304x");
    EXPECT_EQ(window.grid().text(1, 1), "ST304X") << "upper case, no comma or quote, at most 6 characters";
    EXPECT_EQ(window.grid().rows(), 3) << "a new empty row follows the filled last row";
    type(window, 1, 2, "7.8.5-a");
    EXPECT_EQ(window.grid().text(1, 2), "7.85");
    type(window, 2, 1, "al");
    EXPECT_EQ(window.grid().rows(), 4);
    EXPECT_EQ(window.grid().text(3, 0), "3");
}

TEST_F(DensityWindowTest, DoneStoresTheRowsSortedWithoutEmptyLinesAndReloads)
{
    folder.write("density.dat", "\"ZN\",\"7.14\"\r\n");
    DensityWindow window(dialogs, workingFolder());
    type(window, 2, 1, "st");
    type(window, 2, 2, "7.9");
    type(window, 3, 1, "cu"); // emptied again below: an empty row in the middle
    erase(window, 3, 1);
    type(window, 4, 1, "al");
    type(window, 4, 2, "2.7");
    type(window, 5, 1, "st");
    type(window, 5, 2, "7.85");
    type(window, 6, 1, "ss304");
    type(window, 6, 2, "8");
    ASSERT_EQ(window.grid().text(3, 1), "");

    EXPECT_TRUE(window.done());
    EXPECT_EQ(tableText(), "\"AL\",\"2.7\"\r\n"
                           "\"SS304\",\"8\"\r\n"
                           "\"ST\",\"7.85\"\r\n"
                           "\"ST\",\"7.9\"\r\n"
                           "\"ZN\",\"7.14\"\r\n");
    EXPECT_EQ(rowsOf(window.grid()),
              (Rows{{"AL", "2.7"}, {"SS304", "8"}, {"ST", "7.85"}, {"ST", "7.9"}, {"ZN", "7.14"}, {"", ""}}));
    EXPECT_EQ(window.grid().row, 1);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Accepted);

    DensityWindow reopened(dialogs, workingFolder());
    EXPECT_EQ(rowsOf(reopened.grid()), rowsOf(window.grid()));
}

TEST_F(DensityWindowTest, CancelAndEscWriteNothing)
{
    const std::string before = "\"st\",\"7.85\"\r\n\r\n\"AL\",\"2.7\"\r\n";
    folder.write("density.dat", before);
    {
        DensityWindow window(dialogs, workingFolder());
        type(window, 3, 1, "cu");
        type(window, 1, 2, "1");
        window.cancelButton()->click();
        EXPECT_EQ(window.result(), QDialog::Rejected);
    }
    EXPECT_EQ(tableText(), before);
    {
        DensityWindow window(dialogs, workingFolder());
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        type(window, 3, 1, "cu");
        QTest::keyClick(window.gridView(), Qt::Key_Escape);
        EXPECT_FALSE(window.isVisible());
        EXPECT_EQ(window.result(), QDialog::Rejected);
    }
    EXPECT_EQ(tableText(), before);

    std::filesystem::remove(tableFile());
    DensityWindow window(dialogs, workingFolder());
    type(window, 1, 1, "cu");
    window.cancel();
    EXPECT_FALSE(std::filesystem::exists(tableFile())) << "Cancel must not create the file";
}

TEST_F(DensityWindowTest, AFailedSaveIsExplainedAndKeepsTheEdits)
{
    // A folder in the table's place: it cannot be read nor replaced by a file.
    std::filesystem::create_directory(tableFile());
    DensityWindow window(dialogs, workingFolder());
    ASSERT_EQ(dialogs.questions.size(), 1u) << "the unreadable table is reported on opening";

    type(window, 1, 1, "st");
    type(window, 1, 2, "7.85");
    EXPECT_FALSE(window.done());
    ASSERT_EQ(dialogs.questions.size(), 2u);
    EXPECT_NE(dialogs.questions[1].text.find("density.dat"), std::string::npos) << dialogs.questions[1].text;
    EXPECT_EQ(dialogs.questions[1].icon, DialogService::Icon::Exclamation);
    EXPECT_EQ(rowsOf(window.grid()), (Rows{{"ST", "7.85"}, {"", ""}}));
    EXPECT_NE(window.result(), QDialog::Accepted);
    EXPECT_TRUE(std::filesystem::is_directory(tableFile()));

    // Once the obstacle is gone the same edits are saved.
    std::filesystem::remove(tableFile());
    EXPECT_TRUE(window.done());
    EXPECT_EQ(tableText(), "\"ST\",\"7.85\"\r\n");
}

TEST_F(DensityWindowTest, DamagedRowsAreReportedOnceAndTheGoodOnesShown)
{
    folder.write("density.dat", "\"AL\",\"2.7\"\r\n\"TOOLONGNAME\",\"1\"\r\n\"ST\",\"abc\"\r\n\"CU\",\"8.96\"\r\n");
    DensityWindow window(dialogs, workingFolder());
    ASSERT_EQ(dialogs.questions.size(), 1u);
    const std::string& text = dialogs.questions[0].text;
    EXPECT_NE(text.find("line 2"), std::string::npos) << text;
    EXPECT_NE(text.find("line 3"), std::string::npos) << text;
    EXPECT_NE(text.find("density.dat"), std::string::npos) << text;
    EXPECT_EQ(rowsOf(window.grid()), (Rows{{"AL", "2.7"}, {"CU", "8.96"}, {"", ""}}));
}

TEST_F(DensityWindowTest, F1OpensTheDensityHelp)
{
    DensityWindow window(dialogs, workingFolder());
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    window.gridView()->setFocus();
    QTest::keyClick(window.gridView(), Qt::Key_F1);
    EXPECT_EQ(dialogs.helpPages, std::vector<std::string>{"index.html#density"});
    EXPECT_EQ(window.grid().text(1, 1), "");
}

} // namespace
} // namespace dravenor::testing
