// The layout editor's window: a layout handed over in edit.lay, parts moved, turned, added and
// removed, the check's verdict, "Update Layout?" on closing, .lay files and the printout. What the
// commands do to the rows, and the drawings, are the layout editing tests' (a golden record).
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPdfWriter>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include <memory>

#include "editors/layout_editor.h"
#include "geometry/shape_builders.h"
#include "support/saved_shape.h"
#include "layouts/layout_editing_drawing.h"
#include "layouts/layout_file.h"
#include "support/ink.h"
#include "support/pdf_pages.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"
#include "support/text_match.h"
#include "ui/canvas_view.h"
#include "ui/grid_view.h"

namespace dravenor::testing {
namespace {

using Answer = DialogService::Answer;
using Row = std::vector<std::string>;
using Strings = std::vector<std::string>;

class LayoutEditorTest : public ::testing::Test {
protected:
    // A sheet and four plates in a row 200 apart, handed over as the main window writes edit.lay
    // (the name quoted, the numbers bare); the editor opened on it.
    void handOver()
    {
        const std::vector<LayoutFileLine> lines{{sheet, "0", "0", "0", "2", ""},
                                                {plate, "0", "0", "0", "1", ""},
                                                {plate, "200", "0", "0", "", ""},
                                                {plate, "400", "0", "0", "", ""},
                                                {plate, "600", "0", "0", "1", ""}};
        ASSERT_EQ(writeLayoutFile(exchange, lines, false), "");
        open();
    }
    void open()
    {
        editor = std::make_unique<LayoutEditor>(dialogs, QString::fromStdString(folder.folder()));
        editor->show();
        // Keyboard shortcuts reach only the active window.
        editor->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(editor.get()));
    }
    void press(const char* button, int first = 0, int last = 0)
    {
        if (first > 0) editor->gridView()->selectRows(first, last ? last : first);
        auto* tool = editor->findChild<QToolButton*>(QString::fromLatin1(button));
        ASSERT_NE(tool, nullptr) << button;
        tool->click();
    }
    // File Name to QTY of a row (none of these layouts mirrors a part).
    Row row(int r)
    {
        Row cells;
        for (int c = NameColumn; c <= QtyColumn; ++c) cells.push_back(editor->grid().text(r, c));
        return cells;
    }
    std::string status() { return editor->statusLabel()->text().toStdString(); }
    int ink() { return inkedPixels(editor->canvas()->surface().image()); }

    TempFolder folder;
    ScriptedDialogs dialogs;
    const std::string exchange = folder.file("edit.lay");
    const std::string sheet = savedShape(folder, "sheet.shp", rectangle(0, 0, 1000, 500));
    const std::string plate = savedShape(folder, "plate.shp", rectangle(0, 0, 100, 50));
    std::unique_ptr<LayoutEditor> editor;
};

TEST_F(LayoutEditorTest, OpensTheExchangeFileAndFollowsTheMouseAndKeys)
{
    handOver();
    EXPECT_EQ(std::tuple(editor->windowTitle().toStdString(), row(3), editor->modified(), status(), dialogs.questions.size()),
              std::tuple("Layout Editor - " + exchange, Row{plate, "200", "0", "0", ""}, false, "Layout sound", 0u));
    EXPECT_GT(ink(), 500);
    // The main window names the layout it handed over: the caption says which, not the scratch file.
    editor->setHandedOverName("Layout 2 of frame.nst");
    EXPECT_EQ(editor->windowTitle().toStdString(), "Layout Editor - Layout 2 of frame.nst");

    // Surface y runs down from the top of the sheet: layout y = 500 - surface y.
    emit editor->canvas()->clicked(QPointF(450, 480), Qt::LeftButton);
    emit editor->canvas()->clicked(QPointF(450, 100), Qt::LeftButton); // where no part is: the row stays
    EXPECT_EQ(editor->grid().row, 4);
    emit editor->canvas()->mouseMoved(QPointF(25.5, 490));
    EXPECT_EQ(editor->mouseLabel()->text(), QStringLiteral("X=00025.50,  Y=00010.00"));

    editor->gridView()->setFocus();
    editor->gridView()->selectRows(4, 4);
    QTest::keyClick(editor->gridView(), Qt::Key_Right, Qt::ControlModifier);
    QTest::keyClick(editor->gridView(), Qt::Key_Down, Qt::ControlModifier);
    QTest::keyClick(editor->gridView(), Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(std::pair(row(4), status()), std::pair(Row{plate, "500", "-100", "90", ""}, std::string("1 part leaves the sheet")));
}

TEST_F(LayoutEditorTest, MovesChangeTheSelectedPartsByOneStepEachTimeTurnsOneAtATimeAndTheZoomFollows)
{
    handOver();
    editor->gridView()->setFocus();
    editor->moveStepList()->setCurrentText(QStringLiteral("10"));
    press("Move Up", 2, 5);
    // The rows stay selected: the button again and its key move all four once more.
    press("Move Up");
    QTest::keyClick(editor->gridView(), Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(std::pair(editor->grid().text(5, YColumn), editor->modified()), std::pair(std::string("30"), true));
    // Turning is one part at a time: a turn of two says so.
    press("Rotate Clockwise", 2, 3);
    ASSERT_EQ(dialogs.questionTexts(), Strings{kMultipleRotationMessage});
    EXPECT_EQ(std::pair(dialogs.questions[0].icon, editor->grid().text(2, AngleColumn)),
              std::pair(DialogService::Icon::Information, std::string("0")));
    press("Rotate Clockwise", 5);
    EXPECT_EQ(editor->grid().text(5, AngleColumn), "-90");

    // Zoomed, the view centres on the selected part and follows it.
    const double whole = editor->canvas()->surface().scale().width;
    editor->gridView()->selectRows(4, 4); // the plate at 400
    editor->zoomList()->setCurrentIndex(4);
    const ViewScale view = editor->canvas()->surface().scale();
    EXPECT_NEAR(view.width, whole / 5, 1e-6);
    EXPECT_NEAR(view.left + view.width / 2, 450, 1e-6);
    press("Move Right");
    EXPECT_NEAR(editor->canvas()->surface().scale().left + view.width / 2, 460, 1e-6);
}

TEST_F(LayoutEditorTest, PartsAreAddedFromTheSelectionOrTheEntryRowAndRemovedWithoutTheSheet)
{
    handOver();
    const std::string disc = savedShape(folder, "disc.shp", {arcEntity(20, 20, 20, 0, 0)});
    dialogs.shapeSelections.push_back({disc, plate});
    editor->addParts();
    EXPECT_EQ(dialogs.shapeSelectionCaptions, Strings{kSelectPartFilesCaption});
    EXPECT_EQ(std::tuple(row(6), editor->grid().selEndRow, status()), std::tuple(Row{disc, "0", "0", "0", "1"}, 7, "3 parts overlap"));
    editor->removeSelectedParts();
    EXPECT_EQ(std::pair(editor->grid().rows(), status()), std::pair(7, std::string("Layout sound")));

    GridView& view = *editor->gridView();
    view.setFocus();
    view.setCurrentCell(6, NameColumn);
    dialogs.shapeSelections.push_back({plate});
    QTest::keyClick(&view, Qt::Key_A);
    EXPECT_EQ(std::tuple(row(6), editor->grid().rows(), status()), std::tuple(Row{plate, "0", "0", "0", "1"}, 8, "2 parts overlap"));
    view.setCurrentCell(6, NameColumn);
    QTest::keyClick(&view, Qt::Key_Delete);
    EXPECT_EQ(std::pair(editor->grid().rows(), status()), std::pair(7, std::string("Layout sound")));

    editor->gridView()->selectRows(1, 2);
    editor->removeSelectedParts();
    EXPECT_EQ(std::tuple(row(1), row(2), editor->modified()),
              std::tuple(Row{sheet, "0", "0", "0", "2"}, Row{plate, "200", "0", "0", ""}, true));
    // Undo brings the part removed back where it was; redo takes it away again.
    editor->undo();
    EXPECT_EQ(std::tuple(editor->grid().rows(), row(2), status()),
              std::tuple(7, Row{plate, "0", "0", "0", "1"}, std::string("Layout sound")));
    editor->redo();
    EXPECT_EQ(std::pair(editor->grid().rows(), row(2)), std::pair(6, Row{plate, "200", "0", "0", ""}));
}

// The answers to "Update Layout?" when a handed-over layout closes: Yes writes it back with every
// field quoted and the quantities filled (a faulty one with its faults named in the question, Enter
// then keeping the window), No deletes the exchange file, Cancel keeps the window; unchanged,
// nothing is asked.
TEST_F(LayoutEditorTest, ClosingAChangedLayoutAsksWhetherToUpdateIt)
{
    struct Case {
        const char* name;
        int moveLeft; // moves the plate of row 3 left, into the plate of row 2 when 150
        std::vector<Answer> answers;
        Strings asked;
        bool closes;
        const char* plate3x; // X of row 3 in edit.lay afterwards; nullptr: the file is gone
    };
    const Case cases[] = {
        {"unchanged", 0, {}, {}, true, "200"},
        {"yes", 10, {Answer::Yes}, {kUpdateLayoutQuestion}, true, "190"},
        {"no", 10, {Answer::No}, {kUpdateLayoutQuestion}, true, nullptr},
        {"cancel", 10, {Answer::Cancel}, {kUpdateLayoutQuestion}, false, "200"},
        {"faulty, Enter", 150, {}, {kUpdateLayoutQuestion}, false, "200"},
        {"faulty, taken back", 150, {Answer::Yes}, {kUpdateLayoutQuestion}, true, "50"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dialogs.questions.clear();
        handOver();
        editor->moveStepList()->setCurrentText(QString::number(c.moveLeft));
        if (c.moveLeft) press("Move Left", 3);
        dialogs.answers.assign(c.answers.begin(), c.answers.end());
        editor->close();
        ASSERT_EQ(dialogs.questions.size(), c.asked.size());
        for (size_t i = 0; i < c.asked.size(); ++i) EXPECT_TRUE(dialogs.questionTexts()[i].starts_with(c.asked[i]));
        if (c.moveLeft == 150) {
            EXPECT_TRUE(contains(dialogs.questionTexts()[0], "fails the overlap check")
                        && contains(dialogs.questionTexts()[0], "plate.shp) overlap")) << dialogs.questionTexts()[0];
            EXPECT_EQ(dialogs.questions[0].defaultAnswer, Answer::Cancel);
        }
        EXPECT_TRUE(c.asked.empty() || dialogs.questions[0].buttons == DialogService::Buttons::YesNoCancel);
        EXPECT_EQ(editor->isVisible(), !c.closes);
        EXPECT_TRUE(c.closes || editor->modified());
        if (!c.plate3x) {
            EXPECT_FALSE(std::filesystem::exists(exchange));
            continue;
        }
        const std::string text = TempFolder::read(exchange);
        const std::vector<LayoutFileLine> lines = readLayoutFile(exchange).lines;
        ASSERT_EQ(lines.size(), 5u);
        EXPECT_EQ(lines[2].x, c.plate3x);
        const bool written = c.closes && c.moveLeft;
        EXPECT_EQ(text.find("\"0\",\"1\"") != std::string::npos, written) << text;
        EXPECT_EQ(lines[2].qty + lines[3].qty, written ? "11" : "") << "empty quantities filled from the row above";
    }
}

TEST_F(LayoutEditorTest, AMissingShapeFileIsNamedOnceAndNothingIsDrawn)
{
    ASSERT_EQ(writeLayoutFile(exchange, {{sheet, "0", "0", "0", "1"}, {folder.file("gone.shp"), "0", "0", "0", "1"}}, false), "");
    open();
    ASSERT_EQ(dialogs.questionTexts(), Strings{"File " + folder.file("gone.shp") + " not found"});
    EXPECT_EQ(std::pair(dialogs.questions[0].icon, editor->grid().rows()), std::pair(DialogService::Icon::Exclamation, 4));
    editor->gridView()->setCurrentCell(2, XColumn);
    EXPECT_EQ(dialogs.questions.size(), 1u);
}

TEST_F(LayoutEditorTest, StandAloneFilesAreSavedAndReopenedAndChangesOfferedForSaving)
{
    open();
    EXPECT_FALSE(editor->canvas()->isEnabled());
    const std::string source = folder.write("job.lay", "\"" + sheet + "\",0,0,0,3\r\n\"" + plate + "\",120,40,90,3\r\n");
    dialogs.openFiles.push_back(source);
    editor->openWithDialog();
    EXPECT_EQ(editor->windowTitle().toStdString(), "Layout Editor - " + source);
    // A name for a layout handed over stands only for the exchange file, never for another.
    editor->setHandedOverName("Layout 2 of frame.nst");
    EXPECT_EQ(editor->windowTitle().toStdString(), "Layout Editor - " + source);
    press("Move Right", 2);
    const std::string copy = folder.file("copy.lay");
    dialogs.saveFiles.push_back(copy);
    ASSERT_TRUE(editor->saveAs());
    EXPECT_EQ(std::pair(editor->modified(), dialogs.fileDialogTitles), std::pair(false, Strings{"Open", "Save As"}));
    EXPECT_EQ(readLayoutFile(copy).lines[1], (LayoutFileLine{plate, "220", "40", "90", "3", ""}));
    editor->newFile();
    EXPECT_EQ(editor->grid().rows(), 2);
    ASSERT_TRUE(editor->openFile(copy));
    EXPECT_EQ(row(2), (Row{plate, "220", "40", "90", "3"}));

    // A faulty layout is saved only when the user agrees; not saving at all lets the window go.
    editor->moveStepList()->setCurrentText(QStringLiteral("1000"));
    press("Move Left", 2);
    EXPECT_EQ(status(), "1 part leaves the sheet");
    dialogs.answers = {Answer::Yes, Answer::No};
    editor->close();
    EXPECT_EQ(dialogs.questionTexts(), (Strings{"Save changes in current file?", kFaultySaveQuestion}));
    EXPECT_EQ(std::pair(editor->isVisible(), readLayoutFile(copy).lines[1].x), std::pair(true, std::string("220")));
    dialogs.answers = {Answer::No};
    editor->close();
    EXPECT_FALSE(editor->isVisible() || std::filesystem::exists(exchange));
}

TEST_F(LayoutEditorTest, NamesHelpAndPrintout)
{
    handOver();
    const int plain = ink();
    editor->showNamesBox()->setChecked(true);
    EXPECT_GT(ink(), plain);
    QTest::keyClick(editor.get(), Qt::Key_F1);
    EXPECT_EQ(dialogs.helpPages, Strings{"index.html#layout-editor"});

    const std::string pdf = folder.file("print.pdf");
    {
        QPdfWriter writer(QString::fromStdString(pdf));
        editor->printTo(writer);
    }
    EXPECT_EQ(pdfPageCount(pdf), 2u); // the table with the check's verdict, then the drawing
    if (!havePoppler()) GTEST_SKIP() << "no poppler tools";
    EXPECT_TRUE(pdfText(pdf).find("Layout sound") != std::string::npos) << pdfText(pdf);
}

} // namespace
} // namespace dravenor::testing
