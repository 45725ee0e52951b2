#include <new>
#include <ostream>
#include <stdexcept>

#include "cli/command.h"

namespace dravenor::cli {

// Shape conversion commands (dxf_to_shp_command.cpp, shp_to_dxf_command.cpp, close_command.cpp).
Command dxfToShpCommand();
Command shpToDxfCommand();
Command closeCommand();
// The report of a saved job (report_command.cpp).
Command reportCommand();
// One layout of a saved job as a DXF drawing or shape file (layout_dxf_command.cpp).
Command layoutDxfCommand();
// Layouts of a saved job printed to scale into a PDF file (print_command.cpp).
Command printCommand();
// A standard shape generated from its parameters (stdshape_command.cpp).
Command standardShapeCommand();
// Cylinder and cone shells cut into plate-sized pieces (breakup_command.cpp).
Command breakupCommand();
// Overlaps and parts off their sheet in a layout file or a saved job (check_layout_command.cpp).
Command checkLayoutCommand();
// NC programs of a saved job's layouts (nc_command.cpp).
Command ncCommand();
// The plate stock and the cut layouts it takes in (stock_command.cpp, cut_command.cpp).
Command stockCommand();
Command cutCommand();
Command quoteCommand();

namespace {

void printToolHelp(std::ostream& out)
{
    out << "Usage: dravenor-cli COMMAND [ARGUMENTS...]\n"
           "Dravenor's batch tool: the program's main jobs without a window.\n\n"
           "Commands:\n";
    for (const Command& c : commands()) out << "  " << c.name << std::string(14 - c.name.size(), ' ') << c.summary << "\n";
    out << "\nRun 'dravenor-cli COMMAND --help' for the arguments of a command.\n"
           "Exit codes: 0 success, 1 the work failed, 2 bad input.\n"
           "--version prints the version.\n";
}

} // namespace

bool isHelpFlag(const std::string& arg)
{
    return arg == "--help" || arg == "-h";
}

std::vector<Command> commands()
{
    return {shapeInfoCommand(), previewCommand(), nestCommand(), dxfToShpCommand(), shpToDxfCommand(), closeCommand(),
            reportCommand(), layoutDxfCommand(), printCommand(), standardShapeCommand(),
            breakupCommand(), checkLayoutCommand(), ncCommand(), stockCommand(), cutCommand(), quoteCommand()};
}

int runTool(const Args& args, std::ostream& out, std::ostream& err)
{
    if (args.empty() || isHelpFlag(args[0])) {
        printToolHelp(args.empty() ? err : out);
        return args.empty() ? kExitBadInput : kExitOk;
    }
    if (args[0] == "--version") {
        out << "dravenor-cli " << DRAVENOR_VERSION << "\n";
        return kExitOk;
    }
    for (const Command& c : commands()) {
        if (c.name != args[0]) continue;
        const Args rest(args.begin() + 1, args.end());
        for (const std::string& a : rest) {
            if (isHelpFlag(a)) {
                out << c.usage;
                return kExitOk;
            }
        }
        try {
            return c.run(rest, out, err);
        } catch (const UsageError& e) {
            err << "dravenor-cli " << c.name << ": " << e.message << "\n";
            return kExitBadInput;
        } catch (const WorkFailed& e) {
            err << "dravenor-cli " << c.name << ": " << e.message << "\n";
            return kExitFailed;
        } catch (const std::bad_alloc&) {
            // Input the checks did not foresee ends with a message, never with an abort.
            err << "dravenor-cli " << c.name << ": the input needs more memory than there is\n";
            return kExitBadInput;
        } catch (const std::length_error& e) {
            err << "dravenor-cli " << c.name << ": the input is too large: " << e.what() << "\n";
            return kExitBadInput;
        }
    }
    err << "dravenor-cli: unknown command '" << args[0] << "' (see dravenor-cli --help)\n";
    return kExitBadInput;
}

} // namespace dravenor::cli
