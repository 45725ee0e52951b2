#pragma once
// Every question, notice and file or folder choice a window puts to the user goes through this
// interface, so tests can replace it with a scripted one that records each question and gives
// the answer the test chose.
#include <string>
#include <vector>

namespace dravenor {

class DialogService {
public:
    enum class Icon { Information, Exclamation, Question };
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Answer { Ok, Cancel, Yes, No };

    virtual ~DialogService() = default;

    virtual Answer message(const std::string& text, const std::string& title, Icon icon,
                           Buttons buttons) = 0;
    // One file to open; "" when cancelled. Filter in Qt form: "Shape files (*.shp);;DXF (*.dxf)".
    virtual std::string openFileName(const std::string& title, const std::string& filter) = 0;
    // A file to save to (asks before overwriting); "" when cancelled.
    virtual std::string saveFileName(const std::string& title, const std::string& filter,
                                     const std::string& suggestedName) = 0;
    // The shape-selection dialog with a preview: full paths of the chosen sheet or part files, in
    // list order; empty when cancelled.
    virtual std::vector<std::string> selectShapeFiles(const std::string& caption) = 0;
    // The folder dialog: the chosen folder ending in a separator, "" when cancelled.
    virtual std::string selectFolder(const std::string& caption) = 0;
    // Opens a help page (or the tour) with the user's browser.
    virtual void openHelp(const std::string& page) = 0;
};

// The lines of a message, one under the other.
inline std::string joinedLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines) text += (text.empty() ? "" : "\n") + line;
    return text;
}

} // namespace dravenor
