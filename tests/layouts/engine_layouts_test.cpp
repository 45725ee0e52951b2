// Every layout of a real nested job, on a square sheet and on a wide one the engine nests turned
// with every part: sound by the vector check, drawn completely inside its sheet, saved as a
// drawing (built from the item rows) and a shape file (from the entity list) that read back as
// the engine's entities, and rebuilt from the item rows as the engine made it.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>

#include "geometry/dxf_export_check.h"
#include "geometry/primitives.h"
#include "geometry/segments.h"
#include "geometry/shape_file.h"
#include "job/files.h"
#include "layouts/layout_export.h"
#include "layouts/layout_geometry_check.h"
#include "layouts/layout_list.h"
#include "layouts/layout_range.h"
#include "layouts/layout_rebuild.h"
#include "layouts/layout_view.h"
#include "layout_helpers.h"
#include "nested_job.h"
#include "support/recording_surface.h"
#include "support/temp_folder.h"
#include "support/text_match.h"

using namespace dravenor;
using namespace dravenor::testing;

namespace {

ShapeEntity geometryOf(const LayoutEntity& e) { return {e.X1, e.Y1, e.X2, e.Y2, e.CX, e.CY, e.RAD, e.Nstart, e.Nend}; }

// A record as dxf_check.py prints it: type, numbers and, for a TEXT, its text.
CheckedEntity expectedOf(const ShapeEntity& e)
{
    switch (entityKind(e)) {
    case EntityKindCode::Line: return {"LINE", "", {e.X1, e.Y1, e.X2, e.Y2}, {}};
    case EntityKindCode::Circle: return {"CIRCLE", "", {e.CX, e.CY, e.RAD}, {}};
    case EntityKindCode::Arc: break;
    }
    return {"ARC", "", {e.CX, e.CY, e.RAD, e.Nstart, e.Nend}, {}};
}

// The records the drawing of a layout must hold: each instance's entities, then (with names) a
// TEXT at the centre of that instance's box, the sheet last without a text.
std::vector<CheckedEntity> expectedDrawing(const NestingState& state, int layoutNo, const LayoutDxfOptions& options)
{
    std::vector<CheckedEntity> records;
    const auto [first, last] = findEntityRange(state.entities, layoutNo);
    Shape instance;
    for (int i = first; i <= last; ++i) {
        const LayoutEntity& e = state.entities[static_cast<size_t>(i)];
        records.push_back(expectedOf(geometryOf(e)));
        instance.push_back(geometryOf(e));
        if (i < last && state.entities[static_cast<size_t>(i + 1)].Instance == e.Instance) continue;
        if (options.partNames && e.Instance != 0) {
            const Extents box = shapeExtents(instance);
            const std::string name = fileNameOnly(state.part(e.PartIndex).FileName);
            records.push_back({"TEXT", "", {(box.xmin + box.xmax) / 2, (box.ymin + box.ymax) / 2, options.textHeight},
                               name.substr(0, name.size() - 4)});
        }
        instance.clear();
    }
    return records;
}

void expectSameRecords(const std::vector<CheckedEntity>& got, const std::vector<CheckedEntity>& want)
{
    ASSERT_EQ(got.size(), want.size());
    std::set<std::string> handles;
    for (size_t i = 0; i < want.size(); ++i) {
        SCOPED_TRACE("record " + std::to_string(i) + " " + want[i].type);
        ASSERT_EQ(got[i].type, want[i].type);
        ASSERT_EQ(got[i].values.size(), want[i].values.size());
        for (size_t k = 0; k < want[i].values.size(); ++k) {
            // Angles compare on the circle (359.9999999 and 0 are the same direction).
            const double d = std::fabs(got[i].values[k] - want[i].values[k]);
            const double gap = want[i].type == "ARC" && k >= 3 ? std::min(std::fmod(d, 360.0), 360 - std::fmod(d, 360.0)) : d;
            EXPECT_LT(gap, 1e-6) << "value " << k << ": got " << got[i].values[k] << ", want " << want[i].values[k];
        }
        EXPECT_EQ(got[i].text, want[i].text);
        EXPECT_TRUE(got[i].handle.empty() || handles.insert(got[i].handle).second) << "repeated " << got[i].handle;
    }
}

// Every entity drawn once as its chords in its part's colour, every line inside the sheet, a
// name for every part.
void expectDrawnInsideTheSheet(const NestingState& state, int layoutNo)
{
    RecordingSurface surface;
    LayoutViewOptions options;
    options.gridText = "No";
    options.showNames = true;
    const LayoutViewFrame frame = drawLayoutFitted(state, layoutNo, surface, options);
    ASSERT_TRUE(frame.drawn);
    std::map<std::uint32_t, size_t> chords;
    for (const LayoutEntity& e : state.entities) {
        if (e.LayoutNo != layoutNo) continue;
        SegmentList segments;
        appendEntitySegments(geometryOf(e), segments);
        chords[layoutPartColour(e.PartIndex)] += segments.size();
    }
    for (const auto& [rgb, count] : chords) EXPECT_EQ(surface.countRgbLines(rgb), static_cast<int>(count));
    const auto parts = std::count_if(state.items.begin(), state.items.end(), [&](const LayoutItem& i) {
        return i.LayoutNo == layoutNo && i.PartIndex != 0;
    });
    EXPECT_EQ(surface.texts.size(), static_cast<size_t>(parts));
    for (const RecordedLine& l : surface.lines)
        for (auto [x, y] : {std::pair{l.x1, l.y1}, {l.x2, l.y2}}) {
            EXPECT_TRUE(x >= -1e-6 && x <= frame.sheetWidth + 1e-6) << x;
            EXPECT_TRUE(y >= frame.mirror - frame.sheetHeight - 1e-6 && y <= frame.mirror + 1e-6) << y;
        }
}

// The shape file holds the stored entities only: no header, no names, no end mark.
void expectShapeFileReadsBack(const NestingState& state, int layoutNo, const std::string& path)
{
    ASSERT_EQ(saveLayoutByExtension(state, layoutNo, path, "/no/templates/needed", {true, 5}), "");
    EXPECT_TRUE(TempFolder::read(path).starts_with("\"") && !contains(TempFolder::read(path), "TEXT"));
    Shape shape;
    ASSERT_TRUE(readShapeFile(path, shape).readable);
    std::vector<CheckedEntity> back;
    for (const ShapeEntity& e : shape) back.push_back(expectedOf(e));
    expectSameRecords(back, expectedDrawing(state, layoutNo, {}));
}

} // namespace

TEST(EngineLayouts, AreSoundDrawnSavedAndRebuiltAsTheEngineMadeThem)
{
    const std::string python = pythonWithEzdxf();
    for (const auto& [width, height] : {std::pair{300, 300}, {500, 260}}) {
        SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
        NestedJob nested(width, height);
        const NestingState& state = nested.state();
        const std::vector<std::string> layouts = layoutListEntries(state);
        ASSERT_GE(layouts.size(), width == 300 ? 2u : 1u);
        EXPECT_TRUE(width == 300 || std::any_of(state.items.begin(), state.items.end(), [](const LayoutItem& item) {
                        return item.PartIndex != 0 && item.Angle != 0;
                    })) << "the job should place some parts turned";
        const std::vector<LayoutFault> faults = checkLayouts(state);
        EXPECT_TRUE(faults.empty()) << faults.front().text;
        NestingState rebuilt = state;
        EXPECT_TRUE(rebuildEntityList(rebuilt).empty());
        expectSameEntities(state.entities, rebuilt.entities, false);
        TempFolder folder;
        for (const std::string& entry : layouts) {
            const int layoutNo = layoutNumberOfEntry(entry);
            SCOPED_TRACE("layout " + entry);
            expectDrawnInsideTheSheet(state, layoutNo);
            expectShapeFileReadsBack(state, layoutNo, folder.file("layout.SHP"));
            EXPECT_NEAR(defaultLayoutTextHeight(state, layoutNo), std::max(width, height) / 100.0, 1e-9);
            if (python.empty()) continue;
            // Names on the turned job's drawings, at the centres of the turned parts.
            const LayoutDxfOptions options{width == 500, 2.75};
            const std::string dxf = folder.file("layout.dxf");
            ASSERT_EQ(saveLayoutAsDxf(state, layoutNo, dxf, DRAVENOR_RESOURCE_DIR, options), "");
            const DxfCheck check = checkDxf(python, dxf);
            EXPECT_EQ(check.version, "AC1009");
            EXPECT_TRUE(check.problems.empty()) << check.problems.front();
            expectSameRecords(check.entities, expectedDrawing(state, layoutNo, options));
        }
    }
    EXPECT_EQ(defaultLayoutTextHeight(NestingState{}, 99), 1);
    if (python.empty()) GTEST_SKIP() << "python3 with ezdxf is not installed: drawings not read back";
}
