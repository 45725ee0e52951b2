#pragma once
// The layout editor: one layout (a sheet and the parts placed on it) as a grid of placements
// beside its drawing. Parts are moved and turned by the chosen steps, added, removed, and the
// layout is checked for parts that overlap or leave the sheet. It edits layout files on its
// own, or the layout the main window hands over in "edit.lay" in the working folder, which it
// writes back or deletes on closing.
#include <QMainWindow>
#include <QString>
#include <string>

#include "job/cell_editing.h"
#include "job/grid_history.h"
#include "job/text_grid.h"
#include "layouts/layout_editing.h"
#include "layouts/layout_editing_placement.h"
#include "ui/dialog_service.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QPagedPaintDevice;

namespace dravenor {

class CanvasView;
class GridView;

inline constexpr const char* kLayoutEditorTitle = "Layout Editor";
inline constexpr const char* kLayoutFileDialogFilter = "Layout Files (*.lay)";
inline constexpr const char* kUpdateLayoutQuestion = "Update Layout?";
inline constexpr const char* kFaultySaveQuestion =
    "The layout has parts that overlap, leave the sheet or lie closer than its spacing. Save it anyway?";
inline constexpr const char* kSelectPartFilesCaption = "Select Part File(s)...";

class LayoutEditor : public QMainWindow, private GridEditHost {
    Q_OBJECT
public:
    // workingFolder holds "edit.lay" when the main window hands a layout over.
    LayoutEditor(DialogService& dialogs, QString workingFolder, QWidget* parent = nullptr);
    ~LayoutEditor() override;

    TextGrid& grid() { return grid_; }
    GridView* gridView() const { return gridView_; }
    CanvasView* canvas() const { return canvas_; }
    QLabel* mouseLabel() const { return mouseLabel_; }
    QLabel* statusLabel() const { return statusLabel_; }
    QComboBox* moveStepList() const { return moveStep_; }
    QComboBox* rotateStepList() const { return rotateStep_; }
    QComboBox* gridSizeList() const { return gridSize_; }
    // Zoom about the selected part (the sheet's middle when none is selected).
    QComboBox* zoomList() const { return zoom_; }
    QCheckBox* showNamesBox() const { return showNames_; }
    const std::string& currentFile() const { return currentFile_; }
    // What the caption calls the layout handed over through the exchange file ("Layout 2 of
    // frame.nst") while it is the document, instead of the exchange file's name.
    void setHandedOverName(const std::string& name);
    bool modified() const { return modified_; }
    const PlacedLayout& placed() const { return placed_; }
    std::string exchangeFile() const;

    // File menu. New and Open ask to save unsaved changes first and stop when that save fails.
    void newFile();
    void openWithDialog();
    // Loads the file as Open does after its dialog; false (with a message) when it cannot.
    bool openFile(const std::string& path);
    // Saves to the current file (Save As when there is none). A layout with faults is saved
    // only when the user agrees. True when saved.
    bool save();
    bool saveAs();
    void printTo(QPagedPaintDevice& device) const;
    void printWithDialog();

    // Move and rotate buttons (0 left, 1 right, 2 up, 3 down, 4 anticlockwise, 5 clockwise).
    void adjust(int buttonIndex);
    // "Add Part...": appends the chosen part files as rows at 0, 0 and selects them.
    void addParts();
    // "Remove Part": removes the selected part rows (never the sheet).
    void removeSelectedParts();
    // Selects the row of the part under the point of the drawing (surface units).
    void selectPartAt(QPointF surfacePos);
    // Places, checks and draws the layout from the grid.
    void redraw();
    // Edit > Undo and Redo: the layout as it was before the last change (a key, a move or turn,
    // parts added or removed), and that change again.
    void undo();
    void redo();
    // The least distances the check holds parts to (those of a layout made by Deep Nesting).
    void setLeastDistances(const LeastDistances& least);

    // "Save changes in current file?" when there are unsaved changes; Yes saves. False when the
    // user wanted to save and the layout was not saved (refused for faults, dialog cancelled,
    // write failed): the command that asked then stops.
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
    void buildEditMenu();
    void updateCaption();
    void showGrid();
    // The grid after an undo or redo: shown, drawn and marked changed.
    void showChangedGrid();
    void afterKey(int outcome);
    void showMousePosition(QPointF surfacePos);
    bool saveTo(const std::string& path);
    // Asks before a layout with faults is written; true to go on.
    bool agreeToWriteFaults();
    // Closing with "edit.lay" present; false keeps the window open.
    bool finishExchange();
    void showError(const std::string& text);

    DialogService& dialogs_;
    QString workingFolder_;
    TextGrid grid_;
    std::string currentFile_;
    std::string handedOverName_;
    bool modified_ = false;
    GridHistory history_;
    LayoutShapeCache shapes_;
    LeastDistances least_;
    PlacedLayout placed_;
    double mirror_ = 0;              // layout y = mirror_ - surface y
    std::string reportedMissing_;    // the missing file last reported, so it is said once

    GridView* gridView_ = nullptr;
    CanvasView* canvas_ = nullptr;
    QLabel* mouseLabel_ = nullptr;
    QLabel* statusLabel_ = nullptr;
    QComboBox* moveStep_ = nullptr;
    QComboBox* rotateStep_ = nullptr;
    QComboBox* gridSize_ = nullptr;
    QComboBox* zoom_ = nullptr;
    QCheckBox* showNames_ = nullptr;
};

} // namespace dravenor
