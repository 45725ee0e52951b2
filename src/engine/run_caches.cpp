#include "engine/run_caches.h"

#include "geometry/primitives.h"
#include "job/number_format.h"
#include "job/part_rules.h"

namespace dravenor {

std::string partRasterKey(double angleDegrees, const std::string& partFile)
{
    return formatGeneral(normaliseAngle(angleDegrees)) + "|" + partFile;
}

bool turnsWithSheet(const PartEntry& part) { return turnsFixedByDrawing(part.Orn); }

std::string analysisKey(const PartEntry& part, double sheetAngle)
{
    return turnsWithSheet(part) ? formatGeneral(normaliseAngle(sheetAngle)) + "|" + part.FileName : part.FileName;
}

} // namespace dravenor
