// Parts lists as spreadsheets and other programs write them: good lists give the rows with
// their numbers, damaged lists give every bad line with its message and import nothing of it,
// and folders give their shape files with the quantities their names carry.
#include <gtest/gtest.h>

#include <filesystem>

#include "job/parts_folder.h"
#include "job/parts_list.h"
#include "support/temp_folder.h"

namespace dravenor {
namespace {

using testing::TempFolder;

// The one fault of a list, or how many it has.
std::string faultTextOf(const PartsList& list)
{
    return list.faults.size() == 1 ? faultText(list.faults[0]) : std::to_string(list.faults.size()) + " faults";
}

// A folder with three part files for the lists to name.
class PartsListTest : public ::testing::Test {
protected:
    PartsListTest()
    {
        folder.write("plate.dxf", "0\nEOF\n");
        folder.write("ring.shp", "");
        std::filesystem::create_directory(folder.file("sub"));
        folder.write("sub/flange.DXF", "0\nEOF\n");
    }
    PartsList read(const std::string& text, JobStock stock = {}) { return readPartsList(text, folder.folder(), stock); }
    std::vector<std::string> faultTexts(const PartsList& list)
    {
        std::vector<std::string> texts;
        for (const PartsListFault& fault : list.faults) texts.push_back(faultText(fault));
        return texts;
    }
    TempFolder folder;
};

// The file (relative to the folder), quantity, priority, orientation and mirror flag of a row.
struct Expected {
    std::string file;
    int qty, pri;
    std::string orn;
    bool mirror;
};

TEST_F(PartsListTest, GoodListsInEverySpreadsheetDialectGiveTheSameRows)
{
    const std::vector<Expected> plateAndRing = {{"plate.dxf", 12, 2, "No", true}, {"ring.shp", 1, 0, "", false}};
    struct Case {
        const char* name;
        std::string text;
        std::vector<Expected> rows;
    };
    const Case cases[] = {
        {"commas, LF", "file,quantity,priority,orientation,mirror\nplate.dxf,12,2,No,yes\nring.shp,,,,\n", plateAndRing},
        {"semicolons, CR LF, other spellings", "Part File Name;QTY;Pri;Orn;Mirrored\r\nplate.dxf;12;2;no;1\r\nring.shp;1;0;;0\r\n",
         plateAndRing},
        {"byte-order mark, columns reordered", "\xEF\xBB\xBFmirror,orientation,file,qty\ntrue,NO,plate.dxf,12\nfalse,,ring.shp,1\n",
         {{"plate.dxf", 12, 0, "No", true}, {"ring.shp", 1, 0, "", false}}},
        {"quotes, blanks and empty lines", "\"File\",\"Qty\"\n\n\"plate.dxf\" , \" 12 \"\n  ring.shp  ,\"1\"\n,\n\n",
         {{"plate.dxf", 12, 0, "", false}, {"ring.shp", 1, 0, "", false}}},
        {"decimal comma and point in quantities", "file;qty\nplate.dxf;12,0\nring.shp;3.0\n",
         {{"plate.dxf", 12, 0, "", false}, {"ring.shp", 3, 0, "", false}}},
        {"tabs, subfolder, backslash", "file\tqty\tOrientation\tmirror\nsub\\flange.DXF\t4\tStep180\tY\n",
         {{"sub/flange.DXF", 4, 0, "step180", true}}},
        {"no newline at the end, only a file column", "drawing\nplate.dxf", {{"plate.dxf", 1, 0, "", false}}},
        {"a quoted comma and doubled quotes in another column", "file,material\nplate.dxf,\"S235, \"\"hot\"\"\"\n",
         {{"plate.dxf", 1, 0, "", false}}},
    };
    for (const Case& c : cases) {
        const PartsList list = read(c.text);
        EXPECT_TRUE(list.faults.empty()) << c.name << ": " << (list.faults.empty() ? "" : faultText(list.faults[0]));
        ASSERT_EQ(list.rows.size(), c.rows.size()) << c.name;
        for (size_t i = 0; i < c.rows.size(); ++i) {
            const PartsListRow& row = list.rows[i];
            EXPECT_EQ(row.file, folder.file(c.rows[i].file)) << c.name;
            EXPECT_EQ(row.qty, c.rows[i].qty) << c.name << " row " << i;
            EXPECT_EQ(row.pri, c.rows[i].pri) << c.name << " row " << i;
            EXPECT_EQ(row.orn, c.rows[i].orn) << c.name << " row " << i;
            EXPECT_EQ(row.mirror, c.rows[i].mirror) << c.name << " row " << i;
        }
    }
    EXPECT_EQ(read("file,material\nplate.dxf,\"S235, \"\"hot\"\"\"\n").rows.at(0).material, "S235, \"hot\"");
}

TEST_F(PartsListTest, DamagedListsNameEveryBadLineAndKeepNoneOfThem)
{
    const std::string known = " (known: file, quantity, priority, orientation, mirror, material, thickness)";
    struct Case {
        const char* name;
        std::string text;
        std::vector<std::string> faults;
        size_t goodRows;
    };
    const Case cases[] = {
        {"bad numbers", "file;qty;pri\nplate.dxf;ten;1\nring.shp;2,5;1\nplate.dxf;-3;\nring.shp;4;1000\nplate.dxf;3;7\n",
         {"line 2: quantity 'ten' is not a whole number from 0 to 999999",
          "line 3: quantity '2,5' is not a whole number from 0 to 999999",
          "line 4: quantity '-3' is not a whole number from 0 to 999999",
          "line 5: priority '1000' is not a whole number from 0 to 999"},
         1},
        {"missing files and a foreign type", "file,qty\nplate.dxf,1\ngone.dxf,2\nsub/plate.dxf,1\nplate.dwg,1\n,4\n",
         {"line 3: file 'gone.dxf' not found (looked for " + folder.file("gone.dxf") + ")",
          "line 4: file 'sub/plate.dxf' not found (looked for " + folder.file("sub/plate.dxf") + ")",
          "line 5: 'plate.dwg' is not a drawing (.dxf) or shape file (.shp)", "line 6: no file named"},
         1},
        {"unknown and repeated columns", "file,colour,qty,Quantity\nplate.dxf,red,1,1\n",
         {"line 1: unknown column 'colour'" + known, "line 1: column 'Quantity' names a column given before"}, 0},
        {"no file column", "qty;pri\n3;1\n",
         {"line 1: no file column: the first line names the columns, one of them the part's file"}, 0},
        {"bad orientation, mirror and thickness", "file,orn,mirror,thickness\nplate.dxf,step45,,\nring.shp,,maybe,\nplate.dxf,,,thin\n",
         {"line 2: orientation 'step45' is not one the part grid takes (empty, No, step90, step180)",
          "line 3: mirror 'maybe' is not yes or no (also y/n, 1/0, true/false)",
          "line 4: thickness 'thin' is not a number from 0 up"},
         0},
        {"a field beyond the header", "file,qty\nplate.dxf,1,extra\nring.shp,1,\n",
         {"line 2: 'extra' stands in a column the first line does not name"}, 1},
        {"a quote that never closes, line counted over a quoted line break",
         "file,material\nplate.dxf,\"two\nlines\"\nring.shp,\"open\n",
         {"line 4: a quote opened here is never closed"}, 1},
        {"empty", "\xEF\xBB\xBF\r\n\r\n",
         {"the list is empty: its first line names the columns (file, quantity, priority, orientation, mirror, "
          "material, thickness)"},
         0},
    };
    for (const Case& c : cases) {
        const PartsList list = read(c.text);
        EXPECT_EQ(faultTexts(list), c.faults) << c.name;
        EXPECT_EQ(list.rows.size(), c.goodRows) << c.name;
    }
}

TEST_F(PartsListTest, RowsOfAnotherMaterialOrThicknessAreLeftOutWithTheirReason)
{
    const std::string text = "file;material;thickness\n"
                             "plate.dxf;s235;10\n"     // the job's, in another case
                             "ring.shp;ALU;10\n"       // another material
                             "plate.dxf;S235;8,5\n"    // another thickness, decimal comma
                             "ring.shp;;\n"            // no stock named: the job's
                             "gone.dxf;ALU;\n";        // left out before its file is looked for
    const PartsList list = read(text, {"S235", 10});
    EXPECT_TRUE(list.faults.empty());
    ASSERT_EQ(list.rows.size(), 2u);
    EXPECT_EQ(list.rows[0].line, 2);
    EXPECT_EQ(list.rows[1].line, 5);
    ASSERT_EQ(list.otherStock.size(), 3u);
    EXPECT_EQ(list.otherStock[0].reason, "material ALU, the job's is S235");
    EXPECT_EQ(list.otherStock[1].reason, "thickness 8.5, the job's is 10");
    EXPECT_EQ(list.otherStock[1].row.line, 4);
    EXPECT_EQ(list.otherStock[2].row.line, 6);
    // A job without material or thickness takes every row.
    EXPECT_EQ(read(text).faults.size(), 1u);
    EXPECT_EQ(read(text).rows.size(), 4u);
}

TEST_F(PartsListTest, AListFileTakesItsFolderForRelativeNames)
{
    const std::string path = folder.write("sub/order.csv", "file,qty\nflange.DXF,2\n../plate.dxf,1\n");
    const PartsList list = readPartsListFile(path, {});
    ASSERT_TRUE(list.faults.empty()) << faultText(list.faults.at(0));
    ASSERT_EQ(list.rows.size(), 2u);
    EXPECT_EQ(list.rows[0].file, folder.file("sub/flange.DXF"));
    EXPECT_EQ(list.rows[1].file, folder.file("plate.dxf"));
    const PartsList missing = readPartsListFile(folder.file("none.csv"), {});
    ASSERT_EQ(missing.faults.size(), 1u);
    EXPECT_NE(missing.faults[0].message.find("none.csv"), std::string::npos);
}

TEST_F(PartsListTest, AFolderGivesItsShapeFilesWithTheQuantitiesOfTheirNames)
{
    struct Case { const char* name; int qty; };
    const Case names[] = {{"bracket_x12.dxf", 12}, {"bracket-X3.DXF", 3}, {"plate x7.shp", 7}, {"x12.dxf", 1},
                          {"box_12.dxf", 1},       {"max.dxf", 1},        {"rib_x1234567.dxf", 1}, {"tab_x0.shp", 0}};
    for (const Case& c : names) EXPECT_EQ(quantityInFileName("/a/b/" + std::string(c.name)), c.qty) << c.name;

    TempFolder parts;
    for (const Case& c : names) parts.write(c.name, "");
    parts.write("notes.txt", "");
    parts.write("order.csv", "");
    std::filesystem::create_directory(parts.file("old.dxf")); // a folder, not a drawing
    const PartsList list = readPartsFolder(parts.folder());
    EXPECT_TRUE(list.faults.empty());
    ASSERT_EQ(list.rows.size(), std::size(names));
    std::vector<std::string> files;
    for (const PartsListRow& row : list.rows) {
        files.push_back(std::filesystem::path(row.file).filename());
        EXPECT_EQ(row.qty, quantityInFileName(row.file));
    }
    EXPECT_TRUE(std::is_sorted(files.begin(), files.end()));

    TempFolder empty;
    EXPECT_EQ(faultTextOf(readPartsFolder(empty.folder())), empty.folder() + " holds no drawing (.dxf) or shape file (.shp)");
    EXPECT_NE(faultTextOf(readPartsFolder(empty.file("none"))).find("cannot read folder"), std::string::npos);
}

} // namespace
} // namespace dravenor
