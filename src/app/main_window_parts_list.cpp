// File > Import Parts List... and Import Parts Folder...: parts lists and folders read by the
// core, their faults and left-out rows shown, their rows added to the part grid.
#include <QMenu>

#include "app/app_info.h"
#include "app/main_window.h"
#include "app/layout_panel.h"
#include "job/number_format.h"
#include "job/parts_folder.h"
#include "job/parts_list.h"
#include "job/parts_list_grid.h"

namespace dravenor {

namespace {

constexpr int kMenuCommand = 0; // a change made from a menu, not by a key
// Lines shown in the box itself; all of them are behind "Show Details...".
constexpr size_t kLinesShown = 12;

struct Listing {
    std::string shown, all;
};

// The lines one under the other, at most kLinesShown of them in `shown`.
Listing listingOf(const std::vector<std::string>& lines)
{
    Listing listing;
    for (size_t i = 0; i < lines.size(); ++i) {
        listing.all += lines[i] + "\n";
        if (i < kLinesShown) listing.shown += lines[i] + "\n";
    }
    if (lines.size() > kLinesShown)
        listing.shown += "... and " + std::to_string(lines.size() - kLinesShown) + " more (Show Details...)\n";
    return listing;
}

std::vector<std::string> faultLines(const PartsList& list)
{
    std::vector<std::string> lines;
    for (const PartsListFault& fault : list.faults) lines.push_back(faultText(fault));
    return lines;
}

std::vector<std::string> leftOutLines(const PartsList& list)
{
    std::vector<std::string> lines;
    for (const LeftOutRow& left : list.otherStock)
        lines.push_back("line " + std::to_string(left.row.line) + ": " + left.reason);
    return lines;
}

std::string rowsNoun(size_t count)
{
    return countedNoun(static_cast<int>(count), "row", "rows");
}

} // namespace

void MainWindow::buildPartsImportItems(QMenu* file)
{
    file->addAction(tr("Import Parts &List..."), this, &MainWindow::importPartsList);
    file->addAction(tr("Import Parts &Folder..."), this, &MainWindow::importPartsFolder);
}

void MainWindow::importPartsList()
{
    const std::string path = dialogs_.openFileName("Import Parts List", "Parts lists (*.csv *.txt);;All files (*)");
    if (path.empty()) return;
    const std::string thick = job_.basic.text(1, job_.basic.columnOf("Thick"));
    const JobStock stock{job_.basic.text(1, job_.basic.columnOf("Mat")), numberFromText(thick).value_or(0)};
    addListedParts(readPartsListFile(path, stock), path);
}

void MainWindow::importPartsFolder()
{
    const std::string folder = dialogs_.selectFolder("Import Parts Folder");
    if (folder.empty()) return;
    addListedParts(readPartsFolder(folder), folder);
}

void MainWindow::addListedParts(const PartsList& list, const std::string& source)
{
    const std::string title = appTitle().toStdString();
    const Listing leftOut = listingOf(leftOutLines(list));
    const std::string leftOutText =
        leftOut.all.empty() ? "" : "\nLeft out, for another material or thickness than the job's:\n" + leftOut.shown;
    if (!list.faults.empty()) {
        const Listing faults = listingOf(faultLines(list));
        const std::string head = source + ": " +
                                 countedNoun(static_cast<int>(list.faults.size()), "bad line", "bad lines") + "\n" +
                                 faults.shown + leftOutText;
        const std::string details = faults.all + (leftOut.all.empty() ? "" : "\n" + leftOut.all);
        if (list.rows.empty()) {
            dialogs_.message({head + "\nNothing was imported.", title, DialogService::Icon::Exclamation,
                              DialogService::Buttons::Ok, DialogService::Answer::Ok, details});
            return;
        }
        // Going on by Enter would import a list the user has not read: No is the default.
        const std::string question = head + "\nImport the " + rowsNoun(list.rows.size()) + " without faults?";
        if (dialogs_.message({question, title, DialogService::Icon::Exclamation, DialogService::Buttons::YesNo,
                              DialogService::Answer::No, details}) != DialogService::Answer::Yes)
            return;
    }
    if (list.rows.empty()) {
        dialogs_.message({source + ": no rows for this job" + leftOutText, title, DialogService::Icon::Information,
                          DialogService::Buttons::Ok, DialogService::Answer::Ok, leftOut.all});
        return;
    }
    if (!host_.beforeChange(kMenuCommand)) return;
    appendPartRows(job_.parts, list.rows);
    job_.modified = true;
    refreshGrids();
    refreshPreview(PartGrid);
    if (list.faults.empty() && !list.otherStock.empty())
        dialogs_.message({rowsNoun(list.rows.size()) + " imported from " + source + leftOutText, title,
                          DialogService::Icon::Information, DialogService::Buttons::Ok, DialogService::Answer::Ok,
                          leftOut.all});
}

} // namespace dravenor
