#include "layouts/drawing_notes.h"

namespace dravenor {

std::vector<std::string> notesNotToldYet(const std::vector<std::string>& notes, std::set<std::string>& told)
{
    std::vector<std::string> fresh;
    for (const std::string& note : notes)
        if (told.insert(note).second) fresh.push_back(note);
    return fresh;
}

} // namespace dravenor
