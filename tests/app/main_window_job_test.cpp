// The main window's job lifecycle: protecting layouts from edits, New, closing, and the menus.
#include <QMenuBar>

#include "app/main_window_fixture.h"

namespace dravenor::testing {
namespace {

using MainWindowJob = MainWindowTest;

QAction* findAction(QMainWindow& window, const QString& menu, const QString& item)
{
    for (QAction* top : window.menuBar()->actions()) {
        if (top->text() != menu || !top->menu()) continue;
        for (QAction* action : top->menu()->actions())
            if (action->text() == item) return action;
    }
    return nullptr;
}

QStringList menuTexts(QMainWindow& window, const QString& menu)
{
    QStringList texts;
    for (QAction* top : window.menuBar()->actions())
        if (top->text() == menu && top->menu())
            for (QAction* action : top->menu()->actions()) texts << (action->isSeparator() ? "-" : action->text());
    return texts;
}

class MainWindowWithLayouts : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        LayoutItem item;
        item.Name = "plate";
        item.LayoutNo = 1;
        window->job().layoutItems.push_back(item);
        window->job().layoutEntities.push_back(LayoutEntity{});
        writeFile("Report.tlf", "report");
        writeFile("keep.shp", "");
    }
};

TEST_F(MainWindowWithLayouts, CancelLeavesTheGridAndTheLayouts)
{
    dialogs.answers.push_back(DialogService::Answer::Cancel);
    typeInto(BasicGrid, 1, "Mat", "a");

    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(dialogs.questions[0].text, "You are about to change data, Continue?");
    EXPECT_EQ(dialogs.questions[0].buttons, DialogService::Buttons::OkCancel);
    EXPECT_EQ(dialogs.questions[0].icon, DialogService::Icon::Question);
    EXPECT_EQ(window->job().basic.text(1, 1), "");
    EXPECT_EQ(window->job().layoutItems.size(), 1u);
    EXPECT_EQ(window->job().layoutEntities.size(), 1u);
    EXPECT_TRUE(exists("Report.tlf"));
    EXPECT_FALSE(window->job().modified);
}

TEST_F(MainWindowWithLayouts, OkDiscardsTheLayoutsAndWorkingFilesBeforeTheKeyActs)
{
    dialogs.answers.push_back(DialogService::Answer::Ok);
    typeInto(BasicGrid, 1, "Mat", "ab");

    // Asked once: after the first key the layouts are gone.
    EXPECT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(window->job().basic.text(1, 1), "AB");
    EXPECT_FALSE(window->job().hasLayouts());
    EXPECT_FALSE(exists("Report.tlf"));
    EXPECT_TRUE(exists("keep.shp"));
    EXPECT_TRUE(window->job().modified);
}

TEST_F(MainWindowWithLayouts, DeleteAsksTooAndCancelKeepsTheFile)
{
    const std::string a = writeRectangle("a.shp", 10, 10);
    window->job().sheets.setText(1, 1, a);
    window->job().sheets.ensureEntryRow();
    window->refreshGrids();
    dialogs.answers.push_back(DialogService::Answer::Cancel);
    grid(SheetGrid).setCurrentCell(1, 1);
    QTest::keyClick(&grid(SheetGrid), Qt::Key_Delete);
    EXPECT_EQ(dialogs.questionTexts(), std::vector<std::string>{"You are about to change data, Continue?"});
    EXPECT_EQ(window->job().sheets.text(1, 1), a);
    EXPECT_TRUE(window->job().hasLayouts());
}

TEST_F(MainWindowJob, NewAsksToSaveAModifiedJobAndEmptiesEverything)
{
    enterFiles(SheetGrid, {writeRectangle("a.shp", 100, 50)});
    typeInto(BasicGrid, 1, "Mat", "ms");
    writeFile("section.tlf", "x");
    int saves = 0;
    window->saveAs = [&] { ++saves; return true; };
    dialogs.answers.push_back(DialogService::Answer::No);
    window->newAction()->trigger();

    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(dialogs.questions[0].text, "Save changes in current file?");
    EXPECT_EQ(dialogs.questions[0].title, "Attention !");
    EXPECT_EQ(dialogs.questions[0].buttons, DialogService::Buttons::YesNo);
    EXPECT_EQ(dialogs.questions[0].icon, DialogService::Icon::Question);
    EXPECT_EQ(saves, 0);
    EXPECT_EQ(window->job().basic.text(1, 1), "");
    EXPECT_EQ(window->job().sheets.rows(), 2);
    EXPECT_EQ(grid(SheetGrid).model()->rowCount(), 1);
    EXPECT_EQ(grid(BasicGrid).model()->index(0, 0).data().toString(), "");
    EXPECT_TRUE(preview(SheetGrid).toolTip().isEmpty());
    EXPECT_EQ(inkedPixels(preview(SheetGrid).surface().image()), 0);
    EXPECT_FALSE(exists("section.tlf"));
    EXPECT_FALSE(window->job().modified);
    EXPECT_EQ(window->windowTitle(), "Dravenor");
    EXPECT_EQ(window->job().basic.row, 1);
    EXPECT_EQ(window->job().basic.col, 1);
}

TEST_F(MainWindowJob, YesSavesFirstWhenSavingIsAvailable)
{
    typeInto(BasicGrid, 1, "Mat", "x");
    std::string savedMat;
    window->saveAs = [&] { savedMat = window->job().basic.text(1, 1); return true; };
    dialogs.answers.push_back(DialogService::Answer::Yes);
    window->newJob();
    EXPECT_EQ(savedMat, "X");
    EXPECT_EQ(window->job().basic.text(1, 1), "");

    // Without a save command Yes still goes on to the new job.
    typeInto(BasicGrid, 1, "Mat", "y");
    window->saveAs = nullptr;
    dialogs.answers.push_back(DialogService::Answer::Yes);
    window->newJob();
    EXPECT_EQ(window->job().basic.text(1, 1), "");
    EXPECT_EQ(dialogs.questions.size(), 2u);
}

TEST_F(MainWindowJob, AnUnmodifiedJobIsNotQuestioned)
{
    window->newJob();
    window->close();
    EXPECT_TRUE(dialogs.questions.empty());
}

TEST_F(MainWindowJob, ClosingAModifiedJobAsksToSave)
{
    typeInto(PartGrid, 1, "Qty", "12");
    dialogs.answers.push_back(DialogService::Answer::No);
    window->show();
    EXPECT_TRUE(window->close());
    EXPECT_EQ(dialogs.questionTexts(), std::vector<std::string>{"Save changes in current file?"});
}

TEST_F(MainWindowJob, MenusCarryTheirCommands)
{
    EXPECT_EQ(menuTexts(*window, "&File"), (QStringList{"&New", "-", "E&xit"}));
    EXPECT_EQ(menuTexts(*window, "&Edit"),
              (QStringList{"&Basic Details", "&Sheet Specifications", "&Part Specifications"}));
    EXPECT_EQ(menuTexts(*window, "&Help"), (QStringList{"&Dravenor for Quilvane Help", "-", "Brief &Tour", "-",
                                                        "&About Dravenor for Quilvane"}));
    EXPECT_EQ(window->helpAction()->shortcut(), QKeySequence(Qt::Key_F1));

    findAction(*window, "&Help", "&Dravenor for Quilvane Help")->trigger();
    findAction(*window, "&Help", "Brief &Tour")->trigger();
    EXPECT_EQ(dialogs.helpPages, (std::vector<std::string>{"index.html", "tour.html"}));
}

TEST_F(MainWindowJob, EditMenuMovesTheFocusToAGrid)
{
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    findAction(*window, "&Edit", "&Part Specifications")->trigger();
    EXPECT_TRUE(grid(PartGrid).hasFocus());
    findAction(*window, "&Edit", "&Sheet Specifications")->trigger();
    EXPECT_TRUE(grid(SheetGrid).hasFocus());
    findAction(*window, "&Edit", "&Basic Details")->trigger();
    EXPECT_TRUE(grid(BasicGrid).hasFocus());
}

} // namespace
} // namespace dravenor::testing
