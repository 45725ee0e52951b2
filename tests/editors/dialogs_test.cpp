// The file and folder dialogs and the Qt dialog service. The shape-selection dialog lists the
// files of a folder and type, returns the chosen ones in list order (none on Cancel, just the
// one on a double click) and previews a file with its size; the service starts it in the
// examples and reopens it where it was left; Enter and Esc answer its message boxes. The folder
// dialog returns the folder clicked with one trailing separator.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QFileDialog>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>

#include "app/qt_dialog_service.h"
#include "editors/folder_browser.h"
#include "editors/folder_dialog.h"
#include "editors/shape_selection_dialog.h"
#include "support/ink.h"
#include "ui/canvas_view.h"

namespace dravenor {
namespace {

using testing::inkedPixels;
const QString kData = QStringLiteral(DRAVENOR_TEST_DATA "/editors");
std::string dataPath(const QString& name) { return QDir(kData).filePath(name).toStdString(); }

QStringList texts(const QListWidget& list)
{
    QStringList names;
    for (int row = 0; row < list.count(); ++row) names << list.item(row)->text();
    return names;
}
void click(QListWidget& list, const QString& name, Qt::KeyboardModifiers modifiers = {}, bool twice = false)
{
    const QPoint at = list.visualItemRect(list.findItems(name, Qt::MatchExactly).value(0)).center();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, modifiers, at);
    if (twice) QTest::mouseDClick(list.viewport(), Qt::LeftButton, modifiers, at);
}

class ShapeDialog : public ::testing::Test {
protected:
    void SetUp() override { dialog.show(); }
    QListWidget& list() { return *dialog.fileList(); }
    ShapeSelectionDialog dialog{kData, ShapeFileType::Shp, QString(), {}};
};

TEST_F(ShapeDialog, ListsTheFilesOfTheChosenTypeAndReturnsTheChosenOnesInListOrderOrNoneOnCancel)
{
    EXPECT_EQ(texts(list()), (QStringList{"bracket.shp", "disc.shp", "GUSSET.SHP", "plate.shp"})) << "without regard to case";
    click(list(), "plate.shp");
    click(list(), "bracket.shp", Qt::ControlModifier);
    click(list(), "GUSSET.SHP", Qt::ControlModifier);
    QTest::mouseClick(dialog.loadButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.selectedPaths(), (std::vector<std::string>{dataPath("bracket.shp"), dataPath("GUSSET.SHP"), dataPath("plate.shp")}));

    // A double click loads just that file, whatever else was selected.
    dialog.show();
    click(list(), "disc.shp", Qt::ControlModifier, true);
    EXPECT_EQ(std::tuple(dialog.result(), dialog.isVisible(), dialog.selectedPaths()),
              std::tuple(int(QDialog::Accepted), false, std::vector<std::string>{dataPath("disc.shp")}));

    // Cancel or Esc return nothing whatever was selected.
    dialog.show();
    for (int row = 0; row < list().count(); ++row) list().item(row)->setSelected(true);
    QTest::mouseClick(dialog.cancelButton(), Qt::LeftButton);
    EXPECT_EQ(std::pair(dialog.result(), dialog.selectedPaths().size()), std::pair(int(QDialog::Rejected), 0ul));
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_EQ(std::pair(dialog.isVisible(), dialog.selectedPaths().size()), std::pair(false, 0ul));

    dialog.show();
    dialog.typeCombo()->setCurrentIndex(0);
    EXPECT_EQ(std::pair(dialog.fileType(), texts(list())), std::pair(ShapeFileType::Dxf, QStringList{"strip.dxf"}));
}

TEST_F(ShapeDialog, ClickedFileIsPreviewedWithItsSize)
{
    EXPECT_EQ(inkedPixels(dialog.preview()->surface().image()), 0);
    click(list(), "plate.shp");
    EXPECT_EQ(std::pair(dialog.previewLabel()->text(), dialog.preview()->toolTip()), std::pair(QString("Xmax=200 Ymax=100"), QString("Xmax=200 Ymax=100")));
    // The plate fills the width of its square view (200 of 220 units), without a grid.
    const QImage image = dialog.preview()->surface().image();
    int inkedColumns = 0;
    for (int x = 0; x < image.width(); ++x) inkedColumns += inkedPixels(image.copy(x, 0, 1, image.height())) > 0;
    EXPECT_GT(inkedColumns, image.width() * 8 / 10);
    EXPECT_EQ(inkedPixels(image, [](const QColor& c) { return c == QColor(0xC0, 0xC0, 0xC0); }), 0);
    dialog.previewFile("vanished.shp");
    EXPECT_TRUE(dialog.previewLabel()->text().isEmpty());
    EXPECT_EQ(inkedPixels(dialog.preview()->surface().image()), 0);
}

TEST(ShapeSelection, MissingStartFolderOpensHomeAndPathsJoinWithOneSeparator)
{
    ShapeSelectionDialog dialog("/no/such/folder", ShapeFileType::Shp, QString(), {});
    EXPECT_EQ(dialog.folder(), QDir::cleanPath(QDir::homePath()));
    EXPECT_EQ(joinFolderAndName("/jobs/parts", "a.shp"), "/jobs/parts/a.shp");
    EXPECT_EQ(joinFolderAndName("/jobs/parts/", "a.shp"), "/jobs/parts/a.shp");
    EXPECT_EQ(joinFolderAndName("/", "a.shp"), "/a.shp");
}

// Runs the answer against the modal dialog of type T as soon as the event loop shows it.
template <typename T>
void answerNextDialog(std::function<void(T&)> answer)
{
    QTimer::singleShot(0, [answer] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr) << "no dialog of the expected kind is open";
        answer(*dialog);
    });
}

TEST(QtDialogService, ShapeDialogStartsInTheExamplesAndReopensWhereItWasLeft)
{
    QTemporaryDir working;
    const QString examples = QDir(working.path()).filePath("resources/examples");
    QDir().mkpath(examples);
    QtDialogService service(working.path());
    EXPECT_EQ(examplesFolderFor(working.path()), examples);
    QString firstFolder, secondFolder;
    answerNextDialog<ShapeSelectionDialog>([&](ShapeSelectionDialog& dialog) {
        firstFolder = dialog.folder();
        dialog.setFolder(kData);
        dialog.setFileType(ShapeFileType::Dxf);
        dialog.fileList()->item(0)->setSelected(true);
        dialog.accept();
    });
    EXPECT_EQ(service.selectShapeFiles("Select Part File(s)..."), std::vector<std::string>{dataPath("strip.dxf")});
    EXPECT_EQ(firstFolder, examples);
    answerNextDialog<ShapeSelectionDialog>([&](ShapeSelectionDialog& dialog) {
        secondFolder = dialog.folder();
        dialog.reject();
    });
    EXPECT_TRUE(service.selectShapeFiles("Select Sheet File(s)...").empty());
    EXPECT_EQ(secondFolder, QDir::cleanPath(kData));
    EXPECT_EQ(service.shapeStartType(), ShapeFileType::Dxf);
}

// File dialogs open in the job's folder, and for a kind of file used elsewhere, where that kind
// was last left; a shape selection also starts beside the job.
TEST(QtDialogService, FileDialogsStartBesideTheJobOrWhereTheirKindWasLeft)
{
    QTemporaryDir working, jobs, lists;
    QtDialogService service(working.path());
    const std::string listsFilter = "Parts lists (*.csv)", jobsFilter = "Jobs (*.nst)";
    service.setJobFolder(jobs.path().toStdString());
    const auto startOf = [&](const std::string& filter, const QString& leaveIn) {
        QString start;
        answerNextDialog<QFileDialog>([&](QFileDialog& dialog) {
            start = dialog.directory().absolutePath();
            if (leaveIn.isEmpty()) return dialog.reject();
            dialog.setDirectory(leaveIn);
            dialog.selectFile(QDir(leaveIn).filePath("x.csv"));
            static_cast<QDialog&>(dialog).accept();
        });
        service.saveFileName("Save", filter, "");
        return start;
    };
    EXPECT_EQ(startOf(listsFilter, lists.path()), jobs.path());
    EXPECT_EQ(startOf(listsFilter, {}), lists.path());
    EXPECT_EQ(startOf(jobsFilter, {}), jobs.path());
    EXPECT_EQ(service.shapeStartFolder(), jobs.path());
}

TEST(QtDialogService, EnterGivesTheDefaultAnswerAndEscapeTheSafeOne)
{
    using Buttons = DialogService::Buttons;
    using Answer = DialogService::Answer;
    struct Case { Buttons buttons; std::optional<Answer> defaultAnswer; Qt::Key key; Answer expected; };
    const Case cases[] = {
        {Buttons::OkCancel, {}, Qt::Key_Escape, Answer::Cancel}, {Buttons::YesNo, {}, Qt::Key_Escape, Answer::No},
        {Buttons::YesNoCancel, {}, Qt::Key_Escape, Answer::Cancel}, {Buttons::Ok, {}, Qt::Key_Escape, Answer::Ok},
        {Buttons::YesNo, {}, Qt::Key_Return, Answer::Yes}, {Buttons::OkCancel, {}, Qt::Key_Return, Answer::Ok},
        {Buttons::YesNo, Answer::No, Qt::Key_Return, Answer::No}, {Buttons::YesNo, Answer::No, Qt::Key_Escape, Answer::No},
    };
    QtDialogService service(QDir::tempPath());
    for (const Case& c : cases) {
        answerNextDialog<QMessageBox>([&c](QMessageBox& box) { QTest::keyClick(&box, c.key); });
        const auto icon = DialogService::Icon::Question;
        const Answer answer = c.defaultAnswer ? service.message("Go on?", "", icon, c.buttons, *c.defaultAnswer)
                                              : service.message("Go on?", "", icon, c.buttons);
        EXPECT_EQ(answer, c.expected) << "case " << (&c - cases);
    }
}

class FolderChoice : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : {"output/rings", "Cones", ".hidden"}) QDir(root.path()).mkpath(name);
        dialog = std::make_unique<FolderDialog>(root.path(), QString());
        dialog->show();
    }
    QString under(const QString& name) const { return QDir(root.path()).filePath(name); }
    QListWidget& list() { return *dialog->folders()->folderList(); }

    QTemporaryDir root;
    std::unique_ptr<FolderDialog> dialog;
};

TEST_F(FolderChoice, ClickedSubfolderIsTheChoiceWithoutOpeningItEnterOpensIt)
{
    EXPECT_EQ(texts(list()), (QStringList{"..", "Cones", "output"}));
    list().setFocus();
    list().setCurrentItem(list().findItems("output", Qt::MatchExactly).value(0));
    QTest::keyClick(&list(), Qt::Key_Return);
    EXPECT_EQ(std::tuple(dialog->isVisible(), dialog->currentFolder(), dialog->chosenLabel()->text()),
              std::tuple(true, under("output"), QDir::toNativeSeparators(under("output"))));
    list().setCurrentItem(list().findItems("..", Qt::MatchExactly).value(0));
    QTest::keyClick(&list(), Qt::Key_Return);
    EXPECT_EQ(dialog->currentFolder(), QDir::cleanPath(root.path()));

    click(list(), "Cones");
    EXPECT_EQ(std::pair(dialog->chosenLabel()->text(), dialog->currentFolder()),
              std::pair(QDir::toNativeSeparators(under("Cones")), QDir::cleanPath(root.path())));
    QTest::mouseClick(dialog->selectButton(), Qt::LeftButton);
    EXPECT_EQ(dialog->result(), under("Cones/"));
}

TEST_F(FolderChoice, NewFolderIsCreatedAndOpenedBadNamesRefusedCancelReturnsNothingRootKeepsItsSeparator)
{
    EXPECT_TRUE(FolderDialog("/", QString()).folders()->folderList()->findItems("..", Qt::MatchExactly).isEmpty());
    EXPECT_EQ(folderDialogResult("/", true), "/");
    EXPECT_EQ(folderDialogResult("/home/cutter/out", true), "/home/cutter/out/");
    EXPECT_EQ(folderDialogResult("/home/cutter/out/", true), "/home/cutter/out/");
    EXPECT_EQ(folderDialogResult("/home/cutter/out", false), QString());
    ASSERT_TRUE(dialog->createSubfolder("breakups"));
    EXPECT_TRUE(QFileInfo(under("breakups")).isDir() && dialog->currentFolder() == under("breakups"));
    for (const char* bad : {"a/b", "..", "  "}) EXPECT_FALSE(dialog->createSubfolder(bad)) << bad;
    QTest::mouseClick(dialog->cancelButton(), Qt::LeftButton);
    EXPECT_EQ(dialog->result(), QString());
}

} // namespace
} // namespace dravenor
