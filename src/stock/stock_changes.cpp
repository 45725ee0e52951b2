#include "stock/stock_changes.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "geometry/primitives.h"
#include "geometry/shape_file.h"
#include "geometry/shape_measure.h"

namespace dravenor {

namespace fs = std::filesystem;

namespace {

std::string plateFileName(const char* prefix, std::int64_t id)
{
    return prefix + std::to_string(id) + ".shp";
}

// A plate row for a shape moved to the origin.
StockPlate plateOf(std::int64_t id, const std::string& file, const Shape& shape, const PlateMaterial& material,
                   std::int64_t quantity, const std::string& date)
{
    StockPlate p;
    p.id = id;
    p.shapeFile = file;
    p.material = material.material;
    p.grade = material.grade;
    p.thickness = material.thickness;
    // Sizes to a millionth of a millimetre: the index is read by people, and the arithmetic that
    // cut the shape leaves digits no plate has.
    const auto rounded = [](double v, double unit) { return std::round(v / unit) * unit; };
    const Extents box = shapeExtents(shape);
    p.width = rounded(box.width(), 1e-6);
    p.length = rounded(box.height(), 1e-6);
    p.area = rounded(enclosedArea(shape), 1e-4);
    p.quantity = quantity;
    p.date = date;
    return p;
}

std::string noPlate(std::int64_t id) { return "the stock has no plate " + std::to_string(id); }

std::string canonical(const std::string& path)
{
    std::error_code ec;
    const fs::path p = fs::weakly_canonical(fs::absolute(path, ec), ec);
    return ec ? path : p.string();
}

} // namespace

StockResult addPlate(const std::string& folder, Shape shape, const PlateMaterial& material, std::int64_t quantity,
                     const std::string& date, double price)
{
    normaliseShape(shape);
    if (enclosedArea(shape) <= 0) return {"the plate's shape has no closed outline", {}};
    if (quantity < 1) return {"the quantity must be a whole number from 1 up", {}};
    if (!(price >= 0 && price <= 1e9)) return {"the price must be a number from 0 to 1000000000", {}};
    return changeStock(folder, [&](StockTables& tables, std::vector<StockNewFile>& files) {
        const std::int64_t id = tables.nextId();
        const std::string file = plateFileName("P", id);
        files.push_back({file, shapeToFileText(shape)});
        tables.plates.push_back(plateOf(id, file, shape, material, quantity, date));
        tables.plates.back().price = price;
        StockChangeRecord record;
        record.date = date;
        record.change = "add";
        record.count = quantity;
        record.added = {id};
        tables.history.push_back(record);
        return std::string();
    });
}

StockResult setPlateQuantity(const std::string& folder, std::int64_t id, std::int64_t quantity, const std::string& date)
{
    if (quantity < 0) return {"the quantity must be a whole number from 0 up", {}};
    return changeStock(folder, [&](StockTables& tables, std::vector<StockNewFile>&) {
        StockPlate* plate = tables.plate(id);
        if (!plate) return noPlate(id);
        StockChangeRecord record;
        record.date = date;
        record.change = quantity == 0 ? "remove" : "quantity";
        record.count = quantity;
        record.taken = {id};
        if (quantity == 0) std::erase_if(tables.plates, [&](const StockPlate& p) { return p.id == id; });
        else plate->quantity = quantity;
        tables.history.push_back(record);
        return std::string();
    });
}

StockResult removePlate(const std::string& folder, std::int64_t id, const std::string& date)
{
    return setPlateQuantity(folder, id, 0, date);
}

std::optional<std::string> alreadyCut(const StockTables& tables, const std::string& job, std::int32_t layoutNo,
                                      const std::string& fingerprint)
{
    for (const StockChangeRecord& r : tables.history)
        if (r.change == kCutChange && r.job == job && r.layout == layoutNo && r.fingerprint == fingerprint) return r.date;
    return std::nullopt;
}

CutResult cutLayouts(const std::string& folder, const CutRequest& request)
{
    CutResult result;
    result.stock = changeStock(folder, [&](StockTables& tables, std::vector<StockNewFile>& files) -> std::string {
        result.remnantIds.clear();
        // The plates as they were, so that the cut can be taken back while it is the last change.
        files.push_back({cutSnapshotName(tables.history.size()), stockIndexText(tables.plates)});
        for (const CutLayout& cut : request.layouts) {
            if (cut.count < 1) return "layout " + std::to_string(cut.layoutNo) + ": the count must be from 1 up";
            const auto date = alreadyCut(tables, request.job, cut.layoutNo, cut.fingerprint);
            result.cutBefore = date && !request.again;
            if (result.cutBefore)
                return "layout " + std::to_string(cut.layoutNo) + " of " + request.job +
                    " was taken into the stock on " + *date + " already";
            if (cut.usedPlate > 0) {
                StockPlate* plate = tables.plate(cut.usedPlate);
                if (!plate) return "layout " + std::to_string(cut.layoutNo) + ": " + noPlate(cut.usedPlate);
                if (plate->quantity < cut.count)
                    return "layout " + std::to_string(cut.layoutNo) + " needs " + std::to_string(cut.count) +
                        " of plate " + std::to_string(cut.usedPlate) + ", the stock has " +
                        std::to_string(plate->quantity);
                plate->quantity -= cut.count;
            }
            StockChangeRecord record;
            record.date = request.date;
            record.change = kCutChange;
            record.job = request.job;
            record.layout = cut.layoutNo;
            record.fingerprint = cut.fingerprint;
            record.count = cut.count;
            if (cut.usedPlate > 0) record.taken = {cut.usedPlate};
            std::int64_t newId = 0;
            if (cut.remnant) {
                Shape shape = *cut.remnant;
                normaliseShape(shape);
                newId = tables.nextId();
                const std::string file = plateFileName("R", newId);
                files.push_back({file, shapeToFileText(shape)});
                StockPlate plate = plateOf(newId, file, shape, request.material, cut.count, request.date);
                plate.sourceJob = request.job;
                plate.layout = cut.layoutNo;
                tables.plates.push_back(plate);
                record.added = {newId};
            }
            tables.history.push_back(record);
            result.remnantIds.push_back(newId);
        }
        std::erase_if(tables.plates, [](const StockPlate& p) { return p.quantity == 0; });
        return "";
    });
    return result;
}

UndoResult undoLastCut(const std::string& folder, const std::string& date)
{
    UndoResult result;
    result.stock = changeStock(folder, [&](StockTables& tables, std::vector<StockNewFile>&) -> std::string {
        const std::optional<CutSnapshot> snapshot = keptCutSnapshot(folder);
        constexpr const char* kNothing = "the stock's last change is not a cut: there is no cut to take back";
        if (!snapshot || snapshot->historyRows >= tables.history.size()) return kNothing;
        const auto cut = tables.history.begin() + static_cast<std::ptrdiff_t>(snapshot->historyRows);
        if (!std::all_of(cut, tables.history.end(), [](const StockChangeRecord& r) { return r.change == kCutChange; }))
            return kNothing;
        StockChangeRecord undo;
        undo.date = date;
        undo.change = kUndoCutChange;
        undo.job = cut->job;
        for (auto r = cut; r != tables.history.end(); ++r) {
            r->change = kUndoneCutChange;
            result.layouts.push_back(r->layout);
            ++undo.count;
            undo.taken.insert(undo.taken.end(), r->added.begin(), r->added.end());
            undo.added.insert(undo.added.end(), r->taken.begin(), r->taken.end());
        }
        if (undo.count == 1) undo.layout = result.layouts.front();
        // Layouts cut from the same plate name it once.
        for (std::vector<std::int64_t>* ids : {&undo.taken, &undo.added}) {
            std::vector<std::int64_t> once;
            for (std::int64_t id : *ids)
                if (std::find(once.begin(), once.end(), id) == once.end()) once.push_back(id);
            *ids = std::move(once);
        }
        result.job = undo.job;
        result.remnantsTaken = undo.taken;
        result.platesReturned = undo.added;
        tables.history.push_back(undo);
        tables.plates = snapshot->plates;
        return "";
    });
    return result;
}

namespace {

template <class Number>
std::string listText(const std::vector<Number>& numbers)
{
    std::string text;
    for (size_t i = 0; i < numbers.size(); ++i) text += (i ? ", " : "") + std::to_string(numbers[i]);
    return text;
}

std::string namedList(const char* one, const char* many, const std::vector<std::int64_t>& ids, const char* done)
{
    return std::string(ids.size() == 1 ? one : many) + " " + listText(ids) + " " + done;
}

} // namespace

std::string undoneCutText(const UndoResult& undone)
{
    std::vector<std::string> parts;
    if (!undone.platesReturned.empty()) parts.push_back(namedList("plate", "plates", undone.platesReturned, "returned"));
    if (!undone.remnantsTaken.empty()) parts.push_back(namedList("remnant", "remnants", undone.remnantsTaken, "taken out"));
    std::string text = std::string("The cut of ") + (undone.layouts.size() == 1 ? "layout " : "layouts ") +
        listText(undone.layouts) + " of " + undone.job + " was taken back";
    for (size_t i = 0; i < parts.size(); ++i) text += (i ? ", " : ": ") + parts[i];
    return text + ".";
}

std::int64_t plateOfSheetFile(const StockTables& tables, const std::string& folder, const std::string& sheetFile)
{
    const std::string sheet = canonical(sheetFile);
    for (const StockPlate& p : tables.plates)
        if (canonical(stockPath(folder, p.shapeFile)) == sheet) return p.id;
    return 0;
}

std::vector<std::int64_t> remnantIdsOfJob(const StockTables& tables, const std::string& job, std::int32_t layouts)
{
    std::vector<std::int64_t> ids(static_cast<size_t>(std::max(0, layouts)) + 1, 0);
    for (const StockChangeRecord& r : tables.history)
        if (r.change == kCutChange && r.job == job && r.layout >= 1 && r.layout <= layouts && !r.added.empty())
            ids[static_cast<size_t>(r.layout)] = r.added.front();
    return ids;
}

} // namespace dravenor

#include <ctime>

namespace dravenor {

std::string todayText()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &local);
    return text;
}

} // namespace dravenor
