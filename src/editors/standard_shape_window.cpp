#include "editors/standard_shape_window.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <cmath>

#include "geometry/shape_preview.h"
#include "job/column_attributes.h"
#include "job/number_format.h"
#include "library/breakup_preview.h"
#include "ui/canvas_view.h"
#include "ui/grid_view.h"

namespace dravenor {

namespace {

// More divisions than this draw nothing a person can tell apart and take long to draw.
constexpr double kMostConeDivisions = 3600;

} // namespace

StandardShapeWindow::StandardShapeWindow(DialogService& dialogs, QString templateFolder, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), templateFolder_(std::move(templateFolder))
{
    setModal(true);
    setWindowTitle(QString::fromLatin1(kStandardShapeWindowTitle));
    parameters_.colWidths = {serialColumnWidthChars()};
    buildWidgets();
    buildHelpMenu();
}

StandardShapeWindow::~StandardShapeWindow()
{
    // The grid view reads parameters_, which goes before the window's children would.
    delete parameterView_;
}

const StandardShapeType* StandardShapeWindow::chosenType() const
{
    return findStandardShapeType(typeList_->currentText().toStdString());
}

bool StandardShapeWindow::chooseType(const QString& caption)
{
    const int index = typeList_->findText(caption, Qt::MatchFixedString | Qt::MatchCaseSensitive);
    const StandardShapeType* type = findStandardShapeType(caption.toStdString());
    if (index < 0 || !type) return false;
    typeList_->setCurrentIndex(index);

    std::vector<std::string> titles;
    for (const StandardShapeParameter& p : type->parameters) titles.push_back(p.caption);
    parameters_ = TextGrid(titles);
    applyColumnWidths(parameters_);
    parameters_.row = parameters_.col = 1;
    parameterView_->refresh();
    parameterView_->setCurrentCell(1, 1);
    keepGridInPlace();
    {
        // A fresh type shows empty cells and a blank preview, not the complaint about them.
        const QSignalBlocker quiet(rotationList_);
        rotationList_->setCurrentText(QStringLiteral("0"));
    }
    clearPreview();
    loadButton_->setEnabled(true);
    parameterView_->setFocus(Qt::OtherFocusReason);
    return true;
}

double StandardShapeWindow::number(const std::string& caption) const
{
    const int col = parameters_.columnOf(caption);
    return col < 1 ? 0 : leadingNumber(parameters_.text(1, col));
}

std::string StandardShapeWindow::text(const std::string& caption) const
{
    const int col = parameters_.columnOf(caption);
    return col < 1 ? std::string() : parameters_.text(1, col);
}

double StandardShapeWindow::rotation() const
{
    return leadingNumber(rotationList_->currentText().toStdString());
}

TypedParameters StandardShapeWindow::typedParameters(const StandardShapeType& type) const
{
    TypedParameters typed;
    for (const StandardShapeParameter& p : type.parameters) {
        typed.values.push_back(number(p.caption));
        typed.typed.push_back(!text(p.caption).empty());
    }
    return typed;
}

StandardShapeResult StandardShapeWindow::generate(const StandardShapeType& type) const
{
    std::vector<double> values;
    for (const StandardShapeParameter& p : type.parameters) values.push_back(number(p.caption));
    return generateStandardShape(type.caption, values, rotation());
}

BreakupResult StandardShapeWindow::runBreakup(const StandardShapeType& type) const
{
    if (type.caption == "Cylinder Breakup")
        return cylinderBreakup({.diameter = number("Dia"), .height = number("Height"), .plateLength = number("Plate Len"),
                                .plateWidth = number("Plate Wid"), .segmentWidth = number("Seg Wid"),
                                .kerf = number("Kerf")});
    const double divisions = number("Ang Br");
    if (divisions > kMostConeDivisions) {
        BreakupResult refused;
        refused.message = refused.reason = "Ang Br must be at most " + formatGeneral(kMostConeDivisions);
        return refused;
    }
    return coneBreakup({.bigDiameter = number("Dia Big"), .smallDiameter = number("Dia Small"),
                        .height = number("Height"), .plateWidth = number("Plate Wid"),
                        .segmentWidth = number("Seg Wid"), .angularDivisions = static_cast<int>(divisions),
                        .kerf = number("Kerf")});
}

void StandardShapeWindow::regenerate()
{
    const StandardShapeType* type = chosenType();
    if (!type) return;
    // Until every needed value is typed, only a typed value that is wrong in itself is named.
    const TypedParameters typed = typedParameters(*type);
    if (!everyNeededValueTyped(*type, typed)) {
        const std::string problem = typedValueProblem(*type, typed);
        if (problem.empty()) clearPreview();
        else showMessage(problem);
        return;
    }
    ImageSurface& surface = preview_->surface();
    previewMessage_.clear();
    if (!type->generatedHere) {
        const BreakupResult result = runBreakup(*type);
        if (type->caption == "Cylinder Breakup") drawCylinderBreakupPreview(result, surface);
        else drawConeBreakupPreview(result, surface);
        previewMessage_ = result.message;
        preview_->refresh();
        // The picture shows the remark or the short message; the label names the value at fault.
        const std::string detail = result.ok || result.reason.empty() ? surface.toolTip() : result.reason;
        previewLabel_->setText(QString::fromStdString(detail));
        return;
    }
    const StandardShapeResult made = generate(*type);
    if (!made.ok()) {
        showMessage(made.message);
        return;
    }
    PreviewOptions options;
    options.colour = Red;
    options.gridText = "No";
    previewShape(made.shape, surface, options);
    preview_->refresh();
    previewLabel_->setText(QString::fromStdString(surface.toolTip()));
}

void StandardShapeWindow::showMessage(const std::string& message)
{
    previewMessage_ = message;
    ImageSurface& surface = preview_->surface();
    surface.clear();
    surface.setToolTip("");
    surface.setScale({0, 0, 1, 1});
    writeLines(surface, 0, 0, wrapText(surface, message, 1));
    preview_->refresh();
    previewLabel_->clear();
}

void StandardShapeWindow::clearPreview()
{
    previewMessage_.clear();
    preview_->clear();
    preview_->refresh();
    previewLabel_->clear();
}

void StandardShapeWindow::complain(const std::string& message)
{
    dialogs_.message(message, kStandardShapeWindowTitle, DialogService::Icon::Exclamation, DialogService::Buttons::Ok);
}

void StandardShapeWindow::load()
{
    const StandardShapeType* type = chosenType();
    if (!type || parameters_.cols() < 2 || parameters_.text(1, 1).empty()) return;
    regenerate();
    if (!type->generatedHere) {
        loadBreakup(*type);
        return;
    }
    StandardShapeResult made = generate(*type);
    if (!made.ok()) {
        complain(made.message);
        return;
    }
    shape_ = std::move(made.shape);
    hasShape_ = true;
    accept();
}

void StandardShapeWindow::loadBreakup(const StandardShapeType& type)
{
    const BreakupResult result = runBreakup(type);
    if (!result.ok) {
        complain(result.reason.empty() ? result.message : result.reason);
        return;
    }
    const std::string stem = text("FileName");
    if (stem.empty()) {
        complain(kFileNameMissingMessage);
        return;
    }
    const std::string folder = dialogs_.selectFolder(kBreakupFolderCaption);
    if (folder.empty()) {
        complain(kFileNameMissingMessage);
        return;
    }
    std::vector<std::string> written;
    if (const std::string error = writeBreakupPieces(result, folder, stem, templateFolder_.toStdString(), written);
        !error.empty()) {
        // The window stays open so that another folder or name can be tried.
        complain(error);
        return;
    }
    createdFiles_ = written;
    dialogs_.message(breakupCompletionMessage(written), kStandardShapeWindowTitle, DialogService::Icon::Information,
                     DialogService::Buttons::Ok);
    accept();
}

void StandardShapeWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        dialogs_.openHelp(kStandardShapesHelpPage);
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace dravenor
