// The Qt dialog service driven offscreen: each modal dialog is answered from a zero timer once
// it is on screen. The shape dialog starts in the examples and reopens where it was left; a
// message box answers Esc with the safe choice.
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

#include "editors/folder_browser.h"
#include "editors/folder_dialog.h"
#include "editors/shape_selection_dialog.h"
#include "ui/qt_dialog_service.h"

namespace dravenor {
namespace {

const QString kData = QStringLiteral(DRAVENOR_TEST_DATA "/editors");

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

// A working folder whose resources hold an examples folder with one shape.
class ServiceWithExamples : public ::testing::Test {
protected:
    void SetUp() override
    {
        QDir(working.path()).mkpath(QStringLiteral("resources/examples/parts"));
        QFile::copy(QDir(kData).filePath(QStringLiteral("disc.shp")), examples() + QStringLiteral("/parts/disc.shp"));
    }
    QString examples() const { return QDir(working.path()).filePath(QStringLiteral("resources/examples")); }

    QTemporaryDir working;
};

TEST_F(ServiceWithExamples, ShapeDialogStartsInTheExamplesAndReopensWhereItWasLeft)
{
    QtDialogService service(working.path());
    EXPECT_EQ(examplesFolderFor(working.path()), examples());
    EXPECT_EQ(service.shapeStartFolder(), examples());

    QString firstFolder;
    QString caption;
    answerNextDialog<ShapeSelectionDialog>([&](ShapeSelectionDialog& dialog) {
        firstFolder = dialog.folder();
        caption = dialog.windowTitle();
        dialog.setFolder(kData);
        dialog.fileList()->item(0)->setSelected(true);
        dialog.fileList()->item(3)->setSelected(true);
        QTest::mouseClick(dialog.loadButton(), Qt::LeftButton);
    });
    const auto chosen = service.selectShapeFiles("Select Part File(s)...");
    EXPECT_EQ(firstFolder, examples());
    EXPECT_EQ(caption, QStringLiteral("Select Part File(s)..."));
    EXPECT_EQ(chosen, (std::vector<std::string>{QDir(kData).filePath(QStringLiteral("bracket.shp")).toStdString(),
                                                QDir(kData).filePath(QStringLiteral("plate.shp")).toStdString()}));

    QString secondFolder;
    answerNextDialog<ShapeSelectionDialog>([&](ShapeSelectionDialog& dialog) {
        secondFolder = dialog.folder();
        dialog.fileList()->item(0)->setSelected(true);
        QTest::mouseClick(dialog.cancelButton(), Qt::LeftButton);
    });
    EXPECT_TRUE(service.selectShapeFiles("Select Sheet File(s)...").empty());
    EXPECT_EQ(secondFolder, QDir::cleanPath(kData));
}

TEST_F(ServiceWithExamples, ShapeDialogKeepsTheFileTypeLastUsed)
{
    QtDialogService service(working.path());
    EXPECT_EQ(service.shapeStartType(), ShapeFileType::Shp);
    answerNextDialog<ShapeSelectionDialog>([](ShapeSelectionDialog& dialog) {
        dialog.setFileType(ShapeFileType::Dxf);
        dialog.reject();
    });
    service.selectShapeFiles("Select Sheet File(s)...");
    EXPECT_EQ(service.shapeStartType(), ShapeFileType::Dxf);
}

TEST(QtDialogServiceFolders, FolderDialogReturnsTheChoiceAndReopensThere)
{
    QTemporaryDir root;
    QDir(root.path()).mkpath(QStringLiteral("out"));
    QtDialogService service(root.path());
    const QString out = QDir(root.path()).filePath(QStringLiteral("out"));
    answerNextDialog<FolderDialog>([&](FolderDialog& dialog) {
        dialog.folders()->setFolder(out);
        dialog.accept();
    });
    EXPECT_EQ(service.selectFolder(""), (out + QLatin1Char('/')).toStdString());

    QString reopened;
    QString caption;
    answerNextDialog<FolderDialog>([&](FolderDialog& dialog) {
        reopened = dialog.currentFolder();
        caption = dialog.windowTitle();
        dialog.reject();
    });
    EXPECT_EQ(service.selectFolder(""), "");
    EXPECT_EQ(reopened, out);
    EXPECT_EQ(caption, QStringLiteral("Select Directory for Breakup Files..."));
}

TEST(QtDialogServiceMessages, ButtonsIconAndTitleAreThoseAskedFor)
{
    QtDialogService service(QDir::tempPath());
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QString text;
    int buttons = 0;
    answerNextDialog<QMessageBox>([&](QMessageBox& box) {
        icon = box.icon();
        title = box.windowTitle();
        text = box.text();
        buttons = static_cast<int>(box.buttons().size());
        box.button(QMessageBox::Yes)->click();
    });
    const auto answer = service.message("Save changes in current file?", "Attention !",
                                        DialogService::Icon::Question, DialogService::Buttons::YesNo);
    EXPECT_EQ(answer, DialogService::Answer::Yes);
    EXPECT_EQ(icon, QMessageBox::Question);
    EXPECT_EQ(title, QStringLiteral("Attention !"));
    EXPECT_EQ(text, QStringLiteral("Save changes in current file?"));
    EXPECT_EQ(buttons, 2);
}

TEST(QtDialogServiceMessages, EscapeGivesTheSafeAnswer)
{
    QtDialogService service(QDir::tempPath());
    const auto escape = [] {
        answerNextDialog<QMessageBox>([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); });
    };
    escape();
    EXPECT_EQ(service.message("Continue?", "", DialogService::Icon::Question, DialogService::Buttons::OkCancel),
              DialogService::Answer::Cancel);
    escape();
    EXPECT_EQ(service.message("Save?", "", DialogService::Icon::Question, DialogService::Buttons::YesNo),
              DialogService::Answer::No);
    escape();
    EXPECT_EQ(service.message("Save?", "", DialogService::Icon::Question, DialogService::Buttons::YesNoCancel),
              DialogService::Answer::Cancel);

    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    answerNextDialog<QMessageBox>([&](QMessageBox& box) {
        title = box.windowTitle();
        icon = box.icon();
        QTest::keyClick(&box, Qt::Key_Escape);
    });
    EXPECT_EQ(service.message("a.shp not found", "", DialogService::Icon::Exclamation, DialogService::Buttons::Ok),
              DialogService::Answer::Ok);
    EXPECT_EQ(title, QStringLiteral("Dravenor")); // no title given: the program's
    EXPECT_EQ(icon, QMessageBox::Warning);
}

TEST(QtDialogServiceFiles, SaveDialogAsksBeforeOverwriting)
{
    QTemporaryDir folder;
    const QString existing = QDir(folder.path()).filePath(QStringLiteral("job.nst"));
    QFile file(existing);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    QtDialogService service(folder.path());

    bool asked = false;
    bool stillOpen = false;
    answerNextDialog<QFileDialog>([&](QFileDialog& dialog) {
        // The overwrite question is a box of its own; "No" keeps the file dialog open.
        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                asked = true;
                box->button(QMessageBox::No)->click();
            }
        });
        dialog.selectFile(existing);
        QMetaObject::invokeMethod(&dialog, "accept", Qt::DirectConnection); // what the Save button does
        stillOpen = dialog.isVisible();
        dialog.reject();
    });
    EXPECT_EQ(service.saveFileName("Save Job As", "Jobs (*.nst)", "job.nst"), "");
    EXPECT_TRUE(asked);
    EXPECT_TRUE(stillOpen);
}

} // namespace
} // namespace dravenor
