#include "layouts/job_engine_setup.h"

#include <algorithm>

#include "engine/kerf_scale.h"
#include "engine/nesting_driver.h"
#include "engine/nesting_run.h"
#include "engine/rasterise.h"
#include "engine/shape_area.h"
#include "job/deep_settings_input.h"
#include "job/files.h"
#include "job/number_format.h"

namespace dravenor {

void setUpActKerf(Job& job)
{
    job.nesting.deepLayouts = job.mode == NestingMode::Deep;
    job.nesting.details.ActKerf = job.nesting.deepLayouts ? effectiveSpacing(job.deep, job.nesting.details.Kerf)
                                                          : planKerfAndScale(job.nesting).actKerf;
    const int column = job.basic.columnOf("ActKerf");
    if (column > 0) job.basic.setText(1, column, formatGeneral(job.nesting.details.ActKerf));
}

void recomputeRecordAreas(NestingState& state)
{
    // A run of its own on a copy, so that only the areas change here.
    NestingState copy = state;
    SilentProgress silent;
    NestingRun run(copy, NestingMode::Free, silent);
    setUpKerfAndScale(run);
    for (SheetEntry& sheet : state.sheets) sheet.Area = outlineArea(loadOutline(sheet.FileName, run), run);
    for (PartEntry& part : state.parts) part.Area = outlineArea(loadOutline(part.FileName, run), run);
}

bool recordFilesExist(const NestingState& state)
{
    return std::all_of(state.sheets.begin(), state.sheets.end(), [](const SheetEntry& e) { return fileExists(e.FileName); })
        && std::all_of(state.parts.begin(), state.parts.end(), [](const PartEntry& e) { return fileExists(e.FileName); });
}

} // namespace dravenor
