#include <cmath>
#include <ostream>

#include "cli/command.h"
#include "cli/option_parser.h"
#include "cli/stock_options.h"
#include "geometry/shape_file.h"
#include "job/cell_editing.h"
#include "job/number_format.h"
#include "library/standard_shapes.h"
#include "stock/remnant.h"
#include "stock/stock_changes.h"

namespace dravenor::cli {

namespace {

std::int64_t wholeOption(const std::string& option, const std::string& text, std::int64_t least)
{
    const std::optional<double> v = numberFromText(text);
    if (!v || *v != static_cast<double>(static_cast<std::int64_t>(*v)) || *v < static_cast<double>(least) || *v > 1e12)
        throw UsageError{option + " '" + text + "' is not a whole number from " + std::to_string(least) + " up"};
    return static_cast<std::int64_t>(*v);
}

std::string typed(const std::string& option, const std::string& title, const std::string& text)
{
    const TypedText t = typeIntoEmptyCell(title, text);
    if (!t.refusal.empty()) throw UsageError{option + " '" + text + "': " + t.refusal};
    return t.text;
}

void listPlates(const StockTables& tables, std::ostream& out)
{
    out << "id\tquantity\tmaterial\tgrade\tthickness\tsize\tarea\tshape file\tsource\tprice\n";
    for (const StockPlate& p : tables.plates) {
        out << p.id << "\t" << p.quantity << "\t" << p.material << "\t" << p.grade << "\t" << formatGeneral(p.thickness)
            << "\t" << remnantSizeText(p.width, p.length) << "\t"
            << formatGeneral(std::round(p.area)) << "\t" << p.shapeFile << "\t"
            << (p.isRemnant() ? p.sourceJob + " layout " + std::to_string(p.layout) : std::string("added")) << "\t"
            << (p.price > 0 ? formatGeneral(p.price) : std::string()) << "\n";
    }
}

// The plate's shape: a shape file or drawing, or a rectangle "--rect LENGTHxWIDTH".
Shape plateShape(const ParsedArgs& parsed)
{
    if (parsed.has("--rect") == (parsed.positional.size() == 2))
        throw UsageError{"give a shape file or drawing, or --rect LENGTHxWIDTH (see dravenor-cli stock --help)"};
    if (parsed.has("--rect")) {
        const std::string text = parsed.value("--rect");
        const size_t x = text.find('x');
        const std::optional<double> a = x == std::string::npos ? std::nullopt : numberFromText(text.substr(0, x));
        const std::optional<double> b = x == std::string::npos ? std::nullopt : numberFromText(text.substr(x + 1));
        if (!a || !b || *a <= 0 || *b <= 0) throw UsageError{"--rect '" + text + "' is not LENGTHxWIDTH above 0"};
        return lyingPlate(*a, *b);
    }
    Shape shape;
    const std::string& file = parsed.positional[1];
    const ShapeReadReport read = readShapeByExtension(file, shape, drawingUnitOption(parsed));
    if (!read.readable) throw UsageError{read.error};
    if (shape.empty()) throw UsageError{file + " holds no shape (a .shp or .dxf file is needed)"};
    return shape;
}

int stock(const Args& args, std::ostream& out, std::ostream& err)
{
    const ParsedArgs parsed = parseArgs(args, {"--stock", "--mat", "--grade", "--thick", "--qty", "--rect", "--units", "--price"}, {});
    if (parsed.positional.empty()) throw UsageError{"give list, add, remove, quantity or undo (see dravenor-cli stock --help)"};
    const std::string& action = parsed.positional[0];
    const std::string folder = stockFolderOption(parsed);
    StockResult result;
    if (action == "list") {
        if (parsed.positional.size() != 1) throw UsageError{"list takes no further argument"};
        result = readStock(folder);
    } else if (action == "add") {
        PlateMaterial material;
        material.material = typed("--mat", "Mat", parsed.value("--mat"));
        material.grade = typed("--grade", "Grade", parsed.value("--grade"));
        const std::optional<double> thick = numberFromText(parsed.value("--thick"));
        if (!thick || *thick <= 0) throw UsageError{"--thick '" + parsed.value("--thick") + "' is not a thickness above 0"};
        material.thickness = *thick;
        const std::int64_t qty = parsed.has("--qty") ? wholeOption("--qty", parsed.value("--qty"), 1) : 1;
        const std::optional<double> price = numberFromTyped(parsed.value("--price", "0"));
        if (!price || !(*price >= 0 && *price <= 1e9))
            throw UsageError{"--price '" + parsed.value("--price") + "' is not a price from 0 to 1000000000"};
        result = addPlate(folder, plateShape(parsed), material, qty, todayText(), *price);
        if (result.ok()) out << "Plate " << result.tables.plates.back().id << " added to " << folder << "\n";
    } else if (action == "remove" || action == "quantity") {
        const size_t needed = action == "remove" ? 2 : 3;
        if (parsed.positional.size() != needed)
            throw UsageError{action == "remove" ? "give the plate id: stock remove ID" : "give stock quantity ID N"};
        const std::int64_t id = wholeOption("plate id", parsed.positional[1], 1);
        if (action == "remove") result = removePlate(folder, id, todayText());
        else result = setPlateQuantity(folder, id, wholeOption("quantity", parsed.positional[2], 0), todayText());
        if (result.ok()) out << "Plate " << id << (action == "remove" ? " removed" : " changed") << "\n";
    } else if (action == "undo") {
        if (parsed.positional.size() != 1) throw UsageError{"undo takes no further argument"};
        const UndoResult undone = undoLastCut(folder, todayText());
        result = undone.stock;
        if (result.ok()) out << undoneCutText(undone) << "\n";
    } else {
        throw UsageError{"'" + action + "' is not list, add, remove, quantity or undo"};
    }
    if (!result.ok()) {
        err << "dravenor-cli stock: " << result.error << "\n";
        return kExitFailed;
    }
    if (action == "list") listPlates(result.tables, out);
    return kExitOk;
}

} // namespace

Command stockCommand()
{
    return {"stock", "list, add and remove the plates of the stock",
            "Usage: dravenor-cli stock list [--stock DIR]\n"
            "       dravenor-cli stock add (FILE | --rect LENGTHxWIDTH) --mat TEXT --thick N [--grade TEXT]\n"
            "                              [--qty N] [--price P] [--units mm|in] [--stock DIR]\n"
            "       dravenor-cli stock remove ID [--stock DIR]\n"
            "       dravenor-cli stock quantity ID N [--stock DIR]\n"
            "       dravenor-cli stock undo [--stock DIR]\n"
            "The stock is a folder (default: stock in the working folder) holding stock.csv, one row\n"
            "per plate, history.csv, one row per change, and the plates' shape files. list prints the\n"
            "plates; add puts in a plate drawn in a shape file or drawing, or a rectangle, with its\n"
            "material, grade, thickness and quantity (default 1), and what one plate costs (--price;\n"
            "without it quotes price the plate by its weight); remove takes a plate out; quantity\n"
            "sets how many there are (0 takes it out); undo takes back the last cut (dravenor-cli cut)\n"
            "when nothing changed the stock since: its plates return and its remnants go, exactly.\n"
            "Changes are written whole, under a lock.\n"
            "Exit codes: 0 done, 1 the stock refused the change or cannot be read, 2 bad input.\n",
            stock};
}

} // namespace dravenor::cli
