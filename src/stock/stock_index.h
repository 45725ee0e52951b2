#pragma once
// The stock's two tables as text: "stock.csv", one row per plate, and "history.csv", one row per
// change (plates added, removed, layouts cut). Both are comma-separated with a header row, fields
// holding a comma or a double quote in double quotes, so a spreadsheet opens them. Only this
// module reads and writes them; the stock folder's changes go through stock_folder.h.
#include <cstdint>
#include <string>
#include <vector>

namespace dravenor {

inline constexpr const char* kStockIndexName = "stock.csv";
inline constexpr const char* kStockHistoryName = "history.csv";

struct StockPlate {
    std::int64_t id = 0;         // from 1, never used twice in one stock
    std::string shapeFile;       // relative to the stock folder
    std::string material, grade;
    double thickness = 0;
    double width = 0, length = 0; // the plate's extents
    double area = 0;              // true area, holes subtracted
    std::int64_t quantity = 0;
    std::string sourceJob;        // the job a remnant was cut from; "" for a plate added by hand
    std::int32_t layout = 0;      // its layout number, 0 for none
    std::string date;             // YYYY-MM-DD it came into the stock
    double price = 0;             // what one plate costs; 0: priced by its weight
    bool isRemnant() const { return layout > 0; }
    bool operator==(const StockPlate&) const = default;
};

// One change of the stock: "add", "remove", "quantity" or "cut".
struct StockChangeRecord {
    std::string date;
    std::string change;
    std::string job;              // a cut: the job file
    std::int32_t layout = 0;      // a cut: its layout
    std::string fingerprint;      // a cut: what the layout held (layoutFingerprint)
    std::int64_t count = 0;       // a cut: sheets cut
    std::vector<std::int64_t> taken, added; // plate ids taken out (or lessened) and put in
    bool operator==(const StockChangeRecord&) const = default;
};

struct StockTables {
    std::vector<StockPlate> plates;
    std::vector<StockChangeRecord> history;
    bool operator==(const StockTables&) const = default;

    // The plate with the id, or nullptr.
    const StockPlate* plate(std::int64_t id) const;
    StockPlate* plate(std::int64_t id);
    // The next free id: above every id the plates and the history ever named.
    std::int64_t nextId() const;
};

// "stock.csv line 4: quantity 'x' is not a whole number from 0 up", or "".
struct StockTableRead {
    std::string error;
    bool ok() const { return error.empty(); }
};

// Reads the plate table text into tables.plates (replaced only when all of it reads).
StockTableRead parseStockIndex(const std::string& text, std::vector<StockPlate>& plates);
StockTableRead parseStockHistory(const std::string& text, std::vector<StockChangeRecord>& history);

std::string stockIndexText(const std::vector<StockPlate>& plates);
std::string stockHistoryText(const std::vector<StockChangeRecord>& history);

// Fields of one comma-separated line; false when a quoted field does not end.
bool splitCsvLine(const std::string& line, std::vector<std::string>& fields);
// The field as written: in double quotes (inner quotes doubled) when it holds a comma, a quote or
// starts or ends with a blank.
std::string csvField(const std::string& text);

} // namespace dravenor
