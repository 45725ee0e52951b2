#include "stock/stock_folder.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <set>

#include "job/files.h"

namespace dravenor {

namespace fs = std::filesystem;

namespace {

constexpr const char* kJournalHeader = "DRAVENOR STOCK JOURNAL\n";

// The tests stop a change at a given step as a kill would ("DRAVENOR_STOCK_STOP_AT=4").
void stopHereForTests(int step)
{
    const char* at = std::getenv("DRAVENOR_STOCK_STOP_AT");
    if (at && std::atoi(at) == step) std::raise(SIGKILL);
}

// The exclusive lock of the stock folder, held while the object lives.
class StockLock {
public:
    explicit StockLock(const std::string& folder)
    {
        const std::string path = stockPath(folder, kStockLockName);
        fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd_ < 0) {
            error_ = "cannot lock the stock: " + path + ": " + std::strerror(errno);
            return;
        }
        while (::flock(fd_, LOCK_EX) != 0) {
            if (errno == EINTR) continue;
            error_ = "cannot lock the stock: " + path + ": " + std::strerror(errno);
            return;
        }
    }
    ~StockLock()
    {
        if (fd_ >= 0) ::close(fd_); // closing releases the lock
    }
    StockLock(const StockLock&) = delete;
    StockLock& operator=(const StockLock&) = delete;
    const std::string& error() const { return error_; }

private:
    int fd_ = -1;
    std::string error_;
};

std::string journalText(const std::string& index, const std::string& history)
{
    return std::string(kJournalHeader) + kStockIndexName + " " + std::to_string(index.size()) + "\n" + index +
        kStockHistoryName + " " + std::to_string(history.size()) + "\n" + history + "END\n";
}

// One "NAME LENGTH\n" block of the journal at `at`; false when the journal does not hold it whole.
bool journalBlock(const std::string& journal, size_t& at, const std::string& name, std::string& out)
{
    const std::string head = name + " ";
    if (journal.compare(at, head.size(), head) != 0) return false;
    const size_t lineEnd = journal.find('\n', at);
    if (lineEnd == std::string::npos) return false;
    const std::string count = journal.substr(at + head.size(), lineEnd - at - head.size());
    char* end = nullptr;
    const unsigned long long length = std::strtoull(count.c_str(), &end, 10);
    if (count.empty() || *end != '\0' || length > journal.size() - lineEnd - 1) return false;
    out = journal.substr(lineEnd + 1, length);
    at = lineEnd + 1 + length;
    return true;
}

// Replaces the tables from the journal and removes it: the second half of a change.
std::string applyJournal(const std::string& folder, const std::string& journal)
{
    size_t at = std::strlen(kJournalHeader);
    std::string index, history;
    if (journal.compare(0, at, kJournalHeader) != 0 || !journalBlock(journal, at, kStockIndexName, index) ||
        !journalBlock(journal, at, kStockHistoryName, history) || journal.compare(at, std::string::npos, "END\n") != 0)
        return stockPath(folder, kStockJournalName) + " is damaged; the stock is left as it is";
    if (std::string e = writeFileAtomically(stockPath(folder, kStockIndexName), index); !e.empty()) return e;
    stopHereForTests(5);
    if (std::string e = writeFileAtomically(stockPath(folder, kStockHistoryName), history); !e.empty()) return e;
    stopHereForTests(6);
    std::error_code ec;
    fs::remove(stockPath(folder, kStockJournalName), ec);
    if (ec) return "cannot remove " + stockPath(folder, kStockJournalName) + ": " + ec.message();
    return "";
}

// A change a killed process left in its journal is finished first.
std::string finishLeftJournal(const std::string& folder)
{
    const std::string path = stockPath(folder, kStockJournalName);
    if (!fileExists(path)) return "";
    const FileText journal = readWholeFile(path);
    if (!journal.bytes) return journal.error;
    return applyJournal(folder, *journal.bytes);
}

std::string readTables(const std::string& folder, StockTables& tables)
{
    const std::pair<const char*, std::function<StockTableRead(const std::string&)>> files[] = {
        {kStockIndexName, [&](const std::string& t) { return parseStockIndex(t, tables.plates); }},
        {kStockHistoryName, [&](const std::string& t) { return parseStockHistory(t, tables.history); }},
    };
    for (const auto& [name, parse] : files) {
        const std::string path = stockPath(folder, name);
        std::error_code ec;
        if (!fs::exists(path, ec)) continue;
        const FileText text = readWholeFile(path);
        if (!text.bytes) return text.error;
        const StockTableRead read = parse(*text.bytes);
        if (!read.ok()) return stockPath(folder, "") + read.error + "; the stock is left as it is";
    }
    return "";
}

constexpr const char* kSnapshotPrefix = "cut-";
constexpr const char* kSnapshotSuffix = ".csv";

// The history rows a snapshot's file name stands for, or nothing for other names.
std::optional<size_t> snapshotRows(const std::string& name)
{
    const std::string prefix = kSnapshotPrefix, suffix = kSnapshotSuffix;
    if (name.size() <= prefix.size() + suffix.size() || !name.starts_with(prefix) || !name.ends_with(suffix))
        return std::nullopt;
    const std::string digits = name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
    if (digits.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
    return static_cast<size_t>(std::stoull(digits));
}

std::vector<std::string> snapshotsIn(const std::string& folder)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec))
        if (snapshotRows(entry.path().filename().string())) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return *snapshotRows(a) < *snapshotRows(b);
    });
    return names;
}

void addPlateFiles(const std::vector<StockPlate>& plates, std::set<std::string>& names)
{
    for (const StockPlate& p : plates)
        if (p.shapeFile.find_first_of("/\\") == std::string::npos) names.insert(p.shapeFile);
}

std::vector<StockPlate> snapshotPlates(const std::string& text)
{
    std::vector<StockPlate> plates;
    parseStockIndex(text, plates);
    return plates;
}

// After a change: snapshots it did not write are dropped, then the shape files that plates or
// dropped snapshots named before and that neither a plate nor the kept snapshot names now.
void removeLeftBehind(const std::string& folder, const StockTables& before, const StockTables& after,
                      const std::vector<StockNewFile>& written)
{
    std::set<std::string> gone, kept;
    addPlateFiles(before.plates, gone);
    std::set<std::string> writtenNames;
    for (const StockNewFile& file : written) {
        writtenNames.insert(file.name);
        if (snapshotRows(file.name)) addPlateFiles(snapshotPlates(file.text), kept);
    }
    std::error_code ec;
    for (const std::string& name : snapshotsIn(folder)) {
        if (writtenNames.count(name)) continue;
        const FileText text = readWholeFile(stockPath(folder, name));
        if (text.bytes) addPlateFiles(snapshotPlates(*text.bytes), gone);
        fs::remove(stockPath(folder, name), ec);
    }
    addPlateFiles(after.plates, kept);
    for (const std::string& name : gone)
        if (!kept.count(name)) fs::remove(stockPath(folder, name), ec);
}

} // namespace

std::string stockPath(const std::string& folder, const std::string& name)
{
    return withTrailingSeparator(folder.empty() ? "." : folder) + name;
}

std::string defaultStockFolder(const std::string& workingFolder)
{
    return stockPath(workingFolder, "stock");
}

StockResult readStock(const std::string& folder)
{
    StockResult result;
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) {
        if (fs::exists(folder, ec)) result.error = folder + " is not a folder";
        return result;
    }
    const StockLock lock(folder);
    if (!lock.error().empty()) return {lock.error(), {}};
    result.error = finishLeftJournal(folder);
    if (result.ok()) result.error = readTables(folder, result.tables);
    return result;
}

StockResult changeStock(const std::string& folder, const StockEdit& edit)
{
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (!fs::is_directory(folder, ec)) return {"cannot make the stock folder " + folder, {}};
    const StockLock lock(folder);
    if (!lock.error().empty()) return {lock.error(), {}};
    stopHereForTests(1);
    StockResult result;
    if (std::string e = finishLeftJournal(folder); !e.empty()) return {e, {}};
    if (std::string e = readTables(folder, result.tables); !e.empty()) return {e, {}};
    const StockTables before = result.tables;
    std::vector<StockNewFile> files;
    if (std::string refused = edit(result.tables, files); !refused.empty()) return {refused, before};

    size_t written = 0;
    const auto undo = [&](const std::string& e) {
        for (size_t i = 0; i < written; ++i) fs::remove(stockPath(folder, files[i].name), ec);
        return StockResult{e + "; the stock is left as it was", before};
    };
    for (const StockNewFile& file : files) {
        if (std::string e = writeFileAtomically(stockPath(folder, file.name), file.text); !e.empty()) return undo(e);
        ++written;
        stopHereForTests(2);
    }
    stopHereForTests(3);
    const std::string journal = journalText(stockIndexText(result.tables.plates), stockHistoryText(result.tables.history));
    if (std::string e = writeFileAtomically(stockPath(folder, kStockJournalName), journal); !e.empty()) return undo(e);
    stopHereForTests(4);
    if (std::string e = applyJournal(folder, journal); !e.empty())
        return {e + "; the change is kept in " + kStockJournalName + " and finished by the next use of the stock",
                result.tables};
    stopHereForTests(7);
    removeLeftBehind(folder, before, result.tables, files);
    return result;
}

std::string cutSnapshotName(size_t historyRows)
{
    return kSnapshotPrefix + std::to_string(historyRows) + kSnapshotSuffix;
}

std::optional<CutSnapshot> keptCutSnapshot(const std::string& folder)
{
    const std::vector<std::string> names = snapshotsIn(folder);
    if (names.empty()) return std::nullopt;
    const FileText text = readWholeFile(stockPath(folder, names.back()));
    CutSnapshot snapshot;
    snapshot.historyRows = *snapshotRows(names.back());
    if (!text.bytes || !parseStockIndex(*text.bytes, snapshot.plates).ok()) return std::nullopt;
    return snapshot;
}

} // namespace dravenor

namespace dravenor {

namespace {
constexpr const char* kStockSettingName = "stock.cfg";
}

std::string configuredStockFolder(const std::string& workingFolder)
{
    const FileText text = readWholeFile(stockPath(workingFolder, kStockSettingName));
    std::string folder = text.bytes.value_or("");
    while (!folder.empty() && (folder.back() == '\n' || folder.back() == '\r')) folder.pop_back();
    const size_t lineEnd = folder.find_first_of("\r\n");
    if (lineEnd != std::string::npos) folder.resize(lineEnd);
    return folder.empty() ? defaultStockFolder(workingFolder) : folder;
}

std::string saveStockFolderSetting(const std::string& workingFolder, const std::string& stockFolder)
{
    return writeFileAtomically(stockPath(workingFolder, kStockSettingName), stockFolder + "\r\n");
}

} // namespace dravenor
