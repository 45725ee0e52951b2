// The Qt dialog service driven offscreen: each modal dialog is answered from a zero timer once it
// is on screen. The shape dialog starts in the examples and reopens where it was left, with the
// file type last used; Esc gives the safe answer.
#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <optional>

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

TEST(QtDialogService, ShapeDialogStartsInTheExamplesAndReopensWhereItWasLeft)
{
    QTemporaryDir working;
    const QString examples = QDir(working.path()).filePath("resources/examples");
    QDir().mkpath(examples);
    QtDialogService service(working.path());
    EXPECT_EQ(examplesFolderFor(working.path()), examples);

    QString firstFolder;
    answerNextDialog<ShapeSelectionDialog>([&](ShapeSelectionDialog& dialog) {
        firstFolder = dialog.folder();
        dialog.setFolder(kData);
        dialog.setFileType(ShapeFileType::Dxf);
        dialog.fileList()->item(0)->setSelected(true);
        dialog.accept();
    });
    EXPECT_EQ(service.selectShapeFiles("Select Part File(s)..."),
              std::vector<std::string>{QDir(kData).filePath("strip.dxf").toStdString()});
    EXPECT_EQ(firstFolder, examples);

    QString secondFolder;
    answerNextDialog<ShapeSelectionDialog>([&](ShapeSelectionDialog& dialog) {
        secondFolder = dialog.folder();
        dialog.reject();
    });
    EXPECT_TRUE(service.selectShapeFiles("Select Sheet File(s)...").empty());
    EXPECT_EQ(secondFolder, QDir::cleanPath(kData));
    EXPECT_EQ(service.shapeStartType(), ShapeFileType::Dxf);
}

TEST(QtDialogService, EnterGivesTheDefaultAnswerAndEscapeTheSafeOne)
{
    using Buttons = DialogService::Buttons;
    using Answer = DialogService::Answer;
    struct Case {
        Buttons buttons;
        std::optional<Answer> defaultAnswer;
        Qt::Key key;
        Answer expected;
    };
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

} // namespace
} // namespace dravenor
