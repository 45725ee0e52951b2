#pragma once
// The DialogService of the running program: Qt message boxes, file dialogs (asking before
// overwriting), the shape-selection and folder dialogs, and the help pages. It remembers the
// folders last used in each dialog for the next opening in the same run.
#include <QPointer>
#include <QString>
#include <QWidget>

#include "editors/shape_selection_dialog.h"
#include "ui/dialog_folders.h"
#include "ui/dialog_service.h"

namespace dravenor {

// The extension of a filter's first pattern ("Jobs (*.nst);;All (*)" gives "nst"), "" if none.
QString defaultSuffixOfFilter(const QString& filter);
// Where the shipped example shapes are: the working folder's resources/examples, else those
// beside the executable; "" when neither exists.
QString examplesFolderFor(const QString& workingFolder);

class QtDialogService : public DialogService {
public:
    explicit QtDialogService(QString workingFolder);

    // The window the dialogs belong to; without one, the active window.
    void setParentWidget(QWidget* parent) { parent_ = parent; }

    std::string openFileName(const std::string& title, const std::string& filter) override;
    std::string saveFileName(const std::string& title, const std::string& filter,
                             const std::string& suggestedName) override;
    std::vector<std::string> selectShapeFiles(const std::string& caption) override;
    std::string selectFolder(const std::string& caption) override;
    void openHelp(const std::string& page) override;
    void setJobFolder(const std::string& folder) override { folders_.setJobFolder(folder); }

    // Where the shape-selection dialog opens next: the folder used last in this run, else the
    // job's folder, else the examples, else home.
    QString shapeStartFolder() const;
    ShapeFileType shapeStartType() const { return lastShapeType_; }

protected:
    Answer ask(const Message& message) override;

private:
    QWidget* dialogParent() const;
    // Where a dialog of the kind opens (see DialogFolders), and where it was left.
    QString startFolder(const std::string& kind, const QString& fallback) const;
    void leftIn(const std::string& kind, const QString& folder);

    QString workingFolder_;
    QPointer<QWidget> parent_;
    DialogFolders folders_;
    // Shape files first: the examples and everything the shape editor saves are ".shp", so the
    // first opening lists files instead of an empty folder; DXF is one click away in the same
    // list, and the type last used is kept for the rest of the run.
    ShapeFileType lastShapeType_ = ShapeFileType::Shp;
};

} // namespace dravenor
