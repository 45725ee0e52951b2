// The density table window: density.dat shown with an empty row to type into, typing by the grid
// rules, Done storing the rows, Cancel and Esc writing nothing, a failed save keeping the edits,
// damaged rows reported once, and the help key.
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

using Rows = std::vector<std::pair<std::string, std::string>>;

class DensityWindowTest : public ::testing::Test {
protected:
    QString workingFolder() const { return QString::fromStdString(folder.folder()); }
    std::string tableFile() const { return folder.file("density.dat"); }
    static Rows rowsOf(DensityWindow& window)
    {
        Rows rows;
        for (int row = 1; row < window.grid().rows(); ++row) rows.emplace_back(window.grid().text(row, 1), window.grid().text(row, 2));
        return rows;
    }
    static void type(DensityWindow& window, int row, int col, const char* keys)
    {
        window.gridView()->setCurrentCell(row, col);
        QTest::keyClicks(window.gridView(), keys);
    }

    TempFolder folder;
    ScriptedDialogs dialogs;
};

TEST_F(DensityWindowTest, TypingFollowsTheGridRulesAndDoneStoresTheRowsSortedWithoutEmptyLines)
{
    folder.write("density.dat", "\"ZN\",\"7.14\"\r\n");
    DensityWindow window(dialogs, workingFolder());
    EXPECT_EQ(rowsOf(window), (Rows{{"ZN", "7.14"}, {"", ""}}));
    type(window, 2, 1, "s,t\"304x");
    EXPECT_EQ(window.grid().text(2, 1), "ST304X") << "upper case, no comma or quote, at most 6 characters";
    EXPECT_EQ(window.grid().rows(), 4) << "a new empty row follows the filled last row";
    EXPECT_EQ(window.grid().text(3, 0), "3");
    type(window, 2, 2, "7.8.5-a");
    EXPECT_EQ(window.grid().text(2, 2), "7.85");
    type(window, 3, 1, "cu"); // emptied again: an empty row in the middle
    window.gridView()->setCurrentCell(3, 1);
    QTest::keyClick(window.gridView(), Qt::Key_Delete);
    type(window, 4, 1, "al");
    type(window, 4, 2, "2.7");
    ASSERT_EQ(window.grid().text(3, 1), "");

    window.doneButton()->click();
    EXPECT_EQ(TempFolder::read(tableFile()), "\"AL\",\"2.7\"\r\n\"ST304X\",\"7.85\"\r\n\"ZN\",\"7.14\"\r\n");
    EXPECT_EQ(rowsOf(window), (Rows{{"AL", "2.7"}, {"ST304X", "7.85"}, {"ZN", "7.14"}, {"", ""}}));
    EXPECT_EQ(window.grid().row, 1);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Accepted);
    DensityWindow reopened(dialogs, workingFolder());
    EXPECT_EQ(rowsOf(reopened), rowsOf(window));
    EXPECT_TRUE(dialogs.questions.empty());
}

TEST_F(DensityWindowTest, CancelAndEscWriteNothingAndF1OpensTheHelp)
{
    {
        DensityWindow window(dialogs, workingFolder());
        EXPECT_EQ(rowsOf(window), (Rows{{"", ""}}));
        type(window, 1, 1, "cu");
        window.cancelButton()->click();
        EXPECT_EQ(window.result(), QDialog::Rejected);
    }
    EXPECT_FALSE(std::filesystem::exists(tableFile())) << "Cancel must not create the file";
    const std::string before = "\"st\",\"7.85\"\r\n\r\n\"AL\",\"2.7\"\r\n";
    folder.write("density.dat", before);
    DensityWindow window(dialogs, workingFolder());
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    window.gridView()->setFocus();
    QTest::keyClick(window.gridView(), Qt::Key_F1);
    EXPECT_EQ(dialogs.helpPages, std::vector<std::string>{"index.html#density"});
    EXPECT_EQ(window.grid().text(3, 1), "");
    type(window, 3, 1, "cu");
    QTest::keyClick(window.gridView(), Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Rejected);
    EXPECT_EQ(TempFolder::read(tableFile()), before);
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
    EXPECT_EQ(rowsOf(window), (Rows{{"ST", "7.85"}, {"", ""}}));
    EXPECT_NE(window.result(), QDialog::Accepted);
    EXPECT_TRUE(std::filesystem::is_directory(tableFile()));
    // Once the obstacle is gone the same edits are saved.
    std::filesystem::remove(tableFile());
    EXPECT_TRUE(window.done());
    EXPECT_EQ(TempFolder::read(tableFile()), "\"ST\",\"7.85\"\r\n");
}

TEST_F(DensityWindowTest, DamagedRowsAreReportedOnceAndTheGoodOnesShown)
{
    folder.write("density.dat", "\"AL\",\"2.7\"\r\n\"TOOLONGNAME\",\"1\"\r\n\"ST\",\"abc\"\r\n\"CU\",\"8.96\"\r\n");
    DensityWindow window(dialogs, workingFolder());
    ASSERT_EQ(dialogs.questions.size(), 1u);
    for (const char* named : {"line 2", "line 3", "density.dat"})
        EXPECT_NE(dialogs.questions[0].text.find(named), std::string::npos) << dialogs.questions[0].text;
    EXPECT_EQ(rowsOf(window), (Rows{{"AL", "2.7"}, {"CU", "8.96"}, {"", ""}}));
}

} // namespace
} // namespace dravenor::testing
