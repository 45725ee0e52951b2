// Esc on the save question keeps the work: on every path that asks it (closing the main window,
// File > Exit, New and Open, closing either editor), with the real message boxes, the program
// stays open and nothing is saved or thrown away.
#include <QAction>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

#include "app/main_window.h"
#include "app/qt_dialog_service.h"
#include "editors/layout_editor.h"
#include "editors/shape_editor.h"
#include "geometry/shape_builders.h"
#include "layouts/layout_file.h"
#include "job/files.h"
#include "support/escape_every_dialog.h"
#include "support/saved_shape.h"
#include "ui/grid_view.h"

namespace dravenor::testing {
namespace {

using Strings = std::vector<std::string>;
const Strings kAskedToSave{"Save changes in current file?"};

struct WindowPath {
    const char* name;
    std::function<bool(MainWindow&)> leave; // false when the command says it stopped
};

TEST(UnsavedWork, EscOnTheSaveQuestionOfTheMainWindowKeepsItOpenWithTheJobUnsaved)
{
    const WindowPath paths[] = {
        {"closing the window", [](MainWindow& w) { return w.close(); }},
        {"File > Exit (Ctrl+Q)",
         [](MainWindow& w) {
             EXPECT_EQ(w.exitAction()->shortcut(), QKeySequence(QKeySequence::Quit));
             w.exitAction()->trigger();
             return !w.isVisible();
         }},
        {"File > New", [](MainWindow& w) { return w.newJob(); }},
        {"File > Open",
         [](MainWindow& w) {
             w.openJobWithDialog();
             return w.job().basic.text(1, 1) != "S235";
         }},
    };
    for (const WindowPath& path : paths) {
        QTemporaryDir folder;
        QtDialogService dialogs(folder.path());
        MainWindow window(dialogs, folder.path());
        window.show();
        GridView& basic = *window.gridView(BasicGrid);
        basic.setCurrentCell(1, window.job().basic.columnOf("Mat"));
        QTest::keyClicks(&basic, "S235");
        QTest::keyClick(&basic, Qt::Key_Return);
        ASSERT_TRUE(window.job().modified) << path.name;

        EscapeEveryDialog esc;
        EXPECT_FALSE(path.leave(window)) << path.name;
        EXPECT_EQ(esc.seen, kAskedToSave) << path.name;
        EXPECT_EQ(std::tuple(window.isVisible(), window.job().modified, window.job().basic.text(1, 1)),
                  std::tuple(true, true, "S235"))
            << path.name;
    }
}

TEST(UnsavedWork, EscOnTheEditorsQuestionsKeepsThemOpenAndTheFilesAsTheyWere)
{
    QTemporaryDir working, files;
    const auto fileIn = [&](const char* name) { return QDir(files.path()).filePath(name).toStdString(); };
    const std::string plate = fileIn("plate.shp");
    ASSERT_EQ(saveShapeFile(rectangle(0, 0, 200, 100), plate), "");
    const std::string sheet = fileIn("sheet.shp");
    ASSERT_EQ(saveShapeFile(rectangle(0, 0, 1000, 500), sheet), "");
    const std::vector<LayoutFileLine> lines{{sheet, "0", "0", "0", "1"}, {plate, "0", "0", "0", "1"}};
    const std::string layout = fileIn("one.lay");
    ASSERT_EQ(writeLayoutFile(layout, lines, false), "");
    QtDialogService dialogs(working.path());
    const std::string plateBytes = TempFolder::read(plate), layoutBytes = TempFolder::read(layout);

    for (const char* step : {"Exit", "New", "Open"}) {
        ShapeEditor shapes(dialogs, working.path());
        shapes.show();
        ASSERT_TRUE(shapes.openFile(plate));
        shapes.adjust(1);
        EscapeEveryDialog esc;
        if (std::string(step) == "Exit") EXPECT_FALSE(shapes.close());
        else if (std::string(step) == "New") EXPECT_FALSE(shapes.newFile());
        else shapes.openWithDialog();
        EXPECT_EQ(esc.seen, kAskedToSave) << "shape editor " << step;
        EXPECT_EQ(std::tuple(shapes.isVisible(), shapes.currentFile()), std::tuple(true, plate)) << step;

        LayoutEditor layouts(dialogs, working.path());
        layouts.show();
        ASSERT_TRUE(layouts.openFile(layout));
        layouts.gridView()->selectRows(2, 2);
        layouts.adjust(1);
        EscapeEveryDialog escLayout;
        if (std::string(step) == "Exit") EXPECT_FALSE(layouts.close());
        else if (std::string(step) == "New") layouts.newFile();
        else layouts.openWithDialog();
        EXPECT_EQ(escLayout.seen, kAskedToSave) << "layout editor " << step;
        EXPECT_EQ(std::tuple(layouts.isVisible(), layouts.modified(), layouts.currentFile()),
                  std::tuple(true, true, layout)) << step;
    }
    EXPECT_EQ(TempFolder::read(plate), plateBytes);
    EXPECT_EQ(TempFolder::read(layout), layoutBytes);

    // A layout handed over by the main window: Esc on "Update Layout?" keeps the editor open and
    // the handed-over file where it was.
    const std::string exchange = QDir(working.path()).filePath("edit.lay").toStdString();
    ASSERT_EQ(writeLayoutFile(exchange, lines, false), "");
    LayoutEditor handedOver(dialogs, working.path());
    handedOver.show();
    handedOver.gridView()->selectRows(2, 2);
    handedOver.adjust(1);
    EscapeEveryDialog esc;
    EXPECT_FALSE(handedOver.close());
    EXPECT_EQ(esc.seen.size(), 1u);
    EXPECT_TRUE(handedOver.isVisible() && fileExists(exchange));
}

} // namespace
} // namespace dravenor::testing
