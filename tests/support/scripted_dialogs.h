#pragma once
// A DialogService for tests: answers and shape selections are queued by the test beforehand,
// every question and selection is recorded. A question with no queued answer gets its default
// button's answer, as Enter would; a selection with nothing queued, and every other choice, is a
// cancel.
#include <deque>
#include <string>
#include <vector>

#include "ui/dialog_service.h"

namespace dravenor::testing {

class ScriptedDialogs : public DialogService {
public:
    using Question = Message;

    std::deque<Answer> answers;
    std::deque<std::vector<std::string>> shapeSelections;
    // File names the open and save dialogs return, in turn (then cancel).
    std::deque<std::string> openFiles, saveFiles;
    std::vector<std::string> fileDialogTitles;
    std::string saveFilter, suggestedName; // what the last save dialog was given
    // Folders the folder dialog returns, in turn (then cancel), and the captions it was shown with.
    std::deque<std::string> folders;
    std::vector<std::string> folderCaptions;

    std::vector<Question> questions;
    std::vector<std::string> shapeSelectionCaptions, helpPages;

    std::string openFileName(const std::string& title, const std::string&) override
    {
        return pop(openFiles, fileDialogTitles, title);
    }
    std::string saveFileName(const std::string& title, const std::string& filter, const std::string& suggested) override
    {
        saveFilter = filter;
        suggestedName = suggested;
        return pop(saveFiles, fileDialogTitles, title);
    }
    std::vector<std::string> selectShapeFiles(const std::string& caption) override
    {
        return pop(shapeSelections, shapeSelectionCaptions, caption);
    }
    std::string selectFolder(const std::string& caption) override { return pop(folders, folderCaptions, caption); }
    void openHelp(const std::string& page) override { helpPages.push_back(page); }

    std::vector<std::string> questionTexts() const
    {
        std::vector<std::string> texts;
        for (const Question& q : questions) texts.push_back(q.text);
        return texts;
    }

protected:
    Answer ask(const Message& message) override
    {
        questions.push_back(message);
        return pop(answers, message.defaultAnswer);
    }

private:
    template <typename T>
    static T pop(std::deque<T>& queue, T otherwise = {})
    {
        if (queue.empty()) return otherwise;
        T value = std::move(queue.front());
        queue.pop_front();
        return value;
    }
    // The next queued value (or a cancel), recording the caption the dialog was shown with.
    template <typename T>
    static T pop(std::deque<T>& queue, std::vector<std::string>& shown, const std::string& caption)
    {
        shown.push_back(caption);
        return pop(queue);
    }
};

} // namespace dravenor::testing
