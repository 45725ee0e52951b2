#pragma once
// The density table window: materials and their densities in a grid with the typing rules of
// every grid. "Done" stores the table sorted by material in density.dat of the working folder;
// "Cancel" leaves the file as it was.
#include <QDialog>
#include <QString>
#include <string>
#include <vector>

#include "job/cell_editing.h"
#include "job/text_grid.h"
#include "ui/dialog_service.h"

class QPushButton;

namespace dravenor {

class GridView;

inline constexpr const char* kDensityWindowTitle = "Density Table";

class DensityWindow : public QDialog, private GridEditHost {
    Q_OBJECT
public:
    DensityWindow(DialogService& dialogs, const QString& workingFolder, QWidget* parent = nullptr);
    ~DensityWindow() override;

    TextGrid& grid() { return grid_; }
    GridView* gridView() const { return gridView_; }
    QPushButton* doneButton() const { return doneButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }

    // Sorts the rows, saves the table and closes the window. When the save fails the user is told
    // why and the window stays open with the edits; returns whether it was saved.
    bool done();
    // Closes the window without writing anything.
    void cancel();

private:
    bool beforeChange(int keyCode) override;
    std::vector<std::string> chooseFiles(const TextGrid& grid, bool multiple) override;

    // Reads density.dat into the grid; returns the warnings about rows left out.
    std::vector<std::string> load();
    void buildWidgets();

    DialogService& dialogs_;
    std::string workingFolder_;
    TextGrid grid_;

    GridView* gridView_ = nullptr;
    QPushButton* doneButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};

} // namespace dravenor
