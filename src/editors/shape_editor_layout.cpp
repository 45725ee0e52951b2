// Widgets, menus and toolbar of the shape editor.
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "editors/editor_controls.h"
#include "editors/shape_editor.h"
#include "ui/canvas_view.h"
#include "ui/captioned.h"
#include "ui/grid_view.h"

namespace dravenor {

void ShapeEditor::buildWidgets()
{
    GridEditOptions options;
    options.keepEntryRow = true;
    gridView_ = new GridView(grid_, *this, options);
    gridView_->setVisibleRows(14);
    canvas_ = new CanvasView(QSize(480, 480));
    canvas_->setMinimumSize(320, 320);
    canvas_->setSquareImage(true);
    mouseLabel_ = new QLabel(QString::fromLatin1(kMouseRestingText));

    moveStep_ = newMoveStepList();
    rotateStep_ = newRotateStepList();
    gridSize_ = newGridSizeList();
    showPoints_ = new QCheckBox(tr("Show Part Coordinates"));
    showDimensions_ = new QCheckBox(tr("Show Part Radius And Distance"));

    QHBoxLayout* adjustRow = adjustButtonRow(this, [this](int index) { adjust(index); });
    auto* joinButton = new QToolButton;
    joinButton->setText(tr("Auto Join Missing Lines"));
    joinButton->setObjectName(QStringLiteral("Auto Join Missing Lines"));
    connect(joinButton, &QToolButton::clicked, this, [this] { joinMissingLines(); });
    adjustRow->addWidget(joinButton);
    adjustRow->addStretch();

    auto* stepRow = new QHBoxLayout;
    stepRow->addWidget(captioned(tr("Move By..."), moveStep_));
    stepRow->addWidget(captioned(tr("Rotate By..."), rotateStep_));
    stepRow->addWidget(captioned(tr("Select Grid Size"), gridSize_));
    stepRow->addStretch();

    auto* left = new QVBoxLayout;
    auto* caption = new QLabel(tr("Shape Parameters"));
    caption->setBuddy(gridView_);
    left->addWidget(caption);
    left->addWidget(gridView_, 1);
    left->addLayout(stepRow);
    left->addLayout(adjustRow);
    left->addWidget(showPoints_);
    left->addWidget(showDimensions_);
    left->addWidget(mouseLabel_);

    auto* central = new QWidget;
    auto* layout = new QHBoxLayout(central);
    layout->addLayout(left);
    layout->addWidget(canvas_, 1);
    setCentralWidget(central);
    resize(1180, 720);

    connect(gridView_, &GridView::keyApplied, this, [this] { redraw(); });
    connect(gridView_, &GridView::currentCellChanged, this, [this] { redraw(); });
    connect(gridView_, &GridView::selectionRowsChanged, this, [this] { redraw(); });
    connect(gridSize_, &QComboBox::currentTextChanged, this, [this] { redraw(); });
    connect(showPoints_, &QCheckBox::toggled, this, [this] { redraw(); });
    connect(showDimensions_, &QCheckBox::toggled, this, [this] { redraw(); });
    connect(canvas_, &CanvasView::mouseMoved, this, [this](QPointF at) { showMousePosition(at); });
    connect(canvas_, &CanvasView::resized, this, [this] { redraw(); });
}

void ShapeEditor::buildMenus()
{
    QMenu* file = menuBar()->addMenu(tr("&File"));
    QAction* newAction = file->addAction(tr("&New File"), this, &ShapeEditor::newFile);
    newAction->setShortcut(QKeySequence::New);
    QAction* openAction = file->addAction(tr("&Open File..."), this, &ShapeEditor::openWithDialog);
    openAction->setShortcut(QKeySequence::Open);
    QAction* saveAction = file->addAction(tr("&Save File"), this, [this] { save(); });
    saveAction->setShortcut(QKeySequence::Save);
    file->addAction(tr("Save File &As..."), this, [this] { saveAs(); });
    file->addSeparator();
    QAction* printAction = file->addAction(tr("&Print"), this, &ShapeEditor::printWithDialog);
    printAction->setShortcut(QKeySequence::Print);
    file->addSeparator();
    file->addAction(tr("E&xit"), this, &QWidget::close);

    QMenu* tools = menuBar()->addMenu(tr("&Tools"));
    standardShapesAction_ = tools->addAction(tr("&Select and Load Shapes"), this, &ShapeEditor::loadStandardShape);

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    QAction* helpAction = help->addAction(tr("&Dravenor for Quilvane Help"), this,
                                          [this] { dialogs_.openHelp("index.html#shape-editor"); });
    helpAction->setShortcut(QKeySequence(Qt::Key_F1));

    QToolBar* toolbar = addToolBar(tr("Shape Editor"));
    toolbar->setMovable(false);
    newAction->setIcon(style()->standardIcon(QStyle::SP_FileIcon));
    newAction->setToolTip(tr("New File"));
    openAction->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    openAction->setToolTip(tr("Open File"));
    saveAction->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    saveAction->setToolTip(tr("Save File"));
    printAction->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    printAction->setToolTip(tr("Print"));
    standardShapesAction_->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    standardShapesAction_->setToolTip(tr("Select and Load Shapes"));
    toolbar->addAction(newAction);
    toolbar->addAction(openAction);
    toolbar->addAction(saveAction);
    toolbar->addSeparator();
    toolbar->addAction(printAction);
    toolbar->addSeparator();
    toolbar->addAction(standardShapesAction_);
}

} // namespace dravenor
