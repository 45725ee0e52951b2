#include "job/job_file.h"

#include <filesystem>

#include "job/files.h"
#include "job/job_file_commit.h"
#include "job/job_file_format.h"
#include "job/job_file_sections.h"

namespace dravenor {

namespace {

std::string sectionPath(const std::string& workingFolder, int section)
{
    return (std::filesystem::path(workingFolder) / jobSectionName(section)).string();
}

} // namespace

JobFileResult saveJobFile(const Job& job, const std::string& path, const std::string& workingFolder)
{
    JobFileResult result;
    if (path.empty()) {
        result.error = "cannot save the job: no file name given";
        return result;
    }
    const JobSectionsOut sections = writeJobSections(job);
    if (!sections.error.empty()) {
        result.error = "cannot write " + path + ": " + sections.error;
        return result;
    }
    FileSetWriter writer;
    if (!workingFolder.empty())
        for (int s = 0; s < kJobSectionCount; ++s)
            writer.add(sectionPath(workingFolder, s), sections.texts[static_cast<size_t>(s)]);
    // The job file last: it is replaced only when every section file has been.
    writer.add(path, joinJobSections(sections.texts));
    result.error = writer.commit();
    return result;
}

JobFileResult readJobFile(const std::string& path, const std::string& workingFolder, Job& job)
{
    JobFileResult result;
    const FileText file = readWholeFile(path);
    if (!file.bytes) {
        result.error = file.error;
        return result;
    }
    const SplitJobFile split = splitJobSections(*file.bytes);
    const auto inFile = [&](const std::string& text) { return path + ", " + text; };
    if (!split.error.empty()) {
        result.error = split.error.rfind("line ", 0) == 0 ? inFile(split.error) : path + " " + split.error;
        return result;
    }
    Job loaded;
    std::vector<std::string> warnings;
    const std::string error = readJobSections(split, loaded, warnings);
    warnings.insert(warnings.end(), split.warnings.begin(), split.warnings.end());
    if (!error.empty()) {
        result.error = inFile(error);
        return result;
    }
    for (const std::string& warning : warnings) result.warnings.push_back(inFile(warning));

    // The working copies of the sections, as the job file holds them.
    if (!workingFolder.empty())
        for (int s = 0; s < kJobSectionCount; ++s) {
            const std::string problem = writeFileAtomically(
                sectionPath(workingFolder, s), sectionFileText(split.sections[static_cast<size_t>(s)]));
            if (!problem.empty()) result.warnings.push_back(problem);
        }
    job = std::move(loaded);
    return result;
}

} // namespace dravenor
