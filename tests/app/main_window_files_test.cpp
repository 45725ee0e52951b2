// Files from the main window: Save As and Open give back the same job and layouts; the
// selected layout saved as a DXF drawing or a shape file, every layout as drawings read back with
// ezdxf; commands without a name or layouts say why.
#include <QCheckBox>
#include <QDir>
#include <filesystem>

#include "app/main_window_fixture.h"
#include "layouts/layout_export.h"
#include "layouts/remnant_marks.h"
#include "support/pdf_pages.h"
#include "support/temp_folder.h"
#include "support/text_match.h"

namespace dravenor::testing {
namespace {

using MainWindowFiles = MainWindowTest;

TEST_F(MainWindowFiles, ASavedJobOpensWithTheSameLayoutsWhichSaveAsDrawingsShapeFilesOrAllInOneStep)
{
    window->partsInHolesAction()->trigger(); // off: a job setting, saved with it
    window->commonLinesAction()->trigger();  // on: likewise
    EXPECT_TRUE(window->job().modified && !window->job().nesting.partsInHoles && window->job().nesting.commonLines);
    typeInto(BasicGrid, "Mat", "S235");
    enterJob("3", "7"); // a wide sheet is nested turned: its layouts must come back the same
    optimise();
    panel().saveDxfButton()->click();
    EXPECT_EQ(dialogs.questionTexts().back(), "Save current file first");
    window->saveAllLayoutsAsDxf();
    EXPECT_EQ(dialogs.questionTexts().back(), "Save current file first");
    const std::string path = folder.filePath("job.nst").toStdString();
    dialogs.saveFiles.push_back(path);
    ASSERT_TRUE(window->saveJobAs());
    EXPECT_EQ(std::pair(window->job().modified, window->windowTitle().toStdString()), std::pair(false, "Dravenor - " + path));
    const std::vector<std::string> linesBefore = listed();
    window->newJob();
    ASSERT_TRUE(listed().empty() && window->partsInHolesAction()->isChecked() && window->job().nesting.partsInHoles &&
                !window->commonLinesAction()->isChecked());
    dialogs.openFiles.push_back(path);
    window->openJobWithDialog();
    EXPECT_EQ(std::tuple(window->job().jobFileName, listed(), window->job().modified), std::tuple(path, linesBefore, false));
    EXPECT_FALSE(window->partsInHolesAction()->isChecked() || window->job().nesting.partsInHoles);
    EXPECT_TRUE(window->commonLinesAction()->isChecked() && window->job().nesting.commonLines);
    EXPECT_EQ(grid(PartGrid).model()->index(0, 1).data().toString(), "7"); // the part Qty shown

    // The second layout as a drawing beside the job, part names a hundredth of the view high.
    copyDxfTemplates();
    ASSERT_EQ(listed().size(), 2u);
    panel().selectLayout(1);
    panel().showNamesBox()->setChecked(true);
    const std::string drawing = folder.filePath("second.dxf").toStdString();
    dialogs.saveFiles.push_back(drawing);
    const size_t questions = dialogs.questions.size();
    panel().saveDxfButton()->click();
    EXPECT_TRUE(contains(dialogs.saveFilter, "(*.dxf)") && contains(dialogs.saveFilter, "(*.shp)")) << dialogs.saveFilter;
    EXPECT_EQ(dialogs.suggestedName, folder.filePath("job-2-2  [QTY 1]").toStdString());
    const double viewHeight = panel().visibleHeight();
    EXPECT_TRUE(viewHeight > 1000 && viewHeight < 1500) << viewHeight << ": the fitted view shows the whole turned sheet";
    DxfTemplates templates;
    ASSERT_EQ(readDxfTemplates(folder.path().toStdString(), templates), "");
    EXPECT_EQ(TempFolder::read(drawing), layoutDxfDrawing(window->job().nesting, 2, templates,
                                                                {true, viewHeight / 100, remnantMarksOf(window->job())})
                                                   .text);
    // The first as a shape file; a cancelled dialog writes nothing.
    panel().selectLayout(0);
    panel().saveDxfButton()->click();
    const std::string shapeFile = folder.filePath("first.shp").toStdString();
    dialogs.saveFiles.push_back(shapeFile);
    panel().saveDxfButton()->click();
    EXPECT_EQ(TempFolder::read(shapeFile), layoutShapeFileText(window->job().nesting, 1));
    EXPECT_EQ(dialogs.questions.size(), questions);

    // Every layout in one step; a cancelled folder dialog writes nothing and says nothing.
    panel().showNamesBox()->setChecked(false);
    window->saveAllLayoutsAsDxf();
    EXPECT_EQ(std::pair(dialogs.folderCaptions.back(), dialogs.questions.size()),
              std::pair(std::string("Save All Layouts as DXF into..."), questions));
    const std::string out = folder.filePath("drawings").toStdString() + "/";
    ASSERT_TRUE(QDir().mkpath(QString::fromStdString(out)));
    dialogs.folders.push_back(out);
    window->saveAllLayoutsAsDxf();
    EXPECT_EQ(dialogs.questionTexts().back(), "2 layout drawings written into " + out);
    // Read with ezdxf, a reader apart from ours: the parts and the sheet on their layers, and
    // the header naming millimetres.
    for (const std::string& line : listed()) {
        const std::string drawn = out + proposedLayoutFileName(window->job().jobFileName, line) + ".dxf";
        ASSERT_TRUE(QFile::exists(QString::fromStdString(drawn))) << drawn;
        const std::string read = commandOutput(
            "/usr/bin/python3 -c \"import ezdxf,sys; d=ezdxf.readfile(sys.argv[1]); "
            "print(sorted({e.dxf.layer for e in d.modelspace()}), d.header.get('\\$INSUNITS'))\" '" + drawn + "' 2>&1");
        EXPECT_EQ(read, "['PARTS', 'SHEET'] 4\n") << drawn;
    }
    // A part file gone: named, and nothing written.
    const std::string part = window->job().nesting.items.front().Name;
    std::filesystem::remove(part);
    dialogs.saveFiles.push_back(folder.filePath("broken.dxf").toStdString());
    panel().saveDxfButton()->click();
    EXPECT_EQ(dialogs.questions.back().icon, DialogService::Icon::Exclamation);
    EXPECT_TRUE(contains(dialogs.questions.back().text, part) && !exists("broken.dxf")) << dialogs.questions.back().text;
}

TEST_F(MainWindowFiles, CommandsWithoutAFileNameOrLayoutsSayWhyAndChangeNothing)
{
    EXPECT_FALSE(window->openJobFile(write("broken.nst", "[BASIC.TLF]\r\n\"S235\"\r\n")));
    EXPECT_EQ(dialogs.questions.back().icon, DialogService::Icon::Exclamation);
    EXPECT_TRUE(contains(dialogs.questions.back().text, "broken.nst") && window->job().jobFileName.empty());
    window->showReport();
    EXPECT_EQ(dialogs.questionTexts().back(), "This File does not contain any Layout");
    panel().saveDxfButton()->click();
    EXPECT_EQ(dialogs.questionTexts().back(), "No layout to save as DXF !");
    EXPECT_EQ(std::pair(dialogs.questions.back().icon, dialogs.fileDialogTitles.size()), std::pair(DialogService::Icon::Information, 0ul));
    window->saveAllLayoutsAsDxf();
    EXPECT_EQ(dialogs.questionTexts().back(), "No layout to save as DXF !");

    typeInto(BasicGrid, "Mat", "S235");
    EXPECT_FALSE(window->saveJobFile()); // Save without a name asks for one; Cancel saves nothing
    EXPECT_EQ(std::pair(dialogs.fileDialogTitles, window->job().modified), std::pair(std::vector<std::string>{"Save As"}, true));
}

} // namespace
} // namespace dravenor::testing
