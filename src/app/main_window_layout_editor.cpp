// Tools > Layout Editor: the exchange of one layout with the layout editor through edit.lay.
#include <QApplication>
#include <QComboBox>
#include <QEventLoop>

#include "app/layout_panel.h"
#include "app/main_window.h"
#include "editors/layout_editor.h"
#include "job/files.h"
#include "layouts/faulty_layouts.h"
#include "layouts/layout_exchange.h"
#include "layouts/layout_file.h"

namespace dravenor {

void MainWindow::openLayoutEditor()
{
    LayoutEditor editor(dialogs_, workingFolder_, this);
    if (fileExists(editor.exchangeFile())) {
        editor.setLeastDistances(exchangeDistances(job_));
        const std::string job = job_.jobFileName.empty() ? std::string("the unsaved job") : fileNameOnly(job_.jobFileName);
        editor.setHandedOverName("Layout " + std::to_string(layoutPanel_->currentLayout()) + " of " + job);
    }
    editor.setWindowModality(Qt::ApplicationModal);
    QEventLoop untilClosed;
    connect(&editor, &LayoutEditor::closed, &untilClosed, &QEventLoop::quit);
    editor.show();
    untilClosed.exec();
}

void MainWindow::editCurrentLayout()
{
    const std::string exchangeFile = withTrailingSeparator(workingFolder_.toStdString()) + kExchangeFileName;
    if (!layoutPanel_->layoutList()->isEnabled()) {
        // A file left behind by an earlier session must not be taken for a layout of this job.
        deleteFile(exchangeFile);
        if (editLayout) editLayout();
        return;
    }
    const int layoutNo = layoutPanel_->currentLayout();
    const std::string written = writeLayoutFile(exchangeFile, exchangeLinesForLayout(job_.nesting, layoutNo), false);
    if (!written.empty()) {
        tell(written, DialogService::Icon::Exclamation);
        return;
    }
    if (editLayout) editLayout();
    layoutPanel_->resetZoom();

    if (fileExists(exchangeFile)) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const LayoutFileRead edited = readLayoutFile(exchangeFile);
        deleteFile(exchangeFile);
        std::vector<std::string> problems;
        if (edited.ok()) problems = applyEditedLayout(job_, layoutNo, edited.lines);
        refreshGrids();
        refreshPreview(SheetGrid);
        refreshPreview(PartGrid);
        layoutPanel_->refill(faultyLayoutsOf(job_));
        updateCaption();
        QApplication::restoreOverrideCursor();
        if (!edited.ok()) tell(edited.error + "\nThe layout was left as it was.", DialogService::Icon::Exclamation);
        else if (!problems.empty()) tell(listedLines(problems), DialogService::Icon::Exclamation);
    }
    const int lines = layoutPanel_->layoutList()->count();
    if (lines > 0) layoutPanel_->selectLayout(std::min(layoutNo, lines) - 1);
}

} // namespace dravenor
