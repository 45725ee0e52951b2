// The folder dialog: the label follows the chosen folder, Select returns it with one trailing
// separator (the root stays "/"), Cancel returns "".
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

#include "editors/folder_browser.h"
#include "editors/folder_dialog.h"

namespace dravenor {
namespace {

class FolderChoice : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : {"output/rings", "Cones", ".hidden"}) QDir(root.path()).mkpath(name);
        dialog = std::make_unique<FolderDialog>(root.path(), QString());
        dialog->show();
    }
    QString under(const QString& name) const { return QDir(root.path()).filePath(name); }
    QListWidget* list() { return dialog->folders()->folderList(); }
    QListWidgetItem* entry(const QString& name) { return list()->findItems(name, Qt::MatchExactly).value(0); }

    QTemporaryDir root;
    std::unique_ptr<FolderDialog> dialog;
};

TEST_F(FolderChoice, ClickedSubfolderIsTheChoiceWithoutOpeningIt)
{
    QStringList names;
    for (int row = 0; row < list()->count(); ++row) names << list()->item(row)->text();
    EXPECT_EQ(names, (QStringList{"..", "Cones", "output"}));
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, list()->visualItemRect(entry("Cones")).center());
    EXPECT_EQ(dialog->chosenLabel()->text(), QDir::toNativeSeparators(under("Cones")));
    EXPECT_EQ(dialog->currentFolder(), QDir::cleanPath(root.path()));
    QTest::mouseClick(dialog->selectButton(), Qt::LeftButton);
    EXPECT_EQ(dialog->result(), under("Cones/"));
}

TEST_F(FolderChoice, EnterOpensTheEntryAndDoesNotSelect)
{
    list()->setFocus();
    list()->setCurrentItem(entry("output"));
    QTest::keyClick(list(), Qt::Key_Return);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->currentFolder(), under("output"));
    EXPECT_EQ(dialog->chosenLabel()->text(), QDir::toNativeSeparators(under("output")));
    list()->setCurrentItem(entry(".."));
    QTest::keyClick(list(), Qt::Key_Return);
    EXPECT_EQ(dialog->currentFolder(), QDir::cleanPath(root.path()));
    QTest::mouseClick(dialog->cancelButton(), Qt::LeftButton);
    EXPECT_EQ(dialog->result(), QString());
}

TEST_F(FolderChoice, NewFolderIsCreatedAndOpenedBadNamesRefused)
{
    ASSERT_TRUE(dialog->createSubfolder("breakups"));
    EXPECT_TRUE(QFileInfo(under("breakups")).isDir());
    EXPECT_EQ(dialog->currentFolder(), under("breakups"));
    for (const char* bad : {"a/b", "..", "  "}) EXPECT_FALSE(dialog->createSubfolder(bad)) << bad;
}

TEST(FolderDialogResult, RootStaysAsItIsAndOtherFoldersGetOneSeparator)
{
    EXPECT_EQ(folderDialogResult("/", true), "/");
    EXPECT_EQ(folderDialogResult("/home/cutter/out", true), "/home/cutter/out/");
    EXPECT_EQ(folderDialogResult("/home/cutter/out/", true), "/home/cutter/out/");
    EXPECT_EQ(folderDialogResult("/home/cutter/out", false), QString());
    FolderDialog atRoot("/", QString());
    EXPECT_TRUE(atRoot.folders()->folderList()->findItems("..", Qt::MatchExactly).isEmpty());
}

} // namespace
} // namespace dravenor
