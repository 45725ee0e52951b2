#include "geometry/dxf_units.h"

#include <array>
#include <optional>

#include "geometry/dxf_groups.h"
#include "job/files.h"
#include "job/number_format.h"

namespace dravenor {

namespace {

struct NamedUnit {
    const char* name;
    double millimetres; // in one unit
};

// The $INSUNITS codes 1 to 24, in code order (0 is "unitless").
constexpr std::array<NamedUnit, 24> kDrawingUnits{{
    {"inches", 25.4},
    {"feet", 304.8},
    {"miles", 1609344},
    {"millimetres", 1},
    {"centimetres", 10},
    {"metres", 1e3},
    {"kilometres", 1e6},
    {"microinches", 25.4e-6},
    {"mils", 25.4e-3},
    {"yards", 914.4},
    {"angstroms", 1e-7},
    {"nanometres", 1e-6},
    {"microns", 1e-3},
    {"decimetres", 100},
    {"decametres", 1e4},
    {"hectometres", 1e5},
    {"gigametres", 1e12},
    {"astronomical units", 1.495978707e14},
    {"light years", 9.4607304725808e18},
    {"parsecs", 3.0856775814913673e19},
    {"US survey feet", 1200e3 / 3937},
    {"US survey inches", 100e3 / 3937},
    {"US survey yards", 3600e3 / 3937},
    {"US survey miles", 6336e6 / 3937},
}};

// The value of $INSUNITS (group 70 after the group 9 that names it), if the header has one.
std::optional<DxfNumber> insunitsOf(std::string_view text, const DxfTextRange& header)
{
    if (header.end <= header.begin) return std::nullopt;
    DxfGroupReader reader(text.substr(header.begin, header.end - header.begin), header.firstLine);
    DxfGroup group;
    bool named = false;
    while (reader.next(group)) {
        if (group.code == 9) named = trimmedDxfValue(group.value) == "$INSUNITS";
        else if (named && group.code == 70) return readDxfNumber(group.value);
    }
    return std::nullopt;
}

} // namespace

DxfUnitScale dxfUnitScale(std::string_view text, const DxfTextRange& header, DrawingUnit unit)
{
    DxfUnitScale scale;
    const std::optional<DxfNumber> code = insunitsOf(text, header);
    if (!code || code->value == 0) return scale;
    const double n = code->value;
    if (!code->numeric || n < 1 || n > static_cast<double>(kDrawingUnits.size()) || n != static_cast<int>(n)) {
        scale.note = "the drawing's units ($INSUNITS " + formatGeneral(n) + ") are not known; it is read as drawn";
        return scale;
    }
    const NamedUnit& drawn = kDrawingUnits[static_cast<std::size_t>(n) - 1];
    scale.code = static_cast<int>(n);
    if (drawn.millimetres == millimetresPer(unit)) return scale;
    scale.factor = drawn.millimetres / millimetresPer(unit);
    scale.note = std::string("converted from ") + drawn.name + " to " + std::string(drawingUnitName(unit));
    return scale;
}

DxfUnitScale drawingFileUnits(const std::string& path, DrawingUnit unit)
{
    const FileText file = readWholeFile(path);
    if (!file.bytes) return {};
    const DxfDrawingLayout layout = dxfDrawingLayout(*file.bytes);
    return dxfUnitScale(*file.bytes, layout.header, unit);
}

std::string unitsName(int code)
{
    if (code < 1 || code > static_cast<int>(kDrawingUnits.size())) return {};
    return kDrawingUnits[static_cast<std::size_t>(code) - 1].name;
}

int insunitsCode(DrawingUnit unit)
{
    return unit == DrawingUnit::Inch ? 1 : 4;
}

std::string headerWithUnits(const std::string& header, int code)
{
    const size_t section = header.find("HEADER");
    const size_t end = header.find("ENDSEC", section);
    if (code <= 0 || section == std::string::npos || end == std::string::npos
        || header.find("$INSUNITS") != std::string::npos)
        return header;
    // The variable goes before the group-code line " 0" that introduces ENDSEC.
    const size_t lineStart = header.rfind('\n', end - 1);
    const size_t codeLine = lineStart == std::string::npos ? end : header.rfind('\n', lineStart - 1);
    const size_t at = codeLine == std::string::npos || codeLine < section ? end : codeLine + 1;
    const std::string eol = header.find("\r\n") != std::string::npos ? "\r\n" : "\n";
    return header.substr(0, at) + " 9" + eol + "$INSUNITS" + eol + " 70" + eol + std::to_string(code) + eol
        + header.substr(at);
}

} // namespace dravenor
