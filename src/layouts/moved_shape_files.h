#pragma once
// Jobs whose folder was moved or copied elsewhere: the shape files they name are looked for
// beside the job file, where they usually moved with it.
#include <string>
#include <vector>

#include "job/job.h"

namespace dravenor {

struct ShapeFileSearch {
    std::vector<std::string> found;   // the job's old names of the files found beside it
    std::vector<std::string> missing; // names found neither where the job says nor beside it
    bool layoutsLackShapes = false;   // a layout item or a record names a missing file
    std::string foundNote;            // which files were found beside the job file; "" for none
};

// A file that is missing where `named` says, looked for in the job's folder under the tails of
// its path, longest first: for /old/jobs/parts/i_0.shp JOBDIR/old/jobs/parts/i_0.shp, ...,
// JOBDIR/parts/i_0.shp, JOBDIR/i_0.shp. "" when none of them exists.
std::string shapeFileBesideJob(const std::string& named, const std::string& jobPath);

// Every shape file the job names (records, grid rows, layout items): a relative name is read
// against the job's folder first (silently: that is what it means); one that does not exist is
// looked for beside the job file; the job is pointed at each one found there, in every place
// that names it.
ShapeFileSearch findMovedShapeFiles(Job& job, const std::string& jobPath);

// What the operator is told when a job's layouts name shape files that are still missing.
inline constexpr const char* kLayoutsLackShapesNotice =
    "The layouts cannot be drawn until the missing shape files are found (they are not beside the job file "
    "either); the layouts stay in the job";
// The batch tool's one line for it: "JOB: the layouts cannot be drawn: A, B not found (nor
// beside the job file)".
std::string layoutsLackShapesMessage(const std::string& jobPath, const std::vector<std::string>& missing);

} // namespace dravenor
