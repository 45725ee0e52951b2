// Deep Nesting from the main window: its item among the nesting modes, the settings dialog with
// its messages, and a run whose progress window shows the best result and whose layouts are
// listed; Stop at once still leaves valid layouts.
#include <QLineEdit>
#include <QSpinBox>
#include <QTimer>

#include "app/deep_progress_window.h"
#include "app/deep_settings_dialog.h"
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
                const QImage& image = progress.canvas()->surface().image();
                drawnDuringRun = std::max(drawnDuringRun, inkedPixels(image));
                const QRect ink = inkedBox(image);
                filled = std::max(filled, std::max(double(ink.width()) / image.width(), double(ink.height()) / image.height()));
                progress.requestStop();
            });
            QObject::connect(&progress, &DeepProgressWindow::finishedRun, &progress, [this, &progress] {
                status = progress.statusLabel()->text().toStdString();
                best = progress.bestLabel()->text().toStdString();
                gain = progress.gainLabel()->text().toStdString();
                progress.button()->click();
            });
        };
        window->startOptimisation();
    }

    int drawnDuringRun = 0;
    double filled = 0; // the larger share of the drawing pane's width or height the sheet took
    std::string status, best, gain;
};

TEST_F(MainWindowDeep, TheFourthModeItemChoosesDeepNestingWhoseDialogNamesABadValueAndWhoseRunListsValidLayouts)
{
    window->modeAction(3)->trigger();
    EXPECT_EQ(window->job().mode, NestingMode::Deep);
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(window->modeAction(i)->isChecked()) << i;
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
    // The threads: every core unless a number is chosen.
    window->beforeDeepSettingsShown = [](DeepSettingsDialog& dialog) {
        QTimer::singleShot(0, &dialog, [&dialog] {
            EXPECT_EQ(dialog.threadsBox()->text(), "every core");
            dialog.threadsBox()->setValue(2);
            dialog.accept();
        });
    };
    window->deepSettingsAction()->trigger();
    EXPECT_EQ(window->job().deep.threads, 2);

    // A run draws its best result and lists its layouts; Stop at once still leaves valid ones.
    enterJob("3", "6");
    editSettings({{"", "2", "20"}});
    runDeep(false);
    EXPECT_TRUE(contains(status, "Optimization Done [")) << status;
    EXPECT_TRUE(contains(best, "parts placed") && contains(best, "sheet (fewest possible: 1)")) << best;
    EXPECT_GT(drawnDuringRun, 300);
    EXPECT_GT(filled, 0.9) << "the sheet fills the pane one way";
    // What the search can still gain (its wording is the progress text tests').
    EXPECT_TRUE(gain.starts_with("least used sheet: layout ") && gain.ends_with(" x 500")) << gain;
    ASSERT_GT(window->layoutPanel()->layoutList()->count(), 0);
    EXPECT_GT(inkedPixels(window->layoutPanel()->canvas()->surface().image()), 300);
    EXPECT_TRUE(checkLayouts(window->job().nesting, kEngineLayoutTolerance, {3, 2}).empty());
    EXPECT_EQ(window->job().basic.text(1, window->job().basic.columnOf("ActKerf")), "3");

    status.clear();
    dialogs.answers = {DialogService::Answer::Ok}; // the layouts of Deep Nesting go only by choice
    runDeep(true);
    EXPECT_FALSE(status.empty());
    EXPECT_TRUE(checkLayouts(window->job().nesting, kEngineLayoutTolerance, {3, 2}).empty());
    // Settings no run can use never start one.
    window->job().deep.timeLimit = 0;
    status.clear();
    dialogs.questions.clear();
    dialogs.answers = {DialogService::Answer::Ok};
    runDeep(false);
    EXPECT_EQ(std::pair(status, dialogs.questionTexts().back()), std::pair(std::string(), std::string("The time limit must be a number of seconds above 0")));
}

} // namespace
} // namespace dravenor::testing
