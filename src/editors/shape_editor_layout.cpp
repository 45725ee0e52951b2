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

#include "editors/editor_controls.h"
#include "editors/shape_editor.h"
#include "ui/canvas_view.h"
#include "ui/grid_view.h"

namespace dravenor {

void ShapeEditor::buildWidgets()
{
    gridView_ = newEditorGrid(grid_, *this);
    canvas_ = newEditorCanvas();
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

    setCentralWidget(editorBody(tr("Shape Parameters"), gridView_, moveStep_, rotateStep_, gridSize_, adjustRow,
                                {showPoints_, showDimensions_, mouseLabel_}, canvas_));
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
    const EditorFileActions fileActions = addEditorFileMenu(
        this, {[this] { newFile(); }, [this] { openWithDialog(); }, [this] { save(); }, [this] { saveAs(); },
               [this] { printWithDialog(); }});

    addUndoActions(menuBar()->addMenu(tr("&Edit")), [this] { undo(); }, [this] { redo(); });

    QMenu* tools = menuBar()->addMenu(tr("&Tools"));
    standardShapesAction_ = tools->addAction(tr("&Select and Load Shapes"), this, &ShapeEditor::loadStandardShape);

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    QAction* helpAction = help->addAction(tr("&Dravenor for Quilvane Help"), this,
                                          [this] { dialogs_.openHelp("index.html#shape-editor"); });
    helpAction->setShortcut(QKeySequence(Qt::Key_F1));

    QToolBar* toolbar = addFileToolBar(this, tr("Shape Editor"), fileActions);
    standardShapesAction_->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    standardShapesAction_->setToolTip(tr("Select and Load Shapes"));
    toolbar->addSeparator();
    toolbar->addAction(standardShapesAction_);
}

} // namespace dravenor
