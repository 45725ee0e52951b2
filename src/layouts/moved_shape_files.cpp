#include "layouts/moved_shape_files.h"

#include <filesystem>
#include <map>

#include "job/files.h"

namespace dravenor {

namespace {

namespace fs = std::filesystem;

// The names of the path's folders and file, split at '/' and '\' (job files may come from
// either kind of system), without a drive, "." or "..".
std::vector<std::string> pathParts(const std::string& path)
{
    std::vector<std::string> parts;
    std::string part;
    for (const char c : path + '/') {
        if (c != '/' && c != '\\') {
            part += c;
            continue;
        }
        const bool drive = parts.empty() && part.size() == 2 && part[1] == ':';
        if (!part.empty() && part != "." && part != ".." && !drive) parts.push_back(part);
        part.clear();
    }
    return parts;
}

std::string jobFolder(const std::string& jobPath)
{
    std::error_code ec;
    const fs::path absolute = fs::absolute(jobPath, ec);
    return (ec ? fs::path(jobPath) : absolute).lexically_normal().parent_path().string();
}

// Every name the job holds for a shape file, each with the way to set it anew.
template <typename Visit>
void forEachShapeName(Job& job, Visit visit)
{
    for (SheetEntry& e : job.nesting.sheets) visit(e.FileName, true);
    for (PartEntry& e : job.nesting.parts) visit(e.FileName, true);
    for (TextGrid* grid : {&job.sheets, &job.parts})
        for (int r = 1; r < grid->rows(); ++r) {
            std::string name = grid->text(r, 1);
            visit(name, false);
            grid->setText(r, 1, name);
        }
    for (LayoutItem& item : job.nesting.items) visit(item.Name, true);
}

std::string foundNoteOf(const std::vector<std::string>& found, const std::map<std::string, std::string>& place,
                        const std::string& folder)
{
    if (found.empty()) return "";
    std::string note = "Shape files not found where the job names them were found beside the job file, in " + folder + ":";
    for (const std::string& name : found)
        note.append("\n  ").append(fs::path(place.at(name)).lexically_relative(folder).string()).append(" (was " + name + ")");
    return note;
}

// A relative name read against the job's folder: a job kept with its shapes (the shipped
// example) names them "parts/a.shp" wherever it lies. "" for absolute names or no such file.
std::string besideJobByItsName(const std::string& name, const std::string& jobPath)
{
    const fs::path given(name);
    if (given.is_absolute() || (name.size() > 1 && name[1] == ':')) return "";
    const fs::path file = (fs::path(jobFolder(jobPath)) / given).lexically_normal();
    return fileExists(file.string()) ? file.string() : "";
}

} // namespace

std::string layoutsLackShapesMessage(const std::string& jobPath, const std::vector<std::string>& missing)
{
    std::string files;
    for (const std::string& file : missing) files += (files.empty() ? "" : ", ") + file;
    return jobPath + ": the layouts cannot be drawn: " + files + " not found (nor beside the job file)";
}

std::string shapeFileBesideJob(const std::string& named, const std::string& jobPath)
{
    const std::vector<std::string> parts = pathParts(named);
    const fs::path folder = jobFolder(jobPath);
    for (std::size_t first = 0; first < parts.size(); ++first) {
        fs::path candidate = folder;
        for (std::size_t k = first; k < parts.size(); ++k) candidate /= parts[k];
        if (fileExists(candidate.string())) return candidate.string();
    }
    return "";
}

ShapeFileSearch findMovedShapeFiles(Job& job, const std::string& jobPath)
{
    ShapeFileSearch search;
    const bool hasLayouts = !job.nesting.items.empty();
    std::map<std::string, std::string> place; // name -> the file to use, "" when there is none
    forEachShapeName(job, [&](std::string& name, bool drawsLayouts) {
        if (name.empty()) return;
        auto known = place.find(name);
        if (known == place.end()) {
            const std::string relative = besideJobByItsName(name, jobPath);
            const std::string file =
                !relative.empty() ? relative : fileExists(name) ? name : shapeFileBesideJob(name, jobPath);
            if (file != name && relative.empty()) (file.empty() ? search.missing : search.found).push_back(name);
            known = place.emplace(name, file).first;
        }
        if (known->second.empty()) search.layoutsLackShapes |= drawsLayouts && hasLayouts;
        else name = known->second;
    });
    search.foundNote = foundNoteOf(search.found, place, jobFolder(jobPath));
    return search;
}

} // namespace dravenor
