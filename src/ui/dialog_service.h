#pragma once
// Every question, notice and file or folder choice a window puts to the user goes through this
// interface, so tests can replace it with a scripted one that records each question and gives
// the answer the test chose.
#include <string>
#include <vector>

namespace dravenor {

class DialogService {
public:
    enum class Icon { Information, Exclamation, Question, None }; // None: a plain box
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Answer { Ok, Cancel, Yes, No };

    // One message box; Enter presses the default answer's button.
    struct Message {
        std::string text, title;
        Icon icon = Icon::None;
        Buttons buttons = Buttons::Ok;
        Answer defaultAnswer = Answer::Ok;
        std::string details; // a long list behind the box's "Show Details...", "" for none
    };

    virtual ~DialogService() = default;

    // A question or notice whose default button is the first one (OK or Yes).
    Answer message(const std::string& text, const std::string& title, Icon icon, Buttons buttons)
    {
        return ask({text, title, icon, buttons, firstAnswer(buttons), {}});
    }
    // The same with another default button, for questions where going on by Enter is unsafe.
    Answer message(const std::string& text, const std::string& title, Icon icon, Buttons buttons,
                   Answer defaultAnswer)
    {
        return ask({text, title, icon, buttons, defaultAnswer, {}});
    }
    // A message with its full list behind "Show Details...".
    Answer message(Message message) { return ask(message); }
    static Answer firstAnswer(Buttons buttons)
    {
        return buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel ? Answer::Yes : Answer::Ok;
    }

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
    // The folder of the job now open ("" for a new job): file dialogs open there until one of
    // their kind was used.
    virtual void setJobFolder(const std::string& /*folder*/) {}

protected:
    virtual Answer ask(const Message& message) = 0;
};

// The lines of a message, one under the other.
inline std::string joinedLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines) text += (text.empty() ? "" : "\n") + line;
    return text;
}

} // namespace dravenor
