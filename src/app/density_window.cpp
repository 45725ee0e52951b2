#include "app/density_window.h"

#include "job/density_table.h"

namespace dravenor {

namespace {

TableFile densityFile(const std::string& folder)
{
    return {kDensityWindowTitle, "index.html#density",
            [folder](std::vector<std::string>& warnings) { return densityGrid(readDensityTable(folder, warnings)); },
            [folder](const TextGrid& grid) { return saveDensityTable(densityTableFromGrid(grid), folder); },
            {{"Density", kDensityUnit}}};
}

} // namespace

DensityWindow::DensityWindow(DialogService& dialogs, const QString& workingFolder, QWidget* parent)
    : TableWindow(dialogs, densityFile(workingFolder.toStdString()), parent)
{
}

} // namespace dravenor
