#pragma once
// Controls the shape and layout editors share: the step lists and the row of move and rotate
// buttons (0 left, 1 right, 2 up, 3 down, 4 anticlockwise, 5 clockwise; each button's object
// name is its tooltip).
#include <QString>
#include <QStringList>
#include <functional>
#include <initializer_list>
#include <utility>

class QAction;
class QComboBox;
class QHBoxLayout;
class QMainWindow;
class QMenu;
class QToolBar;
class QWidget;

namespace dravenor {

class CanvasView;
class GridEditHost;
class GridView;
class TextGrid;

// The editor's grid: typing rules of the host, an entry row kept at the bottom, 14 rows high.
GridView* newEditorGrid(TextGrid& grid, GridEditHost& host);
// The editor's square drawing area.
CanvasView* newEditorCanvas();

// An editable list takes any typed value; the typed text is never added to the items.
QComboBox* stepList(const QStringList& items, const QString& initial, bool editable);
// "Move By...": 1, 10, 100, 1000, starting at 100.
QComboBox* newMoveStepList();
// "Rotate By...": 1, 45, 90, starting at 90.
QComboBox* newRotateStepList();
// "Select Grid Size": Auto, No, 5 .. 1000, starting at Auto.
QComboBox* newGridSizeList();
// "Set Zoom Factor": "1 : 1" .. "9 : 1"; the zoom is the current index + 1.
QComboBox* newZoomList();

// The six buttons in a row; a click calls onAdjust with the button's index.
QHBoxLayout* adjustButtonRow(QWidget* owner, const std::function<void(int)>& onAdjust);

// An editor's central widget: on the left the captioned grid, the three step lists under their
// captions, the button row and the widgets below them; on the right the drawing, which takes
// the room that is left.
QWidget* editorBody(const QString& gridCaption, QWidget* grid, QComboBox* moveStep, QComboBox* rotateStep,
                    QComboBox* gridSize, QHBoxLayout* buttonRow, std::initializer_list<QWidget*> below,
                    QWidget* drawing);

struct EditorFileCommands {
    std::function<void()> newFile, open, save, saveAs, print;
};
struct EditorFileActions {
    QAction* newFile = nullptr;
    QAction* open = nullptr;
    QAction* save = nullptr;
    QAction* print = nullptr;
};

// The File menu: New File, Open File..., Save File, Save File As..., Print and Exit (which closes
// the window), with the usual shortcuts.
EditorFileActions addEditorFileMenu(QMainWindow* window, const EditorFileCommands& commands);

// Undo (Ctrl+Z) and Redo (Ctrl+Y, Ctrl+Shift+Z) at the top of an Edit menu; the returned actions
// are undo, redo.
std::pair<QAction*, QAction*> addUndoActions(QMenu* edit, const std::function<void()>& undo,
                                             const std::function<void()>& redo);

// The editor's toolbar: New, Open, Save, a gap and Print, with their icons and tooltips.
QToolBar* addFileToolBar(QMainWindow* window, const QString& title, const EditorFileActions& actions);

// The tooltip of button index 0..5 ("Move Left" .. "Rotate Clockwise").
const char* adjustButtonTip(int index);

} // namespace dravenor
