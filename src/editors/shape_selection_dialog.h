#pragma once
// The shape-selection dialog: picks one or more sheet or part files (DXF drawings or shape
// files) from a folder while previewing the file under the cursor. Load returns the selected
// files in list order; Cancel, Esc or closing returns none; a double click loads just that file.
#include <QDialog>
#include <QString>

#include <functional>
#include <string>
#include <vector>

#include "job/drawing_unit.h"

class QComboBox;
class QKeyEvent;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace dravenor {

class CanvasView;
class FolderBrowser;

enum class ShapeFileType { Dxf = 0, Shp = 1 };

// "*.dxf" or "*.shp".
QString shapeFilePattern(ShapeFileType type);
// Names of the folder's files of that type, sorted without regard to case (".SHP" counts too).
QStringList shapeFileNames(const QString& folder, ShapeFileType type);
// The folder with a separator appended when it has none, followed by the name.
std::string joinFolderAndName(const QString& folder, const QString& name);

class ShapeSelectionDialog : public QDialog {
    Q_OBJECT
public:
    static const char* const kMultiSelectTip;

    ShapeSelectionDialog(const QString& startFolder, ShapeFileType type, const QString& examplesFolder,
                         std::function<void()> openHelp, QWidget* parent = nullptr);

    // Full paths of the selected files in list order (none after Cancel).
    std::vector<std::string> selectedPaths() const;
    QString folder() const;
    ShapeFileType fileType() const;

    bool setFolder(const QString& folder);
    void setFileType(ShapeFileType type);
    // Draws the named file of the current folder into the preview; a missing file leaves it empty.
    void previewFile(const QString& name);
    // The unit drawings are previewed in (millimetres unless set).
    void setDrawingUnit(DrawingUnit unit) { unit_ = unit; }

    QComboBox* typeCombo() const { return typeCombo_; }
    QListWidget* fileList() const { return fileList_; }
    FolderBrowser* folders() const { return folders_; }
    CanvasView* preview() const { return preview_; }
    QLabel* previewLabel() const { return previewLabel_; }
    QPushButton* loadButton() const { return loadButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }

public slots:
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void refreshFiles();
    void loadOnly(QListWidgetItem* item);
    void redrawPreview();
    void updateLoadButton();

    FolderBrowser* folders_ = nullptr;
    QComboBox* typeCombo_ = nullptr;
    QListWidget* fileList_ = nullptr;
    CanvasView* preview_ = nullptr;
    QLabel* previewLabel_ = nullptr;
    QPushButton* loadButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QString previewName_;
    DrawingUnit unit_ = DrawingUnit::Millimetre;
    std::function<void()> openHelp_;
};

} // namespace dravenor
