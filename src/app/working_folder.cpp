#include "app/working_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace dravenor {

namespace {

// A real probe: permission bits alone say nothing for read-only mounts or privileged users.
bool folderIsWritable(const QString& folder)
{
    if (!QFileInfo(folder).isDir()) return false;
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".dravenor-probe-XXXXXX")));
    return probe.open();
}

// Copies a shipped file unless the working folder already has one (the user's copy wins).
void copyIfMissing(const QString& source, const QString& target)
{
    if (QFileInfo::exists(target)) return;
    if (QFile::copy(source, target)) {
        // Shipped files may be read-only; the working copy belongs to the user.
        QFile::setPermissions(target, QFile::permissions(target) | QFileDevice::WriteOwner
                                          | QFileDevice::ReadOwner);
    }
}

void copyFilesIfMissing(const QDir& from, const QString& to)
{
    QDir().mkpath(to);
    for (const QFileInfo& file : from.entryInfoList(QDir::Files | QDir::Hidden))
        copyIfMissing(file.absoluteFilePath(), QDir(to).filePath(file.fileName()));
}

void copyTreeIfMissing(const QDir& from, const QString& to)
{
    copyFilesIfMissing(from, to);
    for (const QString& sub : from.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        copyTreeIfMissing(QDir(from.filePath(sub)), QDir(to).filePath(sub));
}

} // namespace

QString prepareWorkingFolder(const QString& executableDir)
{
    QString folder = QDir::cleanPath(QDir(executableDir).absolutePath());
    if (!folderIsWritable(folder)) {
        folder = QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
        QDir().mkpath(folder);
    }

    // Templates and configuration sit at the top of the working folder, the help pages in its
    // help folder; examples stay where they were shipped.
    const QDir shipped(QDir(executableDir).filePath(QStringLiteral("resources")));
    if (shipped.exists()) {
        copyFilesIfMissing(shipped, folder);
        const QDir shippedHelp(shipped.filePath(QStringLiteral("help")));
        if (shippedHelp.exists()) copyTreeIfMissing(shippedHelp, helpFolder(folder));
    }
    return folder;
}

QString helpFolder(const QString& workingFolder)
{
    return QDir(workingFolder).filePath(QStringLiteral("help"));
}

} // namespace dravenor
