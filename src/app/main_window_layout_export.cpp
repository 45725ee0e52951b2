// The main window's "Save this layout as DXF...": asks for the file and has the core write the
// selected layout as a DXF drawing or a shape file; File > Save All Layouts as DXF: every layout
// into one folder in one step.
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
constexpr const char* kSaveAllLayoutsCaption = "Save All Layouts as DXF into...";

} // namespace

void MainWindow::saveAllLayoutsAsDxf()
{
    if (!job_.hasLayouts()) {
        tell(kNoLayoutToSave, DialogService::Icon::Information);
        return;
    }
    // The drawings are named after the job file, as a single layout's are.
    if (job_.jobFileName.empty()) {
        tell(kSaveJobFirst, DialogService::Icon::Information);
        return;
    }
    const std::string folder = dialogs_.selectFolder(kSaveAllLayoutsCaption);
    if (folder.empty()) return;
    const LayoutDrawingFiles written = saveEveryLayoutAsDxf(job_.nesting, job_.jobFileName, folder,
                                                            workingFolder_.toStdString(),
                                                            layoutPanel_->showNamesBox()->isChecked());
    if (!written.error.empty()) {
        tell(written.error + "\n" + std::to_string(written.files.size()) + " of the drawings were written.",
             DialogService::Icon::Exclamation);
        return;
    }
    tell(std::to_string(written.files.size()) + " layout drawings written into " + folder,
         DialogService::Icon::Information);
}

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
    // The list line without the mark of a faulty layout.
    const std::string entry = layoutListEntries(job_.nesting).at(static_cast<size_t>(layouts->currentIndex()));
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
