// The folder dialog: the label follows the chosen folder, Select returns it with one trailing
// separator (the root stays "/"), Cancel returns "".
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "editors/folder_browser.h"
#include "editors/folder_dialog.h"

namespace dravenor {
namespace {

class FolderChoice : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        QDir(root.path()).mkpath(QStringLiteral("output/rings"));
        QDir(root.path()).mkpath(QStringLiteral("Cones"));
        QDir(root.path()).mkpath(QStringLiteral(".hidden"));
    }
    QString under(const QString& name) const { return QDir(root.path()).filePath(name); }
    QListWidgetItem* entry(FolderDialog& dialog, const QString& name) const
    {
        const auto found = dialog.folders()->folderList()->findItems(name, Qt::MatchExactly);
        return found.isEmpty() ? nullptr : found.first();
    }

    QTemporaryDir root;
};

TEST_F(FolderChoice, OpensOnTheStartFolderWithItsSubfolders)
{
    FolderDialog dialog(root.path(), QString());
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Select Directory for Breakup Files..."));
    EXPECT_EQ(dialog.chosenLabel()->text(), QDir::toNativeSeparators(QDir::cleanPath(root.path())));
    QStringList names;
    for (int row = 0; row < dialog.folders()->folderList()->count(); ++row)
        names << dialog.folders()->folderList()->item(row)->text();
    EXPECT_EQ(names, (QStringList{"..", "Cones", "output"}));
}

TEST_F(FolderChoice, SelectReturnsTheShownFolderWithATrailingSeparator)
{
    FolderDialog dialog(under(QStringLiteral("output")), QString());
    dialog.show();
    QTest::mouseClick(dialog.selectButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDir::cleanPath(under(QStringLiteral("output"))) + QLatin1Char('/'));
}

TEST_F(FolderChoice, ClickedSubfolderIsTheChoice)
{
    FolderDialog dialog(root.path(), QString());
    dialog.show();
    QListWidget* list = dialog.folders()->folderList();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                      list->visualItemRect(entry(dialog, QStringLiteral("Cones"))).center());
    EXPECT_EQ(dialog.chosenLabel()->text(), QDir::toNativeSeparators(under(QStringLiteral("Cones"))));
    // Clicking does not open it.
    EXPECT_EQ(dialog.currentFolder(), QDir::cleanPath(root.path()));
    dialog.accept();
    EXPECT_EQ(dialog.result(), under(QStringLiteral("Cones/")));
}

TEST_F(FolderChoice, EnterInTheListOpensTheEntryAndDoesNotSelect)
{
    FolderDialog dialog(root.path(), QString());
    dialog.show();
    QListWidget* list = dialog.folders()->folderList();
    list->setFocus();
    list->setCurrentItem(entry(dialog, QStringLiteral("output")));
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.currentFolder(), under(QStringLiteral("output")));
    EXPECT_EQ(dialog.chosenLabel()->text(), QDir::toNativeSeparators(under(QStringLiteral("output"))));
    // ".." goes back up.
    list->setCurrentItem(entry(dialog, QStringLiteral("..")));
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(dialog.currentFolder(), QDir::cleanPath(root.path()));
}

TEST_F(FolderChoice, CancelReturnsNothing)
{
    FolderDialog dialog(root.path(), QString());
    dialog.show();
    QTest::mouseClick(dialog.cancelButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QString());
}

TEST_F(FolderChoice, TypedPathIsOpenedAndAWrongOneIsUndone)
{
    FolderDialog dialog(root.path(), QString());
    dialog.show();
    QLineEdit* path = dialog.folders()->pathEdit();
    path->setText(under(QStringLiteral("output/rings")));
    QTest::keyClick(path, Qt::Key_Return);
    EXPECT_TRUE(dialog.isVisible()) << "Enter in the path box must not select";
    EXPECT_EQ(dialog.currentFolder(), under(QStringLiteral("output/rings")));
    path->setText(under(QStringLiteral("nowhere")));
    QTest::keyClick(path, Qt::Key_Return);
    EXPECT_EQ(dialog.currentFolder(), under(QStringLiteral("output/rings")));
    EXPECT_EQ(path->text(), QDir::toNativeSeparators(under(QStringLiteral("output/rings"))));
}

TEST_F(FolderChoice, NewFolderIsCreatedAndOpened)
{
    FolderDialog dialog(root.path(), QString());
    ASSERT_TRUE(dialog.createSubfolder(QStringLiteral("breakups")));
    EXPECT_TRUE(QFileInfo(under(QStringLiteral("breakups"))).isDir());
    EXPECT_EQ(dialog.currentFolder(), under(QStringLiteral("breakups")));
    EXPECT_FALSE(dialog.createSubfolder(QStringLiteral("a/b")));
    EXPECT_FALSE(dialog.createSubfolder(QStringLiteral("..")));
    EXPECT_FALSE(dialog.createSubfolder(QStringLiteral("  ")));
}

TEST(FolderDialogResult, RootStaysAsItIsAndOtherFoldersGetOneSeparator)
{
    EXPECT_EQ(folderDialogResult(QStringLiteral("/"), true), QStringLiteral("/"));
    EXPECT_EQ(folderDialogResult(QStringLiteral("/home/cutter/out"), true), QStringLiteral("/home/cutter/out/"));
    EXPECT_EQ(folderDialogResult(QStringLiteral("/home/cutter/out/"), true), QStringLiteral("/home/cutter/out/"));
    EXPECT_EQ(folderDialogResult(QStringLiteral("/home/cutter/out"), false), QString());
}

TEST(FolderDialogAtRoot, SelectingTheRootReturnsJustTheSeparator)
{
    FolderDialog dialog(QStringLiteral("/"), QString());
    EXPECT_EQ(dialog.folders()->folderList()->findItems(QStringLiteral(".."), Qt::MatchExactly).size(), 0);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QStringLiteral("/"));
}

TEST(FolderPlaces, OfferExamplesHomeAndRootOnce)
{
    QTemporaryDir examples;
    const auto places = folderPlaces(examples.path());
    ASSERT_GE(places.size(), 3u);
    EXPECT_EQ(places.front().label, QStringLiteral("Examples"));
    EXPECT_EQ(places.front().path, QDir::cleanPath(examples.path()));
    QStringList paths;
    for (const FolderPlace& place : places) paths << place.path;
    EXPECT_TRUE(paths.contains(QDir::cleanPath(QDir::homePath())));
    EXPECT_TRUE(paths.contains(QStringLiteral("/")));
    EXPECT_EQ(paths.removeDuplicates(), 0);
    // A missing examples folder is not offered.
    EXPECT_NE(folderPlaces(QStringLiteral("/no/such/examples")).front().label, QStringLiteral("Examples"));
}

TEST(FolderPlaces, ChoosingAPlaceMovesThere)
{
    QTemporaryDir examples;
    QTemporaryDir elsewhere;
    FolderBrowser browser(examples.path());
    ASSERT_TRUE(browser.setFolder(elsewhere.path()));
    browser.placesCombo()->activated(0);
    EXPECT_EQ(browser.folder(), QDir::cleanPath(examples.path()));
    EXPECT_EQ(browser.placesCombo()->currentIndex(), 0);
}

} // namespace
} // namespace dravenor
