#pragma once
// Which placed part lies under the pointer in the layout view. Parts are found on their
// outlines by the even-odd rule (a point in a part's hole is not on the part) or within a few
// pixels of an edge, so that thin parts can be pointed at too.
#include <string>
#include <vector>

#include "job/nesting_state.h"
#include "layouts/outline_depth.h"

namespace dravenor {

class LayoutPartFinder {
public:
    LayoutPartFinder() = default;
    // The part instances of the layout; no parts when the layout does not exist.
    LayoutPartFinder(const NestingState& state, int layoutNo);

    // The item row (0-based, in state.items) of the part under the layout point (x, y): one
    // whose outline holds it (the smallest such part), else one whose edge passes within the
    // tolerance; -1 for none.
    int partAt(double x, double y, double tolerance) const;

private:
    struct Part {
        int itemRow = -1;
        PlacedOutline outline;
        double boxArea = 0;
    };
    std::vector<Part> parts_;
};

// "plate.shp at X=100.00, Y=50.00" (the lower-left corner of the part's enclosing rectangle),
// with ", turned 90" when the part is turned.
std::string hoveredPartText(const LayoutItem& item);

} // namespace dravenor
