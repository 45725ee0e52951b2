// Job files from the main window: Save As and Open give back the same job, layouts and report;
// a damaged file changes nothing; the line width is kept in print.cfg.
#include <QComboBox>
#include <QDir>
#include <clocale>
#include <locale>
#include <QPushButton>

#include "app/layout_panel.h"
#include "app/main_window_fixture.h"
#include "app/progress_window.h"
#include "job/density_table.h"
#include "job/job_file.h"
#include "layouts/moved_shape_files.h"
#include "layouts/report.h"

namespace dravenor::testing {
namespace {

class MainWindowFiles : public MainWindowTest {
protected:
    // The shape files go to `shapes` of the working folder ("" or "sub/folder/").
    void optimiseAJob(const QString& shapes = "", const char* kerf = "3")
    {
        typeInto(BasicGrid, "Mat", "S235");
        typeInto(BasicGrid, "Thick", "10");
        typeInto(BasicGrid, "Kerf", kerf);
        // A wide sheet is nested turned: its layouts must come back from the file the same.
        enterFiles(SheetGrid, {writeRectangle(shapes + "sheet.shp", 1000, 500)});
        typeInto(SheetGrid, "Qty", "3");
        enterFiles(PartGrid, {writeRectangle(shapes + "plate.shp", 300, 200)});
        typeInto(PartGrid, "Qty", "7");
        window->beforeProgressShown = [](ProgressWindow& progress) {
            QObject::connect(&progress, &ProgressWindow::finishedRun, &progress, [&progress] { progress.button()->click(); });
        };
        window->startOptimisation();
        ASSERT_TRUE(window->job().hasLayouts());
    }
    std::string report() { return reportText(window->job(), DensityTable{}); }
    std::vector<std::string> layoutLines()
    {
        std::vector<std::string> lines;
        for (int i = 0; i < window->layoutPanel()->layoutList()->count(); ++i)
            lines.push_back(window->layoutPanel()->layoutList()->itemText(i).toStdString());
        return lines;
    }
};

TEST_F(MainWindowFiles, ASavedJobOpensWithTheSameLayoutsAndTheSameReport)
{
    optimiseAJob();
    const std::string path = folder.filePath("job.nst").toStdString();
    dialogs.saveFiles.push_back(path);
    ASSERT_TRUE(window->saveJobAs());
    EXPECT_FALSE(window->job().modified);
    EXPECT_EQ(window->windowTitle().toStdString(), "Dravenor - " + path);
    const std::string reportBefore = report();
    const std::vector<std::string> linesBefore = layoutLines();
    const Job before = window->job();

    window->newJob();
    EXPECT_FALSE(window->job().hasLayouts());
    dialogs.openFiles.push_back(path);
    window->openJobWithDialog();

    EXPECT_EQ(window->job().jobFileName, path);
    EXPECT_EQ(layoutLines(), linesBefore);
    EXPECT_EQ(report(), reportBefore);
    EXPECT_EQ(window->job().nesting.items.size(), before.nesting.items.size());
    ASSERT_EQ(window->job().nesting.entities.size(), before.nesting.entities.size());
    for (size_t i = 0; i < before.nesting.entities.size(); ++i) {
        const LayoutEntity& a = before.nesting.entities[i];
        const LayoutEntity& b = window->job().nesting.entities[i];
        if (a.RAD != 0) continue;
        EXPECT_NEAR(a.X1, b.X1, 1e-6) << i;
        EXPECT_NEAR(a.Y1, b.Y1, 1e-6) << i;
        EXPECT_NEAR(a.X2, b.X2, 1e-6) << i;
        EXPECT_NEAR(a.Y2, b.Y2, 1e-6) << i;
    }
    for (int g : {BasicGrid, SheetGrid, PartGrid})
        for (int r = 1; r < before.grid(g).rows(); ++r)
            for (int c = 1; c < before.grid(g).cols(); ++c)
                EXPECT_EQ(window->job().grid(g).text(r, c), before.grid(g).text(r, c)) << g << ":" << r << ":" << c;
    EXPECT_FALSE(window->job().modified);
}

TEST_F(MainWindowFiles, AMovedJobFolderOpensWithItsLayoutsAndSaysWhereTheShapesWere)
{
    ASSERT_TRUE(QDir(folder.path()).mkpath("old/parts"));
    optimiseAJob("old/parts/");
    dialogs.saveFiles.push_back(folder.filePath("old/job.nst").toStdString());
    ASSERT_TRUE(window->saveJobAs());
    const std::vector<std::string> linesBefore = layoutLines();
    const size_t items = window->job().nesting.items.size();
    ASSERT_TRUE(QDir(folder.path()).rename("old", "new"));
    const std::string moved = folder.filePath("new/job.nst").toStdString();

    window->newJob();
    dialogs.questions.clear();
    ASSERT_TRUE(window->openJobFile(moved));
    EXPECT_EQ(layoutLines(), linesBefore);
    ASSERT_EQ(dialogs.questions.size(), 1u) << "one warning and no 'no layout' notice";
    EXPECT_NE(dialogs.questions[0].text.find("found beside the job file, in " + folder.filePath("new").toStdString()),
              std::string::npos) << dialogs.questions[0].text;
    EXPECT_EQ(window->job().parts.text(1, 1), folder.filePath("new/parts/plate.shp").toStdString());
    EXPECT_TRUE(window->job().modified);

    ASSERT_TRUE(QDir(folder.filePath("new/parts")).removeRecursively());
    dialogs.answers.push_back(DialogService::Answer::No); // do not save the changed places
    window->newJob();
    dialogs.questions.clear();
    ASSERT_TRUE(window->openJobFile(moved));
    ASSERT_EQ(dialogs.questions.size(), 1u) << "one warning and no 'no layout' notice";
    EXPECT_NE(dialogs.questions[0].text.find(kLayoutsLackShapesNotice), std::string::npos) << dialogs.questions[0].text;
    EXPECT_EQ(window->job().nesting.items.size(), items);
}

TEST_F(MainWindowFiles, UnderADecimalCommaAKerfOf2Point5RunsAndIsSavedAs2Point5)
{
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "de_DE.UTF-8 is not installed (scripts/setup.sh makes it)";
    std::locale::global(std::locale("de_DE.UTF-8"));
    optimiseAJob("", "2.5");
    const std::string path = folder.filePath("comma.nst").toStdString();
    dialogs.saveFiles.push_back(path);
    const bool saved = window->saveJobAs();
    std::setlocale(LC_ALL, "C");
    std::locale::global(std::locale::classic());
    ASSERT_TRUE(saved);
    EXPECT_EQ(window->job().nesting.details.Kerf, 2.5);
    Job reread;
    ASSERT_TRUE(readJobFile(path, "", reread).ok());
    EXPECT_EQ(readBasicDetails(reread.basic).Kerf, 2.5);
}

TEST_F(MainWindowFiles, ADamagedJobFileSaysWhatIsWrongAndLeavesTheJobAlone)
{
    const std::string path = folder.filePath("broken.nst").toStdString();
    {
        QFile file(QString::fromStdString(path));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[BASIC.TLF]\r\n\"S235\"\r\n");
    }
    EXPECT_FALSE(window->openJobFile(path));
    EXPECT_EQ(dialogs.questions.back().icon, DialogService::Icon::Exclamation);
    EXPECT_NE(dialogs.questions.back().text.find("broken.nst"), std::string::npos);
    EXPECT_TRUE(window->job().jobFileName.empty());
}

TEST_F(MainWindowFiles, SaveWithoutANameAsksForOneAndCancelSavesNothing)
{
    typeInto(BasicGrid, "Mat", "S235");
    EXPECT_FALSE(window->saveJobFile());
    EXPECT_EQ(dialogs.fileDialogTitles, std::vector<std::string>{"Save As"});
    EXPECT_TRUE(window->job().modified);
}

TEST_F(MainWindowFiles, TheReportNeedsLayouts)
{
    window->showReport();
    EXPECT_EQ(dialogs.questionTexts().back(), "This File does not contain any Layout");
}

TEST_F(MainWindowFiles, TheLineWidthIsKeptInPrintCfg)
{
    EXPECT_TRUE(window->lineWidthAction(1)->isChecked());
    window->lineWidthAction(3)->trigger();
    EXPECT_TRUE(window->lineWidthAction(3)->isChecked());
    EXPECT_FALSE(window->lineWidthAction(1)->isChecked());
    QFile cfg(folder.filePath("print.cfg"));
    ASSERT_TRUE(cfg.open(QIODevice::ReadOnly));
    EXPECT_EQ(cfg.readAll().toStdString(), "3\r\n");
    MainWindow again(dialogs, folder.path());
    EXPECT_TRUE(again.lineWidthAction(3)->isChecked());
}

} // namespace
} // namespace dravenor::testing
