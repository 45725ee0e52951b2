// Work and data the main window must not lose or change without a word: a layout edited into
// overlaps is asked about and marked wherever it shows (list, view, printout, the job reopened);
// a new run or a change says which layouts it discards; a comma where it cannot belong is refused.
#include <QPdfWriter>

#include "app/main_window_fixture.h"
#include "editors/layout_editor.h"
#include "layouts/discarded_layouts.h"
#include "layouts/faulty_layouts.h"
#include "support/pdf_pages.h"
#include "support/text_match.h"

namespace dravenor::testing {
namespace {

using Answer = DialogService::Answer;
using Strings = std::vector<std::string>;

TEST_F(MainWindowTest, ALayoutEditedIntoOverlapsIsMarkedWhereverItShowsAndStartingAgainSaysWhatGoes)
{
    enterJob("2", "7");
    optimise();
    ASSERT_EQ(listed(), (Strings{"1/2  [QTY 1]", "2/2  [QTY 1]"}));
    // In the real editor: the second part put onto the first, Ctrl+S saved "anyway", then closed.
    window->editLayout = [this] {
        LayoutEditor editor(dialogs, folder.path());
        editor.show();
        GridView& rows = *editor.gridView();
        for (const char* title : {"X", "Y"}) {
            const int col = editor.grid().columnOf(title);
            const std::string onFirst = editor.grid().text(2, col);
            rows.setCurrentCell(3, col);
            QTest::keyClick(&rows, Qt::Key_Delete);
            QTest::keyClicks(&rows, onFirst.c_str());
        }
        ASSERT_FALSE(editor.placed().sound());
        dialogs.answers = {Answer::Yes};
        ASSERT_TRUE(editor.save());
        dialogs.answers = {Answer::Yes};
        EXPECT_TRUE(editor.close());
    };
    panel().selectLayout(0);
    window->editCurrentLayout();
    ASSERT_EQ(dialogs.questions.size(), 2u);
    const DialogService::Message& update = dialogs.questions.back();
    // Parts are named by their rows in the editor's grid, the sheet being row 1.
    EXPECT_TRUE(update.text.starts_with(kUpdateLayoutQuestion)
                && contains(update.text, "parts 2 (plate.shp) and 3 (plate.shp) overlap"))
        << update.text;
    EXPECT_EQ(update.defaultAnswer, Answer::Cancel) << "Enter must not take a faulty layout back";

    EXPECT_EQ(listed(), (Strings{std::string("1/2  [QTY 1]") + kFaultyLayoutMark, "2/2  [QTY 1]"}));
    panel().selectLayout(0);
    const std::string mark = panel().faultLabel()->text().toStdString();
    EXPECT_TRUE(!panel().faultLabel()->isHidden() && mark.starts_with("Fails the overlap check: parts 2 (plate.shp) and 3"))
        << mark;
    panel().selectLayout(1);
    EXPECT_TRUE(panel().faultLabel()->isHidden());

    if (havePoppler()) {
        const QString pdf = folder.filePath("marked.pdf");
        {
            QPdfWriter writer(pdf);
            panel().selectLayout(0);
            ASSERT_GT(window->printLayoutsTo(writer, true).pagesPrinted, 0);
        }
        const std::string printed = commandOutput("pdftotext -layout '" + pdf.toStdString() + "' -");
        EXPECT_TRUE(contains(printed, "Fails the overlap check")) << printed;
    }

    // Saved and opened again: the job says so.
    const std::string saved = folder.filePath("marked.nst").toStdString();
    dialogs.saveFiles.push_back(saved);
    ASSERT_TRUE(window->saveJobAs());
    ASSERT_TRUE(window->newJob());
    const size_t asked = dialogs.questions.size();
    ASSERT_TRUE(window->openJobFile(saved));
    ASSERT_GT(dialogs.questions.size(), asked);
    EXPECT_TRUE(contains(dialogs.questions[asked].text, "Layout 1 fails the overlap check")) << dialogs.questions[asked].text;
    EXPECT_EQ(listed().front(), std::string("1/2  [QTY 1]") + kFaultyLayoutMark);

    // Starting again or changing the job says which layouts would be discarded.
    ASSERT_EQ(std::pair(listed().size(), progressWindows), std::pair(size_t{2}, 1));
    ASSERT_EQ(window->startAction()->shortcut(), QKeySequence(Qt::Key_F5));

    dialogs.answers = {Answer::Cancel};
    window->startAction()->trigger();
    EXPECT_EQ(dialogs.questionTexts().back(), "Start a new optimization?\n\nThe 2 layouts will be discarded.");
    EXPECT_EQ(std::pair(listed().size(), progressWindows), std::pair(size_t{2}, 1));

    // Layouts of Deep Nesting are kept by Enter, both on F5 and on a change to the grids (the
    // questions' wording is the discarded-layouts tests').
    window->job().nesting.deepLayouts = true;
    window->startAction()->trigger();
    EXPECT_EQ(dialogs.questions.back().defaultAnswer, Answer::Cancel);
    typeInto(PartGrid, "Qty", "9");
    EXPECT_EQ(dialogs.questionTexts().back(),
              std::string(kChangeDataQuestion) + "\n\nThe 2 layouts made by Deep Nesting will be discarded.");
    EXPECT_EQ(std::tuple(listed().size(), progressWindows, window->job().parts.text(1, 2)), std::tuple(size_t{2}, 1, "7"));

    dialogs.answers = {Answer::Ok};
    optimise();
    EXPECT_EQ(std::pair(listed().size(), progressWindows), std::pair(size_t{2}, 2));
}

// Grade and Note describe the job: typing into them keeps the layouts without a question, marks
// the job changed and reaches the report; any other detail still asks before layouts go.
TEST_F(MainWindowTest, NoteAndGradeKeepTheLayoutsOtherDetailsAskFirst)
{
    enterJob("2", "7");
    optimise();
    ASSERT_EQ(listed().size(), 2u);
    window->job().modified = false;
    window->updateCaption();
    const size_t asked = dialogs.questions.size();
    typeInto(BasicGrid, "Note", "RUSH");
    typeInto(BasicGrid, "Grade", "JR");
    EXPECT_EQ(std::tuple(listed().size(), dialogs.questions.size(), window->job().modified),
              std::tuple(size_t{2}, asked, true));
    EXPECT_TRUE(window->windowTitle().endsWith(" *")) << window->windowTitle().toStdString();
    EXPECT_EQ(std::pair(window->job().nesting.details.Note, window->job().nesting.details.Grade),
              std::pair(std::string("RUSH"), std::string("JR")));

    dialogs.answers = {Answer::Cancel};
    typeInto(BasicGrid, "Kerf", "4");
    EXPECT_EQ(std::pair(listed().size(), dialogs.questions.size()), std::pair(size_t{2}, asked + 1));
    dialogs.answers = {Answer::Ok};
    typeInto(BasicGrid, "Thick", "4");
    EXPECT_TRUE(listed().empty());
}

// What a comma means in each column is the decimal-comma tests'; the grid names a refusal until
// the next key it takes.
TEST_F(MainWindowTest, ACommaWhereItCannotBelongIsRefusedWithAWord)
{
    typeInto(BasicGrid, "Kerf", "2,5");
    EXPECT_EQ(readBasicDetails(window->job().basic).Kerf, 2.5);
    typeInto(BasicGrid, "Mat", "S,");
    EXPECT_EQ(grid(BasicGrid).lastRefusal().toStdString(), "Mat cannot hold a comma");
    typeInto(BasicGrid, "Mat", "T");
    EXPECT_TRUE(grid(BasicGrid).lastRefusal().isEmpty());
}

} // namespace
} // namespace dravenor::testing
