// Job files (".nst", seven sections) opened as the File menu and the batch tool open them, with
// three shape files beside the job so that layouts can be rebuilt; then what report and
// check-layout do with an opened job. A job the program opened must save and open again, and
// a second save must write the same text.
#include "fuzz/fuzz_support.h"
#include "geometry/shape_builders.h"
#include "geometry/shape_file.h"
#include "job/job_file_sections.h"
#include "layouts/job_open.h"
#include "layouts/layout_geometry_check.h"
#include "layouts/report.h"

namespace {

// Shape files the seed jobs name: a 1000 x 800 sheet, a gusset with an arc, a ring.
void writeShapeFiles()
{
    using namespace dravenor::testing;
    using dravenor::fuzz::writeScratchFile;
    static const bool written = [] {
        writeScratchFile("sheet_ok.shp", dravenor::shapeToFileText(rectangle(0, 0, 1000, 800)));
        writeScratchFile("part_ok.shp", dravenor::shapeToFileText({lineEntity(15, 0, 200, 0), lineEntity(200, 0, 0, 150),
                                                                  lineEntity(0, 150, 0, 15), arcEntity(0, 0, 15, 0, 90)}));
        writeScratchFile("part2_ok.shp", dravenor::shapeToFileText(washer(150, 150, 300, 150)));
        return true;
    }();
    (void)written;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace dravenor;
    writeShapeFiles();
    Job job;
    const JobOpenResult opened = openJob(fuzz::writeScratchFile("input.nst", fuzz::inputText(data, size)), "", job);
    if (!opened.ok()) return 0;
    if (!job.nesting.items.empty() && !opened.layoutsLackShapes) {
        std::vector<std::string> warnings;
        reportText(job, DensityTable{}, &warnings);
        checkLayouts(job.nesting);
    }

    const JobSectionsOut saved = writeJobSections(job);
    if (!saved.error.empty()) return 0; // a value the file cannot store, refused on saving
    const SplitJobFile split = splitJobSections(joinJobSections(saved.texts));
    Job reopened;
    std::vector<std::string> warnings;
    if (!split.error.empty() || !readJobSections(split, reopened, warnings).empty())
        fuzz::finding("a saved job does not open again");
    const JobSectionsOut savedAgain = writeJobSections(reopened);
    if (savedAgain.error != saved.error || savedAgain.texts != saved.texts)
        fuzz::finding("a reopened job saves differently");
    return 0;
}
