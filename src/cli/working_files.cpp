#include "cli/working_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "app/working_folder.h"

namespace dravenor::cli {

std::string batchWorkingFolder()
{
    // Prepared once: a command looks up several tables, and preparing compares every shipped file.
    static const std::string folder = prepareWorkingFolder(QCoreApplication::applicationDirPath()).toStdString();
    return folder;
}

std::string workingFilePath(const std::string& given, const std::string& name)
{
    if (!given.empty()) return given;
    const QString qName = QString::fromStdString(name);
    const QString working = QDir(QString::fromStdString(batchWorkingFolder())).filePath(qName);
    if (QFileInfo(working).isFile()) return working.toStdString();
    return shippedFile(QCoreApplication::applicationDirPath(), qName).toStdString();
}

} // namespace dravenor::cli
