// Widgets, menus, toolbar and keyboard commands of the layout editor.
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

#include "editors/editor_controls.h"
#include "editors/layout_editor.h"
#include "layouts/layout_view.h"
#include "ui/canvas_view.h"
#include "ui/captioned.h"
#include "ui/grid_view.h"

namespace dravenor {

void LayoutEditor::buildWidgets()
{
    GridEditOptions options;
    options.keepEntryRow = true;
    gridView_ = new GridView(grid_, *this, options);
    gridView_->setVisibleRows(14);
    canvas_ = new CanvasView(QSize(480, 480));
    canvas_->setMinimumSize(320, 320);
    canvas_->setSquareImage(true);
    canvas_->setToolTip(tr("Click a part to select its row"));
    mouseLabel_ = new QLabel(QString::fromLatin1(kIdlePointerText));
    statusLabel_ = new QLabel;
    statusLabel_->setObjectName(QStringLiteral("LayoutStatus"));
    statusBar()->addWidget(statusLabel_, 1);

    moveStep_ = newMoveStepList();
    rotateStep_ = newRotateStepList();
    gridSize_ = newGridSizeList();
    showNames_ = new QCheckBox(tr("Show Part Name"));

    QHBoxLayout* adjustRow = adjustButtonRow(this, [this](int index) { adjust(index); });
    adjustRow->addStretch();

    auto* stepRow = new QHBoxLayout;
    stepRow->addWidget(captioned(tr("Move By..."), moveStep_));
    stepRow->addWidget(captioned(tr("Rotate By..."), rotateStep_));
    stepRow->addWidget(captioned(tr("Select Grid Size"), gridSize_));
    stepRow->addStretch();

    auto* left = new QVBoxLayout;
    auto* caption = new QLabel(tr("Layout &Parameters"));
    caption->setBuddy(gridView_);
    left->addWidget(caption);
    left->addWidget(gridView_, 1);
    left->addLayout(stepRow);
    left->addLayout(adjustRow);
    left->addWidget(showNames_);
    left->addWidget(mouseLabel_);

    auto* central = new QWidget;
    auto* layout = new QHBoxLayout(central);
    layout->addLayout(left);
    layout->addWidget(canvas_, 1);
    setCentralWidget(central);
    resize(1180, 720);

    connect(gridView_, &GridView::keyApplied, this, [this](int outcome) { afterKey(outcome); });
    connect(gridView_, &GridView::currentCellChanged, this, [this] { redraw(); });
    connect(gridView_, &GridView::selectionRowsChanged, this, [this] { redraw(); });
    connect(gridSize_, &QComboBox::currentTextChanged, this, [this] { redraw(); });
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
    QMenu* file = menuBar()->addMenu(tr("&File"));
    QAction* newAction = file->addAction(tr("&New File"), this, &LayoutEditor::newFile);
    newAction->setShortcut(QKeySequence::New);
    QAction* openAction = file->addAction(tr("&Open File..."), this, &LayoutEditor::openWithDialog);
    openAction->setShortcut(QKeySequence::Open);
    QAction* saveAction = file->addAction(tr("&Save File"), this, [this] { save(); });
    saveAction->setShortcut(QKeySequence::Save);
    file->addAction(tr("Save File &As..."), this, [this] { saveAs(); });
    file->addSeparator();
    QAction* printAction = file->addAction(tr("&Print"), this, &LayoutEditor::printWithDialog);
    printAction->setShortcut(QKeySequence::Print);
    file->addSeparator();
    file->addAction(tr("E&xit"), this, &QWidget::close);

    buildEditMenu();

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    QAction* helpAction = help->addAction(tr("&Dravenor for Quilvane Help"), this,
                                          [this] { dialogs_.openHelp("index.html#layout-editor"); });
    helpAction->setShortcut(QKeySequence(Qt::Key_F1));

    QToolBar* toolbar = addToolBar(tr("Layout Editor"));
    toolbar->setMovable(false);
    newAction->setIcon(style()->standardIcon(QStyle::SP_FileIcon));
    newAction->setToolTip(tr("New File"));
    openAction->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    openAction->setToolTip(tr("Open File"));
    saveAction->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    saveAction->setToolTip(tr("Save File"));
    printAction->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    printAction->setToolTip(tr("Print"));
    toolbar->addAction(newAction);
    toolbar->addAction(openAction);
    toolbar->addAction(saveAction);
    toolbar->addSeparator();
    toolbar->addAction(printAction);
}

} // namespace dravenor
