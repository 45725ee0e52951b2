#pragma once
// "Select & Load Shapes": a shape generated from a handful of numbers instead of drawn. The
// operator picks a type, types its parameters into a one-row grid, optionally turns it, and
// watches the live preview. Load hands the shape to the caller in memory; the cylinder and cone
// breakups instead write one DXF drawing per distinct piece into a chosen folder.
#include <QDialog>
#include <QString>
#include <string>
#include <vector>

#include "geometry/shape.h"
#include "job/cell_editing.h"
#include "job/text_grid.h"
#include "library/breakup.h"
#include "library/standard_shapes.h"
#include "ui/dialog_service.h"

class QComboBox;
class QKeyEvent;
class QLabel;
class QPushButton;

namespace dravenor {

class CanvasView;
class GridView;

inline constexpr const char* kStandardShapeWindowTitle = "Select & Load Shapes";
inline constexpr const char* kFileNameMissingMessage = "File Name is not specified";
inline constexpr const char* kBreakupFolderCaption = "Select Directory for Breakup Files...";
inline constexpr const char* kStandardShapesHelpPage = "index.html#standard-shapes";

class StandardShapeWindow : public QDialog, private GridEditHost {
    Q_OBJECT
public:
    // templateFolder holds dxf.hd and dxf.ft for the breakup drawings (the working folder).
    StandardShapeWindow(DialogService& dialogs, QString templateFolder, QWidget* parent = nullptr);
    ~StandardShapeWindow() override;

    QComboBox* typeList() const { return typeList_; }
    QComboBox* rotationList() const { return rotationList_; }
    GridView* parameterView() const { return parameterView_; }
    TextGrid& parameters() { return parameters_; }
    CanvasView* preview() const { return preview_; }
    QLabel* previewLabel() const { return previewLabel_; }
    QPushButton* loadButton() const { return loadButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }

    // Picks the type as the list does: a fresh grid of empty cells, rotation "0", blank preview.
    // False for a caption that is not in the list.
    bool chooseType(const QString& caption);
    // Reads the cells and the rotation and draws the shape, the breakup or the reason there is
    // none. Runs after every edit.
    void regenerate();
    // The Load button: closes with the shape, or writes the breakup pieces; stays open (with a
    // message) when there is nothing proper to load.
    void load();

    // After Load: the generated shape for the caller. Breakups and Cancel leave none.
    bool hasShape() const { return hasShape_; }
    const Shape& generatedShape() const { return shape_; }
    // The drawings the last breakup Load wrote, in order.
    const std::vector<std::string>& createdFiles() const { return createdFiles_; }
    // What the preview says instead of a drawing ("" when it shows one).
    const std::string& previewMessage() const { return previewMessage_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool beforeChange(int) override { return true; }
    std::vector<std::string> chooseFiles(const TextGrid&, bool) override { return {}; }

    void buildWidgets();
    void buildHelpMenu();
    void keepGridInPlace();
    const StandardShapeType* chosenType() const;
    // The cell under the parameter's caption read as a number (empty or text gives 0).
    double number(const std::string& caption) const;
    std::string text(const std::string& caption) const;
    double rotation() const;
    TypedParameters typedParameters(const StandardShapeType& type) const;
    StandardShapeResult generate(const StandardShapeType& type) const;
    BreakupResult runBreakup(const StandardShapeType& type) const;
    void showMessage(const std::string& message);
    void clearPreview();
    void loadBreakup(const StandardShapeType& type);
    void complain(const std::string& message);

    DialogService& dialogs_;
    QString templateFolder_;
    TextGrid parameters_;
    Shape shape_;
    bool hasShape_ = false;
    std::vector<std::string> createdFiles_;
    std::string previewMessage_;

    QComboBox* typeList_ = nullptr;
    QComboBox* rotationList_ = nullptr;
    GridView* parameterView_ = nullptr;
    CanvasView* preview_ = nullptr;
    QLabel* previewLabel_ = nullptr;
    QPushButton* loadButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};

} // namespace dravenor
