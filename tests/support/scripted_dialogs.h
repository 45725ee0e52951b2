#pragma once
// A DialogService for tests: answers and chosen files are queued by the test beforehand, every
// question and choice is recorded. A question with no queued answer gets the first button's
// answer (OK or Yes); a file choice with nothing queued is a cancel.
#include <deque>
#include <string>
#include <vector>

#include "ui/dialog_service.h"

namespace dravenor::testing {

class ScriptedDialogs : public DialogService {
public:
    struct Question {
        std::string text, title;
        Icon icon;
        Buttons buttons;
    };

    // Queued replies, used first in, first out.
    std::deque<Answer> answers;
    std::deque<std::vector<std::string>> shapeSelections;
    std::deque<std::string> openFiles;
    std::deque<std::string> saveFiles;
    std::deque<std::string> folders;

    // What was asked, in order.
    std::vector<Question> questions;
    std::vector<std::string> shapeSelectionCaptions;
    std::vector<std::string> openTitles;
    std::vector<std::string> saveTitles;
    std::vector<std::string> folderCaptions;
    std::vector<std::string> helpPages;

    Answer message(const std::string& text, const std::string& title, Icon icon, Buttons buttons) override
    {
        questions.push_back({text, title, icon, buttons});
        if (answers.empty()) return buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel ? Answer::Yes : Answer::Ok;
        return pop(answers);
    }
    std::string openFileName(const std::string& title, const std::string&) override
    {
        openTitles.push_back(title);
        return openFiles.empty() ? std::string() : pop(openFiles);
    }
    std::string saveFileName(const std::string& title, const std::string&, const std::string&) override
    {
        saveTitles.push_back(title);
        return saveFiles.empty() ? std::string() : pop(saveFiles);
    }
    std::vector<std::string> selectShapeFiles(const std::string& caption) override
    {
        shapeSelectionCaptions.push_back(caption);
        return shapeSelections.empty() ? std::vector<std::string>() : pop(shapeSelections);
    }
    std::string selectFolder(const std::string& caption) override
    {
        folderCaptions.push_back(caption);
        return folders.empty() ? std::string() : pop(folders);
    }
    void openHelp(const std::string& page) override { helpPages.push_back(page); }

    // Texts of the questions asked so far.
    std::vector<std::string> questionTexts() const
    {
        std::vector<std::string> texts;
        for (const Question& q : questions) texts.push_back(q.text);
        return texts;
    }

private:
    template <typename T>
    static T pop(std::deque<T>& queue)
    {
        T value = std::move(queue.front());
        queue.pop_front();
        return value;
    }
};

} // namespace dravenor::testing
