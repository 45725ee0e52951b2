#include "app/cut_table_window.h"

#include "cutting/cut_table.h"
#include "job/files.h"

namespace dravenor {

namespace {

TableFile cutTableFile(const std::string& folder)
{
    const std::string path = cutting::cutTablePath(folder);
    auto load = [path](std::vector<std::string>& warnings) {
        if (!fileExists(path)) return cutting::cutTableGrid({});
        return cutting::cutTableGrid(cutting::readCutTableFile(path, warnings));
    };
    auto save = [path](const TextGrid& grid) -> std::string {
        std::vector<std::string> errors;
        const cutting::CutTable table = cutting::cutTableFromGrid(grid, errors);
        if (!errors.empty()) return joinedLines(errors);
        return cutting::saveCutTableFile(table, path);
    };
    return {kCutTableWindowTitle, "index.html#cut-table", load, save, cutting::cutTableUnits()};
}

} // namespace

CutTableWindow::CutTableWindow(DialogService& dialogs, const QString& workingFolder, QWidget* parent)
    : TableWindow(dialogs, cutTableFile(workingFolder.toStdString()), parent)
{
}

} // namespace dravenor
