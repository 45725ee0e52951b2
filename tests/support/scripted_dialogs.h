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
    std::deque<std::string> openFiles;
    std::deque<std::string> saveFiles;
    std::vector<std::string> fileDialogTitles;
    // Folders the folder dialog returns, in turn (then cancel), and the captions it was shown with.
    std::deque<std::string> folders;
    std::vector<std::string> folderCaptions;

    std::vector<Question> questions;
    std::vector<std::string> shapeSelectionCaptions;
    std::vector<std::string> helpPages;

    std::string openFileName(const std::string& title, const std::string&) override
    {
        fileDialogTitles.push_back(title);
        return pop(openFiles);
    }
    std::string saveFileName(const std::string& title, const std::string&, const std::string&) override
    {
        fileDialogTitles.push_back(title);
        return pop(saveFiles);
    }
    std::vector<std::string> selectShapeFiles(const std::string& caption) override
    {
        shapeSelectionCaptions.push_back(caption);
        return pop(shapeSelections);
    }
    std::string selectFolder(const std::string& caption) override
    {
        folderCaptions.push_back(caption);
        return pop(folders);
    }
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
};

} // namespace dravenor::testing
