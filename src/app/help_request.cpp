#include "app/help_request.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>

#include "app/app_info.h"
#include "app/help.h"

namespace dravenor {

void requestHelp(QWidget* parent, const QString& workingFolder, const QString& page)
{
    const QString path = QDir::toNativeSeparators(helpPagePath(workingFolder, page));
    if (!QFileInfo(helpPagePath(workingFolder, page)).isFile()) {
        QMessageBox::warning(parent, appTitle(), path + QStringLiteral(" not found"));
        return;
    }
    if (!openHelpPage(workingFolder, page)) {
        QMessageBox::information(parent, appTitle(),
            QStringLiteral("No program was found to show the help page %1.\n"
                           "Open it in a web browser.").arg(path));
    }
}

} // namespace dravenor
