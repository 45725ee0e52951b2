#pragma once
// The rules the main window applies around grid editing, free of Qt so tests reach them without
// a window: the "change data?" protection of layouts and the multi-file choice for the sheet and
// part grids.
#include <functional>
#include <string>
#include <vector>

#include "job/cell_editing.h"
#include "job/job.h"
#include "layouts/discarded_layouts.h"
#include "ui/dialog_service.h"

namespace dravenor {

// Caption of the shape-selection dialog: "Select Sheet File(s)..." for a grid whose file column
// is "Sheet File Name", else "Select Part File(s)...".
std::string fileSelectionCaption(const TextGrid& grid);

class MainWindowEditHost : public GridEditHost {
public:
    MainWindowEditHost(Job& job, DialogService& dialogs, std::string workingFolder, std::string title);

    // Asks before layouts are thrown away; then discards the results, deletes the working files
    // and marks the job modified. Esc comes here only when it puts typed text back.
    bool beforeChange(int keyCode) override;
    // Cells that leave the layouts as they are (the job's Grade and Note) only mark the job
    // modified; every other cell is guarded as beforeChange guards.
    bool beforeCellChange(const TextGrid& grid, int keyCode) override;
    std::vector<std::string> chooseFiles(const TextGrid& grid, bool multiple) override;
    void fileCellChanged(const TextGrid& grid) override;

    // Called with the grid index (1 sheets, 2 parts) whose file cell may have changed.
    std::function<void(int gridIndex)> onFileCellChanged;
    // Called after the results were discarded, so the window can empty its layout displays.
    std::function<void()> onResultsDiscarded;

    // Throws the optimisation results and the working files away.
    void discardResults();
    // With layouts, asks the question saying which layouts would be discarded; true to go on.
    // Enter keeps layouts made by Deep Nesting: OK must be chosen for them.
    bool agreeToDiscardLayouts(const char* question);

private:
    Job& job_;
    DialogService& dialogs_;
    std::string workingFolder_;
    std::string title_;
};

} // namespace dravenor
