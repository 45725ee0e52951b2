#pragma once
// The stock folder: stock.csv, history.csv and the plates' shape files. Every change runs under
// an exclusive lock on "stock.lock" (released by the system when a process dies) and lands
// whole or not at all:
//   1. new shape files are written (new names only, so a failure leaves the tables as they were);
//   2. the new tables are written together into "stock.journal", renamed into place: from here
//      the change has happened;
//   3. stock.csv and history.csv are replaced from it (each by a rename), and the journal removed.
// Whoever takes the lock next finishes a journal a killed process left behind. A table that
// cannot be read is reported with its line and never written over.
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "stock/stock_index.h"

namespace dravenor {

inline constexpr const char* kStockLockName = "stock.lock";
inline constexpr const char* kStockJournalName = "stock.journal";

// A shape file a change adds: its name in the stock folder and its text.
struct StockNewFile {
    std::string name;
    std::string text;
};

// What a change does with the current tables: it edits them (and may name new files to write
// first); a non-empty return refuses the change, and nothing is written.
using StockEdit = std::function<std::string(StockTables& tables, std::vector<StockNewFile>& files)>;

struct StockResult {
    std::string error;   // "" when it worked
    StockTables tables;  // as they are after the change (or as read)
    bool ok() const { return error.empty(); }
};

// The plate table as it stood before the last cut, kept (in stock.csv's form) while that cut is
// the stock's last change so that it can be taken back: "cut-ROWS.csv", ROWS being the history's
// rows before the cut. A change that writes one drops the others; any other change drops them
// all, and with them the shape files only they named.
std::string cutSnapshotName(size_t historyRows);
struct CutSnapshot {
    size_t historyRows = 0;
    std::vector<StockPlate> plates;
};
// The snapshot the folder keeps, or nothing (none, or one that cannot be read).
std::optional<CutSnapshot> keptCutSnapshot(const std::string& folder);

// The tables under the lock (finishing a left-over journal first). A missing folder or missing
// tables read as an empty stock.
StockResult readStock(const std::string& folder);

// Applies the edit under the lock, as described above; the folder is created when missing.
// Shape files no plate names any more are deleted afterwards.
StockResult changeStock(const std::string& folder, const StockEdit& edit);

// A stock folder path with the file name appended.
std::string stockPath(const std::string& folder, const std::string& name);

// The stock folder of a working folder: "stock" in it.
std::string defaultStockFolder(const std::string& workingFolder);

} // namespace dravenor

namespace dravenor {

// The stock folder a user chose, kept in "stock.cfg" of the working folder (one line, the
// folder); the working folder's "stock" when there is no such file or it is empty.
std::string configuredStockFolder(const std::string& workingFolder);
// Keeps the choice; "" or why it could not be written.
std::string saveStockFolderSetting(const std::string& workingFolder, const std::string& stockFolder);

} // namespace dravenor
