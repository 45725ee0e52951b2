// Job files from the main window: Save As and Open give back the same job, layouts and report;
// a damaged file changes nothing; the line width is kept in print.cfg.
#include <QComboBox>
#include <QPushButton>

#include "app/layout_panel.h"
#include "app/main_window_fixture.h"
#include "app/progress_window.h"
#include "job/density_table.h"
#include "layouts/report.h"

namespace dravenor::testing {
namespace {

class MainWindowFiles : public MainWindowTest {
protected:
    void optimiseAJob()
    {
        typeInto(BasicGrid, "Mat", "S235");
        typeInto(BasicGrid, "Thick", "10");
        typeInto(BasicGrid, "Kerf", "3");
        // A wide sheet is nested turned: its layouts must come back from the file the same.
        enterFiles(SheetGrid, {writeRectangle("sheet.shp", 1000, 500)});
        typeInto(SheetGrid, "Qty", "3");
        enterFiles(PartGrid, {writeRectangle("plate.shp", 300, 200)});
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
