#include "editors/shape_editor.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCheckBox>
#include <QLabel>

#include <filesystem>

#include "editors/standard_shape_window.h"
#include "geometry/primitives.h"
#include "geometry/shape_preview.h"
#include "job/drawing_unit.h"
#include "job/job.h"
#include "job/number_format.h"
#include "ui/canvas_view.h"
#include "ui/grid_view.h"
#include "ui/unsaved_changes.h"

namespace dravenor {

ShapeEditor::ShapeEditor(DialogService& dialogs, QString templateFolder, QWidget* parent)
    : QMainWindow(parent), dialogs_(dialogs), templateFolder_(std::move(templateFolder)), grid_(newShapeGrid())
{
    buildWidgets();
    buildMenus();
    newFile();
}

ShapeEditor::~ShapeEditor()
{
    // The grid view reads grid_, which goes before the window's children would.
    delete gridView_;
}

bool ShapeEditor::beforeChange(int keyCode)
{
    history_.recordKey(grid_, keyCode);
    // Typed changes (Esc putting typed text back among them) count as unsaved work like every
    // command does.
    modified_ = true;
    return true;
}

std::vector<std::string> ShapeEditor::chooseFiles(const TextGrid&, bool)
{
    return {};
}

void ShapeEditor::updateCaption()
{
    setWindowTitle(QString::fromStdString(fileCaption(kShapeEditorTitle, currentFile_)));
}

void ShapeEditor::showGrid()
{
    gridView_->refresh();
    gridView_->setCurrentCell(grid_.row, grid_.col);
}

PreviewOptions ShapeEditor::drawingOptions() const
{
    PreviewOptions options;
    options.colour = Navy;
    options.showPoints = showPoints_->isChecked();
    options.showDimensions = showDimensions_->isChecked();
    options.gridText = gridSize_->currentText().toStdString();
    return options;
}

void ShapeEditor::redraw()
{
    const GridShape drawn = shapeFromGrid(grid_);
    const auto [fromRow, toRow] = selectedRows(grid_);
    const auto [first, last] = entitiesOnRows(drawn, fromRow, toRow);

    PreviewOptions options = drawingOptions();
    options.highlightFrom = first;
    options.highlightTo = last;
    previewShape(drawn.shape, canvas_->surface(), options);
    const Extents box = shapeExtents(drawn.shape);
    mirror_ = box.empty() ? 0 : box.ymin + box.ymax;
    const bool hasShape = !drawn.shape.empty();
    canvas_->setEnabled(hasShape);
    mouseLabel_->setEnabled(hasShape);
    if (!hasShape) mouseLabel_->setText(QString::fromLatin1(kMouseRestingText));
    canvas_->refresh();
}

void ShapeEditor::showMousePosition(QPointF userPos)
{
    if (!canvas_->isEnabled()) return;
    const double x = userPos.x();
    const double y = mirror_ - userPos.y();
    mouseLabel_->setText(QString::fromStdString("X=" + formatMask(x, "00000.00") + ",  Y=" + formatMask(y, "00000.00")));
}

bool ShapeEditor::askToSaveChanges()
{
    return settleUnsavedChanges(modified_, dialogs_, [this] { return save(); });
}

bool ShapeEditor::newFile()
{
    if (!askToSaveChanges()) return false;
    grid_ = newShapeGrid();
    history_.clear();
    currentFile_.clear();
    drawingFile_.clear();
    modified_ = false;
    showGrid();
    canvas_->clear();
    mouseLabel_->setText(QString::fromLatin1(kMouseRestingText));
    redraw();
    updateCaption();
    return true;
}

bool ShapeEditor::openFile(const std::string& path)
{
    ShapeReadReport report;
    TextGrid loaded = grid_;
    const DrawingUnit unit = readDrawingUnit(templateFolder_.toStdString()).unit;
    if (const std::string error = loadShapeGrid(loaded, path, report, unit); !error.empty()) {
        dialogs_.message(error, kShapeEditorTitle, DialogService::Icon::Exclamation, DialogService::Buttons::Ok);
        return false;
    }
    grid_ = std::move(loaded);
    history_.clear();
    currentFile_ = path;
    const bool drawing = shapeFileType(path) == "dxf";
    drawingFile_ = drawing ? path : std::string();
    drawingUnits_ = drawing ? drawingFileUnits(path, unit) : DxfUnitScale{};
    drawingRewriteAgreed_ = false;
    modified_ = false;
    showGrid();
    redraw();
    updateCaption();
    // Entities the drawing holds but a shape cannot (text, splines, ...) are named, so the user
    // knows what is missing.
    if (!report.notes.empty()) {
        std::string text;
        for (const std::string& note : report.notes) text += (text.empty() ? "" : "\n") + note;
        dialogs_.message(text, kShapeEditorTitle, DialogService::Icon::Information, DialogService::Buttons::Ok);
    }
    return true;
}

void ShapeEditor::openWithDialog()
{
    if (!newFile()) return;
    const std::string path = dialogs_.openFileName("Open", kShapeOpenFilter);
    if (!path.empty()) openFile(path);
}

bool ShapeEditor::saveTo(const std::string& path)
{
    // The drawing read goes back in its own units; any other drawing names the program's.
    const DrawingUnit unit = readDrawingUnit(templateFolder_.toStdString()).unit;
    const DxfUnitScale units = path == drawingFile_ ? drawingUnits_ : DxfUnitScale{1, {}, insunitsCode(unit)};
    const std::string error = saveShapeGrid(grid_, path, templateFolder_.toStdString(), units);
    if (!error.empty()) {
        dialogs_.message(error, kShapeEditorTitle, DialogService::Icon::Exclamation, DialogService::Buttons::Ok);
        return false;
    }
    currentFile_ = path;
    modified_ = false;
    updateCaption();
    return true;
}

std::string ShapeEditor::drawingSaveQuestion() const
{
    const std::string units = unitsName(drawingUnits_.code);
    return currentFile_ + " is a drawing (DXF). Writing it back replaces it by this shape alone, as a release 12 "
        + "drawing" + (units.empty() ? "" : " in " + units) + ".\n\nSave the shape as a shape file instead?\n"
        + "Yes: Save As, a shape file proposed\nNo: write the drawing back\nCancel: save nothing";
}

bool ShapeEditor::save()
{
    if (currentFile_.empty()) return saveAs();
    if (currentFile_ != drawingFile_ || drawingRewriteAgreed_) return saveTo(currentFile_);
    // The drawing is usually the customer's: it is rewritten only when the user says so.
    const auto answer = dialogs_.message(drawingSaveQuestion(), kShapeEditorTitle, DialogService::Icon::Question,
                                         DialogService::Buttons::YesNoCancel);
    if (answer == DialogService::Answer::Cancel) return false;
    if (answer == DialogService::Answer::Yes) return saveAs();
    drawingRewriteAgreed_ = saveTo(currentFile_);
    return drawingRewriteAgreed_;
}

bool ShapeEditor::saveAs()
{
    // A shape file is proposed beside the drawing rather than the drawing itself.
    const std::string proposed =
        shapeFileType(currentFile_) == "dxf" ? std::filesystem::path(currentFile_).replace_extension("shp").string()
                                             : currentFile_;
    const std::string path = dialogs_.saveFileName("Save As", kShapeSaveFilter, proposed);
    if (path.empty()) return false;
    return saveTo(path);
}

void ShapeEditor::adjust(int buttonIndex)
{
    if (buttonIndex < 0 || buttonIndex > 5) return;
    modified_ = true;
    history_.record(grid_);
    const QComboBox* stepList = buttonIndex > 3 ? rotateStep_ : moveStep_;
    const double step = leadingNumber(stepList->currentText().toStdString());
    if (adjustSelection(grid_, static_cast<AdjustCommand>(buttonIndex), step)) {
        gridView_->refresh();
        redraw();
    }
    gridView_->setFocus();
}

void ShapeEditor::loadStandardShape()
{
    StandardShapeWindow window(dialogs_, templateFolder_, this);
    if (window.exec() == QDialog::Accepted && window.hasShape()) appendShape(window.generatedShape());
}

void ShapeEditor::appendShape(const Shape& shape)
{
    history_.record(grid_);
    const auto [first, last] = appendShapeRows(grid_, shape);
    if (first == 0) return;
    modified_ = true;
    gridView_->refresh();
    gridView_->selectRows(first, last);
    redraw();
}

int ShapeEditor::joinMissingLines()
{
    history_.record(grid_);
    const int added = dravenor::joinMissingLines(grid_);
    if (added > 0) modified_ = true;
    gridView_->refresh();
    redraw();
    dialogs_.message(added == 0 ? kAlreadyClosedMessage : kLinesAddedMessage, kShapeEditorTitle,
                     DialogService::Icon::Information, DialogService::Buttons::Ok);
    return added;
}

void ShapeEditor::undo()
{
    if (history_.undo(grid_)) showChangedGrid();
}

void ShapeEditor::redo()
{
    if (history_.redo(grid_)) showChangedGrid();
}

void ShapeEditor::showChangedGrid()
{
    modified_ = true;
    showGrid();
    redraw();
}

void ShapeEditor::closeEvent(QCloseEvent* event)
{
    if (!askToSaveChanges()) {
        event->ignore();
        return;
    }
    event->accept();
    emit closed();
}

} // namespace dravenor
