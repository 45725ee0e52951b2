#pragma once
// Reads an exported drawing back with an independent DXF reader (ezdxf, through
// dxf_check.py) and hands the tests what it found.
#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace dravenor::testing {

struct CheckedEntity {
    std::string type, handle;
    std::vector<double> values; // as dxf_check.py prints them for the type
    std::string text;           // TEXT only
};

struct DxfCheck {
    std::string version;
    std::vector<std::string> problems; // errors and repairs of recovery and audit
    std::vector<CheckedEntity> entities;
};

// A Python that has ezdxf, or "" (the tests that need it are skipped then).
inline std::string pythonWithEzdxf()
{
    for (const char* candidate : {"/usr/bin/python3", "python3"})
        if (std::system((std::string(candidate) + " -c 'import ezdxf' >/dev/null 2>&1").c_str()) == 0) return candidate;
    return "";
}

inline DxfCheck checkDxf(const std::string& python, const std::string& path)
{
    const std::string command = python + " '" DRAVENOR_TEST_DATA "/../geometry/dxf_check.py' '" + path + "' 2>&1";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::string output;
    std::array<char, 4096> buffer;
    while (pipe && fgets(buffer.data(), buffer.size(), pipe.get())) output += buffer.data();

    DxfCheck check;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        CheckedEntity e;
        words >> e.type;
        const std::size_t count = e.type == "LINE" ? 4 : e.type == "ARC" ? 5 : 3;
        if (e.type == "VERSION") words >> check.version;
        else if (e.type != "LINE" && e.type != "CIRCLE" && e.type != "ARC" && e.type != "TEXT")
            check.problems.push_back(line); // PROBLEM, OTHER or anything the reader complained
        else {
            words >> e.handle;
            while (e.values.size() < count) {
                double v = 0;
                words >> v;
                e.values.push_back(v);
            }
            if (e.type == "TEXT") std::getline(words >> std::ws, e.text);
            check.entities.push_back(e);
        }
    }
    return check;
}

} // namespace dravenor::testing
