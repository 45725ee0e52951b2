// File > Import Parts List... and Import Parts Folder...: rows added to the part grid after the
// rows typed before, rows of other stock named and left out, a list with bad lines shown whole
// and imported only when the user goes on, and the layouts kept when the user declines.
#include "app/main_window_fixture.h"

namespace dravenor::testing {
namespace {

class MainWindowPartsList : public MainWindowTest {
protected:
    // The part grid's rows as "file|qty|pri|orn|mirror", file names without their folder.
    std::vector<std::string> partRows()
    {
        const TextGrid& parts = window->job().parts;
        std::vector<std::string> rows;
        for (int r = 1; r < parts.rows(); ++r) {
            if (!parts.rowHasText(r)) continue;
            std::string row = QFileInfo(QString::fromStdString(parts.text(r, 1))).fileName().toStdString();
            for (const char* title : {"Qty", "Pri", "Orn", "Mirror"}) row += "|" + parts.text(r, parts.columnOf(title));
            rows.push_back(row);
        }
        return rows;
    }
    std::string writeList(const std::string& text) { return write("order.csv", QByteArray::fromStdString(text)); }
};

TEST_F(MainWindowPartsList, AListAddsItsRowsAfterTheGridsAndLeavesOutOtherStockWithANotice)
{
    writeRectangle("plate.shp", 300, 200);
    writeRectangle("rib.shp", 100, 20);
    typeInto(BasicGrid, "Mat", "S235");
    enterFiles(PartGrid, {writeRectangle("typed.shp", 50, 50)});
    typeInto(PartGrid, "Qty", "2");
    dialogs.openFiles.push_back(writeList("\xEF\xBB\xBFPart;Qty;Pri;Orientation;Material;Mirror\r\n"
                                          "plate.shp;12;3;no;s235;no\r\nrib.shp;4;;step180;;yes\r\nplate.shp;1;;;ALU;\r\n"));
    window->importPartsList();
    EXPECT_EQ(partRows(), (std::vector<std::string>{"typed.shp|2|||", "plate.shp|12|3|No|", "rib.shp|4||step180|Yes"}));
    EXPECT_TRUE(window->job().parts.text(window->job().parts.rows() - 1, 1).empty() && window->job().modified); // the entry row stays
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_EQ(dialogs.questions[0].text, "2 rows imported from " + folder.filePath("order.csv").toStdString() +
                                             "\nLeft out, for another material or thickness than the job's:\n"
                                             "line 4: material ALU, the job's is S235\n");
}

TEST_F(MainWindowPartsList, AListWithBadLinesNamesThemAllAndImportsOnlyWhenTheUserGoesOn)
{
    writeRectangle("plate.shp", 300, 200);
    std::string text = "file,qty\nplate.shp,2\nplate.shp,two\n";
    for (int i = 0; i < 14; ++i) text += "gone" + std::to_string(i) + ".shp,1\n";
    const std::string list = writeList(text);

    dialogs.openFiles.push_back(list); // Enter: the default answer, No
    window->importPartsList();
    ASSERT_EQ(dialogs.questions.size(), 1u);
    const DialogService::Message& asked = dialogs.questions[0];
    EXPECT_EQ(std::pair(asked.defaultAnswer, asked.buttons), std::pair(DialogService::Answer::No, DialogService::Buttons::YesNo));
    EXPECT_TRUE(asked.text.starts_with(list + ": 15 bad lines\nline 3: quantity 'two' is not a whole number"));
    EXPECT_NE(asked.text.find("... and 3 more (Show Details...)"), std::string::npos);
    EXPECT_NE(asked.text.find("Import the 1 row without faults?"), std::string::npos);
    EXPECT_NE(asked.details.find("line 17: file 'gone13.shp' not found"), std::string::npos); // every line behind Details
    EXPECT_TRUE(partRows().empty() && !window->job().modified);

    dialogs.openFiles.push_back(list);
    dialogs.answers.push_back(DialogService::Answer::Yes);
    window->importPartsList();
    EXPECT_EQ(partRows(), std::vector<std::string>{"plate.shp|2|||"});

    // A list with no good row says so and asks nothing.
    dialogs.questions.clear();
    dialogs.openFiles.push_back(writeList("file;colour\nplate.shp;red\n"));
    window->importPartsList();
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_TRUE(dialogs.questions[0].buttons == DialogService::Buttons::Ok && dialogs.questions[0].text.find("Nothing was imported.") != std::string::npos);
    EXPECT_EQ(partRows(), std::vector<std::string>{"plate.shp|2|||"});
}

TEST_F(MainWindowPartsList, AFolderAddsItsShapeFilesWithTheirQuantitiesAndLayoutsAreAskedAbout)
{
    enterJob("2", "2");
    optimise();
    ASSERT_FALSE(listed().empty());
    QTemporaryDir parts;
    const QString dir = parts.path();
    for (const char* name : {"bracket_x12.shp", "lug.shp"})
        EXPECT_EQ(saveShapeFile(rectangle(0, 0, 40, 30), dir.toStdString() + "/" + name), "");

    // Cancel at "You are about to change data": the grid and layouts stay.
    dialogs.folders.push_back(dir.toStdString() + "/");
    dialogs.answers.push_back(DialogService::Answer::Cancel);
    window->importPartsFolder();
    EXPECT_EQ(std::pair(partRows(), listed().empty()), std::pair(std::vector<std::string>{"plate.shp|2|||"}, false));

    dialogs.folders.push_back(dir.toStdString() + "/");
    dialogs.answers.push_back(DialogService::Answer::Ok);
    window->importPartsFolder();
    EXPECT_EQ(std::pair(partRows(), listed().empty()),
              std::pair(std::vector<std::string>{"plate.shp|2|||", "bracket_x12.shp|12|||", "lug.shp|1|||"}, true));
}

} // namespace
} // namespace dravenor::testing
