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

#include "editors/shape_editor.h"
#include "ui/canvas_view.h"
#include "ui/captioned.h"
#include "ui/grid_view.h"

namespace dravenor {

namespace {

QComboBox* stepList(const QStringList& items, const QString& initial, bool editable)
{
    auto* list = new QComboBox;
    list->addItems(items);
    list->setEditable(editable);
    list->setCurrentText(initial);
    if (editable) list->setInsertPolicy(QComboBox::NoInsert);
    return list;
}

struct AdjustButton {
    QStyle::StandardPixmap icon;
    const char* text;
    const char* tip;
};

} // namespace

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

    moveStep_ = stepList({"1", "10", "100", "1000"}, QStringLiteral("100"), true);
    rotateStep_ = stepList({"1", "45", "90"}, QStringLiteral("90"), true);
    gridSize_ = stepList({"Auto", "No", "5", "10", "25", "50", "100", "250", "500", "1000"}, QStringLiteral("Auto"), false);
    showPoints_ = new QCheckBox(tr("Show Part Coordinates"));
    showDimensions_ = new QCheckBox(tr("Show Part Radius And Distance"));

    static const AdjustButton buttons[] = {
        {QStyle::SP_ArrowLeft, "", "Move Left"},
        {QStyle::SP_ArrowRight, "", "Move Right"},
        {QStyle::SP_ArrowUp, "", "Move Up"},
        {QStyle::SP_ArrowDown, "", "Move Down"},
        {QStyle::SP_CustomBase, "\u21BA", "Rotate Anticlockwise"},
        {QStyle::SP_CustomBase, "\u21BB", "Rotate Clockwise"},
    };
    auto* adjustRow = new QHBoxLayout;
    for (int index = 0; index < 6; ++index) {
        const AdjustButton& look = buttons[index];
        auto* button = new QToolButton;
        if (look.icon != QStyle::SP_CustomBase) button->setIcon(style()->standardIcon(look.icon));
        else button->setText(QString::fromUtf8(look.text));
        button->setToolTip(tr(look.tip));
        button->setObjectName(QString::fromLatin1(look.tip));
        connect(button, &QToolButton::clicked, this, [this, index] { adjust(index); });
        adjustRow->addWidget(button);
    }
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
