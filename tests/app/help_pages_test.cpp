// The shipped help pages: both present, self-contained (no network, no scripts) and every link
// leads to a page and section that exist.
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include "app/help.h"

namespace dravenor {
namespace {

const QString kShippedHelp = QStringLiteral(DRAVENOR_RESOURCE_DIR "/help");

QString pageText(const QString& name)
{
    QFile file(QDir(kShippedHelp).filePath(name));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QStringList attributeValues(const QString& html, const QString& attribute)
{
    QStringList values;
    const QRegularExpression pattern(attribute + QStringLiteral("\\s*=\\s*\"([^\"]*)\""));
    for (auto it = pattern.globalMatch(html); it.hasNext();) values << it.next().captured(1);
    return values;
}

bool hasAnchor(const QString& html, const QString& id)
{
    return html.contains(QStringLiteral("id=\"%1\"").arg(id));
}

class ShippedHelpPage : public ::testing::TestWithParam<const char*> {};

TEST_P(ShippedHelpPage, IsSelfContained)
{
    const QString html = pageText(QString::fromLatin1(GetParam()));
    ASSERT_FALSE(html.isEmpty()) << GetParam() << " is missing or empty";
    EXPECT_TRUE(html.contains(QStringLiteral("<title>")));
    EXPECT_FALSE(html.contains(QStringLiteral("<script"), Qt::CaseInsensitive));
    for (const QString& attribute : {QStringLiteral("href"), QStringLiteral("src")}) {
        for (const QString& target : attributeValues(html, attribute)) {
            EXPECT_FALSE(target.contains(QStringLiteral("://")) || target.startsWith(QStringLiteral("//")))
                << GetParam() << " reaches out to " << target.toStdString();
        }
    }
}

TEST_P(ShippedHelpPage, EveryLinkLeadsToAnExistingPageAndSection)
{
    const QString name = QString::fromLatin1(GetParam());
    const QString html = pageText(name);
    int links = 0;
    for (const QString& target : attributeValues(html, QStringLiteral("href"))) {
        ++links;
        const QString file = target.section(QLatin1Char('#'), 0, 0);
        const QString anchor = target.section(QLatin1Char('#'), 1);
        const QString linked = file.isEmpty() ? html : pageText(file);
        ASSERT_FALSE(linked.isEmpty()) << name.toStdString() << " links to missing " << target.toStdString();
        if (!anchor.isEmpty()) {
            EXPECT_TRUE(hasAnchor(linked, anchor)) << name.toStdString() << ": no section " << target.toStdString();
        }
    }
    EXPECT_GT(links, 0);
}

INSTANTIATE_TEST_SUITE_P(Pages, ShippedHelpPage, ::testing::Values(kHelpIndexPage, kTourPage));

TEST(ShippedHelp, IndexCoversWhatTheWindowsAskAbout)
{
    const QString html = pageText(QString::fromLatin1(kHelpIndexPage));
    // Sections the program's help requests name directly.
    EXPECT_TRUE(hasAnchor(html, QStringLiteral("selecting-files")));
    for (const char* topic : {"Orn", "step90", "Kerf", "shape-info", "preview", ".shp", "Pri", "Qty"})
        EXPECT_TRUE(html.contains(QString::fromLatin1(topic))) << topic;
}

} // namespace
} // namespace dravenor
