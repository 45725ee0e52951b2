// The part rules in the main window: Optimize > Parts Inside Holes, kept with the job, and the
// part grid's Orn and Mirror columns with the hints their headers give.
#include "app/main_window_fixture.h"
#include "support/text_match.h"

namespace dravenor::testing {
namespace {

using MainWindowPartRules = MainWindowTest;

TEST_F(MainWindowPartRules, PartsInsideHolesIsAJobSwitchSavedWithTheJobAndOnForANewOne)
{
    QAction* holes = window->partsInHolesAction();
    ASSERT_TRUE(holes->isCheckable());
    EXPECT_TRUE(holes->isChecked());
    holes->trigger();
    EXPECT_FALSE(holes->isChecked());
    EXPECT_TRUE(!window->job().nesting.partsInHoles && window->job().modified);
    // Kept with the job (the files test saves and opens it off); a new job has it on.
    dialogs.answers = {DialogService::Answer::No};
    ASSERT_TRUE(window->newJob());
    EXPECT_TRUE(holes->isChecked() && window->job().nesting.partsInHoles);
}

TEST_F(MainWindowPartRules, TheOrnAndMirrorCellsStepByAnyKeyAndTheirHeadersSaySo)
{
    typeInto(PartGrid, "Orn", "abcd");
    typeInto(PartGrid, "Mirror", "y");
    const Job& job = window->job();
    EXPECT_EQ(job.parts.text(1, job.parts.columnOf("Orn")), "");
    EXPECT_EQ(job.parts.text(1, job.parts.columnOf("Mirror")), "Yes");
    QAbstractItemModel* model = grid(PartGrid).model();
    const std::string orn = model->headerData(3, Qt::Horizontal, Qt::ToolTipRole).toString().toStdString();
    const std::string mirror = model->headerData(4, Qt::Horizontal, Qt::ToolTipRole).toString().toStdString();
    EXPECT_EQ(model->headerData(4, Qt::Horizontal, Qt::DisplayRole).toString(), "Mirror");
    EXPECT_TRUE(contains(orn, "step180")) << orn;
    EXPECT_TRUE(contains(mirror, "classic modes never mirror")) << mirror;
}

} // namespace
} // namespace dravenor::testing
