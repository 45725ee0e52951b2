#pragma once
// The changes a user makes to the stock: plates added, removed, their quantity set, and layouts
// cut (the plates they used taken out, their remnants put in). Each is one changeStock.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "geometry/shape.h"
#include "stock/stock_folder.h"

namespace dravenor {

// History rows: a layout cut, one taken back, and the row of the taking back.
inline constexpr const char* kCutChange = "cut";
inline constexpr const char* kUndoneCutChange = "cut undone";
inline constexpr const char* kUndoCutChange = "undo cut";

// What a plate is made of.
struct PlateMaterial {
    std::string material, grade;
    double thickness = 0;
};

// Adds a plate of the shape (moved to the origin and kept as "P<id>.shp" in the folder), at a
// price per plate (0: priced by its weight). Returns the tables after the change; the new plate is
// the last row.
StockResult addPlate(const std::string& folder, Shape shape, const PlateMaterial& material, std::int64_t quantity,
                     const std::string& date, double price = 0);
// Removes the plate with the id (its shape file too).
StockResult removePlate(const std::string& folder, std::int64_t id, const std::string& date);
// Sets the quantity of the plate; 0 removes it.
StockResult setPlateQuantity(const std::string& folder, std::int64_t id, std::int64_t quantity, const std::string& date);

// One layout being cut `count` times.
struct CutLayout {
    std::int32_t layoutNo = 0;
    std::int64_t count = 1;
    std::string fingerprint;      // layoutFingerprint
    std::int64_t usedPlate = 0;   // the stock plate its sheet is, 0 when the sheet is not from stock
    std::optional<Shape> remnant; // a kept remnant (any position; stored moved to the origin)
};

struct CutRequest {
    std::string job;              // the job file, as it is recorded
    PlateMaterial material;
    std::string date;
    std::vector<CutLayout> layouts;
    bool again = false;           // cut layouts the stock already took in
};

struct CutResult {
    StockResult stock;
    std::vector<std::int64_t> remnantIds; // per layout of the request, 0 when it left no remnant
    bool cutBefore = false;               // refused: a layout was taken in before
};

// The date of a cut of this layout already taken into the stock, or nothing.
std::optional<std::string> alreadyCut(const StockTables& tables, const std::string& job, std::int32_t layoutNo,
                                      const std::string& fingerprint);

// Takes the used plates out and the remnants in, all layouts in one change. Refused as a whole
// when a layout was cut before (unless again), or a used plate is missing or has too few left.
CutResult cutLayouts(const std::string& folder, const CutRequest& request);

// Takes back the stock's last change when it was a cut (of one layout or several at once): the
// plates and remnants are as they were before it, exactly; its history rows say "cut undone"
// and an "undo cut" row follows. Refused when anything else changed the stock since.
struct UndoResult {
    StockResult stock;
    std::string job;                      // the job of the cut taken back
    std::vector<std::int32_t> layouts;    // its layouts
    std::vector<std::int64_t> remnantsTaken, platesReturned;
};
UndoResult undoLastCut(const std::string& folder, const std::string& date);
// "The cut of layouts 1, 2 of /jobs/a.nst was taken back: plate 4 returned, remnant 7 taken out."
std::string undoneCutText(const UndoResult& undone);

// The plate whose shape file is this sheet file, or 0.
std::int64_t plateOfSheetFile(const StockTables& tables, const std::string& folder, const std::string& sheetFile);

// The remnant ids a stock took in for the job's layouts, by layout number (0: none), for the
// report, the printout and the drawings.
std::vector<std::int64_t> remnantIdsOfJob(const StockTables& tables, const std::string& job, std::int32_t layouts);

} // namespace dravenor

namespace dravenor {

// Today's date on this machine, "YYYY-MM-DD", as the stock records it.
std::string todayText();

} // namespace dravenor
