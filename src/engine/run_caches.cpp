#include "engine/run_caches.h"

#include "geometry/primitives.h"
#include "job/files.h"
#include "job/number_format.h"

namespace dravenor {

std::string cacheName(const std::string& shapeFile, const std::string& suffix)
{
    const std::string name = fileNameOnly(shapeFile);
    return name.substr(0, name.size() >= 3 ? name.size() - 3 : 0) + suffix;
}

std::string partRasterName(double angleDegrees, const std::string& partFile)
{
    return std::to_string(toWhole(normaliseAngle(angleDegrees))) + cacheName(partFile, "b");
}

} // namespace dravenor
