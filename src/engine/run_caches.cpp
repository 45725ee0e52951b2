#include "engine/run_caches.h"

#include "geometry/primitives.h"
#include "job/number_format.h"

namespace dravenor {

std::string partRasterKey(double angleDegrees, const std::string& partFile)
{
    return formatGeneral(normaliseAngle(angleDegrees)) + "|" + partFile;
}

bool turnsWithSheet(const PartEntry& part) { return part.Orn == "No" || part.Orn == "step90"; }

std::string analysisKey(const PartEntry& part, double sheetAngle)
{
    return turnsWithSheet(part) ? formatGeneral(normaliseAngle(sheetAngle)) + "|" + part.FileName : part.FileName;
}

} // namespace dravenor
