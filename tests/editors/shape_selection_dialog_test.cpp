// The shape-selection dialog driven offscreen: the files of a folder and type, several chosen
// ones returned in list order, Cancel returning none, double click loading just that file, and
// the preview with its size.
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "editors/shape_selection_dialog.h"
#include "support/ink.h"
#include "ui/canvas_view.h"

namespace dravenor {
namespace {

const QString kData = QStringLiteral(DRAVENOR_TEST_DATA "/editors");

std::string dataPath(const QString& name) { return QDir(kData).filePath(name).toStdString(); }

using testing::inkedPixels;

class ShapeDialog : public ::testing::Test {
protected:
    void SetUp() override { dialog.show(); }
    QStringList listed() const
    {
        QStringList names;
        for (int row = 0; row < dialog.fileList()->count(); ++row) names << dialog.fileList()->item(row)->text();
        return names;
    }
    QListWidgetItem* item(const QString& name) { return dialog.fileList()->findItems(name, Qt::MatchExactly).value(0); }
    void click(const QString& name, Qt::KeyboardModifiers modifiers = {}, bool twice = false)
    {
        const QPoint at = dialog.fileList()->visualItemRect(item(name)).center();
        QTest::mouseClick(dialog.fileList()->viewport(), Qt::LeftButton, modifiers, at);
        if (twice) QTest::mouseDClick(dialog.fileList()->viewport(), Qt::LeftButton, modifiers, at);
    }

    ShapeSelectionDialog dialog{kData, ShapeFileType::Shp, QString(), {}};
};

TEST_F(ShapeDialog, ListsTheFilesOfTheChosenTypeWithoutRegardToCase)
{
    EXPECT_EQ(listed(), (QStringList{"bracket.shp", "disc.shp", "GUSSET.SHP", "plate.shp"}));
    dialog.typeCombo()->setCurrentIndex(0);
    EXPECT_EQ(dialog.fileType(), ShapeFileType::Dxf);
    EXPECT_EQ(listed(), QStringList{"strip.dxf"});
}

TEST_F(ShapeDialog, ThreeFilesChosenOutOfOrderComeBackInListOrder)
{
    click("plate.shp");
    click("bracket.shp", Qt::ControlModifier);
    click("GUSSET.SHP", Qt::ControlModifier);
    QTest::mouseClick(dialog.loadButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.selectedPaths(),
              (std::vector<std::string>{dataPath("bracket.shp"), dataPath("GUSSET.SHP"), dataPath("plate.shp")}));
}

TEST_F(ShapeDialog, CancelOrEscapeReturnsNothingWhateverWasSelected)
{
    for (int row = 0; row < dialog.fileList()->count(); ++row) dialog.fileList()->item(row)->setSelected(true);
    QTest::mouseClick(dialog.cancelButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(dialog.selectedPaths().empty());
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(dialog.selectedPaths().empty());
}

TEST_F(ShapeDialog, DoubleClickLoadsJustThatFile)
{
    item("plate.shp")->setSelected(true);
    item("bracket.shp")->setSelected(true);
    click("disc.shp", Qt::ControlModifier, true);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.selectedPaths(), std::vector<std::string>{dataPath("disc.shp")});
}

TEST_F(ShapeDialog, ClickedFileIsPreviewedWithItsSize)
{
    EXPECT_EQ(inkedPixels(dialog.preview()->surface().image()), 0);
    click("plate.shp");
    EXPECT_EQ(dialog.previewLabel()->text(), "Xmax=200 Ymax=100");
    EXPECT_EQ(dialog.preview()->toolTip(), "Xmax=200 Ymax=100");
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

} // namespace
} // namespace dravenor
