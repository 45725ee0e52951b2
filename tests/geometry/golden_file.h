#pragma once
// Golden files under tests/data/golden: output of the program looked at once and committed,
// then compared byte for byte. With DRAVENOR_UPDATE_GOLDEN=1 in the environment the tests write
// them anew instead (look at the difference before committing it).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "geometry/shape.h"
#include "geometry/shape_file.h"
#include "support/recording_surface.h"
#include "support/temp_folder.h"

namespace dravenor::testing {

inline std::string testDataPath(const std::string& name) { return DRAVENOR_TEST_DATA "/geometry/" + name; }

// Titled parts of a text, each starting at a line "=== title".
using Sections = std::vector<std::pair<std::string, std::string>>;

inline Sections splitSections(const std::string& text)
{
    Sections parts;
    for (std::size_t at = 0, end; at < text.size(); at = end + 1) {
        end = std::min(text.find('\n', at), text.size());
        if (text.compare(at, 4, "=== ") == 0) parts.push_back({text.substr(at + 4, end - at - 4), ""});
        else if (!parts.empty()) parts.back().second += text.substr(at, end + 1 - at);
    }
    return parts;
}

inline std::string joinSections(const Sections& parts)
{
    std::string text;
    for (const auto& [title, body] : parts) text += "=== " + title + "\n" + body;
    return text;
}

// Compares the text with the golden file, section by section when the file has sections.
inline void expectGolden(const std::string& name, const std::string& actual)
{
    const std::string path = DRAVENOR_TEST_DATA "/golden/" + name;
    if (std::getenv("DRAVENOR_UPDATE_GOLDEN")) {
        std::ofstream(path, std::ios::binary) << actual;
        return;
    }
    const std::string golden = TempFolder::read(path);
    ASSERT_FALSE(golden.empty()) << path << " is missing";
    const Sections want = splitSections(golden), got = splitSections(actual);
    if (want.empty() || want.size() != got.size()) {
        EXPECT_EQ(actual, golden) << path;
        return;
    }
    for (std::size_t k = 0; k < want.size(); ++k) {
        EXPECT_EQ(got[k].first, want[k].first) << path;
        EXPECT_EQ(got[k].second, want[k].second) << path << ": " << want[k].first;
    }
}

// Each number after a blank, to twelve digits; less than 1e-9 from zero is zero (what sines
// leave of a right angle).
inline std::string goldenNumbers(const std::vector<double>& values)
{
    std::string text;
    for (double v : values) {
        char number[32];
        std::snprintf(number, sizeof number, " %.12g", std::fabs(v) < 1e-9 ? 0.0 : v);
        text += number;
    }
    return text;
}

// An entity as its kind and its nine fields.
inline std::string goldenEntity(const ShapeEntity& e)
{
    return (e.isCircle() ? "CIRCLE" : e.isArc() ? "ARC" : "LINE") +
           goldenNumbers({e.X1, e.Y1, e.X2, e.Y2, e.CX, e.CY, e.RAD, e.Nstart, e.Nend});
}

// A shape read from a file and what the reader noticed.
inline std::string goldenRead(const Shape& shape, const ShapeReadReport& report)
{
    std::string text = report.readable ? "" : "unreadable: " + report.error + "\n";
    for (const ShapeEntity& e : shape) text += goldenEntity(e) + "\n";
    for (const auto& [name, count] : report.skippedEntities)
        text += "skipped " + std::to_string(count) + " " + name + "\n";
    for (const std::string& note : report.notes) text += "note: " + note + "\n";
    if (report.binary) text += "binary\n";
    if (report.nonNumericFields) text += "non-numeric fields: " + std::to_string(report.nonNumericFields) + "\n";
    if (report.leftoverFields) text += "leftover fields: " + std::to_string(report.leftoverFields) + "\n";
    return text;
}

// A drawing: the view and the tooltip, then every line (a palette colour or #rrggbb last) and
// every text, in drawing order.
inline std::string goldenDrawing(const RecordingSurface& s)
{
    const ViewScale v = s.scale();
    std::string text = "view" + goldenNumbers({v.left, v.top, v.width, v.height}) + ", tip " + s.toolTip() + "\n";
    for (const RecordedLine& l : s.lines) {
        char colour[16];
        std::snprintf(colour, sizeof colour, l.colour < 0 ? " #%06x\n" : " %u\n", l.colour < 0 ? l.rgb : l.colour);
        text += "line" + goldenNumbers({l.x1, l.y1, l.x2, l.y2}) + colour;
    }
    for (const RecordedText& t : s.texts) text += "text" + goldenNumbers({t.x, t.y}) + " " + t.text + "\n";
    return text;
}

} // namespace dravenor::testing
