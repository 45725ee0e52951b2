#include "app/help.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include "app/working_folder.h"

namespace dravenor {

namespace {

// "index.html#sheets" names a section of a page: the file part and the anchor part.
QString pageFile(const QString& page) { return page.section(QLatin1Char('#'), 0, 0); }
QString pageAnchor(const QString& page) { return page.section(QLatin1Char('#'), 1); }

} // namespace

QString helpPagePath(const QString& workingFolder, const QString& page)
{
    const QString file = pageFile(page);
    return QDir(helpFolder(workingFolder))
        .filePath(file.isEmpty() ? QString::fromLatin1(kHelpIndexPage) : file);
}

bool openHelpPage(const QString& workingFolder, const QString& page)
{
    const QString path = helpPagePath(workingFolder, page);
    if (!QFileInfo(path).isFile()) return false;
    QUrl url = QUrl::fromLocalFile(path);
    if (!pageAnchor(page).isEmpty()) url.setFragment(pageAnchor(page));
    return QDesktopServices::openUrl(url);
}

} // namespace dravenor
