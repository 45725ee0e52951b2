#include "cutting/ruling_kerf.h"

#include <optional>

#include "job/files.h"
#include "job/number_format.h"

namespace dravenor::cutting {

std::vector<std::string> applyTableKerf(const CutTable& table, const std::string& tableName, BasicDetails& details,
                                        DeepSettings& deep, DrawingUnit unit)
{
    const std::optional<CutData> row = cutDataFor(table, details.Mat, details.Thick);
    if (!row || row->kerf <= 0) return {};
    const double kerf = unit == DrawingUnit::Inch ? row->kerf / 25.4 : row->kerf;
    std::vector<std::string> notes;
    if (kerf != details.Kerf) {
        notes.push_back("Kerf " + formatGeneral(kerf) + " from the cut table " + fileNameOnly(tableName) + " for " +
                        details.Mat + " " + formatGeneral(details.Thick) + " (" + formatGeneral(details.Kerf) +
                        " entered)");
        details.Kerf = kerf;
    }
    if (deep.spacing >= 0 && deep.spacing < kerf) {
        notes.push_back("Deep Nesting's spacing " + formatGeneral(deep.spacing) + " raised to the kerf " +
                        formatGeneral(kerf) + ": parts closer together cannot be cut");
        deep.spacing = kerf;
    }
    return notes;
}

TableKerf applyTableKerfFile(const std::string& path, BasicDetails& details, DeepSettings& deep, bool deepRun,
                             DrawingUnit unit)
{
    std::vector<std::string> errors;
    const CutTable table = readCutTableFile(path, errors);
    if (!errors.empty()) return {{}, errors.front()};
    // The spacing is Deep Nesting's alone: other runs leave it as it is.
    DeepSettings settings = deepRun ? deep : DeepSettings{};
    TableKerf result{applyTableKerf(table, path, details, settings, unit), ""};
    if (deepRun) deep = settings;
    return result;
}

} // namespace dravenor::cutting
