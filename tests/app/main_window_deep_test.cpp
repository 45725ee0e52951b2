// Deep Nesting from the main window: its item among the nesting modes, the settings dialog with
// its messages, and a run whose progress window shows the best result and whose layouts are
// listed; Stop at once still leaves valid layouts.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include "app/deep_progress_window.h"
#include "app/deep_settings_dialog.h"
#include "app/layout_panel.h"
#include "app/main_window_fixture.h"
#include "layouts/checked_optimisation.h"
#include "support/text_match.h"

namespace dravenor::testing {
namespace {

class MainWindowDeep : public MainWindowTest {
protected:
    // Fills the settings dialog in turn with each triple (spacing, margin, time limit) and
    // presses OK, then Cancel if it is still open.
    void editSettings(std::vector<std::array<const char*, 3>> entries)
    {
        window->beforeDeepSettingsShown = [entries](DeepSettingsDialog& dialog) {
            QTimer::singleShot(0, &dialog, [&dialog, entries] {
                for (const auto& [spacing, margin, time] : entries) {
                    if (!dialog.isVisible()) return;
                    dialog.spacingEdit()->setText(spacing);
                    dialog.marginEdit()->setText(margin);
                    dialog.timeLimitEdit()->setText(time);
                    dialog.accept();
                }
                if (dialog.isVisible()) dialog.reject();
            });
        };
        window->deepSettingsAction()->trigger();
    }

    // Runs in Deep mode, stopping at once or when the first result is drawn, and presses OK.
    void runDeep(bool stopAtOnce)
    {
        window->beforeDeepProgressShown = [this, stopAtOnce](DeepProgressWindow& progress) {
            if (stopAtOnce) progress.requestStop();
            QObject::connect(&progress, &DeepProgressWindow::bestShown, &progress, [&progress, this] {
                drawnDuringRun = std::max(drawnDuringRun, inkedPixels(progress.canvas()->surface().image()));
                progress.requestStop();
            });
            QObject::connect(&progress, &DeepProgressWindow::finishedRun, &progress, [this, &progress] {
                status = progress.statusLabel()->text().toStdString();
                best = progress.bestLabel()->text().toStdString();
                progress.button()->click();
            });
        };
        window->startOptimisation();
    }

    int drawnDuringRun = 0;
    std::string status, best;
};

TEST_F(MainWindowDeep, TheFourthModeItemChoosesDeepNestingWhoseDialogNamesABadValueAndKeepsTheGoodOnes)
{
    window->modeAction(3)->trigger();
    EXPECT_EQ(window->job().mode, NestingMode::Deep);
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(window->modeAction(i)->isChecked()) << i;
    typeInto(BasicGrid, "Kerf", "3");
    editSettings({{"-2", "0", "10"}, {"2.5", "1", "30"}});
    EXPECT_EQ(dialogs.questionTexts(),
              std::vector<std::string>{"Spacing '-2': the spacing must be a number from 0 up (empty: the kerf)."});
    EXPECT_EQ(window->job().deep, (DeepSettings{.spacing = 2.5, .margin = 1, .timeLimit = 30}));
    EXPECT_TRUE(window->job().modified);
    // Cancel keeps what was there; an empty spacing goes back to the kerf.
    editSettings({{"", "0", "-1"}});
    EXPECT_EQ(window->job().deep.timeLimit, 30);
    editSettings({{"", "0", "60"}});
    EXPECT_EQ(window->job().deep, DeepSettings{});
}

TEST_F(MainWindowDeep, ARunDrawsItsBestResultAndListsItsLayoutsAndStopAtOnceLeavesValidOnes)
{
    enterJob("3", "6");
    window->modeAction(3)->trigger();
    editSettings({{"", "2", "20"}});
    runDeep(false);
    EXPECT_TRUE(contains(status, "Optimization Done#")) << status;
    EXPECT_TRUE(contains(best, "parts placed")) << best;
    EXPECT_TRUE(contains(best, "sheet (at least 1 needed)")) << best;
    EXPECT_GT(drawnDuringRun, 300);
    ASSERT_GT(window->layoutPanel()->layoutList()->count(), 0);
    EXPECT_GT(inkedPixels(window->layoutPanel()->canvas()->surface().image()), 300);
    EXPECT_TRUE(checkLayouts(window->job().nesting, kEngineLayoutTolerance, {3, 2}).empty());
    EXPECT_EQ(window->job().basic.text(1, window->job().basic.columnOf("ActKerf")), "3");

    status.clear();
    runDeep(true);
    EXPECT_FALSE(status.empty());
    EXPECT_TRUE(checkLayouts(window->job().nesting, kEngineLayoutTolerance, {3, 2}).empty());
    // Settings no run can use never start one.
    window->job().deep.timeLimit = 0;
    status.clear();
    dialogs.questions.clear();
    runDeep(false);
    EXPECT_EQ(status, "");
    EXPECT_EQ(dialogs.questionTexts(), std::vector<std::string>{"The time limit must be a number of seconds above 0"});
}

} // namespace
} // namespace dravenor::testing
