// The main window's "Save this layout as DXF...": asks for the file and has the core write the
// selected layout as a DXF drawing or a shape file.
#include <QCheckBox>
#include <QComboBox>

#include <filesystem>

#include "app/layout_panel.h"
#include "app/main_window.h"
#include "editors/shape_editor.h"
#include "layouts/layout_export.h"
#include "layouts/layout_list.h"

namespace dravenor {

namespace {

constexpr const char* kNoLayoutToSave = "No layout to save as DXF !";
constexpr const char* kSaveJobFirst = "Save current file first";
constexpr const char* kSaveLayoutTitle = "Save this layout as DXF...";

} // namespace

void MainWindow::saveLayoutAs()
{
    QComboBox* layouts = layoutPanel_->layoutList();
    if (!layouts->isEnabled() || layouts->currentIndex() < 0) {
        tell(kNoLayoutToSave, DialogService::Icon::Information);
        return;
    }
    if (job_.jobFileName.empty()) {
        tell(kSaveJobFirst, DialogService::Icon::Information);
        return;
    }
    const std::string entry = layouts->currentText().toStdString();
    // Proposed beside the job file, where the user keeps its drawings.
    const std::string proposed =
        (std::filesystem::path(job_.jobFileName).parent_path() / proposedLayoutFileName(job_.jobFileName, entry))
            .string();
    const std::string path = dialogs_.saveFileName(kSaveLayoutTitle, kShapeFileDialogFilter, proposed);
    if (path.empty()) return;

    const int layoutNo = layoutNumberOfEntry(entry);
    LayoutDxfOptions options;
    options.partNames = layoutPanel_->showNamesBox()->isChecked();
    const double viewHeight = layoutPanel_->visibleHeight();
    options.textHeight = viewHeight > 0 ? viewHeight / 100 : defaultLayoutTextHeight(job_.nesting, layoutNo);
    options.remnants = remnantMarksOf(job_);
    const std::string problem =
        saveLayoutByExtension(job_.nesting, layoutNo, path, workingFolder_.toStdString(), options);
    if (!problem.empty()) tell(problem, DialogService::Icon::Exclamation);
}

} // namespace dravenor
