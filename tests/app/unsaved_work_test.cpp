// The question that guards unsaved work, "Save changes in current file?" (Yes, No, Cancel), in
// every window that holds work and on every way of leaving it: New, Open, closing, and File > Exit
// (Ctrl+Q) in the main window. Cancel (as Esc answers the real box) and a Save As cancelled after
// Yes keep the window open with the work unsaved, and no Open dialog follows; Yes on a work with a
// file name saves it there first; then, as after No, the command goes on.
#include <QAction>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "app/main_window.h"
#include "editors/layout_editor.h"
#include "editors/shape_editor.h"
#include "geometry/shape_builders.h"
#include "layouts/layout_file.h"
#include "support/saved_shape.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"
#include "ui/grid_view.h"

namespace dravenor::testing {
namespace {

using Answer = DialogService::Answer;
using Strings = std::vector<std::string>;

// A window holding unsaved work, seen through what every such window has.
struct Holder {
    std::unique_ptr<QWidget> window;
    std::function<bool()> modified;
    std::function<void()> newFile, open, exit;
    std::string file; // the work's file, "" while untitled
};

// An untitled job typed into the main window.
Holder mainWindow(DialogService& dialogs, TempFolder& folder)
{
    auto owned = std::make_unique<MainWindow>(dialogs, QString::fromStdString(folder.folder()));
    MainWindow& w = *owned;
    GridView& basic = *w.gridView(BasicGrid);
    basic.setCurrentCell(1, w.job().basic.columnOf("Mat"));
    QTest::keyClicks(&basic, "S235");
    EXPECT_EQ(w.exitAction()->shortcut(), QKeySequence(QKeySequence::Quit));
    return {std::move(owned), [&w] { return w.job().modified; }, [&w] { w.newJob(); }, [&w] { w.openJobWithDialog(); },
            [&w] { w.exitAction()->trigger(); }, ""};
}

// An untitled line typed into the shape editor.
Holder shapeEditor(DialogService& dialogs, TempFolder& folder)
{
    auto owned = std::make_unique<ShapeEditor>(dialogs, QString::fromStdString(folder.folder()));
    ShapeEditor& e = *owned;
    e.gridView()->setCurrentCell(1, 3);
    QTest::keyClicks(e.gridView(), "50");
    return {std::move(owned), [&e] { return e.modified(); }, [&e] { e.newFile(); }, [&e] { e.openWithDialog(); }, {}, ""};
}

// A layout file opened in the layout editor and a part moved.
Holder layoutEditor(DialogService& dialogs, TempFolder& folder)
{
    const std::string layout = folder.file("one.lay");
    EXPECT_EQ(writeLayoutFile(layout,
                              {{savedShape(folder, "sheet.shp", rectangle(0, 0, 1000, 500)), "0", "0", "0", "1", ""},
                               {savedShape(folder, "plate.shp", rectangle(0, 0, 200, 100)), "0", "0", "0", "1", ""}},
                              false),
              "");
    auto owned = std::make_unique<LayoutEditor>(dialogs, QString::fromStdString(folder.folder()));
    LayoutEditor& e = *owned;
    EXPECT_TRUE(e.openFile(layout));
    e.gridView()->selectRows(2, 2);
    e.adjust(1);
    return {std::move(owned), [&e] { return e.modified(); }, [&e] { e.newFile(); }, [&e] { e.openWithDialog(); }, {}, layout};
}

TEST(UnsavedWork, EveryWindowAsksBeforeLeavingItsWorkAndOnlyNoOrASaveLetsTheCommandGoOn)
{
    using Make = Holder (*)(DialogService&, TempFolder&);
    const std::pair<const char*, Make> windows[] = {
        {"main window", mainWindow}, {"shape editor", shapeEditor}, {"layout editor", layoutEditor}};
    for (const auto& [name, make] : windows)
        for (const char* command : {"New", "Open", "Close", "Exit"})
            for (const Answer answer : {Answer::Cancel, Answer::Yes, Answer::No}) {
                SCOPED_TRACE(std::string(name) + ", " + command + ", answer " + std::to_string(static_cast<int>(answer)));
                TempFolder folder;
                ScriptedDialogs dialogs;
                Holder work = make(dialogs, folder);
                if (std::string(command) == "Exit" && !work.exit) continue;
                work.window->show();
                ASSERT_TRUE(work.modified());
                const std::string before = work.file.empty() ? "" : TempFolder::read(work.file);
                dialogs.answers = {answer};
                const std::string c = command;
                c == "New" ? work.newFile() : c == "Open" ? work.open() : c == "Exit" ? work.exit() : void(work.window->close());

                ASSERT_EQ(dialogs.questionTexts(), Strings{"Save changes in current file?"});
                EXPECT_EQ(dialogs.questions[0].buttons, DialogService::Buttons::YesNoCancel);
                const bool saved = answer == Answer::Yes && !work.file.empty();
                const bool goesOn = answer == Answer::No || saved;
                Strings dialogsShown;
                if (answer == Answer::Yes && work.file.empty()) dialogsShown.push_back("Save As");
                if (goesOn && c == "Open") dialogsShown.push_back("Open");
                EXPECT_EQ(dialogs.fileDialogTitles, dialogsShown);
                EXPECT_EQ(work.window->isVisible(), !(goesOn && (c == "Close" || c == "Exit")));
                if (!goesOn || c == "New") EXPECT_EQ(work.modified(), !goesOn);
                if (!work.file.empty()) EXPECT_EQ(TempFolder::read(work.file) != before, saved);
            }
}

} // namespace
} // namespace dravenor::testing
