// The main window's editing host without a window: when it asks, what it discards, which file
// dialog it opens.
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/main_window_edit_host.h"
#include "support/scripted_dialogs.h"

namespace dravenor::testing {
namespace {

class EditHostTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        QFile file(folder.filePath("Report.tlf"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    bool reportExists() const { return QFile::exists(folder.filePath("Report.tlf")); }

    QTemporaryDir folder;
    Job job;
    ScriptedDialogs dialogs;
    MainWindowEditHost host{job, dialogs, folder.path().toStdString(), "Dravenor"};
};

TEST_F(EditHostTest, WithoutLayoutsNothingIsAskedButTheJobIsModified)
{
    int discarded = 0;
    host.onResultsDiscarded = [&] { ++discarded; };
    EXPECT_TRUE(host.beforeChange('A'));
    EXPECT_TRUE(dialogs.questions.empty());
    EXPECT_TRUE(job.modified);
    EXPECT_EQ(discarded, 1);
    EXPECT_FALSE(reportExists());
}

TEST_F(EditHostTest, EscapeNeverAsksEvenWithLayouts)
{
    job.layoutItems.push_back(LayoutItem{});
    EXPECT_TRUE(host.beforeChange(KeyEscape));
    EXPECT_TRUE(dialogs.questions.empty());
}

TEST_F(EditHostTest, FileChoicesUseTheGridsCaptionOrTheSingleFileDialog)
{
    dialogs.shapeSelections.push_back({"/a.shp", "/b.shp"});
    EXPECT_EQ(host.chooseFiles(job.sheets, true), (std::vector<std::string>{"/a.shp", "/b.shp"}));
    EXPECT_TRUE(host.chooseFiles(job.parts, true).empty());
    EXPECT_EQ(dialogs.shapeSelectionCaptions,
              (std::vector<std::string>{"Select Sheet File(s)...", "Select Part File(s)..."}));

    dialogs.openFiles.push_back("/c.dxf");
    EXPECT_EQ(host.chooseFiles(job.parts, false), std::vector<std::string>{"/c.dxf"});
    EXPECT_TRUE(host.chooseFiles(job.parts, false).empty());
    EXPECT_EQ(dialogs.openTitles.front(), "Load Sheet/Part File");
}

} // namespace
} // namespace dravenor::testing
