#include "job/parts_list_grid.h"

#include <string>

#include "job/part_rules.h"

namespace dravenor {

void appendPartRows(TextGrid& parts, const std::vector<PartsListRow>& rows)
{
    parts.ensureEntryRow();
    const int qty = parts.columnOf("Qty");
    const int pri = parts.columnOf("Pri");
    const int orn = parts.columnOf("Orn");
    const int mirror = parts.columnOf("Mirror");
    for (const PartsListRow& row : rows) {
        const int r = parts.rows() - 1;
        parts.setText(r, 1, row.file);
        if (qty > 0) parts.setText(r, qty, std::to_string(row.qty));
        if (pri > 0) parts.setText(r, pri, row.pri > 0 ? std::to_string(row.pri) : "");
        if (orn > 0) parts.setText(r, orn, row.orn);
        if (mirror > 0) parts.setText(r, mirror, mirrorCellText(row.mirror));
        parts.ensureEntryRow();
    }
    parts.renumber();
}

} // namespace dravenor
