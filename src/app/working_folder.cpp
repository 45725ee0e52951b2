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

enum class Refresh { IfMissing, IfOlder };

// Copies a shipped file when the working folder has none, or (for the program's own pages) an
// older one. Templates the user may have adapted are only copied when missing.
void copyShipped(const QString& source, const QString& target, Refresh refresh)
{
    const QFileInfo existing(target);
    if (existing.exists()) {
        if (refresh == Refresh::IfMissing || existing.lastModified() >= QFileInfo(source).lastModified()) return;
        QFile::remove(target);
    }
    if (QFile::copy(source, target)) {
        // Shipped files may be read-only; the working copy belongs to the user.
        QFile::setPermissions(target, QFile::permissions(target) | QFileDevice::WriteOwner
                                          | QFileDevice::ReadOwner);
    }
}

void copyFiles(const QDir& from, const QString& to, Refresh refresh)
{
    QDir().mkpath(to);
    for (const QFileInfo& file : from.entryInfoList(QDir::Files | QDir::Hidden))
        copyShipped(file.absoluteFilePath(), QDir(to).filePath(file.fileName()), refresh);
}

void copyTree(const QDir& from, const QString& to, Refresh refresh)
{
    copyFiles(from, to, refresh);
    for (const QString& sub : from.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        copyTree(QDir(from.filePath(sub)), QDir(to).filePath(sub), refresh);
}

} // namespace

QString shippedFolder(const QString& executableDir)
{
    const QDir executable(executableDir);
    const QString beside = executable.filePath(QStringLiteral("resources"));
    if (QFileInfo(beside).isDir()) return QDir::cleanPath(beside);
    const QString installed = executable.filePath(QStringLiteral("../share/dravenor"));
    return QDir::cleanPath(QFileInfo(installed).isDir() ? installed : beside);
}

QString shippedFile(const QString& executableDir, const QString& name)
{
    const QString beside = QDir(executableDir).filePath(name);
    return QFileInfo(beside).isFile() ? beside : QDir(shippedFolder(executableDir)).filePath(name);
}

QString prepareWorkingFolder(const QString& executableDir)
{
    QString folder = QDir::cleanPath(QDir(executableDir).absolutePath());
    const bool tree = QFileInfo(QDir(folder).filePath(QStringLiteral("resources"))).isDir();
    if (!tree || !folderIsWritable(folder)) {
        folder = QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
        QDir().mkpath(folder);
    }

    // Templates and configuration sit at the top of the working folder, the help pages in its
    // help folder; examples stay where they were shipped.
    const QDir shipped(shippedFolder(executableDir));
    if (shipped.exists()) {
        copyFiles(shipped, folder, Refresh::IfMissing);
        const QDir shippedHelp(shipped.filePath(QStringLiteral("help")));
        if (shippedHelp.exists()) copyTree(shippedHelp, helpFolder(folder), Refresh::IfOlder);
    }
    return folder;
}

QString helpFolder(const QString& workingFolder)
{
    return QDir(workingFolder).filePath(QStringLiteral("help"));
}

} // namespace dravenor
