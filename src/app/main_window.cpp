#include "app/main_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QEventLoop>
#include <QGuiApplication>
#include <QScreen>

#include "app/app_info.h"
#include "app/deep_progress_window.h"
#include "app/deep_settings_dialog.h"
#include "app/layout_panel.h"
#include "app/progress_window.h"
#include "editors/shape_editor.h"
#include "geometry/shape_preview.h"
#include "job/files.h"
#include "layouts/drawing_notes.h"
#include "layouts/optimisation_start.h"
#include "layouts/unplaced_parts.h"
#include "ui/canvas_view.h"
#include "ui/grid_view.h"
#include "ui/unsaved_changes.h"

namespace dravenor {

namespace {

constexpr const char* kClickToEdit = " <Click To Edit>";
constexpr const char* kOptimisingHelpPage = "index.html#optimising";

QString modeCaption(NestingMode mode)
{
    switch (mode) {
    case NestingMode::Stack: return QStringLiteral("Stack Nesting");
    case NestingMode::ContinuousStack: return QStringLiteral("Continuous Stack Nesting");
    case NestingMode::Deep: return QStringLiteral("Deep Nesting");
    case NestingMode::Free: break;
    }
    return QStringLiteral("Free Nesting");
}

} // namespace

MainWindow::MainWindow(DialogService& dialogs, QString workingFolder, QWidget* parent)
    : QMainWindow(parent),
      dialogs_(dialogs),
      workingFolder_(std::move(workingFolder)),
      host_(job_, dialogs, workingFolder_.toStdString(), appTitle().toStdString())
{
    host_.onFileCellChanged = [this](int gridIndex) { refreshPreview(gridIndex); };
    editShape = [this](const std::string& file) { openShapeEditor(file); };
    editLayout = [this] { openLayoutEditor(); };
    saveAs = [this] { return saveJobAs(); };
    layoutPanel_ = new LayoutPanel(job_.nesting, dialogs_);
    layoutPanel_->remnantMarks = [this] { return remnantMarksOf(job_); };
    host_.onResultsDiscarded = [this] { layoutPanel_->clearLayouts(); };
    buildGrids();
    buildLayout();
    buildMenus();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) placeWithin(screen->availableGeometry());
    showLineWidth();
    newJob();
    showDrawingUnit();
}

MainWindow::~MainWindow()
{
    // The grids and the layout panel read job_, which goes before the window's children would.
    delete centralWidget();
}

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
    const bool drawn = !file.empty() && previewShapeFile(file, surface, options, job_.nesting.drawingUnit);
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
    // File dialogs open beside the job until the user takes them elsewhere.
    dialogs_.setJobFolder(job_.jobFileName.empty() ? std::string() : folderOfFile(job_.jobFileName));
}

void MainWindow::focusGrid(int gridIndex)
{
    gridView(gridIndex)->setFocus(Qt::ShortcutFocusReason);
}

bool MainWindow::newJob()
{
    if (!settleUnsavedChanges(job_.modified, dialogs_, saveAs)) return false;
    for (CanvasView* preview : previews_) preview->clear();
    layoutPanel_->resetZoom();
    host_.discardResults();
    job_.reset();
    showNestingMode();
    updateCaption();
    for (int index : {BasicGrid, SheetGrid, PartGrid}) {
        job_.grid(index).row = 1;
        job_.grid(index).col = 1;
    }
    refreshGrids();
    focusGrid(BasicGrid);
    return true;
}

void MainWindow::showLineWidth()
{
    const int width = lineWidth();
    for (size_t i = 0; i < lineWidthActions_.size(); ++i) lineWidthActions_[i]->setChecked(static_cast<int>(i) + 1 == width);
}

void MainWindow::showDrawingUnit()
{
    job_.nesting.drawingUnit = drawingUnit();
    for (DrawingUnit unit : {DrawingUnit::Millimetre, DrawingUnit::Inch})
        drawingUnitAction(unit)->setChecked(unit == job_.nesting.drawingUnit);
    for (int index : {SheetGrid, PartGrid}) refreshPreview(index);
}

void MainWindow::showNestingMode()
{
    const std::array<NestingMode, 4> modes{NestingMode::Stack, NestingMode::ContinuousStack, NestingMode::Free,
                                           NestingMode::Deep};
    for (size_t i = 0; i < modes.size(); ++i) modeActions_[i]->setChecked(job_.mode == modes[i]);
    partsInHolesAction_->setChecked(job_.nesting.partsInHoles);
    commonLinesAction_->setChecked(job_.nesting.commonLines);
}

void MainWindow::chooseJobSwitch(QAction* action, bool& option, bool on)
{
    action->setChecked(on);
    if (option == on) return;
    option = on;
    job_.modified = true;
}

void MainWindow::choosePartsInHoles(bool allowed)
{
    chooseJobSwitch(partsInHolesAction_, job_.nesting.partsInHoles, allowed);
}

void MainWindow::chooseCommonLines(bool on)
{
    chooseJobSwitch(commonLinesAction_, job_.nesting.commonLines, on);
}

void MainWindow::startOptimisation()
{
    if (!host_.agreeToDiscardLayouts(kNewRunQuestion)) return;
    const std::string title = appTitle().toStdString();
    const std::vector<std::string> kerfNotes = takeCutTableKerf();
    // Enter must not start a run without a kerf: No is the default answer.
    OptimisationStart start = prepareOptimisation(job_, [&] {
        return dialogs_.message(kZeroKerfQuestion, title, DialogService::Icon::Question, DialogService::Buttons::YesNo,
                                DialogService::Answer::No) == DialogService::Answer::Yes;
    });
    start.notes.insert(start.notes.begin(), kerfNotes.begin(), kerfNotes.end());
    job_.modified = true;
    updateCaption();
    layoutPanel_->clearLayouts();
    layoutPanel_->resetZoom();
    // What the drawings were read with comes first: it may be why a shape is not as drawn. Each
    // note comes in a box once per session; the progress window shows them all.
    std::string text = joinedLines(notesNotToldYet(start.notes, toldNotes_));
    if (start.stop && !start.stop->text.empty()) text = start.stop->text + (text.empty() ? "" : "\n\n" + text);
    const bool plain = start.stop && start.stop->plainNotice && text == start.stop->text;
    if (!text.empty())
        dialogs_.message(text, title, plain ? DialogService::Icon::None : DialogService::Icon::Exclamation,
                         DialogService::Buttons::Ok);
    if (start.stop) return;
    const std::string notes = joinedLines(start.notes);
    acceptOptimisation(job_, job_.mode == NestingMode::Deep ? runDeep(notes) : runClassic(notes));
    refreshGrids();
    layoutPanel_->refill(faultyLayoutsOf(job_));
    if (const std::string unplaced = unplacedPartsText(unplacedParts(job_.nesting)); !unplaced.empty())
        dialogs_.message(unplaced, title, DialogService::Icon::Information, DialogService::Buttons::Ok);
    if (layoutPanel_->layoutList()->isEnabled()) layoutPanel_->layoutList()->setFocus();
}

NestingState MainWindow::runClassic(const std::string& notes)
{
    ProgressWindow progress(job_.nesting, job_.mode, modeCaption(job_.mode), this);
    progress.setDrawingNotes(notes);
    connect(&progress, &ProgressWindow::helpRequested, this, [this] { dialogs_.openHelp(kOptimisingHelpPage); });
    if (beforeProgressShown) beforeProgressShown(progress);
    progress.exec();
    return progress.takeState();
}

NestingState MainWindow::runDeep(const std::string& notes)
{
    DeepProgressWindow progress(job_.nesting, job_.deep, this);
    progress.setDrawingNotes(notes);
    connect(&progress, &DeepProgressWindow::helpRequested, this, [this] { dialogs_.openHelp(kOptimisingHelpPage); });
    if (beforeDeepProgressShown) beforeDeepProgressShown(progress);
    progress.exec();
    return progress.takeState();
}

void MainWindow::editDeepSettings()
{
    DeepSettingsDialog dialog(job_.deep, readBasicDetails(job_.basic).Kerf, dialogs_, this);
    if (beforeDeepSettingsShown) beforeDeepSettingsShown(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.settings() == job_.deep) return;
    job_.deep = dialog.settings();
    job_.modified = true;
    updateCaption();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!settleUnsavedChanges(job_.modified, dialogs_, saveAs)) {
        event->ignore();
        return;
    }
    rememberPlacement();
    event->accept();
}

} // namespace dravenor
