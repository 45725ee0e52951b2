#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <map>
#include <ostream>

#include "cli/command.h"
#include "cli/option_parser.h"
#include "cli/shape_io.h"
#include "job/number_format.h"
#include "library/breakup.h"

namespace dravenor::cli {

namespace {

// "Plate Wid", "plate_wid" and "PlateWid" all name the same parameter.
std::string paramKey(const std::string& name)
{
    std::string key;
    for (char ch : name)
        if (ch != ' ' && ch != '_' && ch != '-') key += static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return key;
}

struct ParamField {
    std::string name;
    double* target;
    bool required;
};

void readParams(const std::vector<std::string>& given, const std::vector<ParamField>& fields)
{
    std::map<std::string, const ParamField*> byKey;
    for (const ParamField& s : fields) byKey[paramKey(s.name)] = &s;
    std::map<std::string, bool> seen;
    for (const std::string& item : given) {
        const auto eq = item.find('=');
        if (eq == std::string::npos) throw UsageError{"--param '" + item + "' is not NAME=VALUE"};
        const std::string name = item.substr(0, eq), value = item.substr(eq + 1);
        const auto found = byKey.find(paramKey(name));
        if (found == byKey.end()) {
            std::string known;
            for (const ParamField& s : fields) known += (known.empty() ? "" : ", ") + s.name;
            throw UsageError{"unknown parameter '" + name + "' (known: " + known + ")"};
        }
        const double number = leadingNumber(value);
        if (value.empty() || !isNumberText(value) || !std::isfinite(number))
            throw UsageError{"parameter '" + found->second->name + "' needs a number, not '" + value + "'"};
        *found->second->target = number;
        seen[found->first] = true;
    }
    for (const ParamField& s : fields)
        if (s.required && !seen.count(paramKey(s.name))) throw UsageError{"missing parameter '" + s.name + "'"};
}

BreakupResult runCylinder(const std::vector<std::string>& given)
{
    CylinderBreakupParams p;
    readParams(given, {{"Dia", &p.diameter, true}, {"Height", &p.height, true}, {"Plate Len", &p.plateLength, true},
                       {"Plate Wid", &p.plateWidth, true}, {"Seg Wid", &p.segmentWidth, false},
                       {"Kerf", &p.kerf, true}});
    return cylinderBreakup(p);
}

BreakupResult runCone(const std::vector<std::string>& given)
{
    ConeBreakupParams p;
    double divisions = 1;
    readParams(given, {{"Dia Big", &p.bigDiameter, true}, {"Dia Small", &p.smallDiameter, true},
                       {"Height", &p.height, true}, {"Plate Wid", &p.plateWidth, true},
                       {"Seg Wid", &p.segmentWidth, false}, {"Ang Br", &divisions, false},
                       {"Kerf", &p.kerf, true}});
    if (divisions != std::floor(divisions) || divisions < 0 || divisions > 3600)
        throw UsageError{"parameter 'Ang Br' must be a whole number from 0 to 3600"};
    p.angularDivisions = static_cast<int>(divisions);
    return coneBreakup(p);
}

std::string pieceText(const std::string& kind, const BreakupPiece& piece)
{
    if (kind == "cylinder") return formatGeneral(piece.width) + " x " + formatGeneral(piece.length);
    return "band from radius " + formatGeneral(piece.length) + " to " + formatGeneral(piece.length - piece.width);
}

int breakup(const Args& args, std::ostream& out, std::ostream& err)
{
    Args spelled = args;
    for (std::string& a : spelled)
        if (a == "-o") a = "--output";
    const ParsedArgs parsed = parseArgs(spelled, {"--param", "--output", "--templates"}, {});
    if (parsed.positional.size() != 1 || (parsed.positional[0] != "cylinder" && parsed.positional[0] != "cone"))
        throw UsageError{"give cylinder or cone (see dravenor-cli breakup --help)"};
    if (!parsed.has("--output")) throw UsageError{"give the output prefix with -o FOLDER/NAME"};
    const std::string kind = parsed.positional[0];
    const auto params = parsed.values.count("--param") ? parsed.values.at("--param") : std::vector<std::string>{};
    const BreakupResult result = kind == "cylinder" ? runCylinder(params) : runCone(params);
    if (!result.ok) {
        err << "dravenor-cli breakup: " << result.reason << "\n";
        return kExitBadInput;
    }

    const std::filesystem::path prefix(parsed.value("--output"));
    const std::string stem = prefix.filename().string();
    if (stem.empty()) throw UsageError{"-o '" + prefix.string() + "' names no file stem (give FOLDER/NAME)"};
    std::vector<std::string> written;
    const std::string error =
        writeBreakupPieces(result, prefix.parent_path().string(), stem, dxfTemplateFolder(parsed), written);
    if (!error.empty()) {
        err << "dravenor-cli breakup: " << error << "\n";
        return kExitBadInput;
    }
    if (!result.message.empty()) out << result.message << "\n";
    for (std::size_t i = 0; i < written.size(); ++i) {
        const BreakupPiece& piece = result.pieces[i];
        out << written[i] << ": " << pieceText(kind, piece) << ", needed " << piece.count << "\n";
    }
    return kExitOk;
}

} // namespace

Command breakupCommand()
{
    return {"breakup", "cuts a cylinder or cone shell into plate-sized pieces (DXF)",
            "Usage: dravenor-cli breakup cylinder|cone --param NAME=VALUE ... -o|--output FOLDER/NAME\n"
            "       [--templates DIR]\n"
            "Develops a rolled shell flat, cuts it into pieces that fit the plate less the kerf on\n"
            "both sides, and writes one DXF drawing per distinct piece, named\n"
            "NAME-<piece>x<count>.dxf (count: how many of that piece are needed; for a cone the\n"
            "number of angular divisions). Existing files of the same names are replaced.\n"
            "Parameters of cylinder: Dia, Height, Plate Len, Plate Wid, Kerf, Seg Wid (default 0)\n"
            "Parameters of cone: Dia Big, Dia Small, Height, Plate Wid, Kerf, Seg Wid (default 0),\n"
            "  Ang Br (angular divisions, default 1; 0 is taken as 1)\n"
            "Names ignore case, blanks and '_' (--param PlateWid=1250 or --param \"Plate Wid=1250\").\n"
            "Seg Wid is the narrowest a last strip or innermost band may be.\n"
            "  --templates DIR  folder of dxf.hd and dxf.ft\n"
            "Values that give no pieces, or an output that cannot be written, give exit code 2.\n",
            breakup};
}

} // namespace dravenor::cli
