#pragma once
// Toolbar pictures of the main window's three grids: a one-row table for the basic details, a
// stock plate for the sheets and a cut part on its plate for the parts.
#include <QIcon>

namespace dravenor {

// gridIndex 0 basic details, 1 sheets, 2 parts.
QIcon gridIcon(int gridIndex);

} // namespace dravenor
