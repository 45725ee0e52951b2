// The shipped help pages: self-contained (no network, no scripts) and every link leads to a page
// and section that exist, including the sections the windows ask for by name.
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include "app/help.h"

namespace dravenor {
namespace {

QString pageText(const QString& name)
{
    QFile file(QDir(DRAVENOR_RESOURCE_DIR "/help").filePath(name));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

bool hasSection(const QString& html, const QString& id) { return html.contains(QStringLiteral("id=\"%1\"").arg(id)); }

TEST(ShippedHelp, PagesAreSelfContainedAndEveryLinkLeadsSomewhere)
{
    for (const char* name : {kHelpIndexPage, kTourPage}) {
        const QString html = pageText(name);
        ASSERT_TRUE(html.contains("<title>")) << name << " is missing or has no title";
        EXPECT_FALSE(html.contains("<script", Qt::CaseInsensitive)) << name;
        int links = 0;
        static const QRegularExpression pattern("(href|src)\\s*=\\s*\"([^\"]*)\"");
        for (auto it = pattern.globalMatch(html); it.hasNext(); ++links) {
            const QString target = it.next().captured(2);
            EXPECT_FALSE(target.contains("://") || target.startsWith("//")) << name << " reaches out to "
                                                                            << target.toStdString();
            const QString file = target.section('#', 0, 0), section = target.section('#', 1);
            const QString linked = file.isEmpty() ? html : pageText(file);
            EXPECT_FALSE(linked.isEmpty()) << name << " links to missing " << target.toStdString();
            EXPECT_TRUE(section.isEmpty() || hasSection(linked, section)) << name << ": " << target.toStdString();
        }
        EXPECT_GT(links, 0) << name;
    }
    EXPECT_TRUE(hasSection(pageText(kHelpIndexPage), "selecting-files"));
}

} // namespace
} // namespace dravenor
