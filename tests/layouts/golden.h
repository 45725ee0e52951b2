#pragma once
// Golden files of tests/data/golden/layouts, matched byte for byte. With DRAVENOR_WRITE_GOLDEN
// set in the environment the file is written instead, to be looked at before it is committed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace dravenor::testing {

inline void expectGolden(const std::string& text, const std::string& name)
{
    const std::string path = DRAVENOR_TEST_DATA "/golden/layouts/" + name;
    if (std::getenv("DRAVENOR_WRITE_GOLDEN")) {
        std::ofstream(path, std::ios::binary) << text;
        return;
    }
    const std::string want = TempFolder::read(path);
    ASSERT_FALSE(want.empty()) << path << " is missing";
    if (text == want) return;
    // Name the first line that differs rather than printing both files whole.
    const auto lines = [](const std::string& s) {
        std::vector<std::string> split{""};
        for (char c : s)
            if (c == '\n')
                split.emplace_back();
            else
                split.back().push_back(c);
        return split;
    };
    const std::vector<std::string> got = lines(text), wanted = lines(want);
    size_t at = 0;
    while (at < got.size() && at < wanted.size() && got[at] == wanted[at]) ++at;
    ADD_FAILURE() << name << " line " << at + 1 << ":\n got  " << (at < got.size() ? got[at] : "(end)") << "\n want "
                  << (at < wanted.size() ? wanted[at] : "(end)");
}

} // namespace dravenor::testing
