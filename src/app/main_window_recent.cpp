// File > Recent Files: the jobs opened or saved lately, kept in the working folder.
#include <QMenu>

#include "app/main_window.h"
#include "job/files.h"
#include "job/recent_files.h"

namespace dravenor {

void MainWindow::buildRecentFilesMenu(QMenu* file)
{
    recentMenu_ = file->addMenu(tr("Recent &Files"));
    connect(recentMenu_, &QMenu::aboutToShow, this, &MainWindow::fillRecentFilesMenu);
    fillRecentFilesMenu();
}

void MainWindow::fillRecentFilesMenu()
{
    recentMenu_->clear();
    const std::vector<std::string> files = readRecentFiles(workingFolder_.toStdString());
    for (size_t i = 0; i < files.size(); ++i) {
        const std::string path = files[i];
        const QString text = QStringLiteral("&%1 %2").arg(i + 1).arg(QString::fromStdString(path));
        recentMenu_->addAction(text, this, [this, path] { openRecentJob(path); });
    }
    recentMenu_->setEnabled(!files.empty());
}

void MainWindow::rememberRecentJob(const std::string& path)
{
    rememberRecentFile(workingFolder_.toStdString(), path); // a list that cannot be kept is no loss
    // A menu that is disabled never shows, so it would never fill itself again.
    fillRecentFilesMenu();
}

void MainWindow::openRecentJob(const std::string& path)
{
    if (!newJob()) return;
    openJobFile(path);
}

} // namespace dravenor
