// The table windows: density.dat shown with an empty row to type into, Done storing the rows
// sorted, Cancel and Esc writing nothing, damaged rows reported once, failed saves kept; and the
// cut table and price table windows, whose rows are checked before they are saved.
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>

#include "app/cut_table_window.h"
#include "app/density_window.h"
#include "app/price_table_window.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"
#include "support/text_match.h"
#include "ui/grid_view.h"

namespace dravenor::testing {
namespace {

using Rows = std::vector<std::pair<std::string, std::string>>;

class TableWindowTest : public ::testing::Test {
protected:
    QString workingFolder() const { return QString::fromStdString(folder.folder()); }
    std::string tableFile() const { return folder.file("density.dat"); }
    static Rows rowsOf(DensityWindow& window)
    {
        Rows rows;
        for (int row = 1; row < window.grid().rows(); ++row) rows.emplace_back(window.grid().text(row, 1), window.grid().text(row, 2));
        return rows;
    }
    template <typename Window>
    static void type(Window& window, int row, int col, const char* keys)
    {
        window.gridView()->setCurrentCell(row, col);
        QTest::keyClicks(window.gridView(), keys);
    }

    TempFolder folder;
    ScriptedDialogs dialogs;
};

TEST_F(TableWindowTest, TypedDensityRowsFollowTheColumnRulesAndDoneStoresThemSorted)
{
    folder.write("density.dat", "\"ZN\",\"7.14\"\r\n");
    DensityWindow window(dialogs, workingFolder());
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(window.gridView(), Qt::Key_F1);
    EXPECT_EQ(dialogs.helpPages, std::vector<std::string>{"index.html#density"});
    EXPECT_EQ(rowsOf(window), (Rows{{"ZN", "7.14"}, {"", ""}}));
    type(window, 2, 1, "s,t\"304x");
    type(window, 2, 2, "7.8.5-a");
    EXPECT_EQ(rowsOf(window), (Rows{{"ZN", "7.14"}, {"ST304X", "7.85"}, {"", ""}})) << "a new empty row follows";
    type(window, 3, 1, "al");
    type(window, 3, 2, "2.7");

    window.doneButton()->click();
    const std::string saved = "\"AL\",\"2.7\"\r\n\"ST304X\",\"7.85\"\r\n\"ZN\",\"7.14\"\r\n";
    EXPECT_EQ(TempFolder::read(tableFile()), saved);
    EXPECT_EQ(rowsOf(window), (Rows{{"AL", "2.7"}, {"ST304X", "7.85"}, {"ZN", "7.14"}, {"", ""}}));
    EXPECT_EQ(std::tuple(window.grid().row, window.isVisible(), window.result(), dialogs.questions.size()),
              std::tuple(1, false, int(QDialog::Accepted), 0u));

    // Esc and Cancel leave the file as it was.
    DensityWindow reopened(dialogs, workingFolder());
    EXPECT_EQ(rowsOf(reopened), rowsOf(window));
    reopened.show();
    type(reopened, 4, 1, "cu");
    QTest::keyClick(reopened.gridView(), Qt::Key_Escape);
    EXPECT_EQ(std::pair(reopened.isVisible(), reopened.result()), std::pair(false, int(QDialog::Rejected)));
    DensityWindow cancelled(dialogs, workingFolder());
    type(cancelled, 4, 1, "cu");
    cancelled.cancelButton()->click();
    EXPECT_EQ(std::pair(cancelled.result(), TempFolder::read(tableFile())), std::pair(int(QDialog::Rejected), saved));
}

TEST_F(TableWindowTest, DamagedDensityRowsAreReportedOnceAndAFailedSaveKeepsTheEdits)
{
    folder.write("density.dat", "\"AL\",\"2.7\"\r\n\"TOOLONGNAME\",\"1\"\r\n\"ST\",\"abc\"\r\n\"CU\",\"8.96\"\r\n");
    DensityWindow damaged(dialogs, workingFolder());
    ASSERT_EQ(dialogs.questions.size(), 1u);
    for (const char* named : {"line 2", "line 3", "density.dat"}) EXPECT_TRUE(contains(dialogs.questions[0].text, named)) << named;
    EXPECT_EQ(rowsOf(damaged), (Rows{{"AL", "2.7"}, {"CU", "8.96"}, {"", ""}}));

    // A folder in the table's place: it cannot be read nor replaced by a file.
    std::filesystem::remove(tableFile());
    std::filesystem::create_directory(tableFile());
    DensityWindow window(dialogs, workingFolder());
    ASSERT_EQ(dialogs.questions.size(), 2u) << "the unreadable table is reported on opening";
    type(window, 1, 1, "st");
    type(window, 1, 2, "7.85");
    EXPECT_FALSE(window.done());
    ASSERT_EQ(dialogs.questions.size(), 3u);
    EXPECT_TRUE(contains(dialogs.questions[2].text, "density.dat") && dialogs.questions[2].icon == DialogService::Icon::Exclamation);
    EXPECT_TRUE(rowsOf(window) == (Rows{{"ST", "7.85"}, {"", ""}}) && window.result() != QDialog::Accepted);
    // Once the obstacle is gone the same edits are saved.
    std::filesystem::remove(tableFile());
    EXPECT_TRUE(window.done() && TempFolder::read(tableFile()) == "\"ST\",\"7.85\"\r\n");
}

TEST_F(TableWindowTest, TheCutTableWindowNamesIncompleteRowsAndSavesCompleteOnesSorted)
{
    CutTableWindow window(dialogs, workingFolder());
    EXPECT_EQ(window.grid().rows(), 2) << "a missing table opens empty, with its entry row";
    type(window, 1, 1, "s355");
    type(window, 1, 2, "12");
    EXPECT_FALSE(window.done());
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_TRUE(contains(dialogs.questions[0].text, "row 1")) << dialogs.questions[0].text;
    const char* rest[] = {"3", "1200", "1", "7", "3", "1"};
    for (int c = 0; c < 6; ++c) type(window, 1, c + 3, rest[c]);
    type(window, 2, 1, "al");
    const char* withJoints[] = {"3", "1", "4000", "1", "1", "1", "1", "2.5", "4"};
    for (int c = 0; c < 9; ++c) type(window, 2, c + 2, withJoints[c]);
    EXPECT_TRUE(window.done());
    EXPECT_EQ(TempFolder::read(folder.file("cutting.dat")),
              "\"AL\",\"3\",\"1\",\"4000\",\"1\",\"1\",\"1\",\"1\",\"2.5\",\"4\"\r\n"
              "\"S355\",\"12\",\"3\",\"1200\",\"1\",\"7\",\"3\",\"1\"\r\n");
}

// Every column of the price table takes what is typed into it, and Done stores the row.
TEST_F(TableWindowTest, ThePriceTableWindowTakesEveryColumnFromTheKeys)
{
    PriceTableWindow window(dialogs, workingFolder());
    const char* keys[] = {"s235", "jr", "10", "1.15", "90", "0.25", "15", "5", "0.2", "80"};
    for (int c = 0; c < 10; ++c) type(window, 1, c + 1, keys[c]);
    EXPECT_TRUE(window.done());
    EXPECT_EQ(TempFolder::read(folder.file("prices.dat")),
              "\"S235\",\"JR\",\"10\",\"1.15\",\"90\",\"0.25\",\"15\",\"5\",\"0.2\",\"80\"\r\n");
}

} // namespace
} // namespace dravenor::testing
