#pragma once
// The batch tool's commands: each takes its arguments (without the command name) and writes to
// the given streams. Exit codes: 0 success, 1 failure of the work, 2 bad input (one line on
// stderr naming the file or option and what is wrong).
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace dravenor::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitBadInput = 2;

using Args = std::vector<std::string>;

struct Command {
    std::string name;
    std::string summary; // one line for the tool's --help
    std::string usage;   // the command's --help text
    std::function<int(const Args&, std::ostream& out, std::ostream& err)> run;
};

// Every command of the tool, in the order --help lists them.
std::vector<Command> commands();

// Runs the tool: argv without the program name.
int runTool(const Args& args, std::ostream& out, std::ostream& err);

// Thrown by argument parsing; runTool turns it into exit code 2 and its message.
struct UsageError {
    std::string message;
};

// Thrown where the work cannot be done although the input is good; runTool turns it into exit
// code 1 and its message.
struct WorkFailed {
    std::string message;
};

bool isHelpFlag(const std::string& arg);

// Where a command says what it wrote to `path`: standard output, unless the output itself went
// there ("-"), which the message must not run into.
inline std::ostream& reportStream(const std::string& path, std::ostream& out, std::ostream& err)
{
    return path == "-" ? err : out;
}

Command shapeInfoCommand();
Command previewCommand();
Command nestCommand();

} // namespace dravenor::cli
