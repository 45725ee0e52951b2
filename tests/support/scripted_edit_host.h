#pragma once
// A GridEditHost that answers as the test scripts it and records what it was asked.
#include <deque>
#include <string>
#include <vector>

#include "job/cell_editing.h"

namespace dravenor::testing {

class ScriptedEditHost : public GridEditHost {
public:
    bool allowChange = true;                            // the answer to every change question
    std::deque<std::vector<std::string>> fileAnswers;   // one answer per file request
    std::vector<int> askedKeys;                         // keys seen by beforeChange
    std::vector<bool> fileRequests;                     // the multiple flag of each request
    int fileCellChanges = 0;

    bool beforeChange(int keyCode) override
    {
        askedKeys.push_back(keyCode);
        return allowChange;
    }
    std::vector<std::string> chooseFiles(const TextGrid&, bool multiple) override
    {
        fileRequests.push_back(multiple);
        if (fileAnswers.empty()) return {};
        std::vector<std::string> answer = fileAnswers.front();
        fileAnswers.pop_front();
        return answer;
    }
    void fileCellChanged(const TextGrid&) override { ++fileCellChanges; }
};

} // namespace dravenor::testing
