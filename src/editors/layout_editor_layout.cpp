// Widgets, menus, toolbar and keyboard commands of the layout editor.
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

#include "editors/editor_controls.h"
#include "editors/layout_editor.h"
#include "layouts/layout_view.h"
#include "ui/canvas_view.h"
#include "ui/captioned.h"
#include "ui/grid_view.h"

namespace dravenor {

void LayoutEditor::buildWidgets()
{
    gridView_ = newEditorGrid(grid_, *this);
    canvas_ = newEditorCanvas();
    canvas_->setToolTip(tr("Click a part to select its row"));
    mouseLabel_ = new QLabel(QString::fromLatin1(kIdlePointerText));
    statusLabel_ = new QLabel;
    statusLabel_->setObjectName(QStringLiteral("LayoutStatus"));
    statusBar()->addWidget(statusLabel_, 1);

    moveStep_ = newMoveStepList();
    rotateStep_ = newRotateStepList();
    gridSize_ = newGridSizeList();
    zoom_ = newZoomList();
    showNames_ = new QCheckBox(tr("Show Part Name"));

    QHBoxLayout* adjustRow = adjustButtonRow(this, [this](int index) { adjust(index); });
    adjustRow->addStretch();

    setCentralWidget(editorBody(tr("Layout &Parameters"), gridView_, moveStep_, rotateStep_, gridSize_, adjustRow,
                                {captioned(tr("Set Zoom Factor"), zoom_), showNames_, mouseLabel_}, canvas_));
    resize(1180, 720);

    connect(gridView_, &GridView::keyApplied, this, [this](int outcome) { afterKey(outcome); });
    connect(gridView_, &GridView::currentCellChanged, this, [this] { redraw(); });
    connect(gridView_, &GridView::selectionRowsChanged, this, [this] { redraw(); });
    connect(gridSize_, &QComboBox::currentTextChanged, this, [this] { redraw(); });
    connect(zoom_, &QComboBox::currentIndexChanged, this, [this] { redraw(); });
    connect(showNames_, &QCheckBox::toggled, this, [this] { redraw(); });
    connect(canvas_, &CanvasView::mouseMoved, this, [this](QPointF at) { showMousePosition(at); });
    connect(canvas_, &CanvasView::clicked, this, [this](QPointF at, Qt::MouseButton button) {
        if (button == Qt::LeftButton) selectPartAt(at);
    });
    connect(canvas_, &CanvasView::resized, this, [this] { redraw(); });
}

void LayoutEditor::buildEditMenu()
{
    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    addUndoActions(edit, [this] { undo(); }, [this] { redo(); });
    QAction* addAction = edit->addAction(tr("&Add Part..."), this, &LayoutEditor::addParts);
    addAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Insert));
    QAction* removeAction = edit->addAction(tr("&Remove Part"), this, &LayoutEditor::removeSelectedParts);
    removeAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Delete));
    edit->addSeparator();
    // The move and rotate buttons from the keyboard, wherever the focus is.
    static const Qt::Key keys[] = {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_PageUp, Qt::Key_PageDown};
    for (int index = 0; index < 6; ++index) {
        QAction* action = edit->addAction(tr(adjustButtonTip(index)), this, [this, index] { adjust(index); });
        action->setShortcut(QKeySequence(Qt::CTRL | keys[index]));
        action->setObjectName(QStringLiteral("key ") + QString::fromLatin1(adjustButtonTip(index)));
    }
}

void LayoutEditor::buildMenus()
{
    const EditorFileActions fileActions = addEditorFileMenu(
        this, {[this] { newFile(); }, [this] { openWithDialog(); }, [this] { save(); }, [this] { saveAs(); },
               [this] { printWithDialog(); }});

    buildEditMenu();

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    QAction* helpAction = help->addAction(tr("&Dravenor for Quilvane Help"), this,
                                          [this] { dialogs_.openHelp("index.html#layout-editor"); });
    helpAction->setShortcut(QKeySequence(Qt::Key_F1));

    addFileToolBar(this, tr("Layout Editor"), fileActions);
}

} // namespace dravenor
