// Bad input to every command of the batch tool (the cases in tests/data/cli/refusals.txt): exit
// code 2 (1 when the work itself failed), one line naming the file or option and what is wrong,
// and nothing written or replaced.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "cli_test_support.h"
#include "job/job_file.h"

using namespace dravenor;
using namespace dravenor::testing;

namespace {

// Every file under the folder with its bytes.
std::map<std::string, std::string> folderBytes(const std::string& folder)
{
    std::map<std::string, std::string> files;
    for (const auto& e : std::filesystem::recursive_directory_iterator(folder))
        files[e.path().string()] = e.is_regular_file() ? TempFolder::read(e.path().string()) : "(folder)";
    return files;
}

// The text with each {name} replaced by its value.
std::string expanded(std::string text, const std::map<std::string, std::string>& values)
{
    for (const auto& [name, value] : values)
        for (size_t at; (at = text.find("{" + name + "}")) != std::string::npos;) text.replace(at, name.size() + 2, value);
    return text;
}

// Blank-separated arguments, '' quoting one that holds blanks or is empty.
cli::Args argumentsOf(const std::string& text)
{
    cli::Args args;
    for (size_t at = text.find_first_not_of(' '); at != std::string::npos; at = text.find_first_not_of(' ', at)) {
        const bool quoted = text[at] == '\'';
        const size_t end = quoted ? text.find('\'', at + 1) : std::min(text.find(' ', at), text.size());
        args.push_back(text.substr(at + quoted, end - at - quoted));
        at = end + quoted;
    }
    return args;
}

TEST(Refusals, EveryCommandRefusesBadInputInOneLineAndWritesNothing)
{
    const NestedJob& job = nestedJob();
    ASSERT_EQ(job.run.code, 0) << job.run.err;
    TempFolder f;
    savedShape(f, "sheet.shp", rectangle(0, 0, 300, 300));
    savedShape(f, "part.shp", rectangle(0, 0, 100, 50));
    savedShape(f, "open.shp", {lineEntity(0, 0, 100, 0)});
    // A part drawn in the wrong units: its raster alone would take gigabytes.
    savedShape(f, "giant.shp", {arcEntity(5e6, 5e6, 5e6, 0, 0)});
    // A drawing holding only a text: nothing in it can be a shape.
    f.write("text.dxf", "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n  0\r\nTEXT\r\n  8\r\n0\r\n 10\r\n0.0\r\n 20\r\n0.0\r\n"
                        " 40\r\n5.0\r\n  1\r\nA\r\n  0\r\nENDSEC\r\n  0\r\nEOF\r\n");
    for (const char* name : {"out.dxf", "out.shp", "keep.pdf", "taken"}) f.write(name, "previous");
    f.write("notes.txt", "0,0,1,1,0,0,0,0,0\r\n");
    f.write("sheet.lay", "\"sheet.shp\",0,0,0,1\n");
    f.write("gone.lay", "\"sheet.shp\",0,0,0,1\n\"gone.shp\",0,0,0,1\n");
    f.write("empty.lay", "");
    f.write("cut.nst", "[BASIC.TLF]\r\n\"\",\"\",\"\",\"3\",\"\",\"\"\r\n[END]\r\n[SA.TLF]\r\n");
    ASSERT_EQ(saveJobFile(Job{}, f.file("empty.nst"), "").error, "");
    std::filesystem::create_directories(f.file("blocked/layout-1.png"));
    const std::map<std::string, std::string> values{{"dir", f.folder()}, {"nst", job.nst}, {"resources", DRAVENOR_RESOURCE_DIR}};

    const auto before = folderBytes(f.folder());
    std::ifstream cases(DRAVENOR_TEST_DATA "/cli/refusals.txt");
    int count = 0;
    for (std::string line; std::getline(cases, line);) {
        if (line.empty() || line[0] == '#') continue;
        const size_t bar = line.find(" | "), last = line.rfind(" | ");
        const cli::Args args = argumentsOf(expanded(line.substr(bar + 3, last - bar - 3), values));
        const std::string message = expanded(line.substr(last + 3), values);
        const bool ran = line.substr(0, bar).ends_with("ran");
        SCOPED_TRACE(line);
        ++count;
        // The exit code; stderr lines of the tool only (warnings first, an error in one line), the
        // message in the last; nothing on stdout unless the run was done and printed its result.
        const ToolRun r = runInProcess(args);
        EXPECT_EQ(r.code, line[0] - '0');
        std::istringstream lines(r.err);
        std::string lastLine;
        for (std::string l; std::getline(lines, l); lastLine = l) EXPECT_EQ(l.rfind("dravenor-cli", 0), 0u) << r.err;
        EXPECT_TRUE(!r.err.empty() && r.err.back() == '\n' && contains(lastLine, message)) << r.err;
        EXPECT_EQ(ran ? r.out.substr(0, 24) : r.out, ran ? "Full Optimization Done [" : "") << r.out;
    }
    EXPECT_EQ(count, 111);
    EXPECT_EQ(folderBytes(f.folder()), before);
}

} // namespace
