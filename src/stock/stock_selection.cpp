#include "stock/stock_selection.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "job/files.h"
#include "stock/stock_folder.h"

namespace dravenor {

std::vector<StockSheet> stockSheetsFor(const StockTables& tables, const std::string& folder,
                                       const std::string& material, double thickness)
{
    std::vector<const StockPlate*> matching;
    for (const StockPlate& p : tables.plates)
        if (p.quantity > 0 && toLowerAscii(p.material) == toLowerAscii(material) &&
            std::fabs(p.thickness - thickness) <= 1e-9 * std::max(1.0, thickness))
            matching.push_back(&p);
    std::stable_sort(matching.begin(), matching.end(), [](const StockPlate* a, const StockPlate* b) {
        if (a->isRemnant() != b->isRemnant()) return a->isRemnant();
        return a->isRemnant() && a->area < b->area;
    });
    std::vector<StockSheet> sheets;
    for (const StockPlate* p : matching)
        sheets.push_back({p->id, stockPath(folder, p->shapeFile),
                          static_cast<std::int32_t>(std::min<std::int64_t>(p->quantity, INT32_MAX)),
                          p->isRemnant() ? 1 : 2});
    return sheets;
}

} // namespace dravenor
