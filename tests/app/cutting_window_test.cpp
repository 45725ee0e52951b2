// The cutting side of the main window: NC export refused with a message naming the material and
// thickness, programs named after the job and the files written named when done, and the cut
// plan drawn over the layout view when "Show Cut Plan" is ticked (the cut table window is tested
// with the density window, its twin).
#include <QCheckBox>
#include <QDir>

#include "cutting/nc_export.h"
#include "main_window_fixture.h"
#include "support/temp_folder.h"
#include "support/text_match.h"

namespace dravenor::testing {
namespace {

TEST_F(MainWindowTest, NcExportNeedsTheCutTableRowSaysWhereItWroteAndTheCutPlanDrawsOverTheLayout)
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

    // A job not saved yet proposes layout-1.nc; the closing message names the folder and the file.
    const std::string single = folder.filePath("single/first.nc").toStdString();
    ASSERT_TRUE(QDir(folder.path()).mkpath("single"));
    dialogs.saveFiles.push_back(single);
    window->exportNcProgram();
    EXPECT_EQ(dialogs.suggestedName, "layout-1.nc");
    EXPECT_EQ(dialogs.questions.back().text,
              "NC program written to " + folder.filePath("single").toStdString() + ":\nfirst.nc");
    const std::string text = TempFolder::read(single);
    EXPECT_TRUE(contains(text, "(cut 1: part 1 plate.shp, outline)\r\nG0 X")) << text.substr(0, 400);
    // The layout keeps a remnant: the program parts it off last.
    EXPECT_TRUE(contains(text, ": remnant cut, keeps remnant 194 x 1000)\r\nG0 X") && contains(text, "\r\nM2\r\n"))
        << text.substr(text.size() - 300);

    // A saved job names its programs: beside the job, and every layout's in the folder chosen.
    dialogs.saveFiles.push_back(folder.filePath("plates.nst").toStdString());
    ASSERT_TRUE(window->saveJobAs());
    dialogs.saveFiles.push_back("");
    window->exportNcProgram();
    EXPECT_EQ(dialogs.suggestedName, folder.filePath("plates-layout-1.nc").toStdString());
    const std::string out = folder.filePath("programs").toStdString();
    ASSERT_TRUE(QDir(folder.path()).mkpath("programs"));
    dialogs.folders.push_back(out);
    window->exportAllNcPrograms();
    const std::vector<int> layouts = cutting::layoutNumbers(window->job().nesting);
    ASSERT_FALSE(layouts.empty());
    const std::string told = dialogs.questions.back().text;
    EXPECT_TRUE(contains(told, " written to " + out + ":")) << told;
    for (int layoutNo : layouts) {
        const std::string name = "plates-layout-" + std::to_string(layoutNo) + ".nc";
        EXPECT_TRUE(contains(told, "\n" + name)) << told;
        EXPECT_TRUE(contains(TempFolder::read(out + "/" + name), "(job: plates.nst)")) << name;
    }
    EXPECT_EQ(dialogs.questions.back().icon, DialogService::Icon::Information);
}

// Kerf 2,5 typed, the cut table cuts S235 7 with 4: the run nests at 4, says so, and its layout
// can be cut.
TEST_F(MainWindowTest, TheCutTablesKerfRulesTheRunSoItsLayoutsCanBeCut)
{
    write("cutting.dat", "\"S235\",\"7\",\"4\",\"2000\",\"0.5\",\"5\",\"2\",\"1\"\r\n");
    write("post.cfg", "comments = parentheses\r\n");
    typeInto(BasicGrid, "Mat", "S235");
    typeInto(BasicGrid, "Thick", "7");
    enterJob("1", "4", "2,5");
    optimise();
    ASSERT_FALSE(listed().empty());
    EXPECT_EQ(std::pair(window->job().basic.text(1, window->job().basic.columnOf("Kerf")), window->job().nesting.details.Kerf),
              std::pair(std::string("4"), 4.0));
    EXPECT_TRUE(contains(progressNotes, "Kerf 4 from the cut table cutting.dat for S235 7 (2.5 entered)")) << progressNotes;
    const cutting::NcSetup setup = cutting::ncSetup(window->job().nesting, "", folder.filePath("cutting.dat").toStdString(),
                                                    folder.filePath("post.cfg").toStdString());
    ASSERT_TRUE(setup.ok()) << setup.error;
    const cutting::CutPlanResult plan = cutting::planLayoutCut(window->job().nesting, 1, setup.cut);
    EXPECT_TRUE(plan.plan) << plan.error;
}

} // namespace
} // namespace dravenor::testing
