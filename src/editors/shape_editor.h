#pragma once
// The shape editor: one shape as a grid of entities beside its live drawing. It opens and
// saves shape files and DXF drawings, moves and turns the selected entities by the chosen
// steps, closes small gaps in outlines and prints. The grid is the document; the commands are
// the core's shape-grid functions, the window shows their result.
#include <QMainWindow>
#include <QString>
#include <string>

#include "geometry/shape_grid.h"
#include "geometry/shape_preview.h"
#include "job/cell_editing.h"
#include "job/grid_history.h"
#include "job/text_grid.h"
#include "ui/dialog_service.h"
#include "ui/shape_file_filters.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QPagedPaintDevice;

namespace dravenor {

class CanvasView;
class GridView;

inline constexpr const char* kShapeEditorTitle = "Shape Editor";
inline constexpr const char* kAlreadyClosedMessage = "No missing lines added as component was already closed.";
inline constexpr const char* kLinesAddedMessage = "Missing lines added. Component closed. You need to save the file again.";
inline constexpr const char* kMouseRestingText = "X=00000.00,  Y=00000.00";

class ShapeEditor : public QMainWindow, private GridEditHost {
    Q_OBJECT
public:
    // templateFolder holds dxf.hd and dxf.ft (the working folder).
    ShapeEditor(DialogService& dialogs, QString templateFolder, QWidget* parent = nullptr);
    ~ShapeEditor() override;

    TextGrid& grid() { return grid_; }
    GridView* gridView() const { return gridView_; }
    CanvasView* canvas() const { return canvas_; }
    QLabel* mouseLabel() const { return mouseLabel_; }
    QComboBox* moveStepList() const { return moveStep_; }
    QComboBox* rotateStepList() const { return rotateStep_; }
    QComboBox* gridSizeList() const { return gridSize_; }
    QCheckBox* showPointsBox() const { return showPoints_; }
    QCheckBox* showDimensionsBox() const { return showDimensions_; }
    QAction* standardShapesAction() const { return standardShapesAction_; }
    const std::string& currentFile() const { return currentFile_; }
    bool modified() const { return modified_; }

    // File menu. newFile and the opening commands ask to save unsaved changes first, and stop
    // (newFile returns false) when the user chose to save and the shape was not saved.
    bool newFile();
    void openWithDialog();
    // Loads the file as Open does after its dialog; false (with a message) when it cannot.
    bool openFile(const std::string& path);
    // Saves to the current file (Save As when there is none). A drawing (DXF) that was opened is
    // never written back without asking: Yes saves as a shape file instead (Save As), No writes
    // the drawing back in the units it was read in, Cancel saves nothing. True when saved.
    bool save();
    bool saveAs();
    // Prints the header, the file name, the entity table and the drawing to the device.
    void printTo(QPagedPaintDevice& device) const;
    void printWithDialog();

    // Move and rotate buttons (0 left, 1 right, 2 up, 3 down, 4 anticlockwise, 5 clockwise).
    void adjust(int buttonIndex);
    // "Auto Join Missing Lines"; returns the number of lines added.
    int joinMissingLines();
    // "Select and Load Shapes": the standard-shape window, modal; its shape is appended.
    void loadStandardShape();
    // Appends the entities as new rows, selects them and marks the shape modified.
    void appendShape(const Shape& shape);
    // Redraws the shape from the grid with the display options and the selection in red.
    void redraw();
    // Edit > Undo and Redo: the table as it was before the last change (a key, a move or turn,
    // shapes loaded, lines joined), and that change again.
    void undo();
    void redo();

    // "Save changes in current file?" when there are unsaved changes; Yes saves. False when the
    // user wanted to save and the shape was not saved: the command that asked then stops.
    bool askToSaveChanges();

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    bool beforeChange(int keyCode) override;
    std::vector<std::string> chooseFiles(const TextGrid& grid, bool multiple) override;

    void buildWidgets();
    void buildMenus();
    void updateCaption();
    void showMousePosition(QPointF userPos);
    void showGrid();
    // The grid after an undo or redo: shown, drawn and marked changed.
    void showChangedGrid();
    // Colour, grid and display options of the drawing, without a highlight.
    PreviewOptions drawingOptions() const;
    bool saveTo(const std::string& path);
    // The question before the drawing read is written back.
    std::string drawingSaveQuestion() const;

    DialogService& dialogs_;
    QString templateFolder_;
    TextGrid grid_;
    std::string currentFile_;
    // The drawing the shape was read from and its units, so that writing it back keeps them;
    // until the user chose to write it back, Save asks first.
    std::string drawingFile_;
    DxfUnitScale drawingUnits_;
    bool drawingRewriteAgreed_ = false;
    bool modified_ = false;
    GridHistory history_;
    double mirror_ = 0;   // F of the drawing: shape y = F - surface y

    GridView* gridView_ = nullptr;
    CanvasView* canvas_ = nullptr;
    QLabel* mouseLabel_ = nullptr;
    QComboBox* moveStep_ = nullptr;
    QComboBox* rotateStep_ = nullptr;
    QComboBox* gridSize_ = nullptr;
    QCheckBox* showPoints_ = nullptr;
    QCheckBox* showDimensions_ = nullptr;
    QAction* standardShapesAction_ = nullptr;
};

} // namespace dravenor
