// Files from the main window: Save As and Open give back the same job and layouts; the
// selected layout saved as a DXF drawing or a shape file; commands without a name or layouts say
// why.
#include <QCheckBox>
#include <filesystem>

#include "app/main_window_fixture.h"
#include "layouts/layout_export.h"
#include "support/temp_folder.h"

namespace dravenor::testing {
namespace {

using MainWindowFiles = MainWindowTest;

TEST_F(MainWindowFiles, ASavedJobOpensWithTheSameLayoutsWhichSaveAsDrawingsOrShapeFiles)
{
    typeInto(BasicGrid, "Mat", "S235");
    enterJob("3", "7"); // a wide sheet is nested turned: its layouts must come back the same
    optimise();
    panel().saveDxfButton()->click();
    EXPECT_EQ(dialogs.questionTexts().back(), "Save current file first");
    const std::string path = folder.filePath("job.nst").toStdString();
    dialogs.saveFiles.push_back(path);
    ASSERT_TRUE(window->saveJobAs());
    EXPECT_FALSE(window->job().modified);
    EXPECT_EQ(window->windowTitle().toStdString(), "Dravenor - " + path);
    const std::vector<std::string> linesBefore = listed();
    window->newJob();
    ASSERT_TRUE(listed().empty());
    dialogs.openFiles.push_back(path);
    window->openJobWithDialog();
    EXPECT_EQ(window->job().jobFileName, path);
    EXPECT_EQ(listed(), linesBefore);
    EXPECT_EQ(grid(PartGrid).model()->index(0, 1).data().toString(), "7"); // the part Qty shown
    EXPECT_FALSE(window->job().modified);

    // The second layout as a drawing beside the job, part names a hundredth of the view high.
    for (const char* name : {kDxfHeaderName, kDxfFooterName})
        ASSERT_TRUE(QFile::copy(QStringLiteral(DRAVENOR_RESOURCE_DIR "/") + name, folder.filePath(name)));
    ASSERT_EQ(listed().size(), 2u);
    panel().selectLayout(1);
    panel().showNamesBox()->setChecked(true);
    const std::string drawing = folder.filePath("second.dxf").toStdString();
    dialogs.saveFiles.push_back(drawing);
    const size_t questions = dialogs.questions.size();
    panel().saveDxfButton()->click();
    EXPECT_EQ(dialogs.fileDialogTitles.back(), "Save this layout as DXF...");
    EXPECT_NE(dialogs.saveFilter.find("(*.dxf)"), std::string::npos);
    EXPECT_NE(dialogs.saveFilter.find("(*.shp)"), std::string::npos);
    EXPECT_EQ(dialogs.suggestedName, folder.filePath("job-2-2  [QTY 1]").toStdString());
    const double viewHeight = panel().visibleHeight();
    EXPECT_GT(viewHeight, 1000) << "the fitted view shows the whole turned sheet";
    EXPECT_LT(viewHeight, 1500);
    DxfTemplates templates;
    ASSERT_EQ(readDxfTemplates(folder.path().toStdString(), templates), "");
    EXPECT_EQ(TempFolder::read(drawing), layoutDxfDrawing(window->job().nesting, 2, templates, {true, viewHeight / 100}).text);
    // The first as a shape file; a cancelled dialog writes nothing.
    panel().selectLayout(0);
    panel().saveDxfButton()->click();
    const std::string shapeFile = folder.filePath("first.shp").toStdString();
    dialogs.saveFiles.push_back(shapeFile);
    panel().saveDxfButton()->click();
    EXPECT_EQ(TempFolder::read(shapeFile), layoutShapeFileText(window->job().nesting, 1));
    EXPECT_EQ(dialogs.questions.size(), questions);
    // A part file gone: named, and nothing written.
    const std::string part = window->job().nesting.items.front().Name;
    std::filesystem::remove(part);
    dialogs.saveFiles.push_back(folder.filePath("broken.dxf").toStdString());
    panel().saveDxfButton()->click();
    EXPECT_EQ(dialogs.questions.back().icon, DialogService::Icon::Exclamation);
    EXPECT_NE(dialogs.questions.back().text.find(part), std::string::npos) << dialogs.questions.back().text;
    EXPECT_FALSE(exists("broken.dxf"));
}

TEST_F(MainWindowFiles, CommandsWithoutAFileNameOrLayoutsSayWhyAndChangeNothing)
{
    const std::string path = folder.filePath("broken.nst").toStdString();
    QFile broken(QString::fromStdString(path));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("[BASIC.TLF]\r\n\"S235\"\r\n");
    broken.close();
    EXPECT_FALSE(window->openJobFile(path));
    EXPECT_EQ(dialogs.questions.back().icon, DialogService::Icon::Exclamation);
    EXPECT_NE(dialogs.questions.back().text.find("broken.nst"), std::string::npos);
    EXPECT_TRUE(window->job().jobFileName.empty());
    window->showReport();
    EXPECT_EQ(dialogs.questionTexts().back(), "This File does not contain any Layout");
    panel().saveDxfButton()->click();
    EXPECT_EQ(dialogs.questionTexts().back(), "No layout to save as DXF !");
    EXPECT_EQ(dialogs.questions.back().icon, DialogService::Icon::Information);
    EXPECT_TRUE(dialogs.fileDialogTitles.empty());

    typeInto(BasicGrid, "Mat", "S235");
    EXPECT_FALSE(window->saveJobFile()); // Save without a name asks for one; Cancel saves nothing
    EXPECT_EQ(dialogs.fileDialogTitles, std::vector<std::string>{"Save As"});
    EXPECT_TRUE(window->job().modified);
}

} // namespace
} // namespace dravenor::testing
