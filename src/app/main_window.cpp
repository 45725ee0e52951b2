#include "app/main_window.h"

#include <QCloseEvent>
#include <QEventLoop>

#include "app/app_info.h"
#include "editors/shape_editor.h"
#include "geometry/shape_preview.h"
#include "job/files.h"
#include "ui/canvas_view.h"
#include "ui/grid_view.h"

namespace dravenor {

namespace {

constexpr const char* kClickToEdit = " <Click To Edit>";

} // namespace

MainWindow::MainWindow(DialogService& dialogs, QString workingFolder, QWidget* parent)
    : QMainWindow(parent),
      dialogs_(dialogs),
      workingFolder_(std::move(workingFolder)),
      host_(job_, dialogs, workingFolder_.toStdString(), appTitle().toStdString())
{
    host_.onFileCellChanged = [this](int gridIndex) { refreshPreview(gridIndex); };
    editShape = [this](const std::string& file) { openShapeEditor(file); };
    buildGrids();
    buildLayout();
    buildMenus();
    newJob();
}

MainWindow::~MainWindow() = default;

CanvasView* MainWindow::previewCanvas(int gridIndex) const
{
    if (gridIndex != SheetGrid && gridIndex != PartGrid) return nullptr;
    return previews_[static_cast<size_t>(gridIndex - SheetGrid)];
}

std::string MainWindow::currentFileName(int gridIndex) const
{
    const TextGrid& grid = job_.grid(gridIndex);
    if (grid.row < 1 || grid.row >= grid.rows() || grid.cols() < 2) return {};
    return grid.text(grid.row, 1);
}

void MainWindow::refreshPreview(int gridIndex)
{
    CanvasView* canvas = previewCanvas(gridIndex);
    if (!canvas) return;
    ImageSurface& surface = canvas->surface();
    surface.clear();
    surface.setToolTip({});
    PreviewOptions options;
    options.colour = gridIndex == SheetGrid ? Black : Navy;
    options.gridText = "No";
    options.gridLabels = false;
    const std::string file = currentFileName(gridIndex);
    const bool drawn = !file.empty() && previewShapeFile(file, surface, options);
    if (drawn) surface.setToolTip(surface.toolTip() + kClickToEdit);
    canvas->setCursor(drawn && editShape ? Qt::PointingHandCursor : Qt::ArrowCursor);
    canvas->refresh();
}

void MainWindow::onPreviewClicked(int gridIndex)
{
    const std::string file = currentFileName(gridIndex);
    if (!editShape || file.empty() || !fileExists(file)) return;
    editShape(file);
    refreshPreview(gridIndex);
    focusGrid(gridIndex);
}

void MainWindow::openShapeEditor(const std::string& file)
{
    ShapeEditor editor(dialogs_, workingFolder_, this);
    editor.setWindowModality(Qt::ApplicationModal);
    if (!file.empty()) editor.openFile(file);
    QEventLoop untilClosed;
    connect(&editor, &ShapeEditor::closed, &untilClosed, &QEventLoop::quit);
    editor.show();
    untilClosed.exec();
}

void MainWindow::refreshGrids()
{
    for (GridView* grid : grids_) grid->refresh();
}

void MainWindow::updateCaption()
{
    setWindowTitle(QString::fromStdString(jobCaption(appTitle().toStdString(), job_)));
}

void MainWindow::focusGrid(int gridIndex)
{
    gridView(gridIndex)->setFocus(Qt::ShortcutFocusReason);
}

void MainWindow::newJob()
{
    promptUnsavedChanges(job_, dialogs_, saveAs);
    for (CanvasView* preview : previews_) preview->clear();
    host_.discardResults();
    job_.reset();
    updateCaption();
    for (int index : {BasicGrid, SheetGrid, PartGrid}) {
        job_.grid(index).row = 1;
        job_.grid(index).col = 1;
    }
    refreshGrids();
    focusGrid(BasicGrid);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    promptUnsavedChanges(job_, dialogs_, saveAs);
    event->accept();
}

} // namespace dravenor
