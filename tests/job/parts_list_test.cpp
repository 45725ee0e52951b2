// Parts lists as spreadsheets and other programs write them: good lists give the rows with
// their numbers, damaged lists give every bad line with its message and import nothing of it,
// and folders give their shape files with the quantities their names carry.
#include <gtest/gtest.h>

#include <filesystem>

#include "job/parts_folder.h"
#include "job/parts_list.h"
#include "geometry/golden_file.h"
#include "support/temp_folder.h"

namespace dravenor {
namespace {

using testing::TempFolder;

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

// Each row as "file qty pri orn mirror", the file relative to the folder.
std::string rowsOf(const PartsList& list, const std::string& folder)
{
    std::string text;
    for (const PartsListRow& r : list.rows)
        text += (r.file.starts_with(folder + "/") ? r.file.substr(folder.size() + 1) : r.file) + " " + std::to_string(r.qty) + " " + std::to_string(r.pri) + " " + r.orn +
                (r.mirror ? " mirror\n" : "\n");
    return text;
}

TEST_F(PartsListTest, GoodListsInEverySpreadsheetDialectGiveTheSameRows)
{
    const std::string plateAndRing = "plate.dxf 12 2 No mirror\nring.shp 1 0 \n";
    const struct { const char* name; std::string text, rows; } cases[] = {
        {"commas, LF", "file,quantity,priority,orientation,mirror\nplate.dxf,12,2,No,yes\nring.shp,,,,\n", plateAndRing},
        {"semicolons, CR LF, other spellings", "Part File Name;QTY;Pri;Orn;Mirrored\r\nplate.dxf;12;2;no;1\r\nring.shp;1;0;;0\r\n",
         plateAndRing},
        {"byte-order mark, columns reordered", "\xEF\xBB\xBFmirror,orientation,file,qty\ntrue,NO,plate.dxf,12\nfalse,,ring.shp,1\n",
         "plate.dxf 12 0 No mirror\nring.shp 1 0 \n"},
        {"quotes, blanks and empty lines", "\"File\",\"Qty\"\n\n\"plate.dxf\" , \" 12 \"\n  ring.shp  ,\"1\"\n,\n\n",
         "plate.dxf 12 0 \nring.shp 1 0 \n"},
        {"decimal comma and point in quantities", "file;qty\nplate.dxf;12,0\nring.shp;3.0\n", "plate.dxf 12 0 \nring.shp 3 0 \n"},
        {"tabs, subfolder, backslash", "file\tqty\tOrientation\tmirror\nsub\\flange.DXF\t4\tStep180\tY\n",
         "sub/flange.DXF 4 0 step180 mirror\n"},
        {"no newline at the end, only a file column", "drawing\nplate.dxf", "plate.dxf 1 0 \n"},
        {"a quoted comma and doubled quotes in another column", "file,material\nplate.dxf,\"S235, \"\"hot\"\"\"\n",
         "plate.dxf 1 0 \n"},
    };
    for (const auto& c : cases) {
        const PartsList list = read(c.text);
        EXPECT_EQ(std::pair(faultTexts(list).size(), rowsOf(list, folder.folder())), std::pair(size_t{0}, c.rows)) << c.name;
    }
    EXPECT_EQ(read("file,material\nplate.dxf,\"S235, \"\"hot\"\"\"\n").rows.at(0).material, "S235, \"hot\"");
}

// Each list's faults and the rows it keeps are in the golden file.
TEST_F(PartsListTest, DamagedListsNameEveryBadLineAndKeepNoneOfThem)
{
    const std::pair<const char*, std::string> cases[] = {
        {"bad numbers", "file;qty;pri\nplate.dxf;ten;1\nring.shp;2,5;1\nplate.dxf;-3;\nring.shp;4;1000\nplate.dxf;3;7\n"},
        {"missing files and a foreign type", "file,qty\nplate.dxf,1\ngone.dxf,2\nsub/plate.dxf,1\nplate.dwg,1\n,4\n"},
        {"unknown and repeated columns", "file,colour,qty,Quantity\nplate.dxf,red,1,1\n"},
        {"no file column", "qty;pri\n3;1\n"},
        {"bad orientation, mirror and thickness", "file,orn,mirror,thickness\nplate.dxf,step45,,\nring.shp,,maybe,\nplate.dxf,,,thin\n"},
        {"a field beyond the header", "file,qty\nplate.dxf,1,extra\nring.shp,1,\n"},
        {"a quote that never closes, line counted over a quoted line break",
         "file,material\nplate.dxf,\"two\nlines\"\nring.shp,\"open\n"},
        {"empty", "\xEF\xBB\xBF\r\n\r\n"},
    };
    testing::Sections results;
    for (const auto& [name, text] : cases) {
        const PartsList list = read(text);
        std::string record = rowsOf(list, folder.folder());
        for (const std::string& fault : faultTexts(list)) record += "fault: " + fault + "\n";
        for (size_t at; (at = record.find(folder.folder())) != std::string::npos;) record.replace(at, folder.folder().size(), "DIR");
        results.push_back({name, record});
    }
    testing::expectGolden("job/parts-list-faults.txt", testing::joinSections(results));
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
    std::string lines;
    for (const PartsListRow& row : list.rows) lines += std::to_string(row.line) + " taken\n";
    for (const auto& other : list.otherStock) lines += std::to_string(other.row.line) + ": " + other.reason + "\n";
    EXPECT_EQ(std::pair(list.faults.size(), lines),
              std::pair(size_t{0}, std::string("2 taken\n5 taken\n3: material ALU, the job's is S235\n"
                                               "4: thickness 8.5, the job's is 10\n6: material ALU, the job's is S235\n")));
    // A job without material or thickness takes every row.
    EXPECT_EQ(std::pair(read(text).faults.size(), read(text).rows.size()), std::pair(size_t{1}, size_t{4}));
}

TEST_F(PartsListTest, AListFileTakesItsFolderForRelativeNames)
{
    const std::string path = folder.write("sub/order.csv", "file,qty\nflange.DXF,2\n../plate.dxf,1\n");
    const PartsList list = readPartsListFile(path, {});
    EXPECT_EQ(std::pair(faultTexts(list), rowsOf(list, folder.folder())),
              std::pair(std::vector<std::string>{}, std::string("sub/flange.DXF 2 0 \nplate.dxf 1 0 \n")));
    const std::vector<std::string> missing = faultTexts(readPartsListFile(folder.file("none.csv"), {}));
    EXPECT_TRUE(missing.size() == 1 && missing[0].find("none.csv") != std::string::npos);
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
    EXPECT_EQ(faultTexts(readPartsFolder(empty.folder())),
              std::vector<std::string>{empty.folder() + " holds no drawing (.dxf) or shape file (.shp)"});
    const std::vector<std::string> none = faultTexts(readPartsFolder(empty.file("none")));
    EXPECT_TRUE(none.size() == 1 && none[0].find("cannot read folder") != std::string::npos);
}

} // namespace
} // namespace dravenor
