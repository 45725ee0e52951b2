// The main window's job: layouts protected from edits, New and closing asking to save.
#include "app/main_window_fixture.h"

namespace dravenor::testing {
namespace {

using MainWindowJob = MainWindowTest;

const std::string kChangeData = "You are about to change data, Continue?";
const std::string kSaveChanges = "Save changes in current file?";

TEST_F(MainWindowJob, WithLayoutsAKeyAsksAndCancelKeepsEverything)
{
    const std::string a = writeRectangle("a.shp", 10, 10);
    enterFiles(SheetGrid, {a});
    window->job().nesting.items.push_back(LayoutItem{});
    window->job().nesting.entities.push_back(LayoutEntity{});
    window->job().modified = false;
    touch("Report.tlf");
    dialogs.answers = {DialogService::Answer::Cancel, DialogService::Answer::Cancel};
    typeInto(BasicGrid, "Mat", "a");
    grid(SheetGrid).setCurrentCell(1, 1);
    QTest::keyClick(&grid(SheetGrid), Qt::Key_Delete);
    EXPECT_EQ(dialogs.questionTexts(), (std::vector<std::string>{kChangeData, kChangeData}));
    EXPECT_EQ(dialogs.questions[0].buttons, DialogService::Buttons::OkCancel);
    EXPECT_EQ(window->job().basic.text(1, 1), "");
    EXPECT_EQ(window->job().sheets.text(1, 1), a);
    EXPECT_EQ(window->job().nesting.items.size(), 1u);
    EXPECT_EQ(window->job().nesting.entities.size(), 1u);
    EXPECT_TRUE(exists("Report.tlf"));
    EXPECT_FALSE(window->job().modified);

    // Ok: the layouts and working files go before the key acts, and the next key does not ask.
    dialogs.answers = {DialogService::Answer::Ok};
    typeInto(BasicGrid, "Mat", "ab");
    EXPECT_EQ(dialogs.questions.size(), 3u);
    EXPECT_EQ(window->job().basic.text(1, 1), "AB");
    EXPECT_FALSE(window->job().hasLayouts());
    EXPECT_FALSE(exists("Report.tlf"));
    EXPECT_TRUE(exists("a.shp"));
}

TEST_F(MainWindowJob, NewAsksToSaveAModifiedJobAndEmptiesEverything)
{
    window->newJob();
    EXPECT_TRUE(dialogs.questions.empty()) << "an unmodified job is not questioned";
    enterFiles(SheetGrid, {writeRectangle("a.shp", 100, 50)});
    typeInto(BasicGrid, "Mat", "ms");
    touch("section.tlf");
    int saves = 0;
    window->saveAs = [&] { return ++saves > 0; };
    dialogs.answers = {DialogService::Answer::No};
    window->newAction()->trigger();
    ASSERT_EQ(dialogs.questionTexts(), std::vector<std::string>{kSaveChanges});
    EXPECT_EQ(dialogs.questions[0].title, "Attention !");
    EXPECT_EQ(dialogs.questions[0].buttons, DialogService::Buttons::YesNo);
    EXPECT_EQ(saves, 0);
    EXPECT_EQ(window->job().basic.text(1, 1), "");
    EXPECT_EQ(window->job().sheets.rows(), 2);
    EXPECT_EQ(grid(SheetGrid).model()->rowCount(), 1);
    EXPECT_EQ(grid(BasicGrid).model()->index(0, 0).data().toString(), "");
    EXPECT_TRUE(preview(SheetGrid).toolTip().isEmpty());
    EXPECT_EQ(previewInk(SheetGrid), 0);
    EXPECT_FALSE(exists("section.tlf"));
    EXPECT_FALSE(window->job().modified);
    EXPECT_EQ(window->windowTitle(), "Dravenor");
}

TEST_F(MainWindowJob, YesSavesFirstAndClosingAModifiedJobAsksToo)
{
    typeInto(BasicGrid, "Mat", "x");
    std::string savedMat;
    window->saveAs = [&] { savedMat = window->job().basic.text(1, 1); return true; };
    dialogs.answers = {DialogService::Answer::Yes};
    window->newJob();
    EXPECT_EQ(savedMat, "X");
    EXPECT_EQ(window->job().basic.text(1, 1), "");

    typeInto(PartGrid, "Qty", "12");
    dialogs.answers = {DialogService::Answer::No};
    window->show();
    EXPECT_TRUE(window->close());
    EXPECT_EQ(dialogs.questionTexts(), (std::vector<std::string>{kSaveChanges, kSaveChanges}));
}

TEST_F(MainWindowJob, ASaveCancelledAfterYesKeepsTheJobAndTheWindow)
{
    window->show();
    typeInto(BasicGrid, "Mat", "x");
    // Yes, then Cancel in the Save As dialog, for New, Open and closing the window.
    dialogs.answers = {DialogService::Answer::Yes, DialogService::Answer::Yes, DialogService::Answer::Yes};
    EXPECT_FALSE(window->newJob());
    window->openJobWithDialog();
    EXPECT_FALSE(window->close());
    EXPECT_EQ(dialogs.fileDialogTitles, (std::vector<std::string>(3, "Save As"))) << "no Open dialog after the cancel";
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->job().basic.text(1, 1), "X");
    EXPECT_TRUE(window->job().modified);
}

} // namespace
} // namespace dravenor::testing
