#pragma once
// Writes several files as one: every file is first written under a temporary name beside its
// target; only when all were written are they renamed into place, in the order added. When a
// rename fails, the files already replaced get their previous content back, so either every
// target holds its new content or every target is as it was.
#include <string>
#include <vector>

namespace dravenor {

class FileSetWriter {
public:
    void add(std::string path, std::string bytes);
    // Returns "" or a message naming the file that failed and the reason. No temporary or
    // backup file is left behind either way.
    std::string commit();

private:
    struct Pending {
        std::string path;
        std::string bytes;
    };
    std::vector<Pending> files_;
};

} // namespace dravenor
