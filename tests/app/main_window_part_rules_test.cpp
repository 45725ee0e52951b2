// The part rules in the main window: Optimize > Parts Inside Holes, kept with the job, and the
// hints the headers of the part grid's Orn and Mirror columns give.
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

// How the cells step with each key is the part-rule cell tests'; the headers say so.
TEST_F(MainWindowPartRules, TheOrnAndMirrorHeadersSayHowTheirCellsStep)
{
    QAbstractItemModel* model = grid(PartGrid).model();
    const std::string orn = model->headerData(3, Qt::Horizontal, Qt::ToolTipRole).toString().toStdString();
    const std::string mirror = model->headerData(4, Qt::Horizontal, Qt::ToolTipRole).toString().toStdString();
    EXPECT_EQ(model->headerData(4, Qt::Horizontal, Qt::DisplayRole).toString(), "Mirror");
    EXPECT_TRUE(contains(orn, "step180")) << orn;
    EXPECT_TRUE(contains(mirror, "classic modes never mirror")) << mirror;
}

} // namespace
} // namespace dravenor::testing
