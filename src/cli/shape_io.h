#pragma once
// Reading and writing shapes for the batch tool's conversion commands, with the tool's way of
// telling the user what went wrong (one line on stderr per problem).
#include <initializer_list>
#include <iosfwd>
#include <string>

#include "cli/option_parser.h"
#include "geometry/shape.h"

namespace dravenor::cli {

// Reads a shape file or DXF drawing (not moved). An unreadable or unusable file gives a line on
// err and false; warnings about the content are written to err and reading goes on (open
// outlines only when warnOpenOutlines: the close command is there to close them).
bool readInputShape(const std::string& command, const std::string& path, DrawingUnit unit, Shape& shape,
                    std::ostream& err, bool warnOpenOutlines = true);

// Throws UsageError unless the path ends in one of the types ("shp", "dxf"), naming the role.
void requireFileType(const std::string& path, const std::string& role, std::initializer_list<const char*> types);

// Where the DXF templates are read from: the --templates folder when given; else the working
// folder, where a shop may have adapted them; else the shipped ones.
std::string dxfTemplateFolder(const ParsedArgs& parsed);

// "4 entities (2 lines, 1 arc, 1 circle)".
std::string entityCountText(const Shape& shape);

} // namespace dravenor::cli
