#pragma once
// Where file and folder dialogs open: the folder last used for that kind of file (a job, a parts
// list, NC programs, shapes, ...) in this run, else the job's own folder, else the dialog's own
// default. Kinds are named by the dialog's filter or caption.
#include <functional>
#include <map>
#include <string>

namespace dravenor {

class DialogFolders {
public:
    // isFolder tells whether a path is an existing folder (a folder removed since is skipped).
    explicit DialogFolders(std::function<bool(const std::string&)> isFolder) : isFolder_(std::move(isFolder)) {}

    // The folder of the job file now open; "" for a new job.
    void setJobFolder(const std::string& folder) { jobFolder_ = folder; }
    // The dialog of this kind was left in the folder.
    void used(const std::string& kind, const std::string& folder) { last_[kind] = folder; }
    // Where the next dialog of the kind opens; fallback when neither is an existing folder.
    std::string startFolder(const std::string& kind, const std::string& fallback) const;

private:
    std::function<bool(const std::string&)> isFolder_;
    std::string jobFolder_;
    std::map<std::string, std::string> last_;
};

} // namespace dravenor
