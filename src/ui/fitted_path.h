#pragma once
// A file path shortened to fit a cell: the file name is what tells a row from another, so the
// folders go first ("…/parts/flange-od300-8holes.shp"), and only a name that cannot fit alone
// loses its middle, keeping its start and its extension ("flange-od…holes.shp").
#include <functional>
#include <string>

namespace dravenor {

// width measures a text (UTF-8) in the units of available.
std::string fittedPath(const std::string& path, double available, const std::function<double(const std::string&)>& width);

} // namespace dravenor
