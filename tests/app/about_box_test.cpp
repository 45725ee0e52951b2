// The about box: caption, first line with the version, OK closes it, F1 asks for help.
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "app/about_box.h"
#include "app/app_info.h"

namespace dravenor {
namespace {

TEST(AboutBox, CaptionAndFirstLineNameTheProgramAndVersion)
{
    auto box = buildAboutBox(nullptr, QStringLiteral("/opt/dravenor"), {});
    EXPECT_EQ(box->windowTitle(), QStringLiteral("About Dravenor"));
    const auto* first = box->findChild<QLabel*>(QStringLiteral("firstLine"));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->text(), QStringLiteral("Dravenor version ") + appVersion()
                                 + QStringLiteral("  (Profile Nesting Software)"));
    const auto* second = box->findChild<QLabel*>(QStringLiteral("secondLine"));
    ASSERT_NE(second, nullptr);
    EXPECT_FALSE(second->text().isEmpty());
    const auto* folder = box->findChild<QLabel*>(QStringLiteral("workingFolder"));
    ASSERT_NE(folder, nullptr);
    EXPECT_TRUE(folder->text().contains(QStringLiteral("/opt/dravenor")));
    EXPECT_TRUE(box->isModal());
}

TEST(AboutBox, OkClosesTheBox)
{
    auto box = buildAboutBox(nullptr, QStringLiteral("/opt/dravenor"), {});
    box->show();
    auto* buttons = box->findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ASSERT_NE(ok, nullptr);
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_FALSE(box->isVisible());
    EXPECT_EQ(box->result(), QDialog::Accepted);
}

TEST(AboutBox, F1AsksForHelpAndLeavesTheBoxOpen)
{
    int helpRequests = 0;
    auto box = buildAboutBox(nullptr, QStringLiteral("/opt/dravenor"), [&] { ++helpRequests; });
    box->show();
    auto* ok = box->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    QTest::keyClick(ok, Qt::Key_F1); // from the focused button up to the box
    EXPECT_EQ(helpRequests, 1);
    QTest::keyClick(box.get(), Qt::Key_A);
    EXPECT_EQ(helpRequests, 1);
    EXPECT_TRUE(box->isVisible());
}

} // namespace
} // namespace dravenor
