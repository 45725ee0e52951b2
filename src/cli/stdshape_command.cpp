#include <cctype>
#include <ostream>

#include "cli/command.h"
#include "cli/option_parser.h"
#include "cli/shape_io.h"
#include "geometry/dxf_export.h"
#include "job/number_format.h"
#include "library/standard_shapes.h"

namespace dravenor::cli {

namespace {

std::string lowerCase(std::string text)
{
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// Captions are matched without regard to letter case, so "ring breakup" finds "Ring Breakup";
// '_' stands for a blank so that names need no quoting.
std::string looseName(const std::string& text)
{
    std::string s = lowerCase(text);
    for (char& c : s)
        if (c == '_') c = ' ';
    return s;
}

const StandardShapeType& typeNamed(const std::string& name)
{
    for (const StandardShapeType& t : standardShapeTypes())
        if (looseName(t.caption) == looseName(name)) return t;
    throw UsageError{"unknown shape type '" + name + "' (see dravenor-cli stdshape --list)"};
}

double numberOf(const std::string& what, const std::string& text)
{
    const std::optional<double> v = numberFromText(text);
    if (!v) throw UsageError{what + " '" + text + "' is not a number"};
    return *v;
}

// The --param NAME=VALUE options in the type's caption order; every parameter must be given once.
std::vector<double> parametersOf(const StandardShapeType& type, const std::vector<std::string>& options)
{
    std::vector<double> values(type.parameters.size(), 0);
    std::vector<bool> given(type.parameters.size(), false);
    for (const std::string& option : options) {
        const auto eq = option.find('=');
        if (eq == std::string::npos) throw UsageError{"--param '" + option + "' is not NAME=VALUE"};
        const std::string name = option.substr(0, eq);
        std::size_t i = 0;
        while (i < type.parameters.size() && looseName(type.parameters[i].caption) != looseName(name)) ++i;
        if (i == type.parameters.size()) throw UsageError{type.caption + " has no parameter '" + name + "'"};
        values[i] = numberOf(type.parameters[i].caption, option.substr(eq + 1));
        given[i] = true;
    }
    for (std::size_t i = 0; i < given.size(); ++i)
        if (!given[i]) throw UsageError{"missing --param '" + type.parameters[i].caption + "=VALUE'"};
    return values;
}

void listTypes(std::ostream& out)
{
    for (const StandardShapeType& t : standardShapeTypes()) {
        out << t.caption << ":";
        for (std::size_t i = 0; i < t.parameters.size(); ++i) out << (i ? ", " : " ") << t.parameters[i].caption;
        if (!t.generatedHere) out << " (breakup into segment files, not made here)";
        out << "\n";
    }
}

int standardShape(Args args, std::ostream& out, std::ostream& err)
{
    for (std::string& a : args)
        if (a == "-o") a = "--out";
    const ParsedArgs p = parseArgs(args, {"--param", "--out", "--rotate", "--templates"}, {"--list"});
    if (p.has("--list")) {
        listTypes(out);
        return kExitOk;
    }
    if (p.positional.size() != 1) throw UsageError{"give one shape TYPE (see dravenor-cli stdshape --list)"};
    if (!p.has("--out")) throw UsageError{"give the output file with -o OUT.shp or OUT.dxf"};
    const std::string target = p.value("--out");
    requireFileType(target, "output", {"shp", "dxf"});

    const StandardShapeType& type = typeNamed(p.positional[0]);
    if (!type.generatedHere)
        throw UsageError{type.caption + " cuts a shell into segment files: use dravenor-cli breakup"};
    const auto options = p.values.count("--param") ? p.values.at("--param") : std::vector<std::string>{};
    const std::vector<double> parameters = parametersOf(type, options);
    const double rotation = numberOf("rotation", p.value("--rotate", "0"));

    const StandardShapeResult made = generateStandardShape(type.caption, parameters, rotation);
    if (!made.ok()) {
        err << "dravenor-cli stdshape: " << made.message << "\n";
        return kExitBadInput;
    }
    if (const std::string e = saveShapeByExtension(made.shape, target, dxfTemplateFolder(p)); !e.empty()) {
        err << "dravenor-cli stdshape: " << e << "\n";
        return kExitBadInput;
    }
    out << target << ": " << type.caption << ", " << entityCountText(made.shape) << "\n";
    return kExitOk;
}

} // namespace

Command standardShapeCommand()
{
    return {"stdshape", "generates a standard shape (rectangle, ring, polygon, ...) from its parameters",
            "Usage: dravenor-cli stdshape TYPE --param NAME=VALUE ... [--rotate DEG] -o OUT.shp|OUT.dxf\n"
            "       dravenor-cli stdshape --list\n"
            "Writes the shape of a standard type as a shape file or DXF drawing. TYPE and NAME are\n"
            "the captions of --list (any letter case, '_' for a blank), e.g.\n"
            "  dravenor-cli stdshape Ring --param 'Big Dia=100' --param Small_Dia=50 -o ring.shp\n"
            "  --param NAME=VALUE  one per parameter of the type, all required\n"
            "  --rotate DEG        turn counter-clockwise about the centre of the extents (default 0)\n"
            "  --templates DIR     folder of dxf.hd and dxf.ft for a DXF output\n"
            "  --list              the types and their parameters\n"
            "Parameters that give no proper shape (a zero length, an inner diameter not smaller than\n"
            "the outer, a notch wider than the side) are refused with exit code 2 and no file.\n",
            [](const Args& args, std::ostream& out, std::ostream& err) { return standardShape(args, out, err); }};
}

} // namespace dravenor::cli
