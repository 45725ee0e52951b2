#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>

#include "app/layout_panel.h"
#include "app/main_window.h"
#include "layouts/layout_export.h"
#include "layouts/nested_job.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

using namespace dravenor;
using namespace dravenor::testing;

namespace {

// Scripted dialogs that also keep what the save dialog was given.
class SaveDialogRecorder : public ScriptedDialogs {
public:
    std::string filter, suggestedName;
    std::string saveFileName(const std::string& title, const std::string& f, const std::string& suggested) override
    {
        filter = f;
        suggestedName = suggested;
        return ScriptedDialogs::saveFileName(title, f, suggested);
    }
};

class SaveLayoutCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        for (const char* name : {kDxfHeaderName, kDxfFooterName})
            ASSERT_TRUE(QFile::copy(QStringLiteral(DRAVENOR_RESOURCE_DIR "/") + name, folder.filePath(name)));
        window = std::make_unique<MainWindow>(dialogs, folder.path());
    }

    // The nested job's layouts shown in the window, the job saved under jobs/plates.nst.
    void showLayouts(bool saved = true)
    {
        window->job().nesting = nested.state();
        if (saved) window->job().jobFileName = path("plates.nst");
        window->layoutPanel()->refill();
    }
    void clickSave() { window->layoutPanel()->saveDxfButton()->click(); }
    std::string path(const std::string& name) const { return folder.filePath(QString::fromStdString(name)).toStdString(); }
    std::string drawingOfLayout(int layoutNo, const LayoutDxfOptions& options) const
    {
        DxfTemplates templates;
        EXPECT_EQ(readDxfTemplates(folder.path().toStdString(), templates), "");
        return layoutDxfDrawing(window->job().nesting, layoutNo, templates, options).text;
    }

    NestedJob nested; // 300 x 300 sheets: several layouts
    QTemporaryDir folder;
    SaveDialogRecorder dialogs;
    std::unique_ptr<MainWindow> window;
};

} // namespace

TEST_F(SaveLayoutCommand, WithoutLayoutsOrFileNameItOnlyTellsWhy)
{
    clickSave();
    showLayouts(false);
    clickSave();
    ASSERT_EQ(dialogs.questions.size(), 2u);
    EXPECT_EQ(dialogs.questions[0].text, "No layout to save as DXF !");
    EXPECT_EQ(dialogs.questions[1].text, "Save current file first");
    for (const auto& q : dialogs.questions) EXPECT_EQ(q.icon, DialogService::Icon::Information);
    EXPECT_TRUE(dialogs.fileDialogTitles.empty());
}

TEST_F(SaveLayoutCommand, SavesTheSelectedLayoutWithNamesAsHighAsAHundredthOfTheView)
{
    showLayouts();
    LayoutPanel& panel = *window->layoutPanel();
    ASSERT_GE(panel.layoutList()->count(), 2);
    panel.selectLayout(1);
    panel.showNamesBox()->setChecked(true);
    const std::string target = path("second.dxf");
    dialogs.saveFiles.push_back(target);
    clickSave();

    EXPECT_TRUE(dialogs.questions.empty()) << dialogs.questions.front().text;
    ASSERT_EQ(dialogs.fileDialogTitles, std::vector<std::string>{"Save this layout as DXF..."});
    EXPECT_NE(dialogs.filter.find("(*.dxf)"), std::string::npos);
    EXPECT_NE(dialogs.filter.find("(*.shp)"), std::string::npos);
    std::string entry = panel.layoutList()->currentText().toStdString();
    std::replace(entry.begin(), entry.end(), '/', '-');
    EXPECT_EQ(dialogs.suggestedName, path("plates-" + entry));

    const double viewHeight = panel.visibleHeight();
    EXPECT_GT(viewHeight, 300) << "the fitted view shows the whole 300 x 300 sheet";
    EXPECT_LT(viewHeight, 400);
    EXPECT_EQ(TempFolder::read(target), drawingOfLayout(2, {true, viewHeight / 100}));
}

TEST_F(SaveLayoutCommand, AShapeFileNameSavesTheLayoutsEntities)
{
    showLayouts();
    const std::string target = path("first.shp");
    dialogs.saveFiles.push_back(target);
    clickSave();
    EXPECT_TRUE(dialogs.questions.empty());
    EXPECT_EQ(TempFolder::read(target), layoutShapeFileText(window->job().nesting, 1));
}

TEST_F(SaveLayoutCommand, CancelWritesNothingAndAMissingShapeIsReported)
{
    showLayouts();
    clickSave(); // cancelled: no name queued
    EXPECT_TRUE(dialogs.questions.empty());

    const std::string part = window->job().nesting.items.front().Name;
    std::filesystem::remove(part);
    const std::string target = path("broken.dxf");
    dialogs.saveFiles.push_back(target);
    clickSave();
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(dialogs.questions[0].icon, DialogService::Icon::Exclamation);
    EXPECT_NE(dialogs.questions[0].text.find(part), std::string::npos) << dialogs.questions[0].text;
    EXPECT_FALSE(std::filesystem::exists(target));
    EXPECT_TRUE(window->isEnabled());
}
