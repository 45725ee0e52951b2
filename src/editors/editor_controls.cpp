#include "editors/editor_controls.h"

#include <algorithm>

#include <QComboBox>
#include <QHBoxLayout>
#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QVBoxLayout>
#include <QStyle>
#include <QToolButton>
#include <QWidget>

#include "ui/canvas_view.h"
#include "ui/captioned.h"
#include "ui/grid_view.h"

namespace dravenor {

namespace {

struct AdjustButton {
    QStyle::StandardPixmap icon;
    const char* text;
    const char* tip;
};

const AdjustButton& adjustButton(int index)
{
    static const AdjustButton buttons[] = {
        {QStyle::SP_ArrowLeft, "", "Move Left"},
        {QStyle::SP_ArrowRight, "", "Move Right"},
        {QStyle::SP_ArrowUp, "", "Move Up"},
        {QStyle::SP_ArrowDown, "", "Move Down"},
        {QStyle::SP_CustomBase, "\u21BA", "Rotate Anticlockwise"},
        {QStyle::SP_CustomBase, "\u21BB", "Rotate Clockwise"},
    };
    return buttons[std::clamp(index, 0, 5)];
}

} // namespace

GridView* newEditorGrid(TextGrid& grid, GridEditHost& host)
{
    GridEditOptions options;
    options.keepEntryRow = true;
    auto* view = new GridView(grid, host, options);
    view->setVisibleRows(14);
    return view;
}

CanvasView* newEditorCanvas()
{
    auto* canvas = new CanvasView(QSize(480, 480));
    canvas->setMinimumSize(320, 320);
    canvas->setSquareImage(true);
    return canvas;
}

QComboBox* stepList(const QStringList& items, const QString& initial, bool editable)
{
    auto* list = new QComboBox;
    list->addItems(items);
    list->setEditable(editable);
    list->setCurrentText(initial);
    if (editable) list->setInsertPolicy(QComboBox::NoInsert);
    return list;
}

QComboBox* newMoveStepList()
{
    return stepList({"1", "10", "100", "1000"}, QStringLiteral("100"), true);
}

QComboBox* newRotateStepList()
{
    return stepList({"1", "45", "90"}, QStringLiteral("90"), true);
}

QComboBox* newGridSizeList()
{
    return stepList({"Auto", "No", "5", "10", "25", "50", "100", "250", "500", "1000"}, QStringLiteral("Auto"), false);
}

QComboBox* newZoomList()
{
    auto* list = new QComboBox;
    list->setToolTip(QWidget::tr("Set Zoom Factor"));
    for (int z = 1; z <= 9; ++z) list->addItem(QString::number(z) + QStringLiteral(" : 1"));
    return list;
}

const char* adjustButtonTip(int index)
{
    return adjustButton(index).tip;
}

QHBoxLayout* adjustButtonRow(QWidget* owner, const std::function<void(int)>& onAdjust)
{
    auto* row = new QHBoxLayout;
    for (int index = 0; index < 6; ++index) {
        const AdjustButton& look = adjustButton(index);
        auto* button = new QToolButton;
        if (look.icon != QStyle::SP_CustomBase) button->setIcon(owner->style()->standardIcon(look.icon));
        else button->setText(QString::fromUtf8(look.text));
        button->setToolTip(QWidget::tr(look.tip));
        button->setObjectName(QString::fromLatin1(look.tip));
        QObject::connect(button, &QToolButton::clicked, owner, [onAdjust, index] { onAdjust(index); });
        row->addWidget(button);
    }
    return row;
}

QWidget* editorBody(const QString& gridCaption, QWidget* grid, QComboBox* moveStep, QComboBox* rotateStep,
                    QComboBox* gridSize, QHBoxLayout* buttonRow, std::initializer_list<QWidget*> below,
                    QWidget* drawing)
{
    auto* stepRow = new QHBoxLayout;
    stepRow->addWidget(captioned(QWidget::tr("Move By..."), moveStep));
    stepRow->addWidget(captioned(QWidget::tr("Rotate By..."), rotateStep));
    stepRow->addWidget(captioned(QWidget::tr("Select Grid Size"), gridSize));
    stepRow->addStretch();

    auto* left = new QVBoxLayout;
    auto* caption = new QLabel(gridCaption);
    caption->setBuddy(grid);
    left->addWidget(caption);
    left->addWidget(grid, 1);
    left->addLayout(stepRow);
    left->addLayout(buttonRow);
    for (QWidget* widget : below) left->addWidget(widget);

    auto* body = new QWidget;
    auto* layout = new QHBoxLayout(body);
    layout->addLayout(left);
    layout->addWidget(drawing, 1);
    return body;
}

std::pair<QAction*, QAction*> addUndoActions(QMenu* edit, const std::function<void()>& undo,
                                             const std::function<void()>& redo)
{
    QAction* undoAction = edit->addAction(QObject::tr("&Undo"), edit, undo);
    undoAction->setShortcut(QKeySequence::Undo);
    QAction* redoAction = edit->addAction(QObject::tr("&Redo"), edit, redo);
    redoAction->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    edit->addSeparator();
    return {undoAction, redoAction};
}

EditorFileActions addEditorFileMenu(QMainWindow* window, const EditorFileCommands& commands)
{
    QMenu* file = window->menuBar()->addMenu(QWidget::tr("&File"));
    EditorFileActions actions;
    actions.newFile = file->addAction(QWidget::tr("&New File"), window, commands.newFile);
    actions.newFile->setShortcut(QKeySequence::New);
    actions.open = file->addAction(QWidget::tr("&Open File..."), window, commands.open);
    actions.open->setShortcut(QKeySequence::Open);
    actions.save = file->addAction(QWidget::tr("&Save File"), window, commands.save);
    actions.save->setShortcut(QKeySequence::Save);
    file->addAction(QWidget::tr("Save File &As..."), window, commands.saveAs);
    file->addSeparator();
    actions.print = file->addAction(QWidget::tr("&Print"), window, commands.print);
    actions.print->setShortcut(QKeySequence::Print);
    file->addSeparator();
    file->addAction(QWidget::tr("E&xit"), window, &QWidget::close);
    return actions;
}

QToolBar* addFileToolBar(QMainWindow* window, const QString& title, const EditorFileActions& actions)
{
    QToolBar* toolbar = window->addToolBar(title);
    toolbar->setMovable(false);
    const auto tool = [&](QAction* action, QStyle::StandardPixmap icon, const char* tip) {
        action->setIcon(window->style()->standardIcon(icon));
        action->setToolTip(QWidget::tr(tip));
        toolbar->addAction(action);
    };
    tool(actions.newFile, QStyle::SP_FileIcon, "New File");
    tool(actions.open, QStyle::SP_DialogOpenButton, "Open File");
    tool(actions.save, QStyle::SP_DialogSaveButton, "Save File");
    toolbar->addSeparator();
    tool(actions.print, QStyle::SP_FileDialogDetailedView, "Print");
    return toolbar;
}

} // namespace dravenor
