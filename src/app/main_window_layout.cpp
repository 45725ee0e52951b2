// The widgets and menus of the main window.
#include <QActionGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QSplitter>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/about_box.h"
#include "app/grid_icons.h"
#include "app/help.h"
#include "app/layout_panel.h"
#include "app/main_window.h"
#include "ui/canvas_view.h"
#include "ui/grid_view.h"

namespace dravenor {

namespace {

constexpr int kPreviewPixels = 220;
constexpr int kEntryGridRows = 6;

QLabel* gridLabel(const QString& text, QWidget* buddy)
{
    auto* label = new QLabel(text);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    label->setBuddy(buddy);
    return label;
}

} // namespace

void MainWindow::buildGrids()
{
    const GridEditOptions basicOptions;
    GridEditOptions entryOptions;
    entryOptions.entryRowGrid = true;
    entryOptions.multiFileSelection = true;

    grids_[BasicGrid] = new GridView(job_.basic, host_, basicOptions);
    grids_[SheetGrid] = new GridView(job_.sheets, host_, entryOptions);
    grids_[PartGrid] = new GridView(job_.parts, host_, entryOptions);

    // The basic details are one row: no scrolling, no spare height.
    GridView* basic = grids_[BasicGrid];
    basic->setVisibleRows(1);
    basic->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    basic->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    for (int index : {SheetGrid, PartGrid}) {
        grids_[static_cast<size_t>(index)]->setVisibleRows(kEntryGridRows);
        grids_[static_cast<size_t>(index)]->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        connect(grids_[static_cast<size_t>(index)], &GridView::currentCellChanged, this,
                [this, index](int, int) { refreshPreview(index); });
    }
    // A typed change shows at once as the "*" of unsaved work in the caption.
    for (GridView* grid : grids_)
        connect(grid, &GridView::keyApplied, this, [this] {
            if (job_.hasLayouts()) refreshDescriptiveDetails(job_);
            updateCaption();
        });

    for (int index : {SheetGrid, PartGrid}) {
        auto* canvas = new CanvasView(QSize(kPreviewPixels, kPreviewPixels));
        canvas->setFixedSize(canvas->sizeHint());
        connect(canvas, &CanvasView::clicked, this, [this, index](QPointF, Qt::MouseButton button) {
            if (button == Qt::LeftButton) onPreviewClicked(index);
        });
        connect(canvas, &CanvasView::resized, this, [this, index] { refreshPreview(index); });
        previews_[static_cast<size_t>(index - SheetGrid)] = canvas;
    }
}

void MainWindow::buildLayout()
{
    // Sheets and parts share the column's height through a splitter, so that a low screen can
    // give the parts more rows.
    const auto titledGrid = [](QWidget* label, GridView* grid) {
        auto* panel = new QWidget;
        auto* layout = new QVBoxLayout(panel);
        layout->setContentsMargins(0, 4, 0, 0);
        layout->setSpacing(4);
        layout->addWidget(label);
        layout->addWidget(grid, 1);
        return panel;
    };
    gridSplitter_ = new QSplitter(Qt::Vertical);
    gridSplitter_->setChildrenCollapsible(false);
    gridSplitter_->addWidget(titledGrid(gridLabel(tr("Sheets"), grids_[SheetGrid]), grids_[SheetGrid]));
    gridSplitter_->addWidget(titledGrid(gridLabel(tr("Parts"), grids_[PartGrid]), grids_[PartGrid]));
    gridSplitter_->setStretchFactor(1, 2);

    auto* gridsColumn = new QWidget;
    auto* gridsLayout = new QVBoxLayout(gridsColumn);
    gridsLayout->setContentsMargins(0, 0, 0, 0);
    gridsLayout->setSpacing(4);
    gridsLayout->addWidget(gridLabel(tr("Basic Details"), grids_[BasicGrid]));
    gridsLayout->addWidget(grids_[BasicGrid]);
    gridsLayout->addWidget(gridSplitter_, 1);

    auto* previewColumn = new QWidget;
    auto* previewLayout = new QVBoxLayout(previewColumn);
    previewLayout->setContentsMargins(0, 0, 0, 0);
    const std::array<QString, 2> titles{tr("Sheet Preview"), tr("Part Preview")};
    for (size_t i = 0; i < previews_.size(); ++i) {
        auto* box = new QGroupBox(titles[i]);
        auto* boxLayout = new QVBoxLayout(box);
        boxLayout->addWidget(previews_[i], 0, Qt::AlignCenter);
        previewLayout->addWidget(box);
    }
    previewLayout->addStretch(1);

    auto* layoutBox = new QGroupBox(tr("Layouts"));
    auto* layoutBoxLayout = new QVBoxLayout(layoutBox);
    layoutBoxLayout->addWidget(layoutPanel_);
    connect(layoutPanel_, &LayoutPanel::saveLayoutRequested, this, &MainWindow::saveLayoutAs);
    layoutPanel_->setCutPlanOverlay(
        [this](int layoutNo, DrawingSurface& surface, double mirror) { drawCutPlanOf(layoutNo, surface, mirror); });

    // The grids, the previews and the layouts side by side; the previews may be folded away
    // to give the grids and the layout view their width.
    columnSplitter_ = new QSplitter(Qt::Horizontal);
    columnSplitter_->addWidget(gridsColumn);
    columnSplitter_->addWidget(previewColumn);
    columnSplitter_->addWidget(layoutBox);
    columnSplitter_->setCollapsible(0, false);
    columnSplitter_->setCollapsible(2, false);
    columnSplitter_->setStretchFactor(0, 1);
    columnSplitter_->setStretchFactor(2, 1);

    auto* central = new QWidget;
    auto* columns = new QHBoxLayout(central);
    columns->setContentsMargins(10, 10, 10, 10);
    columns->addWidget(columnSplitter_);
    setCentralWidget(central);
    // Tab leaves a grid for the next one (arrows move between cells): basic details, sheets,
    // parts, then the layout list; Shift+Tab goes back.
    for (GridView* grid : grids_) grid->setTabKeyNavigation(false);
    setTabOrder(grids_[BasicGrid], grids_[SheetGrid]);
    setTabOrder(grids_[SheetGrid], grids_[PartGrid]);
    setTabOrder(grids_[PartGrid], layoutPanel_->layoutList());
}

void MainWindow::buildMenus()
{
    QMenu* file = menuBar()->addMenu(tr("&File"));
    newAction_ = file->addAction(tr("&New"), this, &MainWindow::newJob);
    newAction_->setShortcut(QKeySequence::New);
    QAction* openAction = file->addAction(tr("&Open..."), this, &MainWindow::openJobWithDialog);
    openAction->setShortcut(QKeySequence::Open);
    QAction* saveAction = file->addAction(tr("&Save"), this, [this] { saveJobFile(); });
    saveAction->setShortcut(QKeySequence::Save);
    file->addAction(tr("Save &As..."), this, [this] { saveJobAs(); });
    file->addAction(tr("Save All &Layouts as DXF..."), this, &MainWindow::saveAllLayoutsAsDxf);
    buildRecentFilesMenu(file);
    file->addSeparator();
    buildPartsImportItems(file);
    file->addSeparator();
    printAction_ = file->addAction(tr("&Print"), this, &MainWindow::printLayouts);
    printAction_->setShortcut(QKeySequence::Print);
    printPreviewAction_ = file->addAction(tr("Print Pre&view"), this, &MainWindow::previewPrint);
    file->addSeparator();
    file->addAction(tr("Export &NC Program..."), this, &MainWindow::exportNcProgram);
    file->addAction(tr("Export All NC Pro&grams..."), this, &MainWindow::exportAllNcPrograms);
    file->addSeparator();
    QMenu* widths = file->addMenu(tr("Line Width For Printing"));
    auto* widthGroup = new QActionGroup(this);
    for (int width = 1; width <= 5; ++width) {
        QAction* action = widths->addAction(QString::number(width), this, [this, width] { chooseLineWidth(width); });
        action->setCheckable(true);
        widthGroup->addAction(action);
        lineWidthActions_[static_cast<size_t>(width - 1)] = action;
    }
    buildPrintScaleMenu(file);
    QMenu* units = file->addMenu(tr("Drawing &Units"));
    auto* unitGroup = new QActionGroup(this);
    const std::array<std::pair<QString, DrawingUnit>, 2> unitItems{{
        {tr("&Millimetres"), DrawingUnit::Millimetre},
        {tr("&Inches"), DrawingUnit::Inch},
    }};
    for (size_t i = 0; i < unitItems.size(); ++i) {
        const DrawingUnit unit = unitItems[i].second;
        QAction* action = units->addAction(unitItems[i].first, this, [this, unit] { chooseDrawingUnit(unit); });
        action->setCheckable(true);
        unitGroup->addAction(action);
        unitActions_[i] = action;
    }
    file->addSeparator();
    exitAction_ = file->addAction(tr("E&xit"), this, &QWidget::close);
    exitAction_->setShortcut(QKeySequence::Quit);

    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    const std::array<QString, 3> gridItems{tr("&Basic Details"), tr("&Sheet Specifications"),
                                           tr("&Part Specifications")};
    for (int index : {BasicGrid, SheetGrid, PartGrid})
        gridActions_[static_cast<size_t>(index)] =
            edit->addAction(gridItems[static_cast<size_t>(index)], this, [this, index] { focusGrid(index); });

    QMenu* optimize = menuBar()->addMenu(tr("&Optimize"));
    startAction_ = optimize->addAction(tr("Start &Optimization"), this, &MainWindow::startOptimisation);
    startAction_->setShortcut(QKeySequence(Qt::Key_F5));
    optimize->addSeparator();
    auto* modes = new QActionGroup(this);
    const std::array<std::pair<QString, NestingMode>, 4> modeItems{{
        {tr("&Stack Nesting"), NestingMode::Stack},
        {tr("&Continuous Stack Nesting"), NestingMode::ContinuousStack},
        {tr("&Free Nesting"), NestingMode::Free},
        {tr("&Deep Nesting"), NestingMode::Deep},
    }};
    for (size_t i = 0; i < modeItems.size(); ++i) {
        QAction* action = optimize->addAction(modeItems[i].first);
        action->setCheckable(true);
        modes->addAction(action);
        const NestingMode mode = modeItems[i].second;
        connect(action, &QAction::triggered, this, [this, mode] { job_.mode = mode; });
        modeActions_[i] = action;
    }
    optimize->addSeparator();
    deepSettingsAction_ = optimize->addAction(tr("Deep Nesting S&ettings..."), this, &MainWindow::editDeepSettings);
    partsInHolesAction_ = optimize->addAction(tr("Parts Inside &Holes"));
    partsInHolesAction_->setCheckable(true);
    partsInHolesAction_->setToolTip(tr("Parts may lie in the holes of other parts (both engines)"));
    connect(partsInHolesAction_, &QAction::triggered, this, &MainWindow::choosePartsInHoles);
    commonLinesAction_ = optimize->addAction(tr("Common-&Line Nesting"));
    commonLinesAction_->setCheckable(true);
    commonLinesAction_->setToolTip(tr("Parts whose straight edges meet stand exactly the kerf apart, cut once for both"));
    connect(commonLinesAction_, &QAction::triggered, this, &MainWindow::chooseCommonLines);

    QMenu* view = menuBar()->addMenu(tr("&View"));
    QAction* reportAction = view->addAction(tr("&Report"), this, &MainWindow::showReport);
    view->addSeparator();
    QAction* layoutAction = view->addAction(tr("Layout"), this, &MainWindow::showLayouts);

    QMenu* tools = menuBar()->addMenu(tr("&Tools"));
    QAction* shapeEditorAction = tools->addAction(tr("&Shape Editor"), this, [this] { openShapeEditor({}); });
    tools->addSeparator();
    layoutEditorAction_ = tools->addAction(tr("&Layout Editor"), this, &MainWindow::editCurrentLayout);
    tools->addSeparator();
    tools->addAction(tr("&Density Table"), this, &MainWindow::showDensityTable);
    tools->addAction(tr("C&ut Table"), this, &MainWindow::showCutTable);
    tools->addAction(tr("&Price Table"), this, &MainWindow::showPriceTable);
    tools->addAction(tr("&Quote..."), this, &MainWindow::showQuote);
    tools->addSeparator();
    tools->addAction(tr("S&tock..."), this, &MainWindow::showStock);
    tools->addAction(tr("Stock &Folder..."), this, &MainWindow::chooseStockFolder);
    tools->addAction(tr("Sheets F&rom Stock"), this, &MainWindow::takeSheetsFromStock);
    tools->addAction(tr("&Current Layout Cut..."), this, &MainWindow::cutCurrentLayout);
    tools->addAction(tr("&All Layouts Cut..."), this, [this] { cutLayoutsIntoStock({}, true); });
    tools->addAction(tr("U&ndo Last Cut"), this, &MainWindow::undoLastCut);

    QToolBar* bar = addToolBar(tr("Main"));
    bar->setMovable(false);
    const auto tool = [&](QAction* action, QStyle::StandardPixmap icon, const QString& tip) {
        action->setIcon(style()->standardIcon(icon));
        action->setToolTip(tip);
        bar->addAction(action);
    };
    tool(newAction_, QStyle::SP_FileIcon, tr("New File"));
    tool(openAction, QStyle::SP_DialogOpenButton, tr("Open File"));
    tool(saveAction, QStyle::SP_DialogSaveButton, tr("Save File"));
    bar->addSeparator();
    tool(printAction_, QStyle::SP_FileDialogListView, tr("Print"));
    bar->addSeparator();
    // The Edit menu's grid items, named as in the menu.
    for (int index : {BasicGrid, SheetGrid, PartGrid}) {
        QAction* action = gridActions_[static_cast<size_t>(index)];
        action->setIcon(gridIcon(index));
        action->setToolTip(action->text().remove(QLatin1Char('&')));
        bar->addAction(action);
    }
    bar->addSeparator();
    tool(startAction_, QStyle::SP_MediaPlay, tr("Start Optimization"));
    bar->addSeparator();
    tool(reportAction, QStyle::SP_FileDialogDetailedView, tr("Report"));
    tool(layoutAction, QStyle::SP_FileDialogContentsView, tr("Layouts"));
    bar->addSeparator();
    tool(shapeEditorAction, QStyle::SP_DesktopIcon, tr("Shape Editor"));
    tool(layoutEditorAction_, QStyle::SP_ComputerIcon, tr("Layout Editor"));
    // The button edits the layout on show when there is one.
    connect(layoutEditorAction_, &QAction::hovered, this, [this] {
        const bool layouts = layoutPanel_->layoutList()->isEnabled();
        layoutEditorAction_->setToolTip(layouts ? tr("Edit Current Layout") : tr("Layout Editor"));
    });

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    helpAction_ = help->addAction(tr("&Dravenor for Quilvane Help"), this,
                                  [this] { dialogs_.openHelp(kHelpIndexPage); });
    helpAction_->setShortcut(QKeySequence(Qt::Key_F1));
    help->addSeparator();
    help->addAction(tr("Brief &Tour"), this, [this] { dialogs_.openHelp(kTourPage); });
    help->addSeparator();
    help->addAction(tr("&About Dravenor for Quilvane"), this, [this] { showAboutBox(this, workingFolder_); });
}

} // namespace dravenor
