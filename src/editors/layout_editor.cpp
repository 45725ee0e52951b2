#include "editors/layout_editor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <tuple>

#include "job/drawing_unit.h"
#include "job/job.h"
#include "job/files.h"
#include "job/number_format.h"
#include "layouts/layout_editing_drawing.h"
#include "layouts/layout_exchange.h"
#include "layouts/layout_view.h"
#include "ui/canvas_view.h"
#include "ui/grid_view.h"
#include "ui/unsaved_changes.h"

namespace dravenor {

LayoutEditor::LayoutEditor(DialogService& dialogs, QString workingFolder, QWidget* parent)
    : QMainWindow(parent),
      dialogs_(dialogs),
      workingFolder_(std::move(workingFolder)),
      grid_(newLayoutGrid()),
      shapes_(readDrawingUnit(workingFolder_.toStdString()).unit)
{
    buildWidgets();
    buildMenus();
    updateCaption();
    // A layout handed over by the main window is the document from the start.
    if (fileExists(exchangeFile())) openFile(exchangeFile());
    else redraw();
}

LayoutEditor::~LayoutEditor()
{
    // The grid view reads grid_, which goes before the window's children would.
    delete gridView_;
}

std::string LayoutEditor::exchangeFile() const
{
    return QDir(workingFolder_).filePath(QString::fromLatin1(kExchangeFileName)).toStdString();
}

bool LayoutEditor::beforeChange(int keyCode)
{
    history_.recordKey(grid_, keyCode);
    // Typed changes (Esc putting typed text back among them) count as unsaved work like every
    // command does.
    modified_ = true;
    return true;
}

std::vector<std::string> LayoutEditor::chooseFiles(const TextGrid& grid, bool)
{
    const bool sheetRow = grid.row == kSheetRow;
    std::vector<std::string> paths = dialogs_.selectShapeFiles(sheetRow ? "Select Sheet File..." : kSelectPartFilesCaption);
    if (paths.size() > 1) paths.resize(1);
    return paths;
}

void LayoutEditor::afterKey(int outcome)
{
    // Clearing a part's file name takes its row (and the rest of the selection) out of the layout.
    if (static_cast<KeyOutcome>(outcome) == KeyOutcome::Cleared && grid_.col == NameColumn && grid_.row > kSheetRow) {
        const auto [fromRow, toRow] = selectedRows(grid_);
        removePartRows(grid_, fromRow, toRow);
    }
    completeNewPlacements(grid_);
    showGrid();
    redraw();
}

void LayoutEditor::setHandedOverName(const std::string& name)
{
    handedOverName_ = name;
    updateCaption();
}

void LayoutEditor::updateCaption()
{
    const bool handedOver = !handedOverName_.empty() && currentFile_ == exchangeFile();
    setWindowTitle(QString::fromStdString(fileCaption(kLayoutEditorTitle, handedOver ? handedOverName_ : currentFile_)));
}

void LayoutEditor::showGrid()
{
    gridView_->refresh();
    gridView_->setCurrentCell(grid_.row, grid_.col);
}

void LayoutEditor::showError(const std::string& text)
{
    dialogs_.message(text, kLayoutEditorTitle, DialogService::Icon::Exclamation, DialogService::Buttons::Ok);
}

void LayoutEditor::setLeastDistances(const LeastDistances& least)
{
    least_ = least;
    redraw();
}

void LayoutEditor::redraw()
{
    placed_ = placeLayout(grid_, shapes_, least_);
    if (!placed_.missingFile.empty()) {
        // The same missing file is reported once, not on every key and cell change.
        if (placed_.missingFile != reportedMissing_) {
            reportedMissing_ = placed_.missingFile;
            showError(missingFileMessage(placed_.missingFile));
        }
        statusLabel_->setText(QString::fromStdString(missingFileMessage(placed_.missingFile)));
        return;
    }
    reportedMissing_.clear();

    LayoutEditDrawingOptions options;
    options.gridText = gridSize_->currentText().toStdString();
    options.showNames = showNames_->isChecked();
    std::tie(options.highlightFrom, options.highlightTo) = selectedRows(grid_);
    options.zoom = zoom_->currentIndex() + 1;
    for (const PlacedRow& part : placed_.parts)
        if (part.row == grid_.row && !part.box.empty()) {
            options.focused = true;
            options.focusX = (part.box.xmin + part.box.xmax) / 2;
            options.focusY = (part.box.ymin + part.box.ymax) / 2;
        }
    mirror_ = drawEditedLayout(placed_, canvas_->surface(), options);

    const bool drawn = placed_.hasSheet || !placed_.parts.empty();
    canvas_->setEnabled(drawn);
    mouseLabel_->setEnabled(drawn);
    if (!drawn) mouseLabel_->setText(QString::fromLatin1(kIdlePointerText));
    statusLabel_->setText(QString::fromStdString(layoutStatusText(placed_)));
    canvas_->refresh();
}

void LayoutEditor::showMousePosition(QPointF surfacePos)
{
    if (!canvas_->isEnabled()) return;
    mouseLabel_->setText(QString::fromStdString(layoutPointerText(surfacePos.x(), surfacePos.y(), mirror_)));
}

void LayoutEditor::selectPartAt(QPointF surfacePos)
{
    const int row = partRowAt(placed_, surfacePos.x(), mirror_ - surfacePos.y());
    if (row == 0) return;
    gridView_->selectRows(row, row);
    redraw();
}

bool LayoutEditor::askToSaveChanges()
{
    return settleUnsavedChanges(modified_, dialogs_, [this] { return save(); });
}

void LayoutEditor::newFile()
{
    if (!askToSaveChanges()) return;
    grid_ = newLayoutGrid();
    history_.clear();
    currentFile_.clear();
    modified_ = false;
    showGrid();
    mouseLabel_->setText(QString::fromLatin1(kIdlePointerText));
    redraw();
    updateCaption();
}

bool LayoutEditor::openFile(const std::string& path)
{
    TextGrid loaded = newLayoutGrid();
    if (const std::string error = loadLayoutGrid(loaded, path); !error.empty()) {
        showError(error);
        return false;
    }
    grid_ = std::move(loaded);
    history_.clear();
    currentFile_ = path;
    modified_ = false;
    reportedMissing_.clear();
    showGrid();
    redraw();
    updateCaption();
    return true;
}

void LayoutEditor::openWithDialog()
{
    if (!askToSaveChanges()) return;
    const std::string path = dialogs_.openFileName("Open", kLayoutFileDialogFilter);
    if (path.empty()) return;
    // The changes were offered for saving already; the opened file replaces them.
    modified_ = false;
    openFile(path);
}

bool LayoutEditor::agreeToWriteFaults()
{
    if (placed_.sound()) return true;
    return dialogs_.message(kFaultySaveQuestion, kLayoutEditorTitle, DialogService::Icon::Question,
                            DialogService::Buttons::YesNo)
        == DialogService::Answer::Yes;
}

bool LayoutEditor::saveTo(const std::string& path)
{
    if (const std::string error = saveLayoutGrid(grid_, path); !error.empty()) {
        showError(error);
        return false;
    }
    currentFile_ = path;
    modified_ = false;
    updateCaption();
    return true;
}

bool LayoutEditor::save()
{
    if (currentFile_.empty()) return saveAs();
    if (!agreeToWriteFaults()) return false;
    return saveTo(currentFile_);
}

bool LayoutEditor::saveAs()
{
    const std::string path = dialogs_.saveFileName("Save As", kLayoutFileDialogFilter, currentFile_);
    if (path.empty()) return false;
    if (!agreeToWriteFaults()) return false;
    return saveTo(path);
}

void LayoutEditor::adjust(int buttonIndex)
{
    if (buttonIndex < 0 || buttonIndex > 5) return;
    modified_ = true;
    history_.record(grid_);
    // The sheet cannot be moved, and nothing moves on a layout without a sheet.
    if (grid_.row != kSheetRow && placed_.missingFile.empty() && placed_.hasSheet) {
        const QComboBox* stepList = buttonIndex > 3 ? rotateStep_ : moveStep_;
        const double step = leadingNumber(stepList->currentText().toStdString());
        const PlacementAdjust result = adjustPlacements(grid_, static_cast<AdjustCommand>(buttonIndex), step);
        if (result == PlacementAdjust::MultipleRotation) {
            dialogs_.message(kMultipleRotationMessage, kLayoutEditorTitle, DialogService::Icon::Information,
                             DialogService::Buttons::Ok);
        } else if (result == PlacementAdjust::Done) {
            gridView_->refresh();
            redraw();
        }
    }
    gridView_->setFocus();
}

void LayoutEditor::addParts()
{
    const std::vector<std::string> paths = dialogs_.selectShapeFiles(kSelectPartFilesCaption);
    if (!paths.empty()) history_.record(grid_);
    const auto [first, last] = appendPartRows(grid_, paths);
    if (first == 0) return;
    modified_ = true;
    gridView_->refresh();
    gridView_->selectRows(first, last);
    redraw();
}

void LayoutEditor::removeSelectedParts()
{
    const auto [fromRow, toRow] = selectedEntityRows(grid_);
    const TextGrid before = grid_;
    if (fromRow == 0 || removePartRows(grid_, fromRow, toRow) == 0) return;
    history_.record(before);
    modified_ = true;
    showGrid();
    redraw();
}

void LayoutEditor::undo()
{
    if (history_.undo(grid_)) showChangedGrid();
}

void LayoutEditor::redo()
{
    if (history_.redo(grid_)) showChangedGrid();
}

void LayoutEditor::showChangedGrid()
{
    modified_ = true;
    showGrid();
    redraw();
}

} // namespace dravenor
