#pragma once
// A settings table of the working folder edited in a grid with the typing rules of every grid
// (the density table, the cut table). "Done" saves the table through its file's own module and
// shows what the file then holds; "Cancel" leaves the file as it was.
#include <QDialog>
#include <QString>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "job/cell_editing.h"
#include "job/text_grid.h"
#include "ui/dialog_service.h"

class QPushButton;

namespace dravenor {

class GridView;

// How one table file reaches the grid and back.
struct TableFile {
    std::string title;      // the window's caption
    std::string helpAnchor; // the help page's anchor for F1
    // The grid of the file's rows; problems with rows left out are added to the warnings.
    std::function<TextGrid(std::vector<std::string>& warnings)> load;
    // Saves the grid's rows; returns "" or the message (the file is then unchanged).
    std::function<std::string(const TextGrid& grid)> save;
    // The unit of each column that has one, shown in its header.
    std::map<std::string, std::string> units = {};
};

class TableWindow : public QDialog, private GridEditHost {
    Q_OBJECT
public:
    TableWindow(DialogService& dialogs, TableFile file, QWidget* parent = nullptr);
    ~TableWindow() override;

    TextGrid& grid() { return grid_; }
    GridView* gridView() const { return gridView_; }
    QPushButton* doneButton() const { return doneButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }

    // Saves the table and closes the window. When the save fails the user is told why and the
    // window stays open with the edits; returns whether it was saved.
    bool done();
    // Closes the window without writing anything.
    void cancel();

private:
    bool beforeChange(int keyCode) override;
    std::vector<std::string> chooseFiles(const TextGrid& grid, bool multiple) override;
    void buildWidgets();

    DialogService& dialogs_;
    TableFile file_;
    TextGrid grid_;

    GridView* gridView_ = nullptr;
    QPushButton* doneButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};

} // namespace dravenor
