// The shape-selection dialog driven offscreen: the file list of a folder and type, multiple
// selection returned in list order, Cancel and closing returning none, double click loading just
// that file, the preview and its size label.
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "editors/folder_browser.h"
#include "editors/shape_selection_dialog.h"
#include "ui/canvas_view.h"

namespace dravenor {
namespace {

const QString kData = QStringLiteral(DRAVENOR_TEST_DATA "/editors");

std::string dataPath(const char* name)
{
    return QDir(kData).filePath(QString::fromLatin1(name)).toStdString();
}

QStringList listed(const QListWidget* list)
{
    QStringList names;
    for (int row = 0; row < list->count(); ++row) names << list->item(row)->text();
    return names;
}

QListWidgetItem* itemNamed(const QListWidget* list, const QString& name)
{
    const auto found = list->findItems(name, Qt::MatchExactly);
    return found.isEmpty() ? nullptr : found.first();
}

// Number of pixels that are not white: something was drawn.
int inkedPixels(const QImage& image)
{
    int inked = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255) && qAlpha(image.pixel(x, y)) != 0) ++inked;
    return inked;
}

class ShapeDialog : public ::testing::Test {
protected:
    ShapeSelectionDialog dialog{kData, ShapeFileType::Shp, QString(), [this] { ++helpRequests; }};
    int helpRequests = 0;
};

TEST_F(ShapeDialog, ListsTheShapeFilesOfTheFolderWithoutRegardToCase)
{
    EXPECT_EQ(dialog.folder(), QDir::cleanPath(kData));
    EXPECT_EQ(listed(dialog.fileList()),
              (QStringList{"bracket.shp", "disc.shp", "GUSSET.SHP", "plate.shp"}));
    EXPECT_EQ(dialog.fileList()->toolTip(), QStringLiteral("Hold down CTRL / SHIFT key to select multiple files."));
}

TEST_F(ShapeDialog, FileTypeListKeepsItsOrderAndSwitchesTheList)
{
    ASSERT_EQ(dialog.typeCombo()->count(), 2);
    EXPECT_EQ(dialog.typeCombo()->itemText(0), QStringLiteral("AutoCAD R12/LT2 DXF (*.dxf)"));
    EXPECT_EQ(dialog.typeCombo()->itemText(1), QStringLiteral("ShapeEditor (*.shp)"));
    dialog.typeCombo()->setCurrentIndex(0);
    EXPECT_EQ(dialog.fileType(), ShapeFileType::Dxf);
    EXPECT_EQ(listed(dialog.fileList()), QStringList{"strip.dxf"});
    dialog.setFileType(ShapeFileType::Shp);
    EXPECT_EQ(dialog.fileList()->count(), 4);
}

TEST_F(ShapeDialog, ThreeSelectedFilesComeBackInListOrder)
{
    dialog.show();
    // Chosen out of order; the result follows the list.
    for (const char* name : {"plate.shp", "bracket.shp", "GUSSET.SHP"})
        itemNamed(dialog.fileList(), QString::fromLatin1(name))->setSelected(true);
    ASSERT_TRUE(dialog.loadButton()->isEnabled());
    QTest::mouseClick(dialog.loadButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.selectedPaths(),
              (std::vector<std::string>{dataPath("bracket.shp"), dataPath("GUSSET.SHP"), dataPath("plate.shp")}));
}

TEST_F(ShapeDialog, CtrlClicksSelectSeveralFiles)
{
    dialog.show();
    QListWidget* list = dialog.fileList();
    auto click = [list](const char* name, Qt::KeyboardModifiers modifiers) {
        const QRect box = list->visualItemRect(itemNamed(list, QString::fromLatin1(name)));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, box.center());
    };
    click("disc.shp", Qt::NoModifier);
    click("plate.shp", Qt::ControlModifier);
    QTest::mouseClick(dialog.loadButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.selectedPaths(), (std::vector<std::string>{dataPath("disc.shp"), dataPath("plate.shp")}));
}

TEST_F(ShapeDialog, CancelReturnsNothingWhateverWasSelected)
{
    dialog.show();
    for (int row = 0; row < dialog.fileList()->count(); ++row) dialog.fileList()->item(row)->setSelected(true);
    QTest::mouseClick(dialog.cancelButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(dialog.selectedPaths().empty());
}

TEST_F(ShapeDialog, EscapeReturnsNothing)
{
    dialog.show();
    itemNamed(dialog.fileList(), QStringLiteral("disc.shp"))->setSelected(true);
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(dialog.selectedPaths().empty());
}

TEST_F(ShapeDialog, DoubleClickLoadsJustThatFile)
{
    dialog.show();
    QListWidget* list = dialog.fileList();
    itemNamed(list, QStringLiteral("plate.shp"))->setSelected(true);
    itemNamed(list, QStringLiteral("bracket.shp"))->setSelected(true);
    const QRect box = list->visualItemRect(itemNamed(list, QStringLiteral("disc.shp")));
    // A double click arrives as a click followed by the double click.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, box.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, box.center());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.selectedPaths(), std::vector<std::string>{dataPath("disc.shp")});
}

TEST_F(ShapeDialog, LoadIsOfferedOnlyWithASelection)
{
    EXPECT_FALSE(dialog.loadButton()->isEnabled());
    dialog.fileList()->item(0)->setSelected(true);
    EXPECT_TRUE(dialog.loadButton()->isEnabled());
    dialog.fileList()->clearSelection();
    EXPECT_FALSE(dialog.loadButton()->isEnabled());
}

TEST_F(ShapeDialog, ClickedFileIsPreviewedWithItsSize)
{
    dialog.show();
    QListWidget* list = dialog.fileList();
    EXPECT_EQ(inkedPixels(dialog.preview()->surface().image()), 0);
    const QRect box = list->visualItemRect(itemNamed(list, QStringLiteral("plate.shp")));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, box.center());
    EXPECT_EQ(dialog.previewLabel()->text(), QStringLiteral("Xmax=200 Ymax=100"));
    EXPECT_EQ(dialog.preview()->toolTip(), QStringLiteral("Xmax=200 Ymax=100"));
    EXPECT_GT(inkedPixels(dialog.preview()->surface().image()), 100);

    // A single circle filling its view is drawn too.
    dialog.previewFile(QStringLiteral("disc.shp"));
    EXPECT_EQ(dialog.previewLabel()->text(), QStringLiteral("Xmax=50 Ymax=50"));
    EXPECT_GT(inkedPixels(dialog.preview()->surface().image()), 300);
}

TEST_F(ShapeDialog, PreviewDrawsTheShapeInBlackWithoutAGrid)
{
    dialog.previewFile(QStringLiteral("plate.shp"));
    const QImage& image = dialog.preview()->surface().image();
    int grey = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == qRgb(0xC0, 0xC0, 0xC0)) ++grey;
    EXPECT_EQ(grey, 0) << "grid lines were drawn";
    // The plate fills the width of its square view (200 of 220 units), so the top edge, drawn
    // at mid-height of the image, is dark nearly across.
    int dark = 0;
    for (int x = 0; x < image.width(); ++x) {
        bool found = false;
        for (int y = 0; y < image.height() && !found; ++y) found = qGray(image.pixel(x, y)) < 128;
        dark += found ? 1 : 0;
    }
    EXPECT_GT(dark, image.width() * 8 / 10);
}

TEST_F(ShapeDialog, FileGoneSinceListingLeavesThePreviewEmpty)
{
    dialog.previewFile(QStringLiteral("plate.shp"));
    dialog.previewFile(QStringLiteral("vanished.shp"));
    EXPECT_TRUE(dialog.previewLabel()->text().isEmpty());
    EXPECT_EQ(inkedPixels(dialog.preview()->surface().image()), 0);
}

TEST_F(ShapeDialog, OpeningASubfolderListsItsFiles)
{
    FolderBrowser* folders = dialog.folders();
    const auto found = folders->folderList()->findItems(QStringLiteral("nested"), Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    ASSERT_TRUE(folders->openEntry(found.first()));
    EXPECT_EQ(dialog.folder(), QDir(kData).filePath(QStringLiteral("nested")));
    EXPECT_EQ(listed(dialog.fileList()), QStringList{"disc.shp"});
    itemNamed(dialog.fileList(), QStringLiteral("disc.shp"))->setSelected(true);
    dialog.accept();
    EXPECT_EQ(dialog.selectedPaths(),
              std::vector<std::string>{QDir(kData).filePath(QStringLiteral("nested/disc.shp")).toStdString()});
}

TEST_F(ShapeDialog, F1AsksForHelp)
{
    dialog.show();
    QTest::keyClick(dialog.fileList(), Qt::Key_F1);
    EXPECT_EQ(helpRequests, 1);
    EXPECT_TRUE(dialog.isVisible());
}

TEST(ShapeSelection, MissingStartFolderOpensHome)
{
    ShapeSelectionDialog dialog(QStringLiteral("/no/such/folder"), ShapeFileType::Shp, QString(), {});
    EXPECT_EQ(dialog.folder(), QDir::cleanPath(QDir::homePath()));
}

TEST(ShapeSelection, FolderAndNameAreJoinedWithOneSeparator)
{
    EXPECT_EQ(joinFolderAndName(QStringLiteral("/jobs/parts"), QStringLiteral("a.shp")), "/jobs/parts/a.shp");
    EXPECT_EQ(joinFolderAndName(QStringLiteral("/jobs/parts/"), QStringLiteral("a.shp")), "/jobs/parts/a.shp");
    EXPECT_EQ(joinFolderAndName(QStringLiteral("/"), QStringLiteral("a.shp")), "/a.shp");
}

} // namespace
} // namespace dravenor
