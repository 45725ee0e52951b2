// Reading DXF text: groups, entity mapping, the part of the drawing that is read, skipped
// entities and damaged input. Geometry of bulges, mirrored entities and real drawings is in
// dxf_import_geometry_test.cpp.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "geometry/dxf_import.h"
#include "geometry/shape_builders.h"
#include "geometry/shape_file.h"
#include "support/temp_folder.h"

namespace dravenor {
namespace {

using testing::arcEntity;
using testing::lineEntity;
using testing::TempFolder;
using Groups = std::vector<std::pair<int, std::string>>;

// One entity as a release 12 writer puts it: codes right-aligned in three characters, LF ends.
std::string entity(const std::string& name, const Groups& groups = {})
{
    std::string text = "  0\n" + name + "\n";
    for (const auto& [code, value] : groups) {
        char codeLine[16];
        std::snprintf(codeLine, sizeof codeLine, "%3d\n", code);
        text += codeLine + value + "\n";
    }
    return text;
}

std::string line(const std::string& x1, const std::string& y1, const std::string& x2, const std::string& y2)
{
    return entity("LINE", {{8, "0"}, {10, x1}, {20, y1}, {30, "0"}, {11, x2}, {21, y2}, {31, "0"}});
}

std::string vertex(const std::string& x, const std::string& y, const Groups& more = {})
{
    Groups groups{{8, "0"}, {10, x}, {20, y}};
    groups.insert(groups.end(), more.begin(), more.end());
    return entity("VERTEX", groups);
}

// The unit square (0,0) (10,0) (10,10) (0,10) as a POLYLINE with the given head groups.
std::string squarePolyline(const Groups& head)
{
    return entity("POLYLINE", head) + vertex("0", "0") + vertex("10", "0") + vertex("10", "10") +
           vertex("0", "10") + entity("SEQEND");
}

std::string section(const std::string& name, const std::string& body)
{
    return entity("SECTION", {{2, name}}) + body + entity("ENDSEC");
}

std::string drawing(const std::string& entities) { return section("ENTITIES", entities) + entity("EOF"); }

std::string withCrLf(const std::string& text)
{
    std::string out;
    for (char c : text) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return out;
}

ShapeReadReport parse(const std::string& text, Shape& shape) { return parseDxfText(text, shape, "part.dxf"); }

bool hasNote(const ShapeReadReport& report, const std::string& part)
{
    return std::any_of(report.notes.begin(), report.notes.end(),
                       [&](const std::string& note) { return note.find(part) != std::string::npos; });
}

const Shape kSquareLines{lineEntity(0, 0, 10, 0), lineEntity(10, 0, 10, 10), lineEntity(10, 10, 0, 10)};

// --- groups ---------------------------------------------------------------------------------

TEST(DxfGroups, CodesAreMatchedByNumberWhateverBlanksLineEndsOrByteOrderMarkSurroundThem)
{
    const std::string text = "0\nSECTION\n2\nENTITIES\n"
                             "  0\nLINE  \n 10\n1\n20\n2\n  11 \n3\n\t21\n4\n"
                             "0\nENDSEC\n0\nEOF\n";
    for (const std::string& form : {text, withCrLf(text), "\xEF\xBB\xBF" + text}) {
        Shape shape;
        const ShapeReadReport report = parse(form, shape);
        EXPECT_EQ(shape, Shape{lineEntity(1, 2, 3, 4)});
        EXPECT_TRUE(report.notes.empty()) << report.notes.front();
    }
}

TEST(DxfGroups, TheFileOnDiskIsNeverRewritten)
{
    TempFolder folder;
    const std::string text = drawing(line("0", "0", "5", "0"));
    const std::string path = folder.write("lf.dxf", text);
    Shape shape;
    EXPECT_TRUE(readDxfFile(path, shape).readable);
    EXPECT_EQ(shape, Shape{lineEntity(0, 0, 5, 0)});
    EXPECT_EQ(TempFolder::read(path), text);
}

TEST(DxfGroups, AppendsToWhatTheShapeHolds)
{
    Shape shape{lineEntity(9, 9, 8, 8)};
    parse(drawing(line("1", "1", "2", "2")), shape);
    EXPECT_EQ(shape, (Shape{lineEntity(9, 9, 8, 8), lineEntity(1, 1, 2, 2)}));
}

// --- entities -------------------------------------------------------------------------------

TEST(DxfEntities, LineArcAndCircleMapToTheirFields)
{
    Shape shape;
    parse(drawing(line("1.5", "-2", "3e2", "4") +
                  entity("ARC", {{10, "5"}, {20, "6"}, {40, "7"}, {50, "270"}, {51, "90"}}) +
                  entity("ARC", {{10, "0"}, {20, "0"}, {40, "1"}, {50, "-30"}, {51, "400"}}) +
                  entity("CIRCLE", {{10, "-8"}, {20, "9"}, {30, "0"}, {40, "2.5"}})),
          shape);
    EXPECT_EQ(shape, (Shape{lineEntity(1.5, -2, 300, 4), arcEntity(5, 6, 7, 270, 90), arcEntity(0, 0, 1, -30, 400),
                            arcEntity(-8, 9, 2.5, 0, 0)}));
    EXPECT_TRUE(shape[3].isCircle());

    Shape missingGroup; // reads as zero
    parse(drawing(entity("LINE", {{10, "1"}, {20, "2"}, {11, "3"}}) + line("5", "6", "7", "8")), missingGroup);
    EXPECT_EQ(missingGroup, (Shape{lineEntity(1, 2, 3, 0), lineEntity(5, 6, 7, 8)}));
}

TEST(DxfEntities, ClosedPolylineGetsItsClosingLineAndOpenOneDoesNot)
{
    Shape closed;
    parse(drawing(squarePolyline({{66, "1"}, {70, "1"}})), closed);
    Shape expected = kSquareLines;
    expected.push_back(lineEntity(0, 10, 0, 0));
    EXPECT_EQ(closed, expected);

    // Flag 0, no flag, and a flag only on a vertex are all open; the next entity follows
    // directly, with no empty entity between.
    for (const Groups& head : {Groups{{70, "0"}}, Groups{}, Groups{{70, "128"}}}) {
        Shape open;
        parse(drawing(squarePolyline(head) + line("50", "50", "60", "60")), open);
        Shape expectedOpen = kSquareLines;
        expectedOpen.push_back(lineEntity(50, 50, 60, 60));
        EXPECT_EQ(open, expectedOpen);
    }
    Shape vertexFlag;
    parse(drawing(entity("POLYLINE") + vertex("0", "0", {{70, "1"}}) + vertex("10", "0", {{70, "1"}}) +
                  entity("SEQEND")),
          vertexFlag);
    EXPECT_EQ(vertexFlag, Shape{lineEntity(0, 0, 10, 0)});
}

TEST(DxfEntities, PolylinesWithTooFewVerticesLeaveNothingBehind)
{
    Shape shape;
    const ShapeReadReport report = parse(drawing(entity("POLYLINE", {{70, "0"}}) + entity("SEQEND") +
                                                 entity("POLYLINE", {{70, "0"}}) + vertex("3", "3") +
                                                 entity("SEQEND") + line("1", "1", "2", "2")),
                                         shape);
    EXPECT_EQ(shape, Shape{lineEntity(1, 1, 2, 2)});
    EXPECT_EQ(report.skippedEntities, (std::vector<std::pair<std::string, int>>{{"POLYLINE (empty)", 2}}));
}

TEST(DxfEntities, MeshesAndSplineFrameVerticesAreLeftOut)
{
    Shape shape;
    const std::string mesh = entity("POLYLINE", {{70, "16"}, {71, "2"}, {72, "2"}}) + vertex("0", "0") +
                             vertex("1", "0") + vertex("0", "1") + vertex("1", "1") + entity("SEQEND");
    const std::string polyface = entity("POLYLINE", {{70, "64"}}) + vertex("0", "0", {{70, "192"}}) +
                                 entity("VERTEX", {{70, "128"}, {71, "1"}}) + entity("SEQEND");
    const std::string fitted = entity("POLYLINE", {{70, "4"}}) + vertex("0", "0", {{70, "16"}}) +
                               vertex("1", "1", {{70, "8"}}) + vertex("2", "0", {{70, "8"}}) +
                               vertex("3", "3", {{70, "16"}}) + entity("SEQEND");
    const ShapeReadReport report = parse(drawing(mesh + polyface + fitted), shape);
    EXPECT_EQ(shape, Shape{lineEntity(1, 1, 2, 0)});
    EXPECT_EQ(report.skippedEntities, (std::vector<std::pair<std::string, int>>{{"POLYLINE (mesh)", 2}}));
}

TEST(DxfEntities, LwPolylineVerticesWithCountAndClosedFlag)
{
    const Groups square{{90, "4"}, {70, "1"}, {43, "0"}, {10, "0"},  {20, "0"}, {10, "10"},
                        {20, "0"}, {10, "10"}, {20, "10"}, {40, "1"}, {41, "1"}, {10, "0"}, {20, "10"}};
    Shape closed;
    parse(drawing(entity("LWPOLYLINE", square)), closed);
    Shape expected = kSquareLines;
    expected.push_back(lineEntity(0, 10, 0, 0));
    EXPECT_EQ(closed, expected);

    Groups openSquare = square;
    openSquare[1].second = "128"; // plinegen only
    Shape open;
    parse(drawing(entity("LWPOLYLINE", openSquare)), open);
    EXPECT_EQ(open, kSquareLines);
}

// --- which part of the drawing is read ------------------------------------------------------

TEST(DxfSections, BlocksAreDrawnWhereInsertedAndOtherSectionsAreNotRead)
{
    const std::string text = section("HEADER", "  9\n$ACADVER\n  1\nAC1032\n") +
                             section("TABLES", entity("TABLE", {{2, "LAYER"}}) + entity("LAYER") + entity("ENDTAB")) +
                             section("BLOCKS", entity("BLOCK", {{2, "BOLT"}}) + line("7", "7", "8", "8") +
                                                   entity("CIRCLE", {{40, "3"}}) + entity("ENDBLK")) +
                             section("ENTITIES", line("1", "2", "3", "4") + entity("INSERT", {{2, "BOLT"}})) +
                             section("OBJECTS", line("5", "5", "6", "6")) + entity("EOF");
    Shape shape;
    const ShapeReadReport report = parse(text, shape);
    EXPECT_EQ(shape, (Shape{lineEntity(1, 2, 3, 4), lineEntity(7, 7, 8, 8), arcEntity(0, 0, 3, 0, 0)}));
    EXPECT_TRUE(report.skippedEntities.empty());
}

TEST(DxfSections, WithoutSectionsTheEntitiesAfterTheLastBlockAreRead)
{
    const std::string blocks = entity("BLOCK", {{2, "A"}}) + line("7", "7", "8", "8") + entity("ENDBLK", {{8, "0"}}) +
                               entity("BLOCK", {{2, "B"}}) + line("9", "9", "8", "8") + entity("ENDBLK", {{8, "0"}});
    Shape afterBlocks;
    parse(blocks + line("1", "2", "3", "4") + entity("EOF"), afterBlocks);
    EXPECT_EQ(afterBlocks, Shape{lineEntity(1, 2, 3, 4)});

    Shape noBlocks;
    parse(line("1", "2", "3", "4") + line("5", "6", "7", "8") + entity("EOF"), noBlocks);
    EXPECT_EQ(noBlocks, (Shape{lineEntity(1, 2, 3, 4), lineEntity(5, 6, 7, 8)}));
}

TEST(DxfSections, AnEmptyEntitiesSectionIsAnEmptyShapeWithoutComplaint)
{
    Shape shape;
    const ShapeReadReport report = parse(section("HEADER", "") + drawing(""), shape);
    EXPECT_TRUE(shape.empty());
    EXPECT_TRUE(report.readable);
    EXPECT_TRUE(report.notes.empty());
    EXPECT_TRUE(hasNote(parse(section("HEADER", "") + entity("EOF"), shape), "no ENTITIES section"));
}

// --- skipped entities -----------------------------------------------------------------------

TEST(DxfSkipped, EveryOtherEntityIsCountedInTheOrderFirstMet)
{
    Shape shape;
    const ShapeReadReport report =
        parse(drawing(entity("HATCH", {{10, "1"}}) + entity("TEXT", {{1, "LINE"}}) + line("0", "0", "1", "0") +
                      entity("HATCH") + entity("ARC", {{10, "4"}, {40, "0"}}) +
                      entity("LINE", {{67, "1"}, {10, "5"}}) + entity("POLYLINE", {{67, "1"}}) + vertex("0", "0") +
                      vertex("9", "9") + entity("SEQEND") + entity("CIRCLE", {{40, "1"}, {67, "0"}})),
              shape);
    EXPECT_EQ(shape, (Shape{lineEntity(0, 0, 1, 0), arcEntity(0, 0, 1, 0, 0)}));
    const std::vector<std::pair<std::string, int>> expected{
        {"HATCH", 2}, {"TEXT", 1}, {"ARC (empty)", 1}, {"LINE (paper space)", 1}, {"POLYLINE (paper space)", 1}};
    EXPECT_EQ(report.skippedEntities, expected);
    EXPECT_TRUE(hasNote(report, "skipped 2 HATCH, 1 TEXT, 1 ARC (empty), 1 LINE (paper space)"));
}

// --- blocks ---------------------------------------------------------------------------------

// Block B: a line from its base point (1, 0) two units along x and a quarter circle about it;
// block OUTER: B turned a quarter at (100, 0).
std::string withBlocks(const std::string& blocks, const std::string& entities)
{
    const std::string b = entity("BLOCK", {{2, "B"}, {10, "1"}, {20, "0"}, {70, "0"}}) + line("1", "0", "3", "0") +
                          entity("ARC", {{10, "1"}, {20, "0"}, {40, "1"}, {50, "0"}, {51, "90"}}) + entity("ENDBLK");
    const std::string outer = entity("BLOCK", {{2, "OUTER"}}) +
                              entity("INSERT", {{2, "B"}, {10, "100"}, {20, "0"}, {50, "90"}}) + entity("ENDBLK");
    return section("BLOCKS", b + outer + blocks) + drawing(entities);
}

TEST(DxfBlocks, InsertsDrawTheirBlockMovedTurnedScaledMirroredNestedAndInArrays)
{
    const struct {
        std::string name;
        Groups insert;
        Shape expected;
    } cases[] = {
        {"moved", {{2, "B"}, {10, "10"}, {20, "10"}}, {lineEntity(10, 10, 12, 10), arcEntity(10, 10, 1, 0, 90)}},
        {"turned and scaled, name in other letters",
         {{2, "b"}, {10, "10"}, {20, "10"}, {41, "2"}, {42, "2"}, {50, "90"}},
         {lineEntity(10, 10, 10, 14), arcEntity(10, 10, 2, 90, 180)}},
        {"mirrored by a negative scale", {{2, "B"}, {10, "10"}, {20, "10"}, {41, "-1"}},
         {lineEntity(10, 10, 8, 10), arcEntity(10, 10, 1, 90, 180)}},
        {"seen from behind", {{2, "B"}, {10, "10"}, {20, "10"}, {230, "-1"}},
         {lineEntity(-10, 10, -12, 10), arcEntity(-10, 10, 1, 90, 180)}},
        {"array of 2 x 2 turned: the spacing turns too but is not scaled",
         {{2, "B"}, {41, "0.5"}, {42, "0.5"}, {50, "90"}, {70, "2"}, {71, "2"}, {44, "5"}, {45, "7"}},
         {lineEntity(0, 0, 0, 1), arcEntity(0, 0, 0.5, 90, 180), lineEntity(0, 5, 0, 6), arcEntity(0, 5, 0.5, 90, 180),
          lineEntity(-7, 0, -7, 1), arcEntity(-7, 0, 0.5, 90, 180), lineEntity(-7, 5, -7, 6),
          arcEntity(-7, 5, 0.5, 90, 180)}},
        {"array with no spacing: drawn once", {{2, "B"}, {70, "3"}}, {lineEntity(0, 0, 2, 0), arcEntity(0, 0, 1, 0, 90)}},
        {"nested, the outer block scaled", {{2, "OUTER"}, {41, "2"}, {42, "2"}},
         {lineEntity(200, 0, 200, 4), arcEntity(200, 0, 2, 90, 180)}},
    };
    for (const auto& c : cases) {
        Shape shape;
        const ShapeReadReport report = parse(withBlocks("", entity("INSERT", c.insert)), shape);
        ASSERT_EQ(shape.size(), c.expected.size()) << c.name;
        for (std::size_t k = 0; k < shape.size(); ++k) {
            const ShapeEntity& a = shape[k];
            const ShapeEntity& e = c.expected[k];
            for (auto [got, want] : {std::pair{a.X1, e.X1}, {a.Y1, e.Y1}, {a.X2, e.X2}, {a.Y2, e.Y2}, {a.CX, e.CX},
                                     {a.CY, e.CY}, {a.RAD, e.RAD}, {a.Nstart, e.Nstart}, {a.Nend, e.Nend}})
                EXPECT_NEAR(got, want, 1e-9) << c.name << " entity " << k + 1;
        }
        EXPECT_TRUE(report.notes.empty()) << c.name << ": " << report.notes.front();
    }
}

TEST(DxfBlocks, WhatCannotBeDrawnIsNamedAndTheRestIsRead)
{
    const std::string blocks = entity("BLOCK", {{2, "LOOP"}}) + entity("INSERT", {{2, "LOOP"}}) + entity("ENDBLK") +
                               entity("BLOCK", {{2, "XREF"}, {70, "4"}}) + entity("ENDBLK") +
                               entity("BLOCK", {{2, "LABEL"}}) + entity("TEXT", {{1, "7"}}) + line("0", "0", "1", "0") +
                               entity("ENDBLK");
    const std::string entities =
        entity("INSERT", {{2, "NONE"}}) + entity("INSERT", {{2, "LOOP"}}) + entity("INSERT", {{2, "XREF"}}) +
        entity("INSERT", {{2, "B"}, {70, "1000"}, {71, "1000"}, {44, "1"}, {45, "1"}}) +
        entity("INSERT", {{2, "LABEL"}, {66, "1"}}) + entity("ATTRIB", {{1, "A"}}) + entity("ATTRIB", {{1, "B"}}) +
        entity("SEQEND") + line("5", "5", "6", "6");
    Shape shape;
    const ShapeReadReport report = parse(withBlocks(blocks, entities), shape);
    EXPECT_EQ(shape, (Shape{lineEntity(0, 0, 1, 0), lineEntity(5, 5, 6, 6)}));
    const std::vector<std::pair<std::string, int>> expected{
        {"INSERT (no block NONE)", 1},
        {"INSERT (block LOOP inside itself) (in block LOOP)", 1},
        {"INSERT (external reference XREF)", 1},
        {"INSERT (an array of more than 100000 cells)", 1},
        {"ATTRIB", 2},
        {"TEXT (in block LABEL)", 1}};
    EXPECT_EQ(report.skippedEntities, expected);
}

// --- units ----------------------------------------------------------------------------------

TEST(DxfUnits, DrawingsNamingTheirUnitsAreConvertedToTheDrawingUnit)
{
    const struct {
        std::string insunits;
        DrawingUnit unit;
        double factor;
        std::string note;
    } cases[] = {
        {"", DrawingUnit::Millimetre, 1, ""},
        {"0", DrawingUnit::Inch, 1, ""},
        {"1", DrawingUnit::Millimetre, 25.4, "converted from inches to millimetres"},
        {"1", DrawingUnit::Inch, 1, ""},
        {"4", DrawingUnit::Inch, 1 / 25.4, "converted from millimetres to inches"},
        {"2", DrawingUnit::Millimetre, 304.8, "converted from feet to millimetres"},
        {"6", DrawingUnit::Inch, 1000 / 25.4, "converted from metres to inches"},
        {"99", DrawingUnit::Millimetre, 1, "the drawing's units ($INSUNITS 99) are not known; it is read as drawn"},
    };
    for (const auto& c : cases) {
        const std::string header = c.insunits.empty() ? "" : "  9\n$INSUNITS\n 70\n" + c.insunits + "\n";
        const std::string text = section("HEADER", "  9\n$ACADVER\n  1\nAC1032\n" + header) +
                                 drawing(line("1", "2", "3", "2") + entity("ARC", {{10, "1"}, {20, "2"}, {40, "2"},
                                                                                   {50, "10"}, {51, "20"}}));
        Shape shape;
        const ShapeReadReport report = parseDxfText(text, shape, "part.dxf", c.unit);
        const double f = c.factor;
        ASSERT_EQ(shape.size(), 2u);
        EXPECT_EQ(shape[0], lineEntity(f * 1, f * 2, f * 3, f * 2)) << c.insunits;
        EXPECT_EQ(shape[1], arcEntity(f * 1, f * 2, f * 2, 10, 20)) << c.insunits;
        EXPECT_EQ(report.notes, c.note.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.note});
    }
}

// --- damaged and foreign files --------------------------------------------------------------

TEST(DxfDamage, BinaryDrawingsAreRefusedNamingTheFile)
{
    TempFolder folder;
    Shape shape;
    const ShapeReadReport dwg =
        readDxfFile(folder.write("plate.dxf", std::string("AC1015\0\0\0\0\x01\x02\xff", 13)), shape);
    EXPECT_FALSE(dwg.readable);
    EXPECT_EQ(dwg.error, folder.file("plate.dxf") + ": a binary DWG drawing, not a DXF text drawing");

    const ShapeReadReport binaryDxf =
        readDxfFile(folder.write("flange.dxf", std::string("AutoCAD Binary DXF\r\n\x1a\0\0\x00SECTION", 31)), shape);
    EXPECT_FALSE(binaryDxf.readable);
    EXPECT_NE(binaryDxf.error.find("flange.dxf: a binary DXF drawing"), std::string::npos);
    EXPECT_TRUE(shape.empty());
}

TEST(DxfDamage, UnreadableAndEmptyFiles)
{
    TempFolder folder;
    Shape shape;
    const ShapeReadReport missing = readDxfFile(folder.file("gone.dxf"), shape);
    EXPECT_FALSE(missing.readable);
    EXPECT_NE(missing.error.find("gone.dxf"), std::string::npos);
    EXPECT_FALSE(readDxfFile(folder.folder(), shape).readable);

    const ShapeReadReport empty = readDxfFile(folder.write("empty.dxf", ""), shape);
    EXPECT_TRUE(empty.readable);
    EXPECT_TRUE(shape.empty());
    EXPECT_TRUE(hasNote(empty, "no DXF groups"));
}

TEST(DxfDamage, NonNumericValuesReadByTheirLeadingNumber)
{
    Shape shape;
    const ShapeReadReport report =
        parse(drawing(line("12.5mm", "abc", " 3 ", "") + entity("CIRCLE", {{10, "x"}, {20, "2"}, {40, "5"}})), shape);
    EXPECT_EQ(shape, (Shape{lineEntity(12.5, 0, 3, 0), arcEntity(0, 2, 5, 0, 0)}));
    EXPECT_EQ(report.nonNumericFields, 3); // "12.5mm", "abc", "x"; the empty value is simply 0
}

TEST(DxfDamage, NumbersOutOfRangeStopTheImportKeepingWhatWasRead)
{
    Shape huge;
    const ShapeReadReport fine = parse(drawing(line("1e300", "-1e300", "0", "0")), huge);
    EXPECT_EQ(huge, Shape{lineEntity(1e300, -1e300, 0, 0)});
    EXPECT_TRUE(fine.notes.empty());

    for (const char* bad : {"1e400", "-1e999", "nan", "-inf", "INF"}) {
        Shape shape;
        const ShapeReadReport report =
            parse(drawing(line("1", "1", "2", "2") + entity("ARC", {{10, "0"}, {20, "0"}, {40, bad}}) +
                          line("3", "3", "4", "4")),
                  shape);
        EXPECT_EQ(shape, Shape{lineEntity(1, 1, 2, 2)}) << bad;
        ASSERT_FALSE(report.notes.empty()) << bad;
        EXPECT_EQ(report.notes.front(), "AutoCAD version problem encountered reading DXF ! ") << bad;
        EXPECT_TRUE(report.readable);
    }
    // Coordinates fine on their own whose arc would not be.
    Shape overflow;
    const ShapeReadReport report = parse(drawing(line("1", "1", "2", "2") + entity("LWPOLYLINE", {{10, "1.7e308"},
                                                                                                  {20, "0"},
                                                                                                  {42, "1"},
                                                                                                  {10, "-1.7e308"},
                                                                                                  {20, "0"}})),
                                         overflow);
    EXPECT_EQ(overflow, Shape{lineEntity(1, 1, 2, 2)});
    EXPECT_TRUE(hasNote(report, "AutoCAD version problem"));
}

TEST(DxfDamage, APolylineWithoutSeqendKeepsItsLines)
{
    Shape shape;
    const ShapeReadReport report =
        parse(drawing(entity("POLYLINE", {{70, "1"}}) + vertex("0", "0") + vertex("10", "0") + vertex("10", "10") +
                      vertex("0", "10") + line("50", "50", "60", "60")),
              shape);
    Shape expected = kSquareLines;
    expected.push_back(lineEntity(0, 10, 0, 0));
    expected.push_back(lineEntity(50, 50, 60, 60));
    EXPECT_EQ(shape, expected);
    EXPECT_TRUE(hasNote(report, "POLYLINE without SEQEND"));
}

TEST(DxfDamage, OddLinesAndUnreadableCodesAreNoted)
{
    Shape shape;
    const ShapeReadReport odd = parse(drawing(line("1", "2", "3", "4")) + "  0\n", shape);
    EXPECT_EQ(shape, Shape{lineEntity(1, 2, 3, 4)});
    EXPECT_TRUE(hasNote(odd, "no value line"));

    shape.clear();
    const ShapeReadReport badCode = parse(drawing(line("1", "2", "3", "4") + "1O\n5\n"), shape);
    EXPECT_EQ(shape, Shape{lineEntity(1, 2, 3, 4)});
    EXPECT_TRUE(hasNote(badCode, "group code that is not a number"));

    shape.clear();
    const ShapeReadReport trailingBlankLines = parse(drawing(line("1", "2", "3", "4")) + "\n\r\n\n", shape);
    EXPECT_TRUE(trailingBlankLines.notes.empty());
}

TEST(DxfDamage, EveryCutOfADrawingReadsWithoutFailing)
{
    const std::string text = withCrLf(drawing(
        line("1", "2", "3", "4") + squarePolyline({{70, "1"}}) +
        entity("LWPOLYLINE", {{90, "3"}, {70, "1"}, {10, "0"}, {20, "0"}, {42, "0.5"}, {10, "5"}, {20, "0"}, {10, "5"},
                              {20, "5"}, {42, "-2"}}) +
        entity("ARC", {{10, "1"}, {20, "1"}, {40, "2"}, {50, "10"}, {51, "20"}, {230, "-1"}})));
    Shape whole;
    parse(text, whole);
    ASSERT_EQ(whole.size(), 9u);
    for (std::size_t length = 0; length < text.size(); ++length) {
        Shape shape;
        const ShapeReadReport report = parse(text.substr(0, length), shape);
        EXPECT_TRUE(report.readable);
        EXPECT_LE(shape.size(), whole.size()) << length;
        if (length > 0 && length < text.size() - 6) {
            EXPECT_FALSE(report.notes.empty()) << length; // cut short, and it says so
        }
    }
}

} // namespace
} // namespace dravenor
